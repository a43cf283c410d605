// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Mouse capture: while a surface holds it, every pointer event comes to that surface.
namespace capture {
void set(QWidget *w);
QWidget *get();
void release();
} // namespace capture
