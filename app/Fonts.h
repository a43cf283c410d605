// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFontDatabase>
#include <QStandardPaths>

namespace fonts {
// Makes "Tahoma" available: registers the copy that the system's font packages install
// outside the font configuration, when the system does not know Tahoma already, and has
// the widgets draw that copy's bold face heavier than it is (boldText::install).
void ensureTahoma();
// Registers the regular and bold Tahoma files found among the system's data files. Inline,
// so the start-up benchmark's bare Qt program registers them exactly as the program does
// without linking the program's code.
inline void registerTahoma()
{
    for (const char *file : {"wine/fonts/tahoma.ttf", "wine/fonts/tahomabd.ttf"}) {
        const QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation, QString::fromLatin1(file));
        if (!path.isEmpty())
            QFontDatabase::addApplicationFont(path);
    }
}
} // namespace fonts
