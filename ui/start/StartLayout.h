// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>

// The start window's layout arithmetic, free of widgets.
namespace startLayout {

// Top of the logo picture for a window of inner height SH and a title th pixels high;
// the slogan stands 75 pixels above it.
int logoTop(double scaleHeight, int titleHeight);
// Left edge of a picture w pixels wide centred on a window W pixels wide.
int centredLeft(int windowWidth, int pictureWidth);

struct Places {
    QRectF strip;       // PFormKontrol
    QRectF start;       // btnStart
    QRectF competition; // optMode(1)
    QRectF show;        // optMode(0)
};
Places controlPlaces(double scaleWidth, double scaleHeight);

} // namespace startLayout
