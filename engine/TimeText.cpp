// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TimeText.h"

#include "engine/Rounding.h"

#include <QLocale>

#include <cstdlib>

namespace timetext {

QString decimalSeparator()
{
    return QLocale().decimalPoint();
}

// Seconds text of a count of hundredths below one minute (or negative).
static QString secondsOfCents(long long cents, const QString &separator)
{
    const long long whole = cents / 100;
    const long long frac = std::llabs(cents % 100);
    QString text = QString::number(whole) + separator + QStringLiteral("%1").arg(frac, 2, 10, QLatin1Char('0'));
    text = (QStringLiteral("000") + text).right(5);
    text.replace(QLatin1Char(','), QLatin1Char(':'));
    return text;
}

// Minutes and seconds are split after rounding to hundredths, so that 119.996 reads
// "2:00:00" and never "1:60:00".
static QString withMinutes(long long cents, const QString &separator)
{
    return QString::number(cents / 6000) + QLatin1Char(':') + secondsOfCents(cents % 6000, separator);
}

QString formatTime(float t, const QString &separator)
{
    const long long cents = hundredthsOf(t);
    if (cents >= 6000)
        return withMinutes(cents, separator);
    return secondsOfCents(cents, separator);
}

QString runningText(float elapsed, const QString &separator)
{
    const long long cents = hundredthsOf(elapsed);
    if (cents < 6000)
        return QStringLiteral("0:") + secondsOfCents(cents, separator);
    return withMinutes(cents, separator);
}

QString spokenTime(float t)
{
    // Words, not the box's "0:04:44": a speech synthesiser reads colons as pauses.
    const long long cents = std::llabs(hundredthsOf(t));
    const long long minutes = cents / 6000;
    const QString seconds = QStringLiteral("%1.%2 seconds")
                                .arg((cents % 6000) / 100)
                                .arg(cents % 100, 2, 10, QLatin1Char('0'));
    if (minutes == 0)
        return seconds;
    return QStringLiteral("%1 %2 %3").arg(minutes).arg(minutes == 1 ? QStringLiteral("minute") : QStringLiteral("minutes"), seconds);
}

} // namespace timetext
