// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Time texts of the stopwatch and the attempt record. The seconds part keeps two
// digits before the separator ("04:44"); a decimal comma becomes ":" and a decimal
// point stays a point, so the text follows the user's locale.
namespace timetext {

// The locale's decimal separator, read afresh so a changed default locale applies.
QString decimalSeparator();

// "m:ss:cc" from one minute on, "ss:cc" below (the attempt and average texts).
QString formatTime(float t, const QString &separator = decimalSeparator());

// What the running box shows: always with a minutes part, "0:04:44".
QString runningText(float elapsed, const QString &separator = decimalSeparator());

// A reading as a screen reader should say it: "4.44 seconds", "1 minute 15.50 seconds".
QString spokenTime(float t);

} // namespace timetext
