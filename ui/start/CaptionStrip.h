// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/Surface.h"

#include <functional>

// A cell of the caption strip, numbered from the left as its handlers count them; None
// where no cell is lit. The third cell never lights up.
enum class StripCell { None = 0, Backdrop = 1, Minimise = 2, Inactive = 3, Close = 4 };

// The start window's own window buttons (PFormKontrol): four cells of one caption glyph
// each (backdrop switch, minimise, an inactive cell, close). A cell lights up under the
// pointer, shows a pressed look while a button is down, and a click on the strip acts on
// the lit cell; leaving the strip's band unlights it.
class CaptionStrip : public Surface {
public:
    struct Actions {
        std::function<void()> toggleBackdrop;
        std::function<void()> minimise;
        std::function<void()> afterMinimise;   // hides the backdrop while it is on
        std::function<void()> close;
    };

    explicit CaptionStrip(QWidget *parent = nullptr);
    void setActions(Actions actions) { actions_ = std::move(actions); }

    // The lit cell ("hot": under the pointer or pressed); never Inactive.
    StripCell captionHot() const { return captionHot_; }

    // The four normal glyphs, painted into the persistent image.
    void paintResting();

    // The cell at X on the strip's band (the inactive cell counts as none).
    static StripCell cellAt(double x);
    // Where a cell lies in the strip.
    static QRect cellRect(StripCell cell);

    // Acts on the cell as a click on the lit cell does (keyboard and assistive tools).
    void activateCell(StripCell cell);

    // The cell the keyboard is on: the strip is one stop of the tab order, the arrow keys
    // walk its three acting cells and Space or Enter presses the one marked.
    StripCell keyboardCell() const { return keyboardCell_; }
    // Where that cell's focus mark is drawn while the strip has the focus.
    QRect focusMarkRect() const;

    void PFormKontrol_MouseMove(int button, int shift, double x, double y);
    void PFormKontrol_MouseDown(int button, int shift, double x, double y);
    void PFormKontrol_Click();

protected:
    void onMouseMove(int buttons, int shift, double x, double y) override { PFormKontrol_MouseMove(buttons, shift, x, y); }
    void onMouseDown(int buttons, int shift, double x, double y) override { PFormKontrol_MouseDown(buttons, shift, x, y); }
    void onClick() override { PFormKontrol_Click(); }
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void paintCell(StripCell cell, int row);
    void paintCellPersistently(StripCell cell);

    void setKeyboardCell(StripCell cell);

    StripCell captionHot_ = StripCell::None;
    StripCell keyboardCell_ = StripCell::Close;
    Actions actions_;
};
