// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

#include <cstdint>
#include <optional>

class QEvent;

// The window system stamps every input event with its own time: milliseconds on a clock
// of its own (the X server's time, 32 bits, wrapping after 49.7 days). The mapping puts
// those stamps on the program's monotonic clock. An event is handled some time after it
// was stamped, never before, so the smallest difference seen between the clock at
// handling and the stamp, that of the event that waited least, is the offset between the
// two clocks; it holds for every later stamp.
class EventTimeMapping {
public:
    // An event stamped stampMs is handled at nowSeconds: learns from it and returns the
    // moment of the stamp on the monotonic clock.
    double observe(std::uint32_t stampMs, double nowSeconds);

    // An event that seems to have waited longer than this is taken as a sign that the
    // window system's clock jumped or runs slow, and the offset is learnt afresh from it.
    static constexpr double kRelearnAfter = 1.0;

private:
    bool started_ = false;
    std::uint32_t lastStamp_ = 0;
    std::int64_t unwrappedMs_ = 0;   // the last stamp, counting its wraps
    double offset_ = 0.0;            // monotonic seconds minus stamp seconds
};

namespace eventTimes {

// The moment of an input event on the monotonic clock, where the window system stamped
// it: nothing for other events, for events the program sent itself, and on platforms
// whose events carry no time of the window system (offscreen).
std::optional<double> momentOf(const QEvent &event);

// Learns from every input event the application gets (pointer moves too), so the offset
// is that of the least delayed of them.
void watch();

// Whether the platform's input events carry the window system's time: X11 and Wayland
// do. A test may say otherwise; nothing goes back to asking the platform.
void setPlatformStamps(std::optional<bool> stamps);

} // namespace eventTimes

// A push button whose handlers run at the moment of the click or key press that pressed
// it (engine::InputMoment), as the window system stamped it.
class StampedButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    bool event(QEvent *event) override;
};
