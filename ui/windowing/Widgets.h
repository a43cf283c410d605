// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/SkinFont.h"

#include <QColor>
#include <QRect>
#include <QWidget>

// Builders for the design-time look of the program's controls.
namespace widgets {

// Creates a control at its design rectangle with its design font.
template <class W, class... Args>
W *make(QWidget *parent, const QRect &design, const SkinFont &font, Args &&...args)
{
    W *w = new W(std::forward<Args>(args)..., parent);
    w->setGeometry(design);
    w->setFont(font.toQFont());
    return w;
}

void setBackground(QWidget *w, const QColor &colour);
void setTextColour(QWidget *w, const QColor &colour);

} // namespace widgets
