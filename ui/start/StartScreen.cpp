// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/start/StartScreen.h"

#include "engine/Rounding.h"
#include "ui/skin/SkinDraw.h"
#include "ui/skin/Surface.h"
#include "ui/start/StartLayout.h"

namespace startScreen {

void draw(Surface &window, bool exerciseOpen)
{
    const int h = roundToInt(window.ScaleHeight());
    const int w = roundToInt(window.ScaleWidth());
    window.drawPersistently([&] {
        window.Cls();
        paintSkinFrame(window, w, h, exerciseOpen ? openHeader() : startHeader());
        if (exerciseOpen) {
            window.setSkinFont(SkinFont{QStringLiteral("Arial"), 12, true, false});
        } else {
            // The title in dark red over a white shadow, the slogan and the logo below.
            const QString title = QStringLiteral("SPEED VELANTRA");
            SkinFont titleFont = window.skinFont();
            titleFont.bold = true;
            titleFont.points = 28;
            window.setSkinFont(titleFont);
            window.setForeColor(0xFFFFFFFF);
            drawTextInRect(window, title, 4, 77, w, h, TextFormat::CentredAcross);
            window.setForeColor(0xFFC00000);
            drawTextInRect(window, title, 0, 75, w, h, TextFormat::CentredAcross);
            const int y = startLayout::logoTop(window.ScaleHeight(), window.TextHeight(title));
            copyFromTemplate(window, startLayout::centredLeft(w, skin::startLogo.w), y, skin::startLogo);
            copyFromTemplate(window, startLayout::centredLeft(w, skin::startSlogan.w), y - 75, skin::startSlogan);
        }
        paintFrameCorners(window, w, h);
    });
}

} // namespace startScreen
