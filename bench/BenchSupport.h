// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

// Every benchmark prints its figures as rows "figure | value | target", which the bench
// target gathers into one table.
namespace bench {

inline void row(const QString &figure, const QString &value, const QString &target)
{
    std::printf("| %-52s | %16s | %-14s |\n", qPrintable(figure), qPrintable(value), qPrintable(target));
    std::fflush(stdout);
}

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline double worst(const std::vector<double> &v)
{
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

inline QString ms(double seconds) { return QString::number(seconds * 1000.0, 'f', 3) + QStringLiteral(" ms"); }

} // namespace bench
