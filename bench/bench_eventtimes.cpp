// SPDX-License-Identifier: GPL-3.0-or-later
// The program on a real X server (run by tests/e2e/xvfb-run.sh) while load processes it
// starts itself keep both cores busy: how far each stopwatch reading is from the interval
// between its two events as the X server stamped them (recorded through the RECORD
// extension), how long a START click on the start window takes to the exercise window's
// first complete paint, and an Escape that stops the stopwatch to the painted "START".
// The two latencies compare the server's stamps with the monotonic clock, which is the
// X server's own clock when Xvfb runs on this machine.
#include "BenchSupport.h"
#include "tools/inputrecorder/InputRecorder.h"

#include "app/App.h"
#include "app/ExerciseWindow.h"
#include "app/StartWindow.h"
#include "app/WindowRegistry.h"
#include "engine/Clock.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPaintEvent>
#include <QTimer>

#include <cmath>
#include <optional>

namespace {

constexpr int kRuns = 20;
// A person clicks START a moment after the start window is back, not within milliseconds
// of it: the pointer has to travel from Back, and a hand reacts in a fifth of a second at
// best. The program has that moment for itself before each START click.
constexpr int kPersonsPauseMs = 250;

QPoint centreOf(const QWidget *w) { return w->mapToGlobal(w->rect().center()); }

using e2e::xdotool;

bool waitUntil(const std::function<bool()> &condition, int ms = 15000)
{
    const QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

int fail(int line)
{
    std::fprintf(stderr, "bench_eventtimes: the program did not follow (line %d)\n", line);
    return 1;
}

double secondsNow() { return engine::clock().monotonicSeconds(); }

double sinceStamp(const e2e::RecordedEvent &e, double at)
{
    // The server's clock in milliseconds, 32 bits: the monotonic clock's, wrapped.
    const auto nowMs = static_cast<std::uint32_t>(static_cast<std::uint64_t>(at * 1000.0));
    return static_cast<std::int32_t>(nowMs - e.serverMs) / 1000.0 + std::fmod(at * 1000.0, 1.0) / 1000.0;
}

// Notes the moment the exercise window has painted and flushed for the first time: the
// pass that delivers its first paint event ends before a zero timer started then fires.
// (The START click's own xdotool call returns long after that, so its return is no
// measure of the paint.)
class FirstExercisePaint : public QObject {
public:
    std::optional<double> paintedAt;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !armed_ && watched == windows::loadedExerciseWindow()) {
            armed_ = true;
            QTimer::singleShot(0, this, [this] { paintedAt = secondsNow(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool armed_ = false;
};

// Notes the moment a widget has painted with the text it shows.
class PaintWatch : public QObject {
public:
    std::optional<double> paintedAt;
    QString wanted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !paintedAt && static_cast<QPushButton *>(watched)->text() == wanted)
            paintedAt = secondsNow();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    const int processes = qEnvironmentVariableIsSet("BENCH_LOAD_PROCESSES")
                              ? qEnvironmentVariableIntValue("BENCH_LOAD_PROCESSES")
                              : 3;
    std::optional<e2e::Load> load;
    if (processes > 0)
        load.emplace(processes, 600);
    e2e::InputRecorder recorder;
    if (!recorder.start(QStringLiteral(VELANTRA_RECORDER)) || !app::startUp()) {
        std::fprintf(stderr, "bench_eventtimes: no recorder or no program\n");
        return 1;
    }
    StartWindow &main = windows::frmMain();
    waitUntil([&] { return main.isActiveWindow(); }, 30000);

    std::vector<double> offs, toPaint, toCaption;
    const char *gaps[] = {"0.437", "1.053", "0.781", "1.667", "0.523", "1.391", "0.915", "1.129", "0.659", "1.804"};
    for (int i = 0; i < kRuns; ++i) {
        // START on the start window, to the exercise window's first complete paint.
        const QDeadlineTimer pause(kPersonsPauseMs);
        waitUntil([&] { return pause.hasExpired(); });
        int mark = recorder.events().size();
        FirstExercisePaint firstPaint;
        application.installEventFilter(&firstPaint);
        if (!xdotool(QStringLiteral("mousemove --sync %1 %2 click 1").arg(centreOf(main.btnStart.get()).x()).arg(centreOf(main.btnStart.get()).y())))
            return fail(__LINE__);
        if (!waitUntil([&] { return firstPaint.paintedAt.has_value(); }))
            return fail(__LINE__);
        application.removeEventFilter(&firstPaint);
        const auto click = recorder.waitFor(QStringLiteral("ButtonRelease"), QStringLiteral("1"), mark);
        if (click)
            toPaint.push_back(sinceStamp(*click, *firstPaint.paintedAt));
        ExerciseWindow &ex = *windows::loadedExerciseWindow();
        waitUntil([&] { return ex.isActiveWindow(); });

        // A timed run: START clicked, Escape after a gap.
        PaintWatch watch;
        watch.wanted = QStringLiteral("START");
        const QPoint start = centreOf(ex.btnStart.get());
        mark = recorder.events().size();
        if (!xdotool(QStringLiteral("mousemove --sync %1 %2 click 1").arg(start.x()).arg(start.y())))
            return fail(__LINE__);
        waitUntil([&] { return ex.state().running; });
        ex.btnStart->installEventFilter(&watch);
        if (!xdotool(QStringLiteral("sleep %1 key Escape").arg(QLatin1String(gaps[i % std::size(gaps)]))))
            return fail(__LINE__);
        int at = -1;
        const auto started = recorder.waitFor(QStringLiteral("ButtonRelease"), QStringLiteral("1"), mark, 15000, &at);
        const auto stopped = started ? recorder.waitFor(QStringLiteral("KeyPress"), QStringLiteral("Escape"), at + 1)
                                     : std::nullopt;
        waitUntil([&] { return !ex.state().running && watch.paintedAt; });
        if (started && stopped && watch.paintedAt) {
            offs.push_back(std::abs(ex.state().elapsed - e2e::secondsBetween(*started, *stopped)));
            toCaption.push_back(sinceStamp(*stopped, *watch.paintedAt));
        }
        ex.btnStart->removeEventFilter(&watch);
        ex.btnBack_Click();
        // The next click must find the start window: the window manager takes away the
        // exercise window's frame, and gives the start window the focus, in its own time.
        waitUntil([&] { return !windows::loadedExerciseWindow() && QApplication::activeWindow() == &main; });
    }

    const QString load_ = processes > 0 ? QStringLiteral(", %1 busy").arg(processes) : QStringLiteral(", quiet");
    bench::row(QStringLiteral("reading off the X server interval, median") + load_, bench::ms(bench::median(offs)),
               QStringLiteral("<= 5 ms"));
    bench::row(QStringLiteral("reading off the X server interval, worst") + load_, bench::ms(bench::worst(offs)),
               QStringLiteral("<= 5 ms"));
    bench::row(QStringLiteral("START click to exercise window painted, median"), bench::ms(bench::median(toPaint)),
               QStringLiteral("<= 16.7 ms"));
    bench::row(QStringLiteral("START click to exercise window painted, worst"), bench::ms(bench::worst(toPaint)),
               QStringLiteral("-"));
    bench::row(QStringLiteral("STOP key to \"START\" shown, median"), bench::ms(bench::median(toCaption)),
               QStringLiteral("-"));
    bench::row(QStringLiteral("STOP key to \"START\" shown, worst"), bench::ms(bench::worst(toCaption)),
               QStringLiteral("-"));
    bench::row(QStringLiteral("timed runs measured"), QString::number(offs.size()), QString::number(kRuns));
    windows::Unload(main);
    return 0;
}
