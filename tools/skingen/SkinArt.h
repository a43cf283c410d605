// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/Cursors.h"

#include <QImage>
#include <QPoint>
#include <array>

// The program's artwork, drawn from code: the skin template, the icon and the hand
// cursor. skingen writes these to assets/; the tests redraw them and compare.
namespace skinart {

// The template at 1280 x 800 times `scale` (1 or 2), opaque RGB. At scale 2 the same
// vector artwork is drawn at twice the resolution, so every region sits at twice
// its scale-1 coordinates.
QImage drawSkinTemplate(int scale);

// The program's icon: a square `size` x `size` image with alpha.
QImage drawAppIcon(int size);
// Every size the icon is drawn and installed at (the build's VELANTRA_ICON_SIZES).
inline constexpr std::array kAppIconSizes{VELANTRA_ICON_SIZES};

// A 32 x 32 (times `scale`) pointing hand with alpha. The hot spot is at the tip of
// the index finger, in scale-1 pixels.
QImage drawHandCursor(int scale);
inline constexpr QPoint kHandHotSpot = skinCursors::kHandHotSpot;
inline constexpr int kHandSize = 32;

// Registers Tahoma from the Wine font files when fontconfig does not know it.
// Needs a QGuiApplication. Returns whether the family is available afterwards.
bool ensureTahoma();

} // namespace skinart
