#include "BenchSupport.h"

#include "app/App.h"
#include "app/Forms.h"
#include "app/FrmMain.h"
#include "app/FrmVelantra.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <time.h>
#include <unistd.h>

// Start-up time and memory of the real program: from process start to the first
// painted start window, and the resident memory once the exercise window is open.
namespace {

// Seconds since this process was started, from the kernel's record of its start.
double secondsSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();   // field 22 of the whole line
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec + now.tv_nsec / 1e9 - startTicks / sysconf(_SC_CLK_TCK);
}

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    if (!app::startUp())
        return 1;
    FrmMain &main = forms::frmMain();
    while (main.paintCount() == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double fromMain = sinceMain.nsecsElapsed() / 1e9;
    const double fromStart = secondsSinceProcessStart();

    main.btnStart_Click();
    FrmVelantra &exercise = forms::frmVelantra();
    while (exercise.paintCount() == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    const double rss = residentMegabytes();

    bench::row(QStringLiteral("start-up: process start to first paint"), bench::ms(fromStart),
               QStringLiteral("< 150 ms"));
    bench::row(QStringLiteral("start-up: main() to first paint"), bench::ms(fromMain), QStringLiteral("-"));
    bench::row(QStringLiteral("resident memory, exercise window open"), QString::number(rss, 'f', 1) + " MB",
               QStringLiteral("< 60 MB"));
    forms::Unload(main);
    return 0;
}
