// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>

// The time and the chance the exercise runs on. Both can be replaced, so tests can drive
// the clock and fix the random sequence.
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

namespace engine {
Clock &clock();
void setClock(std::unique_ptr<Clock> clock);            // nullptr restores the system clock
RandomSource &random();
void setRandom(std::unique_ptr<RandomSource> random);   // nullptr restores the default

// The moment of the input event being handled (a click, a key press), on the clock's
// monotonic seconds, while its handlers run. On a busy machine an event waits in the
// queue before its handler runs; the stopwatch starts and stops at the moment the window
// system stamped the event, not at the handler. Scopes nest; an empty one hides nothing.
class InputMoment {
public:
    explicit InputMoment(std::optional<double> seconds);
    ~InputMoment();
    InputMoment(const InputMoment &) = delete;
    InputMoment &operator=(const InputMoment &) = delete;

private:
    std::optional<double> previous_;
    bool set_ = false;
};

// How far back an event's moment may lie before it is taken for a wrong stamp.
inline constexpr double kOldestInputMoment = 2.0;

// The moment of the event being handled, when there is one and it is plausible (not in
// the future, not older than kOldestInputMoment); otherwise the clock now.
double momentOfInput();
} // namespace engine
