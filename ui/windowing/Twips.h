// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Twips, the unit of window positions and of the grid's rows: 1440 to the inch, so 15 to
// a pixel on a screen of 96 dots to the inch, the one the program is laid out for.
inline constexpr double kTwipsPerPixel = 15.0;
