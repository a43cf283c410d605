// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Display.h"
#include "app/ScreenFit.h"

#include <QTest>

// The arithmetic of fitting the program to a screen, and the choice of the platform and
// the words when no display opens: no window is made.
class TestScreenFit : public QObject {
    Q_OBJECT

private slots:
    void fits_data();
    void fits();
    void startWindowSize_data();
    void startWindowSize();
    void startWindowPlace_data();
    void startWindowPlace();
    void deviceRatio_data();
    void deviceRatio();
    void platformList_data();
    void platformList();
    void cannotOpenMessage_data();
    void cannotOpenMessage();
};

void TestScreenFit::fits_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("fits");

    QTest::newRow("1024 x 768") << QSize(1024, 768) << true;
    QTest::newRow("1023 x 768") << QSize(1023, 768) << false;
    QTest::newRow("1024 x 767") << QSize(1024, 767) << false;
    QTest::newRow("1280 x 720, Full HD at 150 %") << QSize(1280, 720) << false;
    QTest::newRow("800 x 1280 portrait") << QSize(800, 1280) << false;
    QTest::newRow("1080 x 1920 portrait") << QSize(1080, 1920) << true;
    QTest::newRow("3840 x 2160") << QSize(3840, 2160) << true;
}

void TestScreenFit::fits()
{
    QFETCH(QSize, screen);
    QFETCH(bool, fits);
    QCOMPARE(screenFit::fits(screen), fits);
}

void TestScreenFit::startWindowSize_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");

    QTest::newRow("1024 x 768: whole screen") << QSize(1024, 768) << QSize(1024, 768);
    QTest::newRow("1600 x 799: whole screen") << QSize(1600, 799) << QSize(1600, 799);
    QTest::newRow("1280 x 800") << QSize(1280, 800) << QSize(1280, 800);
    QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QSize(1280, 800);
    QTest::newRow("1024 x 800: screen's width") << QSize(1024, 800) << QSize(1024, 800);
    QTest::newRow("1152 x 864: screen's width") << QSize(1152, 864) << QSize(1152, 800);
    QTest::newRow("1080 x 1920: screen's width") << QSize(1080, 1920) << QSize(1080, 800);
    QTest::newRow("1279 x 2000") << QSize(1279, 2000) << QSize(1279, 800);
}

void TestScreenFit::startWindowSize()
{
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QCOMPARE(screenFit::startWindowSize(screen), window);
}

void TestScreenFit::startWindowPlace_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QRect>("freeArea");   // null: the window manager tells none
    QTest::addColumn<QRect>("window");

    QTest::newRow("1280 x 800, no panel") << QSize(1280, 800) << QRect(0, 0, 1280, 800) << QRect(0, 0, 1280, 800);
    QTest::newRow("1280 x 800, 28 at the top") << QSize(1280, 800) << QRect(0, 28, 1280, 772)
                                                << QRect(0, 28, 1280, 772);
    QTest::newRow("1280 x 800, 28 at the bottom") << QSize(1280, 800) << QRect(0, 0, 1280, 772)
                                                   << QRect(0, 0, 1280, 772);
    QTest::newRow("1366 x 768, 28 at the top") << QSize(1366, 768) << QRect(0, 28, 1366, 740)
                                                << QRect(0, 28, 1366, 740);
    QTest::newRow("1024 x 768, 24 at the bottom") << QSize(1024, 768) << QRect(0, 0, 1024, 744)
                                                   << QRect(0, 0, 1024, 744);
    QTest::newRow("1920 x 1080, 28 at the top: template size") << QSize(1920, 1080) << QRect(0, 28, 1920, 1052)
                                                                << QRect(0, 28, 1280, 800);
    QTest::newRow("1920 x 1080, 48 at the left") << QSize(1920, 1080) << QRect(48, 0, 1872, 1080)
                                                  << QRect(48, 0, 1280, 800);
    QTest::newRow("1280 x 1024, 30 at the left: area's width") << QSize(1280, 1024) << QRect(30, 0, 1250, 1024)
                                                                << QRect(30, 0, 1250, 800);
    QTest::newRow("no free area told: whole screen") << QSize(1280, 800) << QRect() << QRect(0, 0, 1280, 800);
    QTest::newRow("an area off the screen: whole screen") << QSize(1280, 800) << QRect(2000, 0, 100, 100)
                                                           << QRect(0, 0, 1280, 800);
    QTest::newRow("an area larger than the screen: the screen") << QSize(1280, 800) << QRect(-10, -10, 1400, 900)
                                                                 << QRect(0, 0, 1280, 800);
}

void TestScreenFit::startWindowPlace()
{
    QFETCH(QSize, screen);
    QFETCH(QRect, freeArea);
    QFETCH(QRect, window);
    const std::optional<QRect> told = freeArea.isNull() ? std::nullopt : std::optional<QRect>(freeArea);
    QCOMPARE(screenFit::startWindowPlace(QRect(QPoint(0, 0), screen), told), window);
}

void TestScreenFit::deviceRatio_data()
{
    QTest::addColumn<QSize>("physical");
    QTest::addColumn<double>("requested");
    QTest::addColumn<int>("ratio");

    // At ratio 2 the program needs 2048 x 1536 device pixels.
    QTest::newRow("1920 x 1080 at 100 %") << QSize(1920, 1080) << 1.0 << 1;
    QTest::newRow("1920 x 1080 at 125 %") << QSize(1920, 1080) << 1.25 << 1;
    QTest::newRow("1920 x 1080 at 150 %") << QSize(1920, 1080) << 1.5 << 1;
    QTest::newRow("1920 x 1080 at 175 %") << QSize(1920, 1080) << 1.75 << 1;
    QTest::newRow("1920 x 1080 at 200 %") << QSize(1920, 1080) << 2.0 << 1;
    QTest::newRow("2560 x 1440 at 200 %") << QSize(2560, 1440) << 2.0 << 1;
    QTest::newRow("3840 x 2160 at 100 %") << QSize(3840, 2160) << 1.0 << 1;
    QTest::newRow("3840 x 2160 at 125 %") << QSize(3840, 2160) << 1.25 << 1;
    QTest::newRow("3840 x 2160 at 150 %") << QSize(3840, 2160) << 1.5 << 2;
    QTest::newRow("3840 x 2160 at 175 %") << QSize(3840, 2160) << 1.75 << 2;
    QTest::newRow("3840 x 2160 at 200 %") << QSize(3840, 2160) << 2.0 << 2;
    QTest::newRow("2048 x 1536 at 200 %: just fits") << QSize(2048, 1536) << 2.0 << 2;
    QTest::newRow("2047 x 1536 at 200 %") << QSize(2047, 1536) << 2.0 << 1;
    QTest::newRow("2048 x 1535 at 200 %") << QSize(2048, 1535) << 2.0 << 1;
    QTest::newRow("portrait 2160 x 3840 at 200 %") << QSize(2160, 3840) << 2.0 << 2;
    QTest::newRow("portrait 1080 x 1920 at 200 %") << QSize(1080, 1920) << 2.0 << 1;
    // The skin exists at scale 1 and 2 only.
    QTest::newRow("7680 x 4320 at 300 %") << QSize(7680, 4320) << 3.0 << 2;
    QTest::newRow("7680 x 4320 at 250 %") << QSize(7680, 4320) << 2.5 << 2;
    QTest::newRow("below 100 %") << QSize(1920, 1080) << 0.75 << 1;
    // No ratio fits: the screen check refuses the screen at ratio 1.
    QTest::newRow("800 x 600 at 200 %") << QSize(800, 600) << 2.0 << 1;
}

void TestScreenFit::deviceRatio()
{
    QFETCH(QSize, physical);
    QFETCH(double, requested);
    QFETCH(int, ratio);
    QCOMPARE(screenFit::deviceRatio(physical, requested), ratio);
}

void TestScreenFit::platformList_data()
{
    QTest::addColumn<QByteArray>("chosen");
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<QByteArray>("list");

    QTest::newRow("X11 session") << QByteArray() << false << QByteArray("xcb;minimal");
    QTest::newRow("Wayland session: X11 first") << QByteArray() << true << QByteArray("xcb;wayland;minimal");
    QTest::newRow("user's choice kept") << QByteArray("wayland") << true << QByteArray("wayland;minimal");
    QTest::newRow("user's list with options") << QByteArray("xcb:nograb;offscreen") << false
                                              << QByteArray("xcb:nograb;offscreen;minimal");
    QTest::newRow("user chose the last resort") << QByteArray("minimal") << false << QByteArray("minimal");
}

void TestScreenFit::platformList()
{
    QFETCH(QByteArray, chosen);
    QFETCH(bool, wayland);
    QFETCH(QByteArray, list);
    QCOMPARE(display::platformList(chosen, wayland), list);
}

void TestScreenFit::cannotOpenMessage_data()
{
    QTest::addColumn<QByteArray>("platforms");
    QTest::addColumn<QString>("x11");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("line");

    QTest::newRow("dead display") << QByteArray("xcb;minimal") << ":55" << ""
                                  << "speed-velantra: cannot open the X display \":55\"";
    QTest::newRow("no DISPLAY") << QByteArray("xcb;minimal") << "" << ""
                                << "speed-velantra: cannot open an X display (DISPLAY is not set)";
    QTest::newRow("Wayland session")
        << QByteArray("xcb;wayland;minimal") << ":1" << "wayland-0"
        << "speed-velantra: cannot open the X display \":1\" nor the Wayland display \"wayland-0\"";
    QTest::newRow("user's platform") << QByteArray("eglfs;minimal") << ":0" << ""
                                     << "speed-velantra: cannot open the \"eglfs\" platform";
}

void TestScreenFit::cannotOpenMessage()
{
    QFETCH(QByteArray, platforms);
    QFETCH(QString, x11);
    QFETCH(QString, wayland);
    QFETCH(QString, line);
    QCOMPARE(display::cannotOpenMessage(QStringLiteral("speed-velantra"), platforms, x11, wayland), line);
    QVERIFY(!line.contains(QLatin1Char('\n')));
}

QTEST_GUILESS_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
