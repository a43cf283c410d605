// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exercise/QuestionGrid.h"

#include "engine/Rounding.h"
#include "ui/windowing/Twips.h"
#include "ui/skin/BoldText.h"

#include <QAccessible>
#include <algorithm>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QFontMetricsF>
#include <QPainter>

namespace {
constexpr int kDefaultTwips = 255;
// The current cell's mark: navy, as the skin's titles, three pixels wide inside the cell,
// far from the light grey of the grid lines and the white of the cells (over 10:1).
const QColor kMarkColour = look::qcolour(look::Colour::FocusMark);
constexpr int kMarkWidth = 3;
} // namespace

QuestionGrid::QuestionGrid(QWidget *parent) : QWidget(parent)
{
    rowTwips_.fill(kDefaultTwips);
    colTwips_.fill(kDefaultTwips);
    alignment_.fill(0);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCellFont(look::font(look::Font::Digits));
    frameTimer_.setSingleShot(true);
    frameTimer_.setInterval(kFrameMs);
    connect(&frameTimer_, &QTimer::timeout, this, [this] { update(); });
}

void QuestionGrid::scheduleFrame()
{
    if (!frameTimer_.isActive())
        frameTimer_.start();
}

void QuestionGrid::setTextMatrix(int row, int col, const QString &text)
{
    if (!valid(row, col) || cells_[row][col].text == text)
        return;
    cells_[row][col].text = text;
    scheduleFrame();
}

QString QuestionGrid::textMatrix(int row, int col) const
{
    return valid(row, col) ? cells_[row][col].text : QString();
}

void QuestionGrid::setDigitOutcome(int row1, int col1, int row2, int col2, DigitOutcome outcome)
{
    setCellForeColor(row1, col1, row2, col2,
                     look::colour(outcome == DigitOutcome::Hidden ? look::Colour::DigitHidden : look::Colour::DigitShown));
    for (int r = std::max(0, row1); r <= std::min(kRows - 1, row2); ++r)
        for (int c = std::max(0, col1); c <= std::min(kCols - 1, col2); ++c)
            cells_[r][c].outcome = outcome;
}

DigitOutcome QuestionGrid::digitOutcome(int row, int col) const
{
    return valid(row, col) ? cells_[row][col].outcome : DigitOutcome::Shown;
}

void QuestionGrid::setCellForeColor(int row1, int col1, int row2, int col2, QRgb colour)
{
    for (int r = std::max(0, row1); r <= std::min(kRows - 1, row2); ++r)
        for (int c = std::max(0, col1); c <= std::min(kCols - 1, col2); ++c)
            cells_[r][c] = {cells_[r][c].text, colour, DigitOutcome::Shown};
    scheduleFrame();
}

QRgb QuestionGrid::cellForeColor(int row, int col) const
{
    return valid(row, col) ? cells_[row][col].colour : 0;
}

namespace {

// A setting of one row or column, or of all of them for index -1.
void setEach(std::array<int, 10> &values, int index, int value)
{
    if (index == -1)
        values.fill(value);
    else if (index >= 0 && index < static_cast<int>(values.size()))
        values[index] = value;
}

int valueAt(const std::array<int, 10> &values, int index)
{
    return index >= 0 && index < static_cast<int>(values.size()) ? values[index] : 0;
}

} // namespace

void QuestionGrid::setColAlignment(int col, int alignment)
{
    setEach(alignment_, col, alignment);
    scheduleFrame();
}

int QuestionGrid::colAlignment(int col) const { return valueAt(alignment_, col); }

void QuestionGrid::setRowHeight(int row, int twips)
{
    setEach(rowTwips_, row, twips);
    scheduleFrame();
}

int QuestionGrid::rowHeight(int row) const { return valueAt(rowTwips_, row); }

void QuestionGrid::setColWidth(int col, int twips)
{
    setEach(colTwips_, col, twips);
    scheduleFrame();
}

int QuestionGrid::colWidth(int col) const { return valueAt(colTwips_, col); }

void QuestionGrid::setCellFont(const SkinFont &font)
{
    font_ = font.toQFont();
    laidOut_.clear();
    scheduleFrame();
}

QuestionGrid::Edges QuestionGrid::edges(const std::array<int, kRows> &twips)
{
    Edges out{};
    long long sum = 0;
    for (int k = 0; k < kRows; ++k) {
        sum += twips[k];
        out[k + 1] = roundToInt(pixelsOfTwips(static_cast<double>(sum)));
    }
    return out;
}

QRect QuestionGrid::cellRect(int row, int col) const
{
    const Edges rows = edges(rowTwips_), cols = edges(colTwips_);
    return QRect(cols[col], rows[row], cols[col + 1] - cols[col], rows[row + 1] - rows[row]);
}

void QuestionGrid::setCurrentCell(int row, int col)
{
    row = std::clamp(row, 0, kRows - 1);
    col = std::clamp(col, 0, kCols - 1);
    if (row == currentRow_ && col == currentCol_)
        return;
    currentRow_ = row;
    currentCol_ = col;
    update();
    if (hasFocus())
        tellCurrentCell();
}

QRect QuestionGrid::cellMarkRect() const
{
    // Inside the cell, clear of the grid line at its right and bottom.
    return cellRect(currentRow_, currentCol_).adjusted(1, 1, -2, -2);
}

void QuestionGrid::tellCurrentCell()
{
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(currentRow_ * kCols + currentCol_);
    QAccessible::updateAccessibility(&event);
}

void QuestionGrid::keyPressEvent(QKeyEvent *event)
{
    int row = currentRow_, col = currentCol_;
    switch (event->key()) {
    case Qt::Key_Left: --col; break;
    case Qt::Key_Right: ++col; break;
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Home: col = 0; break;
    case Qt::Key_End: col = kCols - 1; break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    setCurrentCell(row, col);
}

void QuestionGrid::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    // After the grid itself, the cell the keyboard is on.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            tellCurrentCell();
    });
}

void QuestionGrid::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

const QuestionGrid::TextLayout &QuestionGrid::laidOut(const QString &text)
{
    auto it = laidOut_.find(text);
    if (it == laidOut_.end()) {
        if (laidOut_.size() > 64)
            laidOut_.clear();
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), font_);
        const QFontMetricsF metrics(font_);
        it = laidOut_.insert(text, {laid, QSizeF(metrics.horizontalAdvance(text), metrics.height())});
    }
    return *it;
}

void QuestionGrid::paintEvent(QPaintEvent *)
{
    // Painted many times a second while shuffling: the cells share one fill and the
    // grid lines are one-pixel rectangles, far cheaper than a stroked line each.
    ++paintCount_;
    QPainter p(this);
    const QPalette pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Window));
    // Edges once per paint: the cells below share them.
    const Edges rows = edges(rowTwips_), cols = edges(colTwips_);
    const int width = cols[kCols];
    const int height = rows[kRows];
    // White cells on every desktop: the hidden digits are drawn white on them, and a dark
    // scheme's cell colour would show them.
    p.fillRect(QRect(0, 0, width, height), look::qcolour(look::Colour::GridBack));
    const QColor lineColour = look::qcolour(look::Colour::GridLine);
    for (int c = 1; c <= kCols; ++c)
        p.fillRect(QRect(cols[c] - 1, 0, 1, height), lineColour);
    for (int r = 1; r <= kRows; ++r)
        p.fillRect(QRect(0, rows[r] - 1, width, 1), lineColour);

    p.setFont(font_);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            const Cell &entry = cells_[r][c];
            if (entry.text.isEmpty())
                continue;
            const QRect cell(cols[c], rows[r], cols[c + 1] - cols[c], rows[r + 1] - rows[r]);
            p.setPen(QColor::fromRgb(entry.colour));
            const TextLayout &laid = laidOut(entry.text);
            if (alignment_[c] == 4 && laid.size.width() <= cell.width() && laid.size.height() <= cell.height()) {
                // Where drawText would centre it, without laying the text out again.
                const QPointF at(cell.left() + (cell.width() - laid.size.width()) / 2,
                                 cell.top() + (cell.height() - laid.size.height()) / 2);
                boldText::drawOverstruck(p, [&] { p.drawStaticText(at, laid.text); });
            } else {
                const int flags = alignment_[c] == 4 ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter);
                boldText::drawOverstruck(p, [&] { p.drawText(cell, flags, entry.text); });
            }
        }
    }
    if (hasFocus()) {
        const QRect mark = cellMarkRect();
        for (int k = 0; k < kMarkWidth; ++k) {
            const QRect r = mark.adjusted(k, k, -k, -k);
            p.fillRect(QRect(r.left(), r.top(), r.width(), 1), kMarkColour);
            p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), kMarkColour);
            p.fillRect(QRect(r.left(), r.top(), 1, r.height()), kMarkColour);
            p.fillRect(QRect(r.right(), r.top(), 1, r.height()), kMarkColour);
        }
    }
}
