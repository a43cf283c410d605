#include "ui/exercise/ExerciseLayout.h"

#include "engine/Rounding.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace exerciseLayout {

int gridRowTwips(int side)
{
    return roundToInt(side / 10.0 * 15.0);
}

int gridSideFromRowTwips(int rowTwips)
{
    const std::int32_t tenRows = rowTwips * 10;
    return roundToInt(tenRows / 15.0);
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
    return out;
}

QRectF resetButtonPlace(double scaleWidth)
{
    return QRectF(scaleWidth - 90, 7, 85, 33);
}

ScoreLabelPlaces scoreLabelPlaces(double resetLeft, std::array<double, 3> attemptWidths, double averageWidth)
{
    ScoreLabelPlaces out;
    out.attempt[0] = QPointF(3, 14);
    out.attempt[1] = QPointF(out.attempt[0].x() + attemptWidths[0] + 8, out.attempt[0].y());
    out.attempt[2] = QPointF(out.attempt[1].x() + attemptWidths[1] + 8, out.attempt[0].y());
    out.average = QPointF(resetLeft - averageWidth - 20, 11);
    return out;
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
