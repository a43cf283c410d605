// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/windowing/Form.h"

class StartWindow;
class ExerciseWindow;
class BackdropWindow;

// The program's three windows, each a single instance created (and loaded) the first
// time it is used. frmMain is the start window, frmVelantra the exercise window, frmZFon
// the backdrop ("fon": background).
namespace windows {

StartWindow &frmMain();
ExerciseWindow &frmVelantra();
BackdropWindow &frmZFon();

// The window if it is loaded, without loading it.
StartWindow *loadedStartWindow();
ExerciseWindow *loadedExerciseWindow();
BackdropWindow *loadedBackdrop();

// Makes an exercise window ready while hidden, owned by owner and in place, so that
// frmVelantra later loads it and has only to show it. A ready or loaded one is kept.
void prepareExerciseWindow(Form &owner, const TwipsRect &place);

// Whether the window lies over the start window: any of the program's windows but the
// start window itself and the backdrop behind it.
bool liesOverStartWindow(const Form &form);

} // namespace windows
