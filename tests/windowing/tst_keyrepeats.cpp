// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowing/KeyRepeats.h"

#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <vector>

// Repeats of a held key told from new presses by the keys known to be down, as on an X
// server that sends no release between the repeats of a held key.

namespace {

struct KeyStep {
    char kind;       // 'p' press, 'r' release, 'x' the program lost the keyboard
    quint32 key;
    quint64 ms;
    bool repeat;     // for a press: whether it is a repeat
};

// Counts the presses a widget gets, and those marked as repeats.
class PressCounter : public QObject {
public:
    int presses = 0;
    int repeats = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            ++presses;
            repeats += static_cast<QKeyEvent *>(event)->isAutoRepeat();
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

Q_DECLARE_METATYPE(std::vector<KeyStep>)

class TestKeyRepeats : public QObject {
    Q_OBJECT

private slots:
    void heldKeys_data();
    void heldKeys();
    void aHeldSpaceClicksOnce();
};

void TestKeyRepeats::heldKeys_data()
{
    QTest::addColumn<std::vector<KeyStep>>("steps");
    // X servers repeat a held key after about 0.6 s, then every 40 ms.
    QTest::newRow("held: one press, then repeats")
        << std::vector<KeyStep>{{'p', 36, 1000, false}, {'p', 36, 1660, true}, {'p', 36, 1700, true},
                                {'r', 36, 1720, false}};
    QTest::newRow("pressed again after a release")
        << std::vector<KeyStep>{{'p', 65, 1000, false}, {'r', 65, 1080, false}, {'p', 65, 1150, false}};
    QTest::newRow("another key held meanwhile")
        << std::vector<KeyStep>{{'p', 36, 1000, false}, {'p', 9, 1200, false}, {'p', 36, 1660, true},
                                {'r', 9, 1700, false}, {'p', 9, 1800, false}};
    QTest::newRow("released where the program did not see it")
        << std::vector<KeyStep>{{'p', 36, 1000, false}, {'x', 0, 0, false}, {'p', 36, 1300, false}};
    QTest::newRow("pressed again long after, the release lost to a grab")
        << std::vector<KeyStep>{{'p', 36, 1000, false}, {'p', 36, 1000 + 5000, true},
                                {'p', 36, 1000 + 5000 + 5001, false}};
    QTest::newRow("a stamp older than the last press")
        << std::vector<KeyStep>{{'p', 36, 9000, false}, {'p', 36, 100, false}};
}

void TestKeyRepeats::heldKeys()
{
    QFETCH(std::vector<KeyStep>, steps);
    HeldKeys held;
    for (const KeyStep &step : steps) {
        switch (step.kind) {
        case 'p':
            QCOMPARE(held.press(step.key, step.ms), step.repeat);
            break;
        case 'r':
            held.release(step.key);
            break;
        default:
            held.clear();
            break;
        }
    }
}

void TestKeyRepeats::aHeldSpaceClicksOnce()
{
    // Presses come through the window as the window system's would; the button acts once,
    // at the release, and sees the later presses as repeats.
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *button = new QPushButton(QStringLiteral("START"));
    layout->addWidget(button);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    keyRepeats::watch();
    button->setFocus();
    int clicks = 0;
    connect(button, &QPushButton::clicked, this, [&clicks] { ++clicks; });
    PressCounter counter;
    button->installEventFilter(&counter);

    QWindow *handle = window.windowHandle();
    QTest::keyPress(handle, Qt::Key_Space);
    QTest::keyPress(handle, Qt::Key_Space);
    QTest::keyPress(handle, Qt::Key_Space);
    QCOMPARE(clicks, 0);
    QTest::keyRelease(handle, Qt::Key_Space);
    QCOMPARE(counter.presses, 3);
    QCOMPARE(counter.repeats, 2);
    QCOMPARE(clicks, 1);

    // A new press after the release is a new press.
    QTest::keyClick(handle, Qt::Key_Space);
    QCOMPARE(counter.repeats, 2);
    QCOMPARE(clicks, 2);
}

QTEST_MAIN(TestKeyRepeats)
#include "tst_keyrepeats.moc"
