// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowing/Platform.h"

#include "engine/Rounding.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>


QRect ScreenMetrics::pixelsOf(const TwipsRect &twips) const
{
    return QRect(roundToInt(twips.left / twipsPerPixelX), roundToInt(twips.top / twipsPerPixelY),
                 roundToInt(twips.width / twipsPerPixelX), roundToInt(twips.height / twipsPerPixelY));
}

TwipsRect ScreenMetrics::twipsOf(const QRect &pixels) const
{
    return {pixels.x() * twipsPerPixelX, pixels.y() * twipsPerPixelY, pixels.width() * twipsPerPixelX,
            pixels.height() * twipsPerPixelY};
}

namespace {

struct Services {
    std::optional<ScreenMetrics> screen;
    platform::MessageBoxHook messageBoxHook;
    std::function<void()> endHook;
    bool endRequested = false;
    ShownState initialWindowState = ShownState::Normal;
};

Services &services()
{
    static Services s;
    return s;
}

} // namespace

namespace platform {

ScreenMetrics screen()
{
    if (services().screen)
        return *services().screen;
    ScreenMetrics m;
    if (const QScreen *s = QGuiApplication::primaryScreen()) {
        m.widthPx = s->geometry().width();
        m.heightPx = s->geometry().height();
        const QRect avail = s->availableGeometry();
        if (avail.isValid())
            m.workArea = avail;
    }
    return m;
}

void setScreen(std::optional<ScreenMetrics> simulated) { services().screen = simulated; }

ShownState initialWindowState() { return services().initialWindowState; }
void setInitialWindowState(ShownState state) { services().initialWindowState = state; }

QString programTitle() { return QStringLiteral("Speed Velantra"); }

void messageBox(const QString &text)
{
    if (services().messageBoxHook) {
        services().messageBoxHook(text, programTitle());
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, programTitle(), text, QMessageBox::Ok);
    box.exec();
}

void setMessageBoxHook(MessageBoxHook hook) { services().messageBoxHook = std::move(hook); }

void endProcess()
{
    services().endRequested = true;
    if (services().endHook) {
        services().endHook();
        return;
    }
    // Queued, so the handler that asked for the end still returns normally.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

bool endRequested() { return services().endRequested; }
void setEndHook(std::function<void()> hook) { services().endHook = std::move(hook); }
void resetEndRequest() { services().endRequested = false; }

} // namespace platform
