// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "ui/skin/Capture.h"
#include "ui/skin/SkinTemplate.h"
#include "ui/start/CaptionStrip.h"

#include <QPainter>
#include <QPointer>
#include <QTest>
#include <QWindow>

namespace {

constexpr int kCellW = 17;
constexpr int kCellH = 15;

// The template's glyph of a cell in a row (0 normal, 1 hover, 2 pressed): 17 x 15 pixels
// from x 89, 106, 174 (the grey inactive one) and 157, rows from y 179, 194 and 209. Written
// out here, not taken from the program's region table, so a wrong entry there shows.
QRect glyphRect(int cell, int row)
{
    static const int columnX[] = {89, 106, 174, 157};
    return QRect(columnX[cell - 1], 179 + 15 * row, kCellW, kCellH);
}

// A template whose glyph cells each have their own colours, so every look of every cell
// can be told apart (the program's template may be a plain placeholder).
SkinTemplate *syntheticTemplate()
{
    QImage scale1(1280, 800, QImage::Format_RGB32);
    scale1.fill(QColor(128, 128, 128));
    {
        QPainter p(&scale1);
        for (int column = 0; column < 6; ++column) {
            for (int row = 0; row < 3; ++row) {
                const QRect r(89 + kCellW * column, 179 + kCellH * row, kCellW, kCellH);
                p.fillRect(r, QColor(30 + 40 * column, 40 + 70 * row, 200 - 30 * column));
                // A mark in one corner, so a shifted copy shows.
                p.fillRect(QRect(r.topLeft(), QSize(3, 2)), QColor(255, 255 - 40 * column, 20 * row));
            }
        }
    }
    QImage scale2 = scale1.scaled(scale1.size() * 2);
    return new SkinTemplate(scale1, scale2);
}

QImage glyph(int cell, int row)
{
    return SkinTemplate::current()->image(1).copy(glyphRect(cell, row));
}

QImage cellOf(const QImage &strip, int cell)
{
    return strip.copy(kCellW * (cell - 1), 0, kCellW, kCellH);
}

// Same size and colours; QImage's own == also compares colour spaces, which a decoded
// template has and a drawing surface does not.
bool samePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                return false;
        }
    }
    return true;
}

// The look a cell shows: N normal, H hover, P pressed, ? anything else.
char lookOf(const QImage &strip, int cell)
{
    const QImage shown = cellOf(strip, cell);
    const char looks[] = {'N', 'H', 'P'};
    for (int row = 0; row < 3; ++row) {
        if (samePixels(shown, glyph(cell, row)))
            return looks[row];
    }
    return '?';
}

QString looksOf(const QImage &strip)
{
    QString s;
    for (int cell = 1; cell <= 4; ++cell)
        s += QLatin1Char(lookOf(strip, cell));
    return s;
}

// The start window with its strip, driven by real mouse events through the window, so
// Qt's routing (and the strip's capture) decides who gets them.
class StripFixture {
public:
    StripFixture()
        : main(world.startWindow()), strip(main.PFormKontrol.get()), window(main.windowHandle())
    {
        // Qt drops a move to where the pointer already is; start every test elsewhere.
        QTest::mouseMove(window, QPoint(600, 400));
    }

    ~StripFixture()
    {
        // Leave no button down for the next test. The pointer leaves the strip first, so
        // the left button's release clicks on no cell.
        if (!window || !strip)
            return;
        if (held)
            move(-300, 300);
        for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
            if (held & b)
                release(b, -300, 300);
        }
    }

    QPoint at(int x, int y) const { return strip->mapTo(&main, QPoint(x, y)); }

    void move(int x, int y) { QTest::mouseMove(window, at(x, y)); }
    void press(Qt::MouseButton b, int x, int y)
    {
        held |= b;
        QTest::mousePress(window, b, {}, at(x, y));
    }
    void release(Qt::MouseButton b, int x, int y)
    {
        held &= ~b;
        if (window)
            QTest::mouseRelease(window, b, {}, at(x, y));
    }
    void click(int x, int y)
    {
        press(Qt::LeftButton, x, y);
        release(Qt::LeftButton, x, y);
    }

    // Runs steps such as "move 8,7; press L 8,7; lose; expose".
    void run(const QString &script)
    {
        for (const QString &raw : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList w = raw.trimmed().split(QLatin1Char(' '));
            auto point = [](const QString &s) {
                const QStringList xy = s.split(QLatin1Char(','));
                return QPoint(xy[0].toInt(), xy[1].toInt());
            };
            auto button = [](const QString &s) {
                return s == QLatin1String("L") ? Qt::LeftButton : s == QLatin1String("R") ? Qt::RightButton : Qt::MiddleButton;
            };
            if (w[0] == QLatin1String("move")) {
                move(point(w[1]).x(), point(w[1]).y());
            } else if (w[0] == QLatin1String("press")) {
                press(button(w[1]), point(w[2]).x(), point(w[2]).y());
            } else if (w[0] == QLatin1String("lose")) {
                capture::release();   // another window took the capture
            } else if (w[0] == QLatin1String("expose")) {
                strip->repaint();     // the window system repaints the strip
            } else {
                qFatal("unknown step: %s", qPrintable(raw));
            }
        }
    }

    // Writes junk into the persistent image of a cell, to see it painted again.
    void spoilPersistentCell(int cell)
    {
        const QRect r(kCellW * (cell - 1), 0, kCellW, kCellH);
        Drawing junk;
        junk.area = junk.clip = r;
        junk.colour = QColor(1, 2, 3);
        strip->setAutoRedraw(true);
        strip->draw(junk);
        strip->setAutoRedraw(false);
    }

    TestWorld world;
    StartWindow &main;
    QPointer<CaptionStrip> strip;
    QPointer<QWindow> window;
    Qt::MouseButtons held;
};

} // namespace

class TestCaptionStrip : public QObject {
    Q_OBJECT

public:
    TestCaptionStrip() : synthetic_(nullptr) {}

private slots:
    void init();
    void cleanupTestCase();

    void cellAt_data();
    void cellAt();
    void restingPictureFromProgramTemplate();

    void pointerStates_data();
    void pointerStates();
    void hotCellFollowsPointerAndIsNeverThree();

    void clickOnBackdropSwitch();
    void clickOnMinimise_data();
    void clickOnMinimise();
    void clickOnClose();
    void clickActsOnLitCellNotWherePressed();
    void clickWithNothingLit();
    void clickOffTheStripActsOnNoCell_data();
    void clickOffTheStripActsOnNoCell();

private:
    // Made current after each start window is created (it makes its own template current).
    void useSynthetic(StartWindow &main);
    std::unique_ptr<SkinTemplate> synthetic_;
};

void TestCaptionStrip::init()
{
    if (!synthetic_)
        synthetic_.reset(syntheticTemplate());
}

void TestCaptionStrip::cleanupTestCase()
{
    TestWorld::closeAll();
    synthetic_.reset();
}

void TestCaptionStrip::useSynthetic(StartWindow &main)
{
    synthetic_->makeCurrent();
    main.PFormKontrol->paintResting();
    QCoreApplication::processEvents();
}

void TestCaptionStrip::cellAt_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("cell");
    QTest::newRow("left edge") << 0.0 << 0;
    QTest::newRow("0.5") << 0.5 << 1;
    QTest::newRow("17") << 17.0 << 1;
    QTest::newRow("17.01") << 17.01 << 2;
    QTest::newRow("34") << 34.0 << 2;
    QTest::newRow("34.5 inactive cell") << 34.5 << 0;
    QTest::newRow("51 inactive cell") << 51.0 << 0;
    QTest::newRow("51.5") << 51.5 << 4;
    QTest::newRow("68") << 68.0 << 4;
    QTest::newRow("68.5 past the strip") << 68.5 << 0;
    QTest::newRow("left of the strip") << -3.0 << 0;
}

void TestCaptionStrip::cellAt()
{
    QFETCH(double, x);
    QFETCH(int, cell);
    QCOMPARE(int(CaptionStrip::cellAt(x)), cell);
}

// With the program's own template: the four normal glyphs, the grey one in cell 3.
void TestCaptionStrip::restingPictureFromProgramTemplate()
{
    TestWorld world;
    StartWindow &main = world.startWindow();
    const QImage resting = main.PFormKontrol->persistentImage();
    QCOMPARE(resting.size(), QSize(68, 15));
    for (int cell = 1; cell <= 4; ++cell)
        QVERIFY2(samePixels(cellOf(resting, cell), glyph(cell, 0)), qPrintable(QString::number(cell)));
    QCOMPARE(int(main.PFormKontrol->captionHot()), 0);
}

void TestCaptionStrip::pointerStates_data()
{
    QTest::addColumn<QString>("script");   // strip coordinates; the strip is 68 x 15
    QTest::addColumn<int>("hot");
    QTest::addColumn<QString>("looks");    // cells 1-4 as shown: N normal, H hover, P pressed
    QTest::addColumn<bool>("captured");

    QTest::newRow("idle") << "move -10,7" << 0 << "NNNN" << false;
    QTest::newRow("enter cell 1") << "move -10,7; move 8,7" << 1 << "HNNN" << true;
    QTest::newRow("within cell 1") << "move 8,7; move 16,2" << 1 << "HNNN" << true;
    QTest::newRow("on to cell 2") << "move 8,7; move 25,7" << 2 << "NHNN" << true;
    QTest::newRow("from cell 4 into cell 3") << "move 60,7; move 42,7" << 0 << "NNNN" << false;
    QTest::newRow("straight into cell 3") << "move 42,7" << 0 << "NNNN" << false;
    QTest::newRow("out to the left while lit") << "move 8,7; move -10,7" << 0 << "NNNN" << false;
    // Leaving the strip's band unlights the cell, whatever X says: the pointer is over
    // something else (the exercise window's Back lies right below it).
    QTest::newRow("up out of the strip while lit") << "move 8,7; move 8,-1" << 0 << "NNNN" << false;
    QTest::newRow("down out of the strip while lit") << "move 25,7; move 25,15" << 0 << "NNNN" << false;
    QTest::newRow("bottom row of the strip") << "move 25,7; move 25,14" << 2 << "NHNN" << true;
    QTest::newRow("below the strip into the next cell") << "move 8,7; move 8,21; move 60,21" << 0 << "NNNN"
                                                        << false;
    QTest::newRow("left button held: pressed look") << "move 8,7; press L 8,7; move 25,7" << 2 << "NPNN" << true;
    QTest::newRow("left button held, on to cell 4") << "move 8,7; press L 8,7; move 25,7; move 60,7" << 4
                                                    << "NNNP" << true;
    QTest::newRow("right button held: hover look") << "move 8,7; press R 8,7; move 25,7" << 2 << "NHNN" << true;
    QTest::newRow("two buttons held: hover look") << "move 8,7; press L 8,7; press R 8,7; move 60,7" << 4
                                                  << "NNNH" << true;
    QTest::newRow("left down on lit cell") << "move 25,7; press L 25,7" << 2 << "NPNN" << true;
    QTest::newRow("right down on lit cell") << "move 60,7; press R 60,7" << 4 << "NNNP" << true;
    QTest::newRow("middle down on lit cell") << "move 8,7; press M 8,7" << 1 << "PNNN" << true;
    QTest::newRow("down with nothing lit") << "move 42,7; press R 42,7" << 0 << "NNNN" << false;
    QTest::newRow("capture lost: the cell stays lit") << "move 8,7; lose; move 42,7" << 1 << "HNNN" << false;
    // Lighting another cell takes the capture again, even when the lit one had lost it.
    QTest::newRow("capture lost, on to the next cell: taken again") << "move 8,7; lose; move 25,7" << 2 << "NHNN"
                                                                    << true;
    // A press paints the lit cell, wherever the pointer is: here over the inactive cell.
    QTest::newRow("capture lost, press away from the lit cell") << "move 8,7; lose; move 42,7; press R 42,7" << 1
                                                                << "PNNN" << false;
    QTest::newRow("repaint while lit shows the resting picture") << "move 8,7; expose" << 1 << "NNNN" << true;
    QTest::newRow("after a repaint, the same cell stays dark") << "move 8,7; expose; move 12,7" << 1 << "NNNN"
                                                               << true;
    QTest::newRow("after a repaint, the next cell lights") << "move 8,7; expose; move 25,7" << 2 << "NHNN"
                                                           << true;
}

void TestCaptionStrip::pointerStates()
{
    QFETCH(QString, script);
    QFETCH(int, hot);
    QFETCH(QString, looks);
    QFETCH(bool, captured);

    StripFixture f;
    useSynthetic(f.main);
    const QImage resting = f.strip->persistentImage().copy();
    QCOMPARE(looksOf(resting), QStringLiteral("NNNN"));

    f.run(script);
    QCOMPARE(int(f.strip->captionHot()), hot);
    QCOMPARE(looksOf(f.strip->shownImage()), looks);
    QCOMPARE(capture::get() == f.strip, captured);
    // Lit and pressed looks are direct drawings: the persistent picture stays at rest.
    QCOMPARE(f.strip->persistentImage(), resting);
    // The inactive cell never changes.
    QVERIFY(samePixels(cellOf(f.strip->shownImage(), 3), glyph(3, 0)));
}

void TestCaptionStrip::hotCellFollowsPointerAndIsNeverThree()
{
    StripFixture f;
    useSynthetic(f.main);
    for (int x = -4; x <= 71; ++x) {
        f.move(x, 7);
        const int hot = int(f.strip->captionHot());
        QVERIFY2(hot != 3, qPrintable(QString::number(x)));
        if (x >= 1 && x <= 68)
            QCOMPARE(hot, int(CaptionStrip::cellAt(x)));
        const QString expected = hot == 0 ? QStringLiteral("NNNN")
                                          : QStringLiteral("NNNN").replace(hot - 1, 1, QLatin1Char('H'));
        QCOMPARE(looksOf(f.strip->shownImage()), expected);
    }
    QCOMPARE(int(f.strip->captionHot()), 0);
    QVERIFY(!capture::get());
}

void TestCaptionStrip::clickOnBackdropSwitch()
{
    StripFixture f;
    useSynthetic(f.main);
    f.spoilPersistentCell(1);
    f.move(8, 7);
    f.click(8, 7);
    QVERIFY(f.main.backdropOn());
    QVERIFY(windows::loadedBackdrop() && windows::loadedBackdrop()->isVisible());
    QCOMPARE(int(f.strip->captionHot()), 0);
    QVERIFY(!capture::get());
    // Cell 1 is painted normal into the persistent picture, and nothing lit shows.
    QCoreApplication::processEvents();
    QCOMPARE(lookOf(f.strip->persistentImage(), 1), 'N');
    QCOMPARE(lookOf(f.strip->shownImage(), 1), 'N');

    // The pointer is still over cell 1: the next move lights it again.
    f.move(9, 7);
    QCOMPARE(int(f.strip->captionHot()), 1);
    QCOMPARE(looksOf(f.strip->shownImage()).left(1), QStringLiteral("H"));
    f.click(9, 7);
    QVERIFY(!f.main.backdropOn());
    QVERIFY(!windows::loadedBackdrop()->isVisible());
}

void TestCaptionStrip::clickOnMinimise_data()
{
    QTest::addColumn<bool>("backdropOn");
    QTest::newRow("backdrop off") << false;
    QTest::newRow("backdrop on") << true;
}

void TestCaptionStrip::clickOnMinimise()
{
    QFETCH(bool, backdropOn);
    StripFixture f;
    ExerciseWindow &exercise = f.world.openExercise(true);
    useSynthetic(f.main);
    if (backdropOn) {
        f.move(8, 7);
        f.click(8, 7);
        QVERIFY(windows::loadedBackdrop()->isVisible());
    }
    f.spoilPersistentCell(2);
    f.move(25, 7);
    f.click(25, 7);

    QCOMPARE(f.main.WindowState(), Form::Minimized);
    QCOMPARE(exercise.WindowState(), Form::Minimized);
    QCOMPARE(f.main.backdropOn(), backdropOn);
    if (backdropOn)
        QVERIFY(!windows::loadedBackdrop()->isVisible());
    else
        QVERIFY(!windows::loadedBackdrop());
    QCOMPARE(int(f.strip->captionHot()), 0);
    QVERIFY(!capture::get());
    QCOMPARE(lookOf(f.strip->persistentImage(), 2), 'N');

    f.main.setWindowStateTo(Form::Normal);
    QCOMPARE(exercise.WindowState(), Form::Normal);
    if (backdropOn)
        QVERIFY(!windows::loadedBackdrop()->isVisible());
}

void TestCaptionStrip::clickOnClose()
{
    StripFixture f;
    f.world.openExercise(false);
    useSynthetic(f.main);
    f.move(8, 7);
    f.click(8, 7);
    QList<QPointer<Form>> windows;
    for (Form *form : windows::loaded())
        windows << form;
    QCOMPARE(windows.size(), 3);

    f.move(60, 7);
    QCOMPARE(int(f.strip->captionHot()), 4);
    f.click(60, 7);
    QVERIFY(windows::loaded().isEmpty());
    QCOMPARE(f.world.ends, 1);
    TestWorld::flushDeletes();
    for (const QPointer<Form> &w : windows)
        QVERIFY(w.isNull());
}

// Pressed on cell 2, dragged to cell 4 and released there: cell 4 acts.
void TestCaptionStrip::clickActsOnLitCellNotWherePressed()
{
    StripFixture f;
    useSynthetic(f.main);
    f.move(25, 7);
    f.press(Qt::LeftButton, 25, 7);
    QCOMPARE(looksOf(f.strip->shownImage()), QStringLiteral("NPNN"));
    f.move(60, 7);
    QCOMPARE(looksOf(f.strip->shownImage()), QStringLiteral("NNNP"));
    f.release(Qt::LeftButton, 60, 7);
    QVERIFY(windows::loaded().isEmpty());
    QCOMPARE(f.world.ends, 1);
}

void TestCaptionStrip::clickWithNothingLit()
{
    StripFixture f;
    useSynthetic(f.main);
    f.move(42, 7);
    f.click(42, 7);
    QCOMPARE(int(f.strip->captionHot()), 0);
    QVERIFY(!capture::get());
    QVERIFY(!f.main.backdropOn());
    QCOMPARE(f.main.WindowState(), Form::Normal);
    QCOMPARE(windows::loaded().size(), 1);
    QCOMPARE(f.world.ends, 0);
    QCOMPARE(looksOf(f.strip->shownImage()), QStringLiteral("NNNN"));
}

// The pointer lights a cell, then goes straight down off the strip (onto Back, right
// below it) and clicks there: nothing of the strip acts, the capture goes.
void TestCaptionStrip::clickOffTheStripActsOnNoCell_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<bool>("pressedFirst");   // pressed on the cell, released below it
    QTest::newRow("backdrop cell, clicked below") << 8 << false;
    QTest::newRow("minimise cell, clicked below") << 25 << false;
    QTest::newRow("close cell, clicked below") << 60 << false;
    QTest::newRow("minimise cell, pressed, released below") << 25 << true;
    QTest::newRow("close cell, pressed, released below") << 60 << true;
}

void TestCaptionStrip::clickOffTheStripActsOnNoCell()
{
    QFETCH(int, x);
    QFETCH(bool, pressedFirst);
    StripFixture f;
    useSynthetic(f.main);
    f.move(x, 7);
    QVERIFY(f.strip->captionHot() != StripCell::None);
    if (pressedFirst) {
        f.press(Qt::LeftButton, x, 7);
        f.release(Qt::LeftButton, x, 40);
    } else {
        f.move(x, 40);
        f.click(x, 40);
    }
    QCOMPARE(int(f.strip->captionHot()), 0);
    QVERIFY(!capture::get());
    QVERIFY(!f.main.backdropOn());
    QCOMPARE(f.main.WindowState(), Form::Normal);
    QCOMPARE(windows::loaded().size(), 1);
    QCOMPARE(f.world.ends, 0);
    QCOMPARE(looksOf(f.strip->shownImage()), QStringLiteral("NNNN"));
}

QTEST_MAIN(TestCaptionStrip)
#include "tst_captionstrip.moc"
