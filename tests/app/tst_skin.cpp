// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing primitives on bare surfaces, with a template whose every pixel is unique.

#include "CodedTemplate.h"
#include "FramePainting.h"

#include "app/Fonts.h"
#include "app/StartWindow.h"
#include "app/SharedState.h"
#include "ui/skin/Cursors.h"
#include "ui/skin/SkinDraw.h"
#include "ui/skin/SkinRegions.h"
#include "ui/skin/Surface.h"
#include "ui/exercise/QuestionGrid.h"

#include <QBackingStore>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <QTest>

#include <cmath>
#include <memory>

namespace {

// A surface of w x h pixels cleared to the windows' background, painting persistently.
std::unique_ptr<Surface> blankSurface(int w, int h)
{
    auto s = std::make_unique<Surface>();
    s->resize(w, h);
    s->setBackColor(QColor::fromRgb(kBack));
    s->setAutoRedraw(true);
    s->Cls();
    return s;
}

std::unique_ptr<Surface> framedSurface(int surfaceW, int surfaceH, int W, int H, int header)
{
    auto s = blankSurface(surfaceW, surfaceH);
    paintFrame(*s, W, H, header);
    return s;
}

bool isInk(QRgb p) { return p != rgbOf(qRgb(255, 255, 255)); }

// A white surface with black text, for measuring where glyphs land.
std::unique_ptr<Surface> textSurface(int w, int h, const SkinFont &font)
{
    auto s = std::make_unique<Surface>();
    s->resize(w, h);
    s->setBackColor(Qt::white);
    s->setAutoRedraw(true);
    s->Cls();
    s->setSkinFont(font);
    s->setForeColor(qRgb(0, 0, 0));
    return s;
}

QRect inkOf(Surface &s)
{
    const QImage &img = s.persistentImage();
    return inkBounds(img, img.rect(), isInk);
}

bool sameRect(const modMain::Rect &r, int left, int top, int right, int bottom)
{
    return r.left == left && r.top == top && r.right == right && r.bottom == bottom;
}

} // namespace


class TestSkin : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tileCounts_data();
    void tileCounts();
    void frameTilesCoverTheRuns_data();
    void frameTilesCoverTheRuns();
    void frameOverwriteOrder_data();
    void frameOverwriteOrder();
    void copyIsOneToOneAndClipped_data();
    void copyIsOneToOneAndClipped();
    void persistentPaintSurvivesRepaint();
    void refreshDropsDirectDrawingNotYetShown();
    void clsClearsToBackColour();
    void windowShowsTheKeptDrawings();
    void paintedAheadWindowShowsItsDrawings_data();
    void paintedAheadWindowShowsItsDrawings();
    void grownSurfaceShowsBackgroundBeyond();
    void manyKeptDrawingsAllStay();
    void embeddedImagesMatchTheirPictures_data();
    void embeddedImagesMatchTheirPictures();
    void fontSizesInPixels_data();
    void fontSizesInPixels();
    void centredTextFollowsItsRectangle();
    void singleLineCentredBothWays();
    void leftTopFormat();
    void textIsClippedToItsRectangle();
    void textRectHoldsTheLastRectangle();
    void headersJoinWithoutSeam_data();
    void headersJoinWithoutSeam();
    void boldTahomaReadsBold_data();
    void boldTahomaReadsBold();

private:
    std::unique_ptr<CodedTemplate> coded_;
    QImage tpl_;
};

void TestSkin::initTestCase()
{
    fonts::ensureTahoma();
}

void TestSkin::init()
{
    coded_ = std::make_unique<CodedTemplate>();
    tpl_ = SkinTemplate::current()->image(1);
}

void TestSkin::cleanup()
{
    coded_.reset();
}

void TestSkin::tileCounts_data()
{
    QTest::addColumn<double>("length");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("tiles");
    QTest::newRow("1280 wide") << 1280.0 << 10 << 128;
    QTest::newRow("1285 wide") << 1285.0 << 10 << 129;
    QTest::newRow("768 high") << 768.0 << 10 << 77;
    QTest::newRow("775 high") << 775.0 << 10 << 78;
    QTest::newRow("800 high") << 800.0 << 10 << 80;
    QTest::newRow("495 panel") << 495.0 << 4 << 124;
    QTest::newRow("44 panel") << 44.0 << 4 << 11;
    QTest::newRow("empty") << 0.0 << 10 << 0;
}

void TestSkin::tileCounts()
{
    QFETCH(double, length);
    QFETCH(int, step);
    QFETCH(int, tiles);
    QCOMPARE(tileCount(length, step), tiles);
}

void TestSkin::frameTilesCoverTheRuns_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("header");
    QTest::newRow("start 1280x800") << 1280 << 800 << int(Start);
    QTest::newRow("start 1285x768") << 1285 << 768 << int(Start);
    QTest::newRow("exercise 1280x775") << 1280 << 775 << int(Exercise);
    QTest::newRow("exercise 1024x743") << 1024 << 743 << int(Exercise);
}

// Painted on a surface larger than W x H, the runs show how many tiles were placed: the
// last one reaches past W (or H) to the next multiple of 10 and nothing lies beyond it.
void TestSkin::frameTilesCoverTheRuns()
{
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(int, header);
    const HeaderPieces h = headerPieces(header);
    const int tilesAcross = int(std::ceil(W / 10.0));
    const int tilesDown = int(std::ceil(H / 10.0));
    auto s = framedSurface(W + 30, H + 30, W, H, header);
    const QImage &img = s->persistentImage();
    const QPoint bottom(50, 780), left(0, 260), right(1260, 260);
    const int bandRow = h.band.height() - 1;
    const int runEnd = 10 * tilesAcross;   // exclusive

    // Top band along the whole run, phase 10k, past W up to the last tile's end.
    const QRect bandZone(0, bandRow, runEnd, 1);
    QRegion covered = QRegion(0, 0, h.left.width(), h.left.height()) + QRegion(W - 30, 0, 30, h.right.height())
                    + QRegion(0, 0, 20, H) + QRegion(W - 20, 0, 20, H);
    QString m = templateMismatch(img, bandZone, tpl_,
                                 [&](int x, int y) { return QPoint(h.band.x() + x % 10, h.band.y() + y); }, covered);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    m = colourMismatch(img, QRect(runEnd, 0, W + 30 - runEnd, h.band.height()), kBack);
    QVERIFY2(m.isEmpty(), qPrintable("beyond the last band tile: " + m));

    // Bottom edge, between the corners and past W.
    m = templateMismatch(img, QRect(40, H - 20, runEnd - 40, 20), tpl_,
                         [&](int x, int y) { return QPoint(bottom.x() + x % 10, bottom.y() + y - (H - 20)); },
                         QRegion(W - 40, H - 40, 40, 40) + QRegion(W - 20, 0, 20, H + 30));
    QVERIFY2(m.isEmpty(), qPrintable(m));
    m = colourMismatch(img, QRect(runEnd, H - 20, W + 30 - runEnd, 20), kBack);
    QVERIFY2(m.isEmpty(), qPrintable("beyond the last bottom tile: " + m));

    // Left and right edges, below the top pieces, down past H to the last tile's end.
    const int downEnd = 10 * tilesDown;
    const QRegion corners = QRegion(0, H - 40, 40, 40) + QRegion(W - 40, H - 40, 40, 40) + QRegion(0, H - 20, W + 30, 20);
    m = templateMismatch(img, QRect(0, h.left.height(), 20, downEnd - h.left.height()), tpl_,
                         [&](int x, int y) { return QPoint(left.x() + x, left.y() + y % 10); }, corners);
    QVERIFY2(m.isEmpty(), qPrintable("left edge: " + m));
    m = templateMismatch(img, QRect(W - 20, h.right.height(), 20, downEnd - h.right.height()), tpl_,
                         [&](int x, int y) { return QPoint(right.x() + x - (W - 20), right.y() + y % 10); }, corners);
    QVERIFY2(m.isEmpty(), qPrintable("right edge: " + m));
    m = colourMismatch(img, QRect(0, downEnd, 20, H + 30 - downEnd), kBack);
    QVERIFY2(m.isEmpty(), qPrintable("below the last left tile: " + m));

    // On a surface of exactly W x H the last tile is cut at the surface's edge.
    auto exact = framedSurface(W, H, W, H, header);
    QCOMPARE(exact->persistentImage().size(), QSize(W, H));
    QCOMPARE(exact->persistentImage().copy(0, 0, W, H), img.copy(0, 0, W, H));
}

void TestSkin::frameOverwriteOrder_data()
{
    QTest::addColumn<int>("header");
    QTest::addColumn<int>("H");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<QRect>("region");
    QTest::addColumn<QPoint>("origin");   // where that copy of the region was placed
    const int W = 1280;
    // The template's pieces, as numbers of their own.
    const QRect leftEdge(0, 260, 20, 10), rightEdge(1260, 260, 20, 10);
    const QRect startCornerTopLeft(0, 0, 50, 50), startTopBand(220, 0, 10, 97), startCornerTopRight(1250, 0, 30, 60);
    const QRect cornerBottomLeft(0, 760, 40, 40), cornerBottomRight(1240, 760, 40, 40), bottomEdge(50, 780, 10, 20);
    const QRect exerciseHeaderLeft(195, 122, 200, 72), exerciseTopBand(400, 122, 10, 35);
    const QRect exerciseHeaderRight(422, 122, 30, 46);
    QTest::newRow("start: top-left piece over band and left edge") << int(Start) << 800 << QPoint(5, 5)
        << startCornerTopLeft << QPoint(0, 0);
    QTest::newRow("start: top-left piece over band") << int(Start) << 800 << QPoint(45, 45)
        << startCornerTopLeft << QPoint(0, 0);
    QTest::newRow("start: left edge over band") << int(Start) << 800 << QPoint(10, 73)
        << leftEdge << QPoint(0, 70);
    QTest::newRow("start: band alone") << int(Start) << 800 << QPoint(63, 70)
        << startTopBand << QPoint(60, 0);
    QTest::newRow("start: top-right piece over band and right edge") << int(Start) << 800 << QPoint(W - 5, 5)
        << startCornerTopRight << QPoint(W - 30, 0);
    QTest::newRow("start: right edge over band") << int(Start) << 800 << QPoint(W - 5, 72)
        << rightEdge << QPoint(W - 20, 70);
    QTest::newRow("start: band left of the right edge") << int(Start) << 800 << QPoint(W - 25, 72)
        << startTopBand << QPoint(W - 30, 0);
    QTest::newRow("start: bottom-left corner over edges") << int(Start) << 800 << QPoint(5, 795)
        << cornerBottomLeft << QPoint(0, 760);
    QTest::newRow("start: bottom-right corner over edges") << int(Start) << 800 << QPoint(W - 5, 795)
        << cornerBottomRight << QPoint(W - 40, 760);
    QTest::newRow("start: bottom-right corner top row") << int(Start) << 800 << QPoint(W - 5, 760)
        << cornerBottomRight << QPoint(W - 40, 760);
    QTest::newRow("start: right edge above the corner") << int(Start) << 800 << QPoint(W - 5, 759)
        << rightEdge << QPoint(W - 20, 750);
    QTest::newRow("start: bottom edge") << int(Start) << 800 << QPoint(104, 790)
        << bottomEdge << QPoint(100, 780);
    QTest::newRow("exercise: header left piece over band and edge") << int(Exercise) << 775 << QPoint(5, 5)
        << exerciseHeaderLeft << QPoint(0, 0);
    QTest::newRow("exercise: header left piece last pixel") << int(Exercise) << 775 << QPoint(199, 71)
        << exerciseHeaderLeft << QPoint(0, 0);
    QTest::newRow("exercise: band right of the left piece") << int(Exercise) << 775 << QPoint(200, 34)
        << exerciseTopBand << QPoint(200, 0);
    QTest::newRow("exercise: header right piece over right edge") << int(Exercise) << 775 << QPoint(W - 5, 45)
        << exerciseHeaderRight << QPoint(W - 30, 0);
    QTest::newRow("exercise: right edge below the right piece") << int(Exercise) << 775 << QPoint(W - 5, 46)
        << rightEdge << QPoint(W - 20, 40);
    QTest::newRow("exercise: left edge below the left piece") << int(Exercise) << 775 << QPoint(19, 72)
        << leftEdge << QPoint(0, 70);
    QTest::newRow("exercise: bottom-left corner, odd height") << int(Exercise) << 775 << QPoint(0, 774)
        << cornerBottomLeft << QPoint(0, 735);
    QTest::newRow("exercise: left edge tile cut by the corner") << int(Exercise) << 775 << QPoint(0, 734)
        << leftEdge << QPoint(0, 730);
}

void TestSkin::frameOverwriteOrder()
{
    QFETCH(int, header);
    QFETCH(int, H);
    QFETCH(QPoint, probe);
    QFETCH(QRect, region);
    QFETCH(QPoint, origin);
    const QPoint source = region.topLeft() + (probe - origin);
    QVERIFY(region.contains(source));
    auto s = framedSurface(1280, H, 1280, H, header);
    const QRgb got = rgbOf(s->persistentImage().pixel(probe));
    QCOMPARE(describePixel(got), describePixel(rgbOf(tpl_.pixel(source))));
}

void TestSkin::copyIsOneToOneAndClipped_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRect>("source");
    QTest::addColumn<QRect>("copied");   // the part that lands on the surface
    const QRect piece(600, 300, 30, 20);
    QTest::newRow("inside") << QPoint(20, 15) << piece << QRect(20, 15, 30, 20);
    QTest::newRow("over the top-left edges") << QPoint(-5, -4) << piece << QRect(0, 0, 25, 16);
    QTest::newRow("over the bottom-right edges") << QPoint(85, 50) << piece << QRect(85, 50, 15, 10);
    QTest::newRow("wholly outside") << QPoint(100, 60) << piece << QRect();
    QTest::newRow("past the template's corner") << QPoint(10, 10) << QRect(1270, 790, 30, 20) << QRect(10, 10, 10, 10);
}

void TestSkin::copyIsOneToOneAndClipped()
{
    QFETCH(QPoint, at);
    QFETCH(QRect, source);
    QFETCH(QRect, copied);
    auto s = blankSurface(100, 60);
    copyFromTemplate(*s, at.x(), at.y(), source.width(), source.height(), source.x(), source.y());
    const QImage &img = s->persistentImage();
    QCOMPARE(img.size(), QSize(100, 60));
    QString m = templateMismatch(img, copied, tpl_, [&](int x, int y) { return source.topLeft() + QPoint(x, y) - at; });
    QVERIFY2(m.isEmpty(), qPrintable(m));
    m = colourMismatch(img, img.rect(), kBack, QRegion(copied));
    QVERIFY2(m.isEmpty(), qPrintable("outside the copy: " + m));
}

void TestSkin::persistentPaintSurvivesRepaint()
{
    Surface s;
    s.resize(200, 100);
    s.setBackColor(QColor::fromRgb(kBack));
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));

    const QRect persistentPiece(100, 100, 50, 40);
    const QRect directPiece(700, 400, 60, 30);
    s.setAutoRedraw(true);
    s.Cls();
    copyFromTemplate(s, 10, 10, persistentPiece.width(), persistentPiece.height(), persistentPiece.x(), persistentPiece.y());
    s.Refresh();
    s.setAutoRedraw(false);
    const QImage rest = s.persistentImage().copy();

    copyFromTemplate(s, 120, 50, directPiece.width(), directPiece.height(), directPiece.x(), directPiece.y());
    QVERIFY(s.directLayerShown());
    QCOMPARE(s.persistentImage(), rest);   // a direct drawing is not kept
    QString m = pieceMismatch(s.shownImage(), QPoint(120, 50), directPiece, tpl_);
    QVERIFY2(m.isEmpty(), qPrintable(m));

    // The repaint the drawing asked for shows it.
    const int paints = s.paintCount();
    QTRY_VERIFY(s.paintCount() > paints);
    QVERIFY(s.directLayerShown());

    // A repaint the surface did not ask for shows the persistent image alone.
    s.update();
    QCoreApplication::processEvents();
    QTRY_VERIFY(!s.directLayerShown());
    QCOMPARE(s.shownImage(), rest);
    m = pieceMismatch(s.shownImage(), QPoint(10, 10), persistentPiece, tpl_);
    QVERIFY2(m.isEmpty(), qPrintable(m));

    // So does a repaint forced at once.
    copyFromTemplate(s, 120, 50, directPiece.width(), directPiece.height(), directPiece.x(), directPiece.y());
    QCoreApplication::processEvents();
    QVERIFY(s.directLayerShown());
    s.repaint();
    QVERIFY(!s.directLayerShown());
    QCOMPARE(s.shownImage(), rest);
}

// A button pressed and released within one pass of the event loop draws its pressed look
// directly and then its resting look persistently: the refresh must show the resting look,
// though the pressed look's own repaint has not happened yet.
void TestSkin::refreshDropsDirectDrawingNotYetShown()
{
    Surface s;
    s.resize(200, 100);
    s.setBackColor(QColor::fromRgb(kBack));
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    s.setAutoRedraw(true);
    s.Cls();
    s.Refresh();
    s.setAutoRedraw(false);
    QCoreApplication::processEvents();

    const QRect pressed(700, 400, 60, 30);
    copyFromTemplate(s, 120, 50, pressed.width(), pressed.height(), pressed.x(), pressed.y());
    QVERIFY(s.directLayerShown());
    s.setAutoRedraw(true);
    copyFromTemplate(s, 10, 10, 50, 40, 100, 100);
    s.Refresh();
    s.setAutoRedraw(false);
    const int paints = s.paintCount();
    QTRY_VERIFY(s.paintCount() > paints);
    QVERIFY(!s.directLayerShown());
    QCOMPARE(s.shownImage(), s.persistentImage());
    const QString m = colourMismatch(s.shownImage(), QRect(120, 50, 60, 30), kBack);
    QVERIFY2(m.isEmpty(), qPrintable(m));

    // A direct drawing after the refresh shows as usual.
    copyFromTemplate(s, 120, 50, pressed.width(), pressed.height(), pressed.x(), pressed.y());
    QVERIFY(s.directLayerShown());
    QTRY_VERIFY(s.paintCount() > paints + 1);
    QVERIFY(s.directLayerShown());
}

void TestSkin::clsClearsToBackColour()
{
    auto s = blankSurface(120, 80);
    copyFromTemplate(*s, 0, 0, 120, 80, 300, 300);
    const QRgb green = qRgb(10, 200, 30);
    s->setBackColor(QColor::fromRgb(green));
    s->Cls();
    QString m = colourMismatch(s->persistentImage(), QRect(0, 0, 120, 80), green);
    QVERIFY2(m.isEmpty(), qPrintable(m));
}

// Kept drawings are painted again by the window itself; what it shows, also after a
// repaint of a small part, is what the surface reports as kept.
void TestSkin::windowShowsTheKeptDrawings()
{
    Surface s;
    s.resize(300, 200);
    s.setBackColor(QColor::fromRgb(kBack));
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    s.setAutoRedraw(true);
    s.Cls();
    paintFrame(s, 300, 200, 25);
    s.setSkinFont(tahoma(12, true));
    s.setForeColor(qRgb(0, 0, 128));
    drawTextInRect(s, QStringLiteral("START"), 40, 60, 200, 100, TextFormat::CentredBothWays);
    s.Refresh();
    s.setAutoRedraw(false);
    const auto shown = [&s] {
        return s.screen()->grabWindow(s.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    };
    const int paints = s.paintCount();
    QTRY_VERIFY(s.paintCount() > paints);
    QCOMPARE(shown(), s.persistentImage());

    // A partial repaint across the text and a frame edge.
    s.repaint(QRect(0, 70, 120, 20));
    QCOMPARE(shown(), s.persistentImage());
    // The kept drawings are not the back colour alone.
    QVERIFY(colourMismatch(s.persistentImage(), QRect(0, 0, 300, 200), kBack).size() > 0);
}

// A window whose drawings were painted into its backing store before it was exposed
// shows what it keeps at the first paint: also when it drew again, was cleared or grew in
// the meantime, or when the platform cleared the store for that paint. Painted ahead as
// it is shown, or while still hidden, made ready to be shown later.
void TestSkin::paintedAheadWindowShowsItsDrawings_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<QString>("between");
    QTest::addColumn<QRgb>("shown");
    QTest::addColumn<QRgb>("beyond");   // the right half of the grown window
    const QRgb red = qRgb(200, 20, 20), blue = qRgb(20, 20, 200);
    for (const bool hidden : {false, true}) {
        const char *when = hidden ? "while hidden, " : "as shown, ";
        QTest::addRow("%snothing", when) << hidden << QString() << red << red;
        QTest::addRow("%sdrawn again", when) << hidden << QStringLiteral("draw") << blue << blue;
        QTest::addRow("%scleared", when) << hidden << QStringLiteral("cls") << kBack << kBack;
        QTest::addRow("%sgrown", when) << hidden << QStringLiteral("grow") << red << kBack;
        QTest::addRow("%sstore cleared by the platform", when) << hidden << QStringLiteral("store") << red << red;
    }
}

void TestSkin::paintedAheadWindowShowsItsDrawings()
{
    QFETCH(bool, hidden);
    QFETCH(QString, between);
    QFETCH(QRgb, shown);
    QFETCH(QRgb, beyond);
    const QRect first(0, 0, 80, 90);
    QRect all = first;
    Surface s;
    s.resize(all.size());
    s.setBackColor(QColor::fromRgb(kBack));
    const auto fill = [&s](QRgb colour) {
        Drawing d;
        d.area = d.clip = s.rect();
        d.colour = QColor::fromRgb(colour);
        s.drawPersistently([&] { s.draw(d); });
    };
    fill(qRgb(200, 20, 20));
    if (hidden)
        s.createWinId();
    else
        s.show();
    s.paintAhead();
    QCOMPARE(s.paintCount(), 0);   // painted ahead of the window's first paint
    if (between == QLatin1String("draw")) {
        fill(qRgb(20, 20, 200));
    } else if (between == QLatin1String("cls")) {
        s.Cls();
        s.Refresh();
    } else if (between == QLatin1String("grow")) {
        all.setWidth(2 * first.width());
        s.resize(all.size());
    } else if (between == QLatin1String("store")) {
        QBackingStore *store = s.backingStore();
        store->beginPaint(QRegion(all));
        {
            QPainter p(store->paintDevice());
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.fillRect(all, Qt::transparent);
        }
        store->endPaint();
    }
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QTRY_VERIFY(s.paintCount() > 0);
    const QImage image = s.screen()->grabWindow(s.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), all.size());
    QString m = colourMismatch(image, first, shown);
    QVERIFY2(m.isEmpty(), qPrintable(m));
    m = colourMismatch(image, all.adjusted(first.width(), 0, 0, 0), beyond);
    QVERIFY2(m.isEmpty(), qPrintable(m));
}

// A grown surface keeps what was drawn, cut at its old edge, and shows its back colour
// beyond.
void TestSkin::grownSurfaceShowsBackgroundBeyond()
{
    auto s = textSurface(100, 40, tahoma(12, true));
    drawTextInRect(*s, QStringLiteral("WWWWWWWWWW"), 0, 0, 400, 40, TextFormat::LeftTop);
    const QImage before = s->persistentImage().copy();
    QVERIFY(!inkBounds(before, QRect(60, 0, 40, 40), isInk).isEmpty());   // the text reaches the edge
    s->resize(200, 40);
    const QImage after = s->persistentImage();
    QCOMPARE(after.size(), QSize(200, 40));
    QCOMPARE(after.copy(0, 0, 100, 40), before);
    const QString m = colourMismatch(after, QRect(100, 0, 100, 40), qRgb(255, 255, 255));
    QVERIFY2(m.isEmpty(), qPrintable(m));
}

// Thousands of kept drawings, none covering another: every one of them still shows.
void TestSkin::manyKeptDrawingsAllStay()
{
    constexpr int kW = 100, kH = 60;   // 6000 pixels, one drawing each
    auto s = blankSurface(kW, kH);
    const auto colourAt = [](int x, int y) { return QColor(x * 2, y * 4, (x + y) % 256); };
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            Drawing dot;
            dot.area = dot.clip = QRect(x, y, 1, 1);
            dot.colour = colourAt(x, y);
            s->draw(dot);
        }
    }
    const QImage &img = s->persistentImage();
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            QCOMPARE(QColor(img.pixel(x, y)), colourAt(x, y));
}

// The pointer and icons are decoded when the program is built; they are the pictures.
void TestSkin::embeddedImagesMatchTheirPictures_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"hand", "hand@2x", "icons/velantra-16", "icons/velantra-32", "icons/velantra-48",
                             "icons/velantra-64"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSkin::embeddedImagesMatchTheirPictures()
{
    QFETCH(QString, name);
    const QImage picture(QStringLiteral("../assets/%1.png").arg(name));
    QVERIFY(!picture.isNull());
    const QImage embedded = skinCursors::embeddedImage(name);
    QCOMPARE(embedded, picture.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

void TestSkin::fontSizesInPixels_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("pixels");
    QTest::newRow("grid and answers 39.75") << 39.75 << 53;
    QTest::newRow("start title 28") << 28.0 << 37;      // 37.33
    QTest::newRow("captions 15.75") << 15.75 << 21;
    QTest::newRow("exercise title 15") << 15.0 << 20;
    QTest::newRow("buttons 14.25") << 14.25 << 19;
    QTest::newRow("Back 12.75") << 12.75 << 17;
    QTest::newRow("attempts 12") << 12.0 << 16;
    QTest::newRow("address 9") << 9.0 << 12;
    QTest::newRow("windows 8.25") << 8.25 << 11;
    QTest::newRow("shrunk to 1.75") << 1.75 << 2;        // 2.33
    QTest::newRow("never below a pixel") << 0.25 << 1;
}

// Sizes become pixels as at 96 dpi, so the layout does not move with the screen's dpi.
void TestSkin::fontSizesInPixels()
{
    QFETCH(double, points);
    QFETCH(int, pixels);
    const SkinFont font{QStringLiteral("Tahoma"), points, true, false};
    QCOMPARE(font.pixelSize(), pixels);
    QCOMPARE(font.toQFont().pixelSize(), pixels);
    QVERIFY(font.toQFont().bold());
}

void TestSkin::centredTextFollowsItsRectangle()
{
    // Format 1 in a rectangle from 4 to W lands 2 pixels right of the same text from 0 to W.
    const QString title = QStringLiteral("SPEED VELANTRA");
    for (int W : {300, 301}) {
        auto a = textSurface(W, 60, tahoma(12, true));
        auto b = textSurface(W, 60, tahoma(12, true));
        drawTextInRect(*a, title, 0, 10, W, 60, TextFormat::CentredAcross);
        drawTextInRect(*b, title, 4, 12, W, 60, TextFormat::CentredAcross);
        const QRect inkA = inkOf(*a);
        const QRect inkB = inkOf(*b);
        QVERIFY(inkA.width() > 50);
        QCOMPARE(inkB, inkA.translated(2, 2));
        QCOMPARE(b->persistentImage().copy(inkB), a->persistentImage().copy(inkA));
        // Centred: as much room on the left as on the right, to a pixel.
        QVERIFY2(std::abs(inkA.left() - (W - 1 - inkA.right())) <= 2, qPrintable(QString::number(inkA.left())));
        // Top format: the glyphs start near the rectangle's top.
        QVERIFY(inkA.top() >= 10 && inkA.top() < 10 + QFontMetrics(tahoma(12, true).toQFont()).ascent());
    }
}

void TestSkin::singleLineCentredBothWays()
{
    const SkinFont font = tahoma(12.75, true);
    auto s = textSurface(140, 50, font);
    drawTextInRect(*s, QStringLiteral("Back"), 0, 0, 140, 50, TextFormat::CentredBothWays);
    const QRect ink = inkOf(*s);
    QVERIFY(ink.width() > 10);
    const QPointF centre = QRectF(ink).center();
    QVERIFY2(std::abs(centre.x() - 70) <= 2, qPrintable(QString::number(centre.x())));
    QVERIFY2(std::abs(centre.y() - 25) <= 3, qPrintable(QString::number(centre.y())));

    // A rectangle 20 wider and 30 higher moves the text by exactly half of that.
    auto t = textSurface(160, 80, font);
    drawTextInRect(*t, QStringLiteral("Back"), 0, 0, 160, 80, TextFormat::CentredBothWays);
    QCOMPARE(inkOf(*t), ink.translated(10, 15));
    QCOMPARE(t->persistentImage().copy(ink.translated(10, 15)), s->persistentImage().copy(ink));
}

void TestSkin::leftTopFormat()
{
    const SkinFont font = SkinFont{QStringLiteral("Arial"), 15, true, false};
    auto s = textSurface(400, 60, font);
    drawTextInRect(*s, QStringLiteral("Speed Velantra"), 20, 10, 400, 60, TextFormat::LeftTop);
    const QRect ink = inkOf(*s);
    QVERIFY(ink.width() > 50);
    QVERIFY2(ink.left() >= 20 && ink.left() <= 23, qPrintable(QString::number(ink.left())));
    QVERIFY2(ink.top() >= 10 && ink.top() <= 10 + QFontMetrics(font.toQFont()).ascent() / 2,
             qPrintable(QString::number(ink.top())));

    auto t = textSurface(400, 60, font);
    drawTextInRect(*t, QStringLiteral("Speed Velantra"), 27, 15, 400, 60, TextFormat::LeftTop);
    QCOMPARE(inkOf(*t), ink.translated(7, 5));
}

void TestSkin::textIsClippedToItsRectangle()
{
    auto s = textSurface(300, 60, tahoma(12, true));
    drawTextInRect(*s, QStringLiteral("SHOW CORRECT ANSWER"), 20, 10, 60, 30, TextFormat::LeftTop);
    const QRect ink = inkOf(*s);
    QVERIFY(!ink.isEmpty());
    QVERIFY(QRect(20, 10, 40, 20).contains(ink));
    drawTextInRect(*s, QStringLiteral("SHOW CORRECT ANSWER"), 100, 20, 160, 40, TextFormat::CentredBothWays);
    QVERIFY(QRect(20, 10, 40, 20).united(QRect(100, 20, 60, 20)).contains(inkOf(*s)));
    QVERIFY(!inkBounds(s->persistentImage(), QRect(100, 20, 60, 20), isInk).isEmpty());
}

void TestSkin::textRectHoldsTheLastRectangle()
{
    auto s = textSurface(300, 60, tahoma(12, true));
    drawTextInRect(*s, QStringLiteral("a"), 4, 77, 300, 60, TextFormat::CentredAcross);
    QVERIFY(sameRect(modMain::textRect, 4, 77, 300, 60));
    drawTextInRect(*s, QStringLiteral("b"), -3, 2, 1280, 775, TextFormat::LeftTop);
    QVERIFY(sameRect(modMain::textRect, -3, 2, 1280, 775));
    // An empty text still sets it.
    drawTextInRect(*s, QString(), 0, 0, 140, 50, TextFormat::CentredBothWays);
    QVERIFY(sameRect(modMain::textRect, 0, 0, 140, 50));
}

void TestSkin::headersJoinWithoutSeam_data()
{
    QTest::addColumn<int>("W");
    QTest::newRow("1280") << 1280;
    QTest::newRow("1024") << 1024;
}

// The start window in its open view shows header rows 97 to 121 in its top 25 pixels;
// the exercise window 25 pixels lower goes on with row 122 in the same columns.
void TestSkin::headersJoinWithoutSeam()
{
    QFETCH(int, W);
    // The top band is 375 twips, 25 pixels at 15 twips a pixel.
    const int band = 25;
    QCOMPARE(StartWindow::kTopBandTwips, 375);
    auto start = framedSurface(W, 800, W, 800, Open);
    auto exercise = framedSurface(W, 800 - band, W, 800 - band, Exercise);
    const QImage &st = start->persistentImage();
    const QImage &ex = exercise->persistentImage();

    // The start window's visible strip is the template's header rows 97 to 121.
    QString m = pieceMismatch(st, QPoint(0, 0), QRect(195, 97, 195, band), tpl_);
    QVERIFY2(m.isEmpty(), qPrintable("open header left: " + m));
    m = templateMismatch(st, QRect(200, 0, W - 230, band), tpl_,
                         [](int x, int y) { return QPoint(400 + x % 10, 97 + y); });
    QVERIFY2(m.isEmpty(), qPrintable("open header band: " + m));
    m = pieceMismatch(st, QPoint(W - 30, 0), QRect(422, 97, 30, band), tpl_);
    QVERIFY2(m.isEmpty(), qPrintable("open header right: " + m));

    // Below the join each column continues the same template column one row on: the
    // exercise window's row y is the row the start window would show at band + y.
    const auto continues = [&](const QRect &zone) {
        for (int y = zone.top(); y <= zone.bottom(); ++y)
            for (int x = zone.left(); x <= zone.right(); ++x)
                if (ex.pixel(x, y) != st.pixel(x, y + band))
                    return QStringLiteral("(%1,%2)").arg(x).arg(y);
        return QString();
    };
    // The exercise window's left piece is 5 columns wider than the open one's; those
    // five columns join the band above them, not the piece.
    m = continues(QRect(0, 0, 195, 72));
    QVERIFY2(m.isEmpty(), qPrintable("left piece: " + m));
    m = continues(QRect(200, 0, W - 230, 35));
    QVERIFY2(m.isEmpty(), qPrintable("band: " + m));
    m = continues(QRect(W - 30, 0, 30, 46));
    QVERIFY2(m.isEmpty(), qPrintable("right piece: " + m));
    m = templateMismatch(ex, QRect(0, 0, W, 1), tpl_, [&](int x, int) {
        if (x < 200)
            return QPoint(195 + x, 122);
        if (x >= W - 30)
            return QPoint(422 + x - (W - 30), 122);
        return QPoint(400 + x % 10, 122);
    });
    QVERIFY2(m.isEmpty(), qPrintable("exercise row 0: " + m));
}

void TestSkin::boldTahomaReadsBold_data()
{
    QTest::addColumn<QString>("drawnBy");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("heavier");   // bold ink at least 1.2 times regular ink
    QTest::newRow("the face alone, 12 pt") << "plain painter" << 12.0 << false;
    QTest::newRow("label, 15.75 pt") << "label" << 15.75 << true;
    QTest::newRow("push button, 12 pt") << "push button" << 12.0 << true;
    QTest::newRow("option button, 15.75 pt") << "option button" << 15.75 << true;
    QTest::newRow("text box, 39.75 pt") << "text box" << 39.75 << true;
    QTest::newRow("text in a rectangle, 12.75 pt") << "text in a rectangle" << 12.75 << true;
    QTest::newRow("grid, 39.75 pt") << "grid" << 39.75 << true;
}

// Wine's Tahoma Bold has a bold face's widths but nearly regular strokes: on its own its
// text carries hardly more ink than regular text. Drawn by the program, it carries clearly
// more. Widths are the face's own either way (the layout tests measure them).
void TestSkin::boldTahomaReadsBold()
{
    QFETCH(QString, drawnBy);
    QFETCH(double, points);
    QFETCH(bool, heavier);
    fonts::ensureTahoma();
    if (!QFontInfo(tahoma(points, true).toQFont()).family().startsWith(QLatin1String("Tahoma")))
        QSKIP("Tahoma is not installed (fonts-wine)");
    const QString text = drawnBy == "grid" || drawnBy == "text box" ? QStringLiteral("487") : QStringLiteral("START");

    // Black text on white; an empty control gives what is not text.
    const auto render = [&](const QString &shown, bool bold) {
        const SkinFont font = tahoma(points, bold);
        QImage img(420, 90, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPalette pal;
        pal.setColor(QPalette::WindowText, Qt::black);
        pal.setColor(QPalette::ButtonText, Qt::black);
        pal.setColor(QPalette::Text, Qt::black);
        pal.setColor(QPalette::Base, Qt::white);
        std::unique_ptr<QWidget> w;
        if (drawnBy == "plain painter") {
            QPainter p(&img);
            p.setFont(font.toQFont());
            p.drawText(QRect(10, 0, 400, 90), Qt::AlignVCenter, shown);
        } else if (drawnBy == "text in a rectangle") {
            Surface s;
            s.resize(420, 90);
            s.setBackColor(Qt::white);
            s.setAutoRedraw(true);
            s.Cls();
            s.setSkinFont(font);
            s.setForeColor(qRgb(0, 0, 0));
            drawTextInRect(s, shown, 10, 0, 420, 90, TextFormat::LeftTop);
            img = s.persistentImage().copy();
        } else if (drawnBy == "grid") {
            auto *grid = new QuestionGrid;
            grid->setCellFont(font);
            grid->setRowHeight(-1, 1800);
            grid->setColWidth(-1, 6000);
            grid->setColAlignment(-1, 4);
            grid->setTextMatrix(0, 0, shown);
            w.reset(grid);
        } else {
            if (drawnBy == "label")
                w = std::make_unique<QLabel>(shown);
            else if (drawnBy == "push button")
                w = std::make_unique<QPushButton>(shown);
            else if (drawnBy == "option button")
                w = std::make_unique<QRadioButton>(shown);
            else
                w = std::make_unique<QWidget>();   // a window holding a text box
            w->setFont(font.toQFont());
        }
        if (w) {
            if (drawnBy == "text box")
                (new QLineEdit(shown, w.get()))->resize(420, 90);
            w->setPalette(pal);
            w->resize(420, 90);
            w->show();
            w->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        }
        return img;
    };
    const auto ink = [](const QImage &a, const QImage &b) {
        double sum = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) / 255.0;
        return sum;
    };
    const QImage empty = render(QString(), true);
    const QImage bold = render(text, true);
    const double regular = ink(render(text, false), render(QString(), false));
    const double heavy = ink(bold, empty);
    qInfo("%s: bold %.0f, regular %.0f, ratio %.2f", qPrintable(drawnBy), heavy, regular, heavy / regular);
    QVERIFY(regular > 0);
    QCOMPARE(heavy >= 1.2 * regular, heavier);

}

QTEST_MAIN(TestSkin)
#include "tst_skin.moc"
