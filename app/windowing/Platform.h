// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// Runtime services the program takes from its surroundings: the screen, the clock, the
// random generator, the message box and the end of the process. Each can be replaced,
// so tests can simulate a screen, drive the clock and fix the random sequence.

class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic seconds: attempts are timed with this, never with the time of day.
    virtual double monotonicSeconds() const = 0;
    // The time of day in seconds since midnight; only used to seed the random generator.
    virtual double secondsSinceMidnight() const = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;        // from the clock
    virtual double next() = 0;        // uniform in [0, 1)
};

struct ScreenMetrics {
    int widthPx = 1280;               // logical pixels
    int heightPx = 800;
    double twipsPerPixelX = 15.0;
    double twipsPerPixelY = 15.0;
    // The desktop work area in pixels; empty when it cannot be had.
    std::optional<QRect> workArea;

    double widthTwips() const { return widthPx * twipsPerPixelX; }
    double heightTwips() const { return heightPx * twipsPerPixelY; }
};

namespace platform {

// The primary screen, or the simulated one a test installed.
ScreenMetrics screen();
void setScreen(std::optional<ScreenMetrics> simulated);

Clock &clock();
void setClock(std::unique_ptr<Clock> clock);      // nullptr restores the system clock

RandomSource &random();
void setRandom(std::unique_ptr<RandomSource> random);  // nullptr restores the default

// A text with an OK button, captioned with the program's title.
void messageBox(const QString &text);
using MessageBoxHook = std::function<void(const QString &text, const QString &caption)>;
void setMessageBoxHook(MessageBoxHook hook);

// Ends the process: leaves the event loop, or records the request where no loop runs.
void endProcess();
bool endRequested();
void setEndHook(std::function<void()> hook);
void resetEndRequest();

QString programTitle();

// The window state new windows start in (1 when the process was started minimised).
int initialWindowState();
void setInitialWindowState(int state);

} // namespace platform

// A clock the test moves by hand.
class ManualClock : public Clock {
public:
    double monotonicSeconds() const override { return now; }
    double secondsSinceMidnight() const override { return midnightOffset + now; }
    void advance(double seconds) { now += seconds; }
    double now = 1000.0;
    double midnightOffset = 0.0;
};

// A seeded generator whose reseed keeps the sequence repeatable.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(unsigned seed);
    void reseed() override {}
    double next() override;
private:
    std::uint64_t state_;
};
