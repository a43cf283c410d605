// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>

namespace windowArrangement {

// A desktop rectangle with exclusive right and bottom edges; all zeros when unknown.
struct WorkArea {
    int left = 0, top = 0, right = 0, bottom = 0;
    static WorkArea fromRect(const QRect &r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
};

// Top-left corner, in pixels, of a window w x h centred in the work area (halves to
// even); negative values become 0, not the work area's own edge.
QPoint centredIn(const WorkArea &area, int w, int h);

} // namespace windowArrangement
