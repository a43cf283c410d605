// SPDX-License-Identifier: GPL-3.0-or-later
// The program's windows on a real X server with a window manager: where they are, how
// they stack, the backdrop behind them, and minimise and restore with the owner. Runs on
// any screen from 1280 x 800 up and under openbox or icewm (E2E_SCREEN, E2E_WM): the
// expected places come from the screen and work area the X server and window manager
// publish.
#include "e2eSupport.h"

#include "app/App.h"
#include "app/WindowRegistry.h"
#include "app/StartWindow.h"
#include "app/ExerciseWindow.h"
#include "app/BackdropWindow.h"
#include "ui/skin/SkinButton.h"
#include "ui/start/CaptionStrip.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <functional>

namespace {

using e2e::xid;

constexpr double kTpp = 15.0;

QImage screenShot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// The centre of a caption-strip cell, on the screen.
QPoint stripCell(StartWindow &main, int cell)
{
    return main.PFormKontrol->mapToGlobal(QPoint(17 * (cell - 1) + 8, 7));
}

// A point of the screen that the program, made smaller and centred, leaves uncovered.
constexpr QPoint kOutsideProgram(6, 6);

// Where the screen does not show the window itself at these of its points (something
// is in front), as a message; empty when it shows the window everywhere.
QString coveredAt(QWidget &window, const QList<QPoint> &points)
{
    const QImage screen = screenShot();
    const QImage own = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QString covered;
    for (const QPoint &p : points) {
        const QPoint global = window.mapToGlobal(p);
        if ((screen.pixel(global) & 0xFFFFFF) != (own.pixel(p) & 0xFFFFFF))
            covered += QStringLiteral("%1 at %2,%3 shows %4 instead of %5; ")
                           .arg(window.objectName())
                           .arg(global.x())
                           .arg(global.y())
                           .arg(screen.pixel(global) & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                           .arg(own.pixel(p) & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    }
    return covered;
}

// The windows from bottom to top, as the window manager stacks them; a message when the
// order differs or a window is not stacked.
QString misordered(const QList<const QWidget *> &bottomToTop)
{
    const QList<unsigned long> stack = e2e::stackingOrder();
    int below = -1;
    for (const QWidget *w : bottomToTop) {
        const int at = int(stack.indexOf(xid(*w)));
        if (at < 0 || at <= below)
            return QStringLiteral("%1 is at %2 of the stack, should be above %3").arg(w->objectName()).arg(at).arg(below);
        below = at;
    }
    return QString();
}

// The check holds now and keeps holding while the window manager finishes whatever the
// last focus change set off (a late restack is the fault these tests look for).
bool keepsHolding(const std::function<QString()> &check, QString *failure)
{
    QElapsedTimer watched;
    watched.start();
    do {
        *failure = check();
        if (!failure->isEmpty())
            return false;
        QTest::qWait(20);
    } while (watched.elapsed() < 500);
    return true;
}

// The start window's top band, where its strip lives, above the exercise window.
QList<QPoint> topBand(StartWindow &main)
{
    return {main.PFormKontrol->geometry().center(), QPoint(main.width() / 2, 10), QPoint(30, 10)};
}

QList<QPoint> insideOf(const QWidget &window)
{
    const QRect r = window.rect();
    return {r.center(), QPoint(100, 100), QPoint(r.width() - 100, r.height() - 100)};
}

// From the bottom: the backdrop, the start window, the exercise window; the start window's
// top band and the inside of the exercise window show on the screen.
QString programOverBackdrop(const QWidget &backdrop, StartWindow &main, QWidget &exercise)
{
    return misordered({&backdrop, &main, &exercise}) + coveredAt(main, topBand(main))
         + coveredAt(exercise, insideOf(exercise));
}

} // namespace

class TestE2eWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void startWindowCoversTemplateSize();
    void startOpensExerciseWindowBelowTopBand();
    void backdropShowsGradientBehindProgram();
    void clickOnBackdropBringsProgramForward();
    void minimiseAndRestoreWithOwner();

private:
    StartWindow *main_ = nullptr;
};

void TestE2eWindows::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(app::startUp());
    main_ = windows::loadedStartWindow();
    QVERIFY(main_);
    QVERIFY(QTest::qWaitForWindowExposed(main_));
}

void TestE2eWindows::cleanupTestCase()
{
    if (windows::loadedStartWindow())
        windows::Unload(*windows::loadedStartWindow());
    QVERIFY(windows::loaded().isEmpty());
}

void TestE2eWindows::startWindowCoversTemplateSize()
{
    StartWindow &main = *main_;
    QTRY_VERIFY(e2e::xwininfo(xid(main)).viewable);
    QCOMPARE(e2e::xwininfo(xid(main)).geometry, QRect(0, 0, 1280, 800));
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QString covered;
    QTRY_VERIFY2((covered = coveredAt(main, insideOf(main))).isEmpty(), qPrintable(covered));
    QVERIFY(screenShot().copy(0, 0, 1280, 800).save(QStringLiteral("e2e-start.png")));
}

void TestE2eWindows::startOpensExerciseWindowBelowTopBand()
{
    StartWindow &main = *main_;
    QVERIFY(e2e::clickAt(main.btnStart->mapToGlobal(main.btnStart->rect().center())));
    QTRY_VERIFY(windows::loadedExerciseWindow());
    ExerciseWindow &exercise = *windows::loadedExerciseWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&exercise));
    QTRY_VERIFY(e2e::xwininfo(xid(exercise)).viewable);
    QCOMPARE(e2e::xwininfo(xid(exercise)).geometry, QRect(0, 25, 1280, 775));
    QCOMPARE(e2e::xwininfo(xid(main)).geometry, QRect(0, 0, 1280, 800));
    QString failure;
    QTRY_VERIFY2((failure = misordered({&main, &exercise})).isEmpty(), qPrintable(failure));
    QTRY_VERIFY2((failure = coveredAt(exercise, insideOf(exercise))).isEmpty(), qPrintable(failure));
    // The start window's top band, with its strip, stays visible above the exercise window.
    QTRY_VERIFY2((failure = coveredAt(main, topBand(main))).isEmpty(), qPrintable(failure));

    // A click on that band brings the program forward; the window it owns stays in front
    // and keeps the keyboard, since the start window's controls are all under it.
    QVERIFY(e2e::clickAt(main.mapToGlobal(QPoint(640, 10))));
    QTRY_COMPARE(QApplication::activeWindow(), &exercise);
    QTRY_COMPARE(e2e::activeWindow(), xid(exercise));
    QVERIFY2(keepsHolding([&] { return misordered({&main, &exercise}) + coveredAt(exercise, insideOf(exercise)); },
                          &failure),
             qPrintable(failure));
    QVERIFY(screenShot().copy(0, 0, 1280, 800).save(QStringLiteral("e2e-exercise.png")));
}

// The program is made smaller first, so the backdrop shows around it.
void TestE2eWindows::backdropShowsGradientBehindProgram()
{
    StartWindow &main = *main_;
    ExerciseWindow &exercise = *windows::loadedExerciseWindow();
    const QRect screenRect = e2e::rootGeometry();
    const QRect area = e2e::workArea();
    QVERIFY(area.isValid());
    main.Move(0, 0, 1000 * kTpp, 700 * kTpp);
    QTRY_COMPARE(e2e::xwininfo(xid(main)).geometry.size(), QSize(1000, 700));

    QVERIFY(e2e::clickAt(stripCell(main, 1)));
    QTRY_VERIFY(main.backdropOn());
    QVERIFY(windows::loadedBackdrop());
    BackdropWindow &backdrop = *windows::loadedBackdrop();
    QTRY_VERIFY(e2e::xwininfo(xid(backdrop)).viewable);
    QCOMPARE(e2e::xwininfo(xid(backdrop)).geometry, screenRect);
    // Centred in the work area, the exercise window laid over it. The free space is even
    // on every screen tested, so the centre is exact.
    const QPoint centred = area.topLeft() + QPoint((area.width() - 1000) / 2, (area.height() - 700) / 2);
    QTRY_COMPARE(e2e::xwininfo(xid(main)).geometry, QRect(centred, QSize(1000, 700)));
    QTRY_COMPARE(e2e::xwininfo(xid(exercise)).geometry, QRect(centred + QPoint(0, 25), QSize(1000, 675)));
    // The backdrop ends up behind both, and stays there once the focus has settled on the
    // front window; the start window's top band shows above it.
    QTRY_COMPARE(QApplication::activeWindow(), &exercise);
    QTRY_COMPARE(e2e::activeWindow(), xid(exercise));
    QString failure;
    QTRY_VERIFY2((failure = misordered({&backdrop, &main, &exercise})).isEmpty(), qPrintable(failure));
    QVERIFY2(keepsHolding([&] { return programOverBackdrop(backdrop, main, exercise); }, &failure),
             qPrintable(failure));

    const QImage screen = screenShot();
    QVERIFY(screen.save(QStringLiteral("e2e-backdrop.png")));
    const int right = screenRect.width() - 1, bottom = screenRect.height() - 1;
    QVERIFY(e2e::nearColour(screen.pixel(0, 0), 80, 0, 0));
    QVERIFY(e2e::nearColour(screen.pixel(right, 0), 0, 80, 0));
    QVERIFY(e2e::nearColour(screen.pixel(screenRect.width() / 2, 0), 40, 40, 0));   // the middle of the top edge
    // The bottom corners, unless a task bar lies over them there.
    const QImage backdropPicture = area.bottom() == bottom
        ? screen
        : backdrop.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(e2e::nearColour(backdropPicture.pixel(right, bottom), 0, 0, 80));
    QVERIFY(e2e::nearColour(backdropPicture.pixel(0, bottom), 40, 40, 0));
    const QRect program = main.frameGeometry();
    for (const QPoint &p : {QPoint(program.left() - 70, program.center().y()),
                            QPoint(program.right() + 70, program.center().y()),
                            QPoint(program.center().x(), program.bottom() + 25)})
        QVERIFY(e2e::isGradient(screen.pixel(p)));
}

// A click on the backdrop raises it; it hands the focus on at once, so the program's
// front window ends up in front of it again.
void TestE2eWindows::clickOnBackdropBringsProgramForward()
{
    StartWindow &main = *main_;
    BackdropWindow &backdrop = *windows::loadedBackdrop();
    ExerciseWindow &exercise = *windows::loadedExerciseWindow();

    QVERIFY(e2e::clickAt(kOutsideProgram));
    QTRY_COMPARE(QApplication::activeWindow(), &exercise);
    QTRY_COMPARE(e2e::activeWindow(), xid(exercise));
    QString failure;
    QTRY_VERIFY2((failure = misordered({&backdrop, &main, &exercise})).isEmpty(), qPrintable(failure));
    QVERIFY2(keepsHolding([&] { return programOverBackdrop(backdrop, main, exercise); }, &failure),
             qPrintable(failure));

    // With the exercise window closed (its Back button), the start window comes forward.
    QVERIFY(e2e::clickAt(exercise.btnBack->mapToGlobal(exercise.btnBack->rect().center())));
    QTRY_VERIFY(!windows::loadedExerciseWindow());
    QVERIFY(e2e::clickAt(kOutsideProgram));
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    QTRY_COMPARE(e2e::activeWindow(), xid(main));
    QTRY_VERIFY2((failure = misordered({&backdrop, &main})).isEmpty(), qPrintable(failure));
    QVERIFY2(keepsHolding([&] { return misordered({&backdrop, &main}) + coveredAt(main, insideOf(main)); }, &failure),
             qPrintable(failure));
}

void TestE2eWindows::minimiseAndRestoreWithOwner()
{
    StartWindow &main = *main_;
    BackdropWindow &backdrop = *windows::loadedBackdrop();
    QVERIFY(e2e::clickAt(main.btnStart->mapToGlobal(main.btnStart->rect().center())));
    QTRY_VERIFY(windows::loadedExerciseWindow());
    ExerciseWindow &exercise = *windows::loadedExerciseWindow();
    QTRY_VERIFY(e2e::xwininfo(xid(exercise)).viewable);

    QVERIFY(e2e::clickAt(stripCell(main, 2)));
    QTRY_COMPARE(main.WindowState(), Form::Minimized);
    QTRY_COMPARE(exercise.WindowState(), Form::Minimized);
    QTRY_COMPARE(e2e::wmState(xid(main)), 3);
    QTRY_COMPARE(e2e::wmState(xid(exercise)), 3);
    QTRY_VERIFY(!e2e::xwininfo(xid(backdrop)).viewable);
    QVERIFY(main.backdropOn());

    // Restored from outside, as a task bar would: both come back, the backdrop does not,
    // and the keyboard goes to the window in front.
    QVERIFY(e2e::activateFromOutside(xid(main)));
    QTRY_COMPARE(main.WindowState(), Form::Normal);
    QTRY_COMPARE(exercise.WindowState(), Form::Normal);
    QTRY_VERIFY(e2e::xwininfo(xid(main)).viewable);
    QTRY_VERIFY(e2e::xwininfo(xid(exercise)).viewable);
    QTRY_COMPARE(QApplication::activeWindow(), &exercise);
    QTRY_COMPARE(e2e::activeWindow(), xid(exercise));
    QString failure;
    QTRY_VERIFY2((failure = misordered({&main, &exercise})).isEmpty(), qPrintable(failure));
    QVERIFY2(keepsHolding([&] {
                 QString f = misordered({&main, &exercise}) + coveredAt(exercise, insideOf(exercise));
                 if (e2e::xwininfo(xid(backdrop)).viewable || backdrop.isVisible())
                     f += QStringLiteral("the backdrop came back; ");
                 return f;
             },
                          &failure),
             qPrintable(failure));
    QVERIFY(main.backdropOn());
}

QTEST_MAIN(TestE2eWindows)
#include "tst_e2e_windows.moc"
