// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Fonts.h"

#include "ui/skin/BoldText.h"
#include "ui/skin/SkinFont.h"

#include <QFontInfo>

namespace fonts {

void ensureTahoma()
{
    boldText::install();
    if (!tahomaKnown())
        registerTahoma();
}

void warnIfNoFace(const QFont &shown)
{
    // The toolkit's generic families are listed even then; a font that resolves to no
    // face tells. A font already shown is asked, so no other face is loaded for this.
    if (QFontInfo(shown).family().isEmpty())
        qWarning("No font is installed: texts are shown as boxes. Install fonts-wine and fonts-liberation2.");
}

} // namespace fonts
