// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the exercise shows, in its own terms; the windows choose the look of each
// (ui/skin/Look.h), so the engine holds no colour.

// The digits of the question grid: readable, or hidden while the sum is typed.
enum class DigitOutcome { Shown, Hidden };

// An answer or an attempt: not checked yet (no time recorded), right or wrong.
enum class CheckOutcome { Unchecked, Right, Wrong };
