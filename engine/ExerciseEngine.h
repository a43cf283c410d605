// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ExerciseState.h"
#include "engine/KeyCodes.h"
#include "engine/Outcomes.h"

#include <QObject>
#include <QTimer>

#include <functional>

class ExerciseControls;
class Grid;

// The exercise of one window: the grid and its shuffle, the stopwatch, the answer
// check and the record of attempts. It drives the window's controls through
// ExerciseControls and the grid through Grid, and keeps no widget of its own.
class ExerciseEngine : public QObject {
public:
    static constexpr int kKeyEscape = keyCodes::kEscape;
    static constexpr int kKeyEnter = keyCodes::kEnter;

    ExerciseEngine(Grid &grid, ExerciseControls &controls, std::function<bool()> competitionMode,
                   QObject *parent = nullptr);

    const ExerciseState &state() const { return state_; }

    // The exercise window's load: a fresh record, cleared texts, the grid filled in Show Mode.
    void load();
    // The window is going away: no more shuffle passes and no more ticks.
    void discard();

    void fillGrid();
    void runShuffle();
    void startShuffle();
    void stopShuffle();
    void btnKaristir_Click();

    void btnStart_Click();
    void startStopwatch();
    void stopStopwatch();
    void trmSure_Timer();
    void Form_KeyDown(int keyCode, int shift);

    void btnCheck_Click();
    void btnReset_Click();
    void resetAttempts();
    // Every attempt and TIME as "--:--", none of them checked.
    void showEmptyRecord();

    // Cells re-rolled since the window opened (for the shuffle benchmark).
    quint64 cellsRerolled() const { return rerolled_; }

private:
    int randomDigit();
    int randomIndex();
    void rerollOneCell();
    void shufflePass();
    // The reading at a moment of the monotonic clock, shown when its text changed.
    void takeReading(double at);
    void setAllDigits(DigitOutcome outcome);
    void clearAnswerBoxes();

    Grid &grid_;
    ExerciseControls &controls_;
    std::function<bool()> competitionMode_;
    ExerciseState state_;
    QTimer passTimer_;
    quint64 rerolled_ = 0;
    // The sum was shown while this stopwatch run was timing: stopping it keeps the
    // digits visible, as they are what the sum is checked against.
    bool checkedWhileTiming_ = false;
    // The sum was shown during this shuffle: it belongs to digits that have changed since.
    bool checkedWhileShuffling_ = false;
};
