// SPDX-License-Identifier: GPL-3.0-or-later
// START and then Back with real pointer events on a real X server: the exercise window
// goes away and the start view comes back. Only the title and the pictures placed by its
// height differ from the first start view: the open view leaves the face set to Arial.
#include "e2eSupport.h"

#include "app/App.h"
#include "app/WindowRegistry.h"
#include "app/StartWindow.h"
#include "app/ExerciseWindow.h"
#include "app/SharedState.h"
#include "ui/skin/SkinButton.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QScreen>
#include <QTest>

namespace {

// Rows of the screenshots that differ.
QList<int> differingRows(const QImage &a, const QImage &b)
{
    QList<int> rows;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                rows << y;
                break;
            }
    return rows;
}

// The screen once it shows the window's own picture, nothing in front of it and nothing
// still being drawn; waits up to ten seconds, then returns what the screen shows.
QImage settledScreen(QWidget &window)
{
    QDeadlineTimer deadline(10000);
    for (;;) {
        QGuiApplication::sync();
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage()
                                  .convertToFormat(QImage::Format_RGB32).copy(0, 0, 1280, 800);
        const QImage own = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (differingRows(screen, own).isEmpty() || deadline.hasExpired())
            return screen;
        QTest::qWait(20);
    }
}

} // namespace

class TestE2eBack : public QObject {
    Q_OBJECT
private slots:
    void startThenBackReturnsToTheStartView()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY(app::startUp());
        StartWindow &main = *windows::loadedStartWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        const QImage before = settledScreen(main);

        QVERIFY(e2e::clickAt(main.btnStart->mapToGlobal(main.btnStart->rect().center())));
        QTRY_VERIFY(windows::loadedExerciseWindow() && windows::loadedExerciseWindow()->isVisible());
        ExerciseWindow &exercise = *windows::loadedExerciseWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&exercise));
        QCOMPARE(modMain::exerciseOpen, 1);

        // The pointer comes onto the button (hover, capture), then presses and releases.
        const QPoint back = exercise.btnBack->mapToGlobal(exercise.btnBack->rect().center());
        QVERIFY(e2e::moveTo(back - QPoint(30, 0)));
        QTRY_COMPARE(exercise.btnBackHot(), 1);
        QVERIFY(e2e::clickAt(back));
        QTRY_VERIFY(!windows::loadedExerciseWindow());
        QCOMPARE(modMain::exerciseOpen, 0);

        const QImage after = settledScreen(main);
        QVERIFY(after.save(QStringLiteral("e2e-back.png")));
        // What the screen shows is the start window's own start view, nothing in front.
        const QImage own = main.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(differingRows(after, own).isEmpty());
        // The frame, the strip, the mode choice and START are as before; the title line and
        // the slogan and logo below it (placed by the title's height) changed.
        const QList<int> rows = differingRows(before, after);
        QVERIFY2(!rows.isEmpty(), "the title should be drawn in Arial after the open view");
        QVERIFY2(rows.first() >= 75 && rows.last() < 75 + 500,
                 qPrintable(QStringLiteral("rows %1 to %2 differ").arg(rows.first()).arg(rows.last())));

        windows::Unload(main);
        QVERIFY(windows::loaded().isEmpty());
    }
};

QTEST_MAIN(TestE2eBack)
#include "tst_e2e_back.moc"
