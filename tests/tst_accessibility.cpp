// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"

#include "ui/exercise/QuestionGrid.h"
#include "app/Accessibility.h"
#include "ui/skin/SkinButton.h"
#include "ui/start/CaptionStrip.h"

#include <QAccessible>
#include <QLineEdit>
#include <QtTest>

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
        QCOMPARE(grid->child(0)->text(QAccessible::Name), QStringLiteral("blank"));

        exercise.btnKaristir_Click();
        exercise.btnKaristir_Click();   // STOP: Competition Mode starts the stopwatch
        QCOMPARE(grid->child(37)->text(QAccessible::Name), exercise.gSoru->textMatrix(3, 7));
        QCOMPARE(grid->indexOfChild(grid->child(37)), 37);
        QCOMPARE(grid->child(37)->rect().size(), exercise.gSoru->cellRect(3, 7).size());

        exercise.btnStart_Click();      // STOP hides the digits: nothing to read either
        QCOMPARE(grid->child(37)->text(QAccessible::Name), QStringLiteral("blank"));
    }

    void captionCellsAreNamedButtons_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("backdrop") << 0 << "Backdrop" << true;
        QTest::newRow("minimise") << 1 << "Minimize" << true;
        QTest::newRow("inactive") << 2 << "Inactive" << false;
        QTest::newRow("close") << 3 << "Close" << true;
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
        QCOMPARE(strip->childCount(), 4);
        QAccessibleInterface *cell = strip->child(index);
        QCOMPARE(cell->role(), QAccessible::Button);
        QCOMPARE(cell->text(QAccessible::Name), name);
        QCOMPARE(!cell->state().disabled, enabled);
        QCOMPARE(cell->actionInterface()->actionNames().isEmpty(), !enabled);
    }

    void pressingCaptionCellsActs()
    {
        TestWorld world;
        StartWindow &main = world.startWindow();
        QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(main.PFormKontrol.get());
        strip->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(main.backdropOn());
        QCOMPARE(int(main.PFormKontrol->captionHot()), 0);

        strip->child(3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(windows::loaded().isEmpty());
        QCOMPARE(world.ends, 1);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
