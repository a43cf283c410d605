// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/windowing/Form.h"

#include <cstdint>

// The optional full-screen backdrop (frmZFon, "background form") behind the program's
// windows: a dark four-colour gradient painted once, at load. When activated it hands
// the focus to the program's front window, so it always ends up behind them.
class BackdropWindow : public Form {
public:
    BackdropWindow();

    void Form_Load() override;
    void Form_GotFocus() override;

    // Corner colours as 0x00BBGGRR values: top-left, top-right, bottom-right, bottom-left.
    void paintGradient(std::uint32_t c1, std::uint32_t c2, std::uint32_t c3, std::uint32_t c4);
    static std::int16_t toColor16(std::int32_t value);
};
