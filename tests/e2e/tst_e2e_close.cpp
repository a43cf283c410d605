// SPDX-License-Identifier: GPL-3.0-or-later
// The real executable, closed through the close cell of its caption strip or by another
// X client destroying its start window, ends with exit code 0.
#include "e2eSupport.h"

#include <QCoreApplication>
#include <QTest>

class TestE2eClose : public QObject {
    Q_OBJECT

private slots:
    void closingEndsProgram_data();
    void closingEndsProgram();
};

void TestE2eClose::closingEndsProgram_data()
{
    QTest::addColumn<bool>("destroyedFromOutside");
    QTest::newRow("close cell of the strip") << false;
    QTest::newRow("start window destroyed by another client") << true;
}

void TestE2eClose::closingEndsProgram()
{
    QFETCH(bool, destroyedFromOutside);
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(VELANTRA_EXECUTABLE), {});
    QVERIFY(program.waitForStarted());

    // The start window, once the window manager shows it.
    const unsigned long id = e2e::windowNamed(QStringLiteral("Tovarin Parlendo"));
    QVERIFY(id != 0);
    QTRY_COMPARE(e2e::xwininfo(id).geometry, QRect(0, 0, 1280, 800));
    QCOMPARE(program.state(), QProcess::Running);

    if (destroyedFromOutside) {
        QVERIFY(e2e::destroyFromOutside(id));
    } else {
        // The strip sits 4 pixels in from the top right corner; its fourth cell is the
        // close button. The pointer arrives first (the cell lights), then the click.
        const QPoint closeCell(1280 - 4 - 68 + 51 + 8, 4 + 7);
        QVERIFY(e2e::moveTo(closeCell + QPoint(0, 40)));
        QVERIFY(e2e::clickAt(closeCell));
    }

    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(!e2e::xwininfo(id).found);
}

QTEST_GUILESS_MAIN(TestE2eClose)
#include "tst_e2e_close.moc"
