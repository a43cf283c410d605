// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned Back button: its three looks, its pointer tracking with the mouse capture
// (driven by real mouse events through the window, so the grab routes them), the caption
// fitting, and the click that returns to the start window.

#include "CodedTemplate.h"
#include "TestSupport.h"

#include "app/Fonts.h"
#include "ui/exercise/QuestionGrid.h"
#include "ui/skin/Capture.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinDraw.h"

#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <memory>

namespace {

constexpr int kNormalRow = 593;
constexpr int kHoverRow = 643;
constexpr int kPressedRow = 693;
const QRgb kBlack = rgbOf(qRgb(0, 0, 0));
const QRgb kOlive = rgbOf(qRgb(64, 64, 0));

// Checks the bar of a look: caps at both ends and body tiles between, from the template
// row of that look; the caption's place in the middle is left out.
QString barMismatch(const QImage &img, int row)
{
    const int W = img.width();
    const QImage &tpl = SkinTemplate::current()->image(1);
    const QRegion caption(QRect(W / 2 - 30, 8, 60, 34));
    QString m = pieceMismatch(img, QPoint(0, 0), QRect(68, row, 20, 50), tpl);
    if (!m.isEmpty())
        return QStringLiteral("left cap: ") + m;
    m = pieceMismatch(img, QPoint(W - 20, 0), QRect(228, row, 20, 50), tpl);
    if (!m.isEmpty())
        return QStringLiteral("right cap: ") + m;
    m = templateMismatch(img, QRect(20, 0, W - 40, 50), tpl,
                         [row](int x, int y) { return QPoint(90 + x % 10, row + y); }, caption);
    if (!m.isEmpty())
        return QStringLiteral("body: ") + m;
    return QString();
}

// The look shown: its bar, and the caption in the look's colour (fully covered glyph
// pixels in that colour, none in the other one).
QString lookMismatch(const QImage &img, int row)
{
    const QString m = barMismatch(img, row);
    if (!m.isEmpty())
        return m;
    const QRgb text = row == kNormalRow ? kBlack : kOlive;
    const QRgb other = row == kNormalRow ? kOlive : kBlack;
    const QRect zone = img.rect();
    const QRect ink = inkBounds(img, zone, [text](QRgb p) { return p == text; });
    if (ink.isEmpty())
        return QStringLiteral("no caption in %1").arg(describePixel(text));
    if (!inkBounds(img, zone, [other](QRgb p) { return p == other; }).isEmpty())
        return QStringLiteral("caption pixels in %1").arg(describePixel(other));
    if (std::abs(ink.center().x() - img.width() / 2) > 3 || std::abs(ink.center().y() - img.height() / 2) > 4)
        return QStringLiteral("caption not centred: ink at (%1,%2) %3x%4")
            .arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height());
    return QString();
}

void markTextRect()
{
    modMain::textRect = {-7, -7, -7, -7};
}

bool textRectMarked()
{
    const modMain::Rect &r = modMain::textRect;
    return r.left == -7 && r.top == -7 && r.right == -7 && r.bottom == -7;
}

} // namespace

class TestBackButton : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void restingLook_data();
    void restingLook();
    void enterShowsHover();
    void moveInsideRedrawsNothing();
    void leaveShowsNormal();
    void pressShowsPressed_data();
    void pressShowsPressed();
    void dragOffAndReleaseDoesNotReturn();
    void enterWithButtonHeld_data();
    void enterWithButtonHeld();
    void coverAndUncoverShowNormal();
    void captureLostToAnotherWindow();
    void hitTestBoundaries_data();
    void hitTestBoundaries();
    void boundariesWithThePointer();
    void idlePressAndClickDoNothing();
    void otherLettersDrawNothing();
    void narrowCaptionShrinks_data();
    void narrowCaptionShrinks();
    void shrinkingStopsAtItsLimit_data();
    void shrinkingStopsAtItsLimit();
    void clickReturnsToTheStartView();

private:
    // The pointer at (x, y) of the Back button, through the exercise window.
    QPoint at(double x, double y) const { return ex_->btnBack->mapTo(ex_, QPoint(int(x), int(y))); }
    void move(double x, double y) { QTest::mouseMove(window_, at(x, y)); }
    void press(double x, double y, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(window_, b, {}, at(x, y));
    }
    void release(double x, double y, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(window_, b, {}, at(x, y));
    }
    SkinButton &button() { return *ex_->btnBack.get(); }

    std::unique_ptr<TestWorld> world_;
    std::unique_ptr<CodedTemplate> coded_;
    ExerciseWindow *ex_ = nullptr;
    QWindow *window_ = nullptr;
};

namespace {
QtMessageHandler g_testHandler = nullptr;

// The offscreen platform warns at every grab, though it honours the grab.
void dropGrabWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text == QLatin1String("This plugin does not support grabbing the mouse"))
        return;
    g_testHandler(type, context, text);
}
} // namespace

void TestBackButton::initTestCase()
{
    fonts::ensureTahoma();
    g_testHandler = qInstallMessageHandler(dropGrabWarnings);
}

void TestBackButton::init()
{
    world_ = std::make_unique<TestWorld>();
    world_->startWindow();
    coded_ = std::make_unique<CodedTemplate>();   // distinct rows for the three looks
    ex_ = &world_->openExercise(true);
    QVERIFY(QTest::qWaitForWindowExposed(ex_));
    window_ = ex_->windowHandle();
    QVERIFY(window_);
    // Start with the pointer over the window, away from the button.
    QTest::mouseMove(window_, QPoint(900, 740));
    QCOMPARE(button().hot(), 0);
}

void TestBackButton::cleanup()
{
    // No button left down for the next test.
    if (window_ && windows::loadedExerciseWindow()) {
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton})
            if (QTestPrivate::qtestMouseButtons.testFlag(b))
                QTest::mouseRelease(window_, b, {}, QPoint(900, 740));
    }
    QTestPrivate::qtestMouseButtons = Qt::NoButton;
    world_.reset();
    coded_.reset();
    ex_ = nullptr;
    window_ = nullptr;
}

void TestBackButton::restingLook_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("140, as placed") << 140;
    QTest::newRow("145, last body tile cut") << 145;
}

void TestBackButton::restingLook()
{
    QFETCH(int, width);
    if (width == 140) {
        QCOMPARE(button().size(), QSize(140, 50));
        QVERIFY(!button().directLayerShown());
        QString m = lookMismatch(button().persistentImage(), kNormalRow);
        QVERIFY2(m.isEmpty(), qPrintable(m));
        // "Back" fits at the design size.
        QCOMPARE(button().skinFont().points, 12.75);
        return;
    }
    SkinButton b(QStringLiteral("Back"));
    b.setSkinFont(tahoma(12.75, true));
    b.resize(width, 50);
    b.paintResting();
    QCOMPARE(b.persistentImage().width(), width);
    const QString m = lookMismatch(b.persistentImage(), kNormalRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
}

void TestBackButton::enterShowsHover()
{
    move(70, 25);
    QCOMPARE(button().hot(), 1);
    QCOMPARE(ex_->btnBackHot(), 1);
    QCOMPARE(capture::get(), &button());
    QCOMPARE(button().mousePointer(), 99);
    QCOMPARE(button().cursor().shape(), Qt::BitmapCursor);
    // Drawn directly: shown, not kept.
    QVERIFY(button().directLayerShown());
    QString m = lookMismatch(button().shownImage(), kHoverRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    m = lookMismatch(button().persistentImage(), kNormalRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
}

void TestBackButton::moveInsideRedrawsNothing()
{
    move(70, 25);
    QVERIFY(button().hot());
    markTextRect();
    move(80, 30);
    move(139, 49);
    move(1, 1);
    QVERIFY(textRectMarked());   // every drawing of the button sets it
    QCOMPARE(button().hot(), 1);
    QCOMPARE(button().mousePointer(), 99);
    QCOMPARE(capture::get(), &button());
    const QString m = lookMismatch(button().shownImage(), kHoverRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
}

void TestBackButton::leaveShowsNormal()
{
    move(70, 25);
    QVERIFY(button().hot());
    move(-20, 25);   // onto the window: the capture brings it to the button
    QCOMPARE(button().hot(), 0);
    QCOMPARE(capture::get(), nullptr);
    QCOMPARE(button().mousePointer(), 1);
    QCOMPARE(button().cursor().shape(), Qt::ArrowCursor);
    QString m = lookMismatch(button().shownImage(), kNormalRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    // Free of the capture, further moves outside no longer reach the button.
    markTextRect();
    move(-40, 10);
    QVERIFY(textRectMarked());
    // And it can be entered again.
    move(70, 25);
    QCOMPARE(button().hot(), 1);
    m = lookMismatch(button().shownImage(), kHoverRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
}

void TestBackButton::pressShowsPressed_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
}

void TestBackButton::pressShowsPressed()
{
    QFETCH(Qt::MouseButton, mouseButton);
    move(70, 25);
    press(70, 25, mouseButton);
    QCOMPARE(button().hot(), 1);
    QCOMPARE(capture::get(), &button());
    QString m = lookMismatch(button().shownImage(), kPressedRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    m = lookMismatch(button().persistentImage(), kNormalRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    // Moving within the button keeps the pressed look.
    markTextRect();
    move(60, 20);
    QVERIFY(textRectMarked());
    if (mouseButton == Qt::RightButton) {
        // Only the left button clicks.
        release(60, 20, mouseButton);
        QVERIFY(windows::loadedExerciseWindow());
        QCOMPARE(modMain::exerciseOpen, std::int16_t(1));
    }
}

void TestBackButton::dragOffAndReleaseDoesNotReturn()
{
    move(70, 25);
    press(70, 25);
    move(-20, 25);
    QCOMPARE(button().hot(), 0);
    QCOMPARE(capture::get(), nullptr);
    QString m = lookMismatch(button().shownImage(), kNormalRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    release(-20, 25);
    QVERIFY2(windows::loadedExerciseWindow() == ex_, "the exercise window was unloaded");
    QVERIFY(ex_->isVisible());
    QCOMPARE(modMain::exerciseOpen, std::int16_t(1));
    QCOMPARE(button().hot(), 0);
}

void TestBackButton::enterWithButtonHeld_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::addColumn<int>("row");
    QTest::newRow("left held: pressed") << Qt::LeftButton << kPressedRow;
    QTest::newRow("right held: hover") << Qt::RightButton << kHoverRow;
}

// Column 0 counts as outside, so a button pressed there is held while the pointer is
// on the button but the button is not hot; the next step in enters it with the button held.
void TestBackButton::enterWithButtonHeld()
{
    QFETCH(Qt::MouseButton, mouseButton);
    QFETCH(int, row);
    move(0, 25);
    QCOMPARE(button().hot(), 0);
    markTextRect();
    press(0, 25, mouseButton);
    QVERIFY(textRectMarked());   // a press on an idle button draws nothing
    QVERIFY(!button().directLayerShown());
    move(5, 25);
    QCOMPARE(button().hot(), 1);
    QCOMPARE(capture::get(), &button());
    QCOMPARE(button().mousePointer(), 99);
    const QString m = lookMismatch(button().shownImage(), row);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    move(-20, 25);
    release(-20, 25, mouseButton);
    QVERIFY(windows::loadedExerciseWindow());
}

void TestBackButton::coverAndUncoverShowNormal()
{
    const int paints = button().paintCount();
    move(70, 25);
    QTRY_VERIFY(button().paintCount() > paints);   // the repaint it asked for
    QVERIFY(button().directLayerShown());

    // The window system repaints the button (it was covered and is shown again).
    button().update();
    QTRY_VERIFY(!button().directLayerShown());
    QString m = lookMismatch(button().shownImage(), kNormalRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    // Still hot: moving on within it draws nothing, so the normal look stays.
    QCOMPARE(button().hot(), 1);
    markTextRect();
    move(75, 30);
    QVERIFY(textRectMarked());
    m = lookMismatch(button().shownImage(), kNormalRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    // Leaving and entering again brings the hover look back.
    move(-20, 25);
    move(70, 25);
    m = lookMismatch(button().shownImage(), kHoverRow);
    QVERIFY2(m.isEmpty(), qPrintable(m));
}

void TestBackButton::captureLostToAnotherWindow()
{
    move(70, 25);
    QVERIFY(button().hot());
    QWidget other;
    other.resize(50, 50);
    other.show();
    other.grabMouse();
    QCOMPARE(capture::get(), &other);
    // A move that still reaches the button, outside it: it does not own the capture, so
    // it neither redraws nor releases, and stays hot with its hand.
    markTextRect();
    QMouseEvent outside(QEvent::MouseMove, QPointF(-20, 25), button().mapToGlobal(QPointF(-20, 25)), Qt::NoButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&button(), &outside);
    QVERIFY(textRectMarked());
    QCOMPARE(button().hot(), 1);
    QCOMPARE(button().mousePointer(), 99);
    QCOMPARE(capture::get(), &other);
    other.releaseMouse();
}

void TestBackButton::hitTestBoundaries_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("inside");
    QTest::newRow("middle") << 70.0 << 25.0 << true;
    QTest::newRow("column 0") << 0.0 << 25.0 << false;
    QTest::newRow("row 0") << 70.0 << 0.0 << false;
    QTest::newRow("just past column 0") << 0.5 << 25.0 << true;
    QTest::newRow("X = W") << 140.0 << 25.0 << true;
    QTest::newRow("Y = H") << 70.0 << 50.0 << true;
    QTest::newRow("corner W, H") << 140.0 << 50.0 << true;
    QTest::newRow("X past W") << 140.5 << 25.0 << false;
    QTest::newRow("Y past H") << 70.0 << 51.0 << false;
    QTest::newRow("left of it") << -20.0 << 25.0 << false;
}

void TestBackButton::hitTestBoundaries()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, inside);
    QCOMPARE(SkinButton::hitTest(x, y, 140, 50), inside);
}

void TestBackButton::boundariesWithThePointer()
{
    // Row 0 of the button is outside: the pointer there does not light it.
    move(70, 0);
    QCOMPARE(button().hot(), 0);
    QCOMPARE(button().mousePointer(), 1);
    move(70, 1);
    QCOMPARE(button().hot(), 1);
    // With the capture, the column just right of it and the row just below are inside.
    markTextRect();
    move(140, 25);
    move(70, 50);
    QVERIFY(textRectMarked());
    QCOMPARE(button().hot(), 1);
    move(141, 25);
    QCOMPARE(button().hot(), 0);
    QCOMPARE(capture::get(), nullptr);
    move(70, 25);
    move(0, 25);   // column 0: outside
    QCOMPARE(button().hot(), 0);
    QCOMPARE(capture::get(), nullptr);
}

void TestBackButton::idlePressAndClickDoNothing()
{
    move(0, 25);
    markTextRect();
    press(0, 25);
    release(0, 25);
    QVERIFY(textRectMarked());
    QVERIFY2(windows::loadedExerciseWindow() == ex_, "the exercise window was unloaded");
    QCOMPARE(modMain::exerciseOpen, std::int16_t(1));
    QCOMPARE(button().hot(), 0);
}

void TestBackButton::otherLettersDrawNothing()
{
    Surface s;
    s.resize(140, 50);
    s.setBackColor(Qt::white);
    s.setAutoRedraw(true);
    s.Cls();
    const QImage blank = s.persistentImage().copy();
    markTextRect();
    for (const char *letter : {"n", "X", "", "NH"})
        drawSkinButton(s, QString::fromLatin1(letter), QStringLiteral("Back"));
    QCOMPARE(s.persistentImage(), blank);
    QVERIFY(textRectMarked());
}

void TestBackButton::narrowCaptionShrinks_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("caption");
    QTest::newRow("long caption on 140") << 140 << QStringLiteral("SHOW CORRECT ANSWER");
    QTest::newRow("Back on 50") << 50 << QStringLiteral("Back");
}

void TestBackButton::narrowCaptionShrinks()
{
    QFETCH(int, width);
    QFETCH(QString, caption);
    Surface s;
    s.resize(width, 50);
    s.setSkinFont(tahoma(12.75, true));
    s.setAutoRedraw(true);
    QVERIFY(s.TextWidth(caption) > width - 20);
    drawSkinButton(s, QStringLiteral("N"), caption);
    const double points = s.skinFont().points;
    // Whole points down, just far enough.
    QVERIFY(points < 12.75);
    QCOMPARE(points, 12.75 - std::round(12.75 - points));
    QVERIFY(s.TextWidth(caption) <= width - 20);
    SkinFont bigger = s.skinFont();
    bigger.points += 1;
    QVERIFY(QFontMetrics(bigger.toQFont()).horizontalAdvance(caption) > width - 20);
    // The smaller size stays, also for a shorter caption and for other looks.
    drawSkinButton(s, QStringLiteral("H"), QStringLiteral("B"));
    QCOMPARE(s.skinFont().points, points);
    drawSkinButton(s, QStringLiteral("P"), caption);
    QCOMPARE(s.skinFont().points, points);
}

void TestBackButton::shrinkingStopsAtItsLimit_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("20 wide") << 20;
    QTest::newRow("12 wide") << 12;
}

void TestBackButton::shrinkingStopsAtItsLimit()
{
    QFETCH(int, width);
    Surface s;
    s.resize(width, 50);
    s.setSkinFont(tahoma(12.75, true));
    s.setAutoRedraw(true);
    drawSkinButton(s, QStringLiteral("N"), QStringLiteral("Back"));
    // Nothing fits in width - 20 <= 0; the loop ends at its lower limit of 1 point.
    QCOMPARE(s.skinFont().points, 1.75);
    drawSkinButton(s, QStringLiteral("N"), QStringLiteral("Back"));
    QCOMPARE(s.skinFont().points, 1.75);
}

void TestBackButton::clickReturnsToTheStartView()
{
    StartWindow &main = windows::frmMain();
    // An attempt in this window, so a fresh one is told apart: shuffle (which starts the
    // stopwatch in Competition Mode when it stops), stop the stopwatch, check.
    ex_->btnKaristir_Click();
    ex_->btnKaristir_Click();
    ex_->btnStart_Click();
    ex_->btnCheck_Click();
    QCOMPARE(ex_->state().attemptNumber, std::int16_t(2));
    QVERIFY(!ex_->gSoru->textMatrix(0, 0).isEmpty());
    const QImage openView = main.persistentImage().copy();
    QPointer<ExerciseWindow> old(ex_);

    move(70, 25);
    press(70, 25);
    release(70, 25);
    window_ = nullptr;

    QCOMPARE(modMain::exerciseOpen, std::int16_t(0));
    QCOMPARE(windows::loadedExerciseWindow(), nullptr);
    QCOMPARE(capture::get(), nullptr);
    QVERIFY(!old || !old->isVisible());
    TestWorld::flushDeletes();
    QVERIFY(!old);

    // The start window shows its start view again.
    QVERIFY(main.persistentImage() != openView);
    const QImage &img = main.persistentImage();
    const int th = main.TextHeight(QStringLiteral("SPEED VELANTRA"));
    const int a = int(std::nearbyint(main.ScaleHeight() - 305 - 37 - th));
    const int y = int(std::nearbyint((a - 300) / 2.0 + th + 137));
    const QString m = pieceMismatch(img, QPoint(422, y), QRect(68, 241, 435, 300), SkinTemplate::current()->image(1));
    QVERIFY2(m.isEmpty(), qPrintable("logo: " + m));
    QVERIFY(!inkBounds(img, QRect(0, 60, 1280, 80), [](QRgb p) { return p == rgbOf(qRgb(192, 0, 0)); }).isEmpty());

    // The next START opens a fresh window.
    ExerciseWindow &fresh = world_->openExercise(true);
    QCOMPARE(modMain::exerciseOpen, std::int16_t(1));
    QCOMPARE(fresh.state().attemptNumber, std::int16_t(1));
    QCOMPARE(fresh.btnBackHot(), 0);
    QVERIFY(fresh.gSoru->textMatrix(0, 0).isEmpty());   // Competition Mode: blank until SHUFFLE
    QCOMPARE(fresh.lbDeneme1.caption(), QStringLiteral("1st : --:--"));
    ex_ = &fresh;
}

QTEST_MAIN(TestBackButton)
#include "tst_backbutton.moc"
