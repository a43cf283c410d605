// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of start-up with this toolkit: a bare Qt Widgets program that registers the
// same two Tahoma files as the program and paints one frameless 1280 x 800 window. It
// reports the moment of its first paint and its resident memory then.
#include "StartupProbe.h"

#include "ui/skin/SkinFont.h"
#include "ui/skin/Look.h"
#include "ui/skin/SkinRegions.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class PaintedWindow : public QWidget {
public:
    PaintedWindow() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    bool painted = false;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).fillRect(rect(), look::qcolour(look::Colour::WindowBack));
        painted = true;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    registerTahoma();
    PaintedWindow window;
    window.setGeometry(0, 0, 1280, 800);
    window.show();
    while (!window.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const qint64 paintedAt = startupProbe::monotonicNanoseconds();
    QCoreApplication::processEvents();
    startupProbe::report(paintedAt, startupProbe::residentMegabytes());
    return 0;
}
