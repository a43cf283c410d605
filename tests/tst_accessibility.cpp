#include "TestSupport.h"

#include "ui/exercise/QuestionGrid.h"
#include "ui/skin/Accessibility.h"
#include "ui/skin/SkinButton.h"
#include "ui/start/CaptionStrip.h"

#include <QAccessible>
#include <QtTest>

// A screen reader finds the custom-drawn controls and the grid by name and role, and can
// press the buttons.
class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { accessibility::install(); }

    void backButtonIsAPressableButton()
    {
        TestWorld world;
        FrmVelantra &exercise = world.openExercise(false);
        QAccessibleInterface *back = QAccessible::queryAccessibleInterface(exercise.btnBack.get());
        QVERIFY(back);
        QCOMPARE(back->role(), QAccessible::Button);
        QCOMPARE(back->text(QAccessible::Name), QStringLiteral("Back"));
        QAccessibleActionInterface *action = back->actionInterface();
        QVERIFY(action);
        QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));

        action->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(modMain::exerciseOpen, 0);
        QVERIFY(!forms::loadedVelantra());
    }

    void gridCellsReadTheirDigitsUnlessHidden()
    {
        TestWorld world;
        FrmVelantra &exercise = world.openExercise(true);
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
        FrmMain &main = world.startWindow();
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
        FrmMain &main = world.startWindow();
        QAccessibleInterface *strip = QAccessible::queryAccessibleInterface(main.PFormKontrol.get());
        strip->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(main.backdropOn());
        QCOMPARE(main.PFormKontrol->captionHot(), 0);

        strip->child(3)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(forms::loaded().isEmpty());
        QCOMPARE(world.ends, 1);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
