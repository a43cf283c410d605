// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "app/WindowArrangement.h"
#include "ui/start/CaptionStrip.h"

#include <QApplication>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

namespace {

constexpr double kTpp = 15.0;

// A press of a caption-strip cell as the strip's handlers see it: the pointer arrives,
// the button goes down, the click follows.
void pressStripCell(StartWindow &main, int cell)
{
    CaptionStrip *strip = main.PFormKontrol.get();
    const double x = 17.0 * (cell - 1) + 8;
    strip->PFormKontrol_MouseMove(0, 0, x, 7);
    strip->PFormKontrol_MouseDown(1, 0, x, 7);
    strip->PFormKontrol_Click();
}

QRectF twipsOf(const Form &form) { return QRectF(form.Left(), form.Top(), form.Width(), form.Height()); }

} // namespace

class TestBackdrop : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void switchingOnCentresAndShowsTheBackdrop();
    void switchingOffHidesWithoutUnloading();
    void minimiseAndRestoreWithBackdropOn();

    void centredIn_data();
    void centredIn();
    void arrangeWindows_data();
    void arrangeWindows();
    void arrangeLaysExerciseWindowOverStartWindow();

    void focusHandOff_data();
    void focusHandOff();

    void activationGoesToFrontWindow_data();
    void activationGoesToFrontWindow();
    void keysNeverReachCoveredStartWindow_data();
    void keysNeverReachCoveredStartWindow();
    void restoringExerciseWindowRestoresItsOwner();

    void closingStartWindowUnloadsEverything_data();
    void closingStartWindowUnloadsEverything();
};

void TestBackdrop::cleanup()
{
    TestWorld::closeAll();
}

void TestBackdrop::switchingOnCentresAndShowsTheBackdrop()
{
    TestWorld world(1600, 1000);
    StartWindow &main = world.startWindow();
    QVERIFY(!main.backdropOn());
    QVERIFY(!windows::loadedBackdrop());

    main.toggleBackdrop();
    QVERIFY(main.backdropOn());
    BackdropWindow *backdrop = windows::loadedBackdrop();
    QVERIFY(backdrop);
    QVERIFY(backdrop->isVisible());
    QVERIFY(!backdrop->parentWidget());   // no owner: it may lie behind everything
    // Marked for the window manager as a window that stays below the others.
    QVERIFY(backdrop->windowFlags().testFlag(Qt::WindowStaysOnBottomHint));
    QCOMPARE(windows::loaded().count(backdrop), 1);
    // arrangeWindows ran: the 1280 x 800 start window is centred on the 1600 x 1000 screen.
    QCOMPARE(twipsOf(main), QRectF(160 * kTpp, 100 * kTpp, 1280 * kTpp, 800 * kTpp));
    QCOMPARE(main.geometry(), QRect(160, 100, 1280, 800));
    QCOMPARE(backdrop->geometry(), QRect(0, 0, 1600, 1000));
}

void TestBackdrop::switchingOffHidesWithoutUnloading()
{
    TestWorld world;
    StartWindow &main = world.startWindow();
    main.toggleBackdrop();
    BackdropWindow *backdrop = windows::loadedBackdrop();
    QVERIFY(backdrop);
    const qint64 gradient = backdrop->persistentImage().cacheKey();

    main.toggleBackdrop();
    QVERIFY(!main.backdropOn());
    QCOMPARE(windows::loadedBackdrop(), backdrop);
    QVERIFY(!backdrop->isVisible());
    QVERIFY(windows::loaded().contains(backdrop));

    // Switched on again: the same window with the same picture; it is not loaded twice.
    main.toggleBackdrop();
    QVERIFY(main.backdropOn());
    QCOMPARE(windows::loadedBackdrop(), backdrop);
    QVERIFY(backdrop->isVisible());
    QCOMPARE(backdrop->persistentImage().cacheKey(), gradient);
    QCOMPARE(windows::loaded().count(backdrop), 1);
}

// Minimise through the strip with the backdrop on hides the backdrop but keeps the
// user's choice; restoring does not bring it back, the next press only clears the
// choice, and the press after that shows it again.
void TestBackdrop::minimiseAndRestoreWithBackdropOn()
{
    TestWorld world;
    ExerciseWindow &exercise = world.openExercise(false);
    StartWindow &main = windows::frmMain();
    pressStripCell(main, 1);
    BackdropWindow *backdrop = windows::loadedBackdrop();
    QVERIFY(backdrop && backdrop->isVisible());
    QVERIFY(main.backdropOn());

    pressStripCell(main, 2);
    QCOMPARE(main.WindowState(), Form::Minimized);
    QCOMPARE(exercise.WindowState(), Form::Minimized);
    QVERIFY(!backdrop->isVisible());
    QVERIFY(main.backdropOn());
    QCOMPARE(int(main.PFormKontrol->captionHot()), 0);

    main.setWindowStateTo(Form::Normal);
    QCOMPARE(main.WindowState(), Form::Normal);
    QCOMPARE(exercise.WindowState(), Form::Normal);
    QCoreApplication::processEvents();
    QVERIFY(!backdrop->isVisible());
    QVERIFY(main.backdropOn());

    pressStripCell(main, 1);
    QVERIFY(!main.backdropOn());
    QVERIFY(!backdrop->isVisible());
    QCOMPARE(windows::loadedBackdrop(), backdrop);

    pressStripCell(main, 1);
    QVERIFY(main.backdropOn());
    QVERIFY(backdrop->isVisible());
    QCOMPARE(windows::loadedBackdrop(), backdrop);
}

void TestBackdrop::centredIn_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("122.5 goes to the even 122") << QRect(0, 0, 1280, 800) << QSize(1035, 700) << QPoint(122, 50);
    QTest::newRow("121.5 goes to the even 122") << QRect(0, 0, 1280, 800) << QSize(1037, 701) << QPoint(122, 50);
    QTest::newRow("offset work area") << QRect(100, 40, 1180, 760) << QSize(1035, 700) << QPoint(172, 70);
    QTest::newRow("exact fit") << QRect(0, 0, 1280, 800) << QSize(1280, 800) << QPoint(0, 0);
    QTest::newRow("taller than the work area") << QRect(0, 0, 1280, 760) << QSize(1280, 800) << QPoint(0, 0);
    QTest::newRow("clamped to 0, not to the area's edge") << QRect(50, 30, 1000, 600) << QSize(1280, 800)
                                                          << QPoint(0, 0);
    QTest::newRow("unknown work area") << QRect() << QSize(1280, 800) << QPoint(0, 0);
}

void TestBackdrop::centredIn()
{
    QFETCH(QRect, area);
    QFETCH(QSize, window);
    QFETCH(QPoint, expected);
    using windowArrangement::WorkArea;
    const WorkArea a = area.isNull() ? WorkArea{} : WorkArea::fromRect(area);
    QCOMPARE(windowArrangement::centredIn(a, window.width(), window.height()), expected);
}

void TestBackdrop::arrangeWindows_data()
{
    QTest::addColumn<bool>("knownArea");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRectF>("before");   // the start window, twips
    QTest::addColumn<QRectF>("expected");
    QTest::addColumn<QRect>("pixels");   // the same place, 15 twips to a pixel

    QTest::newRow("centred, halves to even") << true << QRect(0, 0, 1280, 800)
                                             << QRectF(0, 0, 1035 * kTpp, 700 * kTpp)
                                             << QRectF(122 * kTpp, 50 * kTpp, 1035 * kTpp, 700 * kTpp)
                                             << QRect(122, 50, 1035, 700);
    QTest::newRow("moved back from elsewhere") << true << QRect(0, 0, 1280, 800)
                                               << QRectF(3000, 4500, 1035 * kTpp, 700 * kTpp)
                                               << QRectF(122 * kTpp, 50 * kTpp, 1035 * kTpp, 700 * kTpp)
                                               << QRect(122, 50, 1035, 700);
    QTest::newRow("below a top task bar") << true << QRect(0, 40, 1280, 760)
                                          << QRectF(0, 0, 1024 * kTpp, 700 * kTpp)
                                          << QRectF(128 * kTpp, 70 * kTpp, 1024 * kTpp, 700 * kTpp)
                                          << QRect(128, 70, 1024, 700);
    QTest::newRow("larger than the work area: clamped to 0")
        << true << QRect(50, 30, 1000, 600) << QRectF(0, 0, 1280 * kTpp, 800 * kTpp)
        << QRectF(0, 0, 1280 * kTpp, 800 * kTpp)
        << QRect(0, 0, 1280, 800);
    QTest::newRow("size snapped to whole pixels") << true << QRect(0, 0, 1280, 800)
                                                  << QRectF(0, 0, 15533, 10507)   // 1035.53 x 700.47 px
                                                  << QRectF(122 * kTpp, 50 * kTpp, 1036 * kTpp, 700 * kTpp)
                                                  << QRect(122, 50, 1036, 700);
    QTest::newRow("failed work-area query") << false << QRect()
                                            << QRectF(3000, 1500, 19207, 12008)   // 1280.47 x 800.53 px
                                            << QRectF(0, 0, 1280 * kTpp, 801 * kTpp)
                                            << QRect(0, 0, 1280, 801);
}

void TestBackdrop::arrangeWindows()
{
    QFETCH(bool, knownArea);
    QFETCH(QRect, area);
    QFETCH(QRectF, before);
    QFETCH(QRectF, expected);
    QFETCH(QRect, pixels);
    TestWorld world;
    ScreenMetrics screen = platform::screen();
    screen.workArea = knownArea ? std::optional<QRect>(area) : std::nullopt;
    platform::setScreen(screen);
    StartWindow &main = world.startWindow();
    main.Move(before.x(), before.y(), before.width(), before.height());

    main.arrangeWindows();
    QCOMPARE(twipsOf(main), expected);
    QCOMPARE(main.geometry(), pixels);
}

void TestBackdrop::arrangeLaysExerciseWindowOverStartWindow()
{
    TestWorld world(1600, 1000);
    ExerciseWindow &exercise = world.openExercise(true);
    StartWindow &main = windows::frmMain();
    exercise.Move(0, 0, 900 * kTpp, 600 * kTpp);
    main.toggleBackdrop();
    BackdropWindow *backdrop = windows::loadedBackdrop();
    QVERIFY(backdrop);

    const QRectF start(160 * kTpp, 100 * kTpp, 1280 * kTpp, 800 * kTpp);
    QCOMPARE(twipsOf(main), start);
    QCOMPARE(twipsOf(exercise), QRectF(start.x(), start.y() + 375, start.width(), start.height() - 375));
    QCOMPARE(exercise.geometry(), QRect(160, 125, 1280, 775));
    // The backdrop itself is never laid over the start window.
    QCOMPARE(backdrop->geometry(), QRect(0, 0, 1600, 1000));

    // Switched off and on again, the windows are laid out afresh.
    main.toggleBackdrop();
    exercise.Move(0, 0, 900 * kTpp, 600 * kTpp);
    main.toggleBackdrop();
    QCOMPARE(twipsOf(exercise), QRectF(start.x(), start.y() + 375, start.width(), start.height() - 375));
    QCOMPARE(backdrop->geometry(), QRect(0, 0, 1600, 1000));
}

// When the backdrop is activated it hands the focus to the program's front window.
void TestBackdrop::focusHandOff_data()
{
    QTest::addColumn<bool>("exerciseOpen");
    QTest::addColumn<bool>("backdropFirst");   // the backdrop was loaded before the exercise window
    QTest::addColumn<bool>("exerciseHidden");
    QTest::addColumn<bool>("startMinimised");
    QTest::addColumn<QString>("expected");     // the window that ends up active

    QTest::newRow("start window alone") << false << false << false << false << "frmMain";
    QTest::newRow("exercise window open") << true << false << false << false << "frmVelantra";
    QTest::newRow("exercise window loaded after the backdrop") << true << true << false << false << "frmVelantra";
    QTest::newRow("exercise window cannot take it: start window not tried")
        << true << false << true << false << "frmZFon";
    QTest::newRow("start window minimised") << false << false << false << true << "frmZFon";
    QTest::newRow("start window minimised, exercise open") << true << false << false << true << "frmZFon";
}

void TestBackdrop::focusHandOff()
{
    QFETCH(bool, exerciseOpen);
    QFETCH(bool, backdropFirst);
    QFETCH(bool, exerciseHidden);
    QFETCH(bool, startMinimised);
    QFETCH(QString, expected);

    TestWorld world;
    StartWindow &main = world.startWindow();
    if (backdropFirst) {
        main.toggleBackdrop();
        main.toggleBackdrop();
    }
    if (exerciseOpen)
        world.openExercise(false);
    if (exerciseHidden)
        windows::frmVelantra().Hide();
    if (startMinimised)
        main.setWindowStateTo(Form::Minimized);

    // Something else than the backdrop holds the focus first, so the hand-off is seen.
    main.activateWindow();
    QCoreApplication::processEvents();

    if (!main.backdropOn())
        main.toggleBackdrop();
    BackdropWindow &backdrop = *windows::loadedBackdrop();
    // Showing it activates it; a click on it does the same later on.
    for (int activation = 0; activation < 2; ++activation) {
        if (activation == 1) {
            if (!startMinimised)
                main.activateWindow();
            QCoreApplication::processEvents();
            backdrop.activateWindow();
        }
        QTRY_VERIFY(QApplication::activeWindow() != nullptr);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QWidget *active = QApplication::activeWindow();
        QVERIFY(active);
        QCOMPARE(active->objectName(), expected);
    }
    QCOMPARE(main.WindowState(), startMinimised ? Form::Minimized : Form::Normal);
}

// However the start window is activated, the keyboard goes to the window in front: the
// exercise window when it is open and not minimised.
void TestBackdrop::activationGoesToFrontWindow_data()
{
    QTest::addColumn<bool>("exerciseOpen");
    QTest::addColumn<bool>("exerciseMinimised");   // minimised alone, the start window in front
    QTest::addColumn<QString>("expected");
    QTest::newRow("start window alone") << false << false << "frmMain";
    QTest::newRow("exercise window open") << true << false << "frmVelantra";
    QTest::newRow("exercise window minimised alone") << true << true << "frmMain";
}

void TestBackdrop::activationGoesToFrontWindow()
{
    QFETCH(bool, exerciseOpen);
    QFETCH(bool, exerciseMinimised);
    QFETCH(QString, expected);
    TestWorld world;
    StartWindow &main = world.startWindow();
    if (exerciseOpen)
        world.openExercise(true);
    if (exerciseMinimised)
        windows::frmVelantra().setWindowStateTo(Form::Minimized);
    QCoreApplication::processEvents();

    main.activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() != nullptr);
    QTRY_COMPARE(QApplication::activeWindow()->objectName(), expected);
    QCOMPARE(main.WindowState(), Form::Normal);
}

// Keys typed while the start window is active but covered by the exercise window (before
// the activation has passed on) never reach its controls; uncovered, they do.
void TestBackdrop::keysNeverReachCoveredStartWindow_data()
{
    QTest::addColumn<bool>("exerciseOpen");
    QTest::addColumn<bool>("showModeChosen");
    QTest::newRow("covered by the exercise window") << true << false;
    QTest::newRow("uncovered") << false << true;
}

void TestBackdrop::keysNeverReachCoveredStartWindow()
{
    QFETCH(bool, exerciseOpen);
    QFETCH(bool, showModeChosen);
    TestWorld world;
    StartWindow &main = world.startWindow();
    if (exerciseOpen)
        world.openExercise(true);
    QRadioButton *showMode = (*main.optMode[0]).get();
    showMode->setFocus();

    QTest::keyClick(showMode, Qt::Key_Space);
    QCOMPARE(showMode->isChecked(), showModeChosen);
    QCOMPARE(modMain::competitionMode, !showModeChosen);
    QCOMPARE((*main.optMode[1])->isChecked(), !showModeChosen);
}

// Activated from outside (a task bar), the minimised exercise window comes back with its
// minimised owner, and the owner does not cover it.
void TestBackdrop::restoringExerciseWindowRestoresItsOwner()
{
    TestWorld world;
    ExerciseWindow &exercise = world.openExercise(true);
    StartWindow &main = windows::frmMain();
    main.setWindowStateTo(Form::Minimized);
    QCOMPARE(exercise.WindowState(), Form::Minimized);

    exercise.setWindowStateTo(Form::Normal);
    QCOMPARE(main.WindowState(), Form::Normal);
    QCOMPARE(exercise.WindowState(), Form::Normal);
    QCOMPARE(main.frontWindow(), &exercise);
}

void TestBackdrop::closingStartWindowUnloadsEverything_data()
{
    QTest::addColumn<QStringList>("loadOrder");   // after the start window
    QTest::addColumn<bool>("byWindowSystem");     // closed from outside, not by the strip
    QTest::addColumn<bool>("backdropOffAgain");   // loaded, then switched off: hidden, still loaded
    QTest::newRow("start window alone") << QStringList{} << false << false;
    QTest::newRow("exercise window, then backdrop") << QStringList{"frmVelantra", "frmZFon"} << false << false;
    QTest::newRow("backdrop, then exercise window") << QStringList{"frmZFon", "frmVelantra"} << false << false;
    QTest::newRow("backdrop only") << QStringList{"frmZFon"} << false << false;
    QTest::newRow("all three, closed by the window system") << QStringList{"frmVelantra", "frmZFon"} << true << false;
    QTest::newRow("backdrop switched off again") << QStringList{"frmZFon"} << false << true;
    QTest::newRow("exercise window, backdrop switched off again") << QStringList{"frmVelantra", "frmZFon"} << false
                                                                  << true;
    QTest::newRow("backdrop switched off again, closed by the window system") << QStringList{"frmZFon"} << true
                                                                              << true;
}

void TestBackdrop::closingStartWindowUnloadsEverything()
{
    QFETCH(QStringList, loadOrder);
    QFETCH(bool, byWindowSystem);
    QFETCH(bool, backdropOffAgain);
    TestWorld world;
    StartWindow &main = world.startWindow();
    for (const QString &name : loadOrder) {
        if (name == QLatin1String("frmVelantra"))
            world.openExercise(true);
        else
            main.toggleBackdrop();
    }
    if (backdropOffAgain) {
        main.toggleBackdrop();
        QVERIFY(!main.backdropOn());
        QVERIFY(windows::loadedBackdrop() && !windows::loadedBackdrop()->isVisible());
    }
    QCOMPARE(windows::loaded().size(), loadOrder.size() + 1);

    QStringList destroyed;
    QList<QPointer<Form>> windows;
    for (Form *form : windows::loaded()) {
        windows << form;
        const QString name = form->Name();
        connect(form, &QObject::destroyed, this, [&destroyed, name] { destroyed << name; });
    }

    if (byWindowSystem)
        main.close();
    else
        windows::Unload(main);

    QVERIFY(windows::loaded().isEmpty());
    QVERIFY(!windows::loadedStartWindow() && !windows::loadedExerciseWindow() && !windows::loadedBackdrop());
    QCOMPARE(world.ends, 1);
    QVERIFY(platform::endRequested());
    TestWorld::flushDeletes();
    for (const QPointer<Form> &w : windows)
        QVERIFY(w.isNull());
    // The others go in load order; the start window, which started it, finishes last.
    QCOMPARE(destroyed, loadOrder + QStringList{"frmMain"});
    QCOMPARE(world.ends, 1);
}

QTEST_MAIN(TestBackdrop)
#include "tst_backdrop.moc"
