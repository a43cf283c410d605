// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exercise/ExerciseLayout.h"

#include "engine/Rounding.h"
#include "ui/windowing/Twips.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace exerciseLayout {

int gridRowTwips(int side)
{
    return roundToInt(twipsOfPixels(side / 10.0));
}

int gridSideFromRowTwips(int rowTwips)
{
    const std::int32_t tenRows = rowTwips * 10;
    return roundToInt(pixelsOfTwips(tenRows));
}

int gridSide(double scaleHeight)
{
    return roundToInt(scaleHeight - 70 - 30);
}

ScreenPlaces screenPlaces(double scaleWidth, double scaleHeight, double gridLeft, double gridWidth)
{
    const double x = gridLeft + gridWidth + 30;
    const double p = scaleWidth - (gridLeft + gridWidth + 30 + 40);
    ScreenPlaces places;
    places.score = QRectF(x, 70, p, 45);
    places.control = QRectF(x, 125, p, scaleHeight - 125 - 100);
    places.back = QRectF(scaleWidth - 175, places.control.top() + places.control.height() + 20, 140, 50);
    return places;
}

int timeBoxWidth(double scaleWidth)
{
    return scaleWidth - 12 < 360 ? roundToInt(scaleWidth - 12) : 360;
}

int checkButtonWidth(double scaleWidth)
{
    return scaleWidth - 12 < 300 ? roundToInt(scaleWidth - 12) : 300;
}

ControlPanelPlaces controlPanelPlaces(double sw, double sh, QSizeF yourCaption, QSizeF correctCaption)
{
    const int t = timeBoxWidth(sw);
    const int c = checkButtonWidth(sw);
    ControlPanelPlaces out;
    auto &r = out.rect;
    r[Shuffle] = QRectF((sw - 170) / 2, 20, 170, 45);
    r[Start] = QRectF(r[Shuffle].left(), r[Shuffle].top() + r[Shuffle].height() + 40, r[Shuffle].width(),
                      r[Shuffle].height());
    r[Time] = QRectF((sw - t) / 2, r[Start].top() + r[Start].height() + 20, t, 72);
    r[YourCaption] = QRectF(QPointF((sw - yourCaption.width()) / 2, r[Time].top() + r[Time].height() + 40), yourCaption);
    r[YourAnswer] = QRectF((sw - 150) / 2, r[YourCaption].top() + r[YourCaption].height() + 10, 150, 72);
    r[CorrectCaption] = QRectF(QPointF((sw - correctCaption.width()) / 2, r[YourAnswer].top() + 72 + 25), correctCaption);
    r[CorrectAnswer] = QRectF((sw - 150) / 2, r[CorrectCaption].top() + r[CorrectCaption].height() + 10, 150, 72);
    r[Check] = QRectF((sw - c) / 2, r[CorrectAnswer].top() + r[CorrectAnswer].height() + 25, c, 55);

    // Squeeze: rows 2 to 8 move up together until SHOW CORRECT ANSWER ends more than
    // 5 pixels above the bottom (compared in single precision).
    while (static_cast<float>(r[Check].top() + r[Check].height() + 5) >= static_cast<float>(sh)) {
        for (int row = Start; row < RowCount; ++row)
            r[row].moveTop(r[row].top() - 1);
        ++out.squeeze;
    }

    // Side by side: SHUFFLE moves down to START's row when they come within 6 pixels.
    if (r[Shuffle].top() + r[Shuffle].height() + 6 > r[Start].top()) {
        const std::int16_t x = static_cast<std::int16_t>(
            roundToInt((sw - (r[Start].width() + r[Shuffle].width() + 30)) / 2));
        r[Shuffle].moveTo(x, r[Start].top());
        r[Start].moveLeft(r[Shuffle].left() + r[Shuffle].width() + 10);
        out.sideBySide = true;
        // On narrow panels (the 1024-wide window) the pair would run past the panel's
        // edges and cut the captions: there it is centred, narrowed only as far as needed.
        if (r[Shuffle].left() < 0 || r[Start].left() + r[Start].width() > sw) {
            const double w = std::min(r[Shuffle].width(), (sw - 22) / 2);
            const double left = (sw - (2 * w + 10)) / 2;
            r[Shuffle] = QRectF(left, r[Start].top(), w, r[Shuffle].height());
            r[Start] = QRectF(left + w + 10, r[Start].top(), w, r[Start].height());
        }
    }

    // A panel shorter still (the free area under a desktop panel on a 768-pixel screen)
    // would push the top row over the panel's edge, where it is cut off: there the gaps
    // between the rows give way instead, each in proportion, and the column starts as far
    // below the top as SHOW CORRECT ANSWER ends above the bottom.
    constexpr double kTopMargin = 5;
    if (out.sideBySide && r[Start].top() < kTopMargin) {
        double gaps = 0;
        for (int row = Start; row < Check; ++row)
            gaps += r[row + 1].top() - r[row].bottom();
        const double keep = std::max(0.0, (gaps - (kTopMargin - r[Start].top())) / gaps);
        double y = kTopMargin;
        for (int row = Start; row < RowCount; ++row) {
            const double gap = row < Check ? r[row + 1].top() - r[row].bottom() : 0;
            r[row].moveTop(y);
            y += r[row].height() + std::floor(gap * keep);
        }
        r[Shuffle].moveTop(r[Start].top());
    }
    return out;
}

namespace {

// The score row's measures in pixels.
constexpr double kRowLeft = 3;           // where the first attempt label starts
constexpr double kLabelGap = 8;          // between neighbouring labels
constexpr double kAverageToReset = 20;   // from the average label's right edge to RESET
constexpr double kAverageToResetBroken = 10;   // the same on the lower of two lines
constexpr double kRowCentre = 22;        // the design row's labels share this centre line
constexpr double kLineGap = 2;           // between the two lines of a broken row

} // namespace

QRectF resetButtonPlace(double scaleWidth)
{
    return QRectF(scaleWidth - 90, 7, 85, 33);
}

ScoreLabelPlaces scoreLabelPlaces(double resetLeft, std::array<double, 3> attemptWidths, double averageWidth)
{
    ScoreLabelPlaces out;
    out.attempt[0] = QPointF(kRowLeft, 14);
    out.attempt[1] = QPointF(out.attempt[0].x() + attemptWidths[0] + kLabelGap, out.attempt[0].y());
    out.attempt[2] = QPointF(out.attempt[1].x() + attemptWidths[1] + kLabelGap, out.attempt[0].y());
    out.average = QPointF(resetLeft - averageWidth - kAverageToReset, 11);
    return out;
}

namespace {


struct Sizes {
    std::array<QSizeF, 4> label;
};

Sizes measureAll(const ScoreLabelMeasure &measure, double scale)
{
    Sizes s;
    for (int i = 0; i < 4; ++i)
        s.label[i] = measure(i, scale);
    return s;
}

bool rowFits(const ScoreRow &row, double panelWidth, double panelHeight, double resetLeft)
{
    const auto inside = [&](const QRectF &r) {
        return r.left() >= 0 && r.top() >= 0 && r.right() <= panelWidth && r.bottom() <= panelHeight;
    };
    for (const QRectF &r : row.attempt)
        if (!inside(r) || r.right() > resetLeft)
            return false;
    if (!inside(row.average))
        return false;
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 4; ++j) {
            const QRectF &b = j < 3 ? row.attempt[j] : row.average;
            if (row.attempt[i].intersects(b))
                return false;
        }
    return true;
}

// All four labels on one line, centred on the design row's centre line.
ScoreRow oneLine(const Sizes &s, double resetLeft)
{
    ScoreRow row;
    double x = kRowLeft;
    for (int i = 0; i < 3; ++i) {
        row.attempt[i] = QRectF(QPointF(x, kRowCentre - s.label[i].height() / 2), s.label[i]);
        x = row.attempt[i].right() + kLabelGap;
    }
    row.average = QRectF(QPointF(resetLeft - kAverageToReset - s.label[3].width(), kRowCentre - s.label[3].height() / 2),
                         s.label[3]);
    return row;
}

// 1st and 2nd on the upper line, 3rd and the average on the lower one, both lines
// together centred in the panel.
ScoreRow twoLines(const Sizes &s, double resetLeft, double panelHeight)
{
    const double upper = std::max(s.label[0].height(), s.label[1].height());
    const double lower = std::max(s.label[2].height(), s.label[3].height());
    const double upperCentre = (panelHeight - (upper + kLineGap + lower)) / 2 + upper / 2;
    const double lowerCentre = upperCentre + upper / 2 + kLineGap + lower / 2;
    const auto at = [](double x, double centre, const QSizeF &size) {
        return QRectF(QPointF(x, centre - size.height() / 2), size);
    };
    ScoreRow row;
    row.lines = 2;
    row.attempt[0] = at(kRowLeft, upperCentre, s.label[0]);
    row.attempt[1] = at(row.attempt[0].right() + kLabelGap, upperCentre, s.label[1]);
    row.attempt[2] = at(kRowLeft, lowerCentre, s.label[2]);
    row.average = at(resetLeft - kAverageToResetBroken - s.label[3].width(), lowerCentre, s.label[3]);
    return row;
}

} // namespace

ScoreRow fitScoreRow(double panelWidth, double panelHeight, double resetLeft, const ScoreLabelMeasure &measure,
                     const ScoreLabelMeasure &longest)
{
    const Sizes design = measureAll(measure, 1.0);
    const ScoreLabelPlaces described = scoreLabelPlaces(
        resetLeft, {design.label[0].width(), design.label[1].width(), design.label[2].width()}, design.label[3].width());
    ScoreRow row;
    for (int i = 0; i < 3; ++i)
        row.attempt[i] = QRectF(described.attempt[i], design.label[i]);
    row.average = QRectF(described.average, design.label[3]);
    if (rowFits(row, panelWidth, panelHeight, resetLeft))
        return row;

    const auto laidOut = [&](const ScoreLabelMeasure &m, double scale, int lines) {
        const Sizes sizes = measureAll(m, scale);
        ScoreRow candidate = lines == 1 ? oneLine(sizes, resetLeft) : twoLines(sizes, resetLeft, panelHeight);
        candidate.scale = scale;
        return candidate;
    };
    const auto fits = [&](const ScoreRow &candidate) {
        // The third attempt and the average share a line: a label's gap stays between them.
        return candidate.attempt[2].right() + kLabelGap <= candidate.average.left()
               && rowFits(candidate, panelWidth, panelHeight, resetLeft);
    };
    // Breaking the row before shrinking it keeps a label whose text stays at its size
    // when another label's text grows. Where the fonts must shrink, they shrink for the
    // longest texts, so that the size holds for every later attempt; on a panel too
    // narrow for those at a readable size, only as far as today's texts need.
    for (int pass = 0; pass < 2; ++pass) {
        const ScoreLabelMeasure &sizing = pass == 0 && longest ? longest : measure;
        const int smallest = pass == 0 ? kAttemptReadablePixels : kAttemptSmallestPixels;
        for (int pixels = kAttemptDesignPixels; pixels >= smallest; --pixels) {
            const double scale = double(pixels) / kAttemptDesignPixels;
            for (int lines = 1; lines <= 2; ++lines) {
                if (fits(laidOut(scale == 1.0 ? measure : sizing, scale, lines)))
                    return laidOut(measure, scale, lines);
            }
        }
    }
    // Nothing fits (a panel far narrower than any window the program opens): the
    // smallest two-line row shows as much as there is room for.
    return laidOut(measure, double(kAttemptSmallestPixels) / kAttemptDesignPixels, 2);
}

std::vector<FramePiece> controlFramePieces(double l, double t, double wc, double hc)
{
    std::vector<FramePiece> pieces;
    auto put = [&pieces](int kind, double x, double y) {
        pieces.push_back({kind, roundToInt(x), roundToInt(y)});
    };
    for (int i = 0; i < wc / 4; ++i)
        put(EdgeTop, l - 4 + 4 * i, t - 4);
    for (int i = 0; i < wc / 4; ++i)
        put(EdgeBottom, l - 4 + 4 * i, t + hc);
    for (int i = 0; i < hc / 4; ++i)
        put(EdgeLeft, l - 4, t - 4 + 4 * i);
    for (int i = 0; i < hc / 4; ++i)
        put(EdgeRight, l + wc, t - 4 + 4 * i);
    put(CornerTopLeft, l - 4, t - 4);
    put(CornerTopRight, l + wc - 6, t - 4);
    put(CornerBottomLeft, l - 4, t + hc - 6);
    put(CornerBottomRight, l + wc - 6, t + hc - 6);
    return pieces;
}

} // namespace exerciseLayout
