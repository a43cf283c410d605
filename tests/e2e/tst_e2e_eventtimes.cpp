// SPDX-License-Identifier: GPL-3.0-or-later
// The stopwatch on a real X server, with every core busy: each reading, as the time box
// shows it, is the interval between the two events that started and stopped it as the X
// server stamped them (recorded independently through the RECORD extension), however
// long those events waited for their handlers. A held key acts once.
#include "tools/inputrecorder/InputRecorder.h"
#include "e2eSupport.h"

#include "app/App.h"
#include "app/ExerciseWindow.h"
#include "app/SharedState.h"
#include "app/StartWindow.h"
#include "app/WindowRegistry.h"
#include "ui/skin/SkinButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

using e2e::xdotool;

QPoint centreOf(const QWidget *w) { return w->mapToGlobal(w->rect().center()); }

QString xy(QPoint p) { return QStringLiteral("%1 %2").arg(p.x()).arg(p.y()); }

// The reading in the time box, "m:ss.cc" (or with the locale's separator), in seconds;
// negative when the box does not hold a reading.
double shownSeconds(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d+):(\\d\\d)[.,:](\\d\\d)$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return -1;
    return m.captured(1).toInt() * 60 + m.captured(2).toInt() + m.captured(3).toInt() / 100.0;
}

// Counts the repeated presses of a held key that reach the program.
class RepeatCounter : public QObject {
public:
    int repeats = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->isAutoRepeat()
            && watched == QApplication::focusWidget())
            ++repeats;
        return QObject::eventFilter(watched, event);
    }
};

// The X server times of the key and button events that have reached the program.
class ArrivalWatch : public QObject {
public:
    QSet<quint64> stamps;
    QList<quint64> keyReleases;   // in the order they came

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            if (event->spontaneous() && watched->isWindowType()) {
                stamps.insert(static_cast<QInputEvent *>(event)->timestamp());
                if (event->type() == QEvent::KeyRelease)
                    keyReleases << static_cast<QInputEvent *>(event)->timestamp();
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

// What a run is started and stopped with.
enum class Action { StartClick, ShuffleStopClick, ShuffleEscape, ShuffleEnter, StartSpace, Escape, Enter, StopClick };

} // namespace

Q_DECLARE_METATYPE(Action)

class TestE2eEventTimes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void readingIsTheStampedInterval_data();
    void readingIsTheStampedInterval();
    void heldKeyActsOnce_data();
    void heldKeyActsOnce();

private:
    ExerciseWindow &exercise() { return *windows::loadedExerciseWindow(); }
    // Brings the exercise to Answering or Ready: nothing runs.
    void settle();

    // Waits until the program has had the recorded event, and has done what it does.
    bool arrived(const e2e::RecordedEvent &event);

    std::unique_ptr<e2e::Load> load_;
    e2e::InputRecorder recorder_;
    ArrivalWatch arrivals_;
    int runs_ = 0;
};

void TestE2eEventTimes::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    // Three busy processes on the two cores, bounded in time and ended by pid with the test.
    load_ = std::make_unique<e2e::Load>(qEnvironmentVariableIntValue("E2E_LOAD_PROCESSES") > 0
                                            ? qEnvironmentVariableIntValue("E2E_LOAD_PROCESSES")
                                            : 3,
                                        300);
    QVERIFY(load_->running());
    QVERIFY(recorder_.start(QStringLiteral(VELANTRA_RECORDER)));

    QApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(&arrivals_);
    QVERIFY(app::startUp());
    StartWindow *main = windows::loadedStartWindow();
    QVERIFY(main);
    QVERIFY(QTest::qWaitForWindowActive(main, 30000));
    QVERIFY(modMain::competitionMode);
    QVERIFY(e2e::clickAt(centreOf(main->btnStart.get())));
    QTRY_VERIFY_WITH_TIMEOUT(windows::loadedExerciseWindow(), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &exercise(), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(e2e::activeWindow(), e2e::xid(exercise()), 30000);
}

void TestE2eEventTimes::cleanupTestCase()
{
    if (StartWindow *main = windows::loadedStartWindow())
        windows::Unload(*main);
    load_.reset();
}

bool TestE2eEventTimes::arrived(const e2e::RecordedEvent &event)
{
    const QDeadlineTimer deadline(15000);
    while (!arrivals_.stamps.contains(event.serverMs)) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();
    return true;
}

void TestE2eEventTimes::settle()
{
    ExerciseWindow &ex = exercise();
    if (ex.state().running || ex.state().shuffling) {
        QVERIFY(xdotool(QStringLiteral("key Escape")));
        QTRY_VERIFY(!ex.state().shuffling);
        if (ex.state().running)
            QVERIFY(xdotool(QStringLiteral("key Escape")));
        QTRY_VERIFY(!ex.state().running);
    }
}

void TestE2eEventTimes::readingIsTheStampedInterval_data()
{
    QTest::addColumn<Action>("start");
    QTest::addColumn<Action>("stop");
    QTest::addColumn<QString>("gap");   // as asked of xdotool; the server's stamps are the truth

    // Gaps between 0.4 and 3.3 s, none of them whole hundredths.
    const char *gaps[] = {"0.437", "1.053", "2.218", "0.781", "3.209", "1.667", "0.523", "2.846", "1.391", "0.915",
                          "2.573", "1.129", "0.659", "3.047", "1.804", "0.473", "2.331", "1.237", "0.997", "2.689",
                          "1.513", "0.847", "3.121", "1.973"};
    const Action starts[] = {Action::StartClick, Action::StartClick, Action::StartClick, Action::StartSpace,
                             Action::ShuffleStopClick, Action::ShuffleEscape, Action::ShuffleEnter};
    const Action stops[] = {Action::Escape, Action::Enter, Action::StopClick};
    int i = 0;
    for (const char *gap : gaps) {
        const Action start = starts[i % std::size(starts)];
        const Action stop = stops[i % std::size(stops)];
        QTest::addRow("run %02d, %s s", i + 1, gap) << start << stop << QString::fromLatin1(gap);
        ++i;
    }
}

void TestE2eEventTimes::readingIsTheStampedInterval()
{
    QFETCH(Action, start);
    QFETCH(Action, stop);
    QFETCH(QString, gap);
    settle();
    ExerciseWindow &ex = exercise();
    const QPoint startButton = centreOf(ex.btnStart.get());
    const QPoint shuffleButton = centreOf(ex.btnKaristir.get());

    // Made ready for the starting event: the pointer on the button it clicks, or a shuffle
    // running for a key or click to stop.
    QString first;
    switch (start) {
    case Action::StartClick:
        QVERIFY(e2e::moveTo(startButton));
        first = QStringLiteral("click 1");
        break;
    case Action::StartSpace:
        ex.btnStart->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(ex.btnStart->hasFocus());
        first = QStringLiteral("key space");
        break;
    default:
        QVERIFY(e2e::clickAt(shuffleButton));
        QTRY_VERIFY(ex.state().shuffling);
        first = start == Action::ShuffleStopClick ? QStringLiteral("click 1")
              : start == Action::ShuffleEscape    ? QStringLiteral("key Escape")
                                                  : QStringLiteral("key Return");
        break;
    }
    QString second = stop == Action::Escape ? QStringLiteral("key Escape")
                   : stop == Action::Enter  ? QStringLiteral("key Return")
                                            : QStringLiteral("mousemove %1 click 1").arg(xy(startButton));

    const int mark = recorder_.events().size();
    QVERIFY(xdotool(QStringLiteral("%1 sleep %2 %3").arg(first, gap, second)));

    // A click acts when the button is released, a key when it goes down (Space on a
    // button when it comes up), as in every toolkit.
    auto awaited = [](Action a) -> std::pair<QString, QString> {
        switch (a) {
        case Action::StartClick:
        case Action::ShuffleStopClick:
        case Action::StopClick: return {QStringLiteral("ButtonRelease"), QStringLiteral("1")};
        case Action::StartSpace: return {QStringLiteral("KeyRelease"), QStringLiteral("space")};
        case Action::ShuffleEscape:
        case Action::Escape: return {QStringLiteral("KeyPress"), QStringLiteral("Escape")};
        default: return {QStringLiteral("KeyPress"), QStringLiteral("Return")};
        }
    };
    int at = -1;
    const auto [startType, startDetail] = awaited(start);
    const std::optional<e2e::RecordedEvent> started = recorder_.waitFor(startType, startDetail, mark, 15000, &at);
    QVERIFY(started);
    const auto [stopType, stopDetail] = awaited(stop);
    const std::optional<e2e::RecordedEvent> stopped = recorder_.waitFor(stopType, stopDetail, at + 1);
    QVERIFY(stopped);
    QVERIFY(arrived(*stopped));
    QVERIFY(!ex.state().running && !ex.state().shuffling);

    const double interval = e2e::secondsBetween(*started, *stopped);
    const double reading = shownSeconds(ex.txtSure->text());
    QVERIFY2(reading >= 0, qPrintable(ex.txtSure->text()));
    // The reading is the interval rounded to hundredths (half a hundredth off at most);
    // the server stamps whole milliseconds, and its clock is mapped onto the program's.
    const double off = reading - interval;
    qInfo("run %d: X server interval %.3f s, shown %s, off %+.1f ms", ++runs_, interval,
          qPrintable(ex.txtSure->text()), off * 1000.0);
    QVERIFY2(std::abs(off) <= 0.005 + 0.002,
             qPrintable(QStringLiteral("shown %1 for an interval of %2 s").arg(ex.txtSure->text()).arg(interval, 0, 'f', 3)));
    QCOMPARE(ex.state().elapsed, float(reading));
}

void TestE2eEventTimes::heldKeyActsOnce_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("focus");     // shuffle, back, start
    QTest::addColumn<bool>("shuffle");      // held while a shuffle runs, or with nothing running

    // Competition Mode: the press stops the shuffle and so starts the stopwatch; its
    // repeats must neither stop that stopwatch nor then press a focused Back.
    QTest::newRow("Enter held on STOP of a shuffle") << "Return" << "shuffle" << true;
    QTest::newRow("Escape held during a shuffle") << "Escape" << "shuffle" << true;
    QTest::newRow("Enter held during a shuffle, Back focused") << "Return" << "back" << true;
    // Space presses a focused START once, when it comes up, however long it is held.
    QTest::newRow("Space held on START") << "space" << "start" << false;
}

void TestE2eEventTimes::heldKeyActsOnce()
{
    QFETCH(QString, key);
    QFETCH(QString, focus);
    QFETCH(bool, shuffle);
    settle();
    ExerciseWindow &ex = exercise();
    if (shuffle) {
        QVERIFY(e2e::clickAt(centreOf(ex.btnKaristir.get())));
        QTRY_VERIFY(ex.state().shuffling);
    }
    QWidget *focused = focus == "back" ? static_cast<QWidget *>(ex.btnBack.get())
                     : focus == "start" ? static_cast<QWidget *>(ex.btnStart.get())
                                        : static_cast<QWidget *>(ex.btnKaristir.get());
    focused->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(focused->hasFocus());
    int clicks = 0;
    const QMetaObject::Connection counting =
        connect(ex.btnStart.get(), &QPushButton::clicked, this, [&clicks] { ++clicks; });
    RepeatCounter repeats;
    qApp->installEventFilter(&repeats);

    const int mark = recorder_.events().size();
    const qsizetype releasesBefore = arrivals_.keyReleases.size();
    QVERIFY(xdotool(QStringLiteral("keydown %1").arg(key)));
    // Held until the X server has repeated the key and the program has had the repeats.
    QTRY_VERIFY_WITH_TIMEOUT(recorder_.count(QStringLiteral("KeyPress"), key, mark) >= 3, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(repeats.repeats >= 2, 15000);
    // The server sends the repeats' releases to no one that asked not to have them: while
    // the key is held (the recorder saw it repeat, the program had the repeats) no release
    // has come, and the one that comes is the key coming up.
    QVERIFY2(arrivals_.keyReleases.size() == releasesBefore, "the program was sent the release of a repeat");
    QVERIFY(xdotool(QStringLiteral("keyup %1").arg(key)));
    QTRY_VERIFY_WITH_TIMEOUT(arrivals_.keyReleases.size() > releasesBefore, 15000);
    const quint64 releaseMs = arrivals_.keyReleases.at(releasesBefore);
    const auto recorded = [&](const QString &type) {
        const QList<e2e::RecordedEvent> &all = recorder_.events();
        return std::any_of(all.begin() + mark, all.end(), [&](const e2e::RecordedEvent &e) {
            return e.type == type && e.detail == key && e.serverMs == releaseMs;
        });
    };
    QTRY_VERIFY_WITH_TIMEOUT(recorded(QStringLiteral("KeyRelease")), 15000);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&repeats);
    disconnect(counting);

    QVERIFY2(windows::loadedExerciseWindow() == &ex, "a repeat pressed Back");
    QVERIFY(!ex.state().shuffling);
    QVERIFY2(ex.state().running, "a repeat stopped the stopwatch the first press started");
    if (!shuffle)
        QCOMPARE(clicks, 1);
    QCOMPARE(ex.btnStart->text(), QStringLiteral("STOP"));
}

QTEST_MAIN(TestE2eEventTimes)
#include "tst_e2e_eventtimes.moc"
