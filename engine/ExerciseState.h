// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

// One record per exercise window, created and discarded with it.
struct ExerciseState {
    std::int16_t attemptNumber = 1;
    float attemptTime1 = 0.0f;   // negated when the attempt's answer was wrong
    float attemptTime2 = 0.0f;
    float attemptTime3 = 0.0f;
    bool shuffling = false;
    bool running = false;
    double startTime = 0.0;      // monotonic clock reading at START, seconds
    float elapsed = 0.0f;        // stopwatch reading, rounded to hundredths
    QString shownTime;           // the text last written to the running box
};
