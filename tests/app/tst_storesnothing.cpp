// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/App.h"
#include "app/WindowRegistry.h"
#include "app/StartWindow.h"
#include "app/ExerciseWindow.h"
#include "ui/exercise/QuestionGrid.h"
#include "ui/skin/SkinButton.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

// The program writes nothing: a whole exercise, run with a fresh home folder, leaves
// that folder (and the configuration and cache folders inside it) empty.
namespace {

QStringList filesUnder(const QString &path)
{
    QStringList found;
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_CACHE_HOME");
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_STATE_HOME");

    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    if (!app::startUp()) {
        qCritical("the program did not start");
        return 1;
    }
    StartWindow &main = windows::frmMain();
    (*main.optMode[0])->click();
    click(main.btnStart.get());
    ExerciseWindow &exercise = windows::frmVelantra();
    for (int attempt = 0; attempt < 3; ++attempt) {
        click(exercise.btnKaristir.get());
        QTest::qWait(50);
        click(exercise.btnKaristir.get());
        click(exercise.btnStart.get());
        QTest::qWait(30);
        click(exercise.btnStart.get());
        QTest::keyClicks(exercise.txtYourAnswer.get(), QStringLiteral("450"));
        click(exercise.btnCheck.get());
    }
    const bool recorded = exercise.state().attemptNumber == 4;
    exercise.btnBack->press();
    windows::Unload(main);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    const QStringList written = filesUnder(home.path());
    if (!recorded || !written.isEmpty()) {
        qCritical("attempts recorded: %s; written under home: %s", recorded ? "yes" : "no",
                  qPrintable(written.join(QLatin1String(", "))));
        return 1;
    }
    qInfo("1 passed, 0 failed");
    return 0;
}
