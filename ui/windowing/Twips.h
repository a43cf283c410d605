// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Twips, the unit of window positions and of the grid's rows: 1440 to the inch, so 15 to
// a pixel on a screen of 96 dots to the inch, the one the program is laid out for.
inline constexpr double kTwipsPerPixel = 15.0;

// The grid's rows and columns are measured at that fixed scale, whatever the screen.
constexpr double twipsOfPixels(double pixels) { return pixels * kTwipsPerPixel; }
constexpr double pixelsOfTwips(double twips) { return twips / kTwipsPerPixel; }

// A window's place in twips; a type of its own, so a place in pixels cannot pass for it.
// The screen's metrics convert between the two (ScreenMetrics::pixelsOf, twipsOf).
struct TwipsRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    friend constexpr bool operator==(const TwipsRect &, const TwipsRect &) = default;
};
