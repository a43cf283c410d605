// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Announcer.h"

Announcer::Announcer(QWidget *parent) : QWidget(parent)
{
    // Nothing of it is seen or clicked: the parent's picture shows through.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(0);
    connect(&flushTimer_, &QTimer::timeout, this, [this] { flush(); });
    hide();
}

void Announcer::announce(const QString &text)
{
    pending_ << text;
    flushTimer_.start();
}

void Announcer::flush()
{
    if (pending_.isEmpty())
        return;
    text_ = pending_.join(QStringLiteral(". "));
    pending_.clear();
    // Hidden while its text changes, so the change itself is no event to speak; then it
    // appears with the new text, which is what a screen reader says.
    hide();
    setAccessibleName(text_);
    if (parentWidget() && parentWidget()->isVisible())
        show();
}
