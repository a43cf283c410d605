// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the X server itself says about windows, and real input through it: the tools
// x11-utils and xdotool, run as child processes on the test's display.

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QWidget>

#include <cstdlib>

namespace e2e {

// The X window of a top-level widget.
inline unsigned long xid(const QWidget &w) { return static_cast<unsigned long>(w.winId()); }

struct Result {
    int exitCode = -1;
    QString out;
};

inline Result run(const QString &program, const QStringList &args, int timeoutMs = 10000)
{
    // Qt sends its own X requests only when its event loop would block; a test that
    // spins the loop must push them out before it asks the server anything.
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QGuiApplication::sync();
    QProcess p;
    p.start(program, args);
    Result r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    return r;
}

// Real pointer input: the X server moves the pointer and presses the button, and the
// program gets the events as from a user.
inline bool moveTo(QPoint global)
{
    // A synchronous move waits for the pointer to arrive, so it would wait in vain when
    // the pointer is there already.
    const Result at = run(QStringLiteral("xdotool"), {QStringLiteral("getmouselocation")});
    if (at.out.startsWith(QStringLiteral("x:%1 y:%2 ").arg(global.x()).arg(global.y())))
        return true;
    return run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--sync"),
                                           QString::number(global.x()), QString::number(global.y())})
               .exitCode == 0;
}

inline bool clickAt(QPoint global)
{
    return moveTo(global)
        && run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")}).exitCode == 0;
}

// The visible windows of a process, as the X server has them.
inline QList<unsigned long> visibleWindowsOf(qint64 pid)
{
    const e2e::Result r = e2e::run(QStringLiteral("xdotool"),
                                   {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                    QString::number(pid)});
    QList<unsigned long> ids;
    for (const QString &line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        ids << line.toULong();
    return ids;
}

// A visible window of a process other than the one given (the window it opened next),
// 0 while there is none.
inline unsigned long otherVisibleWindowOf(qint64 pid, unsigned long known)
{
    for (unsigned long id : visibleWindowsOf(pid))
        if (id != known)
            return id;
    return 0;
}

// How long a program started by a test may take to show its first window: a deadline,
// met at once on a quiet machine, generous for a busy one.
inline constexpr int kStartDeadlineMs = 60000;

// The first visible window with this name, once there is one; 0 when none comes.
inline unsigned long windowNamed(const QString &name)
{
    // A search walks every window on the server; one destroyed under it (a program that
    // replaces its first windows, another test's program ending) fails the whole search
    // with an X error, so a failed search is made again until the deadline.
    const QDeadlineTimer deadline(kStartDeadlineMs);
    for (;;) {
        const int left = int(deadline.remainingTime());
        const Result r = run(QStringLiteral("xdotool"),
                             {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                              QStringLiteral("--name"), QStringLiteral("^%1$").arg(name)},
                             left);
        if (r.exitCode == 0)
            return r.out.split(QLatin1Char('\n')).first().toULong();
        if (deadline.hasExpired())
            return 0;
        QThread::msleep(50);
    }
}

// A window as the X server has it.
struct XWindow {
    bool found = false;
    QRect geometry;      // absolute, in screen pixels
    bool viewable = false;
};

inline XWindow xwininfo(unsigned long id)
{
    XWindow w;
    const Result r = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(id)});
    if (r.exitCode != 0)
        return w;
    auto field = [&](const char *name) {
        const QRegularExpression re(QStringLiteral("%1:\\s+(-?\\d+)").arg(QLatin1String(name)));
        return re.match(r.out).captured(1).toInt();
    };
    w.found = true;
    w.geometry = QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                       field("Height"));
    w.viewable = r.out.contains(QLatin1String("Map State: IsViewable"));
    return w;
}

// The managed windows from bottom to top, as the window manager stacks them.
inline QList<unsigned long> stackingOrder()
{
    const Result r = run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<unsigned long> ids;
    const QRegularExpression re(QStringLiteral("0x[0-9a-fA-F]+"));
    for (auto it = re.globalMatch(r.out); it.hasNext();)
        ids << it.next().captured(0).toULong(nullptr, 16);
    return ids;
}

// The window's place from the bottom of the stack, or -1 when it is not stacked.
inline int stackIndex(unsigned long id)
{
    return int(stackingOrder().indexOf(id));
}

// The ICCCM state: 1 normal, 3 iconic (minimised), 0 withdrawn or unknown.
inline int wmState(unsigned long id)
{
    const Result r = run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(id), QStringLiteral("WM_STATE")});
    if (r.out.contains(QLatin1String("Iconic")))
        return 3;
    if (r.out.contains(QLatin1String("Normal")))
        return 1;
    return 0;
}

// The screen and the desktop's work area (the screen less its task bars), as the X server
// and the window manager publish them.
inline QRect rootGeometry()
{
    const Result r = run(QStringLiteral("xwininfo"), {QStringLiteral("-root")});
    const QRegularExpression width(QStringLiteral("Width:\\s+(\\d+)")), height(QStringLiteral("Height:\\s+(\\d+)"));
    return QRect(0, 0, width.match(r.out).captured(1).toInt(), height.match(r.out).captured(1).toInt());
}

inline QRect workArea()
{
    const Result r = run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_WORKAREA")});
    const QRegularExpression re(QStringLiteral("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)"));
    const QRegularExpressionMatch m = re.match(r.out);
    if (!m.hasMatch())
        return QRect();
    return QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
}

// The window the window manager made active, 0 for none.
inline unsigned long activeWindow()
{
    const Result r = run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_ACTIVE_WINDOW")});
    const QRegularExpression re(QStringLiteral("0x[0-9a-fA-F]+"));
    return re.match(r.out).captured(0).toULong(nullptr, 16);
}

// Real key strokes to whatever window has the X input focus, e.g. "Tab", "space", "7".
inline bool typeKeys(const QStringList &keys)
{
    return run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + keys).exitCode == 0;
}

// Asks the window manager to activate a window, as a task bar or a pager does; a
// minimised window is restored first.
inline bool activateFromOutside(unsigned long id)
{
    return run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QString::number(id)}).exitCode == 0;
}

// Another X client destroys the window (XDestroyWindow).
inline bool destroyFromOutside(unsigned long id)
{
    return run(QStringLiteral("xdotool"), {QStringLiteral("windowclose"), QString::number(id)}).exitCode == 0;
}

// The window manager minimises the window, as its own button would.
inline bool minimiseFromOutside(unsigned long id)
{
    return run(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), QString::number(id)}).exitCode == 0;
}

inline bool nearColour(QRgb pixel, int r, int g, int b, int tolerance = 2)
{
    return std::abs(qRed(pixel) - r) <= tolerance && std::abs(qGreen(pixel) - g) <= tolerance
        && std::abs(qBlue(pixel) - b) <= tolerance;
}

// A backdrop pixel: every channel at most 80, the gradient's brightest value.
inline bool isGradient(QRgb pixel)
{
    return qRed(pixel) <= 81 && qGreen(pixel) <= 81 && qBlue(pixel) <= 81;
}

} // namespace e2e
