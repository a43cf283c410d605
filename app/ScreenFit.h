// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

#include <optional>

// How the program fits itself to a screen: whether it can be laid out at all, the size
// of its start window, and the whole device-pixel ratio it draws at on a scaled desktop.
namespace screenFit {

// The smallest screen, in logical pixels, the program can be laid out on.
inline constexpr int kMinimumWidth = 1024;
inline constexpr int kMinimumHeight = 768;
// From this screen height on, the start window gets the skin template's height.
inline constexpr int kFittingThreshold = 800;
// The skin template exists at scale 1 and 2; drawing at any other ratio would resample it.
inline constexpr int kLargestSkinRatio = 2;

bool fits(QSize screen);

// The start window's size, in pixels, on a screen that fits: the whole of a screen lower
// than the threshold; otherwise the template's size, narrowed to a screen narrower than it.
QSize startWindowSize(QSize screen);

// Where the start window stands on a screen that fits: in the screen's free area (what
// its panels and docks leave), at the area's top left, sized by startWindowSize for the
// area. The whole screen where the window manager tells no free area.
QRect startWindowPlace(QRect screen, std::optional<QRect> freeArea);

// The whole ratio to draw at on a screen of `physical` device pixels where the desktop
// asks for `requested`: the request rounded (halves up, as Qt's own rounding policy
// does) and kept to the skin's scales, then lowered until the program fits. 1 where no
// ratio fits; the screen check then refuses the screen.
int deviceRatio(QSize physical, double requested);

} // namespace screenFit
