// The program's windows on a real X server with a window manager: where they are, how
// they stack, the backdrop behind them, and minimise and restore with the owner.
#include "e2eSupport.h"

#include "app/App.h"
#include "app/Forms.h"
#include "app/FrmMain.h"
#include "app/FrmVelantra.h"
#include "app/FrmZFon.h"
#include "ui/skin/SkinButton.h"
#include "ui/start/CaptionStrip.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTest>

namespace {

constexpr double kTpp = 15.0;

unsigned long xid(const QWidget &w) { return static_cast<unsigned long>(w.winId()); }

QImage screenShot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// The centre of a caption-strip cell, on the screen.
QPoint stripCell(FrmMain &main, int cell)
{
    return main.PFormKontrol->mapToGlobal(QPoint(17 * (cell - 1) + 8, 7));
}

// A point of the screen that the program, made smaller and centred, leaves uncovered.
constexpr QPoint kOutsideProgram(6, 6);

// The screen shows the window itself at these of its points, not something in front.
bool showsOnScreen(QWidget &window, const QList<QPoint> &points)
{
    const QImage screen = screenShot();
    const QImage own = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const QPoint &p : points) {
        const QPoint global = window.mapToGlobal(p);
        if ((screen.pixel(global) & 0xFFFFFF) != (own.pixel(p) & 0xFFFFFF)) {
            qWarning("at %d,%d the screen shows %08x, the window %08x", global.x(), global.y(), screen.pixel(global),
                     own.pixel(p));
            return false;
        }
    }
    return true;
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
    FrmMain *main_ = nullptr;
};

void TestE2eWindows::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(app::startUp());
    main_ = forms::loadedMain();
    QVERIFY(main_);
    QVERIFY(QTest::qWaitForWindowExposed(main_));
}

void TestE2eWindows::cleanupTestCase()
{
    if (forms::loadedMain())
        forms::Unload(*forms::loadedMain());
    QVERIFY(forms::loaded().isEmpty());
}

void TestE2eWindows::startWindowCoversTemplateSize()
{
    FrmMain &main = *main_;
    QTRY_VERIFY(e2e::xwininfo(xid(main)).viewable);
    QCOMPARE(e2e::xwininfo(xid(main)).geometry, QRect(0, 0, 1280, 800));
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::qWait(200);
    QVERIFY(screenShot().copy(0, 0, 1280, 800).save(QStringLiteral("e2e-start.png")));
}

void TestE2eWindows::startOpensExerciseWindowBelowTopBand()
{
    FrmMain &main = *main_;
    QVERIFY(e2e::clickAt(main.btnStart->mapToGlobal(main.btnStart->rect().center())));
    QTRY_VERIFY(forms::loadedVelantra());
    FrmVelantra &exercise = *forms::loadedVelantra();
    QVERIFY(QTest::qWaitForWindowExposed(&exercise));
    QTRY_VERIFY(e2e::xwininfo(xid(exercise)).viewable);
    QCOMPARE(e2e::xwininfo(xid(exercise)).geometry, QRect(0, 25, 1280, 775));
    QCOMPARE(e2e::xwininfo(xid(main)).geometry, QRect(0, 0, 1280, 800));
    QTRY_VERIFY(e2e::stackIndex(xid(exercise)) > e2e::stackIndex(xid(main)));
    QVERIFY(e2e::stackIndex(xid(main)) >= 0);
    QTest::qWait(200);
    QVERIFY(showsOnScreen(exercise, {{640, 380}, {100, 100}, {1200, 700}}));
    // The start window's top band, with its strip, stays visible above the exercise window.
    QVERIFY(showsOnScreen(main, {main.PFormKontrol->geometry().center(), {640, 10}}));
    // A click on that band activates the start window; the window it owns stays in front.
    QVERIFY(e2e::clickAt(main.mapToGlobal(QPoint(640, 10))));
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    QTest::qWait(200);
    QVERIFY(e2e::stackIndex(xid(exercise)) > e2e::stackIndex(xid(main)));
    QVERIFY(showsOnScreen(exercise, {{640, 380}, {100, 100}, {1200, 700}}));
    QVERIFY(screenShot().copy(0, 0, 1280, 800).save(QStringLiteral("e2e-exercise.png")));
}

// The program is made smaller first, so the backdrop shows around it.
void TestE2eWindows::backdropShowsGradientBehindProgram()
{
    FrmMain &main = *main_;
    FrmVelantra &exercise = *forms::loadedVelantra();
    main.Move(0, 0, 1000 * kTpp, 700 * kTpp);
    QTRY_COMPARE(e2e::xwininfo(xid(main)).geometry.size(), QSize(1000, 700));

    QVERIFY(e2e::clickAt(stripCell(main, 1)));
    QTRY_VERIFY(main.backdropOn());
    QVERIFY(forms::loadedZFon());
    FrmZFon &backdrop = *forms::loadedZFon();
    QTRY_VERIFY(e2e::xwininfo(xid(backdrop)).viewable);
    QCOMPARE(e2e::xwininfo(xid(backdrop)).geometry, QRect(0, 0, 1280, 800));
    // Centred in the work area (the whole screen here), the exercise window laid over it.
    QTRY_COMPARE(e2e::xwininfo(xid(main)).geometry, QRect(140, 50, 1000, 700));
    QTRY_COMPARE(e2e::xwininfo(xid(exercise)).geometry, QRect(140, 75, 1000, 675));
    // The backdrop ends up behind both.
    QTRY_VERIFY(e2e::stackIndex(xid(backdrop)) < e2e::stackIndex(xid(main)));
    QTRY_VERIFY(e2e::stackIndex(xid(main)) < e2e::stackIndex(xid(exercise)));
    QVERIFY(e2e::stackIndex(xid(backdrop)) >= 0);
    QTRY_COMPARE(QApplication::activeWindow(), &exercise);

    QTest::qWait(200);
    const QImage screen = screenShot();
    QVERIFY(screen.save(QStringLiteral("e2e-backdrop.png")));
    QVERIFY(e2e::nearColour(screen.pixel(0, 0), 80, 0, 0));
    QVERIFY(e2e::nearColour(screen.pixel(1279, 0), 0, 80, 0));
    QVERIFY(e2e::nearColour(screen.pixel(1279, 799), 0, 0, 80));
    QVERIFY(e2e::nearColour(screen.pixel(0, 799), 40, 40, 0));
    QVERIFY(e2e::nearColour(screen.pixel(640, 0), 40, 40, 0));   // the middle of the top edge
    for (const QPoint &p : {QPoint(70, 400), QPoint(1210, 400), QPoint(640, 775)})
        QVERIFY(e2e::isGradient(screen.pixel(p)));
    QVERIFY(showsOnScreen(exercise, {{500, 300}, {100, 100}, {900, 600}}));
}

// A click on the backdrop raises it; it hands the focus on at once, so the program's
// front window ends up in front of it again.
void TestE2eWindows::clickOnBackdropBringsProgramForward()
{
    FrmMain &main = *main_;
    FrmZFon &backdrop = *forms::loadedZFon();
    FrmVelantra &exercise = *forms::loadedVelantra();

    QVERIFY(e2e::clickAt(kOutsideProgram));
    QTRY_COMPARE(QApplication::activeWindow(), &exercise);
    QTRY_VERIFY(e2e::stackIndex(xid(exercise)) > e2e::stackIndex(xid(backdrop)));
    QTRY_VERIFY(e2e::stackIndex(xid(main)) > e2e::stackIndex(xid(backdrop)));
    QTest::qWait(200);
    QVERIFY(showsOnScreen(exercise, {{500, 300}, {100, 100}, {900, 600}}));

    // With the exercise window closed (its Back button), the start window comes forward.
    QVERIFY(e2e::clickAt(exercise.btnBack->mapToGlobal(exercise.btnBack->rect().center())));
    QTRY_VERIFY(!forms::loadedVelantra());
    QVERIFY(e2e::clickAt(kOutsideProgram));
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    QTRY_VERIFY(e2e::stackIndex(xid(main)) > e2e::stackIndex(xid(backdrop)));
    QTest::qWait(200);
    QVERIFY(showsOnScreen(main, {{500, 300}, {100, 100}, {900, 600}}));
}

void TestE2eWindows::minimiseAndRestoreWithOwner()
{
    FrmMain &main = *main_;
    FrmZFon &backdrop = *forms::loadedZFon();
    QVERIFY(e2e::clickAt(main.btnStart->mapToGlobal(main.btnStart->rect().center())));
    QTRY_VERIFY(forms::loadedVelantra());
    FrmVelantra &exercise = *forms::loadedVelantra();
    QTRY_VERIFY(e2e::xwininfo(xid(exercise)).viewable);

    QVERIFY(e2e::clickAt(stripCell(main, 2)));
    QTRY_COMPARE(main.WindowState(), int(Form::Minimized));
    QTRY_COMPARE(exercise.WindowState(), int(Form::Minimized));
    QTRY_COMPARE(e2e::wmState(xid(main)), 3);
    QTRY_COMPARE(e2e::wmState(xid(exercise)), 3);
    QTRY_VERIFY(!e2e::xwininfo(xid(backdrop)).viewable);
    QVERIFY(main.backdropOn());

    // Restored from outside, as a task bar would: both come back, the backdrop does not.
    QCOMPARE(e2e::run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QString::number(xid(main))})
                 .exitCode,
             0);
    QTRY_COMPARE(main.WindowState(), int(Form::Normal));
    QTRY_COMPARE(exercise.WindowState(), int(Form::Normal));
    QTRY_VERIFY(e2e::xwininfo(xid(main)).viewable);
    QTRY_VERIFY(e2e::xwininfo(xid(exercise)).viewable);
    QTRY_VERIFY(e2e::stackIndex(xid(exercise)) > e2e::stackIndex(xid(main)));
    QTest::qWait(300);
    QVERIFY(!e2e::xwininfo(xid(backdrop)).viewable);
    QVERIFY(!backdrop.isVisible());
    QVERIFY(main.backdropOn());
}

QTEST_MAIN(TestE2eWindows)
#include "tst_e2e_windows.moc"
