// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Fonts.h"

#include "ui/skin/BoldText.h"

namespace fonts {

void ensureTahoma()
{
    boldText::install();
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        return;
    registerTahoma();
}

} // namespace fonts
