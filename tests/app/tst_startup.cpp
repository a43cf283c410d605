// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "app/App.h"
#include "ui/exercise/QuestionGrid.h"

#include <QApplication>
#include <QRadioButton>
#include <QTest>

#include <memory>

// The program's start: the screen check, the fitting of the start window to the
// screen, and the state the start window leaves behind. The screen is simulated, so
// every size runs in this one process.
class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { world_.reset(); }

    void fitsTheScreen_data();
    void fitsTheScreen();
    void refusesALowScreen_data();
    void refusesALowScreen();
    void startedMinimisedOpensNormal();
    void selectsCompetitionMode();
    void startOpensTheWindowMadeReady_data();
    void startOpensTheWindowMadeReady();

private:
    static QList<QWidget *> shownWindows();

    std::unique_ptr<TestWorld> world_;
};

QList<QWidget *> TestStartup::shownWindows()
{
    QList<QWidget *> shown;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown << w;
    return shown;
}

void TestStartup::fitsTheScreen_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");   // pixels, at the top left corner
    QTest::addColumn<QSizeF>("twips");   // the same, 15 twips to a pixel at 96 dpi

    QTest::newRow("768 high: whole screen") << QSize(1024, 768) << QSize(1024, 768) << QSizeF(15360, 11520);
    QTest::newRow("799 high: whole screen") << QSize(1280, 799) << QSize(1280, 799) << QSizeF(19200, 11985);
    QTest::newRow("799 high, wide: whole screen")
        << QSize(1600, 799) << QSize(1600, 799) << QSizeF(24000, 11985);
    QTest::newRow("800 high") << QSize(1280, 800) << QSize(1280, 800) << QSizeF(19200, 12000);
    QTest::newRow("2160 high") << QSize(3840, 2160) << QSize(1280, 800) << QSizeF(19200, 12000);
    // A screen narrower than the template gives the window its width, as a low screen
    // gives it its height, so no part of the window lies off the screen.
    QTest::newRow("800 high, 1024 wide") << QSize(1024, 800) << QSize(1024, 800) << QSizeF(15360, 12000);
    QTest::newRow("1152 x 864") << QSize(1152, 864) << QSize(1152, 800) << QSizeF(17280, 12000);
    QTest::newRow("portrait 1080 x 1920") << QSize(1080, 1920) << QSize(1080, 800) << QSizeF(16200, 12000);
    QTest::newRow("portrait 1200 x 1920") << QSize(1200, 1920) << QSize(1200, 800) << QSizeF(18000, 12000);
    QTest::newRow("1279 x 800") << QSize(1279, 800) << QSize(1279, 800) << QSizeF(19185, 12000);
}

void TestStartup::fitsTheScreen()
{
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QFETCH(QSizeF, twips);

    world_ = std::make_unique<TestWorld>(screen.width(), screen.height());
    QVERIFY(app::startUp());

    const StartWindow &main = windows::frmMain();
    QVERIFY(world_->messages.isEmpty());
    QCOMPARE(world_->ends, 0);
    QVERIFY(main.isVisible());
    QCOMPARE(main.Left(), 0.0);
    QCOMPARE(main.Top(), 0.0);
    QCOMPARE(main.Width(), twips.width());
    QCOMPARE(main.Height(), twips.height());
    QCOMPARE(main.geometry(), QRect(QPoint(0, 0), window));
    QCOMPARE(shownWindows(), QList<QWidget *>{const_cast<StartWindow *>(&main)});
}

void TestStartup::refusesALowScreen_data()
{
    QTest::addColumn<QSize>("screen");

    QTest::newRow("1024 x 767") << QSize(1024, 767);
    QTest::newRow("1920 x 767") << QSize(1920, 767);
    QTest::newRow("1280 x 600") << QSize(1280, 600);
    // Below 1024 pixels wide the window would not fit either, however high the screen.
    QTest::newRow("1023 x 768") << QSize(1023, 768);
    QTest::newRow("portrait 800 x 1280") << QSize(800, 1280);
    QTest::newRow("portrait 768 x 1024") << QSize(768, 1024);
}

void TestStartup::refusesALowScreen()
{
    QFETCH(QSize, screen);

    world_ = std::make_unique<TestWorld>(screen.width(), screen.height());
    QStringList captions;
    platform::setMessageBoxHook([&](const QString &text, const QString &caption) {
        world_->messages << text;
        captions << caption;
    });
    modMain::exerciseOpen = 1;

    // The whole start: the program ends before its event loop would run.
    QCOMPARE(app::run(*qApp), 0);

    QCOMPARE(world_->messages, QStringList{"Minimum secreen resolution must be 1024x768"});
    QCOMPARE(captions, QStringList{platform::programTitle()});
    QCOMPARE(world_->ends, 1);
    QVERIFY(platform::endRequested());
    QVERIFY(shownWindows().isEmpty());
    QVERIFY(!windows::loadedExerciseWindow());
    // No step after the check ran.
    QCOMPARE(modMain::exerciseOpen, 1);
}

void TestStartup::startedMinimisedOpensNormal()
{
    world_ = std::make_unique<TestWorld>();
    platform::setInitialWindowState(ShownState::Minimized);

    QVERIFY(app::startUp());

    StartWindow &main = windows::frmMain();
    QCOMPARE(int(main.WindowState()), 0);
    QVERIFY(!main.isMinimized());
    QVERIFY(main.isVisible());
    QCOMPARE(main.geometry(), QRect(0, 0, 1280, 800));
}

void TestStartup::selectsCompetitionMode()
{
    world_ = std::make_unique<TestWorld>();
    modMain::competitionMode = false;
    modMain::exerciseOpen = 1;

    QVERIFY(app::startUp());

    StartWindow &main = windows::frmMain();
    QVERIFY((*main.optMode[1])->isChecked());
    QVERIFY(!(*main.optMode[0])->isChecked());
    QCOMPARE(modMain::competitionMode, true);
    QCOMPARE(modMain::exerciseOpen, 0);
    QVERIFY(!windows::loadedExerciseWindow());

    // The other option switches the mode, and back.
    QTest::mouseClick((*main.optMode[0]).get(), Qt::LeftButton);
    QCOMPARE(modMain::competitionMode, false);
    QTest::mouseClick((*main.optMode[1]).get(), Qt::LeftButton);
    QCOMPARE(modMain::competitionMode, true);
}

// While the start window waits, the exercise window is made ready unseen; START opens
// that one, loaded then, in the mode chosen meanwhile, and again after Back.
void TestStartup::startOpensTheWindowMadeReady_data()
{
    QTest::addColumn<bool>("competition");
    QTest::addColumn<int>("digitsShown");
    QTest::newRow("Show Mode") << false << 100;
    QTest::newRow("Competition Mode") << true << 0;
}

void TestStartup::startOpensTheWindowMadeReady()
{
    QFETCH(bool, competition);
    QFETCH(int, digitsShown);
    world_ = std::make_unique<TestWorld>();
    QVERIFY(app::startUp());
    StartWindow &main = windows::frmMain();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    for (int opened = 0; opened < 2; ++opened) {
        QTRY_VERIFY(unseenExerciseWindow());
        ExerciseWindow *ready = unseenExerciseWindow();
        QCOMPARE(shownWindows(), QList<QWidget *>{&main});
        QVERIFY(!windows::loadedExerciseWindow());
        QCOMPARE(modMain::exerciseOpen, 0);

        QTest::mouseClick((*main.optMode[competition ? 1 : 0]).get(), Qt::LeftButton);
        QTest::mouseClick(main.btnStart.get(), Qt::LeftButton);
        ExerciseWindow *exercise = windows::loadedExerciseWindow();
        QCOMPARE(exercise, ready);
        QVERIFY(exercise->isVisible());
        QCOMPARE(exercise->geometry(), QRect(0, 25, 1280, 775));
        QVERIFY(QTest::qWaitForWindowExposed(exercise));
        int digits = 0;
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 10; ++c) {
                const QString text = exercise->gSoru->textMatrix(r, c);
                digits += text.size() == 1 && text >= QLatin1String("1") && text <= QLatin1String("9") ? 1 : 0;
            }
        QCOMPARE(digits, digitsShown);
        QVERIFY(exercise->btnKaristir->hasFocus());

        exercise->btnBack_Click();
        QVERIFY(!windows::loadedExerciseWindow());
        TestWorld::flushDeletes();
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
