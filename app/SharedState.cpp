// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SharedState.h"

namespace modMain {
bool competitionMode = true;
std::int16_t exerciseOpen = 0;
} // namespace modMain
