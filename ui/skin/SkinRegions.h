// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <vector>

// Every rectangle of the skin template that the painters read, in template pixels
// (scale 1). Regions anchored to the right or bottom edge take the template's size.
namespace skin {

inline constexpr int kTemplateWidth = 1280;
inline constexpr int kTemplateHeight = 800;

// The template's frame colours are in the look (ui/skin/Look.h, the Template roles).
inline constexpr int kMarginTop = 23;
inline constexpr int kMarginSide = 15;                 // left, right and bottom

struct Region {
    int x, y, w, h;
    constexpr QRect rect() const { return QRect(x, y, w, h); }
};

constexpr Region frameBottomEdge(int th) { return {50, th - 20, 10, 20}; }
constexpr Region frameLeftEdge() { return {0, 260, 20, 10}; }
constexpr Region frameRightEdge(int tw) { return {tw - 20, 260, 20, 10}; }
constexpr Region frameCornerBottomLeft(int th) { return {0, th - 40, 40, 40}; }
constexpr Region frameCornerBottomRight(int tw, int th) { return {tw - 40, th - 40, 40, 40}; }

inline constexpr Region startTopBand{220, 0, 10, 97};
inline constexpr Region startCornerTopLeft{0, 0, 50, 50};
constexpr Region startCornerTopRight(int tw) { return {tw - 30, 0, 30, 60}; }
inline constexpr Region startLogo{68, 241, 435, 300};
inline constexpr Region startSlogan{728, 241, 436, 45};

inline constexpr Region openTopBand{400, 97, 10, 97};
inline constexpr Region openHeaderLeft{195, 97, 195, 97};
inline constexpr Region openHeaderRight{422, 97, 30, 97};
inline constexpr Region exerciseTopBand{400, 122, 10, 35};
inline constexpr Region exerciseHeaderLeft{195, 122, 200, 72};
inline constexpr Region exerciseHeaderRight{422, 122, 30, 46};
// The header artwork spans these rows and columns; the three variants above cut it.
inline constexpr QRect headerArtwork{195, 97, 257, 97};

inline constexpr Region panelEdgeTop{562, 282, 4, 4};
inline constexpr Region panelEdgeBottom{562, 365, 4, 4};
inline constexpr Region panelEdgeLeft{544, 303, 4, 4};
inline constexpr Region panelEdgeRight{656, 303, 4, 4};
inline constexpr Region panelCornerTopLeft{544, 282, 10, 10};
inline constexpr Region panelCornerTopRight{650, 282, 10, 10};
inline constexpr Region panelCornerBottomLeft{544, 359, 10, 10};
inline constexpr Region panelCornerBottomRight{650, 359, 10, 10};
// The whole panel-frame sample the pieces above are cut from.
inline constexpr QRect panelFrameSample{544, 282, 116, 87};

// Caption-button glyphs: 17 x 15 cells at x = 89 + 17 column, y = 179 + 15 row.
inline constexpr int kGlyphX = 89;
inline constexpr int kGlyphY = 179;
inline constexpr int kGlyphW = 17;
inline constexpr int kGlyphH = 15;
enum GlyphRow { GlyphNormal = 0, GlyphHover = 1, GlyphPressed = 2 };
inline constexpr int kGlyphColumnBackdrop = 0;   // up-and-down arrows
inline constexpr int kGlyphColumnMinimise = 1;   // a short bar
inline constexpr int kGlyphColumnClose = 4;      // a cross
inline constexpr int kGlyphColumnInactive = 5;   // grey outlined square, normal row only
constexpr Region captionGlyph(int column, int row)
{
    return {kGlyphX + kGlyphW * column, kGlyphY + kGlyphH * row, kGlyphW, kGlyphH};
}

// Skinned button bars: three 50-pixel rows, columns 68 to 247.
inline constexpr int kButtonRowNormal = 593;
inline constexpr int kButtonRowHover = 643;
inline constexpr int kButtonRowPressed = 693;
inline constexpr int kButtonBarX = 68;
inline constexpr int kButtonBarW = 180;
constexpr Region skinButtonLeftCap(int y) { return {68, y, 20, 50}; }
constexpr Region skinButtonBody(int y) { return {90, y, 10, 50}; }
constexpr Region skinButtonRightCap(int y) { return {228, y, 20, 50}; }

// The parts of the template that the painters read, each enclosing one or more of the
// regions above; no pixel outside them is ever copied.
inline std::vector<QRect> templateParts(int tw, int th)
{
    const QRect glyphs(kGlyphX, kGlyphY, kGlyphW * 6, kGlyphH * 3);
    const QRect buttonBars(kButtonBarX, kButtonRowNormal, kButtonBarW, kButtonRowPressed + 50 - kButtonRowNormal);
    return {startCornerTopLeft.rect(), startTopBand.rect(), startCornerTopRight(tw).rect(), headerArtwork,
            glyphs, frameLeftEdge().rect(), frameRightEdge(tw).rect(), frameBottomEdge(th).rect(),
            frameCornerBottomLeft(th).rect(), frameCornerBottomRight(tw, th).rect(), startLogo.rect(),
            startSlogan.rect(), panelFrameSample, buttonBars};
}

} // namespace skin
