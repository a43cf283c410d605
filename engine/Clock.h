// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

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
} // namespace engine
