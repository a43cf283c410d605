// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time and memory of the real program against the toolkit's floor, measured
// side by side in one run: a bare Qt program (bench_startup_floor) that registers the
// same fonts and paints one 1280 x 800 window, and the program itself (this executable
// started with --program), each started afresh several times, alternately, so both see
// the same machine. Time runs from just before the child is started to its first paint.
#include "BenchSupport.h"
#include "StartupProbe.h"

#include "app/App.h"
#include "app/Fonts.h"
#include "app/WindowRegistry.h"
#include "app/StartWindow.h"
#include "app/ExerciseWindow.h"

#include <QApplication>
#include <QProcess>

#include <cstring>
#include <vector>

namespace {

constexpr int kRuns = 15;

// The program as it starts: the first painted start window is the moment reported;
// the memory is read once the exercise window is open and painted too.
int runProgram(int argc, char *argv[])
{
    fonts::startReadingConfiguration();   // as display::open does
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    if (!app::startUp())
        return 1;
    StartWindow &main = windows::frmMain();
    while (main.paintCount() == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const qint64 paintedAt = startupProbe::monotonicNanoseconds();

    main.btnStart_Click();
    ExerciseWindow &exercise = windows::frmVelantra();
    while (exercise.paintCount() == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    startupProbe::report(paintedAt, startupProbe::residentMegabytes());
    windows::Unload(main);
    return 0;
}

struct Sample {
    double seconds = -1;
    double residentMb = -1;
};

// Starts one child and reads its report; a child that fails gives no sample.
Sample startChild(const QString &program, const QStringList &args)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const qint64 startedAt = startupProbe::monotonicNanoseconds();
    child.start(program, args);
    if (!child.waitForFinished(30000) || child.exitCode() != 0)
        return {};
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 3 || fields[0] != "painted")
        return {};
    return {(fields[1].toLongLong() - startedAt) / 1e9, fields[2].toDouble()};
}

struct Figures {
    std::vector<double> seconds, residentMb;
    void add(const Sample &s)
    {
        if (s.seconds < 0)
            return;
        seconds.push_back(s.seconds);
        residentMb.push_back(s.residentMb);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "--program") == 0)
        return runProgram(argc, argv);

    QCoreApplication application(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    Figures floor, program;
    // One unmeasured start of each fills the file cache.
    startChild(QStringLiteral(VELANTRA_FLOOR_EXECUTABLE), {});
    startChild(self, {QStringLiteral("--program")});
    for (int i = 0; i < kRuns; ++i) {
        floor.add(startChild(QStringLiteral(VELANTRA_FLOOR_EXECUTABLE), {}));
        program.add(startChild(self, {QStringLiteral("--program")}));
    }
    if (floor.seconds.empty() || program.seconds.empty()) {
        std::fprintf(stderr, "bench_startup: a child did not report its first paint\n");
        return 1;
    }

    const double floorTime = bench::median(floor.seconds);
    const double floorMemory = bench::median(floor.residentMb);
    const double programTime = bench::median(program.seconds);
    const double programMemory = bench::median(program.residentMb);
    auto mb = [](double v) { return QString::number(v, 'f', 1) + QStringLiteral(" MB"); };
    bench::row(QStringLiteral("start-up floor: bare Qt window, first paint (median)"), bench::ms(floorTime),
               QStringLiteral("-"));
    bench::row(QStringLiteral("start-up floor: resident memory"), mb(floorMemory), QStringLiteral("-"));
    bench::row(QStringLiteral("start-up: first painted start window (median)"), bench::ms(programTime),
               QStringLiteral("-"));
    bench::row(QStringLiteral("start-up: time against the floor"), QString::number(programTime / floorTime, 'f', 2) + "x",
               QStringLiteral("<= 1.0x"));
    bench::row(QStringLiteral("resident memory, exercise window open (median)"), mb(programMemory),
               QStringLiteral("-"));
    bench::row(QStringLiteral("resident memory above the floor"), mb(programMemory - floorMemory),
               QStringLiteral("<= 8 MB"));
    return 0;
}
