// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard on a real X server with a window manager: after the program's windows
// are minimised and restored, or activated by any means, keys go to the window in front
// and never to the start window it covers; the running exercise is kept. Windows that
// another X client destroys end as after Back, or as after closing.
#include "e2eSupport.h"

#include "app/App.h"
#include "app/WindowRegistry.h"
#include "app/StartWindow.h"
#include "app/ExerciseWindow.h"
#include "app/SharedState.h"
#include "ui/windowing/Platform.h"
#include "ui/start/CaptionStrip.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

namespace {

using e2e::xid;

QPoint centreOf(const QWidget *w) { return w->mapToGlobal(w->rect().center()); }

QPoint stripCell(StartWindow &main, int cell)
{
    return main.PFormKontrol->mapToGlobal(QPoint(17 * (cell - 1) + 8, 7));
}

bool minimisedEverywhere(const Form &form)
{
    return form.WindowState() == Form::Minimized && e2e::wmState(xid(form)) == 3;
}

bool shownEverywhere(const Form &form)
{
    return form.WindowState() == Form::Normal && e2e::xwininfo(xid(form)).viewable;
}

} // namespace

class TestE2eFocus : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void keysGoToTheFrontWindow_data();
    void keysGoToTheFrontWindow();
    void destroyedExerciseWindowEndsAsBack();
    void destroyedStartWindowEndsProgram();

private:
    // START with a real click; waits until the exercise window is shown and active.
    void openExercise();

    StartWindow *main_ = nullptr;
};

void TestE2eFocus::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(app::startUp());
    main_ = windows::loadedStartWindow();
    QVERIFY(main_);
    QVERIFY(QTest::qWaitForWindowActive(main_));
    QVERIFY(modMain::competitionMode);
}

void TestE2eFocus::cleanup()
{
    if (ExerciseWindow *exercise = windows::loadedExerciseWindow())
        exercise->btnBack_Click();
    if (StartWindow *main = windows::loadedStartWindow()) {
        main->setWindowStateTo(Form::Normal);
        QTRY_VERIFY(shownEverywhere(*main));
    }
}

void TestE2eFocus::cleanupTestCase()
{
    if (windows::loadedStartWindow())
        windows::Unload(*windows::loadedStartWindow());
    QVERIFY(windows::loaded().isEmpty());
}

void TestE2eFocus::openExercise()
{
    StartWindow &main = *main_;
    QVERIFY(e2e::clickAt(centreOf(main.btnStart.get())));
    QTRY_VERIFY_WITH_TIMEOUT(windows::loadedExerciseWindow(), 10000);
    ExerciseWindow *exercise = windows::loadedExerciseWindow();
    QTRY_VERIFY_WITH_TIMEOUT(shownEverywhere(*exercise), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), exercise, 10000);
}

void TestE2eFocus::keysGoToTheFrontWindow_data()
{
    QTest::addColumn<QString>("minimise");   // strip, start by wm, exercise by wm, none
    QTest::addColumn<QString>("restore");    // activate start, activate exercise, alt+tab

    QTest::newRow("strip minimise, start window activated") << "strip" << "activate start";
    QTest::newRow("strip minimise, exercise window activated") << "strip" << "activate exercise";
    QTest::newRow("window manager minimise, start window activated") << "start by wm" << "activate start";
    QTest::newRow("window manager minimise, exercise window activated") << "start by wm" << "activate exercise";
    QTest::newRow("exercise window minimised alone, activated") << "exercise by wm" << "activate exercise";
    QTest::newRow("start window activated while both are up") << "none" << "activate start";
    QTest::newRow("Alt+Tab while both are up") << "none" << "alt+tab";
}

void TestE2eFocus::keysGoToTheFrontWindow()
{
    QFETCH(QString, minimise);
    QFETCH(QString, restore);
    StartWindow &main = *main_;
    openExercise();
    if (QTest::currentTestFailed())
        return;
    ExerciseWindow *opened = windows::loadedExerciseWindow();
    ExerciseWindow &exercise = *opened;

    // A running shuffle, an answer being typed: what must survive.
    QVERIFY(e2e::clickAt(centreOf(exercise.btnKaristir.get())));
    QTRY_VERIFY(exercise.state().shuffling);
    QVERIFY(e2e::clickAt(centreOf(exercise.txtYourAnswer.get())));
    QTRY_COMPARE(QApplication::focusWidget(), exercise.txtYourAnswer.get());
    QVERIFY(e2e::typeKeys({QStringLiteral("4")}));
    QTRY_COMPARE(exercise.txtYourAnswer->text(), QStringLiteral("4"));

    if (minimise == QLatin1String("strip")) {
        QVERIFY(e2e::clickAt(stripCell(main, 2)));
        QTRY_VERIFY(minimisedEverywhere(main));
        QTRY_VERIFY(minimisedEverywhere(exercise));
    } else if (minimise == QLatin1String("start by wm")) {
        QVERIFY(e2e::minimiseFromOutside(xid(main)));
        QTRY_VERIFY(minimisedEverywhere(main));
        QTRY_VERIFY(minimisedEverywhere(exercise));
    } else if (minimise == QLatin1String("exercise by wm")) {
        QVERIFY(e2e::minimiseFromOutside(xid(exercise)));
        QTRY_VERIFY(minimisedEverywhere(exercise));
    }

    if (restore == QLatin1String("activate start"))
        QVERIFY(e2e::activateFromOutside(xid(main)));
    else if (restore == QLatin1String("activate exercise"))
        QVERIFY(e2e::activateFromOutside(xid(exercise)));
    else
        QVERIFY(e2e::typeKeys({QStringLiteral("alt+Tab")}));

    QTRY_VERIFY(shownEverywhere(main));
    QTRY_VERIFY(shownEverywhere(exercise));
    QTRY_COMPARE(QApplication::activeWindow(), &exercise);
    QTRY_COMPARE(e2e::activeWindow(), xid(exercise));
    QTRY_VERIFY(e2e::stackIndex(xid(exercise)) > e2e::stackIndex(xid(main)));
    QVERIFY(e2e::stackIndex(xid(main)) >= 0);
    // The control that had the focus has it again, and nothing of the exercise was lost.
    QCOMPARE(QApplication::focusWidget(), exercise.txtYourAnswer.get());
    QVERIFY(exercise.state().shuffling);
    QCOMPARE(exercise.txtYourAnswer->text(), QStringLiteral("4"));

    // Tab and Space would choose Show Mode on the start window under it; Escape stops the
    // shuffle, and in Competition Mode that starts the stopwatch.
    QVERIFY(e2e::typeKeys({QStringLiteral("Tab"), QStringLiteral("space"), QStringLiteral("Escape")}));
    QTRY_VERIFY(!exercise.state().shuffling);
    QTRY_VERIFY(exercise.state().running);
    QVERIFY((*main.optMode[1])->isChecked());
    QVERIFY(!(*main.optMode[0])->isChecked());
    QVERIFY(modMain::competitionMode);
}

// Another X client destroys the exercise window while it shuffles: it ends as after Back,
// and START opens a fresh one.
void TestE2eFocus::destroyedExerciseWindowEndsAsBack()
{
    StartWindow &main = *main_;
    openExercise();
    if (QTest::currentTestFailed())
        return;
    ExerciseWindow *opened = windows::loadedExerciseWindow();
    QPointer<ExerciseWindow> exercise = opened;
    QVERIFY(e2e::clickAt(centreOf(exercise->btnKaristir.get())));
    QTRY_VERIFY(exercise->state().shuffling);

    QVERIFY(e2e::destroyFromOutside(xid(*exercise)));
    QTRY_VERIFY(exercise.isNull());   // unloaded and destroyed: no shuffle goes on
    QVERIFY(!windows::loadedExerciseWindow());
    QCOMPARE(modMain::exerciseOpen, 0);
    QVERIFY(shownEverywhere(main));

    openExercise();
    if (QTest::currentTestFailed())
        return;
    ExerciseWindow *again = windows::loadedExerciseWindow();
    QVERIFY(!again->state().shuffling);
    QCOMPARE(again->state().attemptNumber, 1);
    QCOMPARE(modMain::exerciseOpen, 1);
}

// Another X client destroys the start window: every window is unloaded and the program
// ends, as after closing (the real executable's exit code is checked by tst_e2e_close).
void TestE2eFocus::destroyedStartWindowEndsProgram()
{
    openExercise();
    if (QTest::currentTestFailed())
        return;
    ExerciseWindow *opened = windows::loadedExerciseWindow();
    QVERIFY(e2e::clickAt(centreOf(opened->btnKaristir.get())));
    QTRY_VERIFY(opened->state().shuffling);
    QPointer<ExerciseWindow> exercise = opened;
    QPointer<StartWindow> main = main_;

    QVERIFY(e2e::destroyFromOutside(xid(*main_)));
    QTRY_VERIFY(windows::loaded().isEmpty());
    QVERIFY(platform::endRequested());
    QTRY_VERIFY(main.isNull() && exercise.isNull());
    main_ = nullptr;
}

QTEST_MAIN(TestE2eFocus)
#include "tst_e2e_focus.moc"
