// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Clock.h"

#include <QTime>

#include <chrono>
#include <cstdint>
#include <random>

namespace {

class SystemClock : public Clock {
public:
    double monotonicSeconds() const override
    {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    }
    double secondsSinceMidnight() const override
    {
        return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    }
};

class SystemRandom : public RandomSource {
public:
    SystemRandom() { reseed(); }
    void reseed() override
    {
        // Mix the time of day with the monotonic clock so two reseeds in one
        // millisecond still differ.
        const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        std::seed_seq seq{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                          static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay())};
        generator_.seed(seq);
    }
    double next() override { return uniform_(generator_); }

private:
    std::mt19937_64 generator_;
    std::uniform_real_distribution<double> uniform_{0.0, 1.0};
};

std::unique_ptr<Clock> &clockInUse()
{
    static std::unique_ptr<Clock> c = std::make_unique<SystemClock>();
    return c;
}

std::unique_ptr<RandomSource> &randomInUse()
{
    static std::unique_ptr<RandomSource> r = std::make_unique<SystemRandom>();
    return r;
}

std::optional<double> &currentInputMoment()
{
    static std::optional<double> moment;
    return moment;
}

} // namespace

namespace engine {

InputMoment::InputMoment(std::optional<double> seconds)
{
    if (!seconds)
        return;
    previous_ = currentInputMoment();
    currentInputMoment() = seconds;
    set_ = true;
}

InputMoment::~InputMoment()
{
    if (set_)
        currentInputMoment() = previous_;
}

double momentOfInput()
{
    const double now = clock().monotonicSeconds();
    const std::optional<double> moment = currentInputMoment();
    if (!moment || *moment > now || *moment < now - kOldestInputMoment)
        return now;
    return *moment;
}

Clock &clock() { return *clockInUse(); }

void setClock(std::unique_ptr<Clock> c)
{
    clockInUse() = c ? std::move(c) : std::make_unique<SystemClock>();
}

RandomSource &random() { return *randomInUse(); }

void setRandom(std::unique_ptr<RandomSource> r)
{
    randomInUse() = r ? std::move(r) : std::make_unique<SystemRandom>();
}

} // namespace engine
