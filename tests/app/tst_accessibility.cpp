// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExerciseScript.h"
#include "TestSupport.h"

#include "ui/exercise/QuestionGrid.h"
#include "app/Accessibility.h"
#include "app/Announcer.h"
#include "ui/skin/SkinButton.h"
#include "ui/start/CaptionStrip.h"

#include "engine/TimeText.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include <cmath>

namespace {

// Every element of an accessibility tree that is not hidden from it.
void collect(QAccessibleInterface *node, QList<QAccessibleInterface *> &out)
{
    if (!node || node->state().invisible)
        return;
    out << node;
    for (int i = 0; i < node->childCount(); ++i)
        collect(node->child(i), out);
}

// WCAG's contrast ratio of two colours, from their relative luminance.
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int gridSum(ExerciseWindow &exercise)
{
    int sum = 0;
    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 10; ++col)
            sum += exercise.gSoru->textMatrix(row, col).toInt();
    return sum;
}

// The names a notification held each time it appeared.
class Appearances : public QObject {
public:
    explicit Appearances(QWidget *watched) { watched->installEventFilter(this); }
    QStringList names;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            names << QAccessible::queryAccessibleInterface(watched)->text(QAccessible::Name);
        return false;
    }
};

} // namespace

// A screen reader finds the custom-drawn controls and the grid by name and role, and can
// press the buttons.
class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { accessibility::install(); }

    void textBoxesAreNamedAsTheyRead_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("name");
        QTest::newRow("running time") << 0 << "Time";
        QTest::newRow("your answer") << 1 << "YOUR ANSWER";
        QTest::newRow("correct answer") << 2 << "CORRECT ANSWER";
    }

    void textBoxesAreNamedAsTheyRead()
    {
        QFETCH(int, box);
        QFETCH(QString, name);
        TestWorld world;
        ExerciseWindow &exercise = world.openExercise(false);
        QLineEdit *boxes[] = {exercise.txtSure.get(), exercise.txtYourAnswer.get(), exercise.txtCorrectAnswer.get()};
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(boxes[box]);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::EditableText);
        QCOMPARE(iface->text(QAccessible::Name), name);
    }

    void webAddressIsHeardOnce()
    {
        TestWorld world;
        StartWindow &main = world.startWindow();
        QList<QAccessibleInterface *> all;
        collect(QAccessible::queryAccessibleInterface(&main), all);
        int heard = 0;
        for (QAccessibleInterface *node : all)
            for (QAccessible::Text t : {QAccessible::Name, QAccessible::Description, QAccessible::Value})
                if (node->text(t).contains(QStringLiteral("www.velantra.example")))
                    ++heard;
        QCOMPARE(heard, 1);
        // Both labels still draw it: the look is unchanged.
        QCOMPARE(main.lbKucukURL.caption(), QStringLiteral("www.velantra.example"));
        QCOMPARE(main.lbKucukURLGolge.caption(), QStringLiteral("www.velantra.example"));
    }

    void checkOutcomeIsAnnounced_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("right") << 0 << "Correct, %1";
        QTest::newRow("wrong") << 1 << "Wrong, the sum is %1";
    }

    void checkOutcomeIsAnnounced()
    {
        QFETCH(int, offset);
        QFETCH(QString, outcome);
        TestWorld world;
        ExerciseWindow &exercise = world.openExercise(false);
        int sum = 0;
        for (int row = 0; row < 10; ++row)
            for (int col = 0; col < 10; ++col)
                sum += exercise.gSoru->textMatrix(row, col).toInt();
        exercise.txtYourAnswer->setText(QString::number(sum + offset));

        QTest::mouseClick(exercise.btnCheck.get(), Qt::LeftButton);

        const QString expected = outcome.arg(sum);
        QAccessibleInterface *answer = QAccessible::queryAccessibleInterface(exercise.txtYourAnswer.get());
        QCOMPARE(answer->text(QAccessible::Description), expected);

        // A new shuffle empties the boxes: the outcome no longer describes them.
        exercise.btnKaristir_Click();
        QCOMPARE(answer->text(QAccessible::Description), QString());
        exercise.btnKaristir_Click();
    }

    // The outcome, and each start and stop, appear as a notification: what a screen
    // reader speaks wherever the focus is.
    void happeningsAppearAsNotifications_data()
    {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("right check") << "right check" << QStringList{"Correct, %1"};
        QTest::newRow("wrong check") << "wrong check" << QStringList{"Wrong, the sum is %1"};
        QTest::newRow("shuffle") << "shuffle" << QStringList{"Shuffling"};
        QTest::newRow("shuffle stopped") << "shuffle shuffle" << QStringList{"Shuffling", "Shuffle stopped"};
        QTest::newRow("stopwatch") << "start wait:4.44 start"
                                   << QStringList{"Stopwatch started", "Stopwatch stopped at 4.44 seconds"};
    }

    void happeningsAppearAsNotifications()
    {
        QFETCH(QString, actions);
        QFETCH(QStringList, said);
        TestWorld world;
        ExerciseWindow &exercise = world.openExercise(false);
        Announcer &announcer = exercise.announcer();
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&announcer);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Notification);
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&exercise);
        QVERIFY(window->indexOfChild(iface) >= 0);
        const QImage before = exercise.grab().toImage();
        const int sum = gridSum(exercise);

        Appearances appeared(&announcer);
        using exerciseScript::Action;
        QString bad;
        const QList<exerciseScript::Step> steps = exerciseScript::parse(actions, &bad);
        QVERIFY2(bad.isEmpty(), qPrintable("unknown step " + bad));
        for (const exerciseScript::Step &step : steps) {
            if (step.action == Action::Right || step.action == Action::Wrong) {
                exercise.txtYourAnswer->setText(exerciseScript::typed(step.action, sum));
            } else if (step.action == Action::Check) {
                QTest::mouseClick(exercise.btnCheck.get(), Qt::LeftButton);
            } else if (step.action == Action::Shuffle) {
                QTest::mouseClick(exercise.btnKaristir.get(), Qt::LeftButton);
            } else if (step.action == Action::Start) {
                QTest::mouseClick(exercise.btnStart.get(), Qt::LeftButton);
            } else if (step.action == Action::Wait) {
                world.clock().advance(step.seconds);
                if (exercise.trmSure.isActive())
                    exercise.trmSure_Timer();
            } else {
                QFAIL(qPrintable("no " + step.word + " step in this test"));
            }
            // Said once the click is handled, as the notification appears.
            QCoreApplication::processEvents();
        }
        QStringList expected;
        for (const QString &s : said)
            expected << (s.contains(QLatin1String("%1")) ? s.arg(sum) : s);
        QCOMPARE(appeared.names, expected);
        QVERIFY(iface->state().invisible == false);
        // Nothing of it is drawn: the window looks as it did where the notification stands.
        const QImage after = exercise.grab().toImage();
        QCOMPARE(after.pixel(announcer.geometry().topLeft()), before.pixel(announcer.geometry().topLeft()));
    }

    // A running stopwatch tells assistive technology of the time box's changes about once
    // a second, not a hundred times; at the stop it is told the whole final reading. (What
    // the bridge really sends is counted end to end, with a screen reader listening.)
    void runningTimeIsToldAtAPace()
    {
        TestWorld world;
        ExerciseWindow &exercise = world.openExercise(false);
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(exercise.txtSure.get());
        QCOMPARE(box->role(), QAccessible::EditableText);
        exercise.btnStart_Click();
        QStringList told;
        for (int tick = 0; tick < 1000; ++tick) {
            world.clock().advance(0.01);
            exercise.trmSure_Timer();
            if (told.isEmpty() || told.last() != exercise.txtSure->toldText())
                told << exercise.txtSure->toldText();
            // While the box sets its text, there is no text for the bridge to send.
            QVERIFY(box->textInterface());
        }
        QVERIFY2(told.size() >= 9 && told.size() <= 11, qPrintable(told.join(QLatin1Char(' '))));
        QCOMPARE(told.first(), timetext::runningText(0.01f));
        world.clock().advance(0.004);
        exercise.btnStart_Click();
        QCoreApplication::processEvents();
        QCOMPARE(exercise.txtSure->text(), timetext::runningText(10.0f));
        QCOMPARE(exercise.txtSure->toldText(), exercise.txtSure->text());
        QCOMPARE(box->textInterface()->text(0, -1), exercise.txtSure->text());
        QCOMPARE(box->textInterface()->characterCount(), int(exercise.txtSure->text().size()));
    }

    void backButtonIsAPressableButton()
    {
        TestWorld world;
        ExerciseWindow &exercise = world.openExercise(false);
        QAccessibleInterface *back = QAccessible::queryAccessibleInterface(exercise.btnBack.get());
        QVERIFY(back);
        QCOMPARE(back->role(), QAccessible::Button);
        QCOMPARE(back->text(QAccessible::Name), QStringLiteral("Back"));
        QAccessibleActionInterface *action = back->actionInterface();
        QVERIFY(action);
        QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));

        action->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(modMain::exerciseOpen, 0);
        QVERIFY(!windows::loadedExerciseWindow());
    }

    void gridCellsReadTheirDigitsUnlessHidden()
    {
        TestWorld world;
        ExerciseWindow &exercise = world.openExercise(true);
        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(exercise.gSoru.get());
        QVERIFY(grid);
        QCOMPARE(grid->role(), QAccessible::Table);
        QCOMPARE(grid->text(QAccessible::Name), QStringLiteral("Question grid"));
        QCOMPARE(grid->childCount(), 100);
        QCOMPARE(grid->child(0)->role(), QAccessible::Cell);
        QCOMPARE(grid->child(0)->text(QAccessible::Name), QStringLiteral("row 1, column 1"));
        QCOMPARE(grid->child(0)->textInterface()->text(0, -1), QStringLiteral("row 1, column 1, blank"));
        // Rows and columns as a table.
        QAccessibleTableInterface *table = grid->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 10);
        QCOMPARE(table->columnCount(), 10);
        QCOMPARE(table->cellAt(3, 7), grid->child(37));
        QAccessibleTableCellInterface *cell = grid->child(37)->tableCellInterface();
        QVERIFY(cell);
        QCOMPARE(cell->rowIndex(), 3);
        QCOMPARE(cell->columnIndex(), 7);
        QCOMPARE(cell->table(), grid);

        exercise.btnKaristir_Click();
        exercise.btnKaristir_Click();   // STOP: Competition Mode starts the stopwatch
        QCOMPARE(grid->child(37)->text(QAccessible::Name), QStringLiteral("row 4, column 8"));
        QCOMPARE(grid->child(37)->textInterface()->text(0, -1),
                 QStringLiteral("row 4, column 8, %1").arg(exercise.gSoru->textMatrix(3, 7)));
        QCOMPARE(grid->indexOfChild(grid->child(37)), 37);
        QCOMPARE(grid->child(37)->rect().size(), exercise.gSoru->cellRect(3, 7).size());

        exercise.btnStart_Click();      // STOP hides the digits: nothing to read either
        for (int i = 0; i < 100; ++i) {
            QAccessibleInterface *c = table->cellAt(i / 10, i % 10);
            const QString place = QStringLiteral("row %1, column %2").arg(i / 10 + 1).arg(i % 10 + 1);
            QCOMPARE(c->text(QAccessible::Name), place);
            QCOMPARE(c->textInterface()->text(0, -1), place + QStringLiteral(", hidden"));
            QCOMPARE(c->textInterface()->characterCount(), int((place + QStringLiteral(", hidden")).size()));
            for (QAccessible::Text t : {QAccessible::Description, QAccessible::Value, QAccessible::Help})
                QVERIFY(c->text(t).isEmpty());
        }
        for (QAccessible::Text t : {QAccessible::Description, QAccessible::Value})
            QVERIFY(grid->text(t).isEmpty());
    }

    // The arrow keys walk the grid cell by cell; the cell the keyboard is on is marked and
    // is the focused cell for assistive technology.
    void arrowKeysWalkTheGrid_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::newRow("right") << QList<int>{Qt::Key_Right} << 0 << 1;
        QTest::newRow("down twice") << QList<int>{Qt::Key_Down, Qt::Key_Down} << 2 << 0;
        QTest::newRow("stops at the edge") << QList<int>{Qt::Key_Left, Qt::Key_Up} << 0 << 0;
        QTest::newRow("end of the row") << QList<int>{Qt::Key_Down, Qt::Key_End} << 1 << 9;
        QTest::newRow("and back") << QList<int>{Qt::Key_End, Qt::Key_Home, Qt::Key_Right} << 0 << 1;
    }

    void arrowKeysWalkTheGrid()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, row);
        QFETCH(int, col);
        TestWorld world;
        ExerciseWindow &exercise = world.openExercise(false);
        QuestionGrid *grid = exercise.gSoru.get();
        QVERIFY(QTest::qWaitForWindowActive(&exercise));
        const QRgb navy = qRgb(0, 0, 128);
        const auto marked = [&] {
            const QImage image = grid->grab().toImage();
            const QRect mark = grid->cellMarkRect();
            int n = 0;
            for (int x = mark.left(); x <= mark.right(); ++x)
                n += image.pixel(x, mark.top()) == navy;
            return n;
        };
        QCOMPARE(marked(), 0);
        grid->setFocus(Qt::TabFocusReason);
        QVERIFY(grid->hasFocus());
        QVERIFY2(marked() > grid->cellMarkRect().width() / 2, "no mark on the current cell");
        for (int key : keys)
            QTest::keyClick(grid, Qt::Key(key));
        QCOMPARE(grid->currentRow(), row);
        QCOMPARE(grid->currentCol(), col);
        QCOMPARE(grid->cellMarkRect(), grid->cellRect(row, col).adjusted(1, 1, -2, -2));
        QVERIFY(marked() > grid->cellMarkRect().width() / 2);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(grid);
        QAccessibleInterface *focused = iface->focusChild();
        QVERIFY(focused);
        QCOMPARE(iface->indexOfChild(focused), row * 10 + col);
        QVERIFY(focused->state().focused);
        QCOMPARE(focused->textInterface()->text(0, -1),
                 QStringLiteral("row %1, column %2, %3").arg(row + 1).arg(col + 1).arg(grid->textMatrix(row, col)));
        // No key changes a digit.
        const QString before = grid->textMatrix(row, col);
        QTest::keyClicks(grid, QStringLiteral("7 "));
        QCOMPARE(grid->textMatrix(row, col), before);
    }

    // Whatever has the focus shows a mark from the moment its window opens, before any Tab
    // key, and the mark stands out from what lies next to it by at least 3:1.
    void focusMarkIsVisibleAtOnce_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("START") << "START";
        QTest::newRow("Show Mode") << "Show Mode";
        QTest::newRow("SHUFFLE") << "SHUFFLE";
        QTest::newRow("SHOW CORRECT ANSWER") << "SHOW CORRECT ANSWER";
        QTest::newRow("RESET") << "RESET";
    }

    void focusMarkIsVisibleAtOnce()
    {
        QFETCH(QString, control);
        TestWorld world;
        QWidget *target = nullptr;
        QWidget *window = nullptr;
        if (control == QLatin1String("START") || control == QLatin1String("Show Mode")) {
            StartWindow &main = world.startWindow();
            window = &main;
            target = control == QLatin1String("START") ? static_cast<QWidget *>(main.btnStart.get())
                                                       : static_cast<QWidget *>((*main.optMode[0]).get());
        } else {
            ExerciseWindow &exercise = world.openExercise(false);
            QApplication::setActiveWindow(&exercise);
            window = &exercise;
            target = control == QLatin1String("SHUFFLE") ? static_cast<QWidget *>(exercise.btnKaristir.get())
                   : control == QLatin1String("RESET")   ? static_cast<QWidget *>(exercise.btnReset.get())
                                                         : static_cast<QWidget *>(exercise.btnCheck.get());
        }
        QVERIFY(QTest::qWaitForWindowActive(window));
        if (control != QLatin1String("START") && control != QLatin1String("SHUFFLE"))
            target->setFocus(Qt::OtherFocusReason);
        QVERIFY(target->hasFocus());
        const QImage focused = target->grab().toImage();
        window->setFocus(Qt::OtherFocusReason);
        QVERIFY(!target->hasFocus());
        const QImage unfocused = target->grab().toImage();
        // The mark: the pixels that change with the focus by at least 3:1.
        int marked = 0;
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x)
                marked += contrast(focused.pixel(x, y), unfocused.pixel(x, y)) >= 3.0;
        QVERIFY2(marked >= 2 * (target->width() + target->height()) / 3, qPrintable(QString::number(marked)));
    }

    // The record's labels say right or wrong to a screen reader; on the screen their text
    // stays as it was.
    void recordLabelsSayRightOrWrong()
    {
        TestWorld world;
        ExerciseWindow &exercise = world.openExercise(false);
        const int sum = gridSum(exercise);
        exercise.txtYourAnswer->setText(QString::number(sum));
        exercise.btnCheck_Click();
        exercise.btnKaristir_Click();
        exercise.btnKaristir_Click();
        exercise.txtYourAnswer->setText(QStringLiteral("1"));
        exercise.btnCheck_Click();
        QCOMPARE(exercise.lbDeneme1.caption(), QStringLiteral("1st : %1").arg(timetext::formatTime(0)));
        QCOMPARE(exercise.lbDeneme1->accessibleName(), exercise.lbDeneme1.caption() + QStringLiteral(", right"));
        QCOMPARE(exercise.lbDeneme2->accessibleName(), exercise.lbDeneme2.caption() + QStringLiteral(", wrong"));
        QCOMPARE(exercise.lbDeneme3->accessibleName(), QStringLiteral("3rd : --:--"));
        QCOMPARE(QAccessible::queryAccessibleInterface(exercise.lbDeneme2.get())->text(QAccessible::Name),
                 exercise.lbDeneme2.caption() + QStringLiteral(", wrong"));
        exercise.btnReset_Click();
        QCOMPARE(exercise.lbDeneme1->accessibleName(), QStringLiteral("1st : --:--"));
    }

    // The windows and panels are named for what they are.
    void windowsAndPanelsAreNamed()
    {
        TestWorld world;
        ExerciseWindow &exercise = world.openExercise(false);
        const QList<QPair<QWidget *, QString>> named = {
            {&exercise, QStringLiteral("Exercise")},
            {exercise.pKontrol.get(), QStringLiteral("Controls")},
            {exercise.pScore.get(), QStringLiteral("Record")},
            {exercise.gSoru.get(), QStringLiteral("Question grid")},
        };
        for (const auto &[widget, name] : named)
            QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);
    }

    void captionCellsAreNamedButtons_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("backdrop") << 0 << "Backdrop" << true;
        QTest::newRow("minimise") << 1 << "Minimize" << true;
        QTest::newRow("close") << 2 << "Close" << true;
    }

    void captionCellsAreNamedButtons()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        TestWorld world;
        StartWindow &main = world.startWindow();
        QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(main.PFormKontrol.get());
        QVERIFY(strip);
        // The inactive cell is only drawn: it is no object to find.
        QCOMPARE(strip->childCount(), 3);
        for (int i = 0; i < strip->childCount(); ++i)
            QVERIFY(strip->child(i)->text(QAccessible::Name) != QLatin1String("Inactive"));
        QAccessibleInterface *cell = strip->child(index);
        QCOMPARE(cell->role(), QAccessible::Button);
        QCOMPARE(cell->text(QAccessible::Name), name);
        QCOMPARE(!cell->state().disabled, enabled);
        QCOMPARE(cell->actionInterface()->actionNames().isEmpty(), !enabled);
    }

    // The strip is a stop of the tab order: the arrow keys walk its cells, with a mark on
    // the one the keyboard is on, and Space presses it.
    void captionStripByKeyboard()
    {
        TestWorld world;
        StartWindow &main = world.startWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        CaptionStrip *strip = main.PFormKontrol.get();
        QCOMPARE(QApplication::focusWidget(), main.btnStart.get());
        for (int i = 0; i < 10 && QApplication::focusWidget() != strip; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), strip);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(strip);
        QCOMPARE(iface->focusChild()->text(QAccessible::Name), QStringLiteral("Close"));
        QTest::keyClick(strip, Qt::Key_Left);
        QCOMPARE(iface->focusChild()->text(QAccessible::Name), QStringLiteral("Minimize"));
        QTest::keyClick(strip, Qt::Key_Left);
        QTest::keyClick(strip, Qt::Key_Left);
        QCOMPARE(strip->keyboardCell(), StripCell::Backdrop);
        const QImage image = strip->grab().toImage();
        const QRect mark = strip->focusMarkRect();
        int dark = 0;
        for (int x = mark.left(); x <= mark.right(); ++x)
            dark += qGray(image.pixel(x, mark.top())) < 64;
        QVERIFY2(dark >= mark.width() / 3, "no focus mark on the cell");
        QTest::keyClick(strip, Qt::Key_Space);
        QVERIFY(main.backdropOn());
        QTest::keyClick(strip, Qt::Key_Space);
        QVERIFY(!main.backdropOn());
        QTest::keyClick(strip, Qt::Key_Right);
        QTest::keyClick(strip, Qt::Key_Right);
        QTest::keyClick(strip, Qt::Key_Right);
        QCOMPARE(strip->keyboardCell(), StripCell::Close);
        QTest::keyClick(strip, Qt::Key_Return);
        QVERIFY(windows::loaded().isEmpty());
        QCOMPARE(world.ends, 1);
    }

    // Ctrl+Q closes the program wherever the keyboard is.
    void controlQCloses_data()
    {
        QTest::addColumn<bool>("inExercise");
        QTest::newRow("start window") << false;
        QTest::newRow("exercise window") << true;
    }

    void controlQCloses()
    {
        QFETCH(bool, inExercise);
        TestWorld world;
        QWidget *target = &world.startWindow();
        if (inExercise) {
            ExerciseWindow &exercise = world.openExercise(false);
            QApplication::setActiveWindow(&exercise);
            target = &exercise;
        }
        QVERIFY(QTest::qWaitForWindowActive(target));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : target, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(windows::loaded().isEmpty());
        QCOMPARE(world.ends, 1);
    }

    // Assistive technology finds the program's windows that are shown: not the exercise
    // window made ready unseen while the start window waits, but that one once shown.
    void programListsItsShownWindows()
    {
        TestWorld world;
        StartWindow &main = world.startWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QTRY_VERIFY(unseenExerciseWindow());
        QAccessibleInterface *program = QAccessible::queryAccessibleInterface(qApp);
        const auto windowNames = [program] {
            QStringList names;
            for (int i = 0; i < program->childCount(); ++i) {
                QAccessibleInterface *window = program->child(i);
                names << window->text(QAccessible::Name);
                if (program->indexOfChild(window) != i)
                    names << QStringLiteral("(not found again)");
            }
            names.sort();
            return names;
        };
        QCOMPARE(windowNames(), QStringList{QStringLiteral("Tovarin Parlendo")});

        QTest::mouseClick(main.btnStart.get(), Qt::LeftButton);
        QVERIFY(!unseenExerciseWindow());
        QCOMPARE(windowNames(), (QStringList{QStringLiteral("Exercise"), QStringLiteral("Tovarin Parlendo")}));
    }

    void pressingCaptionCellsActs()
    {
        TestWorld world;
        StartWindow &main = world.startWindow();
        QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(main.PFormKontrol.get());
        strip->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(main.backdropOn());
        QCOMPARE(int(main.PFormKontrol->captionHot()), 0);

        strip->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(windows::loaded().isEmpty());
        QCOMPARE(world.ends, 1);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
