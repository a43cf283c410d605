// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/SkinRegions.h"

#include <QString>

class Surface;

// The drawing primitives: 1:1 copies from the skin template, text in rectangles, and
// the window frame built from template tiles.

// Text formats of drawTextInRect.
inline constexpr unsigned kDtLeftTop = 0x0;
inline constexpr unsigned kDtCenter = 0x1;
inline constexpr unsigned kDtCenterSingleLine = 0x25;   // centred both ways, one line

void copyFromTemplate(Surface &target, int dx, int dy, int w, int h, int sx, int sy);
inline void copyFromTemplate(Surface &target, int dx, int dy, const skin::Region &r)
{
    copyFromTemplate(target, dx, dy, r.w, r.h, r.x, r.y);
}

void drawTextInRect(Surface &target, const QString &text, int left, int top, int right, int bottom,
                    unsigned format);

// A header of the window frame: the band tiled along the top and its two end pieces.
struct FrameHeader {
    skin::Region band;
    skin::Region left;
    skin::Region right;
};
FrameHeader startHeader();
FrameHeader openHeader();
FrameHeader exerciseHeader();

// Tiles of size step along a run of length: ceil(length / step), the last one clipped.
int tileCount(double length, int step);

void paintSkinFrame(Surface &target, int W, int H, const FrameHeader &header);
void paintFrameCorners(Surface &target, int W, int H);
