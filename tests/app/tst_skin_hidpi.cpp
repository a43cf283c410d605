// SPDX-License-Identifier: GPL-3.0-or-later
// Painting on a screen with twice the pixels: surfaces keep images at ratio 2 and copy
// from the scale-2 template, pixel for pixel at doubled coordinates.

#include "CodedTemplate.h"
#include "FramePainting.h"
#include "TestSupport.h"

#include "app/Fonts.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinDraw.h"
#include "ui/skin/Surface.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <memory>

namespace {

// Checks a ratio-2 painting against a ratio-1 painting of the same thing made from the
// coded template: each logical pixel that shows template pixel (sx, sy) at ratio 1 must
// show scale-2 pixels (2sx + i, 2sy + j) at ratio 2; any other pixel must match as a block.
QString doubledMismatch(const QImage &single, const QImage &twice, const QImage &tpl2, const QRect &zone)
{
    if (twice.size() != single.size() * 2)
        return QStringLiteral("size %1x%2").arg(twice.width()).arg(twice.height());
    const QRect inside = zone & single.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QPoint s = codedSource(single.pixel(x, y));
            for (int j = 0; j < 2; ++j) {
                for (int i = 0; i < 2; ++i) {
                    const QRgb want = s.x() < 0 ? rgbOf(single.pixel(x, y)) : rgbOf(tpl2.pixel(2 * s.x() + i, 2 * s.y() + j));
                    const QRgb got = rgbOf(twice.pixel(2 * x + i, 2 * y + j));
                    if (got != want)
                        return QStringLiteral("device (%1,%2) is %3, expected %4")
                            .arg(2 * x + i).arg(2 * y + j).arg(describePixel(got)).arg(describePixel(want));
                }
            }
        }
    }
    return QString();
}

} // namespace

class TestSkinHiDpi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void surfacesFollowTheScreen();
    void frameCopiesFromScaleTwo_data();
    void frameCopiesFromScaleTwo();
    void directDrawingAtRatioTwo();
    void buttonLooksAtRatioTwo();
    void exerciseWindowAtRatioTwo();

private:
    std::unique_ptr<CodedTemplate> coded_;
};

void TestSkinHiDpi::initTestCase()
{
    fonts::ensureTahoma();
    QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
}

void TestSkinHiDpi::init()
{
    coded_ = std::make_unique<CodedTemplate>();
}

void TestSkinHiDpi::cleanup()
{
    TestWorld::closeAll();
    coded_.reset();
}

void TestSkinHiDpi::surfacesFollowTheScreen()
{
    Surface s;
    s.resize(300, 200);
    QCOMPARE(s.imageRatio(), 2.0);
    QCOMPARE(s.persistentImage().size(), QSize(600, 400));
    QCOMPARE(s.persistentImage().devicePixelRatio(), 2.0);
    QCOMPARE(s.ScaleWidth(), 300);
    // A ratio fixed by hand wins over the screen's.
    s.setImageRatio(1);
    QCOMPARE(s.persistentImage().size(), QSize(300, 200));
    QCOMPARE(s.persistentImage().devicePixelRatio(), 1.0);
}

void TestSkinHiDpi::frameCopiesFromScaleTwo_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("header");
    QTest::newRow("start 1280x800") << 1280 << 800 << int(Start);
    QTest::newRow("open 1285x768") << 1285 << 768 << int(Open);
    QTest::newRow("exercise 1024x743") << 1024 << 743 << int(Exercise);
}

void TestSkinHiDpi::frameCopiesFromScaleTwo()
{
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(int, header);
    Surface single;
    single.setImageRatio(1);
    single.resize(W, H);
    single.setBackColor(QColor::fromRgb(kBack));
    paintFrame(single, W, H, header);

    Surface twice;
    twice.resize(W, H);
    twice.setBackColor(QColor::fromRgb(kBack));
    paintFrame(twice, W, H, header);

    const QImage &one = single.persistentImage();
    const QImage &two = twice.persistentImage();
    QCOMPARE(two.devicePixelRatio(), 2.0);
    // The reference really shows template pixels where the frame is.
    QCOMPARE(codedSource(one.pixel(5, 5)), QPoint(headerOf(header).left.x + 5, headerOf(header).left.y + 5));
    QCOMPARE(codedSource(one.pixel(W / 2, H / 2)), QPoint(-1, -1));
    const QString m = doubledMismatch(one, two, SkinTemplate::current()->image(2), one.rect());
    QVERIFY2(m.isEmpty(), qPrintable(m));
}

void TestSkinHiDpi::directDrawingAtRatioTwo()
{
    Surface s;
    s.resize(100, 60);
    s.setBackColor(QColor::fromRgb(kBack));
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    s.setAutoRedraw(true);
    s.Cls();
    s.setAutoRedraw(false);
    copyFromTemplate(s, 10, 5, 30, 20, 600, 300);
    QVERIFY(s.directLayerShown());
    const int paints = s.paintCount();
    QTRY_VERIFY(s.paintCount() > paints);
    const QImage shown = s.shownImage();
    QCOMPARE(shown.size(), QSize(200, 120));
    const QImage &tpl2 = SkinTemplate::current()->image(2);
    QString m = pieceMismatch(shown, QPoint(20, 10), QRect(1200, 600, 60, 40), tpl2);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    m = colourMismatch(shown, shown.rect(), kBack, QRegion(20, 10, 60, 40));
    QVERIFY2(m.isEmpty(), qPrintable(m));
    s.repaint();
    QVERIFY(!s.directLayerShown());
}

void TestSkinHiDpi::buttonLooksAtRatioTwo()
{
    SkinButton button(QStringLiteral("Back"));
    button.resize(140, 50);
    button.setSkinFont(tahoma(12.75, true));
    button.paintResting();
    const QImage &img = button.persistentImage();
    QCOMPARE(img.size(), QSize(280, 100));
    const QImage &tpl2 = SkinTemplate::current()->image(2);
    // Caps and the body left of the caption, at doubled coordinates from row 593.
    QString m = pieceMismatch(img, QPoint(0, 0), QRect(136, 1186, 40, 100), tpl2);
    QVERIFY2(m.isEmpty(), qPrintable("left cap: " + m));
    m = pieceMismatch(img, QPoint(240, 0), QRect(456, 1186, 40, 100), tpl2);
    QVERIFY2(m.isEmpty(), qPrintable("right cap: " + m));
    m = pieceMismatch(img, QPoint(40, 0), QRect(180, 1186, 20, 100), tpl2);
    QVERIFY2(m.isEmpty(), qPrintable("body tile: " + m));
}

void TestSkinHiDpi::exerciseWindowAtRatioTwo()
{
    TestWorld world;
    StartWindow &main = world.startWindow();
    coded_->makeCurrent();
    ExerciseWindow &exercise = world.openExercise(false);
    Q_UNUSED(main);
    QCOMPARE(exercise.ScaleWidth(), 1280);
    QCOMPARE(exercise.ScaleHeight(), 775);
    const QImage &img = exercise.persistentImage();
    QCOMPARE(img.size(), QSize(2560, 1550));
    const QImage &tpl2 = SkinTemplate::current()->image(2);
    // Header left piece above the grid's frame, and the bottom-right corner.
    QString m = pieceMismatch(img, QPoint(0, 0), QRect(390, 244, 400, 132), tpl2);
    QVERIFY2(m.isEmpty(), qPrintable("header left piece: " + m));
    m = pieceMismatch(img, QPoint(2480, 1470), QRect(2480, 1520, 80, 80), tpl2);
    QVERIFY2(m.isEmpty(), qPrintable("bottom-right corner: " + m));
    // The grid's top-left frame corner at (36, 66).
    m = pieceMismatch(img, QPoint(72, 132), QRect(1088, 564, 20, 20), tpl2);
    QVERIFY2(m.isEmpty(), qPrintable("grid frame corner: " + m));
}

QTEST_MAIN(TestSkinHiDpi)
#include "tst_skin_hidpi.moc"
