// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFont;

namespace fonts {
// Starts reading the system's font configuration on a thread of its own, to overlap the
// opening of the display: that reading is the largest single step before the first paint.
// ensureTahoma waits for it.
void startReadingConfiguration();
// Makes "Tahoma" available: registers the copy that the system's font packages install
// outside the font configuration, when the system does not know Tahoma already, and has
// the widgets draw that copy's bold face heavier than it is (boldText::install).
void ensureTahoma();
// Says what to install when a font the program shows resolves to no face at all.
void warnIfNoFace(const QFont &shown);
} // namespace fonts
