// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Forms.h"

#include "app/FrmMain.h"
#include "app/FrmVelantra.h"
#include "app/FrmZFon.h"
#include "app/Platform.h"
#include "ui/skin/Capture.h"

namespace forms {
namespace {

QList<Form *> g_loaded;
FrmMain *g_main = nullptr;
FrmVelantra *g_velantra = nullptr;
FrmZFon *g_zfon = nullptr;

template <class F>
F &instance(F *&slot)
{
    if (!slot) {
        slot = new F;
        g_loaded.append(slot);
        slot->Form_Load();
    }
    return *slot;
}

} // namespace

FrmMain &frmMain() { return instance(g_main); }
FrmVelantra &frmVelantra() { return instance(g_velantra); }
FrmZFon &frmZFon() { return instance(g_zfon); }

FrmMain *loadedMain() { return g_main; }
FrmVelantra *loadedVelantra() { return g_velantra; }
FrmZFon *loadedZFon() { return g_zfon; }

const QList<Form *> &loaded() { return g_loaded; }

void Unload(Form &form)
{
    if (form.unloading_ || !g_loaded.contains(&form))
        return;
    form.unloading_ = true;
    bool cancel = false;
    form.Form_Unload(cancel);
    if (cancel) {
        form.unloading_ = false;
        return;
    }
    form.teardown();
    if (QWidget *grabber = capture::get(); grabber && (grabber == &form || form.isAncestorOf(grabber)))
        capture::release();
    form.setKeyPreview(false);
    form.hide();
    g_loaded.removeOne(&form);
    if (g_main == &form)
        g_main = nullptr;
    if (g_velantra == &form)
        g_velantra = nullptr;
    if (g_zfon == &form)
        g_zfon = nullptr;
    // Deferred: the handler that asked for the unload may still be on the stack.
    form.deleteLater();
    if (g_loaded.isEmpty())
        platform::endProcess();
}

} // namespace forms
