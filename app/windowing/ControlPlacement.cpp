// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Control.h"

#include "engine/Rounding.h"

#include <QFontMetrics>

void Control::Move(double left, double top)
{
    Move(left, top, geom_.width(), geom_.height());
}

void Control::Move(double left, double top, double width, double height)
{
    const bool resized = width != geom_.width() || height != geom_.height();
    geom_ = QRectF(left, top, width, height);
    apply();
    if (resized && onResize_)
        onResize_();
}

void Control::setSize(double width, double height)
{
    geom_.setSize(QSizeF(width, height));
    apply();
}

void Control::apply()
{
    widget_->setGeometry(roundToInt(geom_.x()), roundToInt(geom_.y()), roundToInt(geom_.width()),
                         roundToInt(geom_.height()));
}

void AutoLabel::setCaption(const QString &text)
{
    get()->setText(text);
    fitToText();
}

void AutoLabel::setFont(const QFont &font)
{
    get()->setFont(font);
    fitToText();
}

void AutoLabel::fitToText()
{
    const QFontMetrics metrics(get()->font());
    setSize(metrics.horizontalAdvance(get()->text()), metrics.height());
}
