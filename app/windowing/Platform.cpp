// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Platform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTime>

#include <chrono>
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
        engine_.seed(seq);
    }
    double next() override { return dist_(engine_); }
private:
    std::mt19937_64 engine_;
    std::uniform_real_distribution<double> dist_{0.0, 1.0};
};

struct Services {
    std::optional<ScreenMetrics> screen;
    std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    std::unique_ptr<RandomSource> random = std::make_unique<SystemRandom>();
    platform::MessageBoxHook messageBoxHook;
    std::function<void()> endHook;
    bool endRequested = false;
    int initialWindowState = 0;
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

Clock &clock() { return *services().clock; }

void setClock(std::unique_ptr<Clock> c)
{
    services().clock = c ? std::move(c) : std::make_unique<SystemClock>();
}

RandomSource &random() { return *services().random; }

void setRandom(std::unique_ptr<RandomSource> r)
{
    services().random = r ? std::move(r) : std::make_unique<SystemRandom>();
}

int initialWindowState() { return services().initialWindowState; }
void setInitialWindowState(int state) { services().initialWindowState = state; }

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

SeededRandom::SeededRandom(unsigned seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

double SeededRandom::next()
{
    // splitmix64: small, fast and good enough for repeatable test sequences.
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}
