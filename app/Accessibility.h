// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Accessible names, roles and actions for the program's custom-drawn controls (the
// skinned Back button, the caption-button cells) and the question grid, so that a screen
// reader can find and press them.
#include <QLabel>

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
