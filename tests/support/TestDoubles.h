// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Stand-ins for the clock and the random source, installed with engine::setClock and
// engine::setRandom.

#include "engine/Clock.h"

#include <cstdint>

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
    explicit SeededRandom(unsigned seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    void reseed() override {}
    double next() override
    {
        // splitmix64: small, fast and good enough for repeatable test sequences.
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) * 0x1.0p-53;
    }

private:
    std::uint64_t state_;
};
