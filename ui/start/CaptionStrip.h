// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/Surface.h"

#include <functional>

// The start window's own window buttons: four 17 x 15 cells (backdrop switch, minimise,
// an inactive cell, close). A cell lights up under the pointer, shows a pressed look
// while a button is down, and a click acts on the lit cell.
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

    // The lit cell: 0 for none, or 1, 2 or 4; never 3.
    int captionHot() const { return captionHot_; }

    // The four normal glyphs, painted into the persistent image.
    void paintResting();

    // The cell under the pointer, from X alone: 1, 2, 4, or 0 (cell 3 counts as none).
    static int cellAt(double x);

    // Acts on cell k as a click on the lit cell does (keyboard and assistive tools).
    void activateCell(int k);

    void PFormKontrol_MouseMove(int button, int shift, double x, double y);
    void PFormKontrol_MouseDown(int button, int shift, double x, double y);
    void PFormKontrol_Click();

protected:
    void onMouseMove(int buttons, int shift, double x, double y) override { PFormKontrol_MouseMove(buttons, shift, x, y); }
    void onMouseDown(int buttons, int shift, double x, double y) override { PFormKontrol_MouseDown(buttons, shift, x, y); }
    void onClick() override { PFormKontrol_Click(); }

private:
    void paintCell(int cell, int row);
    void paintCellPersistently(int cell);

    int captionHot_ = 0;
    Actions actions_;
};
