// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The state that crosses windows.
namespace modMain {

// True in Competition Mode (the default at start-up), False in Show Mode.
extern bool competitionMode;
// 1 from START until Back, otherwise 0; selects the start window's view.
extern std::int16_t exerciseOpen;

struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};
// The scratch rectangle of every text draw.
extern Rect textRect;

} // namespace modMain
