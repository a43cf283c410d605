// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace app {
// Starts the program on an existing application object: fonts, the start window (which
// may refuse the screen), then the event loop. Returns the process's exit code.
int run(QApplication &application);
// The start-up before the event loop; false when the program ended during it.
bool startUp();
} // namespace app
