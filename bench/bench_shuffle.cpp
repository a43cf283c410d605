// SPDX-License-Identifier: GPL-3.0-or-later
// The shuffle on the real exercise window: how many cells it re-rolls per second, how
// often the grid is painted meanwhile, and how soon a STOP click ends it.

#include "app/Fonts.h"
#include "app/WindowRegistry.h"
#include "app/StartWindow.h"
#include "app/ExerciseWindow.h"
#include "app/SharedState.h"
#include "ui/exercise/QuestionGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "BenchSupport.h"

namespace {

// Time this thread spent on a processor: on a shared machine the wall-clock latency
// also counts the while another process had the processor.
qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

void printLatency(const QString &what, const std::vector<double> &us)
{
    const auto inUs = [](double v) { return QString::number(v, 'f', 1) + QStringLiteral(" us"); };
    bench::row(what + QStringLiteral(", median"), inUs(bench::median(us)), QStringLiteral("<= 1000 us"));
    bench::row(what + QStringLiteral(", worst"), inUs(bench::worst(us)), QStringLiteral("<= 1000 us"));
}

void runEventLoopFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// A left click as the window system delivers it: press and release, queued.
void postClick(QWidget *button)
{
    const QPointF local = button->rect().center();
    const QPointF global = button->mapToGlobal(local);
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, local, local, global,
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, local, local, global,
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VELANTRA_SCREEN_CONFIG);
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    fonts::ensureTahoma();

    StartWindow &main = windows::frmMain();
    main.Show();
    // Show Mode: stopping the shuffle does not start the stopwatch between trials.
    (*main.optMode[0])->setChecked(true);
    main.btnStart_Click();
    ExerciseWindow &exercise = windows::frmVelantra();
    runEventLoopFor(200);

    // Throughput: the shuffle runs in the event loop for about three seconds.
    const quint64 cellsBefore = exercise.engine().cellsRerolled();
    const int paintsBefore = exercise.gSoru->paintCount();
    QElapsedTimer clock;
    clock.start();
    exercise.btnKaristir->click();
    runEventLoopFor(3000);
    exercise.btnKaristir->click();
    const double seconds = clock.nsecsElapsed() / 1e9;
    const quint64 cells = exercise.engine().cellsRerolled() - cellsBefore;
    const int paints = exercise.gSoru->paintCount() - paintsBefore;

    // Latency: from a posted STOP click to the shuffle having ended.
    constexpr int kTrials = 50;
    std::vector<double> latenciesUs;
    std::vector<double> cpuLatenciesUs;
    qint64 postedAt = 0;
    qint64 endedAt = 0;
    qint64 postedCpu = 0;
    qint64 endedCpu = 0;
    QEventLoop *waiting = nullptr;
    // Runs after the window's own click handler, which is connected first.
    QObject::connect(exercise.btnKaristir.get(), &QPushButton::clicked, &application, [&] {
        if (!exercise.state().shuffling && waiting) {
            endedAt = clock.nsecsElapsed();
            endedCpu = threadCpuNs();
            waiting->quit();
        }
    });
    int failed = 0;
    for (int trial = 0; trial < kTrials; ++trial) {
        exercise.btnKaristir->click();
        QEventLoop loop;
        waiting = &loop;
        endedAt = 0;
        // Into the shuffle for a varying while, then the click arrives between two passes.
        QTimer::singleShot(15 + trial % 7, &loop, [&] {
            postedAt = clock.nsecsElapsed();
            postedCpu = threadCpuNs();
            postClick(exercise.btnKaristir.get());
        });
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
        waiting = nullptr;
        if (endedAt == 0 || exercise.state().shuffling) {
            ++failed;
            if (exercise.state().shuffling)
                exercise.btnKaristir->click();
            continue;
        }
        latenciesUs.push_back((endedAt - postedAt) / 1e3);
        cpuLatenciesUs.push_back((endedCpu - postedCpu) / 1e3);
    }

    bench::row(QStringLiteral("shuffle: re-rolled cells per second"), QString::number(cells / seconds, 'f', 0),
               QStringLiteral(">= 200000"));
    bench::row(QStringLiteral("shuffle: grid paints per second"), QString::number(paints / seconds, 'f', 1),
               QStringLiteral("~60"));
    if (!latenciesUs.empty()) {
        printLatency(QStringLiteral("shuffle: posted STOP to shuffle ended"), latenciesUs);
        printLatency(QStringLiteral("shuffle: the same, on the processor"), cpuLatenciesUs);
    }
    bench::row(QStringLiteral("shuffle: STOP trials that did not end in 2 s"), QString::number(failed), QStringLiteral("0"));

    windows::Unload(main);
    return failed ? 1 : 0;
}
