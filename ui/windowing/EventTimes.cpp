// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowing/EventTimes.h"

#include "engine/Clock.h"

#include <QGuiApplication>
#include <QInputEvent>

double EventTimeMapping::observe(std::uint32_t stampMs, double nowSeconds)
{
    if (!started_) {
        unwrappedMs_ = stampMs;
    } else {
        // Consecutive stamps are close: their difference read as a signed 32-bit number
        // crosses a wrap of the counter, and an older stamp seen again goes back.
        unwrappedMs_ += static_cast<std::int32_t>(stampMs - lastStamp_);
    }
    lastStamp_ = stampMs;
    const double stamp = static_cast<double>(unwrappedMs_) / 1000.0;
    const double offset = nowSeconds - stamp;
    if (!started_ || offset < offset_ || offset - offset_ > kRelearnAfter)
        offset_ = offset;
    started_ = true;
    return stamp + offset_;
}

namespace eventTimes {
namespace {

EventTimeMapping &mapping()
{
    static EventTimeMapping m;
    return m;
}

std::optional<bool> &platformStampsSetting()
{
    static std::optional<bool> stamps;
    return stamps;
}

bool platformStamps()
{
    if (!platformStampsSetting()) {
        const QString name = QGuiApplication::platformName();
        platformStampsSetting() = name == QLatin1String("xcb") || name.startsWith(QLatin1String("wayland"));
    }
    return *platformStampsSetting();
}

bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

class Watch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        momentOf(*event);
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

std::optional<double> momentOf(const QEvent &event)
{
    // Events the program or a test sends itself carry no time of the window system.
    if (!isInput(event.type()) || !event.spontaneous() || !platformStamps())
        return std::nullopt;
    const auto stamp = static_cast<const QInputEvent &>(event).timestamp();
    if (stamp == 0)
        return std::nullopt;
    return mapping().observe(static_cast<std::uint32_t>(stamp), engine::clock().monotonicSeconds());
}

void watch()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    qApp->installEventFilter(new Watch(qApp));
}

void setPlatformStamps(std::optional<bool> stamps)
{
    platformStampsSetting() = stamps;
}

} // namespace eventTimes

bool StampedButton::event(QEvent *event)
{
    // The click happens inside the handling of the release (or the key) that made it.
    const engine::InputMoment moment(eventTimes::momentOf(*event));
    return QPushButton::event(event);
}
