// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace windowHints {

// Tells compositing window managers (GNOME's among them) that the window draws its own
// edges, so they cast no shadow around it: the exercise window's shadow would otherwise
// fall on the start window's strip above it and mark the seam between their headers.
// Nothing where the window system is not X11.
void castsNoShadow(QWidget &window);

} // namespace windowHints
