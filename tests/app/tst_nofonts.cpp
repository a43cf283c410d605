// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "app/App.h"

#include <QFontInfo>
#include <QTest>

#include <memory>

// A machine whose font configuration offers no font, and no Tahoma outside it either:
// the program says so and shows its windows with the toolkit's stand-in glyphs.
class TestNoFonts : public QObject {
    Q_OBJECT

private slots:
    void windowsPaintWithoutAnyFont();
};

void TestNoFonts::windowsPaintWithoutAnyFont()
{
    QVERIFY2(QFontInfo(QFont()).family().isEmpty(), "the test's font configuration should offer no font");
    TestWorld world(1280, 800);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(QStringLiteral("^No font is installed.*fonts-wine.*fonts-liberation2")));
    QVERIFY(app::startUp());
    StartWindow &main = windows::frmMain();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QImage start = main.grab().toImage();
    QCOMPARE(start.size(), QSize(1280, 800));

    ExerciseWindow &ex = world.openExercise(true);
    QVERIFY(QTest::qWaitForWindowExposed(&ex));
    ex.btnKaristir_Click();
    ex.btnKaristir_Click();
    const QImage exercise = ex.grab().toImage();
    QVERIFY(!exercise.isNull());
}

QTEST_MAIN(TestNoFonts)
#include "tst_nofonts.moc"
