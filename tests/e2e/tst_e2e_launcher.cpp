// SPDX-License-Identifier: GPL-3.0-or-later
// The running program's windows carry the WM_CLASS that its launcher names with
// StartupWMClass, so docks and task bars put them under the launcher's icon.
#include "e2eSupport.h"

#include "ui/start/StartLayout.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

namespace {

// The value of one key of the launcher's [Desktop Entry] group.
QString desktopEntry(const QString &key)
{
    QFile file(QStringLiteral(VELANTRA_DESKTOP_FILE));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString prefix = key + QLatin1Char('=');
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    return {};
}

// The two strings of a window's WM_CLASS: instance and class.
QStringList wmClass(unsigned long id)
{
    const e2e::Result r = e2e::run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(id), QStringLiteral("WM_CLASS")});
    QStringList values;
    const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    for (auto it = quoted.globalMatch(r.out); it.hasNext();)
        values << it.next().captured(1);
    return values;
}

} // namespace

class TestE2eLauncher : public QObject {
    Q_OBJECT

private slots:
    void everyWindowMatchesTheLauncher();
};

void TestE2eLauncher::everyWindowMatchesTheLauncher()
{
    const QString launcherClass = desktopEntry(QStringLiteral("StartupWMClass"));
    QVERIFY2(!launcherClass.isEmpty(), "the launcher names no StartupWMClass");

    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(VELANTRA_EXECUTABLE), {});
    QVERIFY(program.waitForStarted());

    // The start window alone, then with the exercise window (START) and the backdrop
    // (the first cell of the strip).
    QTRY_COMPARE_WITH_TIMEOUT(e2e::visibleWindowsOf(program.processId()).size(), 1, e2e::kStartDeadlineMs);
    const QRectF start = startLayout::controlPlaces(1280, 800).start;
    QVERIFY(e2e::clickAt(start.center().toPoint()));
    QTRY_COMPARE_WITH_TIMEOUT(e2e::visibleWindowsOf(program.processId()).size(), 2, 10000);
    const QPoint backdropCell(1280 - 4 - 68 + 8, 4 + 7);
    QVERIFY(e2e::moveTo(backdropCell + QPoint(0, 40)));
    QVERIFY(e2e::clickAt(backdropCell));
    QTRY_COMPARE_WITH_TIMEOUT(e2e::visibleWindowsOf(program.processId()).size(), 3, 10000);

    for (unsigned long id : e2e::visibleWindowsOf(program.processId())) {
        const QStringList values = wmClass(id);
        QCOMPARE(values.size(), 2);
        // Launchers match the class; some docks compare the instance too.
        QCOMPARE(values.at(1), launcherClass);
        QCOMPARE(values.at(0), launcherClass);
    }

    program.terminate();
    QVERIFY(program.waitForFinished(10000));
}

QTEST_GUILESS_MAIN(TestE2eLauncher)
#include "tst_e2e_launcher.moc"
