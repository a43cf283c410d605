// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>

// The program's own pointer and icon, drawn with the skin.
namespace skinCursors {
// One of the images the program embeds (its name without .png), decoded when it was
// built; null when missing.
QImage embeddedImage(const QString &name);
QCursor hand();
QIcon appIcon();
} // namespace skinCursors
