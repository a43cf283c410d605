// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own skin template copies exactly the pixels of assets/skin.png, whether
// a rectangle lies in one of the parts cut out at build time or anywhere else.
#include "ui/skin/SkinDraw.h"
#include "ui/skin/SkinTemplate.h"
#include "ui/skin/Surface.h"

#include <QApplication>
#include <QTest>

class TestSkinTemplate : public QObject {
    Q_OBJECT

private slots:
    void copiesThePixelsOfTheTemplateImage_data();
    void copiesThePixelsOfTheTemplateImage();
    void hasTheTemplateSize();
};

void TestSkinTemplate::copiesThePixelsOfTheTemplateImage_data()
{
    QTest::addColumn<QRect>("source");
    // Regions at their template coordinates, one of each kind, and rectangles that no
    // painter reads.
    QTest::newRow("logo") << QRect(68, 241, 435, 300);
    QTest::newRow("slogan") << QRect(728, 241, 436, 45);
    QTest::newRow("start top-right corner") << QRect(1250, 0, 30, 60);
    QTest::newRow("exercise header left") << QRect(195, 122, 200, 72);
    QTest::newRow("open header right") << QRect(422, 97, 30, 97);
    QTest::newRow("bottom edge") << QRect(50, 780, 10, 20);
    QTest::newRow("right edge") << QRect(1260, 260, 20, 10);
    QTest::newRow("bottom-right corner") << QRect(1240, 760, 40, 40);
    QTest::newRow("close glyph, pressed") << QRect(157, 209, 17, 15);
    QTest::newRow("inactive glyph") << QRect(174, 179, 17, 15);
    QTest::newRow("Back bar right cap, hover") << QRect(228, 643, 20, 50);
    QTest::newRow("panel corner bottom-right") << QRect(650, 359, 10, 10);
    QTest::newRow("outside every region") << QRect(700, 600, 50, 50);
    QTest::newRow("across a region's edge") << QRect(60, 230, 40, 40);
    QTest::newRow("whole template") << QRect(0, 0, 1280, 800);
}

void TestSkinTemplate::copiesThePixelsOfTheTemplateImage()
{
    QFETCH(QRect, source);
    const QImage expected = QImage(QStringLiteral(":/assets/skin.png")).convertToFormat(QImage::Format_RGB32).copy(source);
    QVERIFY(!expected.isNull());

    SkinTemplate programTemplate;
    programTemplate.makeCurrent();
    Surface target;
    target.setImageRatio(1);
    target.resize(source.size());
    target.setAutoRedraw(true);
    copyFromTemplate(target, 0, 0, source.width(), source.height(), source.x(), source.y());
    const QImage copied = target.persistentImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(copied.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (copied.pixel(x, y) != expected.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2 differs").arg(x).arg(y)));
}

void TestSkinTemplate::hasTheTemplateSize()
{
    const SkinTemplate programTemplate;
    QCOMPARE(programTemplate.ScaleWidth(), 1280);
    QCOMPARE(programTemplate.ScaleHeight(), 800);
}

QTEST_MAIN(TestSkinTemplate)
#include "tst_skintemplate.moc"
