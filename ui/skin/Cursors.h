// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPoint>

// The program's own pointer and icon, drawn with the skin.
namespace skinCursors {
// One of the images the program embeds (its name without .png), decoded when it was
// built; null when missing.
QImage embeddedImage(const QString &name);
// The hand's hot spot, the tip of its index finger, in pixels at scale 1; the artwork
// (tools/skingen) draws the finger there.
inline constexpr QPoint kHandHotSpot{12, 1};
QCursor hand();
QIcon appIcon();
} // namespace skinCursors
