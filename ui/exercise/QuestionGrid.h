// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Grid.h"
#include "ui/skin/Look.h"
#include "ui/skin/SkinFont.h"

#include <QHash>
#include <QStaticText>
#include <QTimer>
#include <QWidget>

#include <array>

// The question grid: ten rows of ten cells, each with a text and a text colour, drawn
// centred in large bold type. Row heights and column widths are kept in twips as given.
// The user cannot edit it. Repaints are paced to the display: any number of cell changes
// between two frames cost one paint.
class QuestionGrid : public QWidget, public Grid {
public:
    static constexpr int kRows = 10;
    static constexpr int kCols = 10;
    static constexpr int kFrameMs = 16;

    explicit QuestionGrid(QWidget *parent = nullptr);

    void setTextMatrix(int row, int col, const QString &text) override;
    QString textMatrix(int row, int col) const override;
    int rows() const override { return kRows; }
    int cols() const override { return kCols; }
    // Each outcome in its colour from the look; a digit is hidden only when its outcome is.
    void setDigitOutcome(int row1, int col1, int row2, int col2, DigitOutcome outcome) override;
    DigitOutcome digitOutcome(int row, int col) const override;
    // The text colour a block of cells is drawn in; a colour set here shows the digits.
    void setCellForeColor(int row1, int col1, int row2, int col2, QRgb colour);
    QRgb cellForeColor(int row, int col) const;
    void setColAlignment(int col, int alignment) override;
    int colAlignment(int col) const;
    void setRowHeight(int row, int twips) override;
    int rowHeight(int row) const override;
    void setColWidth(int col, int twips) override;
    int colWidth(int col) const;

    void setCellFont(const SkinFont &font);
    // Where cell (row, col) is drawn, in the grid's pixels.
    QRect cellRect(int row, int col) const;
    int paintCount() const { return paintCount_; }

    // The cell the keyboard is on: the arrow keys walk it cell by cell, and while the grid
    // has the focus it is marked.
    int currentRow() const { return currentRow_; }
    int currentCol() const { return currentCol_; }
    void setCurrentCell(int row, int col);
    // Where the mark of the current cell is drawn, in the grid's pixels.
    QRect cellMarkRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct Cell {
        QString text;
        QRgb colour = look::colour(look::Colour::DigitShown);
        DigitOutcome outcome = DigitOutcome::Shown;
    };
    bool valid(int row, int col) const { return row >= 0 && row < kRows && col >= 0 && col < kCols; }
    void scheduleFrame();
    // Pixel edges 0 to 10 of the rows or columns, for sizes in twips.
    using Edges = std::array<int, kRows + 1>;
    static Edges edges(const std::array<int, kRows> &twips);

    std::array<std::array<Cell, kCols>, kRows> cells_;
    std::array<int, kRows> rowTwips_;
    std::array<int, kCols> colTwips_;
    std::array<int, kCols> alignment_;
    QFont font_;
    // Cell texts laid out once per font: a shuffle paints the same nine digits over and over.
    struct TextLayout {
        QStaticText text;
        QSizeF size;
    };
    const TextLayout &laidOut(const QString &text);
    QHash<QString, TextLayout> laidOut_;
    // Tells assistive technology that the keyboard is on the current cell.
    void tellCurrentCell();

    QTimer frameTimer_;
    int paintCount_ = 0;
    int currentRow_ = 0;
    int currentCol_ = 0;
};
