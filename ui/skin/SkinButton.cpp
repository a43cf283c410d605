// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/SkinButton.h"

#include "engine/Rounding.h"
#include "ui/skin/Capture.h"
#include "ui/skin/Look.h"
#include "ui/skin/SkinDraw.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

// A state letter's row of the template and caption colour.
struct ButtonFace {
    int row;
    QRgb textColour;
};

bool faceOf(const QString &letter, ButtonFace &face)
{
    if (letter == QLatin1String("N"))
        face = {skin::kButtonRowNormal, look::colour(look::Colour::ButtonText)};
    else if (letter == QLatin1String("H"))
        face = {skin::kButtonRowHover, look::colour(look::Colour::ButtonHotText)};
    else if (letter == QLatin1String("P"))
        face = {skin::kButtonRowPressed, look::colour(look::Colour::ButtonHotText)};
    else
        return false;
    return true;
}

// Below this the caption cannot shrink further; it is then clipped.
constexpr double kSmallestCaptionPoints = 1.0;

} // namespace

void drawSkinButton(Surface &target, const QString &letter, const QString &caption)
{
    ButtonFace face;
    if (!faceOf(letter, face))
        return;
    const double w = target.width();
    for (int i = 0; w / 10 > i; ++i)
        copyFromTemplate(target, 10 * i, 0, skin::skinButtonBody(face.row));
    copyFromTemplate(target, 0, 0, skin::skinButtonLeftCap(face.row));
    copyFromTemplate(target, roundToInt(w - 20), 0, skin::skinButtonRightCap(face.row));

    SkinFont font = target.skinFont();
    while (w - 20 < target.TextWidth(caption) && font.points - 1 >= kSmallestCaptionPoints) {
        font.points -= 1;
        target.setSkinFont(font);
    }
    target.setForeColor(face.textColour);
    drawTextInRect(target, caption, 0, 0, roundToInt(w), roundToInt(target.height()), TextFormat::CentredBothWays);
}

SkinButton::SkinButton(const QString &caption, QWidget *parent) : Surface(parent), caption_(caption)
{
    setBackColor(look::qcolour(look::Colour::ButtonBack));
    // Reached with Tab like the platform's buttons; a click leaves the window anyway.
    setFocusPolicy(Qt::TabFocus);
}

QRect SkinButton::focusMarkRect() const
{
    // Clear of the 20-pixel rounded caps and of the bar's top and bottom edges.
    return rect().adjusted(12, 8, -13, -9);
}

void SkinButton::paintEvent(QPaintEvent *event)
{
    Surface::paintEvent(event);
    if (!hasFocus())
        return;
    // The dotted focus frame of the skin's push buttons, in the caption's colour.
    QPainter p(this);
    p.setPen(QPen(QColor::fromRgb(foreColor()), 1, Qt::DotLine));
    p.drawRect(focusMarkRect());
}

void SkinButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        event->accept();
        press();
        return;
    }
    Surface::keyPressEvent(event);
}

void SkinButton::focusInEvent(QFocusEvent *event)
{
    Surface::focusInEvent(event);
    update();
}

void SkinButton::focusOutEvent(QFocusEvent *event)
{
    Surface::focusOutEvent(event);
    update();
}

bool SkinButton::hitTest(double x, double y, double w, double h)
{
    return x > 0 && x <= w && y > 0 && y <= h;
}

void SkinButton::paintResting()
{
    drawPersistently([this] {
        Cls();
        drawSkinButton(*this, QStringLiteral("N"), caption_);
    });
}

void SkinButton::onMouseMove(int buttons, int, double x, double y)
{
    const bool inside = hitTest(x, y, width(), height());
    const bool held = capture::get() == this;
    if (hot_ == 1 && !inside && held)
        drawSkinButton(*this, QStringLiteral("N"), caption_);
    if (!inside && held) {
        capture::release();
        hot_ = 0;
    }
    if (inside && hot_ == 0) {
        drawSkinButton(*this, buttons == 1 ? QStringLiteral("P") : QStringLiteral("H"), caption_);
        capture::set(this);
        hot_ = 1;
    }
    setMousePointer(hot_ == 1 ? Custom : Arrow);
}

void SkinButton::onMouseDown(int, int, double, double)
{
    if (hot_ == 1)
        drawSkinButton(*this, QStringLiteral("P"), caption_);
}

void SkinButton::press()
{
    hot_ = 1;
    onClick();
}

void SkinButton::onClick()
{
    if (hot_ == 0)
        return;
    if (capture::get() == this)
        capture::release();
    paintResting();
    hot_ = 0;
    if (clicked_)
        clicked_();
}
