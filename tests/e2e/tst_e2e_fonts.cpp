// SPDX-License-Identifier: GPL-3.0-or-later
// The real executable's texts with the fonts it finds itself, against the same program
// told by fontconfig's own variable to read the system's whole font configuration: the
// very same pixels on the screen, from the very same font files. And a configuration that
// the variable names is the one read: one without any font makes the program say so.
#include "e2eSupport.h"

#include "ui/start/StartLayout.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QTest>

namespace {

QImage screenShot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// The font files the process has open, as the kernel maps them for it.
QSet<QString> fontFilesOf(qint64 pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    QSet<QString> files;
    if (!maps.open(QIODevice::ReadOnly))
        return files;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const int path = line.indexOf('/');
        if (path < 0)
            continue;
        const QString file = QString::fromLocal8Bit(line.mid(path));
        if (file.endsWith(QLatin1String(".ttf"), Qt::CaseInsensitive) || file.endsWith(QLatin1String(".otf"), Qt::CaseInsensitive))
            files.insert(file);
    }
    return files;
}

// The screen once it has changed from what it was and settled: three shots in a row,
// a moment apart, alike.
QImage settledScreen(const QImage &before)
{
    QImage last;
    int alike = 0;
    const QDeadlineTimer deadline(e2e::kStartDeadlineMs);
    while (!deadline.hasExpired()) {
        const QImage now = screenShot();
        alike = now != before && now == last ? alike + 1 : 0;
        if (alike == 2)
            return now;
        last = now;
        QTest::qWait(150);
    }
    return {};
}

struct Seen {
    QImage start, exercise;
    QSet<QString> fonts;
};

// Starts the program in this environment and looks at its start window, then at its
// exercise window (in Competition Mode, which hides the random digits until a shuffle);
// empty where a window never came.
Seen look(const QProcessEnvironment &env)
{
    Seen seen;
    const QImage empty = screenShot();
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(VELANTRA_EXECUTABLE), {});
    const auto stop = qScopeGuard([&] {
        program.kill();
        program.waitForFinished();
        // Gone from the screen before the next start looks at it.
        const QDeadlineTimer gone(e2e::kStartDeadlineMs);
        while (e2e::run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                   QStringLiteral("--name"), QStringLiteral("^Tovarin Parlendo$")})
                       .exitCode == 0
               && !gone.hasExpired())
            QTest::qWait(50);
    });
    if (!program.waitForStarted())
        return seen;
    const unsigned long start = e2e::windowNamed(QStringLiteral("Tovarin Parlendo"));
    if (start == 0)
        return seen;
    seen.start = settledScreen(empty);
    const QRect window = e2e::xwininfo(start).geometry;
    const startLayout::Places places = startLayout::controlPlaces(window.width(), window.height());
    if (!e2e::clickAt(window.topLeft() + places.start.center().toPoint()))
        return seen;
    const QDeadlineTimer deadline(e2e::kStartDeadlineMs);
    while (e2e::otherVisibleWindowOf(program.processId(), start) == 0 && !deadline.hasExpired())
        QTest::qWait(50);
    if (deadline.hasExpired())
        return seen;
    // The pointer off every control, where it lights nothing.
    const QRect screen = e2e::rootGeometry();
    if (!e2e::moveTo(screen.bottomRight()))
        return seen;
    seen.exercise = settledScreen(seen.start);
    seen.fonts = fontFilesOf(program.processId());
    return seen;
}

QProcessEnvironment programEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"})
        env.remove(QLatin1String(name));
    return env;
}

} // namespace

class TestE2eFonts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void drawsAsWithTheSystemsConfiguration();
    void readsTheConfigurationTheEnvironmentNames();
};

void TestE2eFonts::initTestCase()
{
    QVERIFY(QFile::exists(QStringLiteral("/etc/fonts/fonts.conf")));
    QVERIFY(e2e::moveTo(e2e::rootGeometry().bottomRight()));
}

void TestE2eFonts::drawsAsWithTheSystemsConfiguration()
{
    const Seen own = look(programEnvironment());
    QProcessEnvironment systemsEnv = programEnvironment();
    systemsEnv.insert(QStringLiteral("FONTCONFIG_FILE"), QStringLiteral("/etc/fonts/fonts.conf"));
    const Seen systems = look(systemsEnv);

    QVERIFY(!own.start.isNull() && !own.exercise.isNull());
    QVERIFY(!systems.start.isNull() && !systems.exercise.isNull());
    const auto keep = qScopeGuard([&] {
        own.exercise.save(QStringLiteral("e2e-fonts-own.png"), nullptr, 80);
        systems.exercise.save(QStringLiteral("e2e-fonts-system.png"), nullptr, 80);
    });
    // Both faces the windows name, Tahoma for the most and Arial for the web address.
    QVERIFY2(std::any_of(own.fonts.begin(), own.fonts.end(),
                         [](const QString &f) { return f.endsWith(QLatin1String("/tahoma.ttf")); }),
             qPrintable(QStringList(own.fonts.values()).join(QLatin1Char(' '))));
    QCOMPARE(own.fonts, systems.fonts);
    QVERIFY(own.start == systems.start);
    QVERIFY(own.exercise == systems.exercise);
}

void TestE2eFonts::readsTheConfigurationTheEnvironmentNames()
{
    QProcessEnvironment env = programEnvironment();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), QStringLiteral(VELANTRA_TESTS_DIR "/nofonts/fonts.conf"));
    env.insert(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/nonexistent-data"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(VELANTRA_EXECUTABLE), {});
    const auto stop = qScopeGuard([&] {
        program.kill();
        program.waitForFinished();
    });
    QVERIFY(program.waitForStarted());
    QVERIFY(e2e::windowNamed(QStringLiteral("Tovarin Parlendo")) != 0);
    QByteArray said;
    const QDeadlineTimer deadline(e2e::kStartDeadlineMs);
    while (!said.contains("No font is installed") && !deadline.hasExpired()) {
        program.waitForReadyRead(200);
        said += program.readAllStandardError();
    }
    QVERIFY2(said.contains("No font is installed"), said.constData());
}

QTEST_MAIN(TestE2eFonts)
#include "tst_e2e_fonts.moc"
