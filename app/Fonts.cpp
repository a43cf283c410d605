// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Fonts.h"

#include "ui/skin/BoldText.h"
#include "ui/skin/SkinFont.h"

namespace fonts {

void ensureTahoma()
{
    boldText::install();
    if (!tahomaKnown())
        registerTahoma();
}

} // namespace fonts
