// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "app/BackdropWindow.h"
#include "ui/skin/GradientFill.h"

#include <QTest>

#include <cstdlib>

namespace {

constexpr QRgb kUnfilled = 0xFFFF00FF;   // magenta: no gradient pixel can have it

// The backdrop's corners as the fill receives them: 8-bit channels times 256.
gradient::Vertex corner(int x, int y, int r, int g, int b)
{
    return {x, y, std::uint16_t(r * 256), std::uint16_t(g * 256), std::uint16_t(b * 256), 0};
}

// The backdrop's gradient on a w x h image (logical pixels) that starts out magenta.
QImage backdropGradient(int w, int h, qreal ratio = 1)
{
    QImage image(QSize(w, h) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kUnfilled);
    const std::vector<gradient::Vertex> vertices = {corner(0, 0, 80, 0, 0), corner(w, 0, 0, 80, 0),
                                                     corner(w, h, 0, 0, 80), corner(0, h, 40, 40, 0)};
    gradient::fillTriangles(image, vertices, {{0, 1, 2}, {0, 2, 3}});
    return image;
}

bool near(QRgb pixel, const QColor &expected, int tolerance = 1)
{
    return std::abs(qRed(pixel) - expected.red()) <= tolerance && std::abs(qGreen(pixel) - expected.green()) <= tolerance
        && std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

QByteArray describe(QRgb pixel)
{
    return QByteArray::number(qRed(pixel)) + "," + QByteArray::number(qGreen(pixel)) + ","
         + QByteArray::number(qBlue(pixel));
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

} // namespace

class TestGradient : public QObject {
    Q_OBJECT

private slots:
    void toColor16_data();
    void toColor16();

    void colourAt_data();
    void colourAt();
    void fillsEveryPixel_data();
    void fillsEveryPixel();
    void continuousAcrossDiagonal_data();
    void continuousAcrossDiagonal();
    void leavesPixelsOutsideTheTrianglesAlone();

    void backdropCoversScreenWithGradient_data();
    void backdropCoversScreenWithGradient();
    void backdropIsPaintedOnlyOnce();
    void brightChannelsSurviveSixteenBits();
};

void TestGradient::toColor16_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("dark red channel") << 20480 << 20480;
    QTest::newRow("largest positive") << 32767 << 32767;
    QTest::newRow("half way wraps") << 32768 << -32768;
    QTest::newRow("full channel") << 65535 << -1;
}

void TestGradient::toColor16()
{
    QFETCH(int, value);
    QFETCH(int, expected);
    QCOMPARE(int(BackdropWindow::toColor16(value)), expected);
}

// Linear interpolation inside each triangle, sampled at the corners, the edge midpoints
// and one point inside each triangle.
void TestGradient::colourAt_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<double>("fx");   // fraction of the width
    QTest::addColumn<double>("fy");
    QTest::addColumn<QColor>("expected");

    const QList<QSize> sizes = {{1280, 800}, {1920, 1080}, {1024, 768}};
    for (const QSize &s : sizes) {
        const QByteArray size = QByteArray::number(s.width()) + "x" + QByteArray::number(s.height()) + " ";
        auto row = [&](const char *name, double fx, double fy, QColor c) {
            QTest::newRow((size + name).constData()) << s.width() << s.height() << fx << fy << c;
        };
        row("top-left corner", 0, 0, QColor(80, 0, 0));
        row("top-right corner", 1, 0, QColor(0, 80, 0));
        row("bottom-right corner", 1, 1, QColor(0, 0, 80));
        row("bottom-left corner", 0, 1, QColor(40, 40, 0));
        row("top edge midpoint", 0.5, 0, QColor(40, 40, 0));
        row("right edge midpoint", 1, 0.5, QColor(0, 40, 40));
        row("bottom edge midpoint", 0.5, 1, QColor(20, 20, 40));
        row("left edge midpoint", 0, 0.5, QColor(60, 20, 0));
        row("centre on the diagonal", 0.5, 0.5, QColor(40, 0, 40));
        // (3/4, 1/4) = 1/4 top-left + 1/2 top-right + 1/4 bottom-right
        row("inside upper triangle", 0.75, 0.25, QColor(20, 40, 20));
        // (1/4, 3/4) = 1/4 top-left + 1/4 bottom-right + 1/2 bottom-left
        row("inside lower triangle", 0.25, 0.75, QColor(40, 20, 20));
    }
}

void TestGradient::colourAt()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(double, fx);
    QFETCH(double, fy);
    QFETCH(QColor, expected);
    const QImage image = backdropGradient(w, h);
    const int x = std::min(w - 1, int(fx * w));
    const int y = std::min(h - 1, int(fy * h));
    const QRgb pixel = image.pixel(x, y);
    QVERIFY2(near(pixel, expected), describe(pixel) + " at " + QByteArray::number(x) + "," + QByteArray::number(y));
}

void TestGradient::fillsEveryPixel_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<qreal>("ratio");   // device pixels per logical pixel
    QTest::newRow("1280x800") << 1280 << 800 << 1.0;
    QTest::newRow("1920x1080") << 1920 << 1080 << 1.0;
    QTest::newRow("1366x768") << 1366 << 768 << 1.0;
    QTest::newRow("odd 1023x767") << 1023 << 767 << 1.0;
    QTest::newRow("taller than wide 600x1000") << 600 << 1000 << 1.0;
    QTest::newRow("tiny 7x5") << 7 << 5 << 1.0;
    QTest::newRow("one pixel") << 1 << 1 << 1.0;
    QTest::newRow("one row") << 97 << 1 << 1.0;
    QTest::newRow("one column") << 1 << 61 << 1.0;
    QTest::newRow("1280x800 at twice the pixels") << 1280 << 800 << 2.0;
    QTest::newRow("odd 683x384 at twice the pixels") << 683 << 384 << 2.0;
}

void TestGradient::fillsEveryPixel()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(qreal, ratio);
    const QImage image = backdropGradient(w, h, ratio);
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == kUnfilled)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 left unfilled").arg(x).arg(y)));
        }
    }
}

void TestGradient::continuousAcrossDiagonal_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("1280x800") << 1280 << 800;
    QTest::newRow("1920x1080") << 1920 << 1080;
    QTest::newRow("1366x768") << 1366 << 768;
}

// The two triangles share the diagonal's end colours, so the field has no seam: pixels
// on either side of the diagonal differ by at most one step per channel.
void TestGradient::continuousAcrossDiagonal()
{
    QFETCH(int, w);
    QFETCH(int, h);
    const QImage image = backdropGradient(w, h);
    for (int y = 0; y < h; ++y) {
        const int onDiagonal = int((y + 0.5) * w / h);
        for (int x = std::max(1, onDiagonal - 2); x <= std::min(w - 1, onDiagonal + 2); ++x) {
            const QRgb left = image.pixel(x - 1, y);
            const QRgb right = image.pixel(x, y);
            if (channelDistance(left, right) > 1)
                QFAIL(qPrintable(QStringLiteral("seam at %1,%2: %3 next to %4")
                                     .arg(x).arg(y).arg(QString::fromLatin1(describe(left)), QString::fromLatin1(describe(right)))));
        }
        if (y > 0 && onDiagonal < w) {
            const int d = channelDistance(image.pixel(onDiagonal, y - 1), image.pixel(onDiagonal, y));
            QVERIFY2(d <= 1, qPrintable(QStringLiteral("vertical seam at %1,%2").arg(onDiagonal).arg(y)));
        }
    }
}

void TestGradient::leavesPixelsOutsideTheTrianglesAlone()
{
    // Only the upper triangle: everything below the diagonal stays as it was.
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(kUnfilled);
    const std::vector<gradient::Vertex> vertices = {corner(0, 0, 80, 0, 0), corner(100, 0, 0, 80, 0),
                                                     corner(100, 100, 0, 0, 80)};
    gradient::fillTriangles(image, vertices, {{0, 1, 2}});
    QCOMPARE(image.pixel(10, 90), kUnfilled);
    QCOMPARE(image.pixel(0, 99), kUnfilled);
    QVERIFY(image.pixel(90, 10) != kUnfilled);
    QVERIFY(image.pixel(99, 0) != kUnfilled);
}

void TestGradient::backdropCoversScreenWithGradient_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    // The same size in twips, 15 to a pixel at 96 dpi.
    QTest::addColumn<double>("wTwips");
    QTest::addColumn<double>("hTwips");
    QTest::newRow("1280x800") << 1280 << 800 << 19200.0 << 12000.0;
    QTest::newRow("1920x1080") << 1920 << 1080 << 28800.0 << 16200.0;
    QTest::newRow("1024x768") << 1024 << 768 << 15360.0 << 11520.0;
}

void TestGradient::backdropCoversScreenWithGradient()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(double, wTwips);
    QFETCH(double, hTwips);
    TestWorld world(w, h);
    BackdropWindow &backdrop = windows::frmZFon();
    QCOMPARE(backdrop.Left(), 0.0);
    QCOMPARE(backdrop.Top(), 0.0);
    QCOMPARE(backdrop.Width(), wTwips);
    QCOMPARE(backdrop.Height(), hTwips);
    QCOMPARE(backdrop.geometry(), QRect(0, 0, w, h));

    const QImage &image = backdrop.persistentImage();
    QCOMPARE(image.size(), QSize(w, h));
    // Every pixel is gradient: no channel above 80, so none of the grey background.
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (qRed(line[x]) > 80 || qGreen(line[x]) > 80 || qBlue(line[x]) > 80)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is not gradient").arg(x).arg(y)));
        }
    }
    QVERIFY(near(image.pixel(0, 0), QColor(80, 0, 0)));
    QVERIFY(near(image.pixel(w - 1, 0), QColor(0, 80, 0)));
    QVERIFY(near(image.pixel(w - 1, h - 1), QColor(0, 0, 80)));
    QVERIFY(near(image.pixel(0, h - 1), QColor(40, 40, 0)));
    // The very same field the fill draws on its own.
    QCOMPARE(image.convertToFormat(QImage::Format_RGB32), backdropGradient(w, h));
}

// The gradient is drawn once, at load; switching the backdrop off and on again, or
// a changed screen, neither repaints nor moves it.
void TestGradient::backdropIsPaintedOnlyOnce()
{
    TestWorld world;
    StartWindow &main = world.startWindow();
    main.toggleBackdrop();
    BackdropWindow *backdrop = windows::loadedBackdrop();
    QVERIFY(backdrop);
    QVERIFY(backdrop->isVisible());
    QCoreApplication::processEvents();
    const QImage painted = backdrop->persistentImage().copy();
    const qint64 key = backdrop->persistentImage().cacheKey();

    main.toggleBackdrop();
    QVERIFY(!backdrop->isVisible());
    ScreenMetrics larger = platform::screen();
    larger.widthPx = 1600;
    larger.heightPx = 900;
    larger.workArea = QRect(0, 0, 1600, 900);
    platform::setScreen(larger);
    main.toggleBackdrop();
    QCOMPARE(windows::loadedBackdrop(), backdrop);
    QVERIFY(backdrop->isVisible());
    QCoreApplication::processEvents();

    QCOMPARE(backdrop->persistentImage().cacheKey(), key);
    QCOMPARE(backdrop->persistentImage(), painted);
    QCOMPARE(backdrop->geometry(), QRect(0, 0, 1280, 800));
    QVERIFY(!backdrop->directLayerShown());
}

// Channels of 128 and more are 32768 and more in sixteen bits, negative as signed values:
// they must still reach the fill as the same bits.
void TestGradient::brightChannelsSurviveSixteenBits()
{
    TestWorld world;
    BackdropWindow &backdrop = windows::frmZFon();
    const int w = backdrop.ScaleWidth();
    const int h = backdrop.ScaleHeight();
    auto rgb = [](int r, int g, int b) { return std::uint32_t(r) | std::uint32_t(g) << 8 | std::uint32_t(b) << 16; };
    backdrop.setAutoRedraw(true);
    backdrop.paintGradient(rgb(255, 255, 255), rgb(200, 100, 0), rgb(0, 128, 255), rgb(128, 127, 129));
    backdrop.setAutoRedraw(false);
    const QImage &image = backdrop.persistentImage();
    QVERIFY2(near(image.pixel(0, 0), QColor(255, 255, 255)), describe(image.pixel(0, 0)));
    QVERIFY2(near(image.pixel(w - 1, 0), QColor(200, 100, 0)), describe(image.pixel(w - 1, 0)));
    QVERIFY2(near(image.pixel(w - 1, h - 1), QColor(0, 128, 255)), describe(image.pixel(w - 1, h - 1)));
    QVERIFY2(near(image.pixel(0, h - 1), QColor(128, 127, 129)), describe(image.pixel(0, h - 1)));
}

QTEST_MAIN(TestGradient)
#include "tst_gradient.moc"
