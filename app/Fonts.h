// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QFont;
typedef struct _FcConfig FcConfig;

namespace fonts {
// Makes the font configuration current on a thread of its own, to overlap the opening of
// the display: the program's own (programConfiguration), or the one that fontconfig's
// variables name. ensureTahoma waits for it.
void startReadingConfiguration();
// The program's own font configuration: the faces it draws with, from the system's font
// folders, and Tahoma from tahomaFiles where the folders hold none. Null where fontconfig
// cannot make it; the caller destroys it.
FcConfig *programConfiguration(const QStringList &tahomaFiles);
// Makes "Tahoma" available: registers the copy that the system's font packages install
// outside the font configuration, when the system does not know Tahoma already, and has
// the widgets draw that copy's bold face heavier than it is (boldText::install).
void ensureTahoma();
// Says what to install when a font the program shows resolves to no face at all.
void warnIfNoFace(const QFont &shown);
} // namespace fonts
