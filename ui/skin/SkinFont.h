// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

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
