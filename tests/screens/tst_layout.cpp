// SPDX-License-Identifier: GPL-3.0-or-later
// The layout arithmetic of the exercise and start windows, without widgets: the worked
// numbers with the design sizes of the labels.

#include "ui/exercise/ExerciseLayout.h"
#include "ui/start/StartLayout.h"

#include <QTest>

#include <algorithm>

using namespace exerciseLayout;


class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void gridFit_data();
    void gridFit();
    void screenPlaces_data();
    void screenPlaces();
    void controlPanelWorkedExample_data();
    void controlPanelWorkedExample();
    void controlPanelWidths_data();
    void controlPanelWidths();
    void controlPanelSqueezeThreshold_data();
    void controlPanelSqueezeThreshold();
    void controlPanelCaptionsCentredOnTheirOwnWidths();
    void shortPanelGapsGiveWay_data();
    void shortPanelGapsGiveWay();
    void sideBySidePairStaysInsideThePanel_data();
    void sideBySidePairStaysInsideThePanel();
    void scoreRowWorkedExample();
    void scoreRowFollowsWidths();
    void scoreRowFitting_data();
    void scoreRowFitting();
    void frameTilesAlongTop_data();
    void frameTilesAlongTop();
    void frameRoundsHalvesToEven();
    void stackedPanelFramesLeaveTwoRows();
    void startPictures_data();
    void startPictures();
    void startControls();
};

// Twips per pixel is fixed at 15; a grid that keeps whole pixels instead would report
// 1005 twips for 675 (side 670) and 960 for 643 (side 640). Ours keeps the twips.
void TestLayout::gridFit_data()
{
    QTest::addColumn<double>("scaleHeight");
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("rowTwips");
    QTest::addColumn<int>("finalSide");
    QTest::newRow("1280x775") << 775.0 << 675 << 1012 << 675;   // 1012.5 -> 1012
    QTest::newRow("1024x743") << 743.0 << 643 << 964 << 643;     // 964.5 -> 964
    QTest::newRow("odd side") << 701.0 << 601 << 902 << 601;     // 901.5 -> 902
    QTest::newRow("fractional height") << 743.5 << 644 << 966 << 644;  // 643.5 -> 644
}

void TestLayout::gridFit()
{
    QFETCH(double, scaleHeight);
    QFETCH(int, side);
    QFETCH(int, rowTwips);
    QFETCH(int, finalSide);
    QCOMPARE(gridSide(scaleHeight), side);
    QCOMPARE(gridRowTwips(side), rowTwips);
    QCOMPARE(gridSideFromRowTwips(rowTwips), finalSide);
}

void TestLayout::screenPlaces_data()
{
    QTest::addColumn<double>("sw");
    QTest::addColumn<double>("sh");
    QTest::addColumn<QRectF>("score");
    QTest::addColumn<QRectF>("control");
    QTest::addColumn<QRectF>("back");
    QTest::newRow("1280x775") << 1280.0 << 775.0 << QRectF(745, 70, 495, 45) << QRectF(745, 125, 495, 550)
                              << QRectF(1105, 695, 140, 50);
    QTest::newRow("1024x743") << 1024.0 << 743.0 << QRectF(713, 70, 271, 45) << QRectF(713, 125, 271, 518)
                              << QRectF(849, 663, 140, 50);
}

void TestLayout::screenPlaces()
{
    QFETCH(double, sw);
    QFETCH(double, sh);
    QFETCH(QRectF, score);
    QFETCH(QRectF, control);
    QFETCH(QRectF, back);
    const int side = gridSideFromRowTwips(gridRowTwips(gridSide(sh)));
    const ScreenPlaces places = exerciseLayout::screenPlaces(sw, sh, 40, side);
    QCOMPARE(places.score, score);
    QCOMPARE(places.control, control);
    QCOMPARE(places.back, back);
    // Back sits 175 in from the right and 80 up from the bottom whatever the size.
    QCOMPARE(places.back.left(), sw - 175);
    QCOMPARE(places.back.top(), sh - 80);
}

void TestLayout::controlPanelWorkedExample_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QRectF>("place");
    QTest::newRow("SHUFFLE") << int(Shuffle) << QRectF(62, 48, 170, 45);
    QTest::newRow("START") << int(Start) << QRectF(242, 48, 170, 45);
    QTest::newRow("txtSure") << int(Time) << QRectF(67.5, 113, 360, 72);
    QTest::newRow("lbBilgi(0)") << int(YourCaption) << QRectF(167, 225, 161, 25);
    QTest::newRow("txtYourAnswer") << int(YourAnswer) << QRectF(172.5, 260, 150, 72);
    QTest::newRow("lbBilgi(1)") << int(CorrectCaption) << QRectF(147, 357, 201, 25);
    QTest::newRow("txtCorrectAnswer") << int(CorrectAnswer) << QRectF(172.5, 392, 150, 72);
    QTest::newRow("btnCheck") << int(Check) << QRectF(97.5, 489, 300, 55);
}

void TestLayout::controlPanelWorkedExample()
{
    QFETCH(int, row);
    QFETCH(QRectF, place);
    const ControlPanelPlaces p = controlPanelPlaces(495, 550, QSizeF(161, 25), QSizeF(201, 25));
    QCOMPARE(p.squeeze, 57);
    QVERIFY(p.sideBySide);
    QCOMPARE(p.rect[row], place);
}

void TestLayout::controlPanelWidths_data()
{
    QTest::addColumn<double>("sw");
    QTest::addColumn<int>("timeWidth");
    QTest::addColumn<int>("checkWidth");
    // Each centred in the panel, (SW - width) / 2 worked by hand.
    QTest::addColumn<double>("timeLeft");
    QTest::addColumn<double>("checkLeft");
    QTest::newRow("372: SW-12 exactly 360") << 372.0 << 360 << 300 << 6.0 << 36.0;
    QTest::newRow("300") << 300.0 << 288 << 288 << 6.0 << 6.0;
    QTest::newRow("311") << 311.0 << 299 << 299 << 6.0 << 6.0;
    QTest::newRow("312: SW-12 exactly 300") << 312.0 << 300 << 300 << 6.0 << 6.0;
    QTest::newRow("495") << 495.0 << 360 << 300 << 67.5 << 97.5;
    QTest::newRow("271 (1024 window)") << 271.0 << 259 << 259 << 6.0 << 6.0;
    QTest::newRow("half pixel to even") << 300.5 << 288 << 288 << 6.25 << 6.25;   // 288.5 -> 288
}

void TestLayout::controlPanelWidths()
{
    QFETCH(double, sw);
    QFETCH(int, timeWidth);
    QFETCH(int, checkWidth);
    QFETCH(double, timeLeft);
    QFETCH(double, checkLeft);
    QCOMPARE(timeBoxWidth(sw), timeWidth);
    QCOMPARE(checkButtonWidth(sw), checkWidth);
    const ControlPanelPlaces p = controlPanelPlaces(sw, 550, QSizeF(161, 25), QSizeF(201, 25));
    QCOMPARE(p.rect[Time].width(), double(timeWidth));
    QCOMPARE(p.rect[Check].width(), double(checkWidth));
    QCOMPARE(p.rect[Time].left(), timeLeft);
    QCOMPARE(p.rect[Check].left(), checkLeft);
}

void TestLayout::sideBySidePairStaysInsideThePanel_data()
{
    QTest::addColumn<double>("sw");
    QTest::addColumn<double>("shuffleLeft");
    QTest::addColumn<double>("startLeft");
    QTest::addColumn<double>("buttonWidth");
    QTest::newRow("495: pair as laid out, 10 left of centre") << 495.0 << 62.0 << 242.0 << 170.0;
    QTest::newRow("370: pair starts at the left edge") << 370.0 << 0.0 << 180.0 << 170.0;
    QTest::newRow("369: -0.5 goes to 0, still inside") << 369.0 << 0.0 << 180.0 << 170.0;
    QTest::newRow("367: centred instead of at -2") << 367.0 << 8.5 << 188.5 << 170.0;
    QTest::newRow("362: centred, full width") << 362.0 << 6.0 << 186.0 << 170.0;
    QTest::newRow("361: narrowed by half a pixel") << 361.0 << 6.0 << 185.5 << 169.5;
    QTest::newRow("271: the 1024-wide window") << 271.0 << 6.0 << 140.5 << 124.5;
}

// Side by side, the pair would run past the edges of a narrow panel and cut the
// captions; there it is centred and narrowed only as far as 6-pixel margins need.
void TestLayout::sideBySidePairStaysInsideThePanel()
{
    QFETCH(double, sw);
    QFETCH(double, shuffleLeft);
    QFETCH(double, startLeft);
    QFETCH(double, buttonWidth);
    const ControlPanelPlaces p = controlPanelPlaces(sw, 550, QSizeF(161, 25), QSizeF(201, 25));
    QVERIFY(p.sideBySide);
    QCOMPARE(p.rect[Shuffle].left(), shuffleLeft);
    QCOMPARE(p.rect[Start].left(), startLeft);
    QCOMPARE(p.rect[Shuffle].width(), buttonWidth);
    QCOMPARE(p.rect[Start].width(), buttonWidth);
    QCOMPARE(p.rect[Shuffle].top(), p.rect[Start].top());
    QCOMPARE(p.rect[Shuffle].height(), 45.0);
}

using RowTops = std::array<double, RowCount>;
Q_DECLARE_METATYPE(RowTops)

void TestLayout::shortPanelGapsGiveWay_data()
{
    QTest::addColumn<double>("sh");
    QTest::addColumn<RowTops>("tops");
    // The column unsqueezed: START at 105, then 170, 282, 317, 414, 449, 546, ending at 601.
    // 518 high (the 1024 x 743 window): 89 up, START at 16, inside the panel as it is.
    QTest::newRow("518: squeezed only") << 518.0 << RowTops{16, 16, 81, 193, 228, 325, 360, 457};
    // 490 high (1366 x 768 with a 28-pixel panel): 117 up would put START at -12. The six
    // gaps (20, 40, 10, 25, 10, 25: 130) give up 17 pixels, each kept at 113/130 and
    // rounded down (17, 34, 8, 21, 8, 21), from 5 below the top.
    QTest::newRow("490: the gaps give way") << 490.0 << RowTops{5, 5, 67, 173, 206, 299, 332, 425};
}

// A panel too short for the squeezed column keeps every row inside it, in order.
void TestLayout::shortPanelGapsGiveWay()
{
    QFETCH(double, sh);
    QFETCH(RowTops, tops);
    const ControlPanelPlaces p = controlPanelPlaces(495, sh, QSizeF(161, 25), QSizeF(201, 25));
    QVERIFY(p.sideBySide);
    for (int row = 0; row < RowCount; ++row)
        QCOMPARE(p.rect[row].top(), tops[row]);
    QVERIFY(p.rect[Check].bottom() + 5 < sh);
}

void TestLayout::controlPanelSqueezeThreshold_data()
{
    QTest::addColumn<double>("sh");
    QTest::addColumn<int>("squeeze");
    QTest::addColumn<bool>("sideBySide");
    QTest::newRow("607: room for the full column") << 607.0 << 0 << false;
    QTest::newRow("800: more than enough") << 800.0 << 0 << false;
    QTest::newRow("606: one pixel short") << 606.0 << 1 << false;
    QTest::newRow("606 in single precision") << 606.00000001 << 1 << false;
    QTest::newRow("572: 35 up, START within 6 of SHUFFLE") << 572.0 << 35 << true;
    QTest::newRow("573: 34 up, still apart") << 573.0 << 34 << false;
    QTest::newRow("550: worked example") << 550.0 << 57 << true;
}

void TestLayout::controlPanelSqueezeThreshold()
{
    QFETCH(double, sh);
    QFETCH(int, squeeze);
    QFETCH(bool, sideBySide);
    const ControlPanelPlaces p = controlPanelPlaces(495, sh, QSizeF(161, 25), QSizeF(201, 25));
    QCOMPARE(p.squeeze, squeeze);
    QCOMPARE(p.sideBySide, sideBySide);
    // Rows 2 to 8 moved up together; SHUFFLE keeps its top unless it joins START's row.
    QCOMPARE(p.rect[Check].bottom(), 601.0 - squeeze);
    QVERIFY(p.rect[Check].bottom() + 5 < sh);
    QCOMPARE(p.rect[Start].top(), 105.0 - squeeze);
    QCOMPARE(p.rect[YourAnswer].top(), 317.0 - squeeze);
    if (sideBySide) {
        QCOMPARE(p.rect[Shuffle].top(), p.rect[Start].top());
        QCOMPARE(p.rect[Start].left(), p.rect[Shuffle].right() + 10);
    } else {
        QCOMPARE(p.rect[Shuffle].topLeft(), QPointF(162.5, 20));
        QCOMPARE(p.rect[Start].left(), 162.5);
    }
}

void TestLayout::controlPanelCaptionsCentredOnTheirOwnWidths()
{
    // Sizes as a different font would give them: the captions centre on their own widths
    // and the rows below follow their heights.
    const ControlPanelPlaces p = controlPanelPlaces(495, 550, QSizeF(160, 22), QSizeF(197, 23));
    QCOMPARE(p.rect[YourCaption], QRectF((495 - 160) / 2.0, p.rect[Time].bottom() + 40, 160, 22));
    QCOMPARE(p.rect[YourAnswer].top(), p.rect[YourCaption].bottom() + 10);
    QCOMPARE(p.rect[CorrectCaption], QRectF((495 - 197) / 2.0, p.rect[YourAnswer].top() + 72 + 25, 197, 23));
    QCOMPARE(p.rect[CorrectAnswer].top(), p.rect[CorrectCaption].bottom() + 10);
    QCOMPARE(p.rect[Check].top(), p.rect[CorrectAnswer].bottom() + 25);
    // Five pixels shorter column: five pixels less squeeze than the worked example.
    QCOMPARE(p.squeeze, 52);
}

void TestLayout::scoreRowWorkedExample()
{
    const QRectF reset = resetButtonPlace(495);
    QCOMPARE(reset, QRectF(405, 7, 85, 33));
    const ScoreLabelPlaces p = scoreLabelPlaces(reset.left(), {89, 93, 91}, 137);
    QCOMPARE(p.attempt[0], QPointF(3, 14));
    QCOMPARE(p.attempt[1], QPointF(100, 14));
    QCOMPARE(p.attempt[2], QPointF(201, 14));
    QCOMPARE(p.average, QPointF(248, 11));
    // The average label covers the last 44 pixels of the third attempt label.
    QCOMPARE(p.attempt[2].x() + 91 - p.average.x(), 44.0);
}

void TestLayout::scoreRowFollowsWidths()
{
    // A wider first label pushes the other two; the average label does not move for it.
    const ScoreLabelPlaces wide = scoreLabelPlaces(405, {120, 93, 91}, 137);
    QCOMPARE(wide.attempt[0], QPointF(3, 14));
    QCOMPARE(wide.attempt[1], QPointF(131, 14));
    QCOMPARE(wide.attempt[2], QPointF(232, 14));
    QCOMPARE(wide.average, QPointF(248, 11));
    // A narrower average text keeps its right edge 20 left of RESET.
    const ScoreLabelPlaces narrow = scoreLabelPlaces(405, {89, 93, 91}, 101);
    QCOMPARE(narrow.average, QPointF(284, 11));
    // On a narrow panel only RESET and the average follow the right edge.
    const QRectF reset = resetButtonPlace(250);
    QCOMPARE(reset.topLeft(), QPointF(160, 7));
    const ScoreLabelPlaces small = scoreLabelPlaces(reset.left(), {89, 93, 91}, 137);
    QCOMPARE(small.attempt[0], QPointF(3, 14));
    QCOMPARE(small.average, QPointF(3, 11));
}

// Labels whose sizes follow the font scale exactly, from their sizes at the design fonts.
using LabelSizes = std::array<QSizeF, 4>;
Q_DECLARE_METATYPE(LabelSizes)

void TestLayout::scoreRowFitting_data()
{
    QTest::addColumn<double>("panelWidth");
    QTest::addColumn<LabelSizes>("sizes");
    QTest::addColumn<LabelSizes>("longest");   // the labels with the longest times; none if empty
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("fits");

    const LabelSizes none{};
    const LabelSizes atRest = {QSizeF(74, 16), QSizeF(78, 16), QSizeF(76, 16), QSizeF(118, 22)};
    const LabelSizes design = {QSizeF(89, 16), QSizeF(93, 16), QSizeF(91, 16), QSizeF(137, 22)};
    const LabelSizes widest = {QSizeF(103, 16), QSizeF(108, 16), QSizeF(105, 16), QSizeF(157, 22)};
    // 3 + 74 + 8 + 78 + 8 + 76 = 247 ends left of the average at 405 - 20 - 118 = 267.
    QTest::newRow("495, at rest: as laid out") << 495.0 << atRest << none << 1.0 << 1 << true;
    // One line overlaps. On two lines the average ends 10 pixels left of RESET: above
    // 3 + 89 + 8 + 93 = 193 <= 405, below 3 + 91 + 8 = 102 <= 405 - 10 - 137 = 258, and
    // 16 + 2 + 22 = 40 <= 45 high.
    QTest::newRow("495, worked example: two lines") << 495.0 << design << none << 1.0 << 2 << true;
    // Above 3 + 103 + 8 + 108 = 222 <= 405, below 3 + 105 + 8 = 116 <= 405 - 10 - 157 = 238.
    QTest::newRow("495, widest times: two lines") << 495.0 << widest << none << 1.0 << 2 << true;
    // RESET at 181. One line needs 27 + 346s <= 161 (s <= 0.387); two lines: the upper
    // 3 + 152s + 8 <= 181 (s <= 1.118), the lower 11 + 76s <= 171 - 118s (s <= 0.825): 13 of 16.
    QTest::newRow("271, at rest: smaller on two lines") << 271.0 << atRest << none << 13.0 / 16 << 2 << true;
    // RESET at 210. The row at rest: the lower line 11 + 76s <= 200 - 118s (s <= 0.974),
    // 15 of 16 pixels; for the longest times 11 + 105s <= 200 - 157s (s <= 0.721), 11 of 16,
    // which the row at rest takes too.
    QTest::newRow("300, at rest: smaller on two lines") << 300.0 << atRest << none << 15.0 / 16 << 2 << true;
    QTest::newRow("300, at rest: as small as the longest times need")
        << 300.0 << atRest << widest << 11.0 / 16 << 2 << true;
    // RESET at 181. The lower line needs 11 + 105s <= 171 - 157s (s <= 0.611): 9 of 16, below
    // the readable 11 that the row keeps for the longest times where it can.
    QTest::newRow("271, widest times: two lines") << 271.0 << widest << none << 9.0 / 16 << 2 << true;
    QTest::newRow("271, at rest: for today's texts where the longest do not fit")
        << 271.0 << atRest << widest << 13.0 / 16 << 2 << true;
    // 130 wide, RESET at 40: no size fits; the smallest row on two lines.
    QTest::newRow("130, widest times: nothing fits") << 130.0 << widest << none << 9.0 / 16 << 2 << false;
}

void TestLayout::scoreRowFitting()
{
    QFETCH(double, panelWidth);
    QFETCH(LabelSizes, sizes);
    QFETCH(LabelSizes, longest);
    QFETCH(double, scale);
    QFETCH(int, lines);
    QFETCH(bool, fits);

    const double resetLeft = panelWidth - 90;
    const auto measure = [&sizes](int label, double s) { return sizes[label] * s; };
    const auto measureLongest = [&longest](int label, double s) { return longest[label] * s; };
    const ScoreRow row = fitScoreRow(panelWidth, 45, resetLeft, measure,
                                     longest[0].isEmpty() ? ScoreLabelMeasure() : ScoreLabelMeasure(measureLongest));

    QCOMPARE(row.scale, scale);
    QCOMPARE(row.lines, lines);
    if (!fits)
        return;
    const QRectF rects[] = {row.attempt[0], row.attempt[1], row.attempt[2], row.average};
    const QRectF panel(0, 0, panelWidth, 45);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(rects[i].size(), sizes[i] * scale);
        QVERIFY2(panel.contains(rects[i]), qPrintable(QString("label %1 leaves the panel").arg(i)));
        QVERIFY2(rects[i].right() <= resetLeft, qPrintable(QString("label %1 runs under RESET").arg(i)));
        for (int j = i + 1; j < 4; ++j)
            QVERIFY2(!rects[i].intersects(rects[j]), qPrintable(QString("labels %1 and %2 overlap").arg(i).arg(j)));
    }
    // The first label always starts 3 pixels in; the average ends 20 pixels left of RESET,
    // 10 on the lower of two lines.
    QCOMPARE(rects[0].left(), 3.0);
    QCOMPARE(rects[3].right(), resetLeft - (lines == 1 ? 20 : 10));
    if (lines == 1) {
        // Reading order along one line, 8 pixels apart, all centred where the design row is.
        QCOMPARE(rects[1].left(), rects[0].right() + 8);
        QCOMPARE(rects[2].left(), rects[1].right() + 8);
        for (const QRectF &r : rects)
            QCOMPARE(r.center().y(), 22.0);
    } else {
        // 1st and 2nd above, 3rd and the average below.
        QCOMPARE(rects[1].left(), rects[0].right() + 8);
        QCOMPARE(rects[0].top(), rects[1].top());
        QCOMPARE(rects[2].left(), 3.0);
        QVERIFY(rects[2].top() >= rects[0].bottom());
        QCOMPARE(rects[2].center().y(), rects[3].center().y());
    }
    QVERIFY(rects[2].right() + 8 <= rects[3].left());
    if (scale == 1.0 && lines == 1) {
        // Where the row fits, the places are exactly those of the row as laid out above.
        QCOMPARE(rects[0].topLeft(), QPointF(3, 14));
        QCOMPARE(rects[1].topLeft(), QPointF(3 + 74 + 8, 14));
        QCOMPARE(rects[2].topLeft(), QPointF(85 + 78 + 8, 14));
        QCOMPARE(rects[3].topLeft(), QPointF(405 - 20 - 118, 11));
    }
}

namespace {

std::vector<FramePiece> piecesOf(const std::vector<FramePiece> &all, int kind)
{
    std::vector<FramePiece> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out), [kind](const FramePiece &p) { return p.piece == kind; });
    return out;
}

int pieceSize(int kind)
{
    return kind >= CornerTopLeft ? 10 : 4;
}

} // namespace

void TestLayout::frameTilesAlongTop_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<int>("tiles");
    QTest::addColumn<int>("lastTileEnd");   // exclusive, relative to L
    QTest::addColumn<int>("cornerLeft");    // top-right corner, relative to L
    QTest::newRow("495") << 495.0 << 124 << 492 << 489;
    QTest::newRow("44, a multiple of 4") << 44.0 << 11 << 40 << 38;
    QTest::newRow("675 grid") << 675.0 << 169 << 672 << 669;
}

void TestLayout::frameTilesAlongTop()
{
    QFETCH(double, width);
    QFETCH(int, tiles);
    QFETCH(int, lastTileEnd);
    QFETCH(int, cornerLeft);
    const int L = 745, T = 70;
    const auto all = controlFramePieces(L, T, width, 45);
    const auto top = piecesOf(all, EdgeTop);
    const auto bottom = piecesOf(all, EdgeBottom);
    QCOMPARE(int(top.size()), tiles);
    QCOMPARE(int(bottom.size()), tiles);
    for (int i = 0; i < tiles; ++i) {
        QCOMPARE(top[i].x, L - 4 + 4 * i);
        QCOMPARE(top[i].y, T - 4);
        QCOMPARE(bottom[i].x, L - 4 + 4 * i);
        QCOMPARE(bottom[i].y, T + 45);
    }
    QCOMPARE(top.back().x + 4, L + lastTileEnd);
    const auto corner = piecesOf(all, CornerTopRight);
    QCOMPARE(int(corner.size()), 1);
    QCOMPARE(corner[0].x, L + cornerLeft);
    QCOMPARE(corner[0].y, T - 4);
    // The corner closes the run: it reaches the frame's last column, four pixels past the
    // control's last one.
    QCOMPARE(corner[0].x + 10, L + int(width) + 4);
    QVERIFY(corner[0].x <= top.back().x + 4);
    // The corners come after every edge tile, so they cover the runs' ends.
    const auto firstCorner = std::find_if(all.begin(), all.end(), [](const FramePiece &p) { return p.piece >= CornerTopLeft; });
    QVERIFY(std::all_of(firstCorner, all.end(), [](const FramePiece &p) { return p.piece >= CornerTopLeft; }));
    QCOMPARE(int(all.end() - firstCorner), 4);
}

void TestLayout::frameRoundsHalvesToEven()
{
    // A left edge of 162.5 puts the first tile at 158.5 -> 158 and the next at 162.5 -> 162.
    const auto top = piecesOf(controlFramePieces(162.5, 20, 170, 45), EdgeTop);
    QCOMPARE(top[0].x, 158);
    QCOMPARE(top[1].x, 162);
    QCOMPARE(top[2].x, 166);
    const auto left = piecesOf(controlFramePieces(162.5, 20, 170, 45), EdgeLeft);
    QCOMPARE(left[0].x, 158);
    QCOMPARE(left[0].y, 16);
    QCOMPARE(int(left.size()), 12);   // 45 / 4 = 11.25
}

void TestLayout::stackedPanelFramesLeaveTwoRows()
{
    // pScore at top 70, height 45 and pKontrol at top 125: rows 119 and 120 stay free.
    const double side = 675;
    const ScreenPlaces places = exerciseLayout::screenPlaces(1280, 775, 40, side);
    std::vector<FramePiece> all = controlFramePieces(places.score.left(), places.score.top(), places.score.width(), 45);
    const auto control = controlFramePieces(places.control.left(), places.control.top(), places.control.width(),
                                            places.control.height());
    all.insert(all.end(), control.begin(), control.end());
    int lowestScoreRow = 0;
    for (const FramePiece &p : controlFramePieces(places.score.left(), 70, places.score.width(), 45))
        lowestScoreRow = std::max(lowestScoreRow, p.y + pieceSize(p.piece) - 1);
    int highestControlRow = 10000;
    for (const FramePiece &p : control)
        highestControlRow = std::min(highestControlRow, p.y);
    QCOMPARE(lowestScoreRow, 118);
    QCOMPARE(highestControlRow, 121);
    for (const FramePiece &p : all)
        QVERIFY(p.y > 120 || p.y + pieceSize(p.piece) - 1 < 119);
}

void TestLayout::startPictures_data()
{
    QTest::addColumn<double>("scaleHeight");
    QTest::addColumn<int>("titleHeight");
    QTest::addColumn<int>("logoTop");
    QTest::newRow("800, title 45") << 800.0 << 45 << 238;   // a = 413, 238.5 -> 238
    QTest::newRow("768, title 45") << 768.0 << 45 << 222;   // a = 381, 222.5 -> 222
    QTest::newRow("800, title 44") << 800.0 << 44 << 238;   // a = 414, 238
    QTest::newRow("775, title 45") << 775.0 << 45 << 226;   // a = 388, 226
}

void TestLayout::startPictures()
{
    QFETCH(double, scaleHeight);
    QFETCH(int, titleHeight);
    QFETCH(int, logoTop);
    QCOMPARE(startLayout::logoTop(scaleHeight, titleHeight), logoTop);
    QCOMPARE(startLayout::centredLeft(1280, 435), 422);   // 422.5 -> 422
    QCOMPARE(startLayout::centredLeft(1280, 436), 422);
    QCOMPARE(startLayout::centredLeft(1024, 435), 294);   // 294.5 -> 294
    QCOMPARE(startLayout::centredLeft(1025, 436), 294);   // 294.5 -> 294
    QCOMPARE(startLayout::centredLeft(1027, 436), 296);   // 295.5 -> 296
}

void TestLayout::startControls()
{
    const startLayout::Places p = startLayout::controlPlaces(1280, 800);
    QCOMPARE(p.strip, QRectF(1208, 4, 68, 15));
    QCOMPARE(p.start, QRectF(552.5, 650, 175, 45));
    QCOMPARE(p.competition, QRectF(530, 590, 220, 25));
    QCOMPARE(p.show, QRectF(565, 555, 150, 25));
    const startLayout::Places small = startLayout::controlPlaces(1024, 768);
    QCOMPARE(small.strip, QRectF(952, 4, 68, 15));
    QCOMPARE(small.start, QRectF(424.5, 618, 175, 45));
    QCOMPARE(small.competition, QRectF(402, 558, 220, 25));
    QCOMPARE(small.show, QRectF(437, 523, 150, 25));
}

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
