// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exercise/ExerciseScreen.h"

#include "engine/Rounding.h"
#include "engine/TimeText.h"
#include "ui/exercise/ExerciseLayout.h"
#include "ui/exercise/QuestionGrid.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/Look.h"
#include "ui/skin/SkinDraw.h"
#include "ui/skin/Surface.h"

#include <QFontMetrics>

namespace exerciseScreen {
namespace {

SkinFont scaled(SkinFont font, double scale)
{
    font.points *= scale;
    return font;
}

// True when the move changed the control's size.
bool moveTo(ControlPlacement &control, const QRectF &place)
{
    return control.Move(place.x(), place.y(), place.width(), place.height());
}

void record(const Parts &parts, LayoutStep step)
{
    if (parts.recordStep)
        parts.recordStep(step);
}

} // namespace

void draw(const Parts &parts)
{
    Surface &window = parts.window;
    const double width = window.ScaleWidth();
    const double height = window.ScaleHeight();
    const int w = roundToInt(width);
    const int h = roundToInt(height);

    window.drawPersistently([&] {
        record(parts, LayoutStep::FrameAndTitle);
        window.Cls();
        paintSkinFrame(window, w, h, exerciseHeader());
        paintFrameCorners(window, w, h);

        // The title in navy over a white shadow one pixel down and right.
        const QString title = QStringLiteral("Speed Velantra");
        window.setSkinFont(look::font(look::Font::ExerciseTitle));
        window.setForeColor(look::colour(look::Colour::ExerciseTitleShadow));
        drawTextInRect(window, title, 211, 3, w, h, TextFormat::LeftTop);
        window.setForeColor(look::colour(look::Colour::ExerciseTitle));
        drawTextInRect(window, title, 210, 2, w, h, TextFormat::LeftTop);

        // The grid first: the panels and Back stand beside it.
        record(parts, LayoutStep::Grid);
        fitQuestionGrid(parts.gSoru, 40, 70, exerciseLayout::gridSide(height));
        const auto places = exerciseLayout::screenPlaces(width, height, parts.gSoru.Left(), parts.gSoru.Width());

        // A panel or Back whose size changed lays itself out at once, before the next move.
        record(parts, LayoutStep::ScorePanel);
        if (moveTo(parts.pScore, places.score))
            pScore_Resize(parts);
        record(parts, LayoutStep::ControlPanel);
        if (moveTo(parts.pKontrol, places.control))
            pKontrol_Resize(parts);
        record(parts, LayoutStep::BackButton);
        if (moveTo(parts.btnBack, places.back))
            btnBack_Resize(parts);
    });

    record(parts, LayoutStep::PanelFrames);
    drawControlFrame(window, parts.pScore);
    drawControlFrame(window, parts.pKontrol);
    drawControlFrame(window, parts.gSoru);
}

void fitQuestionGrid(PlacedControl<QuestionGrid> &grid, int x, int y, int side)
{
    // Rows are whole twips: the side first asked for is rounded to what the rows give.
    grid.Move(x, y, side, side);
    const int row = exerciseLayout::gridRowTwips(side);
    grid->setRowHeight(-1, row);
    grid->setColWidth(-1, row);
    const int finalSide = exerciseLayout::gridSideFromRowTwips(grid->rowHeight(0));
    grid.Move(x, y, finalSide, finalSide);
}

void drawControlFrame(Surface &window, const ControlPlacement &control)
{
    using namespace exerciseLayout;
    static constexpr skin::Region kPieces[] = {
        skin::panelEdgeTop, skin::panelEdgeBottom, skin::panelEdgeLeft, skin::panelEdgeRight,
        skin::panelCornerTopLeft, skin::panelCornerTopRight, skin::panelCornerBottomLeft, skin::panelCornerBottomRight};
    window.drawPersistently([&] {
        for (const FramePiece &p : controlFramePieces(control.Left(), control.Top(), control.Width(), control.Height()))
            copyFromTemplate(window, p.x, p.y, kPieces[p.piece]);
    });
}

void pKontrol_Resize(const Parts &parts)
{
    using namespace exerciseLayout;
    record(parts, LayoutStep::ControlPanelRows);
    const Surface &panel = *parts.pKontrol.get();
    const auto sizeOf = [](const SelfSizingLabel &l) { return QSizeF(l.Width(), l.Height()); };
    const auto places = controlPanelPlaces(panel.ScaleWidth(), panel.ScaleHeight(), sizeOf(parts.yourAnswerCaption),
                                           sizeOf(parts.correctAnswerCaption));
    moveTo(parts.btnKaristir, places.rect[Shuffle]);
    moveTo(parts.btnStart, places.rect[Start]);
    moveTo(parts.txtSure, places.rect[Time]);
    parts.yourAnswerCaption.Move(places.rect[YourCaption].x(), places.rect[YourCaption].y());
    moveTo(parts.txtYourAnswer, places.rect[YourAnswer]);
    parts.correctAnswerCaption.Move(places.rect[CorrectCaption].x(), places.rect[CorrectCaption].y());
    moveTo(parts.txtCorrectAnswer, places.rect[CorrectAnswer]);
    moveTo(parts.btnCheck, places.rect[Check]);
}

void pScore_Resize(const Parts &parts)
{
    // The labels are arranged against RESET's place: RESET goes first.
    record(parts, LayoutStep::ResetButton);
    moveTo(parts.btnReset, exerciseLayout::resetButtonPlace(parts.pScore->ScaleWidth()));
    record(parts, LayoutStep::ScoreLabels);
    arrangeScoreLabels(parts);
}

void btnBack_Resize(const Parts &parts)
{
    record(parts, LayoutStep::BackButtonResting);
    parts.btnBack->paintResting();
}

void arrangeScoreLabels(const Parts &parts)
{
    const auto &labels = parts.scoreLabels;
    const auto fontOf = [](int i, double scale) {
        return scaled(look::font(i < 3 ? look::Font::Attempt : look::Font::Average), scale);
    };
    const auto measure = [&](int i, double scale) {
        const QFontMetrics metrics(fontOf(i, scale).toQFont());
        return QSizeF(metrics.horizontalAdvance(labels[i]->caption()), metrics.height());
    };
    // A label with the longest time of the usual attempts, those under ten minutes (the
    // digits are all as wide as each other in the skin's fonts).
    const auto longest = [&](int i, double scale) {
        const QString caption = labels[i]->caption();
        const qsizetype colon = caption.indexOf(QLatin1String(" : "));
        const QString text = caption.left(colon + 3) + timetext::formatTime(599.99f);
        const QFontMetrics metrics(fontOf(i, scale).toQFont());
        return QSizeF(std::max(metrics.horizontalAdvance(caption), metrics.horizontalAdvance(text)), metrics.height());
    };
    const exerciseLayout::ScoreRow row = exerciseLayout::fitScoreRow(
        parts.pScore->ScaleWidth(), parts.pScore->ScaleHeight(), parts.btnReset.Left(), measure, longest);
    for (int i = 0; i < 4; ++i) {
        const QFont font = fontOf(i, row.scale).toQFont();
        if (labels[i]->get()->font() != font)
            labels[i]->setFont(font);
        const QRectF &place = i < 3 ? row.attempt[i] : row.average;
        labels[i]->Move(place.x(), place.y());
    }
}

} // namespace exerciseScreen
