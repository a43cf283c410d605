// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Accessibility.h"
#include "ui/windowing/ControlPlacement.h"
#include "ui/windowing/Form.h"
#include "engine/ExerciseControls.h"
#include "engine/ExerciseEngine.h"
#include "ui/exercise/ExerciseScreen.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <array>

class Announcer;
class QuestionGrid;
class SkinButton;

// The exercise window (frmVelantra): the question grid on the left, the score and control
// panels on the right, the Back button below them. It lies over the start window, which
// owns it.
class ExerciseWindow : public Form, private ExerciseControls {
public:
    ExerciseWindow();

    void Form_Load() override;
    void Form_Resize() override;
    void Form_KeyDown(int keyCode, int shift) override;

    // The whole layout, step by step (exerciseScreen::draw).
    void drawExerciseScreen();
    void arrangeScoreLabels() override;
    // The parts the exercise screen lays out and paints, by their names.
    exerciseScreen::Parts screenParts();

    // The handlers, by their names; the engine runs the exercise.
    void btnKaristir_Click() { engine_.btnKaristir_Click(); }
    void btnStart_Click() { engine_.btnStart_Click(); }
    void btnCheck_Click() { engine_.btnCheck_Click(); }
    void btnReset_Click() { engine_.btnReset_Click(); }
    void trmSure_Timer() { engine_.trmSure_Timer(); }
    void btnBack_Click();

    const ExerciseState &state() const { return engine_.state(); }
    ExerciseEngine &engine() { return engine_; }
    int btnBackHot() const;
    // What assistive technology was last told (the outcome of a check, a start or a stop).
    Announcer &announcer() { return *announcer_; }

    // The controls, by their names.
    PlacedControl<SkinButton> btnBack;
    PlacedControl<Surface> pKontrol;               // "control" panel
    PlacedControl<QuestionGrid> gSoru;             // "question" grid
    PlacedControl<QPushButton> btnKaristir;        // "shuffle": SHUFFLE / STOP
    PlacedControl<QPushButton> btnStart;           // the stopwatch's START / STOP
    PlacedControl<PacedTextBox> txtSure;           // "time": the stopwatch's text box
    std::array<SelfSizingLabel, 2> lbBilgi;        // "information": the answer boxes' captions
    PlacedControl<QLineEdit> txtYourAnswer;
    PlacedControl<QLineEdit> txtCorrectAnswer;
    PlacedControl<QPushButton> btnCheck;           // SHOW CORRECT ANSWER
    PlacedControl<Surface> pScore;                 // the score panel
    SelfSizingLabel lbDeneme1;                     // "attempt 1"
    PlacedControl<QPushButton> btnReset;
    SelfSizingLabel lbDeneme2;                     // "attempt 2"
    SelfSizingLabel lbDeneme3;                     // "attempt 3"
    SelfSizingLabel lbAverage;                     // TIME with the average
    QTimer trmSure;                                // "time" timer: the stopwatch's tick

protected:
    void teardown() override;
    // Closing the window from outside (the window system) returns like Back does.
    void closeEvent(QCloseEvent *event) override;

private:
    // ExerciseControls
    void setShuffleCaption(const QString &caption) override;
    void setShuffleEnabled(bool enabled) override;
    void setStartCaption(const QString &caption) override;
    void setStartEnabled(bool enabled) override;
    void setTimerOn(bool on) override;
    void setTimeText(const QString &text) override;
    QString yourAnswer() const override;
    void setYourAnswer(const QString &text) override;
    void setYourAnswerOutcome(CheckOutcome outcome) override;
    void setYourAnswerLocked(bool locked) override;
    void focusYourAnswer() override;
    void setCorrectAnswer(const QString &text) override;
    void announceOutcome(const QString &text) override;
    void announce(const QString &text) override;
    void setAttemptLabel(int n, const QString &caption, CheckOutcome outcome) override;
    void setAverageCaption(const QString &caption) override;

    SelfSizingLabel &attemptLabel(int n);

    Announcer *announcer_;
    ExerciseEngine engine_;
};
