// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>

// The program's own pointer and icon, drawn with the skin.
namespace skinCursors {
QCursor hand();
QIcon appIcon();
} // namespace skinCursors
