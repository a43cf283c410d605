// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Fonts.h"
#include "app/WindowRegistry.h"
#include "app/StartWindow.h"
#include "app/ExerciseWindow.h"
#include "app/BackdropWindow.h"
#include "app/SharedState.h"
#include "ui/windowing/Platform.h"
#include "TestDoubles.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>

// A simulated world for widget tests: a screen of a chosen size, a clock the test
// drives, a fixed random sequence, and message boxes and process ends that are recorded
// instead of acted on.
// The exercise window made ready unseen while the start window waits, if there is one.
inline ExerciseWindow *unseenExerciseWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *exercise = dynamic_cast<ExerciseWindow *>(w); exercise && !exercise->isVisible())
            return exercise;
    return nullptr;
}

class TestWorld {
public:
    explicit TestWorld(int screenWidth = 1280, int screenHeight = 800, unsigned seed = 1)
    {
        fonts::ensureTahoma();
        ScreenMetrics screen;
        screen.widthPx = screenWidth;
        screen.heightPx = screenHeight;
        screen.workArea = QRect(0, 0, screenWidth, screenHeight);
        platform::setScreen(screen);
        auto clock = std::make_unique<ManualClock>();
        clock_ = clock.get();
        engine::setClock(std::move(clock));
        engine::setRandom(std::make_unique<SeededRandom>(seed));
        platform::setMessageBoxHook([this](const QString &text, const QString &) { messages << text; });
        platform::setEndHook([this] { ++ends; });
        platform::resetEndRequest();
        platform::setInitialWindowState(ShownState::Normal);
        modMain::competitionMode = true;
        modMain::exerciseOpen = 0;
    }

    ~TestWorld()
    {
        closeAll();
        platform::setScreen(std::nullopt);
        engine::setClock(nullptr);
        engine::setRandom(nullptr);
        platform::setMessageBoxHook(nullptr);
        platform::setEndHook(nullptr);
        platform::resetEndRequest();
        platform::setInitialWindowState(ShownState::Normal);
    }

    ManualClock &clock() { return *clock_; }

    // The part of the screen that panels leave free.
    void setWorkArea(const QRect &area)
    {
        ScreenMetrics screen = platform::screen();
        screen.workArea = area;
        platform::setScreen(screen);
    }

    // Unloads every window and lets Qt destroy them.
    static void closeAll()
    {
        const QList<Form *> all = windows::loaded();
        for (Form *f : all)
            windows::Unload(*f);
        flushDeletes();
    }

    static void flushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The start window, loaded and shown, as the program starts.
    StartWindow &startWindow()
    {
        StartWindow &main = windows::frmMain();
        if (!platform::endRequested())
            main.Show();
        return main;
    }

    // START on the start window in the chosen mode; returns the exercise window.
    ExerciseWindow &openExercise(bool competition)
    {
        StartWindow &main = startWindow();
        (*main.optMode[competition ? 1 : 0])->setChecked(true);
        main.btnStart_Click();
        return windows::frmVelantra();
    }

    QStringList messages;
    int ends = 0;

private:
    ManualClock *clock_ = nullptr;
};
