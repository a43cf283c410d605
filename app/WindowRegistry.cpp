// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowRegistry.h"

#include "app/StartWindow.h"
#include "app/ExerciseWindow.h"
#include "app/BackdropWindow.h"

#include <QPointer>

#include <utility>

namespace windows {
namespace {

QPointer<StartWindow> g_startWindow;
QPointer<ExerciseWindow> g_exerciseWindow;
QPointer<BackdropWindow> g_backdrop;
// Made ready, not yet loaded.
QPointer<ExerciseWindow> g_readyExerciseWindow;

// The window in the slot while it is loaded; an unloaded window waits for its deferred
// deletion, but is no longer the program's.
template <class F>
F *ifLoaded(const QPointer<F> &slot)
{
    return slot && loaded().contains(slot.data()) ? slot.data() : nullptr;
}

template <class F>
F &instance(QPointer<F> &slot, QPointer<F> *ready = nullptr)
{
    if (F *window = ifLoaded(slot))
        return *window;
    slot = ready && *ready ? std::exchange(*ready, nullptr).data() : new F;
    addLoaded(*slot);
    slot->Form_Load();
    return *slot;
}

} // namespace

StartWindow &frmMain() { return instance(g_startWindow); }
ExerciseWindow &frmVelantra() { return instance(g_exerciseWindow, &g_readyExerciseWindow); }
BackdropWindow &frmZFon() { return instance(g_backdrop); }

StartWindow *loadedStartWindow() { return ifLoaded(g_startWindow); }
ExerciseWindow *loadedExerciseWindow() { return ifLoaded(g_exerciseWindow); }
BackdropWindow *loadedBackdrop() { return ifLoaded(g_backdrop); }

void prepareExerciseWindow(Form &owner, const TwipsRect &place)
{
    if (g_readyExerciseWindow || loadedExerciseWindow())
        return;
    auto *window = new ExerciseWindow;
    window->Move(place.left, place.top, place.width, place.height);
    window->prepareToShow(&owner);
    g_readyExerciseWindow = window;
}

bool liesOverStartWindow(const Form &form)
{
    return !dynamic_cast<const StartWindow *>(&form) && !dynamic_cast<const BackdropWindow *>(&form);
}

} // namespace windows
