// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSizeF>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// The exercise window's layout arithmetic, free of widgets: every position and size
// follows from the inner sizes it is given. Positions stay fractional.
namespace exerciseLayout {

// For fitQuestionGrid: the row height in twips that a grid side in pixels asks for, and
// the side that a row height in twips gives back (halves rounded to even).
int gridRowTwips(int side);
int gridSideFromRowTwips(int rowTwips);

// The grid side for the window's inner height.
int gridSide(double scaleHeight);

struct ScreenPlaces {
    QRectF score;     // pScore, the score panel
    QRectF control;   // pKontrol, the control panel
    QRectF back;      // btnBack
};
// The panels and the Back button beside the grid, from the grid's left edge and width.
ScreenPlaces screenPlaces(double scaleWidth, double scaleHeight, double gridLeft, double gridWidth);

// The control panel's eight controls, from the panel's inner size and the two caption
// labels' own sizes.
enum ControlRow { Shuffle, Start, Time, YourCaption, YourAnswer, CorrectCaption, CorrectAnswer, Check, RowCount };
struct ControlPanelPlaces {
    std::array<QRectF, RowCount> rect;
    int squeeze = 0;          // how far rows 2 to 8 moved up
    bool sideBySide = false;  // SHUFFLE and START on one row
};
// The stopwatch's time box and the SHOW CORRECT ANSWER button, as wide as the panel allows.
int timeBoxWidth(double scaleWidth);
int checkButtonWidth(double scaleWidth);
ControlPanelPlaces controlPanelPlaces(double scaleWidth, double scaleHeight, QSizeF yourCaption,
                                      QSizeF correctCaption);

// The score row: RESET against the right edge, the attempt labels flowing from the left,
// the average label ending 20 pixels left of RESET.
QRectF resetButtonPlace(double scaleWidth);
struct ScoreLabelPlaces {
    std::array<QPointF, 3> attempt;
    QPointF average;
};
ScoreLabelPlaces scoreLabelPlaces(double resetLeft, std::array<double, 3> attemptWidths, double averageWidth);

// The score row as shown. Where the row above fits, it is exactly that row at the design
// fonts. Where the third attempt label and the average label would overlap, the row
// breaks in two lines (1st and 2nd above, 3rd and the average below); where that does not
// fit either, the four labels' fonts shrink together, one pixel of the attempt labels' 16
// at a time, each size tried on one line and then on two, so that every time stays whole
// and readable. A shrunk size is chosen for the longest texts (measured by longest), so
// that a label keeps it while the other labels' texts change, down to the readable size;
// below it, the size follows today's texts.
struct ScoreRow {
    double scale = 1.0;   // of the four labels' design font sizes
    int lines = 1;
    std::array<QRectF, 3> attempt;
    QRectF average;
};
// The size of label 0 to 2 (the attempt labels) or 3 (the average label) with its font at
// scale times its design size.
using ScoreLabelMeasure = std::function<QSizeF(int label, double scale)>;
// The attempt labels' design size in pixels, the size they keep for the longest times
// where they can, and the smallest size they shrink to.
constexpr int kAttemptDesignPixels = 16;
constexpr int kAttemptReadablePixels = 11;
constexpr int kAttemptSmallestPixels = 9;
ScoreRow fitScoreRow(double panelWidth, double panelHeight, double resetLeft, const ScoreLabelMeasure &measure,
                     const ScoreLabelMeasure &longest = nullptr);

// One 4-pixel panel frame around a control, from the control's left, top, width and
// height: where each tile and corner goes, destinations rounded halves to even.
struct FramePiece {
    int piece;   // index into the frame's template regions
    int x, y;
};
enum FramePieceKind { EdgeTop, EdgeBottom, EdgeLeft, EdgeRight, CornerTopLeft, CornerTopRight, CornerBottomLeft,
                      CornerBottomRight };
std::vector<FramePiece> controlFramePieces(double left, double top, double width, double height);

} // namespace exerciseLayout
