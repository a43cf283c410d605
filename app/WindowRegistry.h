// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class Form;
class FrmMain;
class FrmVelantra;
class FrmZFon;

// The program's three windows, each a single instance created (and loaded) the first
// time it is used, and listed in load order.
namespace forms {

FrmMain &frmMain();
FrmVelantra &frmVelantra();
FrmZFon &frmZFon();

// The window if it is loaded, without loading it.
FrmMain *loadedMain();
FrmVelantra *loadedVelantra();
FrmZFon *loadedZFon();

const QList<Form *> &loaded();

// Destroys the window (its Form_Unload may cancel); the next use loads it again. With no
// window left the process ends.
void Unload(Form &form);

} // namespace forms
