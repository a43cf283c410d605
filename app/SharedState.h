// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/SkinDraw.h"

#include <cstdint>

// The state that crosses windows (modMain: the main module).
namespace modMain {

// True in Competition Mode (the default at start-up), False in Show Mode.
extern bool competitionMode;
// 1 from START until Back, otherwise 0; selects the start window's view.
extern std::int16_t exerciseOpen;

// textRect, the scratch rectangle of every text draw, belongs to this state too; it is
// declared with the drawing primitives that write it (ui/skin/SkinDraw.h).

} // namespace modMain
