// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/Capture.h"

#include <QWidget>

namespace capture {

void set(QWidget *w)
{
    if (w && QWidget::mouseGrabber() != w)
        w->grabMouse();
}

QWidget *get()
{
    return QWidget::mouseGrabber();
}

void release()
{
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
}

} // namespace capture
