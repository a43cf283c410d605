// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Outcomes.h"

#include <QString>

// The operations the program makes on the question grid component. The grid widget
// implements them; the engine and its tests reach the grid only through this.
class Grid {
public:
    virtual ~Grid() = default;

    virtual void setTextMatrix(int row, int col, const QString &text) = 0;
    virtual QString textMatrix(int row, int col) const = 0;  // "" for a cell never set
    virtual int rows() const = 0;
    virtual int cols() const = 0;
    // The component's text colour of a block of cells, from (row1, col1) to (row2, col2),
    // bounds included, as what it shows: the grid draws each outcome in its own colour.
    virtual void setDigitOutcome(int row1, int col1, int row2, int col2, DigitOutcome outcome) = 0;
    virtual DigitOutcome digitOutcome(int row, int col) const = 0;
    // Alignment 4 centres the text; column -1 means every column.
    virtual void setColAlignment(int col, int alignment) = 0;
    // Sizes in twips; index -1 means every row or column.
    virtual void setRowHeight(int row, int twips) = 0;
    virtual int rowHeight(int row) const = 0;
    virtual void setColWidth(int col, int twips) = 0;
};
