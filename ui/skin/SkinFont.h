// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// A font as the program names it: a face, a size in points and a weight. Sizes become
// pixels as at 96 dpi (points x 4/3), so the layout does not move with the screen's dpi.
struct SkinFont {
    QString face = QStringLiteral("Tahoma");
    double points = 8.25;
    bool bold = false;
    bool underline = false;

    int pixelSize() const;
    QFont toQFont() const;
};

inline SkinFont tahoma(double points, bool bold = false)
{
    return SkinFont{QStringLiteral("Tahoma"), points, bold, false};
}

// The regular and bold Tahoma files that the system's font packages install outside the
// font configuration, those of them that are there.
inline QStringList tahomaFiles()
{
    QStringList found;
    for (const char *file : {"wine/fonts/tahoma.ttf", "wine/fonts/tahomabd.ttf"}) {
        const QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation, QString::fromLatin1(file));
        if (!path.isEmpty())
            found << path;
    }
    return found;
}

// Registers those files with the toolkit. Inline, so that tools and the start-up
// benchmark's bare Qt program register them exactly as the program does without linking
// its code.
inline void registerTahoma()
{
    for (const QString &path : tahomaFiles())
        QFontDatabase::addApplicationFont(path);
}

inline bool tahomaKnown()
{
    return QFontDatabase::families().contains(QStringLiteral("Tahoma"));
}
