// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExerciseScript.h"
#include "TestSupport.h"

#include "app/Fonts.h"
#include "ui/exercise/QuestionGrid.h"
#include "ui/skin/BoldText.h"
#include "ui/skin/SkinButton.h"

#include <QApplication>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <memory>

// The real exercise window on a simulated 1280 x 800 screen, with a driven clock and a
// fixed random sequence. Buttons are clicked, keys pressed on the focused widget and
// the Back button is driven with mouse events through the window, as a user would.

namespace {

enum class Cells { Blank, Black, White, Mixed };
enum class Back { White, Green, Red, Other };
enum class Sum { Empty, OfGrid, Other };

// What the user sees of the exercise state: the rows of the state table.
struct Look {
    QString shuffleCaption;
    bool shuffleEnabled = true;
    QString startCaption;
    bool startEnabled = true;
    bool timerOn = false;
    bool answerTyped = false;
    bool answerLocked = false;
    Back answerBack = Back::White;
    bool focusOnAnswer = false;   // checked only where it is expected
    Sum sum = Sum::Empty;
    Cells grid = Cells::Blank;
};

QString describe(const Look &l, bool withFocus)
{
    static const char *cells[] = {"blank", "black", "white", "mixed"};
    static const char *backs[] = {"white", "green", "red", "other"};
    static const char *sums[] = {"empty", "of the grid", "other"};
    return QStringLiteral("%1 %2 | %3 %4 | timer %5 | answer %6 %7 %8%9 | sum %10 | grid %11")
        .arg(l.shuffleCaption, l.shuffleEnabled ? "on" : "off", l.startCaption, l.startEnabled ? "on" : "off",
             l.timerOn ? "on" : "off", l.answerTyped ? "typed" : "empty", l.answerLocked ? "locked" : "editable",
             backs[int(l.answerBack)], withFocus && l.focusOnAnswer ? " focus" : "")
        .arg(sums[int(l.sum)], cells[int(l.grid)]);
}

// The looks of the states, by the settings that define them.
Look fresh(Cells grid) { return {"SHUFFLE", true, "START", true, false, false, false, Back::White, false, Sum::Empty, grid}; }
Look shuffling(bool locked = false)
{
    return {"STOP", true, "START", false, false, false, locked, Back::White, false, Sum::Empty, Cells::Black};
}
Look ready() { return {"SHUFFLE", true, "START", true, false, false, false, Back::White, false, Sum::Empty, Cells::Black}; }
Look timing(Cells grid) { return {"SHUFFLE", false, "STOP", true, true, false, false, Back::White, false, Sum::Empty, grid}; }
Look answering(Cells grid) { return {"SHUFFLE", true, "START", true, false, false, false, Back::White, true, Sum::Empty, grid}; }
Look revealed(Back answer = Back::Red)
{
    return {"SHUFFLE", true, "START", false, false, true, true, answer, false, Sum::OfGrid, Cells::Black};
}
Look revealedWhileTiming() { return {"SHUFFLE", false, "STOP", false, true, true, true, Back::Red, false, Sum::OfGrid, Cells::Black}; }

// Notes the engine's state at the moment the exercise window is hidden.
class HideWatch : public QObject {
public:
    explicit HideWatch(ExerciseWindow *window) : window_(window) { window->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window_ && event->type() == QEvent::Hide && !seen) {
            seen = true;
            shuffling = window_->state().shuffling;
            timerOn = window_->trmSure.isActive();
        }
        return false;
    }
    bool seen = false;
    bool shuffling = true;
    bool timerOn = true;

private:
    ExerciseWindow *window_;
};

// Notes where the exercise window stands at the moment it is first shown.
class ShowWatch : public QObject {
public:
    ShowWatch() { qApp->installEventFilter(this); }
    ~ShowWatch() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !seen && watched->objectName() == QLatin1String("frmVelantra")) {
            seen = true;
            auto *window = static_cast<QWidget *>(watched);
            geometry = window->geometry();
            auto *exercise = static_cast<ExerciseWindow *>(window);
            grid = exercise->gSoru->geometry();
        }
        return false;
    }
    bool seen = false;
    QRect geometry;
    QRect grid;
};

} // namespace

Q_DECLARE_METATYPE(Look)

class TestExerciseBehaviour : public QObject {
    Q_OBJECT

private slots:
    // The texts below are those of a locale with a decimal comma.
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        fonts::ensureTahoma();
    }
    void init();
    void cleanup();

    void opensOverTheStartWindow_data();
    void opensOverTheStartWindow();
    void firstGridDependsOnTheMode_data();
    void firstGridDependsOnTheMode();
    void firstShuffleFillsABlankGrid();
    void shuffleOnlyRerollsSingleCells();
    void stopRightAfterShuffle_data();
    void stopRightAfterShuffle();
    void shufflePassesRunUntilStopped_data();
    void shufflePassesRunUntilStopped();
    void gridDigitsSitWhereDrawTextPutsThem_data();
    void gridDigitsSitWhereDrawTextPutsThem();

    void states_data();
    void states();
    void keysInEveryState_data();
    void keysInEveryState();

    void onlyTheAnswerBoxTakesTypedText_data();
    void onlyTheAnswerBoxTakesTypedText();

    void timerShowsTheDrivenClock();
    void stopThenStartCountsFromZero();
    void runningBoxTexts_data();
    void runningBoxTexts();

    void record_data();
    void record();
    void scoreRowStaysReadable_data();
    void scoreRowStaysReadable();

    void modeChosenAfterBackApplies_data();
    void modeChosenAfterBackApplies();
    void startBackStartGivesAFreshWindow();
    void backEndsShuffleAndStopwatch_data();
    void backEndsShuffleAndStopwatch();
    void closingTheProgramEndsTheShuffle();
    void keyboardOnlySession_data();
    void keyboardOnlySession();

private:
    void open(bool competition);
    void run(const QString &script);
    void click(QAbstractButton *button);
    void key(Qt::Key k);
    void type(const QString &text);
    void passes(int count = 10);
    void clickBack();
    int gridSum() const;
    QStringList gridTexts() const;
    Cells gridLook() const;
    Look look() const;
    void verifyScoreRowReadable(const QString &moment);
    bool tabTo(QWidget *target);

    std::unique_ptr<TestWorld> world_;
    ExerciseWindow *ex_ = nullptr;
};

void TestExerciseBehaviour::init()
{
    world_ = std::make_unique<TestWorld>();
}

void TestExerciseBehaviour::cleanup()
{
    ex_ = nullptr;
    world_.reset();
}

void TestExerciseBehaviour::open(bool competition)
{
    ex_ = &world_->openExercise(competition);
    QVERIFY(QTest::qWaitForWindowActive(ex_));
}

void TestExerciseBehaviour::click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// A key as the keyboard gives it: to the widget that has the focus.
void TestExerciseBehaviour::key(Qt::Key k)
{
    QWidget *target = QApplication::focusWidget();
    QTest::keyClick(target ? target : ex_, k);
}

void TestExerciseBehaviour::type(const QString &text)
{
    QTest::mouseClick(ex_->txtYourAnswer.get(), Qt::LeftButton);
    QTest::keyClick(ex_->txtYourAnswer.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(ex_->txtYourAnswer.get(), Qt::Key_Delete);
    QTest::keyClicks(ex_->txtYourAnswer.get(), text);
}

void TestExerciseBehaviour::passes(int count)
{
    for (int i = 0; i < count; ++i)
        QCoreApplication::processEvents();
}

// Over the button, then a click, through the window so the mouse capture is honoured.
void TestExerciseBehaviour::clickBack()
{
    QWindow *window = ex_->windowHandle();
    const QPoint centre = ex_->btnBack->mapTo(ex_, ex_->btnBack->rect().center());
    // From outside: a move to where the pointer already is would not count as one.
    QTest::mouseMove(window, QPoint(1, 1));
    QTest::mouseMove(window, centre);
    QCOMPARE(ex_->btnBackHot(), 1);
    QTest::mouseClick(window, Qt::LeftButton, {}, centre);
    ex_ = nullptr;
}

// Drives the real window through the steps of ExerciseScript.h.
void TestExerciseBehaviour::run(const QString &script)
{
    using exerciseScript::Action;
    QString bad;
    const QList<exerciseScript::Step> steps = exerciseScript::parse(script, &bad);
    QVERIFY2(bad.isEmpty(), qPrintable("unknown step " + bad));
    for (const exerciseScript::Step &step : steps) {
        switch (step.action) {
        case Action::Shuffle:
            click(ex_->btnKaristir.get());
            break;
        case Action::Start:
            click(ex_->btnStart.get());
            break;
        case Action::Check:
            click(ex_->btnCheck.get());
            break;
        case Action::Reset:
            click(ex_->btnReset.get());
            break;
        case Action::Escape:
            key(Qt::Key_Escape);
            break;
        case Action::Enter:
            key(Qt::Key_Return);
            break;
        case Action::Passes:
            passes();
            break;
        case Action::Wait:
            world_->clock().advance(step.seconds);
            if (ex_->trmSure.isActive())
                ex_->trmSure_Timer();
            break;
        case Action::Drift:
            world_->clock().advance(step.seconds);
            break;
        case Action::Right:
        case Action::Wrong:
        case Action::Zero:
        case Action::Space:
        case Action::Blank:
            type(exerciseScript::typed(step.action, gridSum()));
            break;
        case Action::Back:
            clickBack();
            TestWorld::flushDeletes();
            break;
        case Action::Open:
            click(windows::frmMain().btnStart.get());
            ex_ = &windows::frmVelantra();
            break;
        }
    }
}

int TestExerciseBehaviour::gridSum() const
{
    int sum = 0;
    for (const QString &t : gridTexts())
        sum += t.toInt();
    return sum;
}

QStringList TestExerciseBehaviour::gridTexts() const
{
    QStringList texts;
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c)
            texts << ex_->gSoru->textMatrix(r, c);
    return texts;
}

Cells TestExerciseBehaviour::gridLook() const
{
    const QStringList texts = gridTexts();
    if (std::all_of(texts.begin(), texts.end(), [](const QString &t) { return t.isEmpty(); }))
        return Cells::Blank;
    const QRgb first = ex_->gSoru->cellForeColor(0, 0);
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 10; ++c)
            if (ex_->gSoru->cellForeColor(r, c) != first)
                return Cells::Mixed;
    if (first == qRgb(0, 0, 0))
        return Cells::Black;
    if (first == qRgb(255, 255, 255))
        return Cells::White;
    return Cells::Mixed;
}

Look TestExerciseBehaviour::look() const
{
    const QColor back = ex_->txtYourAnswer->palette().color(QPalette::Base);
    Look l;
    l.shuffleCaption = ex_->btnKaristir->text();
    l.shuffleEnabled = ex_->btnKaristir->isEnabled();
    l.startCaption = ex_->btnStart->text();
    l.startEnabled = ex_->btnStart->isEnabled();
    l.timerOn = ex_->trmSure.isActive();
    l.answerTyped = !ex_->txtYourAnswer->text().isEmpty();
    l.answerLocked = ex_->txtYourAnswer->isReadOnly();
    l.answerBack = back == QColor(255, 255, 255) ? Back::White
                 : back == QColor(0, 255, 0)     ? Back::Green
                 : back == QColor(255, 0, 0)     ? Back::Red
                                                 : Back::Other;
    l.focusOnAnswer = QApplication::focusWidget() == ex_->txtYourAnswer.get();
    const QString sum = ex_->txtCorrectAnswer->text();
    l.sum = sum.isEmpty() ? Sum::Empty : sum == QString::number(gridSum()) ? Sum::OfGrid : Sum::Other;
    l.grid = gridLook();
    return l;
}

void TestExerciseBehaviour::opensOverTheStartWindow_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QRect>("startPixels");

    QTest::newRow("1280 x 800") << QSize(1280, 800) << QRect(0, 0, 1280, 800);
    QTest::newRow("1024 x 768") << QSize(1024, 768) << QRect(0, 0, 1024, 768);
    QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QRect(0, 0, 1280, 800);
}

void TestExerciseBehaviour::opensOverTheStartWindow()
{
    QFETCH(QSize, screen);
    QFETCH(QRect, startPixels);

    world_.reset();
    world_ = std::make_unique<TestWorld>(screen.width(), screen.height());
    ShowWatch watch;
    open(true);
    // Already in its place and laid out when it first shows: it never flashes at the size
    // it was made with.
    QVERIFY(watch.seen);
    QCOMPARE(watch.geometry, startPixels.adjusted(0, 25, 0, 0));
    QCOMPARE(watch.grid, ex_->gSoru->geometry());

    const StartWindow &main = windows::frmMain();
    QCOMPARE(main.geometry(), startPixels);
    QCOMPARE(ex_->parentWidget(), &main);
    QVERIFY(ex_->isWindow());
    QVERIFY(ex_->isVisible());
    QCOMPARE(ex_->Left(), main.Left());
    QCOMPARE(ex_->Top(), main.Top() + 375);
    QCOMPARE(ex_->Width(), main.Width());
    QCOMPARE(ex_->Height(), main.Height() - 375);
    QCOMPARE(ex_->geometry(), startPixels.adjusted(0, 25, 0, 0));
    QCOMPARE(modMain::exerciseOpen, 1);
}

void TestExerciseBehaviour::firstGridDependsOnTheMode_data()
{
    QTest::addColumn<bool>("competition");
    QTest::newRow("Show Mode") << false;
    QTest::newRow("Competition Mode") << true;
}

void TestExerciseBehaviour::firstGridDependsOnTheMode()
{
    QFETCH(bool, competition);

    open(competition);

    const QStringList texts = gridTexts();
    QCOMPARE(texts.size(), 100);
    for (const QString &t : texts) {
        if (competition)
            QVERIFY(t.isEmpty());
        else
            QVERIFY2(t.size() == 1 && t >= "1" && t <= "9", qPrintable(t));
    }
    // Not one digit repeated a hundred times.
    if (!competition)
        QVERIFY(texts.count(texts.first()) < 100);
    QCOMPARE(ex_->gSoru->colAlignment(0), 4);
    QCOMPARE(ex_->gSoru->colAlignment(9), 4);
}

void TestExerciseBehaviour::firstShuffleFillsABlankGrid()
{
    open(true);
    click(ex_->btnKaristir.get());

    // The click has returned and no pass has run yet: filled, then one cell re-rolled.
    QCOMPARE(ex_->engine().cellsRerolled(), 1u);
    for (const QString &t : gridTexts())
        QVERIFY2(t.size() == 1 && t >= "1" && t <= "9", qPrintable(t));
    click(ex_->btnKaristir.get());
}

void TestExerciseBehaviour::shuffleOnlyRerollsSingleCells()
{
    open(false);
    const QStringList before = gridTexts();
    click(ex_->btnKaristir.get());
    const QStringList afterClick = gridTexts();
    int changed = 0;
    for (int i = 0; i < 100; ++i)
        changed += before[i] != afterClick[i];
    QVERIFY(changed <= 1);

    passes(5);
    const quint64 rerolled = ex_->engine().cellsRerolled();
    changed = 0;
    const QStringList later = gridTexts();
    for (int i = 0; i < 100; ++i)
        changed += before[i] != later[i];
    QVERIFY2(quint64(changed) <= rerolled, qPrintable(QStringLiteral("%1 > %2").arg(changed).arg(rerolled)));
    click(ex_->btnKaristir.get());
}

void TestExerciseBehaviour::stopRightAfterShuffle_data()
{
    QTest::addColumn<bool>("competition");
    QTest::newRow("Show Mode") << false;
    QTest::newRow("Competition Mode") << true;
}

void TestExerciseBehaviour::stopRightAfterShuffle()
{
    QFETCH(bool, competition);
    open(competition);

    click(ex_->btnKaristir.get());
    click(ex_->btnKaristir.get());

    QVERIFY(ex_->engine().cellsRerolled() >= 1);
    QVERIFY(!ex_->state().shuffling);
    for (const QString &t : gridTexts())
        QVERIFY(t.size() == 1 && t >= "1" && t <= "9");
    QCOMPARE(ex_->state().running, competition);
}

void TestExerciseBehaviour::shufflePassesRunUntilStopped_data()
{
    QTest::addColumn<bool>("competition");
    QTest::addColumn<QString>("stop");

    for (bool competition : {false, true}) {
        const char *mode = competition ? "Competition" : "Show";
        QTest::addRow("%s STOP click", mode) << competition << "shuffle";
        QTest::addRow("%s Escape", mode) << competition << "esc";
        QTest::addRow("%s Enter", mode) << competition << "enter";
    }
}

void TestExerciseBehaviour::shufflePassesRunUntilStopped()
{
    QFETCH(bool, competition);
    QFETCH(QString, stop);
    open(competition);

    run("shuffle");
    quint64 last = ex_->engine().cellsRerolled();
    for (int round = 0; round < 3; ++round) {
        passes(10);
        const quint64 now = ex_->engine().cellsRerolled();
        QVERIFY2(now > last, "no pass ran in the event loop");
        last = now;
    }
    // Repaints come from the event loop between passes; a busy machine may take a while.
    const int paintsBefore = ex_->gSoru->paintCount();
    QTRY_VERIFY2(ex_->gSoru->paintCount() > paintsBefore, "the grid is not repainted while shuffling");

    run(stop);
    const quint64 stoppedAt = ex_->engine().cellsRerolled();
    passes(20);
    QCOMPARE(ex_->engine().cellsRerolled(), stoppedAt);
    QVERIFY(!ex_->state().shuffling);
    QCOMPARE(ex_->btnKaristir->text(), "SHUFFLE");
}

void TestExerciseBehaviour::gridDigitsSitWhereDrawTextPutsThem_data()
{
    QTest::addColumn<int>("rowTwips");
    QTest::addColumn<bool>("fontAsMade");   // the grid keeps the font it was made with
    // Cell edges in pixels, worked by hand: edge i is i x rowTwips / 15, rounded to nearest.
    QTest::addColumn<QList<int>>("edges");
    const QList<int> edges67 = {0, 67, 134, 201, 268, 335, 402, 469, 536, 603, 670};
    QTest::newRow("67 px cells") << 1005 << false << edges67;
    QTest::newRow("60 px cells") << 900 << false << QList<int>{0, 60, 120, 180, 240, 300, 360, 420, 480, 540, 600};
    // 767 / 15 = 51.133...: 153.4 -> 153, 204.53 -> 205, 255.67 -> 256, ...
    QTest::newRow("uneven 51.1 px cells")
        << 767 << false << QList<int>{0, 51, 102, 153, 205, 256, 307, 358, 409, 460, 511};
    // 1111 / 15 = 74.066...: 296.27 -> 296, 592.53 -> 593, 666.6 -> 667, 740.67 -> 741.
    QTest::newRow("uneven 74.1 px cells")
        << 1111 << false << QList<int>{0, 74, 148, 222, 296, 370, 444, 518, 593, 667, 741};
    QTest::newRow("too small for the digits")
        << 300 << false << QList<int>{0, 20, 40, 60, 80, 100, 120, 140, 160, 180, 200};
    // Made as the exercise window makes it: Tahoma 39.75 pt bold in every cell.
    QTest::newRow("67 px cells, the grid's own font") << 1005 << true << edges67;
}

// The grid paints its digits from texts laid out once; they must land on exactly the
// pixels that drawText centred in each cell would give, heavy strokes included.
void TestExerciseBehaviour::gridDigitsSitWhereDrawTextPutsThem()
{
    QFETCH(int, rowTwips);
    QFETCH(bool, fontAsMade);
    QFETCH(QList<int>, edges);

    const SkinFont font = tahoma(39.75, true);
    QuestionGrid grid;
    if (!fontAsMade)
        grid.setCellFont(font);
    grid.setRowHeight(-1, rowTwips);
    grid.setColWidth(-1, rowTwips);
    grid.setColAlignment(-1, 4);
    const auto edge = [&edges](int i) { return edges.at(i); };
    grid.resize(edge(10) + 3, edge(10) + 3);
    const auto render = [&grid] {
        QImage image(grid.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        grid.render(&image);
        return image;
    };
    const QImage empty = render();

    const QRgb colours[] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)};
    QImage expected = empty;
    QPainter painter(&expected);
    painter.setFont(font.toQFont());
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 10; ++c) {
            const QString text = QString::number(1 + (r * 10 + c) % 9);
            const QRgb colour = colours[(r + c) % 3];
            grid.setTextMatrix(r, c, text);
            grid.setCellForeColor(r, c, r, c, colour);
            painter.setPen(QColor::fromRgb(colour));
            const QRect cell(edge(c), edge(r), edge(c + 1) - edge(c), edge(r + 1) - edge(r));
            boldText::drawOverstruck(painter, [&] { painter.drawText(cell, Qt::AlignCenter, text); });
        }
    }
    painter.end();

    QCOMPARE(render(), expected);
    QVERIFY(render() != empty);
}

void TestExerciseBehaviour::states_data()
{
    QTest::addColumn<bool>("competition");
    QTest::addColumn<QString>("script");
    QTest::addColumn<Look>("expected");

    QTest::newRow("Show fresh") << false << "" << fresh(Cells::Black);
    QTest::newRow("Show shuffling") << false << "shuffle passes" << shuffling();
    QTest::newRow("Show ready") << false << "shuffle passes shuffle" << ready();
    QTest::newRow("Show timing") << false << "shuffle shuffle start wait:2" << timing(Cells::Black);
    QTest::newRow("Show timing from fresh") << false << "start wait:1" << timing(Cells::Black);
    QTest::newRow("Show answering") << false << "shuffle shuffle start wait:2 start" << answering(Cells::Black);
    QTest::newRow("Show revealed") << false << "shuffle shuffle start wait:2 start wrong check" << revealed();
    QTest::newRow("Show revealed, right answer") << false << "shuffle shuffle start wait:2 start right check"
                                                 << revealed(Back::Green);
    QTest::newRow("Show revealed while timing") << false << "shuffle shuffle start wait:2 wrong check"
                                                << revealedWhileTiming();
    QTest::newRow("Show revealed, then stopped") << false << "start wait:2 wrong check esc" << revealed();
    QTest::newRow("Show shuffling after a check") << false << "start wait:2 start wrong check shuffle passes"
                                                  << shuffling(true);
    QTest::newRow("Show ready after a check") << false << "start wait:2 start wrong check shuffle shuffle" << ready();

    QTest::newRow("Competition fresh") << true << "" << fresh(Cells::Blank);
    QTest::newRow("Competition check on a blank grid") << true << "check" << fresh(Cells::Blank);
    QTest::newRow("Competition shuffling") << true << "shuffle passes" << shuffling();
    QTest::newRow("Competition timing") << true << "shuffle passes shuffle wait:2" << timing(Cells::Black);
    QTest::newRow("Competition timing from fresh") << true << "start wait:1" << timing(Cells::Blank);
    QTest::newRow("Competition answering from fresh") << true << "start wait:1 start" << answering(Cells::Blank);
    QTest::newRow("Competition answering") << true << "shuffle shuffle wait:2 start" << answering(Cells::White);
    QTest::newRow("Competition timing again") << true << "shuffle shuffle wait:2 start start wait:1"
                                              << timing(Cells::White);
    QTest::newRow("Competition revealed") << true << "shuffle shuffle wait:2 start wrong check" << revealed();
    QTest::newRow("Competition revealed, right answer") << true << "shuffle shuffle wait:2 start right check"
                                                        << revealed(Back::Green);
    QTest::newRow("Competition revealed while timing") << true << "shuffle shuffle wait:2 wrong check"
                                                       << revealedWhileTiming();
    QTest::newRow("Competition shuffling after a check") << true << "shuffle shuffle wait:2 start wrong check shuffle"
                                                         << shuffling(true);
    QTest::newRow("Competition timing after a check") << true
        << "shuffle shuffle wait:2 start wrong check shuffle shuffle wait:1" << timing(Cells::Black);
}

void TestExerciseBehaviour::states()
{
    QFETCH(bool, competition);
    QFETCH(QString, script);
    QFETCH(Look, expected);

    open(competition);
    run(script);

    QCOMPARE(describe(look(), expected.focusOnAnswer), describe(expected, true));
    QVERIFY(ex_->btnCheck->isEnabled());
    QVERIFY(ex_->btnReset->isEnabled());
    if (ex_->state().shuffling)
        click(ex_->btnKaristir.get());
}

void TestExerciseBehaviour::keysInEveryState_data()
{
    QTest::addColumn<bool>("competition");
    QTest::addColumn<QString>("script");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("acts");
    QTest::addColumn<Look>("expected");

    struct Case {
        bool competition;
        const char *name, *script;
        bool acts;
        Look expected;
    };
    const Case cases[] = {
        {false, "Show fresh", "", false, {}},
        {false, "Show shuffling", "shuffle passes", true, ready()},
        {false, "Show ready", "shuffle shuffle", false, {}},
        {false, "Show timing", "shuffle shuffle start wait:2", true, answering(Cells::Black)},
        {false, "Show answering", "start wait:2 start", false, {}},
        {false, "Show revealed", "start wait:2 start wrong check", false, {}},
        {false, "Show revealed while timing", "start wait:2 wrong check", true, revealed()},
        {true, "Competition fresh", "", false, {}},
        {true, "Competition shuffling", "shuffle passes", true, timing(Cells::Black)},
        {true, "Competition timing", "shuffle shuffle wait:2", true, answering(Cells::White)},
        {true, "Competition answering", "shuffle shuffle wait:2 start", false, {}},
        {true, "Competition revealed", "shuffle shuffle wait:2 start wrong check", false, {}},
        {true, "Competition revealed while timing", "shuffle shuffle wait:2 wrong check", true, revealed()},
    };
    for (const Case &c : cases) {
        for (Qt::Key k : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
            const char *keyName = k == Qt::Key_Escape ? "Escape" : k == Qt::Key_Return ? "Return" : "keypad Enter";
            QTest::addRow("%s, %s", c.name, keyName)
                << c.competition << QString::fromLatin1(c.script) << k << c.acts << c.expected;
        }
    }
    // Other keys are the focused control's alone (here a push button, which ignores them).
    QTest::newRow("Show timing, A") << false << "shuffle shuffle start wait:2" << Qt::Key_A << false << Look{};
    QTest::newRow("Competition shuffling, Q") << true << "shuffle passes" << Qt::Key_Q << false << Look{};
}

void TestExerciseBehaviour::keysInEveryState()
{
    QFETCH(bool, competition);
    QFETCH(QString, script);
    QFETCH(Qt::Key, key);
    QFETCH(bool, acts);
    QFETCH(Look, expected);

    open(competition);
    run(script);
    const Look before = look();
    const ExerciseState stateBefore = ex_->state();
    world_->clock().advance(0.5);

    this->key(key);

    if (acts) {
        QCOMPARE(describe(look(), expected.focusOnAnswer), describe(expected, true));
        if (stateBefore.running)
            QCOMPARE(ex_->state().elapsed, stateBefore.elapsed + 0.5f);
    } else {
        QCOMPARE(describe(look(), true), describe(before, true));
        QCOMPARE(ex_->state().running, stateBefore.running);
        QCOMPARE(ex_->state().shuffling, stateBefore.shuffling);
        QCOMPARE(ex_->state().elapsed, stateBefore.elapsed);
    }
    if (ex_->state().shuffling)
        click(ex_->btnKaristir.get());
}

void TestExerciseBehaviour::onlyTheAnswerBoxTakesTypedText_data()
{
    QTest::addColumn<int>("box");   // 0 running time, 1 YOUR ANSWER, 2 CORRECT ANSWER
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("takesText");
    QTest::newRow("running time, after a run") << 0 << "start wait:2 start" << false;
    QTest::newRow("running time, while timing") << 0 << "start wait:2" << false;
    QTest::newRow("your answer, after a run") << 1 << "start wait:2 start" << true;
    QTest::newRow("correct answer, after a check") << 2 << "start wait:2 start wrong check" << false;
}

// Clicked and typed into as a user would.
void TestExerciseBehaviour::onlyTheAnswerBoxTakesTypedText()
{
    QFETCH(int, box);
    QFETCH(QString, script);
    QFETCH(bool, takesText);

    open(false);
    run(script);
    QLineEdit *boxes[] = {ex_->txtSure.get(), ex_->txtYourAnswer.get(), ex_->txtCorrectAnswer.get()};
    QLineEdit *target = boxes[box];
    const QString before = target->text();

    QTest::mouseClick(target, Qt::LeftButton);
    QTest::keyClick(target, Qt::Key_End);
    QTest::keyClicks(target, QStringLiteral("57"));
    QTest::keyClick(target, Qt::Key_Home);
    QTest::keyClick(target, Qt::Key_Delete);

    QCOMPARE(target->text(), takesText ? (before + QStringLiteral("57")).mid(1) : before);
    QCOMPARE(target->isReadOnly(), !takesText);
}

void TestExerciseBehaviour::timerShowsTheDrivenClock()
{
    open(false);
    run("start");
    QVERIFY(ex_->trmSure.isActive());
    QCOMPARE(ex_->trmSure.interval(), 10);
    world_->clock().advance(1.23);
    // The real 10 ms timer ticks; the clock, not the number of ticks, gives the time.
    QTRY_COMPARE(ex_->txtSure->text(), "0:01:23");
    QCOMPARE(ex_->state().elapsed, 1.23f);
}

void TestExerciseBehaviour::stopThenStartCountsFromZero()
{
    open(false);
    run("start wait:5 start");
    QCOMPARE(ex_->txtSure->text(), "0:05:00");
    QCOMPARE(QApplication::focusWidget(), ex_->txtYourAnswer.get());

    run("start wait:0");
    QCOMPARE(ex_->txtSure->text(), "0:00:00");
    run("wait:1 start");
    QCOMPARE(ex_->txtSure->text(), "0:01:00");
    QCOMPARE(ex_->state().elapsed, 1.0f);
}

void TestExerciseBehaviour::runningBoxTexts_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("shown");

    QTest::newRow("0") << 0.0 << "0:00:00";
    QTest::newRow("59.99") << 59.99 << "0:59:99";
    QTest::newRow("60") << 60.0 << "1:00:00";
    QTest::newRow("75.5") << 75.5 << "1:15:50";
    QTest::newRow("119.7") << 119.7 << "1:59:70";
    QTest::newRow("120") << 120.0 << "2:00:00";
}

void TestExerciseBehaviour::runningBoxTexts()
{
    QFETCH(double, seconds);
    QFETCH(QString, shown);

    open(false);
    run(QStringLiteral("start wait:%1").arg(seconds));
    QCOMPARE(ex_->txtSure->text(), shown);
    run("start");
    QCOMPARE(ex_->txtSure->text(), shown);
}

void TestExerciseBehaviour::record_data()
{
    QTest::addColumn<bool>("competition");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("backs");   // per attempt label: g correct, r wrong, - none
    QTest::addColumn<QString>("average");
    QTest::addColumn<int>("attemptNumber");

    // One Competition Mode attempt: shuffle, stop (the stopwatch starts), time, stop.
    const auto attempt = [](const char *seconds, const char *answer) {
        return QStringLiteral("shuffle shuffle wait:%1 esc %2 check ").arg(seconds, answer);
    };
    const QString none1 = "1st : --:--", none2 = "2nd : --:--", none3 = "3rd : --:--";

    QTest::newRow("correct") << true << attempt("4.44", "right")
                             << QStringList{"1st : 04:44", none2, none3} << "g--" << "TIME : 04:44" << 2;
    QTest::newRow("wrong") << true << attempt("4.44", "wrong")
                           << QStringList{"1st : 04:44", none2, none3} << "r--" << "TIME : --:--" << 2;
    QTest::newRow("two attempts") << true << attempt("4", "right") + attempt("6", "right")
                                  << QStringList{"1st : 04:00", "2nd : 06:00", none3} << "gg-" << "TIME : 05:00" << 3;
    QTest::newRow("three attempts") << true << attempt("4", "right") + attempt("6", "right") + attempt("8", "right")
                                    << QStringList{"1st : 04:00", "2nd : 06:00", "3rd : 08:00"} << "ggg"
                                    << "TIME : 06:00" << 4;
    QTest::newRow("fourth check") << true
        << attempt("4", "right") + attempt("6", "right") + attempt("8", "right") + "wait:9 check"
        << QStringList{"1st : 04:00", "2nd : 06:00", "3rd : 08:00"} << "ggg" << "TIME : 06:00" << 5;
    QTest::newRow("shuffle after a full record") << true
        << attempt("4", "right") + attempt("6", "right") + attempt("8", "right") + "shuffle"
        << QStringList{none1, none2, none3} << "---" << "TIME : --:--" << 1;
    QTest::newRow("earlier wrong left out of the average") << true << attempt("4", "wrong") + attempt("6", "right")
        << QStringList{"1st : 04:00", "2nd : 06:00", none3} << "rg-" << "TIME : 06:00" << 3;
    QTest::newRow("check while timing") << true << "shuffle shuffle wait:3 right drift:0.5 check wait:2"
        << QStringList{"1st : 03:00", none2, none3} << "g--" << "TIME : 03:00" << 2;
    QTest::newRow("check right after a shuffle") << false
        << "start wait:5 start right check shuffle shuffle right check"
        << QStringList{"1st : 05:00", "2nd : 05:00", none3} << "gg-" << "TIME : 05:00" << 3;
    QTest::newRow("check in a new window") << false << "right check"
        << QStringList{"1st : 00:00", none2, none3} << "g--" << "TIME : 00:00" << 2;
    QTest::newRow("check in a window after Back") << false << "start wait:4 start right check back open right check"
        << QStringList{"1st : 00:00", none2, none3} << "g--" << "TIME : 00:00" << 2;
    QTest::newRow("leading zero") << false << "start wait:2 start zero check"
        << QStringList{"1st : 02:00", none2, none3} << "r--" << "TIME : --:--" << 2;
    QTest::newRow("leading space") << false << "start wait:2 start space check"
        << QStringList{"1st : 02:00", none2, none3} << "r--" << "TIME : --:--" << 2;
    QTest::newRow("empty answer") << false << "start wait:2 start blank check"
        << QStringList{"1st : 02:00", none2, none3} << "r--" << "TIME : --:--" << 2;
    QTest::newRow("reset mid-record") << true << attempt("4", "right") + attempt("6", "right") + "reset"
        << QStringList{none1, none2, none3} << "---" << "TIME : --:--" << 1;
    QTest::newRow("attempt 1 again after a reset") << true
        << attempt("4", "right") + attempt("6", "right") + "reset " + attempt("9", "right")
        << QStringList{"1st : 09:00", none2, none3} << "g--" << "TIME : 09:00" << 2;
    QTest::newRow("check on a blank grid") << true << "start wait:3 start blank check"
        << QStringList{none1, none2, none3} << "---" << "TIME : --:--" << 1;
}

void TestExerciseBehaviour::record()
{
    QFETCH(bool, competition);
    QFETCH(QString, script);
    QFETCH(QStringList, captions);
    QFETCH(QString, backs);
    QFETCH(QString, average);
    QFETCH(int, attemptNumber);

    open(competition);
    run(script);

    const SelfSizingLabel *labels[] = {&ex_->lbDeneme1, &ex_->lbDeneme2, &ex_->lbDeneme3};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(labels[i]->caption(), captions[i]);
        const QColor want = backs[i] == 'g' ? QColor(0, 192, 0) : backs[i] == 'r' ? QColor(255, 128, 128)
                                                                                 : QColor(192, 192, 255);
        QCOMPARE(labels[i]->get()->palette().color(QPalette::Window), want);
    }
    QCOMPARE(ex_->lbAverage.caption(), average);
    QCOMPARE(ex_->state().attemptNumber, attemptNumber);
}

void TestExerciseBehaviour::scoreRowStaysReadable_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");
    QTest::newRow("1280 x 800 screen") << QSize(1280, 800) << QSize(1280, 775);
    QTest::newRow("1024 x 768 screen") << QSize(1024, 768) << QSize(1024, 743);
}

// With the real fonts: every score label whole, inside the panel, clear of RESET and of
// each other, in reading order, in its own colours and face.
void TestExerciseBehaviour::verifyScoreRowReadable(const QString &moment)
{
    const SelfSizingLabel *labels[] = {&ex_->lbDeneme1, &ex_->lbDeneme2, &ex_->lbDeneme3, &ex_->lbAverage};
    const QRect panel = ex_->pScore->rect();
    const QRect reset = ex_->btnReset->geometry();
    for (int i = 0; i < 4; ++i) {
        const QLabel *label = labels[i]->get();
        const QString what = moment + QStringLiteral(", ") + label->text();
        const QRect r = label->geometry();
        QVERIFY2(panel.contains(r), qPrintable(what + " leaves the panel"));
        QVERIFY2(!r.intersects(reset), qPrintable(what + " runs under RESET"));
        const QFontMetrics metrics(label->font());
        QVERIFY2(r.width() >= metrics.horizontalAdvance(label->text()), qPrintable(what + " is cut"));
        QVERIFY2(label->font().pixelSize() >= 9, qPrintable(what + " is too small to read"));
        QCOMPARE(label->font().family(), QStringLiteral("Tahoma"));
        QVERIFY(label->font().bold());
        for (int j = i + 1; j < 4; ++j) {
            const QRect other = labels[j]->get()->geometry();
            QVERIFY2(!r.intersects(other), qPrintable(what + " overlaps " + labels[j]->caption()));
            // Reading order: further right on the same line, or on a lower line.
            QVERIFY2(other.left() > r.right() || other.top() > r.bottom(), qPrintable(what + " out of order"));
        }
    }
    QCOMPARE(ex_->lbAverage->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    // The attempt labels keep one size, and the average stays the larger text.
    QCOMPARE(labels[1]->get()->font().pixelSize(), labels[0]->get()->font().pixelSize());
    QCOMPARE(labels[2]->get()->font().pixelSize(), labels[0]->get()->font().pixelSize());
    QVERIFY(labels[3]->get()->font().pixelSize() > labels[0]->get()->font().pixelSize());
}

void TestExerciseBehaviour::scoreRowStaysReadable()
{
    QFETCH(QSize, screen);
    QFETCH(QSize, window);

    world_.reset();
    world_ = std::make_unique<TestWorld>(screen.width(), screen.height());
    open(false);
    QCOMPARE(ex_->size(), window);

    // At rest on the wide window the row fits as laid out: first label 3 pixels in at
    // the top 14, the next 8 pixels on, the average ending 20 pixels left of RESET.
    verifyScoreRowReadable(QStringLiteral("at rest"));
    if (window.width() == 1280) {
        const QRect first = ex_->lbDeneme1->geometry();
        QCOMPARE(first.topLeft(), QPoint(3, 14));
        QCOMPARE(ex_->lbDeneme2->geometry().left(), first.right() + 1 + 8);
        QCOMPARE(ex_->lbAverage->geometry().right() + 1, ex_->btnReset->geometry().left() - 20);
        QCOMPARE(ex_->lbAverage->geometry().top(), 11);
        QCOMPARE(ex_->lbDeneme1->font().pixelSize(), 16);   // 12 points
        QCOMPARE(ex_->lbAverage->font().pixelSize(), 21);   // 15.75 points
    }

    // The widest times a run below ten minutes shows, attempt after attempt.
    for (const char *prefix : {"1st", "2nd", "3rd"}) {
        run(QStringLiteral("shuffle shuffle start wait:599.99 start right check"));
        verifyScoreRowReadable(QString::fromLatin1(prefix));
    }
    QCOMPARE(ex_->lbDeneme1.caption(), QStringLiteral("1st : 9:59:99"));
    QCOMPARE(ex_->lbDeneme3.caption(), QStringLiteral("3rd : 9:59:99"));
    QCOMPARE(ex_->lbAverage.caption(), QStringLiteral("TIME : 9:59:99"));
    QCOMPARE(ex_->lbDeneme3->palette().color(QPalette::Window), QColor(0, 192, 0));
}

// Tab until the focus is on target, at most once round any window's controls.
bool TestExerciseBehaviour::tabTo(QWidget *target)
{
    for (int i = 0; i < 30 && QApplication::focusWidget() != target; ++i) {
        QWidget *focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : QApplication::activeWindow(), Qt::Key_Tab);
    }
    return QApplication::focusWidget() == target;
}

namespace {

// Black pixels along the top line of the Back button's focus mark.
int focusMarkPixels(SkinButton *back)
{
    const QImage image = back->grab().toImage();
    const QRect mark = back->focusMarkRect();
    int black = 0;
    for (int x = mark.left(); x <= mark.right(); ++x)
        black += image.pixel(x, mark.top()) == qRgb(0, 0, 0);
    return black;
}

} // namespace

void TestExerciseBehaviour::keyboardOnlySession_data()
{
    QTest::addColumn<bool>("competition");
    QTest::addColumn<int>("leaveKey");
    QTest::newRow("Competition Mode, Back with Enter") << true << int(Qt::Key_Return);
    QTest::newRow("Competition Mode, Back with Space") << true << int(Qt::Key_Space);
    QTest::newRow("Show Mode, Back with Enter") << false << int(Qt::Key_Enter);
}

// From the start window to the exercise and back, without the mouse.
void TestExerciseBehaviour::keyboardOnlySession()
{
    QFETCH(bool, competition);
    QFETCH(int, leaveKey);

    StartWindow &main = world_->startWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    if (!competition) {
        QVERIFY(tabTo((*main.optMode[0]).get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(!modMain::competitionMode);
    }
    QVERIFY(tabTo(main.btnStart.get()));
    // Enter on the focused START presses it as Space does.
    QTest::keyClick(main.btnStart.get(), Qt::Key_Return);
    QVERIFY(windows::loadedExerciseWindow());
    ex_ = &windows::frmVelantra();
    // A window manager activates the newly shown window; the offscreen platform leaves
    // that to the test.
    QApplication::setActiveWindow(ex_);
    QVERIFY(QTest::qWaitForWindowActive(ex_));
    QCOMPARE(modMain::exerciseOpen, 1);

    // The keyboard starts on SHUFFLE, not on Back, the first in the tab order: Space
    // starts the shuffle; Enter on a focused Back then stops it and stays.
    QCOMPARE(QApplication::focusWidget(), ex_->btnKaristir.get());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(ex_->state().shuffling);
    QCOMPARE(focusMarkPixels(ex_->btnBack.get()), 0);
    QVERIFY(tabTo(ex_->btnBack.get()));
    QVERIFY2(focusMarkPixels(ex_->btnBack.get()) > 20, "no focus mark on Back");
    QTest::keyClick(ex_->btnBack.get(), Qt::Key_Return);
    passes();
    QVERIFY(!ex_->state().shuffling);
    QVERIFY(windows::loadedExerciseWindow());
    if (competition) {
        // The stopwatch started by itself: the next Enter stops it, still in the window.
        QVERIFY(ex_->state().running);
        world_->clock().advance(12.5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        passes();
        QVERIFY(!ex_->state().running);
        QVERIFY(windows::loadedExerciseWindow());
    } else {
        QVERIFY(tabTo(ex_->btnStart.get()));
        QTest::keyClick(ex_->btnStart.get(), Qt::Key_Space);
        QVERIFY(ex_->state().running);
        world_->clock().advance(12.5);
        QTest::keyClick(ex_->btnStart.get(), Qt::Key_Return);
        QVERIFY(!ex_->state().running);
    }
    QCOMPARE(QApplication::focusWidget(), ex_->txtYourAnswer.get());
    QTest::keyClicks(ex_->txtYourAnswer.get(), QString::number(gridSum()));
    QVERIFY(tabTo(ex_->btnCheck.get()));
    QTest::keyClick(ex_->btnCheck.get(), Qt::Key_Space);
    QCOMPARE(ex_->txtCorrectAnswer->text(), QString::number(gridSum()));
    QCOMPARE(ex_->lbDeneme1.caption(), QStringLiteral("1st : 12:50"));

    // Nothing runs now: Back leaves with Enter as with Space.
    QVERIFY(tabTo(ex_->btnBack.get()));
    QTest::keyClick(ex_->btnBack.get(), Qt::Key(leaveKey));
    QTRY_VERIFY(!windows::loadedExerciseWindow());
    ex_ = nullptr;
    QCOMPARE(modMain::exerciseOpen, 0);

    // And in again from the start window, which the window manager activates again.
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QVERIFY(tabTo(main.btnStart.get()));
    QTest::keyClick(main.btnStart.get(), Qt::Key_Space);
    QVERIFY(windows::loadedExerciseWindow());
    QCOMPARE(modMain::exerciseOpen, 1);
}

void TestExerciseBehaviour::modeChosenAfterBackApplies_data()
{
    QTest::addColumn<bool>("first");
    QTest::addColumn<bool>("second");
    QTest::newRow("Show, then Competition") << false << true;
    QTest::newRow("Competition, then Show") << true << false;
}

void TestExerciseBehaviour::modeChosenAfterBackApplies()
{
    QFETCH(bool, first);
    QFETCH(bool, second);

    open(first);
    QCOMPARE(gridLook() == Cells::Blank, first);
    run("back");
    QVERIFY(!windows::loadedExerciseWindow());
    QCOMPARE(modMain::exerciseOpen, 0);

    StartWindow &main = windows::frmMain();
    QTest::mouseClick((*main.optMode[second ? 1 : 0]).get(), Qt::LeftButton);
    QCOMPARE(modMain::competitionMode, second);
    run("open");

    QCOMPARE(gridLook() == Cells::Blank, second);
    run("shuffle shuffle");
    QCOMPARE(ex_->state().running, second);
}

void TestExerciseBehaviour::startBackStartGivesAFreshWindow()
{
    open(true);
    run("shuffle shuffle wait:4 esc right check shuffle shuffle wait:2 wrong check wait:1");
    QCOMPARE(ex_->state().attemptNumber, 3);
    QVERIFY(ex_->state().running);
    QPointer<ExerciseWindow> first = ex_;

    run("back");
    QVERIFY(first.isNull());
    run("open");

    const ExerciseState &s = ex_->state();
    QCOMPARE(s.attemptNumber, 1);
    QCOMPARE(s.attemptTime1, 0.0f);
    QCOMPARE(s.attemptTime2, 0.0f);
    QVERIFY(!s.running);
    QVERIFY(!s.shuffling);
    QCOMPARE(s.elapsed, 0.0f);
    QVERIFY(s.shownTime.isEmpty());
    QCOMPARE(describe(look(), false), describe(fresh(Cells::Blank), false));
    QVERIFY(ex_->txtSure->text().isEmpty());
    QCOMPARE(ex_->lbDeneme1.caption(), "1st : --:--");
    QCOMPARE(ex_->lbDeneme2.caption(), "2nd : --:--");
    QCOMPARE(ex_->lbAverage.caption(), "TIME : --:--");
    QCOMPARE(ex_->lbDeneme1->palette().color(QPalette::Window), QColor(192, 192, 255));
    QCOMPARE(ex_->engine().cellsRerolled(), 0u);
}

void TestExerciseBehaviour::backEndsShuffleAndStopwatch_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("during a shuffle") << "shuffle passes";
    QTest::newRow("during timing") << "shuffle shuffle wait:1";
    QTest::newRow("while timing after a check") << "shuffle shuffle wait:1 wrong check";
}

void TestExerciseBehaviour::backEndsShuffleAndStopwatch()
{
    QFETCH(QString, script);
    open(true);
    run(script);
    QVERIFY(ex_->state().shuffling || ex_->trmSure.isActive());

    // What the window runs when it is hidden on its way out, before it is destroyed.
    HideWatch watch(ex_);
    QPointer<ExerciseWindow> window = ex_;
    clickBack();

    QVERIFY(watch.seen);
    QVERIFY(!watch.shuffling);
    QVERIFY(!watch.timerOn);
    QVERIFY(!windows::loadedExerciseWindow());
    QCOMPARE(modMain::exerciseOpen, 0);
    // Passes or ticks still queued must not reach the destroyed window (AddressSanitizer).
    QTest::qWait(30);
    QVERIFY(window.isNull());
    passes(20);
    QVERIFY(windows::loadedStartWindow());
    QCOMPARE(world_->ends, 0);
}

void TestExerciseBehaviour::closingTheProgramEndsTheShuffle()
{
    open(false);
    run("shuffle passes");
    QPointer<ExerciseWindow> exercise = ex_;
    QPointer<StartWindow> main = &windows::frmMain();
    HideWatch watch(ex_);

    // What the close cell of the start window's strip does.
    windows::Unload(*main);

    QCOMPARE(world_->ends, 1);
    QVERIFY(windows::loaded().isEmpty());
    QVERIFY(watch.seen);
    QVERIFY(!watch.shuffling);
    QTest::qWait(30);
    QVERIFY(exercise.isNull());
    QVERIFY(main.isNull());
    passes(20);
}

QTEST_MAIN(TestExerciseBehaviour)
#include "tst_exercisebehaviour.moc"
