// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchSupport.h"

#include "app/App.h"
#include "app/WindowRegistry.h"
#include "app/StartWindow.h"
#include "app/ExerciseWindow.h"
#include "app/SharedState.h"
#include "engine/Clock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>

#include <cmath>
#include <random>

// The stopwatch against the monotonic clock: over timed attempts of random length, how
// far the recorded time is from the true time at the stop (beyond the rounding to
// hundredths), and how far the shown text ever falls behind the true time.
namespace {

double shownSeconds(const QString &text)
{
    // "m:ss?cc" with the locale's separator, or ':' for a decimal comma.
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 2)
        return -1;
    QString seconds = parts.mid(1).join(QLatin1Char('.'));
    return parts[0].toDouble() * 60.0 + seconds.toDouble();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale::c());
    if (!app::startUp())
        return 1;
    StartWindow &main = windows::frmMain();
    (*main.optMode[0])->setChecked(true);
    main.btnStart_Click();
    ExerciseWindow &exercise = windows::frmVelantra();

    const int attempts = 200;
    std::mt19937 random(20261210);
    std::uniform_real_distribution<double> length(0.02, 0.2);
    std::vector<double> stopErrors;
    std::vector<double> lags;
    Clock &clock = engine::clock();

    for (int i = 0; i < attempts; ++i) {
        exercise.btnStart_Click();
        const double started = clock.monotonicSeconds();
        const double end = started + length(random);
        const QMetaObject::Connection watch = QObject::connect(&exercise.trmSure, &QTimer::timeout, &exercise, [&] {
            // Right after the tick was handled the text must show the reading of now,
            // at most one tick behind.
            const double behind = (clock.monotonicSeconds() - started) - shownSeconds(exercise.txtSure->text());
            lags.push_back(behind);
        });
        while (clock.monotonicSeconds() < end)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        const double stoppedTrue = clock.monotonicSeconds() - started;
        exercise.btnStart_Click();
        QObject::disconnect(watch);
        const double recorded = exercise.state().elapsed;
        stopErrors.push_back(std::max(0.0, std::abs(recorded - stoppedTrue) - 0.005));
    }

    bench::row(QStringLiteral("stopwatch: error at stop beyond hundredths, median"), bench::ms(bench::median(stopErrors)),
               QStringLiteral("< 1 ms"));
    bench::row(QStringLiteral("stopwatch: error at stop beyond hundredths, worst"), bench::ms(bench::worst(stopErrors)),
               QStringLiteral("< 1 ms"));
    bench::row(QStringLiteral("stopwatch: shown text behind true time, median"), bench::ms(bench::median(lags)),
               QStringLiteral("<= 10 ms tick"));
    bench::row(QStringLiteral("stopwatch: shown text behind true time, worst"), bench::ms(bench::worst(lags)),
               QStringLiteral("<= 10 ms tick"));
    windows::Unload(main);
    return 0;
}
