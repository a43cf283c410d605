// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExerciseScript.h"
#include "TestDoubles.h"
#include "engine/ExerciseControls.h"
#include "engine/ExerciseEngine.h"
#include "engine/Grid.h"
#include "engine/TimeText.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTest>

#include <cmath>
#include <deque>
#include <limits>
#include <optional>
#include <utility>

// The exercise engine on its own, with a small grid and plain controls that remember
// what was done to them, a clock the test moves and a random source it scripts.

namespace {

// Key codes as numbers of their own, not the engine's constants, so a wrong constant does
// not agree with itself. The engine reports outcomes; the colours they take on the window
// are checked with the window (tst_exercisebehaviour, tst_exercisepainting).
constexpr DigitOutcome kShown = DigitOutcome::Shown;
constexpr DigitOutcome kHidden = DigitOutcome::Hidden;
constexpr CheckOutcome kUnchecked = CheckOutcome::Unchecked;
constexpr CheckOutcome kRight = CheckOutcome::Right;
constexpr CheckOutcome kWrong = CheckOutcome::Wrong;
// What a double holds before the engine ever tells it an outcome.
constexpr CheckOutcome kNeverSet = static_cast<CheckOutcome>(-1);
constexpr int kKeyEscape = 27;
constexpr int kKeyEnter = 13;

class FakeGrid : public Grid {
public:
    struct Write {
        int row, col;
        QString text;
    };

    // Digits are shown until something hides them, as on the real grid.
    FakeGrid()
    {
        for (auto &row : outcomes)
            for (DigitOutcome &o : row)
                o = DigitOutcome::Shown;
    }

    void setTextMatrix(int row, int col, const QString &text) override
    {
        cells[row][col] = text;
        writes.push_back({row, col, text});
    }
    QString textMatrix(int row, int col) const override { return cells[row][col]; }
    int rows() const override { return 10; }
    int cols() const override { return 10; }
    void setDigitOutcome(int row1, int col1, int row2, int col2, DigitOutcome outcome) override
    {
        for (int r = row1; r <= row2; ++r)
            for (int c = col1; c <= col2; ++c)
                outcomes[r][c] = outcome;
    }
    DigitOutcome digitOutcome(int row, int col) const override { return outcomes[row][col]; }
    void setColAlignment(int col, int alignment) override { alignments.push_back({col, alignment}); }
    void setRowHeight(int, int) override {}
    int rowHeight(int) const override { return 0; }
    void setColWidth(int, int) override {}

    void fillWith(const QString &digit)
    {
        for (auto &row : cells)
            for (QString &cell : row)
                cell = digit;
    }
    bool allDigits(DigitOutcome outcome) const
    {
        for (const auto &row : outcomes)
            for (DigitOutcome o : row)
                if (o != outcome)
                    return false;
        return true;
    }
    bool full() const
    {
        for (const auto &row : cells)
            for (const QString &cell : row)
                if (cell.size() != 1 || cell < QLatin1String("1") || cell > QLatin1String("9"))
                    return false;
        return true;
    }

    QString cells[10][10];
    DigitOutcome outcomes[10][10];
    std::vector<Write> writes;
    std::vector<std::pair<int, int>> alignments;
};

class FakeControls : public ExerciseControls {
public:
    void setShuffleCaption(const QString &caption) override { shuffleCaption = caption; }
    void setShuffleEnabled(bool enabled) override { shuffleEnabled = enabled; }
    void setStartCaption(const QString &caption) override { startCaption = caption; }
    void setStartEnabled(bool enabled) override { startEnabled = enabled; }
    void setTimerOn(bool on) override { timerOn = on; }
    void setTimeText(const QString &text) override
    {
        timeText = text;
        ++timeTextWrites;
    }
    QString yourAnswer() const override { return answer; }
    void setYourAnswer(const QString &text) override { answer = text; }
    void setYourAnswerOutcome(CheckOutcome outcome) override { answerBack = outcome; }
    void setYourAnswerLocked(bool locked) override { answerLocked = locked; }
    void focusYourAnswer() override { ++answerFocused; }
    void setCorrectAnswer(const QString &text) override { correctAnswer = text; }
    void announceOutcome(const QString &text) override { announced = text; }
    void announce(const QString &text) override { said << text; }
    void setAttemptLabel(int n, const QString &caption, CheckOutcome outcome) override
    {
        attemptCaption[n - 1] = caption;
        attemptBack[n - 1] = outcome;
    }
    void setAverageCaption(const QString &caption) override { averageCaption = caption; }
    void arrangeScoreLabels() override { ++arranged; }

    QString shuffleCaption = QStringLiteral("SHUFFLE");
    bool shuffleEnabled = true;
    QString startCaption = QStringLiteral("START");
    bool startEnabled = true;
    bool timerOn = false;
    QString timeText;
    int timeTextWrites = 0;
    QString answer;
    CheckOutcome answerBack = kNeverSet;
    bool answerLocked = false;
    int answerFocused = 0;
    QString correctAnswer;
    QString announced;
    QStringList said;
    QString attemptCaption[3];
    CheckOutcome attemptBack[3] = {kNeverSet, kNeverSet, kNeverSet};
    QString averageCaption;
    int arranged = 0;
};

// Hands out the scripted values first, then a fixed sequence; counts reseeds.
class ScriptedRandom : public RandomSource {
public:
    void reseed() override { ++reseeds; }
    double next() override
    {
        if (script.empty())
            return fallback.next();
        const double v = script.front();
        script.pop_front();
        return v;
    }
    std::deque<double> script;
    int reseeds = 0;
    SeededRandom fallback{7};
};

// A time of day that wraps at midnight, as a real one does.
class WrappingClock : public ManualClock {
public:
    double secondsSinceMidnight() const override { return std::fmod(midnightOffset + now, 86400.0); }
};

struct Attempt {
    float seconds;
    bool correct;
};

} // namespace

Q_DECLARE_METATYPE(std::vector<Attempt>)
Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(DigitOutcome)
Q_DECLARE_METATYPE(CheckOutcome)

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    // The texts below are those of a locale with a decimal comma.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
    void init();
    void cleanup();

    void loadStartsFresh_data();
    void loadStartsFresh();
    void fillDrawsOneDigitPerCellRowByRow();
    void passDrawsRowThenColumnThenDigit();
    void shuffleStartClearsTheLastRun_data();
    void shuffleStartClearsTheLastRun();
    void blankGridIsFilledBeforeTheFirstReroll();
    void filledGridIsNeverRefilled();
    void passesRunInTheEventLoopUntilStopped();
    void discardEndsTheShuffle();
    void destroyedEngineRunsNoPass();
    void competitionStopStartsTheStopwatch();
    void digitsHiddenOnStop_data();
    void digitsHiddenOnStop();

    void tickWritesOnlyChangedTexts();
    void stopTakesAFinalReading_data();
    void stopTakesAFinalReading();
    void lateTickAfterStopIsIgnored();
    void runAcrossMidnightTimesCorrectly();
    void startAgainCountsFromZero();
    void stopwatchRunsBetweenEventMoments_data();
    void stopwatchRunsBetweenEventMoments();
    void keyStoppingAShuffleStartsAtItsMoment();
    void inputMomentsNest();

    void keys_data();
    void keys();

    void stateTable_data();
    void stateTable();

    void record_data();
    void record();
    void wrongZeroAttemptIsMarkedWrong();
    void checkOnBlankGridDoesNothing();
    void answerMustMatchExactly_data();
    void answerMustMatchExactly();
    void fourthCheckLeavesTheRecord();
    void shuffleAfterAFullRecordResetsItFirst();
    void attemptNumberStopsAtItsLimit();

    void startsAndStopsAreSaid_data();
    void startsAndStopsAreSaid();

private:
    ExerciseEngine &makeEngine(bool competition);
    void timeAttempt(float seconds);
    void run(const QString &script);
    void verifyState(const QString &state, const QString &grid);
    int gridSum() const;

    FakeGrid *grid_ = nullptr;
    FakeControls *controls_ = nullptr;
    ExerciseEngine *engine_ = nullptr;
    ManualClock *clock_ = nullptr;
    ScriptedRandom *random_ = nullptr;
    bool competition_ = false;
    // What the state test itself saw of the stopwatch: when it was started, and the
    // length of the last run that a step stopped.
    double startedAt_ = 0.0;
    double lastRun_ = 0.0;
};

void TestEngine::init()
{
    auto clock = std::make_unique<WrappingClock>();
    clock_ = clock.get();
    engine::setClock(std::move(clock));
    auto random = std::make_unique<ScriptedRandom>();
    random_ = random.get();
    engine::setRandom(std::move(random));
    grid_ = new FakeGrid;
    controls_ = new FakeControls;
}

void TestEngine::cleanup()
{
    delete engine_;
    engine_ = nullptr;
    delete controls_;
    delete grid_;
    engine::setClock(nullptr);
    engine::setRandom(nullptr);
}

ExerciseEngine &TestEngine::makeEngine(bool competition)
{
    competition_ = competition;
    engine_ = new ExerciseEngine(*grid_, *controls_, [this] { return competition_; });
    engine_->load();
    return *engine_;
}

// One stopwatch run of the given length on the driven clock.
void TestEngine::timeAttempt(float seconds)
{
    engine_->btnStart_Click();
    clock_->advance(seconds);
    engine_->btnStart_Click();
    QCOMPARE(engine_->state().elapsed, seconds);
}

void TestEngine::loadStartsFresh_data()
{
    QTest::addColumn<bool>("competition");
    QTest::newRow("Show Mode") << false;
    QTest::newRow("Competition Mode") << true;
}

void TestEngine::loadStartsFresh()
{
    QFETCH(bool, competition);
    controls_->answer = QStringLiteral("999");
    controls_->correctAnswer = QStringLiteral("999");

    const ExerciseEngine &engine = makeEngine(competition);

    const ExerciseState &s = engine.state();
    QCOMPARE(s.attemptNumber, 1);
    QCOMPARE(s.attemptTime1, 0.0f);
    QVERIFY(!s.shuffling);
    QVERIFY(!s.running);
    QCOMPARE(s.elapsed, 0.0f);
    QVERIFY(s.shownTime.isEmpty());
    QCOMPARE(controls_->attemptCaption[0], "1st : --:--");
    QCOMPARE(controls_->attemptCaption[1], "2nd : --:--");
    QCOMPARE(controls_->attemptCaption[2], "3rd : --:--");
    QCOMPARE(controls_->averageCaption, "TIME : --:--");
    QVERIFY(controls_->answer.isEmpty());
    QVERIFY(controls_->correctAnswer.isEmpty());
    QCOMPARE(controls_->answerBack, kUnchecked);
    QCOMPARE(grid_->full(), !competition);
    QCOMPARE(grid_->cells[0][0].isEmpty(), competition);
    QCOMPARE(grid_->alignments, (std::vector<std::pair<int, int>>{{-1, 4}}));
}

void TestEngine::fillDrawsOneDigitPerCellRowByRow()
{
    makeEngine(true);
    // The extremes of [0, 1) give the digits 1 and 9.
    random_->script = {0.0, 0.999999, 0.5, 0.11111};
    engine_->fillGrid();

    QCOMPARE(random_->reseeds, 1);
    QCOMPARE(grid_->writes.size(), size_t(100));
    QCOMPARE(grid_->cells[0][0], "1");
    QCOMPARE(grid_->cells[0][1], "9");
    QCOMPARE(grid_->cells[0][2], "5");
    QCOMPARE(grid_->cells[0][3], "1");
    for (size_t i = 0; i < grid_->writes.size(); ++i) {
        QCOMPARE(grid_->writes[i].row, int(i / 10));
        QCOMPARE(grid_->writes[i].col, int(i % 10));
    }
    QVERIFY(grid_->full());
}

void TestEngine::passDrawsRowThenColumnThenDigit()
{
    makeEngine(false);
    grid_->writes.clear();
    random_->reseeds = 0;
    // Three passes, each drawing a row, a column and a digit of its own.
    random_->script = {0.35, 0.72, 0.5, 0.91, 0.05, 0.0, 0.0, 0.99, 0.999};

    engine_->btnKaristir_Click();
    QCOMPARE(random_->reseeds, 1);
    QCOMPARE(engine_->cellsRerolled(), 1u);
    QCOMPARE(grid_->writes.size(), size_t(1));

    // Each pass of the event loop re-rolls exactly one cell, as the grid sees it.
    for (size_t pass = 2; pass <= 3; ++pass) {
        QCoreApplication::processEvents();
        QCOMPARE(grid_->writes.size(), pass);
    }
    const std::pair<int, int> cells[] = {{3, 7}, {9, 0}, {0, 9}};
    const char *digits[] = {"5", "1", "9"};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(grid_->writes[i].row, cells[i].first);
        QCOMPARE(grid_->writes[i].col, cells[i].second);
        QCOMPARE(grid_->writes[i].text, digits[i]);
    }
    QCOMPARE(random_->reseeds, 1);
    engine_->btnKaristir_Click();
}

void TestEngine::shuffleStartClearsTheLastRun_data()
{
    QTest::addColumn<bool>("competition");
    QTest::addColumn<bool>("checked");
    QTest::newRow("Show Mode, after a timed run") << false << false;
    QTest::newRow("Show Mode, after a check") << false << true;
    QTest::newRow("Competition Mode, after a check") << true << true;
}

// What starting a shuffle sets, whatever the last run left on the screen.
void TestEngine::shuffleStartClearsTheLastRun()
{
    QFETCH(bool, competition);
    QFETCH(bool, checked);

    makeEngine(competition);
    engine_->btnKaristir_Click();
    engine_->btnKaristir_Click();
    if (!competition)
        engine_->btnStart_Click();
    clock_->advance(3.21);
    engine_->btnStart_Click();
    QCOMPARE(controls_->timeText, "0:03:21");
    if (checked) {
        controls_->answer = QStringLiteral("1");
        engine_->btnCheck_Click();
        QVERIFY(!controls_->correctAnswer.isEmpty());
    }

    engine_->btnKaristir_Click();

    QVERIFY(engine_->state().shuffling);
    QVERIFY(!engine_->state().running);
    QCOMPARE(controls_->shuffleCaption, "STOP");
    QVERIFY(!controls_->timerOn);
    QCOMPARE(controls_->startCaption, "START");
    QVERIFY(!controls_->startEnabled);
    QVERIFY2(controls_->timeText.isEmpty(), qPrintable("the time box still shows " + controls_->timeText));
    QVERIFY(controls_->answer.isEmpty());
    QVERIFY(controls_->correctAnswer.isEmpty());
    QCOMPARE(controls_->answerBack, kUnchecked);
    QVERIFY(grid_->allDigits(kShown));
    engine_->btnKaristir_Click();
}

void TestEngine::blankGridIsFilledBeforeTheFirstReroll()
{
    makeEngine(true);
    QVERIFY(grid_->writes.empty());

    engine_->btnKaristir_Click();
    engine_->btnKaristir_Click();

    QCOMPARE(grid_->writes.size(), size_t(101));
    for (size_t i = 0; i < 100; ++i) {
        QCOMPARE(grid_->writes[i].row, int(i / 10));
        QCOMPARE(grid_->writes[i].col, int(i % 10));
    }
    QCOMPARE(engine_->cellsRerolled(), 1u);
    QVERIFY(grid_->full());
}

void TestEngine::filledGridIsNeverRefilled()
{
    makeEngine(true);
    engine_->btnKaristir_Click();
    engine_->Form_KeyDown(kKeyEscape, 0);
    engine_->Form_KeyDown(kKeyEscape, 0);
    grid_->writes.clear();

    for (int i = 0; i < 3; ++i) {
        engine_->btnKaristir_Click();
        engine_->btnKaristir_Click();
        engine_->Form_KeyDown(kKeyEscape, 0);
    }

    // One re-rolled cell per shuffle, no whole refill.
    QCOMPARE(grid_->writes.size(), size_t(3));
}

void TestEngine::passesRunInTheEventLoopUntilStopped()
{
    makeEngine(false);
    engine_->btnKaristir_Click();
    // The click returns at once: the passes run later, in the event loop.
    QCOMPARE(engine_->cellsRerolled(), 1u);
    QVERIFY(engine_->state().shuffling);

    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    const quint64 afterPasses = engine_->cellsRerolled();
    QVERIFY2(afterPasses > 10, qPrintable(QString::number(afterPasses)));

    engine_->btnKaristir_Click();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    QCOMPARE(engine_->cellsRerolled(), afterPasses);
    QCOMPARE(controls_->shuffleCaption, "SHUFFLE");
}

void TestEngine::discardEndsTheShuffle()
{
    makeEngine(false);
    engine_->btnKaristir_Click();
    QCoreApplication::processEvents();
    engine_->discard();
    const quint64 rerolled = engine_->cellsRerolled();

    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();

    QCOMPARE(engine_->cellsRerolled(), rerolled);
    QVERIFY(!engine_->state().shuffling);
    QVERIFY(!controls_->timerOn);
}

void TestEngine::destroyedEngineRunsNoPass()
{
    makeEngine(false);
    engine_->btnKaristir_Click();
    QCoreApplication::processEvents();
    // Gone in the middle of a shuffle: a pass on it would touch freed memory (ASan).
    delete engine_;
    engine_ = nullptr;
    const size_t writes = grid_->writes.size();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    QCOMPARE(grid_->writes.size(), writes);
}

void TestEngine::competitionStopStartsTheStopwatch()
{
    makeEngine(true);
    engine_->btnKaristir_Click();
    QVERIFY(!controls_->startEnabled);
    engine_->btnKaristir_Click();

    QVERIFY(!engine_->state().shuffling);
    QVERIFY(engine_->state().running);
    QVERIFY(controls_->timerOn);
    QCOMPARE(controls_->startCaption, "STOP");
    QVERIFY(controls_->startEnabled);
    QVERIFY(!controls_->shuffleEnabled);
    QVERIFY(grid_->allDigits(kShown));
}

void TestEngine::digitsHiddenOnStop_data()
{
    QTest::addColumn<bool>("competition");
    QTest::addColumn<bool>("checkWhileTiming");
    QTest::addColumn<DigitOutcome>("afterStop");

    QTest::newRow("Show Mode") << false << false << kShown;
    QTest::newRow("Competition Mode") << true << false << kHidden;
    // Once the sum is shown, hiding the digits again would hide what it is checked against.
    QTest::newRow("Competition Mode, revealed while timing") << true << true << kShown;
}

void TestEngine::digitsHiddenOnStop()
{
    QFETCH(bool, competition);
    QFETCH(bool, checkWhileTiming);
    QFETCH(DigitOutcome, afterStop);

    makeEngine(competition);
    engine_->btnKaristir_Click();
    engine_->btnKaristir_Click();
    if (!competition)
        engine_->btnStart_Click();
    clock_->advance(2.0);
    if (checkWhileTiming)
        engine_->btnCheck_Click();
    engine_->Form_KeyDown(kKeyEscape, 0);
    QVERIFY(grid_->allDigits(afterStop));

    // The check shows them again; the next shuffle and stop hide them again.
    engine_->btnCheck_Click();
    QVERIFY(grid_->allDigits(kShown));
    engine_->btnKaristir_Click();
    engine_->btnKaristir_Click();
    engine_->btnStart_Click();
    QVERIFY(grid_->allDigits(competition ? kHidden : kShown));
}

void TestEngine::tickWritesOnlyChangedTexts()
{
    makeEngine(false);
    engine_->btnStart_Click();
    QVERIFY(controls_->timerOn);

    engine_->trmSure_Timer();
    QCOMPARE(controls_->timeText, "0:00:00");
    QCOMPARE(controls_->timeTextWrites, 1);

    clock_->advance(0.004);   // still 0.00
    engine_->trmSure_Timer();
    QCOMPARE(controls_->timeTextWrites, 1);

    clock_->advance(0.006);
    engine_->trmSure_Timer();
    QCOMPARE(controls_->timeText, "0:00:01");
    QCOMPARE(controls_->timeTextWrites, 2);
    engine_->trmSure_Timer();
    QCOMPARE(controls_->timeTextWrites, 2);

    clock_->advance(75.49);
    engine_->trmSure_Timer();
    QCOMPARE(controls_->timeText, "1:15:50");
    QCOMPARE(engine_->state().elapsed, 75.5f);
    QCOMPARE(engine_->state().shownTime, "1:15:50");
}

void TestEngine::stopTakesAFinalReading_data()
{
    QTest::addColumn<double>("sinceLastTick");
    QTest::addColumn<float>("recorded");
    QTest::addColumn<int>("writes");

    QTest::newRow("same hundredth") << 0.002 << 4.44f << 1;
    QTest::newRow("next hundredth") << 0.008 << 4.45f << 2;
    QTest::newRow("a tick missed") << 0.5 << 4.94f << 2;
}

void TestEngine::stopTakesAFinalReading()
{
    QFETCH(double, sinceLastTick);
    QFETCH(float, recorded);
    QFETCH(int, writes);

    makeEngine(false);
    engine_->btnStart_Click();
    clock_->advance(4.44);
    engine_->trmSure_Timer();
    clock_->advance(sinceLastTick);
    engine_->btnStart_Click();

    QCOMPARE(engine_->state().elapsed, recorded);
    QCOMPARE(controls_->timeTextWrites, writes);
    QCOMPARE(controls_->timeText, timetext::runningText(recorded));
    QVERIFY(!controls_->timerOn);
    QCOMPARE(controls_->answerFocused, 1);
}

void TestEngine::lateTickAfterStopIsIgnored()
{
    makeEngine(false);
    timeAttempt(4.44f);
    clock_->advance(3.0);
    // A tick already queued when STOP ran.
    engine_->trmSure_Timer();
    QCOMPARE(engine_->state().elapsed, 4.44f);
    QCOMPARE(controls_->timeText, "0:04:44");
}

void TestEngine::runAcrossMidnightTimesCorrectly()
{
    makeEngine(false);
    clock_->midnightOffset = 86400.0 - 2.0 - clock_->now;
    const double before = clock_->secondsSinceMidnight();
    engine_->btnStart_Click();
    clock_->advance(4.44);
    engine_->trmSure_Timer();
    QVERIFY(clock_->secondsSinceMidnight() < before);   // the time of day started again at 0
    engine_->btnStart_Click();

    QCOMPARE(engine_->state().elapsed, 4.44f);
    QCOMPARE(controls_->timeText, "0:04:44");
}

void TestEngine::startAgainCountsFromZero()
{
    makeEngine(false);
    timeAttempt(30.0f);
    engine_->btnStart_Click();
    clock_->advance(1.25);
    engine_->trmSure_Timer();
    QCOMPARE(engine_->state().elapsed, 1.25f);
    QCOMPARE(controls_->timeText, "0:01:25");
}

void TestEngine::stopwatchRunsBetweenEventMoments_data()
{
    // How long the starting and the stopping event waited before their handlers ran
    // (none: the event gave no moment), how far apart the handlers ran, and the reading.
    QTest::addColumn<std::optional<double>>("startWaited");
    QTest::addColumn<std::optional<double>>("stopWaited");
    QTest::addColumn<double>("handlersApart");
    QTest::addColumn<float>("reading");
    QTest::addColumn<float>("firstTick");

    const std::optional<double> none;
    QTest::newRow("no moments: the handlers' clock") << none << none << 1.240 << 1.24f << 0.0f;
    QTest::newRow("both events waited") << std::optional(0.030) << std::optional(0.036) << 1.240 << 1.23f << 0.03f;
    QTest::newRow("only the start waited") << std::optional(0.030) << none << 1.240 << 1.27f << 0.03f;
    QTest::newRow("only the stop waited") << none << std::optional(0.036) << 1.240 << 1.20f << 0.0f;
    QTest::newRow("start stamped in the future") << std::optional(-0.5) << none << 1.240 << 1.24f << 0.0f;
    QTest::newRow("start stamped 3 s before") << std::optional(3.0) << none << 1.240 << 1.24f << 0.0f;
    QTest::newRow("start stamped 2 s before") << std::optional(2.0) << none << 1.240 << 3.24f << 2.0f;
    QTest::newRow("stop stamped before the start") << std::optional(0.0) << std::optional(1.5) << 1.0 << 0.0f
                                                   << 0.0f;
}

void TestEngine::stopwatchRunsBetweenEventMoments()
{
    QFETCH(std::optional<double>, startWaited);
    QFETCH(std::optional<double>, stopWaited);
    QFETCH(double, handlersApart);
    QFETCH(float, reading);
    QFETCH(float, firstTick);

    auto momentOf = [this](std::optional<double> waited) {
        return waited ? std::optional(clock_->now - *waited) : std::nullopt;
    };
    makeEngine(false);
    {
        const engine::InputMoment moment(momentOf(startWaited));
        engine_->btnStart_Click();
    }
    QVERIFY(engine_->state().running);
    // The running display counts from the event, too.
    engine_->trmSure_Timer();
    QCOMPARE(engine_->state().elapsed, firstTick);
    clock_->advance(handlersApart);
    {
        const engine::InputMoment moment(momentOf(stopWaited));
        engine_->btnStart_Click();
    }
    QVERIFY(!engine_->state().running);
    QCOMPARE(engine_->state().elapsed, reading);
    QCOMPARE(controls_->timeText, timetext::runningText(reading));
}

void TestEngine::keyStoppingAShuffleStartsAtItsMoment()
{
    makeEngine(true);
    engine_->btnKaristir_Click();
    clock_->advance(0.5);
    {
        const engine::InputMoment moment(clock_->now - 0.020);   // Escape waited 20 ms
        engine_->Form_KeyDown(kKeyEscape, 0);
    }
    QVERIFY(!engine_->state().shuffling);
    QVERIFY(engine_->state().running);
    clock_->advance(1.0);
    {
        const engine::InputMoment moment(clock_->now - 0.010);   // Enter waited 10 ms
        engine_->Form_KeyDown(kKeyEnter, 0);
    }
    QVERIFY(!engine_->state().running);
    QCOMPARE(engine_->state().elapsed, 1.01f);
}

void TestEngine::inputMomentsNest()
{
    makeEngine(false);
    const double outer = clock_->now - 0.040;
    {
        const engine::InputMoment moment(outer);
        {
            // An event without a moment handled inside keeps the outer one.
            const engine::InputMoment none(std::nullopt);
            QCOMPARE(engine::momentOfInput(), outer);
            const engine::InputMoment inner(clock_->now - 0.010);
            QCOMPARE(engine::momentOfInput(), clock_->now - 0.010);
        }
        QCOMPARE(engine::momentOfInput(), outer);
    }
    QCOMPARE(engine::momentOfInput(), clock_->now);
}

void TestEngine::keys_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("acts");

    for (const char *state : {"fresh", "shuffling", "timing", "answering", "revealed", "revealed timing"}) {
        const bool acts = QByteArray(state) == "shuffling" || QByteArray(state).endsWith("timing");
        QTest::addRow("%s Escape", state) << QString::fromLatin1(state) << int(kKeyEscape) << acts;
        QTest::addRow("%s Enter", state) << QString::fromLatin1(state) << int(kKeyEnter) << acts;
        QTest::addRow("%s Space", state) << QString::fromLatin1(state) << int(' ') << false;
    }
}

void TestEngine::keys()
{
    QFETCH(QString, state);
    QFETCH(int, key);
    QFETCH(bool, acts);

    makeEngine(false);
    controls_->answer = QStringLiteral("0");
    if (state == "shuffling") {
        engine_->btnKaristir_Click();
    } else if (state == "timing") {
        engine_->btnStart_Click();
    } else if (state == "answering") {
        timeAttempt(2.0f);
    } else if (state == "revealed") {
        timeAttempt(2.0f);
        engine_->btnCheck_Click();
    } else if (state == "revealed timing") {
        engine_->btnStart_Click();
        engine_->btnCheck_Click();
    }
    const ExerciseState before = engine_->state();
    const int focusedBefore = controls_->answerFocused;
    clock_->advance(1.0);

    engine_->Form_KeyDown(key, 0);

    const ExerciseState &after = engine_->state();
    QVERIFY(!after.running || !acts);
    QVERIFY(!after.shuffling || !acts);
    if (!acts) {
        QCOMPARE(after.running, before.running);
        QCOMPARE(after.shuffling, before.shuffling);
        QCOMPARE(after.elapsed, before.elapsed);
        QCOMPARE(controls_->answerFocused, focusedBefore);
    } else if (before.running) {
        QCOMPARE(controls_->startCaption, "START");
        QCOMPARE(controls_->answerFocused, focusedBefore + 1);
        QVERIFY(controls_->shuffleEnabled);
    } else {
        QCOMPARE(controls_->shuffleCaption, "SHUFFLE");
        QVERIFY(controls_->startEnabled);
    }
}

namespace {

// The steps (ExerciseScript.h) that lead from a fresh window to each state of the exercise
// window, by mode. Each user action comes 1.5 s after the last; a check is made with a wrong
// sum typed, where the box still takes one.
QString pathTo(const QString &state, bool competition)
{
    const auto actions = [](const QStringList &list) {
        QString script;
        for (const QString &action : list)
            script += QStringLiteral(" wait:1.5 ") + action;
        return script;
    };
    // In Competition Mode the stopwatch starts by itself when the shuffle stops.
    const QStringList timing = competition ? QStringList{"shuffle", "shuffle"} : QStringList{"shuffle", "shuffle", "start"};
    if (state == "Fresh")
        return QString();
    if (state == "Shuffling")
        return actions({"shuffle"});
    if (state == "Shuffling, checked")
        return actions({"shuffle", "wrong check"});
    if (state == "Ready")
        return actions({"shuffle", "shuffle"});
    if (state == "Timing")
        return actions(timing);
    if (state == "Timing after a check while shuffling")
        return competition ? actions({"shuffle", "wrong check", "shuffle"})
                           : actions({"shuffle", "wrong check", "shuffle", "start"});
    if (state == "Timing from Answering")
        return actions(timing + QStringList{"start", "start"});
    if (state == "Answering")
        return actions(timing + QStringList{"start"});
    if (state == "Revealed")
        return actions(timing + QStringList{"start", "wrong check"});
    if (state == "Revealed, record full")
        return actions(timing + QStringList{"start", "wrong check", "check", "check"});
    if (state == "Revealed while timing")
        return actions(timing + QStringList{"wrong check"});
    qFatal("no path to %s", qPrintable(state));
}

// The running box's text for the runs the state table makes, in a locale with a decimal
// comma. Each step comes 1.5 s after the last and a timing state is read 1 s on, so a run
// lasts 1, 1.5, 2.5 or 4 seconds; the texts are worked by hand.
QString runningBoxText(double seconds)
{
    static const std::pair<double, const char *> texts[] = {
        {1.0, "0:01:00"}, {1.5, "0:01:50"}, {2.5, "0:02:50"}, {4.0, "0:04:00"}};
    for (const auto &[length, text] : texts)
        if (std::abs(seconds - length) < 1e-9)
            return QString::fromLatin1(text);
    return QStringLiteral("no worked text for %1 s").arg(seconds);
}

} // namespace

int TestEngine::gridSum() const
{
    int sum = 0;
    for (const auto &row : grid_->cells)
        for (const QString &cell : row)
            sum += cell.toInt();
    return sum;
}

// Drives the engine alone through the steps of ExerciseScript.h, as the window would on
// those clicks, keys and typing.
void TestEngine::run(const QString &script)
{
    using exerciseScript::Action;
    QString bad;
    const QList<exerciseScript::Step> steps = exerciseScript::parse(script, &bad);
    QVERIFY2(bad.isEmpty(), qPrintable("unknown step " + bad));
    for (const exerciseScript::Step &step : steps) {
        const bool wasRunning = engine_->state().running;
        switch (step.action) {
        case Action::Shuffle:
            QVERIFY2(controls_->shuffleEnabled, "SHUFFLE is disabled here");
            engine_->btnKaristir_Click();
            break;
        case Action::Start:
            QVERIFY2(controls_->startEnabled, "START is disabled here");
            engine_->btnStart_Click();
            break;
        case Action::Check:
            engine_->btnCheck_Click();
            break;
        case Action::Reset:
            engine_->btnReset_Click();
            break;
        case Action::Escape:
            engine_->Form_KeyDown(kKeyEscape, 0);
            break;
        case Action::Enter:
            engine_->Form_KeyDown(kKeyEnter, 0);
            break;
        case Action::Wait:
            clock_->advance(step.seconds);
            if (controls_->timerOn)
                engine_->trmSure_Timer();
            break;
        case Action::Drift:
            clock_->advance(step.seconds);
            break;
        case Action::Right:
        case Action::Wrong:
        case Action::Zero:
        case Action::Space:
        case Action::Blank:
            if (!controls_->answerLocked)
                controls_->answer = exerciseScript::typed(step.action, gridSum());
            break;
        case Action::Back:
            engine_->discard();
            break;
        case Action::Passes:
        case Action::Open:
            QFAIL(qPrintable("no " + step.word + " step for the engine alone"));
        }
        const bool isRunning = engine_->state().running;
        if (!wasRunning && isRunning)
            startedAt_ = clock_->now;
        if (wasRunning && !isRunning)
            lastRun_ = clock_->now - startedAt_;
    }
}

// The controls as the table of states of the exercise window gives them; grid is "blank",
// "shown" (digits black) or "hidden" (digits white).
void TestEngine::verifyState(const QString &state, const QString &grid)
{
    const FakeControls &c = *controls_;
    if (state == "Gone") {
        QVERIFY(!engine_->state().shuffling);
        QVERIFY(!engine_->state().running);
        QVERIFY(!c.timerOn);
        const size_t writes = grid_->writes.size();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(grid_->writes.size(), writes);
        return;
    }

    const bool shuffling = state.startsWith("Shuffling");
    const bool timing = state.startsWith("Timing") || state == "Revealed while timing";
    const bool revealed = state.startsWith("Revealed");
    const bool checkedInShuffle = state == "Shuffling, checked";

    QCOMPARE(engine_->state().shuffling, shuffling);
    QCOMPARE(engine_->state().running, timing);
    QCOMPARE(c.shuffleCaption, shuffling ? "STOP" : "SHUFFLE");
    QCOMPARE(c.shuffleEnabled, !timing);
    QCOMPARE(c.startCaption, timing ? "STOP" : "START");
    QCOMPARE(c.startEnabled, !shuffling && !revealed);
    QCOMPARE(c.timerOn, timing);

    if (revealed || checkedInShuffle) {
        QCOMPARE(c.correctAnswer, QString::number(gridSum()));
        QVERIFY(c.answerLocked);
        QCOMPARE(c.answerBack, c.answer == c.correctAnswer ? kRight
                                                           : kWrong);
    } else {
        QCOMPARE(c.correctAnswer, QString());
        QCOMPARE(c.answerBack, kUnchecked);
        if (!shuffling)
            QVERIFY(!c.answerLocked);
        // The program empties it when a shuffle starts; elsewhere it holds what was typed.
        if (shuffling || state == "Ready")
            QCOMPARE(c.answer, QString());
    }

    if (grid == "blank") {
        QVERIFY(grid_->cells[0][0].isEmpty());
    } else {
        QVERIFY(grid_->full());
        QVERIFY(grid_->allDigits(grid == "hidden" ? kHidden : kShown));
    }

    if (state == "Answering") {
        QVERIFY(c.answerFocused > 0);
        QCOMPARE(c.timeText, runningBoxText(lastRun_));
    }
    if (shuffling) {
        QCOMPARE(c.timeText, QString());
        // One cell at a time keeps changing.
        const size_t writes = grid_->writes.size();
        QTRY_VERIFY(grid_->writes.size() > writes);
    }
    if (timing) {
        // txtSure counts from the moment of START.
        clock_->advance(1.0);
        engine_->trmSure_Timer();
        QCOMPARE(c.timeText, runningBoxText(clock_->now - startedAt_));
    }
}

void TestEngine::stateTable_data()
{
    QTest::addColumn<bool>("competition");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("attemptNumber");

    for (const bool competition : {false, true}) {
        const char *mode = competition ? "Competition" : "Show";
        const auto row = [&](const char *from, const char *event, const char *to, const char *grid, int attempt) {
            QTest::addRow("%s: %s + %s -> %s", mode, from, event, to)
                << competition << QString::fromLatin1(from) << QString::fromLatin1(event) << QString::fromLatin1(to)
                << QString::fromLatin1(grid) << attempt;
        };
        // Hidden digits after a stop in Competition Mode; always shown in Show Mode.
        const char *stopped = competition ? "hidden" : "shown";
        const char *fresh = competition ? "blank" : "shown";
        // Show Mode stops a shuffle in Ready; Competition Mode goes on timing at once.
        const char *afterShuffle = competition ? "Timing" : "Ready";

        // SHUFFLE, from every state where it is enabled; a full record is cleared first.
        row("Fresh", "shuffle", "Shuffling", "shown", 1);
        if (!competition)
            row("Ready", "shuffle", "Shuffling", "shown", 1);
        row("Answering", "shuffle", "Shuffling", "shown", 1);
        row("Revealed", "shuffle", "Shuffling", "shown", 2);
        row("Revealed, record full", "shuffle", "Shuffling", "shown", 1);

        // STOP on the shuffle button, Escape or Enter end the shuffle; a check made during
        // it leaves no sum behind for the next attempt.
        for (const char *stop : {"shuffle", "esc", "enter"}) {
            row("Shuffling", stop, afterShuffle, "shown", 1);
            row("Shuffling, checked", stop, afterShuffle, "shown", 2);
        }

        // START.
        row("Fresh", "start", "Timing", fresh, 1);
        if (!competition)
            row("Ready", "start", "Timing", "shown", 1);
        row("Answering", "start", "Timing from Answering", stopped, 1);

        // STOP on START, Escape or Enter end the timing.
        for (const char *stop : {"start", "esc", "enter"}) {
            row("Timing", stop, "Answering", stopped, 1);
            row("Timing from Answering", stop, "Answering", stopped, 1);
            // A check while shuffling does not reveal the next timed run's digits.
            row("Timing after a check while shuffling", stop, "Answering", stopped, 2);
        }

        // SHOW CORRECT ANSWER. A blank grid has no sum: the check does nothing there.
        if (competition)
            row("Fresh", "wrong check", "Fresh", "blank", 1);
        else
            row("Fresh", "wrong check", "Revealed", "shown", 2);
        if (!competition)
            row("Ready", "wrong check", "Revealed", "shown", 2);
        row("Answering", "wrong check", "Revealed", "shown", 2);
        row("Revealed", "wrong check", "Revealed", "shown", 3);
        row("Shuffling", "wrong check", "Shuffling, checked", "shown", 2);
        row("Timing", "wrong check", "Revealed while timing", "shown", 2);
        // Only a check made while timing keeps the digits shown after the stop.
        row("Revealed while timing", "esc", "Revealed", "shown", 2);
        row("Revealed while timing", "enter", "Revealed", "shown", 2);

        // Escape and Enter do nothing where nothing runs.
        for (const char *key : {"esc", "enter"}) {
            row("Fresh", key, "Fresh", fresh, 1);
            if (!competition)
                row("Ready", key, "Ready", "shown", 1);
            row("Answering", key, "Answering", stopped, 1);
            row("Revealed", key, "Revealed", "shown", 2);
        }

        // RESET clears the record in every state and changes nothing else.
        row("Fresh", "reset", "Fresh", fresh, 1);
        row("Shuffling", "reset", "Shuffling", "shown", 1);
        if (!competition)
            row("Ready", "reset", "Ready", "shown", 1);
        row("Timing", "reset", "Timing", "shown", 1);
        row("Answering", "reset", "Answering", stopped, 1);
        row("Revealed", "reset", "Revealed", "shown", 1);
        row("Revealed while timing", "reset", "Revealed while timing", "shown", 1);

        // Back discards the window: nothing runs on.
        for (const char *from : {"Fresh", "Shuffling", "Timing", "Answering", "Revealed while timing"})
            row(from, "back", "Gone", "", 1);
    }
}

void TestEngine::stateTable()
{
    QFETCH(bool, competition);
    QFETCH(QString, from);
    QFETCH(QString, event);
    QFETCH(QString, to);
    QFETCH(QString, grid);
    QFETCH(int, attemptNumber);

    makeEngine(competition);
    run(pathTo(from, competition));
    if (QTest::currentTestFailed())
        return;
    run(QStringLiteral("wait:1.5 ") + event);
    if (QTest::currentTestFailed())
        return;

    if (to != "Gone")
        QCOMPARE(engine_->state().attemptNumber, attemptNumber);
    verifyState(to, grid);
}

void TestEngine::record_data()
{
    QTest::addColumn<std::vector<Attempt>>("attempts");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<CheckOutcome>>("backs");
    QTest::addColumn<QString>("average");
    QTest::addColumn<QList<float>>("times");

    const CheckOutcome none = kUnchecked;
    const CheckOutcome good = kRight;
    const CheckOutcome bad = kWrong;
    const QString blank1 = QStringLiteral("1st : --:--"), blank2 = QStringLiteral("2nd : --:--"),
                  blank3 = QStringLiteral("3rd : --:--");

    QTest::newRow("correct 4.44") << std::vector<Attempt>{{4.44f, true}}
        << QStringList{"1st : 04:44", blank2, blank3} << QList<CheckOutcome>{good, none, none}
        << "TIME : 04:44" << QList<float>{4.44f, 0, 0};
    QTest::newRow("wrong 4.44") << std::vector<Attempt>{{4.44f, false}}
        << QStringList{"1st : 04:44", blank2, blank3} << QList<CheckOutcome>{bad, none, none}
        << "TIME : --:--" << QList<float>{-4.44f, 0, 0};
    QTest::newRow("two correct") << std::vector<Attempt>{{4.0f, true}, {6.0f, true}}
        << QStringList{"1st : 04:00", "2nd : 06:00", blank3} << QList<CheckOutcome>{good, good, none}
        << "TIME : 05:00" << QList<float>{4, 6, 0};
    QTest::newRow("three correct") << std::vector<Attempt>{{4.0f, true}, {6.0f, true}, {8.0f, true}}
        << QStringList{"1st : 04:00", "2nd : 06:00", "3rd : 08:00"} << QList<CheckOutcome>{good, good, good}
        << "TIME : 06:00" << QList<float>{4, 6, 8};
    QTest::newRow("wrong last") << std::vector<Attempt>{{4.0f, true}, {6.0f, true}, {8.0f, false}}
        << QStringList{"1st : 04:00", "2nd : 06:00", "3rd : 08:00"} << QList<CheckOutcome>{good, good, bad}
        << "TIME : --:--" << QList<float>{4, 6, -8};
    QTest::newRow("earlier wrong left out") << std::vector<Attempt>{{4.0f, false}, {6.0f, true}}
        << QStringList{"1st : 04:00", "2nd : 06:00", blank3} << QList<CheckOutcome>{bad, good, none}
        << "TIME : 06:00" << QList<float>{-4, 6, 0};
    QTest::newRow("middle wrong left out") << std::vector<Attempt>{{4.0f, true}, {5.0f, false}, {8.0f, true}}
        << QStringList{"1st : 04:00", "2nd : 05:00", "3rd : 08:00"} << QList<CheckOutcome>{good, bad, good}
        << "TIME : 06:00" << QList<float>{4, -5, 8};
    QTest::newRow("wrong zero left out") << std::vector<Attempt>{{0.0f, false}, {6.0f, true}}
        << QStringList{"1st : 00:00", "2nd : 06:00", blank3} << QList<CheckOutcome>{bad, good, none}
        << "TIME : 06:00" << QList<float>{0, 6, 0};
    QTest::newRow("correct zero counts") << std::vector<Attempt>{{0.0f, true}, {6.0f, true}}
        << QStringList{"1st : 00:00", "2nd : 06:00", blank3} << QList<CheckOutcome>{good, good, none}
        << "TIME : 03:00" << QList<float>{0, 6, 0};
    QTest::newRow("minutes") << std::vector<Attempt>{{75.5f, true}, {60.0f, true}}
        << QStringList{"1st : 1:15:50", "2nd : 1:00:00", blank3} << QList<CheckOutcome>{good, good, none}
        << "TIME : 1:07:75" << QList<float>{75.5f, 60, 0};
}

void TestEngine::record()
{
    QFETCH(std::vector<Attempt>, attempts);
    QFETCH(QStringList, captions);
    QFETCH(QList<CheckOutcome>, backs);
    QFETCH(QString, average);
    QFETCH(QList<float>, times);

    makeEngine(false);
    grid_->fillWith(QStringLiteral("5"));
    for (const Attempt &a : attempts) {
        timeAttempt(a.seconds);
        controls_->answer = a.correct ? QStringLiteral("500") : QStringLiteral("499");
        const int arranged = controls_->arranged;
        engine_->btnCheck_Click();
        QCOMPARE(controls_->correctAnswer, "500");
        QCOMPARE(controls_->answerBack, a.correct ? kRight : kWrong);
        QVERIFY(controls_->answerLocked);
        QVERIFY(!controls_->startEnabled);
        QCOMPARE(controls_->arranged, arranged + 1);
    }

    const ExerciseState &s = engine_->state();
    QCOMPARE(s.attemptNumber, int(attempts.size()) + 1);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(controls_->attemptCaption[i], captions[i]);
        QCOMPARE(controls_->attemptBack[i], backs[i]);
    }
    QCOMPARE(controls_->averageCaption, average);
    QCOMPARE(s.attemptTime1, times[0]);
    QCOMPARE(s.attemptTime2, times[1]);
    QCOMPARE(s.attemptTime3, times[2]);
}

void TestEngine::wrongZeroAttemptIsMarkedWrong()
{
    makeEngine(false);
    grid_->fillWith(QStringLiteral("1"));
    controls_->answer = QStringLiteral("99");
    engine_->btnCheck_Click();
    // -0 is the only mark a wrong attempt of no time can carry.
    QVERIFY(std::signbit(engine_->state().attemptTime1));
    QCOMPARE(controls_->averageCaption, "TIME : --:--");
}

void TestEngine::checkOnBlankGridDoesNothing()
{
    makeEngine(true);
    engine_->btnStart_Click();
    clock_->advance(3.0);
    engine_->btnStart_Click();
    controls_->answer = QStringLiteral("450");
    const FakeControls before = *controls_;

    engine_->btnCheck_Click();

    QCOMPARE(engine_->state().attemptNumber, 1);
    QCOMPARE(engine_->state().attemptTime1, 0.0f);
    QVERIFY(controls_->correctAnswer.isEmpty());
    QCOMPARE(controls_->answerBack, before.answerBack);
    QCOMPARE(controls_->answerLocked, before.answerLocked);
    QCOMPARE(controls_->startEnabled, before.startEnabled);
    QCOMPARE(controls_->attemptCaption[0], "1st : --:--");
    QCOMPARE(controls_->averageCaption, "TIME : --:--");
    QCOMPARE(controls_->arranged, before.arranged);
    QVERIFY(grid_->allDigits(kHidden));
    QVERIFY(grid_->writes.empty());
}

void TestEngine::answerMustMatchExactly_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("correct");

    QTest::newRow("exact") << "487" << true;
    QTest::newRow("leading zero") << "0487" << false;
    QTest::newRow("leading space") << " 487" << false;
    QTest::newRow("trailing space") << "487 " << false;
    QTest::newRow("plus sign") << "+487" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("other number") << "486" << false;
}

void TestEngine::answerMustMatchExactly()
{
    QFETCH(QString, answer);
    QFETCH(bool, correct);

    makeEngine(false);
    // 87 cells of 5 and 13 cells of 4: 435 + 52 = 487.
    grid_->fillWith(QStringLiteral("5"));
    for (int i = 0; i < 13; ++i)
        grid_->cells[i / 10][i % 10] = QStringLiteral("4");
    controls_->answer = answer;
    engine_->btnCheck_Click();

    QCOMPARE(controls_->correctAnswer, "487");
    QCOMPARE(controls_->answerBack, correct ? kRight : kWrong);
    QCOMPARE(controls_->announced, correct ? "Correct, 487" : "Wrong, the sum is 487");
    QCOMPARE(controls_->attemptBack[0], correct ? kRight : kWrong);
}

void TestEngine::fourthCheckLeavesTheRecord()
{
    makeEngine(true);
    engine_->btnKaristir_Click();
    engine_->btnKaristir_Click();   // the stopwatch starts by itself
    clock_->advance(4.0);
    engine_->btnStart_Click();
    QVERIFY(grid_->allDigits(kHidden));
    for (int i = 0; i < 3; ++i)
        engine_->btnCheck_Click();
    const FakeControls before = *controls_;
    const ExerciseState stateBefore = engine_->state();

    controls_->answer = controls_->correctAnswer;
    engine_->btnCheck_Click();

    QCOMPARE(controls_->answerBack, kRight);
    QCOMPARE(before.answerBack, kWrong);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(controls_->attemptCaption[i], before.attemptCaption[i]);
        QCOMPARE(controls_->attemptBack[i], before.attemptBack[i]);
    }
    QCOMPARE(controls_->averageCaption, before.averageCaption);
    QCOMPARE(engine_->state().attemptTime1, stateBefore.attemptTime1);
    QCOMPARE(engine_->state().attemptTime3, stateBefore.attemptTime3);
    QCOMPARE(engine_->state().attemptNumber, 5);
    QVERIFY(grid_->allDigits(kShown));
}

void TestEngine::shuffleAfterAFullRecordResetsItFirst()
{
    makeEngine(false);
    grid_->fillWith(QStringLiteral("5"));
    controls_->answer = QStringLiteral("500");
    for (int i = 0; i < 3; ++i)
        engine_->btnCheck_Click();
    QCOMPARE(controls_->averageCaption, "TIME : 00:00");

    engine_->btnKaristir_Click();

    QCOMPARE(engine_->state().attemptNumber, 1);
    QCOMPARE(controls_->attemptCaption[0], "1st : --:--");
    QCOMPARE(controls_->attemptCaption[2], "3rd : --:--");
    QCOMPARE(controls_->attemptBack[1], kUnchecked);
    QCOMPARE(controls_->averageCaption, "TIME : --:--");
    engine_->btnKaristir_Click();
}

void TestEngine::attemptNumberStopsAtItsLimit()
{
    makeEngine(false);
    grid_->fillWith(QStringLiteral("5"));
    constexpr int limit = std::numeric_limits<std::int16_t>::max();
    for (int i = 1; i < limit; ++i)
        engine_->btnCheck_Click();
    QCOMPARE(engine_->state().attemptNumber, limit);

    engine_->btnCheck_Click();
    engine_->btnCheck_Click();

    // No wrap to a negative count, and no attempt slot is written again.
    QCOMPARE(engine_->state().attemptNumber, limit);
    QCOMPARE(controls_->attemptCaption[0], "1st : 00:00");
    engine_->btnKaristir_Click();
    QCOMPARE(engine_->state().attemptNumber, 1);
    engine_->btnKaristir_Click();
}

// A screen reader hears each start and stop, and the reading with the stop, in the order
// they happen; readings in words, as a listener would say them.
void TestEngine::startsAndStopsAreSaid_data()
{
    QTest::addColumn<bool>("competition");
    QTest::addColumn<double>("run");
    QTest::addColumn<QStringList>("said");
    QTest::newRow("Show Mode") << false << 4.44
        << QStringList{"Shuffling", "Shuffle stopped", "Stopwatch started", "Stopwatch stopped at 4.44 seconds"};
    QTest::newRow("Competition Mode") << true << 75.5
        << QStringList{"Shuffling", "Shuffle stopped", "Stopwatch started",
                       "Stopwatch stopped at 1 minute 15.50 seconds"};
    QTest::newRow("two minutes") << false << 120.07
        << QStringList{"Shuffling", "Shuffle stopped", "Stopwatch started",
                       "Stopwatch stopped at 2 minutes 0.07 seconds"};
}

void TestEngine::startsAndStopsAreSaid()
{
    QFETCH(bool, competition);
    QFETCH(double, run);
    QFETCH(QStringList, said);
    makeEngine(competition);
    engine_->btnKaristir_Click();
    engine_->btnKaristir_Click();
    if (!competition)
        engine_->btnStart_Click();
    clock_->advance(run);
    engine_->trmSure_Timer();
    engine_->btnStart_Click();
    QCOMPARE(controls_->said, said);
    // A check says its outcome, not a start or a stop.
    engine_->btnCheck_Click();
    QCOMPARE(controls_->said, said);
    // RESET, and the reset before the shuffle after a full record, say so.
    engine_->btnReset_Click();
    QCOMPARE(controls_->said.last(), "Record cleared");
    for (int i = 0; i < 3; ++i)
        engine_->btnCheck_Click();
    controls_->said.clear();
    engine_->btnKaristir_Click();
    QCOMPARE(controls_->said, QStringList({"Record cleared", "Shuffling"}));
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
