// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowArrangement.h"

#include "engine/Rounding.h"

#include <algorithm>

namespace windowArrangement {

QPoint centredIn(const WorkArea &area, int w, int h)
{
    const int x = roundToInt((area.right - area.left - w) / 2.0 + area.left);
    const int y = roundToInt((area.bottom - area.top - h) / 2.0 + area.top);
    return QPoint(std::max(0, x), std::max(0, y));
}

} // namespace windowArrangement
