// SPDX-License-Identifier: GPL-3.0-or-later
// The start window's painting in its two views and the layout of its controls.

#include "CodedTemplate.h"
#include "TestSupport.h"

#include "app/Fonts.h"
#include "engine/Rounding.h"
#include "ui/skin/SkinDraw.h"
#include "ui/start/CaptionStrip.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

const QRgb kBack = rgbOf(qRgb(197, 214, 237));
const QRgb kTitleRed = rgbOf(qRgb(192, 0, 0));
const QString kTitle = QStringLiteral("SPEED VELANTRA");

QRectF placeOf(const ControlPlacement &c)
{
    return QRectF(c.Left(), c.Top(), c.Width(), c.Height());
}

bool isTitleRed(QRgb p) { return p == kTitleRed; }

// The start view's title band as the window would show it with the title in `font`:
// the frame under it, the white shadow at (4, 77), the dark red title at (0, 75).
QImage titleBand(int W, int H, const SkinFont &font)
{
    Surface ref;
    ref.resize(W, H);
    ref.setBackColor(QColor::fromRgb(kBack));
    ref.setAutoRedraw(true);
    ref.Cls();
    paintSkinFrame(ref, W, H, startHeader());
    ref.setSkinFont(font);
    ref.setForeColor(qRgb(255, 255, 255));
    drawTextInRect(ref, kTitle, 4, 77, W, H, TextFormat::CentredAcross);
    ref.setForeColor(kTitleRed);
    drawTextInRect(ref, kTitle, 0, 75, W, H, TextFormat::CentredAcross);
    return ref.persistentImage().copy(0, 60, W, 80);
}

QImage bandOf(const QImage &img)
{
    return img.copy(0, 60, img.width(), 80);
}

struct StartPlaces {
    QRectF strip, start, competition, show, url, shadow;
};

StartPlaces placesOf(StartWindow &main)
{
    return {placeOf(main.PFormKontrol), placeOf(main.btnStart), placeOf(*main.optMode[1]), placeOf(*main.optMode[0]),
            placeOf(main.lbKucukURL), placeOf(main.lbKucukURLGolge)};
}

bool samePlaces(const StartPlaces &a, const StartPlaces &b)
{
    return a.strip == b.strip && a.start == b.start && a.competition == b.competition && a.show == b.show
        && a.url == b.url && a.shadow == b.shadow;
}

// The address label stands in front of its shadow.
bool urlInFront(StartWindow &main)
{
    const QObjectList &order = main.children();
    return order.indexOf(main.lbKucukURL.get()) > order.indexOf(main.lbKucukURLGolge.get());
}

} // namespace

class TestStartScreen : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startView_data();
    void startView();
    void addressLabelComesToTheFront();
    void titleFontFollowsTheViews();
    void openViewPaintsOnlyTheFrame();
    void repeatedPaintsGiveTheSameImage_data();
    void repeatedPaintsGiveTheSameImage();
    void minimisedIsNeitherPaintedNorLaidOut_data();
    void minimisedIsNeitherPaintedNorLaidOut();
    void addressLabelFollowsAWidthChange();

private:
    // The start window painted from the coded template, in its start or open view.
    StartWindow &paintedView(TestWorld &world, bool open);

    std::unique_ptr<CodedTemplate> coded_;
};

void TestStartScreen::initTestCase()
{
    fonts::ensureTahoma();
}

void TestStartScreen::init()
{
    coded_ = std::make_unique<CodedTemplate>();
}

void TestStartScreen::cleanup()
{
    TestWorld::closeAll();
    coded_.reset();
}

void TestStartScreen::startView_data()
{
    QTest::addColumn<int>("screenW");
    QTest::addColumn<int>("screenH");
    QTest::addColumn<QRectF>("start");
    QTest::addColumn<QRectF>("competition");
    QTest::addColumn<QRectF>("show");
    QTest::addColumn<QRectF>("strip");
    QTest::addColumn<QRect>("startShown");
    QTest::newRow("1280x800") << 1280 << 800 << QRectF(552.5, 650, 175, 45) << QRectF(530, 590, 220, 25)
                              << QRectF(565, 555, 150, 25) << QRectF(1208, 4, 68, 15) << QRect(552, 650, 175, 45);
    QTest::newRow("1024x768") << 1024 << 768 << QRectF(424.5, 618, 175, 45) << QRectF(402, 558, 220, 25)
                              << QRectF(437, 523, 150, 25) << QRectF(952, 4, 68, 15) << QRect(424, 618, 175, 45);
}

void TestStartScreen::startView()
{
    QFETCH(int, screenW);
    QFETCH(int, screenH);
    QFETCH(QRectF, start);
    QFETCH(QRectF, competition);
    QFETCH(QRectF, show);
    QFETCH(QRectF, strip);
    QFETCH(QRect, startShown);
    TestWorld world(screenW, screenH);
    StartWindow &main = world.startWindow();
    coded_->makeCurrent();
    main.temelYarismaEkraniCiz();
    const int W = main.ScaleWidth(), H = main.ScaleHeight();
    QCOMPARE(QSize(W, H), QSize(screenW, screenH));

    // The pictures, centred, at the height the title's real height gives.
    const int th = main.TextHeight(kTitle);
    qInfo("title height %d", th);
    const int a = roundToInt(H - 305 - 37 - th);
    const int y = roundToInt((a - 300) / 2.0 + th + 137);
    const int x = roundToInt((W - 435) / 2.0);
    if (W == 1280)
        QCOMPARE(x, 422);
    const QImage &img = main.persistentImage();
    const QImage &tpl = SkinTemplate::current()->image(1);
    QString m = pieceMismatch(img, QPoint(x, y), QRect(68, 241, 435, 300), tpl);
    QVERIFY2(m.isEmpty(), qPrintable("logo: " + m));
    m = pieceMismatch(img, QPoint(roundToInt((W - 436) / 2.0), y - 75), QRect(728, 241, 436, 45), tpl);
    QVERIFY2(m.isEmpty(), qPrintable("slogan: " + m));
    // Frame with the start header, and the bottom corners.
    m = pieceMismatch(img, QPoint(0, 0), QRect(0, 0, 50, 50), tpl);
    QVERIFY2(m.isEmpty(), qPrintable("top-left: " + m));
    m = pieceMismatch(img, QPoint(W - 30, 0), QRect(1250, 0, 30, 60), tpl);
    QVERIFY2(m.isEmpty(), qPrintable("top-right: " + m));
    m = pieceMismatch(img, QPoint(W - 40, H - 40), QRect(1240, 760, 40, 40), tpl);
    QVERIFY2(m.isEmpty(), qPrintable("bottom-right: " + m));
    // The title in dark red, centred on the window, with the design face.
    QCOMPARE(main.skinFont().face, QStringLiteral("Tahoma"));
    QCOMPARE(bandOf(img), titleBand(W, H, tahoma(28, true)));

    // The controls.
    QCOMPARE(placeOf(main.btnStart), start);
    QCOMPARE(main.btnStart->geometry(), startShown);
    QCOMPARE(placeOf(*main.optMode[1]), competition);
    QCOMPARE(placeOf(*main.optMode[0]), show);
    QCOMPARE(placeOf(main.PFormKontrol), strip);
    QCOMPARE(main.PFormKontrol->geometry(), strip.toRect());
    // The web address 20 pixels left of the strip, its shadow one pixel right and down.
    const double urlWidth = main.lbKucukURL.Width();
    QCOMPARE(urlWidth, double(QFontMetrics(main.lbKucukURL->font()).horizontalAdvance(StartWindow::webAddress())));
    QCOMPARE(QPointF(main.lbKucukURL.Left(), main.lbKucukURL.Top()), QPointF(strip.left() - urlWidth - 20, 3));
    QCOMPARE(QPointF(main.lbKucukURLGolge.Left(), main.lbKucukURLGolge.Top()),
             QPointF(main.lbKucukURL.Left() + 1, 4));
    QVERIFY(urlInFront(main));
}

void TestStartScreen::addressLabelComesToTheFront()
{
    TestWorld world;
    StartWindow &main = world.startWindow();
    main.lbKucukURLGolge->raise();
    QVERIFY(!urlInFront(main));
    main.temelYarismaEkraniCiz();
    QVERIFY(urlInFront(main));
    // In the open view too.
    main.lbKucukURLGolge->raise();
    world.openExercise(true);
    QVERIFY(urlInFront(main));
}

void TestStartScreen::titleFontFollowsTheViews()
{
    TestWorld world;
    StartWindow &main = world.startWindow();
    coded_->makeCurrent();
    main.temelYarismaEkraniCiz();
    const int W = main.ScaleWidth(), H = main.ScaleHeight();
    QCOMPARE(main.skinFont().face, QStringLiteral("Tahoma"));
    QCOMPARE(main.skinFont().points, 28.0);
    QVERIFY(main.skinFont().bold);
    QCOMPARE(bandOf(main.persistentImage()), titleBand(W, H, tahoma(28, true)));

    ExerciseWindow &ex = world.openExercise(true);
    QCOMPARE(main.skinFont().face, QStringLiteral("Arial"));
    QCOMPARE(main.skinFont().points, 12.0);
    QVERIFY(main.skinFont().bold);

    ex.btnBack_Click();
    QCOMPARE(modMain::exerciseOpen, std::int16_t(0));
    QCOMPARE(main.skinFont().face, QStringLiteral("Arial"));
    QCOMPARE(main.skinFont().points, 28.0);
    QVERIFY(main.skinFont().bold);
    const SkinFont arial{QStringLiteral("Arial"), 28, true, false};
    QCOMPARE(bandOf(main.persistentImage()), titleBand(W, H, arial));
    // The two faces really draw differently, so the comparison above tells them apart.
    QVERIFY(titleBand(W, H, arial) != titleBand(W, H, tahoma(28, true)));

    // Still Arial at the next START and Back.
    TestWorld::flushDeletes();
    world.openExercise(false).btnBack_Click();
    QCOMPARE(main.skinFont().face, QStringLiteral("Arial"));
}

void TestStartScreen::openViewPaintsOnlyTheFrame()
{
    TestWorld world;
    StartWindow &main = world.startWindow();
    coded_->makeCurrent();
    world.openExercise(true);
    QCOMPARE(modMain::exerciseOpen, std::int16_t(1));
    const QImage &img = main.persistentImage();
    const QImage &tpl = SkinTemplate::current()->image(1);
    const int W = main.ScaleWidth(), H = main.ScaleHeight();
    // No title anywhere, background where the pictures stood.
    QVERIFY(inkBounds(img, img.rect(), isTitleRed).isEmpty());
    QString m = colourMismatch(img, QRect(20, 97, W - 40, H - 97 - 40), kBack);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    // The open header: its left and right pieces and the band between.
    m = pieceMismatch(img, QPoint(0, 0), QRect(195, 97, 195, 97), tpl);
    QVERIFY2(m.isEmpty(), qPrintable("left piece: " + m));
    m = pieceMismatch(img, QPoint(W - 30, 0), QRect(422, 97, 30, 97), tpl);
    QVERIFY2(m.isEmpty(), qPrintable("right piece: " + m));
    m = templateMismatch(img, QRect(195, 0, W - 225, 97), tpl, [](int x, int y) { return QPoint(400 + x % 10, 97 + y); });
    QVERIFY2(m.isEmpty(), qPrintable("band: " + m));
    m = pieceMismatch(img, QPoint(0, H - 40), QRect(0, 760, 40, 40), tpl);
    QVERIFY2(m.isEmpty(), qPrintable("bottom-left corner: " + m));
    // The labels are placed in this view too.
    QCOMPARE(main.lbKucukURL.Left(), main.PFormKontrol.Left() - main.lbKucukURL.Width() - 20);
}

StartWindow &TestStartScreen::paintedView(TestWorld &world, bool open)
{
    StartWindow &main = world.startWindow();
    coded_->makeCurrent();
    if (open)
        world.openExercise(true);
    main.temelYarismaEkraniCiz();
    return main;
}

void TestStartScreen::repeatedPaintsGiveTheSameImage_data()
{
    QTest::addColumn<bool>("open");
    QTest::newRow("start view") << false;
    QTest::newRow("open view") << true;
}

void TestStartScreen::repeatedPaintsGiveTheSameImage()
{
    QFETCH(bool, open);
    TestWorld world;
    StartWindow &main = paintedView(world, open);
    const QImage first = main.persistentImage().copy();
    main.setAutoRedraw(true);
    copyFromTemplate(main, 500, 300, 200, 200, 0, 0);
    main.setAutoRedraw(false);
    QVERIFY(main.persistentImage() != first);
    main.temelYarismaEkraniCiz();
    QCOMPARE(main.persistentImage(), first);
    main.temelYarismaEkraniCiz();
    QCOMPARE(main.persistentImage(), first);
}

void TestStartScreen::minimisedIsNeitherPaintedNorLaidOut_data()
{
    repeatedPaintsGiveTheSameImage_data();
}

void TestStartScreen::minimisedIsNeitherPaintedNorLaidOut()
{
    QFETCH(bool, open);
    TestWorld world;
    StartWindow &main = paintedView(world, open);
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QCoreApplication::processEvents();

    main.setWindowStateTo(Form::Minimized);
    QCOMPARE(main.WindowState(), Form::Minimized);
    QCoreApplication::processEvents();
    const int paints = main.paintCount();
    const QImage before = main.persistentImage().copy();
    const StartPlaces places = placesOf(main);

    // A paint would refresh the window, and the platform here repaints even a
    // minimised window that asks for it.
    main.Form_Resize();
    QCoreApplication::processEvents();
    QCOMPARE(main.paintCount(), paints);
    QCOMPARE(main.persistentImage(), before);
    main.Move(0, 0, 1100 * 15, 760 * 15);
    QCOMPARE(main.ScaleWidth(), 1100);
    QCOMPARE(main.persistentImage(), before.copy(0, 0, 1100, 760));
    QVERIFY(samePlaces(placesOf(main), places));
    // The count above could have moved: a refresh of the minimised window is counted.
    const int counted = main.paintCount();
    main.Refresh();
    QTRY_VERIFY(main.paintCount() > counted);

    // Restored, it paints the view that exerciseOpen selects and lays itself out.
    main.setWindowStateTo(Form::Normal);
    QCOMPARE(main.WindowState(), Form::Normal);
    QCOMPARE(placeOf(main.PFormKontrol), QRectF(1028, 4, 68, 15));
    QCOMPARE(placeOf(main.btnStart), QRectF(462.5, 610, 175, 45));
    const QImage &img = main.persistentImage();
    QCOMPARE(inkBounds(img, img.rect(), isTitleRed).isEmpty(), open);
    const QImage &tpl = SkinTemplate::current()->image(1);
    const QString m = pieceMismatch(img, QPoint(1100 - 30, 0),
                                    open ? QRect(422, 97, 30, 97) : QRect(1250, 0, 30, 60), tpl);
    QVERIFY2(m.isEmpty(), qPrintable(m));
}

// After a change of width the address goes beside the strip where the strip now stands:
// left where it was, it would lie over the strip's cells.
void TestStartScreen::addressLabelFollowsAWidthChange()
{
    TestWorld world;
    StartWindow &main = world.startWindow();
    const double w = main.lbKucukURL.Width();
    QCOMPARE(main.lbKucukURL.Left(), 1208 - w - 20);

    main.Move(0, 0, 1024 * 15, 800 * 15);
    QCOMPARE(main.PFormKontrol.Left(), 952.0);
    QCOMPARE(main.lbKucukURL.Left(), 952 - w - 20);
    QCOMPARE(main.lbKucukURLGolge.Left(), 952 - w - 19);

    main.temelYarismaEkraniCiz();
    QCOMPARE(main.lbKucukURL.Left(), 952 - w - 20);
    QCOMPARE(main.lbKucukURLGolge.Left(), 952 - w - 19);
    QCOMPARE(main.lbKucukURLGolge.Top(), 4.0);
}

QTEST_MAIN(TestStartScreen)
#include "tst_startscreen.moc"
