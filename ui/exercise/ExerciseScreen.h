// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/windowing/ControlPlacement.h"
#include "ui/skin/SkinFont.h"

#include <array>
#include <functional>

class QuestionGrid;
class SkinButton;
class Surface;

// The exercise screen: the window's frame and title, the question grid fitted to the
// window, the score and control panels beside it with their frames, the Back button
// below them, and the controls inside each panel.
namespace exerciseScreen {

// The steps of the exercise screen's layout, in the order draw takes them.
enum class LayoutStep {
    FrameAndTitle,      // painted on the window
    Grid,               // fitQuestionGrid, to the window's height
    ScorePanel,         // pScore moved beside the grid
    ResetButton,        // pScore_Resize, when pScore's size changed: RESET against its right edge
    ScoreLabels,        // then the record's labels, which end left of RESET's new place
    ControlPanel,       // pKontrol moved below pScore
    ControlPanelRows,   // pKontrol_Resize, when pKontrol's size changed: its controls
    BackButton,         // btnBack moved
    BackButtonResting,  // btnBack_Resize, when Back's size changed: painted at rest
    PanelFrames,        // the frames around pScore, pKontrol and the grid
};

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
    // Told each step as it is taken (for tests and benchmarks); may be empty.
    std::function<void(LayoutStep)> recordStep = {};
};

// The whole screen for the window's present size (drawExerciseScreen): every step of the
// layout in order, and what each move sets off, read here in one place.
void draw(const Parts &parts);
// The grid at (x, y), as near a side of side pixels as whole rows allow.
void fitQuestionGrid(PlacedControl<QuestionGrid> &grid, int x, int y, int side);
// A panel's frame of template pieces, painted on the window around the control.
void drawControlFrame(Surface &window, const ControlPlacement &control);
// The control panel's controls for its present size.
void pKontrol_Resize(const Parts &parts);
// RESET for the score panel's present size, then the record's labels left of it.
void pScore_Resize(const Parts &parts);
// Back painted at rest for its present size.
void btnBack_Resize(const Parts &parts);
// The record's labels alone, in the largest size that fits (arrangeScoreLabels).
void arrangeScoreLabels(const Parts &parts);

} // namespace exerciseScreen
