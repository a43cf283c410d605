// SPDX-License-Identifier: GPL-3.0-or-later
// Times the exercise window's layout-and-paint pass, frames included, at the largest and
// the smallest window the program makes. Prints the median and the worst pass.

#include "app/Fonts.h"

#include "BenchSupport.h"
#include "BenchWindows.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWarmUp = 20;
constexpr int kPasses = 300;

void measure(int screenW, int screenH)
{
    bench::Windows windows(screenW, screenH);
    ExerciseWindow &exercise = windows.openExercise(true);
    QCoreApplication::processEvents();
    for (int i = 0; i < kWarmUp; ++i)
        exercise.drawExerciseScreen();

    std::vector<qint64> ns;
    ns.reserve(kPasses);
    QElapsedTimer timer;
    for (int i = 0; i < kPasses; ++i) {
        timer.start();
        exercise.drawExerciseScreen();
        // The window keeps what it draws as a list and paints it on its next repaint: the
        // pass is done when the window has painted it.
        exercise.repaint();
        ns.push_back(timer.nsecsElapsed());
        // Let the refreshes of the controls it moved happen between passes, as on screen.
        QCoreApplication::processEvents();
    }
    std::sort(ns.begin(), ns.end());
    const double median = ns[ns.size() / 2] / 1e6;
    const double worst = ns.back() / 1e6;
    const QString size = QStringLiteral("%1 x %2").arg(exercise.ScaleWidth()).arg(exercise.ScaleHeight());
    bench::row(QStringLiteral("layout: drawExerciseScreen %1, median").arg(size), bench::ms(median / 1e3),
               QStringLiteral("< 2 ms"));
    bench::row(QStringLiteral("layout: drawExerciseScreen %1, worst").arg(size), bench::ms(worst / 1e3),
               QStringLiteral("< 2 ms"));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fonts::ensureTahoma();
    measure(1280, 800);
    measure(1024, 768);
    return 0;
}
