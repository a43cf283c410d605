// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Outcomes.h"

#include <QString>

// The controls of the exercise window as the engine sees them. The window implements
// this by forwarding to its widgets; tests can implement it with plain fields.
class ExerciseControls {
public:
    virtual ~ExerciseControls() = default;

    virtual void setShuffleCaption(const QString &caption) = 0;   // btnKaristir
    virtual void setShuffleEnabled(bool enabled) = 0;
    virtual void setStartCaption(const QString &caption) = 0;     // btnStart
    virtual void setStartEnabled(bool enabled) = 0;
    virtual void setTimerOn(bool on) = 0;                         // trmSure
    virtual void setTimeText(const QString &text) = 0;            // txtSure
    virtual QString yourAnswer() const = 0;                       // txtYourAnswer
    virtual void setYourAnswer(const QString &text) = 0;
    // The answer box's look: as typed, or coloured right or wrong after a check.
    virtual void setYourAnswerOutcome(CheckOutcome outcome) = 0;
    virtual void setYourAnswerLocked(bool locked) = 0;
    virtual void focusYourAnswer() = 0;
    virtual void setCorrectAnswer(const QString &text) = 0;       // txtCorrectAnswer
    // Tells assistive technology what the colours show, such as "Correct, 487".
    virtual void announceOutcome(const QString &text) = 0;
    // Tells assistive technology what just started or stopped, such as "Stopwatch started":
    // a caption's change alone is not heard.
    virtual void announce(const QString &text) = 0;
    // Attempt label 1 to 3 (lbDeneme1..3): caption and outcome, which its look shows.
    virtual void setAttemptLabel(int n, const QString &caption, CheckOutcome outcome) = 0;
    virtual void setAverageCaption(const QString &caption) = 0;  // lbAverage
    virtual void arrangeScoreLabels() = 0;
};
