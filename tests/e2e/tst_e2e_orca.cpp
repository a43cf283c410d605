// SPDX-License-Identifier: GPL-3.0-or-later
// A whole exercise by keyboard alone, with a real screen reader listening: the real
// executable under Xvfb and openbox, Orca speaking to a null sound device (orca-run.sh),
// and a second AT-SPI client (atspi-listen.py) counting events and reading the tree.
// Each step checks what Orca said, from the "SPEECH OUTPUT" lines of its debug log.
#include "e2eSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <optional>

namespace {

// How long Orca may take to say something after the key that causes it, on a busy machine.
constexpr int kSpeechDeadlineMs = 20000;

// What Orca said, line by line, read from its debug log as it grows.
class Speech {
public:
    explicit Speech(const QString &path) : file_(path) {}

    // The next thing said that matches, after what earlier calls consumed; waits for it.
    std::optional<QRegularExpressionMatch> await(const QRegularExpression &re, int deadlineMs = kSpeechDeadlineMs)
    {
        const QDeadlineTimer deadline(deadlineMs);
        for (;;) {
            read();
            while (next_ < said_.size()) {
                const QRegularExpressionMatch m = re.match(said_.at(next_++));
                if (m.hasMatch())
                    return m;
            }
            if (deadline.hasExpired())
                return std::nullopt;
            QTest::qWait(50);
        }
    }
    // Skips what has been said so far.
    void skip()
    {
        read();
        next_ = said_.size();
    }
    QStringList all()
    {
        read();
        return said_;
    }

private:
    void read()
    {
        if (!file_.isOpen() && !file_.open(QIODevice::ReadOnly))
            return;
        partial_ += file_.readAll();
        qsizetype end;
        static const QRegularExpression spoken(QStringLiteral("SPEECH OUTPUT: '(.*)'\\s*\\{'established"));
        while ((end = partial_.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(partial_.left(end)).trimmed();
            partial_.remove(0, end + 1);
            const QRegularExpressionMatch m = spoken.match(line);
            if (m.hasMatch()) {
                said_ << m.captured(1).trimmed();
                qInfo().noquote() << "Orca said:" << said_.last();
            }
        }
    }

    QFile file_;
    QByteArray partial_;
    QStringList said_;
    qsizetype next_ = 0;
};

struct Event {
    double time = 0;
    QString type, role, name, detail1, anyData;
};

// The second client: its events and its readings of the tree.
class Listener {
public:
    bool start()
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral("/usr/bin/python3"),
                       {QStringLiteral(VELANTRA_LISTENER), QStringLiteral("speed-velantra")});
        return process_.waitForStarted() && awaitLine(QStringLiteral("READY"), 20000);
    }
    ~Listener()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    // The events so far, and the next ones as they come.
    QList<Event> events()
    {
        pump(0);
        return events_;
    }
    std::optional<Event> awaitEvent(const std::function<bool(const Event &)> &wanted, int deadlineMs)
    {
        const QDeadlineTimer deadline(deadlineMs);
        qsizetype from = 0;
        for (;;) {
            pump(0);
            for (; from < events_.size(); ++from)
                if (wanted(events_.at(from)))
                    return events_.at(from);
            if (deadline.hasExpired())
                return std::nullopt;
            pump(50);
        }
    }
    void forgetEvents()
    {
        pump(0);
        events_.clear();
    }

    // Every line of one reading of the tree (NODE, TABLE, CELL), fields split at tabs.
    // fresh: read anew from the application, not from what AT-SPI's cache holds.
    QList<QStringList> dump(bool fresh = false)
    {
        lines_.clear();
        process_.write(fresh ? "fresh\n" : "dump\n");
        QList<QStringList> rows;
        if (!awaitLine(QStringLiteral("END"), 30000))
            return rows;
        for (const QString &line : std::as_const(lines_))
            rows << line.split(QLatin1Char('\t'));
        return rows;
    }

private:
    void pump(int waitMs)
    {
        if (waitMs > 0)
            process_.waitForReadyRead(waitMs);
        partial_ += process_.readAllStandardOutput();
        qsizetype end;
        while ((end = partial_.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(partial_.left(end));
            partial_.remove(0, end + 1);
            const QStringList f = line.split(QLatin1Char('\t'));
            if (f.value(0) == QLatin1String("EVENT") && f.size() >= 8)
                events_ << Event{f[1].toDouble(), f[2], f[3], f[4], f[5], f[7]};
            else
                lines_ << line;
        }
    }
    bool awaitLine(const QString &first, int deadlineMs)
    {
        const QDeadlineTimer deadline(deadlineMs);
        for (;;) {
            pump(0);
            for (const QString &l : std::as_const(lines_))
                if (l.section(QLatin1Char('\t'), 0, 0) == first)
                    return true;
            if (deadline.hasExpired() || process_.state() != QProcess::Running)
                return false;
            pump(50);
        }
    }

    QProcess process_;
    QByteArray partial_;
    QList<Event> events_;
    QStringList lines_;
};

QRegularExpression exactly(const QString &text)
{
    return QRegularExpression(QStringLiteral("^%1$").arg(QRegularExpression::escape(text)));
}

// The digits of the grid as the Table interface gives them (row by row, each cell's text),
// -1 where a cell shows none.
QList<int> digitsOf(const QList<QStringList> &tree)
{
    QList<int> digits(100, -1);
    static const QRegularExpression shown(QStringLiteral("^row (\\d+), column (\\d+), (\\d)$"));
    for (const QStringList &row : tree) {
        if (row.value(0) != QLatin1String("CELL"))
            continue;
        const QRegularExpressionMatch m = shown.match(row.value(6));
        if (m.hasMatch())
            digits[(m.captured(1).toInt() - 1) * 10 + m.captured(2).toInt() - 1] = m.captured(3).toInt();
    }
    return digits;
}

int sumOf(const QList<int> &digits)
{
    int sum = 0;
    for (int d : digits)
        sum += d;
    return sum;
}

QStringList keysOf(const QString &number)
{
    QStringList keys;
    for (QChar c : number)
        keys << QString(c);
    return keys;
}

} // namespace

class TestE2eOrca : public QObject {
    Q_OBJECT

private slots:
    void wholeExerciseByKeyboardIsHeard();

private:
    // Tab until the focus is on the object named so (at most once round the window).
    bool tabTo(const QRegularExpression &name);
    bool tabTo(const QString &name) { return tabTo(exactly(name)); }
    bool heard(const QRegularExpression &re);
    bool heard(const QString &text) { return heard(exactly(text)); }

    std::unique_ptr<Speech> orca_;
    std::unique_ptr<Listener> listener_;
};

bool TestE2eOrca::heard(const QRegularExpression &re)
{
    if (orca_->await(re))
        return true;
    qWarning().noquote() << "Orca did not say" << re.pattern() << "; all it said:\n" << orca_->all().join('\n');
    return false;
}

bool TestE2eOrca::tabTo(const QRegularExpression &name)
{
    const auto isFocus = [](const Event &e) {
        return e.type == QLatin1String("object:state-changed:focused") && e.detail1 == "1";
    };
    for (int i = 0; i < 25; ++i) {
        listener_->forgetEvents();
        if (!e2e::typeKeys({QStringLiteral("Tab")}))
            return false;
        if (!listener_->awaitEvent(isFocus, kSpeechDeadlineMs))
            return false;
        // A control made of parts (the window buttons, the grid) is focused first, then the
        // part the keyboard is on: the focus is where the last event put it once no more
        // come for a while.
        qsizetype seen = 0;
        for (;;) {
            QList<Event> focus;
            for (const Event &e : listener_->events())
                if (isFocus(e))
                    focus << e;
            if (focus.size() == seen)
                break;
            seen = focus.size();
            listener_->awaitEvent([&, n = qsizetype(0)](const Event &e) mutable { return isFocus(e) && ++n > seen; }, 400);
        }
        QString last;
        for (const Event &e : listener_->events())
            if (isFocus(e))
                last = e.name;
        qInfo().noquote() << "Focus on" << last;
        if (name.match(last).hasMatch())
            return true;
    }
    return false;
}

void TestE2eOrca::wholeExerciseByKeyboardIsHeard()
{
    const QString log = qEnvironmentVariable("E2E_ORCA_LOG");
    QVERIFY2(!log.isEmpty(), "run it through orca-run.sh");
    orca_ = std::make_unique<Speech>(log);
    orca_->skip();
    listener_ = std::make_unique<Listener>();
    QVERIFY(listener_->start());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(VELANTRA_EXECUTABLE), {});
    QVERIFY(program.waitForStarted());
    const auto stop = qScopeGuard([&] {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
        }
    });

    // The start window opens with the keyboard on START.
    QVERIFY(heard(QStringLiteral("START push button.")));

    // Show Mode, chosen and started by keyboard.
    QVERIFY(tabTo(QStringLiteral("Show Mode")));
    QVERIFY(heard(QStringLiteral("Show Mode.")));
    QVERIFY(e2e::typeKeys({QStringLiteral("space")}));
    QVERIFY(heard(QRegularExpression(QStringLiteral("^selected"))));
    QVERIFY(tabTo(QStringLiteral("START")));
    QVERIFY(e2e::typeKeys({QStringLiteral("Return")}));
    QVERIFY(heard(QStringLiteral("SHUFFLE push button.")));

    // The shuffle: its start and its stop are heard.
    QVERIFY(e2e::typeKeys({QStringLiteral("space")}));
    QVERIFY(heard(QStringLiteral("notification Shuffling.")));
    QVERIFY(e2e::typeKeys({QStringLiteral("Escape")}));
    QVERIFY(heard(QStringLiteral("notification Shuffle stopped.")));

    // The stopwatch, with the reading at the stop; meanwhile the time box sends a few
    // events a second, not one per tick.
    QVERIFY(tabTo(QStringLiteral("START")));
    listener_->forgetEvents();
    QVERIFY(e2e::typeKeys({QStringLiteral("space")}));
    QVERIFY(heard(QStringLiteral("notification Stopwatch started.")));
    const auto isTime = [](const Event &e) {
        return e.name == QLatin1String("Time") && e.type.startsWith(QLatin1String("object:text-changed"));
    };
    QVERIFY(listener_->awaitEvent(
        [&](const Event &e) { return isTime(e) && e.anyData.startsWith(QLatin1String("0:05")); }, 30000));
    QVERIFY(e2e::typeKeys({QStringLiteral("Escape")}));
    const auto stopped = orca_->await(QRegularExpression(
        QStringLiteral("^notification Stopwatch stopped at (\\d+)\\.(\\d\\d) seconds\\.$")));
    QVERIFY2(stopped, qPrintable(orca_->all().join('\n')));
    const auto shown = [](const QString &name) {
        return [name](const Event &e) {
            return e.type == QLatin1String("object:state-changed:showing") && e.detail1 == "1" && e.name.startsWith(name);
        };
    };
    const std::optional<Event> started = listener_->awaitEvent(shown(QStringLiteral("Stopwatch started")), 5000);
    const std::optional<Event> ended = listener_->awaitEvent(shown(QStringLiteral("Stopwatch stopped")), 5000);
    QVERIFY(started && ended);
    int timeEvents = 0;
    QString lastTold;
    for (const Event &e : listener_->events()) {
        if (isTime(e) && e.time > started->time && e.time <= ended->time + 2.0) {
            ++timeEvents;
            if (e.type.endsWith(QLatin1String("insert")))
                lastTold = e.anyData;
        }
    }
    const double seconds = ended->time - started->time;
    const double rate = timeEvents / seconds;
    qInfo("The running time box sent %d text events in %.2f s: %.2f a second", timeEvents, seconds, rate);
    QVERIFY2(rate <= 4.0, qPrintable(QString::number(rate)));
    QVERIFY2(rate >= 0.5, qPrintable(QString::number(rate)));
    // The reading is complete at the stop: the last text told is the box's final text,
    // the reading Orca spoke.
    QList<QStringList> tree = listener_->dump();
    QString boxText;
    for (const QStringList &row : tree)
        if (row.value(0) == QLatin1String("NODE") && row.value(3) == QLatin1String("Time"))
            boxText = row.value(5);
    QCOMPARE(lastTold, boxText);
    // "0:05:12" (or "0:05.12" where the decimal separator is a point) for "5.12 seconds".
    QString boxDigits = boxText;
    boxDigits.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    QCOMPARE(boxDigits, QStringLiteral("0") + stopped->captured(1).rightJustified(2, QLatin1Char('0')) + stopped->captured(2));

    // A right check: the digits read through the Table interface, their sum typed in.
    QList<int> digits = digitsOf(tree);
    QVERIFY(!digits.contains(-1));
    const QString sum = QString::number(sumOf(digits));
    // The grid, walked cell by cell with the arrow keys: each cell is heard with its place
    // and its digit.
    QVERIFY(tabTo(QRegularExpression(QStringLiteral("^row 1, column 1$"))));
    const auto cellSaid = [&](int row, int col) {
        return QRegularExpression(QStringLiteral("\\brow %1, column %2, %3\\b")
                                      .arg(row + 1).arg(col + 1).arg(digits[row * 10 + col]));
    };
    QVERIFY(heard(cellSaid(0, 0)));
    QVERIFY(e2e::typeKeys({QStringLiteral("Right")}));
    QVERIFY(heard(cellSaid(0, 1)));
    QVERIFY(e2e::typeKeys({QStringLiteral("Down")}));
    QVERIFY(heard(cellSaid(1, 1)));
    QVERIFY(tabTo(QStringLiteral("YOUR ANSWER")));
    QVERIFY(e2e::typeKeys(keysOf(sum)));
    QVERIFY(tabTo(QStringLiteral("SHOW CORRECT ANSWER")));
    QVERIFY(e2e::typeKeys({QStringLiteral("space")}));
    QVERIFY(heard(QStringLiteral("notification Correct, %1.").arg(sum)));

    // A wrong check after another shuffle.
    QVERIFY(tabTo(QStringLiteral("SHUFFLE")));
    QVERIFY(e2e::typeKeys({QStringLiteral("space")}));
    QVERIFY(heard(QStringLiteral("notification Shuffling.")));
    QVERIFY(e2e::typeKeys({QStringLiteral("Return")}));
    QVERIFY(heard(QStringLiteral("notification Shuffle stopped.")));
    // The cells' new names reach a client's cache once the shuffle has stopped.
    digits = digitsOf(listener_->dump(true));
    QVERIFY(!digits.contains(-1));
    QTRY_COMPARE_WITH_TIMEOUT(digitsOf(listener_->dump()), digits, kSpeechDeadlineMs);
    const QString wrongSum = QString::number(sumOf(digits));
    QVERIFY(tabTo(QStringLiteral("YOUR ANSWER")));
    QVERIFY(e2e::typeKeys(keysOf(QString::number(sumOf(digits) + 1))));
    QVERIFY(tabTo(QStringLiteral("SHOW CORRECT ANSWER")));
    QVERIFY(e2e::typeKeys({QStringLiteral("space")}));
    QVERIFY(heard(QStringLiteral("notification Wrong, the sum is %1.").arg(wrongSum)));

    // RESET, then Back to the start window.
    QVERIFY(tabTo(QStringLiteral("RESET")));
    QVERIFY(e2e::typeKeys({QStringLiteral("space")}));
    QVERIFY(heard(QStringLiteral("notification Record cleared.")));
    QVERIFY(tabTo(QStringLiteral("Back")));
    QVERIFY(e2e::typeKeys({QStringLiteral("Return")}));
    QVERIFY(heard(QStringLiteral("START push button.")));

    // Competition Mode: the digits are read while the stopwatch runs, and none of them
    // can be read once it stops, by any interface, until the answer is shown.
    // The two options are one stop of the tab order: the arrow keys choose between them.
    QVERIFY(tabTo(QStringLiteral("Show Mode")));
    QVERIFY(e2e::typeKeys({QStringLiteral("Down")}));
    QVERIFY(heard(QStringLiteral("Competition Mode.")));
    QVERIFY(tabTo(QStringLiteral("START")));
    QVERIFY(e2e::typeKeys({QStringLiteral("Return")}));
    QVERIFY(heard(QStringLiteral("SHUFFLE push button.")));
    QVERIFY(e2e::typeKeys({QStringLiteral("space")}));
    QVERIFY(heard(QStringLiteral("notification Shuffling.")));
    QVERIFY(e2e::typeKeys({QStringLiteral("Escape")}));
    QVERIFY(heard(QStringLiteral("notification Shuffle stopped. Stopwatch started.")));
    const QList<int> whileTiming = digitsOf(listener_->dump(true));
    QVERIFY(!whileTiming.contains(-1));
    QTRY_COMPARE_WITH_TIMEOUT(digitsOf(listener_->dump()), whileTiming, kSpeechDeadlineMs);
    QVERIFY(e2e::typeKeys({QStringLiteral("Escape")}));
    QVERIFY(heard(QRegularExpression(QStringLiteral("^notification Stopwatch stopped at "))));
    // Neither read anew nor from a client's cache.
    QTRY_COMPARE_WITH_TIMEOUT(digitsOf(listener_->dump()), QList<int>(100, -1), kSpeechDeadlineMs);
    tree = listener_->dump(true) + listener_->dump();
    QVERIFY(!tree.isEmpty());
    QString gridPath;
    for (const QStringList &row : tree)
        if (row.value(0) == QLatin1String("TABLE"))
            gridPath = row.value(1);
    QVERIFY(!gridPath.isEmpty());
    static const QRegularExpression place(QStringLiteral("\\b(row|column) \\d+"));
    int cellsSeen = 0;
    for (const QStringList &row : tree) {
        const bool inGrid = row.value(0) == QLatin1String("CELL")
                         || (row.value(0) == QLatin1String("NODE") && row.value(1).startsWith(gridPath));
        if (!inGrid)
            continue;
        ++cellsSeen;
        for (int f = 2; f < row.size(); ++f) {
            QString text = row.at(f);
            if (row.value(0) == QLatin1String("CELL") && f <= 3)
                continue;   // the cell's own row and column
            text.remove(place);
            QVERIFY2(!text.contains(QRegularExpression(QStringLiteral("[1-9]"))),
                     qPrintable(QStringLiteral("a hidden digit can be read: ") + row.join(QLatin1Char(' '))));
        }
    }
    QVERIFY(cellsSeen >= 400);
    QCOMPARE(digitsOf(tree), QList<int>(100, -1));
    const QString competitionSum = QString::number(sumOf(whileTiming));
    QVERIFY(e2e::typeKeys(keysOf(competitionSum)));
    QVERIFY(tabTo(QStringLiteral("SHOW CORRECT ANSWER")));
    QVERIFY(e2e::typeKeys({QStringLiteral("space")}));
    QVERIFY(heard(QStringLiteral("notification Correct, %1.").arg(competitionSum)));
    QCOMPARE(digitsOf(listener_->dump(true)), whileTiming);
    QTRY_COMPARE_WITH_TIMEOUT(digitsOf(listener_->dump()), whileTiming, kSpeechDeadlineMs);

    // Closed by keyboard.
    QVERIFY(e2e::typeKeys({QStringLiteral("ctrl+q")}));
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestE2eOrca)
#include "tst_e2e_orca.moc"
