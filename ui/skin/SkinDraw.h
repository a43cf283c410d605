// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/SkinRegions.h"

#include <QString>

#include <cstdint>

class Surface;

// Of the state that crosses windows, the part the drawing primitives write.
namespace modMain {
// A rectangle by its edges, the right and bottom ones outside it.
struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};
// The scratch rectangle of every text draw: the last one drawTextInRect was given.
extern Rect textRect;
} // namespace modMain

// The drawing primitives: 1:1 copies from the skin template, text in rectangles, and
// the window frame built from template tiles.

// Where drawTextInRect puts its line of text in the rectangle.
enum class TextFormat {
    LeftTop,             // at the top left corner
    CentredAcross,       // centred across, at the top
    CentredBothWays,     // centred across and down
};

void copyFromTemplate(Surface &target, int dx, int dy, int w, int h, int sx, int sy);
inline void copyFromTemplate(Surface &target, int dx, int dy, const skin::Region &r)
{
    copyFromTemplate(target, dx, dy, r.w, r.h, r.x, r.y);
}

void drawTextInRect(Surface &target, const QString &text, int left, int top, int right, int bottom,
                    TextFormat format);

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
