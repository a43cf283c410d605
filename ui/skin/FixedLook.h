// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPalette>

// The look of the program's own controls (push buttons, option buttons, text boxes) does
// not follow the desktop: the skin around them is fixed, so a dark colour scheme, another
// widget style or a platform theme would leave light skin beside dark controls, and would
// show the grid's hidden digits. The controls are drawn in the light palette and the
// style they were designed with, whatever the desktop asks for.
namespace fixedLook {

// The light palette the controls were designed in, every colour of every group set, so
// that nothing of a desktop's palette shows through.
QPalette palette();

// Makes that palette, the designed style (with bold text that reads bold) and the
// controls' face the application's; once is enough. Reading the desktop's palette and fonts is switched off
// before the application is made (QGuiApplication::setDesktopSettingsAware), so that a
// platform theme does not lay its own over them later.
void install();

} // namespace fixedLook
