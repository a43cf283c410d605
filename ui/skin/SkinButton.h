// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/Surface.h"

#include <functional>

// Draws a skinned button of any width from the template's three-slice bars: the look
// "N", "H" or "P", with the caption centred. Any other letter draws nothing.
void drawSkinButton(Surface &target, const QString &letter, const QString &caption);

// A surface drawn as a button that tracks the pointer with the mouse capture: normal at
// rest (kept in the persistent image), hover and pressed drawn directly.
class SkinButton : public Surface {
public:
    explicit SkinButton(const QString &caption, QWidget *parent = nullptr);

    // 1 while the pointer is over the button and the button holds the capture.
    int hot() const { return hot_; }
    QString caption() const { return caption_; }

    // Runs after a click that counts, once the button is back at rest.
    void setClickHandler(std::function<void()> handler) { clicked_ = std::move(handler); }

    // Acts as a click that counts, without a pointer (keyboard and assistive tools).
    void press();

    // Paints the normal look into the persistent image (on every size change).
    void paintResting();

    // Inside when past the left and top edges and up to the right and bottom ones, both
    // included: column 0 and row 0 are outside.
    static bool hitTest(double x, double y, double w, double h);

    // Where the keyboard focus mark is drawn: a dotted frame inside the rounded ends.
    QRect focusMarkRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void onMouseMove(int buttons, int shift, double x, double y) override;
    void onMouseDown(int buttons, int shift, double x, double y) override;
    void onClick() override;

private:
    QString caption_;
    int hot_ = 0;
    std::function<void()> clicked_;
};
