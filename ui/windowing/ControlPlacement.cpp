// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowing/ControlPlacement.h"

#include "engine/Rounding.h"

#include <QFontMetrics>

void ControlPlacement::Move(double left, double top)
{
    Move(left, top, geom_.width(), geom_.height());
}

bool ControlPlacement::Move(double left, double top, double width, double height)
{
    const bool resized = width != geom_.width() || height != geom_.height();
    geom_ = QRectF(left, top, width, height);
    apply();
    return resized;
}

void ControlPlacement::setSize(double width, double height)
{
    geom_.setSize(QSizeF(width, height));
    apply();
}

void ControlPlacement::apply()
{
    widget_->setGeometry(roundToInt(geom_.x()), roundToInt(geom_.y()), roundToInt(geom_.width()),
                         roundToInt(geom_.height()));
}

void SelfSizingLabel::setCaption(const QString &text)
{
    get()->setText(text);
    fitToText();
}

void SelfSizingLabel::setFont(const QFont &font)
{
    get()->setFont(font);
    fitToText();
}

void SelfSizingLabel::fitToText()
{
    const QFontMetrics metrics(get()->font());
    setSize(metrics.horizontalAdvance(get()->text()), metrics.height());
}
