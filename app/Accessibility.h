// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Accessible names, roles and actions for the program's custom-drawn controls (the
// skinned Back button, the caption-button cells) and the question grid, so that a screen
// reader can find and press them.
#include <QLabel>
#include <QLineEdit>

namespace accessibility {
void install();
} // namespace accessibility

// A label drawn only for the look (a text's shadow): assistive technology does not see
// it, so the text it repeats is heard once.
class DecorativeLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
};

// A read-only text box whose text can change faster than anyone can listen (the running
// time, a hundred times a second). It shows every text at once; assistive technology is
// told of a change at once while the box is not paced, and at most once every
// kToldEveryS while it is, so a screen reader is not flooded. When pacing ends it is
// told the last text. What it reads of the box is always the text shown.
class PacedTextBox : public QLineEdit {
public:
    static constexpr double kToldEveryS = 1.0;

    explicit PacedTextBox(QWidget *parent = nullptr) : QLineEdit(parent) {}

    void showText(const QString &text);
    void setPaced(bool paced);
    // The text assistive technology was last told of.
    QString toldText() const { return told_; }
    // While the box's own text is being set: its own notice of the change goes nowhere.
    bool settingText() const { return settingText_; }

private:
    void tell();

    bool paced_ = false;
    bool settingText_ = false;
    QString told_;
    double toldAt_ = -1.0;
};
