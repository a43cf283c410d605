// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/start/StartScreen.h"

#include "engine/Rounding.h"
#include "ui/skin/Look.h"
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
            window.setSkinFont(look::font(look::Font::OpenTitle));
        } else {
            // The title in dark red over a white shadow, the slogan and the logo below.
            const QString title = QStringLiteral("SPEED VELANTRA");
            // Size and weight from the look; the face stays the window's own, Tahoma until
            // the open view has set Arial.
            SkinFont titleFont = window.skinFont();
            titleFont.bold = look::font(look::Font::StartTitle).bold;
            titleFont.points = look::font(look::Font::StartTitle).points;
            window.setSkinFont(titleFont);
            window.setForeColor(look::colour(look::Colour::StartTitleShadow));
            drawTextInRect(window, title, 4, 77, w, h, TextFormat::CentredAcross);
            window.setForeColor(look::colour(look::Colour::StartTitle));
            drawTextInRect(window, title, 0, 75, w, h, TextFormat::CentredAcross);
            const int y = startLayout::logoTop(window.ScaleHeight(), window.TextHeight(title));
            copyFromTemplate(window, startLayout::centredLeft(w, skin::startLogo.w), y, skin::startLogo);
            copyFromTemplate(window, startLayout::centredLeft(w, skin::startSlogan.w), y - 75, skin::startSlogan);
        }
        paintFrameCorners(window, w, h);
    });
}

} // namespace startScreen
