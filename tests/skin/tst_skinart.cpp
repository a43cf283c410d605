// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/skingen/SkinArt.h"

#include <cstdlib>

#include <QPainter>
#include <QtTest>

namespace {

// The template's colours and regions written out as numbers of their own: the drawing
// tool and the painters share the program's region table, so a wrong entry there would
// agree with itself if the expected values came from it too.
namespace expected {
constexpr int kTemplateWidth = 1280;
constexpr int kTemplateHeight = 800;
constexpr QRgb kInnerColour = 0xFFC5D6ED;     // RGB(197,214,237)
constexpr QRgb kOuterMargin = 0xFF9BB9E0;     // RGB(155,185,224)
constexpr QRgb kLineOuterDark = 0xFF969A92;   // RGB(150,154,146)
constexpr QRgb kLineInnerDark = 0xFFA0AEC0;   // RGB(160,174,192)
constexpr QRgb kLineLight = 0xFFDBE5F2;       // RGB(219,229,242)
constexpr QRgb kButtonCornerColour = kInnerColour;

struct Region {
    int x, y, w, h;
    constexpr QRect rect() const { return QRect(x, y, w, h); }
};
constexpr Region frameBottomEdge(int th) { return {50, th - 20, 10, 20}; }
constexpr Region frameLeftEdge() { return {0, 260, 20, 10}; }
constexpr Region frameRightEdge(int tw) { return {tw - 20, 260, 20, 10}; }
constexpr Region startTopBand{220, 0, 10, 97};
constexpr Region startLogo{68, 241, 435, 300};
constexpr Region startSlogan{728, 241, 436, 45};
constexpr Region openTopBand{400, 97, 10, 97};
constexpr Region openHeaderLeft{195, 97, 195, 97};
constexpr Region openHeaderRight{422, 97, 30, 97};
constexpr Region exerciseTopBand{400, 122, 10, 35};
constexpr Region exerciseHeaderLeft{195, 122, 200, 72};
constexpr Region exerciseHeaderRight{422, 122, 30, 46};
constexpr Region panelEdgeTop{562, 282, 4, 4};
constexpr Region panelEdgeBottom{562, 365, 4, 4};
constexpr Region panelEdgeLeft{544, 303, 4, 4};
constexpr Region panelEdgeRight{656, 303, 4, 4};

enum GlyphRow { GlyphNormal = 0, GlyphHover = 1, GlyphPressed = 2 };
constexpr int kGlyphColumnBackdrop = 0;
constexpr int kGlyphColumnMinimise = 1;
constexpr int kGlyphColumnClose = 4;
constexpr int kGlyphColumnInactive = 5;
constexpr Region captionGlyph(int column, int row) { return {89 + 17 * column, 179 + 15 * row, 17, 15}; }

constexpr int kButtonRowNormal = 593;
constexpr int kButtonRowHover = 643;
constexpr int kButtonRowPressed = 693;
constexpr int kButtonBarX = 68;
constexpr int kButtonBarW = 180;
} // namespace expected

using namespace expected;

struct FrameHeader {
    Region band;
    Region left;
    Region right;
};

// The window painters' frame algorithm for the top rows of a window: band tiles,
// side tiles, then the two header pieces, each copied 1:1 from the template.
QImage paintWindowTop(const QImage &tpl, int w, int h, const FrameHeader &header)
{
    QImage out(w, h, QImage::Format_RGB32);
    out.fill(QColor::fromRgb(kInnerColour));
    QPainter p(&out);
    auto copy = [&](int dx, int dy, const Region &r) { p.drawImage(QPoint(dx, dy), tpl, r.rect()); };
    for (int k = 0; k * 10 < w; ++k)
        copy(10 * k, 0, header.band);
    for (int k = 0; k * 10 < h; ++k) {
        copy(0, 10 * k, frameLeftEdge());
        copy(w - 20, 10 * k, frameRightEdge(kTemplateWidth));
    }
    copy(0, 0, header.left);
    copy(w - 30, 0, header.right);
    return out;
}

int luminance(QRgb c)
{
    return qGray(c);
}

// Mean grey level of one template row across [x0, x1), at scale 1.
double rowLuminance(const QImage &img, int y, int x0, int x1)
{
    double sum = 0;
    for (int x = x0; x < x1; ++x)
        sum += luminance(img.pixel(x, y));
    return sum / (x1 - x0);
}

// Qt's raster engine blends with whatever vector instructions the processor has, and
// its rounding differs between them by one step of a channel; a changed drawing differs
// by far more.
bool withinRounding(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1
        && std::abs(qBlue(a) - qBlue(b)) <= 1 && std::abs(qAlpha(a) - qAlpha(b)) <= 1;
}

QString hex(QRgb c)
{
    return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

} // namespace

class TestSkinArt : public QObject
{
    Q_OBJECT

    QImage m_template[3];   // by scale; index 0 unused

    const QImage &tpl(int scale) const { return m_template[scale]; }

    // Every device pixel that template pixel (x, y) becomes at `scale`.
    static bool blockIs(const QImage &img, int scale, int x, int y, QRgb expected, QString *found)
    {
        for (int j = 0; j < scale; ++j) {
            for (int i = 0; i < scale; ++i) {
                const QRgb c = img.pixel(x * scale + i, y * scale + j) | 0xFF000000;
                if (c != (expected | 0xFF000000)) {
                    *found = hex(c);
                    return false;
                }
            }
        }
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(skinart::ensureTahoma(), "Tahoma (fonts-wine) is needed to draw the artwork");
        m_template[1] = skinart::drawSkinTemplate(1);
        m_template[2] = skinart::drawSkinTemplate(2);
    }

    void templateIsOpaqueAtBothScales_data()
    {
        QTest::addColumn<int>("scale");
        QTest::newRow("scale 1") << 1;
        QTest::newRow("scale 2") << 2;
    }
    void templateIsOpaqueAtBothScales()
    {
        QFETCH(int, scale);
        QCOMPARE(tpl(scale).size(), QSize(kTemplateWidth, kTemplateHeight) * scale);
        QVERIFY(!tpl(scale).hasAlphaChannel());
    }

    void committedImageMatchesFreshDrawing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QImage>("fresh");
        QTest::newRow("skin") << "skin.png" << tpl(1);
        QTest::newRow("skin@2x") << "skin@2x.png" << tpl(2);
        QTest::newRow("hand") << "hand.png" << skinart::drawHandCursor(1);
        QTest::newRow("hand@2x") << "hand@2x.png" << skinart::drawHandCursor(2);
        for (int size : skinart::kAppIconSizes) {
            const QString name = QStringLiteral("icons/velantra-%1.png").arg(size);
            QTest::newRow(qPrintable(name)) << name << skinart::drawAppIcon(size);
        }
    }
    void committedImageMatchesFreshDrawing()
    {
        QFETCH(QString, file);
        QFETCH(QImage, fresh);
        const QString path = QStringLiteral(VELANTRA_SOURCE_DIR "/assets/") + file;
        QImage committed(path);
        QVERIFY2(!committed.isNull(), qPrintable("cannot read " + path));
        QCOMPARE(committed.size(), fresh.size());
        QCOMPARE(committed.hasAlphaChannel(), fresh.hasAlphaChannel());
        committed = committed.convertToFormat(QImage::Format_ARGB32);
        fresh = fresh.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < fresh.height(); ++y) {
            for (int x = 0; x < fresh.width(); ++x) {
                if (!withinRounding(committed.pixel(x, y), fresh.pixel(x, y))) {
                    // Regenerating would copy whatever the drawing code now does into the
                    // committed artwork, a fault included: a person has to decide which is right.
                    QFAIL(qPrintable(QStringLiteral("%1 differs at (%2, %3): committed %4, drawn %5. The "
                                                    "artwork generator (tools/skingen) or the committed "
                                                    "artwork has changed: check which is right before "
                                                    "writing the artwork anew")
                                         .arg(file).arg(x).arg(y)
                                         .arg(hex(committed.pixel(x, y)), hex(fresh.pixel(x, y)))));
                }
            }
        }
    }

    void frameColours_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QRgb>("colour");
        for (int scale : {1, 2}) {
            auto row = [&](const char *what, int x, int y, QRgb c) {
                QTest::addRow("%s (%d,%d) scale %d", what, x, y, scale) << scale << QPoint(x, y) << c;
            };
            // frameLeftEdge and the start window's top band, from the outside in.
            for (int x = 0; x < 20; ++x)
                row("left edge", x, 265, x < 15 ? kOuterMargin
                                       : x == 15 ? kLineOuterDark
                                       : x == 16 ? kLineInnerDark : kInnerColour);
            for (int y = 0; y < 97; ++y)
                row("start top band", 225, y, y < 23 ? kOuterMargin
                                            : y == 23 ? kLineOuterDark
                                            : y == 24 ? kLineInnerDark : kInnerColour);
            // frameRightEdge and frameBottomEdge, from the inside out.
            for (int x = 1260; x < 1280; ++x)
                row("right edge", x, 265, x < 1264 ? kInnerColour : x == 1264 ? kLineLight : kOuterMargin);
            for (int y = 780; y < 800; ++y)
                row("bottom edge", 55, y, y < 784 ? kInnerColour : y == 784 ? kLineLight : kOuterMargin);
            // The header's top strip matches the start window's top band.
            for (int y = 97; y < 122; ++y)
                row("open top band", 405, y, y < 120 ? kOuterMargin : y == 120 ? kLineOuterDark : kLineInnerDark);
            for (int y = 150; y < 194; ++y)
                row("open top band below the band", 405, y, kInnerColour);
            // The lines round their corners, leaving margin where they would meet.
            row("top-left corner", 15, 23, kOuterMargin);
            row("top-right corner", 1264, 23, kOuterMargin);
            row("bottom-left corner", 15, 784, kOuterMargin);
            row("bottom-right corner", 1264, 784, kOuterMargin);
            row("header top-left corner", 210, 120, kOuterMargin);
            row("header top-right corner", 436, 120, kOuterMargin);
            row("header right line", 436, 160, kLineLight);
            row("header right margin", 437, 160, kOuterMargin);
        }
    }
    void frameColours()
    {
        QFETCH(int, scale);
        QFETCH(QPoint, at);
        QFETCH(QRgb, colour);
        QString found;
        QVERIFY2(blockIs(tpl(scale), scale, at.x(), at.y(), colour, &found),
                 qPrintable(QStringLiteral("expected %1, found %2").arg(hex(colour), found)));
    }

    void edgeTileIsUniformAlongItsRun_data()
    {
        QTest::addColumn<QRect>("region");
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("startTopBand") << startTopBand.rect() << true;
        QTest::newRow("openTopBand") << openTopBand.rect() << true;
        QTest::newRow("exerciseTopBand") << exerciseTopBand.rect() << true;
        QTest::newRow("frameBottomEdge") << frameBottomEdge(kTemplateHeight).rect() << true;
        QTest::newRow("frameLeftEdge") << frameLeftEdge().rect() << false;
        QTest::newRow("frameRightEdge") << frameRightEdge(kTemplateWidth).rect() << false;
        QTest::newRow("panelEdgeTop") << panelEdgeTop.rect() << true;
        QTest::newRow("panelEdgeBottom") << panelEdgeBottom.rect() << true;
        QTest::newRow("panelEdgeLeft") << panelEdgeLeft.rect() << false;
        QTest::newRow("panelEdgeRight") << panelEdgeRight.rect() << false;
        // The whole body span of each bar, not only the slice that is copied.
        QTest::newRow("button body normal") << QRect(90, kButtonRowNormal, 138, 50) << true;
        QTest::newRow("button body hover") << QRect(90, kButtonRowHover, 138, 50) << true;
        QTest::newRow("button body pressed") << QRect(90, kButtonRowPressed, 138, 50) << true;
        // The panel sample's straight runs between its corners.
        QTest::newRow("panel sample top run") << QRect(554, 282, 96, 4) << true;
        QTest::newRow("panel sample left run") << QRect(544, 292, 4, 67) << false;
    }
    void edgeTileIsUniformAlongItsRun()
    {
        QFETCH(QRect, region);
        QFETCH(bool, horizontal);
        for (int scale : {1, 2}) {
            const QImage &img = tpl(scale);
            const QRect r(region.topLeft() * scale, region.size() * scale);
            const int runs = horizontal ? r.width() : r.height();
            const int across = horizontal ? r.height() : r.width();
            for (int i = 1; i < runs; ++i) {
                for (int j = 0; j < across; ++j) {
                    const QPoint first = horizontal ? QPoint(r.left(), r.top() + j) : QPoint(r.left() + j, r.top());
                    const QPoint other = horizontal ? QPoint(r.left() + i, r.top() + j) : QPoint(r.left() + j, r.top() + i);
                    if (img.pixel(first) != img.pixel(other))
                        QFAIL(qPrintable(QStringLiteral("scale %1: device pixel (%2,%3) differs from (%4,%5)")
                                             .arg(scale).arg(other.x()).arg(other.y())
                                             .arg(first.x()).arg(first.y())));
                }
            }
        }
    }

    // Where a corner or end piece is copied next to an edge tile, its outer lines
    // must be that tile's lines, or the frame shows a step.
    void pieceMeetsEdgeTile_data()
    {
        QTest::addColumn<QRect>("piece");
        QTest::addColumn<QRect>("edgeLine");   // one row or one column of the tile
        QTest::newRow("start top-left corner, top band") << QRect(40, 0, 10, 50) << QRect(220, 0, 1, 50);
        QTest::newRow("start top-left corner, left edge") << QRect(0, 40, 20, 10) << QRect(0, 260, 20, 1);
        QTest::newRow("start top-right corner, top band") << QRect(1250, 0, 4, 60) << QRect(220, 0, 1, 60);
        QTest::newRow("start top-right corner, right edge") << QRect(1260, 40, 20, 20) << QRect(1260, 260, 20, 1);
        QTest::newRow("bottom-left corner, left edge") << QRect(0, 760, 20, 10) << QRect(0, 260, 20, 1);
        QTest::newRow("bottom-left corner, bottom edge") << QRect(30, 780, 10, 20) << QRect(50, 780, 1, 20);
        QTest::newRow("bottom-right corner, right edge") << QRect(1260, 760, 20, 10) << QRect(1260, 260, 20, 1);
        QTest::newRow("bottom-right corner, bottom edge") << QRect(1240, 780, 10, 20) << QRect(50, 780, 1, 20);
        QTest::newRow("open header left, band") << QRect(370, 97, 20, 97) << QRect(400, 97, 1, 97);
        QTest::newRow("exercise header left, band") << QRect(370, 122, 25, 72) << QRect(400, 122, 1, 72);
        QTest::newRow("open header right, band") << QRect(422, 97, 4, 97) << QRect(400, 97, 1, 97);
        QTest::newRow("exercise header right, band") << QRect(422, 122, 4, 46) << QRect(400, 122, 1, 46);
        QTest::newRow("header left, left frame lines") << QRect(195, 131, 17, 63) << QRect(0, 260, 17, 1);
        QTest::newRow("header left, left edge below the tab") << QRect(195, 184, 20, 10) << QRect(0, 260, 20, 1);
        QTest::newRow("header right, right edge below the band") << QRect(432, 150, 20, 44) << QRect(1260, 260, 20, 1);
        QTest::newRow("button left caps, body") << QRect(81, 593, 7, 150) << QRect(90, 593, 1, 150);
        QTest::newRow("button right caps, body") << QRect(228, 593, 7, 150) << QRect(90, 593, 1, 150);
        QTest::newRow("panel top-left corner, top edge") << QRect(550, 282, 4, 4) << QRect(562, 282, 1, 4);
        QTest::newRow("panel top-left corner, left edge") << QRect(544, 288, 4, 4) << QRect(544, 303, 4, 1);
        QTest::newRow("panel top-right corner, top edge") << QRect(650, 282, 4, 4) << QRect(562, 282, 1, 4);
        QTest::newRow("panel top-right corner, right edge") << QRect(656, 288, 4, 4) << QRect(656, 303, 4, 1);
        QTest::newRow("panel bottom-left corner, bottom edge") << QRect(550, 365, 4, 4) << QRect(562, 365, 1, 4);
        QTest::newRow("panel bottom-left corner, left edge") << QRect(544, 359, 4, 4) << QRect(544, 303, 4, 1);
        QTest::newRow("panel bottom-right corner, bottom edge") << QRect(650, 365, 4, 4) << QRect(562, 365, 1, 4);
        QTest::newRow("panel bottom-right corner, right edge") << QRect(656, 359, 4, 4) << QRect(656, 303, 4, 1);
    }
    void pieceMeetsEdgeTile()
    {
        QFETCH(QRect, piece);
        QFETCH(QRect, edgeLine);
        const bool columns = edgeLine.width() == 1;
        QCOMPARE(columns ? piece.height() : piece.width(), columns ? edgeLine.height() : edgeLine.width());
        for (int scale : {1, 2}) {
            const QImage &img = tpl(scale);
            for (int y = piece.top() * scale; y <= (piece.bottom() + 1) * scale - 1; ++y) {
                for (int x = piece.left() * scale; x <= (piece.right() + 1) * scale - 1; ++x) {
                    const QPoint ref = columns ? QPoint(edgeLine.left() * scale, y - piece.top() * scale + edgeLine.top() * scale)
                                               : QPoint(x - piece.left() * scale + edgeLine.left() * scale, edgeLine.top() * scale);
                    if (img.pixel(x, y) != img.pixel(ref))
                        QFAIL(qPrintable(QStringLiteral("scale %1: (%2,%3) is %4, tile has %5")
                                             .arg(scale).arg(x).arg(y)
                                             .arg(hex(img.pixel(x, y)), hex(img.pixel(ref)))));
                }
            }
        }
    }

    void raisedBandStandsOut_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("sign");   // +1 lighter than the inner colour, -1 darker
        for (int y = 122; y < 148; ++y)
            QTest::addRow("band row %d", y) << y << 1;
        QTest::newRow("outline row 148") << 148 << -1;
        QTest::newRow("outline row 149") << 149 << -1;
    }
    void raisedBandStandsOut()
    {
        QFETCH(int, row);
        QFETCH(int, sign);
        const int inner = luminance(kInnerColour);
        const int found = luminance(tpl(1).pixel(405, row));
        QVERIFY2(sign * (found - inner) > 4, qPrintable(QStringLiteral("grey %1 vs inner %2").arg(found).arg(inner)));
    }

    // The start window shows header rows 97..121 and the exercise window, 25 pixels
    // lower, continues from row 122: together they must show the whole open header.
    void headerJoinsAcrossTheTwoWindows_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("1280") << 1280;
        QTest::newRow("1024") << 1024;
        QTest::newRow("1285") << 1285;
    }
    void headerJoinsAcrossTheTwoWindows()
    {
        QFETCH(int, width);
        const QImage &t = tpl(1);
        const FrameHeader open{openTopBand, openHeaderLeft, openHeaderRight};
        const FrameHeader exercise{exerciseTopBand, exerciseHeaderLeft, exerciseHeaderRight};
        const QImage whole = paintWindowTop(t, width, 97, open);
        const QImage startStrip = paintWindowTop(t, width, 97, open).copy(0, 0, width, 25);
        const QImage exerciseTop = paintWindowTop(t, width, 72, exercise);
        for (int y = 0; y < 97; ++y) {
            for (int x = 0; x < width; ++x) {
                const QRgb joined = y < 25 ? startStrip.pixel(x, y) : exerciseTop.pixel(x, y - 25);
                if (joined != whole.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("seam at (%1,%2): %3 instead of %4")
                                         .arg(x).arg(y).arg(hex(joined), hex(whole.pixel(x, y)))));
            }
        }
    }

    void captionGlyphCell_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        for (int column : {kGlyphColumnBackdrop, kGlyphColumnMinimise, kGlyphColumnClose})
            for (int row : {GlyphNormal, GlyphHover, GlyphPressed})
                QTest::addRow("column %d row %d", column, row) << column << row;
        QTest::newRow("inactive") << kGlyphColumnInactive << int(GlyphNormal);
    }
    void captionGlyphCell()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        const QRect cell = captionGlyph(column, row).rect();
        for (int scale : {1, 2}) {
            QString found;
            // The strip lies on the window's top margin: the cell's corners show it.
            for (QPoint corner : {cell.topLeft(), cell.topRight(), cell.bottomLeft(), cell.bottomRight()})
                QVERIFY2(blockIs(tpl(scale), scale, corner.x(), corner.y(), kOuterMargin, &found),
                         qPrintable(QStringLiteral("scale %1 corner: %2").arg(scale).arg(found)));
        }
        int ink = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                ink += (tpl(1).pixel(x, y) | 0xFF000000) != kOuterMargin;
        QVERIFY2(ink >= 12, qPrintable(QStringLiteral("only %1 drawn pixels").arg(ink)));
    }

    void pressedGlyphIsDarkerThanHover_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("backdrop") << kGlyphColumnBackdrop;
        QTest::newRow("minimise") << kGlyphColumnMinimise;
        QTest::newRow("close") << kGlyphColumnClose;
    }
    void pressedGlyphIsDarkerThanHover()
    {
        QFETCH(int, column);
        auto mean = [&](int row) {
            const QRect cell = captionGlyph(column, row).rect();
            double sum = 0;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                sum += rowLuminance(tpl(1), y, cell.left(), cell.right() + 1);
            return sum / cell.height();
        };
        QVERIFY(mean(GlyphPressed) + 8 < mean(GlyphHover));
    }

    void buttonBar_data()
    {
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("lightAtTop");
        QTest::newRow("normal") << kButtonRowNormal << true;
        QTest::newRow("hover") << kButtonRowHover << true;
        QTest::newRow("pressed") << kButtonRowPressed << false;
    }
    void buttonBar()
    {
        QFETCH(int, top);
        QFETCH(bool, lightAtTop);
        const int left = kButtonBarX;
        const int right = kButtonBarX + kButtonBarW - 1;
        const int bottom = top + 49;
        for (int scale : {1, 2}) {
            QString found;
            for (QPoint corner : {QPoint(left, top), QPoint(right, top), QPoint(left, bottom), QPoint(right, bottom)})
                QVERIFY2(blockIs(tpl(scale), scale, corner.x(), corner.y(), kButtonCornerColour, &found),
                         qPrintable(QStringLiteral("scale %1 corner (%2,%3): %4")
                                        .arg(scale).arg(corner.x()).arg(corner.y()).arg(found)));
        }
        const double upper = rowLuminance(tpl(1), top + 6, 90, 228);
        const double lower = rowLuminance(tpl(1), top + 42, 90, 228);
        QVERIFY2(lightAtTop ? upper > lower + 20 : lower > upper + 20,
                 qPrintable(QStringLiteral("upper %1, lower %2").arg(upper).arg(lower)));
        // A darker edge closes the bar at the bottom.
        QVERIFY(rowLuminance(tpl(1), top + 49, 90, 228) + 30 < lower);
    }

    void pictureSitsOnInnerColour_data()
    {
        QTest::addColumn<QRect>("region");
        QTest::newRow("startLogo") << startLogo.rect();
        QTest::newRow("startSlogan") << startSlogan.rect();
    }
    void pictureSitsOnInnerColour()
    {
        QFETCH(QRect, region);
        for (int scale : {1, 2}) {
            QString found;
            for (int x = region.left(); x <= region.right(); ++x) {
                QVERIFY2(blockIs(tpl(scale), scale, x, region.top(), kInnerColour, &found), qPrintable(found));
                QVERIFY2(blockIs(tpl(scale), scale, x, region.bottom(), kInnerColour, &found), qPrintable(found));
            }
            for (int y = region.top(); y <= region.bottom(); ++y) {
                QVERIFY2(blockIs(tpl(scale), scale, region.left(), y, kInnerColour, &found), qPrintable(found));
                QVERIFY2(blockIs(tpl(scale), scale, region.right(), y, kInnerColour, &found), qPrintable(found));
            }
        }
        int drawn = 0;
        for (int y = region.top(); y <= region.bottom(); ++y)
            for (int x = region.left(); x <= region.right(); ++x)
                drawn += (tpl(1).pixel(x, y) | 0xFF000000) != kInnerColour;
        QVERIFY2(drawn * 20 > region.width() * region.height(),
                 qPrintable(QStringLiteral("only %1 drawn pixels").arg(drawn)));
    }

    void appIcon_data()
    {
        QTest::addColumn<int>("size");
        for (int size : skinart::kAppIconSizes)
            QTest::addRow("%d", size) << size;
    }
    void appIcon()
    {
        QFETCH(int, size);
        const QImage icon = skinart::drawAppIcon(size);
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
        // A rounded tile: clear outside the bottom-left corner, solid in the middle.
        QCOMPARE(qAlpha(icon.pixel(0, size - 1)), 0);
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
    }

    void handHotSpotIsOnTheFingertip_data()
    {
        QTest::addColumn<int>("scale");
        QTest::newRow("scale 1") << 1;
        QTest::newRow("scale 2") << 2;
    }
    void handHotSpotIsOnTheFingertip()
    {
        QFETCH(int, scale);
        const QImage hand = skinart::drawHandCursor(scale);
        // A 32-pixel pointer whose fingertip is 12 pixels in, on the second row.
        QCOMPARE(hand.size(), QSize(32, 32) * scale);
        const QPoint hot = QPoint(12, 1) * scale;
        QCOMPARE(skinart::kHandHotSpot, QPoint(12, 1));
        QVERIFY(qAlpha(hand.pixel(hot)) > 200);
        // Nothing beside the tip on the same row: the finger is the topmost part.
        QCOMPARE(qAlpha(hand.pixel(hot.x() - 4 * scale, hot.y())), 0);
        QCOMPARE(qAlpha(hand.pixel(hot.x() + 4 * scale, hot.y())), 0);
        for (int x = 0; x < hand.width(); ++x)
            QCOMPARE(qAlpha(hand.pixel(x, hand.height() - 1)), 0);
    }
};

QTEST_MAIN(TestSkinArt)
#include "tst_skinart.moc"
