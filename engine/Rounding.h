// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cfenv>
#include <cmath>

// Whole numbers and two-decimal values are rounded to the nearest, halves to the even
// neighbour (422.5 -> 422, 123.5 -> 124), the program's one rounding rule.
inline long long roundHalfEven(double v)
{
    // nearbyint follows the current rounding mode, which is round-to-nearest-even.
    return static_cast<long long>(std::nearbyint(v));
}

inline int roundToInt(double v) { return static_cast<int>(roundHalfEven(v)); }

// Hundredths of a single-precision time, halves to even.
inline long long hundredthsOf(float seconds)
{
    return roundHalfEven(static_cast<double>(seconds) * 100.0);
}

inline float roundToHundredths(float seconds)
{
    return static_cast<float>(static_cast<double>(hundredthsOf(seconds)) / 100.0);
}
