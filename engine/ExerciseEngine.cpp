// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ExerciseEngine.h"

#include "engine/Clock.h"
#include "engine/ExerciseControls.h"
#include "engine/Grid.h"
#include "engine/Rounding.h"
#include "engine/TimeText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString kShuffle = QStringLiteral("SHUFFLE");
const QString kStop = QStringLiteral("STOP");
const QString kStart = QStringLiteral("START");
const QString kNoTime = QStringLiteral("--:--");
const QString kPrefixes[3] = {QStringLiteral("1st : "), QStringLiteral("2nd : "), QStringLiteral("3rd : ")};
const QString kAveragePrefix = QStringLiteral("TIME : ");

// The sum of a grid whose every cell holds a digit; nothing for a blank grid.
std::optional<int> gridSum(const Grid &grid)
{
    int sum = 0;
    for (int row = 0; row < 10; ++row) {
        for (int col = 0; col < 10; ++col) {
            bool ok = false;
            const int digit = grid.textMatrix(row, col).toInt(&ok);
            if (!ok)
                return std::nullopt;
            sum += digit;
        }
    }
    return sum;
}

bool isCorrectTime(float t) { return !std::signbit(t); }

} // namespace

ExerciseEngine::ExerciseEngine(Grid &grid, ExerciseControls &controls,
                               std::function<bool()> competitionMode, QObject *parent)
    : QObject(parent), grid_(grid), controls_(controls), competitionMode_(std::move(competitionMode))
{
    // One re-rolled cell per pass of the event loop: every pending event is handled
    // between two cells, without a nested event loop.
    passTimer_.setInterval(0);
    connect(&passTimer_, &QTimer::timeout, this, [this] { shufflePass(); });
}

void ExerciseEngine::load()
{
    state_ = ExerciseState{};
    checkedWhileTiming_ = false;
    checkedWhileShuffling_ = false;
    showEmptyRecord();
    controls_.setYourAnswer(QString());
    controls_.setCorrectAnswer(QString());
    controls_.setYourAnswerOutcome(CheckOutcome::Unchecked);
    if (!competitionMode_())
        fillGrid();
    grid_.setColAlignment(-1, 4);
}

void ExerciseEngine::discard()
{
    state_.shuffling = false;
    state_.running = false;
    passTimer_.stop();
    controls_.setTimerOn(false);
}

int ExerciseEngine::randomDigit()
{
    return static_cast<int>(engine::random().next() * 9.0) + 1;
}

int ExerciseEngine::randomIndex()
{
    return static_cast<int>(engine::random().next() * 10.0);
}

void ExerciseEngine::fillGrid()
{
    engine::random().reseed();
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 10; ++col)
            grid_.setTextMatrix(row, col, QString::number(randomDigit()));
}

void ExerciseEngine::rerollOneCell()
{
    // Row, column, digit: drawn in this order.
    const int row = randomIndex();
    const int col = randomIndex();
    const int digit = randomDigit();
    grid_.setTextMatrix(row, col, QString::number(digit));
    ++rerolled_;
}

void ExerciseEngine::runShuffle()
{
    engine::random().reseed();
    rerollOneCell();
    passTimer_.start();
}

void ExerciseEngine::shufflePass()
{
    if (!state_.shuffling) {
        passTimer_.stop();
        return;
    }
    rerollOneCell();
}

void ExerciseEngine::btnKaristir_Click()
{
    if (state_.shuffling) {
        stopShuffle();
        return;
    }
    if (state_.attemptNumber > 3)
        resetAttempts();
    startShuffle();
}

void ExerciseEngine::setAllDigits(DigitOutcome outcome)
{
    grid_.setDigitOutcome(0, 0, grid_.rows() - 1, grid_.cols() - 1, outcome);
}

void ExerciseEngine::startShuffle()
{
    if (grid_.textMatrix(0, 0).isEmpty())
        fillGrid();
    setAllDigits(DigitOutcome::Shown);
    checkedWhileShuffling_ = false;
    state_.shuffling = true;
    controls_.setShuffleCaption(kStop);
    controls_.setTimerOn(false);
    controls_.setStartCaption(kStart);
    controls_.setTimeText(QString());
    state_.running = false;
    clearAnswerBoxes();
    controls_.setStartEnabled(false);
    controls_.announce(QStringLiteral("Shuffling"));
    runShuffle();
}

void ExerciseEngine::clearAnswerBoxes()
{
    controls_.setYourAnswer(QString());
    controls_.setCorrectAnswer(QString());
    controls_.setYourAnswerOutcome(CheckOutcome::Unchecked);
}

void ExerciseEngine::stopShuffle()
{
    state_.shuffling = false;
    controls_.setShuffleCaption(kShuffle);
    controls_.announce(QStringLiteral("Shuffle stopped"));
    controls_.setStartEnabled(true);
    controls_.setYourAnswerLocked(false);
    // The next attempt starts with empty answer boxes, whatever was checked meanwhile.
    if (checkedWhileShuffling_) {
        clearAnswerBoxes();
        checkedWhileShuffling_ = false;
    }
    if (competitionMode_())
        btnStart_Click();
}

void ExerciseEngine::btnStart_Click()
{
    if (state_.running)
        stopStopwatch();
    else
        startStopwatch();
}

void ExerciseEngine::startStopwatch()
{
    controls_.setStartCaption(kStop);
    checkedWhileTiming_ = false;
    // From the moment of the click or key press that started it, however long that event
    // waited for its handler.
    state_.startTime = engine::momentOfInput();
    controls_.setTimerOn(true);
    state_.running = true;
    controls_.setShuffleEnabled(false);
    controls_.announce(QStringLiteral("Stopwatch started"));
}

void ExerciseEngine::stopStopwatch()
{
    controls_.setStartCaption(kStart);
    controls_.setTimerOn(false);
    // The last tick can be up to a tick old: the attempt ends at the moment of STOP, the
    // moment its click or key press was stamped.
    takeReading(engine::momentOfInput());
    state_.running = false;
    controls_.announce(QStringLiteral("Stopwatch stopped at %1").arg(timetext::spokenTime(state_.elapsed)));
    controls_.focusYourAnswer();
    controls_.setShuffleEnabled(true);
    // A check while timing has already revealed the digits; stopping does not hide them again.
    if (competitionMode_() && !checkedWhileTiming_)
        setAllDigits(DigitOutcome::Hidden);
}

void ExerciseEngine::takeReading(double at)
{
    // A stop stamped a moment before the start (the two read on different clocks) is a
    // run of no length.
    const double since = std::max(0.0, at - state_.startTime);
    state_.elapsed = roundToHundredths(static_cast<float>(since));
    const QString text = timetext::runningText(state_.elapsed);
    if (text != state_.shownTime) {
        controls_.setTimeText(text);
        state_.shownTime = text;
    }
}

void ExerciseEngine::trmSure_Timer()
{
    // A tick queued just before STOP must not move the recorded reading.
    if (!state_.running)
        return;
    takeReading(engine::clock().monotonicSeconds());
}

void ExerciseEngine::Form_KeyDown(int keyCode, int /*shift*/)
{
    if (keyCode != kKeyEscape && keyCode != kKeyEnter)
        return;
    if (state_.running)
        stopStopwatch();
    if (state_.shuffling)
        stopShuffle();
}

void ExerciseEngine::btnCheck_Click()
{
    // A blank grid (Competition Mode before the first shuffle) has no sum to show.
    const std::optional<int> sum = gridSum(grid_);
    if (!sum)
        return;
    const QString sumText = QString::number(*sum);
    controls_.setCorrectAnswer(sumText);
    checkedWhileTiming_ = checkedWhileTiming_ || state_.running;
    checkedWhileShuffling_ = checkedWhileShuffling_ || state_.shuffling;
    controls_.setStartEnabled(false);
    controls_.setYourAnswerLocked(true);
    const bool correct = controls_.yourAnswer() == sumText;
    controls_.setYourAnswerOutcome(correct ? CheckOutcome::Right : CheckOutcome::Wrong);
    controls_.announceOutcome(correct ? QStringLiteral("Correct, %1").arg(sumText)
                                      : QStringLiteral("Wrong, the sum is %1").arg(sumText));
    if (competitionMode_())
        setAllDigits(DigitOutcome::Shown);

    const float t = correct ? state_.elapsed : -state_.elapsed;
    const int n = state_.attemptNumber;
    if (n >= 1 && n <= 3) {
        float *times[3] = {&state_.attemptTime1, &state_.attemptTime2, &state_.attemptTime3};
        *times[n - 1] = t;
        controls_.setAttemptLabel(n, kPrefixes[n - 1] + timetext::formatTime(state_.elapsed),
                                  correct ? CheckOutcome::Right : CheckOutcome::Wrong);
        if (correct) {
            // Wrong attempts are stored negated and stay out of the average.
            float total = 0.0f;
            int count = 0;
            for (int i = 0; i < n; ++i) {
                if (isCorrectTime(*times[i])) {
                    total += *times[i];
                    ++count;
                }
            }
            controls_.setAverageCaption(kAveragePrefix + timetext::formatTime(total / static_cast<float>(count)));
        } else {
            controls_.setAverageCaption(kAveragePrefix + kNoTime);
        }
    }
    controls_.arrangeScoreLabels();
    if (state_.attemptNumber < std::numeric_limits<std::int16_t>::max())
        ++state_.attemptNumber;
}

void ExerciseEngine::btnReset_Click()
{
    resetAttempts();
}

void ExerciseEngine::resetAttempts()
{
    state_.attemptTime1 = state_.attemptTime2 = state_.attemptTime3 = 0.0f;
    state_.attemptNumber = 1;
    showEmptyRecord();
    controls_.announce(QStringLiteral("Record cleared"));
}

void ExerciseEngine::showEmptyRecord()
{
    for (int n = 1; n <= 3; ++n)
        controls_.setAttemptLabel(n, kPrefixes[n - 1] + kNoTime, CheckOutcome::Unchecked);
    controls_.setAverageCaption(kAveragePrefix + kNoTime);
}
