#include "engine/TimeText.h"

#include "engine/Rounding.h"

#include <QLocale>

#include <cmath>

namespace timetext {

QString decimalSeparator()
{
    return QLocale().decimalPoint();
}

QString secondsText(float s, const QString &separator)
{
    const long long cents = hundredthsOf(s);
    const long long whole = cents / 100;
    const long long frac = std::llabs(cents % 100);
    QString text = QString::number(whole) + separator + QStringLiteral("%1").arg(frac, 2, 10, QLatin1Char('0'));
    text = (QStringLiteral("000") + text).right(5);
    text.replace(QLatin1Char(','), QLatin1Char(':'));
    return text;
}

static QString withMinutes(float t, const QString &separator)
{
    const int m = static_cast<int>(std::floor(t / 60.0f));
    const float s = t - 60.0f * static_cast<float>(m);
    return QString::number(m) + QLatin1Char(':') + secondsText(s, separator);
}

QString formatTime(float t, const QString &separator)
{
    if (t >= 60.0f)
        return withMinutes(t, separator);
    return secondsText(t, separator);
}

QString runningText(float elapsed, const QString &separator)
{
    if (elapsed < 60.0f)
        return QStringLiteral("0:") + secondsText(elapsed, separator);
    return withMinutes(elapsed, separator);
}

} // namespace timetext
