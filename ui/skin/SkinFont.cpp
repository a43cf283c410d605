// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/SkinFont.h"

#include "engine/Rounding.h"

#include <algorithm>

int SkinFont::pixelSize() const
{
    return std::max(1, roundToInt(points * 4.0 / 3.0));
}

QFont SkinFont::toQFont() const
{
    QFont f(face);
    f.setPixelSize(pixelSize());
    f.setBold(bold);
    f.setUnderline(underline);
    // Whole-pixel glyph positions keep text widths the same as the layout measured them.
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}
