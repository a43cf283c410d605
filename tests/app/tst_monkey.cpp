// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "engine/TimeText.h"
#include "ui/exercise/QuestionGrid.h"
#include "ui/skin/Capture.h"
#include "ui/skin/SkinButton.h"
#include "ui/start/CaptionStrip.h"

#include <QApplication>
#include <QPointer>
#include <QRandomGenerator>
#include <QtTest>

#include <functional>

// Random use of the real program: thousands of clicks, pointer moves with every mouse
// button held, keys and typing, START and Back cycles in both modes, the backdrop and
// minimise, and after every action the invariants of the exercise state table.
// MONKEY_SEED replays a run; MONKEY_ACTIONS sets its length.
class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void randomUseKeepsEveryInvariant();

private:
    void act();
    void checkInvariants(const QString &action);
    void sendMouse(QWidget *target, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons held);
    void moveOver(QWidget *w, QPointF pos, Qt::MouseButtons held);
    void clickOn(QWidget *w, QPointF pos);
    QString randomText();
    int pick(int n) { return static_cast<int>(rng_.bounded(n)); }
    double between(double lo, double hi) { return lo + rng_.generateDouble() * (hi - lo); }

    QRandomGenerator rng_;
    TestWorld *world_ = nullptr;
    QString lastAction_;
    int actionIndex_ = 0;
};

void TestMonkey::sendMouse(QWidget *target, QEvent::Type type, QPointF pos, Qt::MouseButton button,
                           Qt::MouseButtons held)
{
    // Route like the window system does: the capture holder gets every pointer event.
    QWidget *receiver = capture::get() ? capture::get() : target;
    const QPointF global = target->mapToGlobal(pos);
    QMouseEvent event(type, receiver->mapFromGlobal(global), global, button, held, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

void TestMonkey::moveOver(QWidget *w, QPointF pos, Qt::MouseButtons held)
{
    sendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, held);
}

void TestMonkey::clickOn(QWidget *w, QPointF pos)
{
    QPointer<QWidget> guard(w);
    // A control that holds the capture takes the first move and lets go; the second
    // move reaches the control under the pointer, as a real pointer's path would.
    for (int i = 0; i < 2 && guard; ++i)
        moveOver(w, pos, Qt::NoButton);
    if (!guard)
        return;
    sendMouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    if (!guard)
        return;
    sendMouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

QString TestMonkey::randomText()
{
    static const QStringList samples = {QString(), QStringLiteral(" "), QStringLiteral("  487"), QStringLiteral("0487"),
                                        QStringLiteral("487 "), QStringLiteral("-3"), QStringLiteral("٤٨٧"),
                                        QStringLiteral("四百"), QStringLiteral("\t\n\r\x01\x1b"),
                                        QString(300, QLatin1Char('9')), QStringLiteral("𝟒𝟖𝟕")};
    if (pick(3) == 0)
        return QString::number(100 + pick(801));
    return samples[pick(samples.size())];
}

void TestMonkey::act()
{
    StartWindow &main = windows::frmMain();
    ExerciseWindow *exercise = windows::loadedExerciseWindow();
    const Qt::MouseButtons heldChoices[] = {Qt::NoButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton,
                                            Qt::LeftButton | Qt::RightButton};
    const Qt::MouseButtons held = heldChoices[pick(5)];

    if (main.WindowState() == Form::Minimized) {
        lastAction_ = QStringLiteral("restore the start window");
        main.setWindowStateTo(Form::Normal);
        return;
    }
    if (!exercise) {
        switch (pick(4)) {
        case 0:
            lastAction_ = QStringLiteral("choose Show Mode");
            (*main.optMode[0])->click();
            return;
        case 1:
            lastAction_ = QStringLiteral("choose Competition Mode");
            (*main.optMode[1])->click();
            return;
        default:
            lastAction_ = QStringLiteral("START on the start window");
            main.btnStart->click();
            return;
        }
    }

    switch (pick(20)) {
    case 0:
    case 1:
        lastAction_ = QStringLiteral("SHUFFLE/STOP");
        exercise->btnKaristir->click();
        break;
    case 2:
    case 3:
        lastAction_ = QStringLiteral("START/STOP");
        exercise->btnStart->click();
        break;
    case 4:
        lastAction_ = QStringLiteral("SHOW CORRECT ANSWER");
        exercise->btnCheck->click();
        break;
    case 5:
        lastAction_ = QStringLiteral("RESET");
        exercise->btnReset->click();
        break;
    case 6:
        lastAction_ = QStringLiteral("Escape");
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : exercise, Qt::Key_Escape);
        break;
    case 7:
        lastAction_ = QStringLiteral("Enter");
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : exercise, Qt::Key_Return);
        break;
    case 8: {
        const QString text = randomText();
        lastAction_ = QStringLiteral("type into the answer box");
        if (pick(2)) {
            // Typed key by key, any character, as an input method would deliver it.
            for (const QChar ch : text.left(20)) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
                QApplication::sendEvent(exercise->txtYourAnswer.get(), &press);
            }
        }
        else if (!exercise->txtYourAnswer->isReadOnly())
            exercise->txtYourAnswer->setText(text);
        break;
    }
    case 9:
    case 10: {
        lastAction_ = QStringLiteral("pointer over the Back button");
        SkinButton *back = exercise->btnBack.get();
        moveOver(back, QPointF(between(-20.0, back->width() + 20.0), between(-20.0, back->height() + 20.0)), held);
        break;
    }
    case 11:
        lastAction_ = QStringLiteral("press on the Back button");
        sendMouse(exercise->btnBack.get(), QEvent::MouseButtonPress, QPointF(70, 25),
                  pick(2) ? Qt::LeftButton : Qt::RightButton, held);
        break;
    case 12:
        if (pick(4) == 0) {
            lastAction_ = QStringLiteral("click Back");
            clickOn(exercise->btnBack.get(), QPointF(70, 25));
        }
        break;
    case 13:
    case 14: {
        lastAction_ = QStringLiteral("pointer over the caption strip");
        CaptionStrip *strip = main.PFormKontrol.get();
        moveOver(strip, QPointF(between(-10.0, 80.0), between(-10.0, 25.0)), held);
        break;
    }
    case 15:
        lastAction_ = QStringLiteral("click the backdrop cell");
        clickOn(main.PFormKontrol.get(), QPointF(8, 7));
        break;
    case 16:
        if (pick(3) == 0) {
            lastAction_ = QStringLiteral("click the minimise cell");
            clickOn(main.PFormKontrol.get(), QPointF(25, 7));
        }
        break;
    case 17: {
        lastAction_ = QStringLiteral("move the work area, then the backdrop switch");
        ScreenMetrics screen = platform::screen();
        screen.workArea = QRect(pick(200), pick(60), 1024 + pick(400), 700 + pick(200));
        platform::setScreen(screen);
        main.toggleBackdrop();
        break;
    }
    default: {
        lastAction_ = QStringLiteral("time passes");
        world_->clock().advance(between(0.0, 3.0));
        QTest::qWait(pick(3));
        break;
    }
    }
}

void TestMonkey::checkInvariants(const QString &action)
{
    const QString where = QStringLiteral("after action %1 (%2)").arg(actionIndex_).arg(action);
    StartWindow *main = windows::loadedStartWindow();
    QVERIFY2(main, qPrintable(where));
    QVERIFY2(QList<int>({0, 1, 2, 4}).contains(int(main->PFormKontrol->captionHot())), qPrintable(where));
    if (BackdropWindow *backdrop = windows::loadedBackdrop())
        QVERIFY2(!backdrop->isVisible() || main->backdropOn(), qPrintable(where));

    ExerciseWindow *exercise = windows::loadedExerciseWindow();
    QCOMPARE(modMain::exerciseOpen, exercise ? 1 : 0);
    if (!exercise)
        return;
    const ExerciseState &s = exercise->state();
    QVERIFY2((exercise->btnKaristir->text() == QLatin1String("STOP")) == s.shuffling, qPrintable(where));
    QVERIFY2(exercise->btnKaristir->isEnabled() == !s.running, qPrintable(where));
    QVERIFY2((exercise->btnStart->text() == QLatin1String("STOP")) == s.running, qPrintable(where));
    QVERIFY2(exercise->trmSure.isActive() == s.running, qPrintable(where));
    QVERIFY2(!(s.shuffling && s.running), qPrintable(where));
    QVERIFY2(exercise->btnBackHot() == 0 || exercise->btnBackHot() == 1, qPrintable(where));

    int blank = 0;
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 10; ++c) {
            const QString t = exercise->gSoru->textMatrix(r, c);
            if (t.isEmpty()) {
                ++blank;
                continue;
            }
            QVERIFY2(t.size() == 1 && t[0] >= QLatin1Char('1') && t[0] <= QLatin1Char('9'), qPrintable(where));
        }
    }
    QVERIFY2(blank == 0 || blank == 100, qPrintable(where));

    const float times[3] = {s.attemptTime1, s.attemptTime2, s.attemptTime3};
    const SelfSizingLabel *labels[3] = {&exercise->lbDeneme1, &exercise->lbDeneme2, &exercise->lbDeneme3};
    const char *prefixes[3] = {"1st : ", "2nd : ", "3rd : "};
    for (int n = 0; n < 3; ++n) {
        const bool recorded = s.attemptNumber > n + 1;
        const QString expected = QLatin1String(prefixes[n])
            + (recorded ? timetext::formatTime(std::abs(times[n])) : QStringLiteral("--:--"));
        QVERIFY2(labels[n]->caption() == expected,
                 qPrintable(where + QStringLiteral(": label %1 reads '%2', expected '%3'").arg(n + 1).arg(labels[n]->caption(), expected)));
        if (!recorded)
            QVERIFY2(times[n] == 0.0f, qPrintable(where));
    }
    QVERIFY2(exercise->lbAverage.caption().startsWith(QLatin1String("TIME : ")), qPrintable(where));
}

namespace {
QtMessageHandler g_previousHandler = nullptr;

// The offscreen platform says so at every raise and capture; the rest is passed on.
void quietOffscreenNotices(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_previousHandler(type, context, message);
}
} // namespace

void TestMonkey::randomUseKeepsEveryInvariant()
{
    g_previousHandler = qInstallMessageHandler(quietOffscreenNotices);
    const quint32 seed = qEnvironmentVariableIsSet("MONKEY_SEED") ? qEnvironmentVariableIntValue("MONKEY_SEED")
                                                                   : QRandomGenerator::global()->generate();
    const int actions = qEnvironmentVariableIsSet("MONKEY_ACTIONS") ? qEnvironmentVariableIntValue("MONKEY_ACTIONS") : 5000;
    qInfo("monkey seed %u, %d actions (replay with MONKEY_SEED=%u)", seed, actions, seed);
    rng_.seed(seed);
    TestWorld world(1280, 800, seed);
    world_ = &world;
    world.startWindow();
    for (actionIndex_ = 0; actionIndex_ < actions; ++actionIndex_) {
        lastAction_.clear();
        act();
        TestWorld::flushDeletes();
        checkInvariants(lastAction_);
        if (QTest::currentTestFailed())
            return;
    }
    // The end: the close cell unloads every window and ends the program.
    StartWindow &main = windows::frmMain();
    main.setWindowStateTo(Form::Normal);
    clickOn(main.PFormKontrol.get(), QPointF(60, 7));
    TestWorld::flushDeletes();
    QVERIFY(windows::loaded().isEmpty());
    QVERIFY(world.ends >= 1);
    world_ = nullptr;
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
