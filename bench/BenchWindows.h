// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ExerciseWindow.h"
#include "app/StartWindow.h"
#include "app/WindowRegistry.h"
#include "ui/windowing/Platform.h"

#include <QCoreApplication>

// The program's windows as the benchmarks open them: on a screen of a chosen size, with
// the program's own clock and random source, and closed again when done.
namespace bench {

class Windows {
public:
    Windows(int screenWidth, int screenHeight)
    {
        ScreenMetrics screen;
        screen.widthPx = screenWidth;
        screen.heightPx = screenHeight;
        screen.workArea = QRect(0, 0, screenWidth, screenHeight);
        platform::setScreen(screen);
    }
    ~Windows()
    {
        const QList<Form *> all = windows::loaded();
        for (Form *f : all)
            windows::Unload(*f);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::setScreen(std::nullopt);
    }
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

    // START on the shown start window in the chosen mode; the exercise window it opens.
    ExerciseWindow &openExercise(bool competition)
    {
        StartWindow &main = windows::frmMain();
        main.Show();
        (*main.optMode[competition ? 1 : 0])->setChecked(true);
        main.btnStart_Click();
        return windows::frmVelantra();
    }
};

} // namespace bench
