// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Independent witnesses of a timed run on a real X server: the X server's own times of
// the key and button events (record-input.py, through the RECORD extension), and load
// processes that keep every core busy. Both are child processes, ended by their pid.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace e2e {

struct RecordedEvent {
    QString type;      // KeyPress, KeyRelease, ButtonPress, ButtonRelease
    QString detail;    // the key's name ("Escape", "Return", "space") or the button number
    std::uint32_t serverMs = 0;
};

class InputRecorder {
public:
    // Starts recording; false when the recorder did not come up within the deadline.
    bool start(const QString &script, int deadlineMs = 30000)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral("/usr/bin/python3"), {script});
        const QDeadlineTimer deadline(deadlineMs);
        while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
            process_.waitForReadyRead(50);
            if (process_.canReadLine() && process_.readLine().trimmed() == "ready")
                return true;
        }
        return false;
    }

    ~InputRecorder()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // Everything recorded so far.
    const QList<RecordedEvent> &events()
    {
        process_.waitForReadyRead(0);
        while (process_.canReadLine()) {
            const QList<QByteArray> f = process_.readLine().trimmed().split(' ');
            if (f.size() == 3)
                events_.append({QString::fromLatin1(f[0]), QString::fromLatin1(f[1]), f[2].toUInt()});
        }
        return events_;
    }

    // The first event of this type and detail at or after index from, once recorded;
    // the event loop runs while it waits.
    std::optional<RecordedEvent> waitFor(const QString &type, const QString &detail, int from, int deadlineMs = 15000,
                                         int *index = nullptr)
    {
        const QDeadlineTimer deadline(deadlineMs);
        for (;;) {
            const QList<RecordedEvent> &all = events();
            for (int i = from; i < all.size(); ++i) {
                if (all[i].type == type && all[i].detail == detail) {
                    if (index)
                        *index = i;
                    return all[i];
                }
            }
            if (deadline.hasExpired())
                return std::nullopt;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            process_.waitForReadyRead(5);
        }
    }

    // How many events of this type and detail were recorded at or after index from.
    int count(const QString &type, const QString &detail, int from)
    {
        int n = 0;
        const QList<RecordedEvent> &all = events();
        for (int i = from; i < all.size(); ++i)
            n += all[i].type == type && all[i].detail == detail;
        return n;
    }

private:
    QProcess process_;
    QList<RecordedEvent> events_;
};

// One xdotool command line, e.g. "mousemove 10 20 click 1 sleep 0.537 key Escape". The
// program's event loop runs meanwhile, so events wait only as long as the load makes them.
inline bool xdotool(const QString &commands)
{
    QGuiApplication::sync();
    QProcess p;
    p.start(QStringLiteral("xdotool"), commands.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    const QDeadlineTimer deadline(30000);
    while (p.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        p.waitForFinished(1);
    }
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Seconds between two server stamps (the counter wraps at 32 bits).
inline double secondsBetween(const RecordedEvent &first, const RecordedEvent &second)
{
    return static_cast<std::int32_t>(second.serverMs - first.serverMs) / 1000.0;
}

// Busy processes on every core for at most timeoutSeconds (stress-ng), ended with the
// object by their pid.
class Load {
public:
    Load(int processes, int timeoutSeconds)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral("stress-ng"), {QStringLiteral("--cpu"), QString::number(processes),
                                                     QStringLiteral("--timeout"), QString::number(timeoutSeconds),
                                                     QStringLiteral("--quiet")});
        process_.waitForStarted(10000);
    }
    ~Load()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        // stress-ng ends its workers when it is terminated.
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    bool running() const { return process_.state() == QProcess::Running; }

private:
    QProcess process_;
};

} // namespace e2e
