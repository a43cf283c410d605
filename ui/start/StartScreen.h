// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Surface;

// The start window's picture, in its two views: the start view (the frame with the start
// header, the title, the slogan and the logo) and the open view shown while the exercise
// window lies over it (the frame with the open header, whose top band stays visible).
namespace startScreen {

void draw(Surface &window, bool exerciseOpen);

} // namespace startScreen
