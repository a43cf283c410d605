// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TimeText.h"

#include <QLocale>
#include <QTest>

// The time texts of the running box and of the attempt record, in a locale with a
// decimal comma (the colon replaces it) and in one with a decimal point (it stays).
class TestTimeText : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void texts_data();
    void texts();
    void followsDefaultLocale_data();
    void followsDefaultLocale();
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void neverShowsSixtySeconds_data();
    void neverShowsSixtySeconds();
};

void TestTimeText::texts_data()
{
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("formatted");
    QTest::addColumn<QString>("running");

    struct Case {
        float seconds;
        const char *commaFormatted, *commaRunning, *pointFormatted, *pointRunning;
    };
    const Case cases[] = {
        {0.0f, "00:00", "0:00:00", "00.00", "0:00.00"},
        {4.44f, "04:44", "0:04:44", "04.44", "0:04.44"},
        {59.99f, "59:99", "0:59:99", "59.99", "0:59.99"},
        {60.0f, "1:00:00", "1:00:00", "1:00.00", "1:00.00"},
        {75.5f, "1:15:50", "1:15:50", "1:15.50", "1:15.50"},
        {119.7f, "1:59:70", "1:59:70", "1:59.70", "1:59.70"},
        {120.0f, "2:00:00", "2:00:00", "2:00.00", "2:00.00"},
        {754.05f, "12:34:05", "12:34:05", "12:34.05", "12:34.05"},
    };
    for (const Case &c : cases) {
        QTest::addRow("%g comma", double(c.seconds))
            << c.seconds << QStringLiteral(",") << QString::fromLatin1(c.commaFormatted)
            << QString::fromLatin1(c.commaRunning);
        QTest::addRow("%g point", double(c.seconds))
            << c.seconds << QStringLiteral(".") << QString::fromLatin1(c.pointFormatted)
            << QString::fromLatin1(c.pointRunning);
    }
}

void TestTimeText::texts()
{
    QFETCH(float, seconds);
    QFETCH(QString, separator);
    QFETCH(QString, formatted);
    QFETCH(QString, running);

    QCOMPARE(timetext::formatTime(seconds, separator), formatted);
    QCOMPARE(timetext::runningText(seconds, separator), running);
}

void TestTimeText::followsDefaultLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("formatted");
    QTest::addColumn<QString>("running");

    QTest::newRow("Turkish") << QLocale(QLocale::Turkish, QLocale::Turkey) << "1:15:50" << "0:04:44";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "1:15:50" << "0:04:44";
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << "1:15.50" << "0:04.44";
    QTest::newRow("C") << QLocale::c() << "1:15.50" << "0:04.44";
}

void TestTimeText::followsDefaultLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, formatted);
    QFETCH(QString, running);

    // No separator passed: the texts read the locale at the time of the call.
    QLocale::setDefault(locale);
    QCOMPARE(timetext::formatTime(75.5f), formatted);
    QCOMPARE(timetext::runningText(4.44f), running);
}

void TestTimeText::roundsHalvesToEven_data()
{
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("formatted");

    // Exact binary fractions, so each sits exactly half-way between two hundredths.
    QTest::newRow("0.125 down") << 0.125f << "00:12";
    QTest::newRow("0.375 up") << 0.375f << "00:38";
    QTest::newRow("0.625 down") << 0.625f << "00:62";
    QTest::newRow("0.875 up") << 0.875f << "00:88";
    QTest::newRow("60.125 down") << 60.125f << "1:00:12";
    QTest::newRow("60.375 up") << 60.375f << "1:00:38";
}

void TestTimeText::roundsHalvesToEven()
{
    QFETCH(float, seconds);
    QFETCH(QString, formatted);

    QCOMPARE(timetext::formatTime(seconds, QStringLiteral(",")), formatted);
}

void TestTimeText::neverShowsSixtySeconds_data()
{
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("formatted");
    QTest::addColumn<QString>("running");

    // An average of three readings need not be whole hundredths; rounding must carry
    // into the minutes instead of showing 60 seconds.
    QTest::newRow("59.999") << 59.999f << "1:00:00" << "1:00:00";
    QTest::newRow("119.996") << 119.996f << "2:00:00" << "2:00:00";
    QTest::newRow("59.994") << 59.994f << "59:99" << "0:59:99";
}

void TestTimeText::neverShowsSixtySeconds()
{
    QFETCH(float, seconds);
    QFETCH(QString, formatted);
    QFETCH(QString, running);

    QCOMPARE(timetext::formatTime(seconds, QStringLiteral(",")), formatted);
    QCOMPARE(timetext::runningText(seconds, QStringLiteral(",")), running);
}

QTEST_APPLESS_MAIN(TestTimeText)
#include "tst_timetext.moc"
