// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/windowing/ControlPlacement.h"
#include "ui/skin/SkinFont.h"

#include <array>

class QuestionGrid;
class SkinButton;
class Surface;

// The exercise screen: the window's frame and title, the question grid fitted to the
// window, the score and control panels beside it with their frames, the Back button
// below them, and the controls inside each panel.
namespace exerciseScreen {

// The exercise window's parts that the screen lays out and paints, by their names.
struct Parts {
    Surface &window;
    PlacedControl<QuestionGrid> &gSoru;          // the question grid
    PlacedControl<Surface> &pScore;              // the score panel
    PlacedControl<Surface> &pKontrol;            // the control panel
    PlacedControl<SkinButton> &btnBack;
    // In the control panel, top to bottom.
    ControlPlacement &btnKaristir;               // SHUFFLE
    ControlPlacement &btnStart;
    ControlPlacement &txtSure;                   // the stopwatch's time
    SelfSizingLabel &yourAnswerCaption;          // lbBilgi(0)
    ControlPlacement &txtYourAnswer;
    SelfSizingLabel &correctAnswerCaption;       // lbBilgi(1)
    ControlPlacement &txtCorrectAnswer;
    ControlPlacement &btnCheck;                  // SHOW CORRECT ANSWER
    // In the score panel: RESET, then the three attempts and TIME.
    ControlPlacement &btnReset;
    std::array<SelfSizingLabel *, 4> scoreLabels;
};

// The whole screen for the window's present size (drawExerciseScreen).
void draw(const Parts &parts);
// The grid at (x, y), as near a side of side pixels as whole rows allow.
void fitQuestionGrid(PlacedControl<QuestionGrid> &grid, int x, int y, int side);
// A panel's frame of template pieces, painted on the window around the control.
void drawControlFrame(Surface &window, const ControlPlacement &control);
// The control panel's controls for its present size (pKontrol_Resize).
void placeControlPanel(const Parts &parts);
// RESET and the record's labels for the score panel's present size (pScore_Resize).
void placeScorePanel(const Parts &parts);
// The record's labels alone, in the largest size that fits (arrangeScoreLabels).
void arrangeScoreLabels(const Parts &parts);

} // namespace exerciseScreen
