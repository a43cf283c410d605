// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The codes the program's key handlers receive for the two keys an exercise uses.
namespace keyCodes {
inline constexpr int kEscape = 27;
inline constexpr int kEnter = 13;
} // namespace keyCodes
