// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>

// The start window's layout arithmetic, free of widgets.
namespace startLayout {

// Top of the logo picture, from the window's inner height and the title's height in
// pixels; the slogan stands 75 pixels above it.
int logoTop(double scaleHeight, int titleHeight);
// Left edge of a picture centred on the window, from both widths in pixels.
int centredLeft(int windowWidth, int pictureWidth);

struct Places {
    QRectF strip;       // PFormKontrol, the caption strip
    QRectF start;       // btnStart
    QRectF competition; // optMode(1), the Competition Mode option
    QRectF show;        // optMode(0), the Show Mode option
};
Places controlPlaces(double scaleWidth, double scaleHeight);

} // namespace startLayout
