// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a start-up child reports to the benchmark that started it: the monotonic clock at
// its first paint and its resident memory, on one line of standard output.

#include <QByteArray>
#include <QFile>
#include <QList>

#include <cstdio>
#include <time.h>

namespace startupProbe {

inline qint64 monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

inline double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// "painted <monotonic ns> <resident MB>"
inline void report(qint64 paintedAt, double residentMb)
{
    std::printf("painted %lld %.2f\n", static_cast<long long>(paintedAt), residentMb);
    std::fflush(stdout);
}

} // namespace startupProbe
