// SPDX-License-Identifier: GPL-3.0-or-later
// The real executable on the desktops people run: a panel that reserves a strip of the
// screen, a window manager that moves and resizes its windows, dark colour schemes. Where
// the windows stand is read from the X server; what they show, from the screen; the
// strip's look, from the skin template itself.
#include "e2eSupport.h"

#include "ui/exercise/ExerciseLayout.h"
#include "ui/start/StartLayout.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The top band the exercise window leaves of the start window, in pixels.
constexpr int kTopBand = 25;

QImage screenShot()
{
    QGuiApplication::sync();
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// The strip's resting picture as the template draws it: the normal glyphs of its four
// cells, copied from their columns of the template's caption glyphs.
QImage restingStrip()
{
    const QImage skin = QImage(QStringLiteral(VELANTRA_SOURCE_DIR "/assets/skin.png")).convertToFormat(QImage::Format_RGB32);
    QImage strip(68, 15, QImage::Format_RGB32);
    const int columns[] = {89, 106, 174, 157};
    for (int cell = 0; cell < 4; ++cell)
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 17; ++x)
                strip.setPixel(cell * 17 + x, y, skin.pixel(columns[cell] + x, 179 + y));
    return strip;
}

// The strip stands 4 pixels in from the top right corner of the start window.
QRect stripOf(const QRect &start) { return QRect(start.right() + 1 - 4 - 68, start.top() + 4, 68, 15); }

bool onXWayland() { return qEnvironmentVariableIsSet("WAYLAND_DISPLAY"); }

// The strip as the start window shows it. XWayland's root window holds no picture (the
// compositor draws the screen), so there the start window's own picture stands in, read
// by another X client (Qt's own grab reads the root window).
QImage stripShot(unsigned long start, const QRect &strip)
{
    if (!onXWayland())
        return screenShot().copy(strip);
    const QRect window = e2e::xwininfo(start).geometry;
    QTemporaryDir dir;
    // A portable pixmap: a PNG would carry a colour space that the template's picture lacks.
    const QString file = dir.filePath(QStringLiteral("window.ppm"));
    // The id in hexadecimal: import takes a decimal number for a window's name, and then
    // waits for a click to choose one.
    const QString id = QStringLiteral("0x") + QString::number(start, 16);
    if (e2e::run(QStringLiteral("import"), {QStringLiteral("-window"), id, file}).exitCode != 0)
        return QImage();
    return QImage(file).convertToFormat(QImage::Format_RGB32).copy(strip.translated(-window.topLeft()));
}

class Program {
public:
    explicit Program(const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
    {
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(VELANTRA_EXECUTABLE), {});
    }
    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    unsigned long window(const QString &name) const
    {
        const QDeadlineTimer deadline(e2e::kStartDeadlineMs);
        while (!deadline.hasExpired()) {
            for (unsigned long id : e2e::visibleWindowsOf(process.processId())) {
                const e2e::Result r = e2e::run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(id),
                                                                         QStringLiteral("WM_NAME")});
                if (r.out.contains(QStringLiteral("\"%1\"").arg(name)))
                    return id;
            }
            QThread::msleep(50);
        }
        return 0;
    }
    // The exercise window is the program's visible window that is neither the start
    // window nor the backdrop: it has no name of its own.
    unsigned long exerciseWindow(unsigned long start) const
    {
        const QDeadlineTimer deadline(e2e::kStartDeadlineMs);
        while (!deadline.hasExpired()) {
            for (unsigned long id : e2e::visibleWindowsOf(process.processId()))
                if (id != start && e2e::xwininfo(id).geometry.height() < e2e::xwininfo(start).geometry.height())
                    return id;
            QThread::msleep(50);
        }
        return 0;
    }
    QProcess process;
};

// The start window's START, at its place in a start window of this size.
QPoint startButton(const QRect &start)
{
    const QRectF r = startLayout::controlPlaces(start.width(), start.height()).start;
    return start.topLeft() + r.center().toPoint();
}

// Back, at its place in an exercise window of this size.
QPoint backButton(const QRect &exercise)
{
    const double side = exercise.height() - 100;
    const QRectF r = exerciseLayout::screenPlaces(exercise.width(), exercise.height(), 40, side).back;
    return exercise.topLeft() + r.center().toPoint();
}

// Where the start window belongs in a free area: at its top left, 1280 x 800 where the
// area holds that, otherwise the area's size (its width kept to 1280 from 800 high on).
QRect expectedStart(const QRect &free)
{
    if (free.height() >= 800)
        return QRect(free.topLeft(), QSize(std::min(free.width(), 1280), 800));
    return free;
}

bool stableGeometry(unsigned long id, const QRect &expected)
{
    return e2e::xwininfo(id).geometry == expected;
}

} // namespace

class TestE2eDesktops : public QObject {
    Q_OBJECT

private slots:
    void windowsStandInTheFreeArea();
    void exerciseFollowsAMovedStartWindow();
    void resizedFromOutsideLaysOutAgain();
    void tiledByTheCompositor();
    void darkDesktopsLookLikeLightOnes_data();
    void darkDesktopsLookLikeLightOnes();
};

void TestE2eDesktops::windowsStandInTheFreeArea()
{
    const QRect free = e2e::workArea();
    QVERIFY(free.isValid());
    Program program;
    const unsigned long start = program.window(QStringLiteral("Tovarin Parlendo"));
    QVERIFY(start != 0);
    const QRect expected = expectedStart(free);
    QTRY_VERIFY_WITH_TIMEOUT(stableGeometry(start, expected), 20000);
    // The strip shows its resting cells where the window stands.
    QTRY_VERIFY_WITH_TIMEOUT(stripShot(start, stripOf(expected)) == restingStrip(), 20000);

    QVERIFY(e2e::clickAt(startButton(expected)));
    const unsigned long exercise = program.exerciseWindow(start);
    QVERIFY(exercise != 0);
    const QRect below(expected.x(), expected.y() + kTopBand, expected.width(), expected.height() - kTopBand);
    QTRY_VERIFY_WITH_TIMEOUT(stableGeometry(exercise, below), 20000);
    // The strip stays in sight above the exercise window, and its close cell ends the
    // program where it shows.
    QTRY_VERIFY_WITH_TIMEOUT(stripShot(start, stripOf(expected)) == restingStrip(), 20000);
    const QPoint close = stripOf(expected).topLeft() + QPoint(51 + 8, 7);
    QVERIFY(e2e::moveTo(close + QPoint(0, 40)));
    QVERIFY(e2e::clickAt(close));
    QVERIFY(program.process.waitForFinished(20000));
    QCOMPARE(program.process.exitCode(), 0);
}

void TestE2eDesktops::exerciseFollowsAMovedStartWindow()
{
    Program program;
    const unsigned long start = program.window(QStringLiteral("Tovarin Parlendo"));
    QVERIFY(start != 0);
    const QRect first = expectedStart(e2e::workArea());
    QTRY_VERIFY_WITH_TIMEOUT(stableGeometry(start, first), 20000);
    // The window manager moves it, as a user's Alt+drag does; it may keep it clear of a
    // panel, so the test takes the place the X server reports.
    // Not far: START must stay on the screen for the click.
    QVERIFY(e2e::run(QStringLiteral("xdotool"), {QStringLiteral("windowmove"), QString::number(start),
                                                 QString::number(first.x() + 40), QString::number(first.y() + 30)})
                .exitCode == 0);
    QTRY_VERIFY_WITH_TIMEOUT(e2e::xwininfo(start).geometry.topLeft() != first.topLeft(), 20000);
    const QRect moved = e2e::xwininfo(start).geometry;
    QCOMPARE(moved.size(), first.size());

    QVERIFY(e2e::clickAt(startButton(moved)));
    const unsigned long exercise = program.exerciseWindow(start);
    QVERIFY(exercise != 0);
    const QRect below(moved.x(), moved.y() + kTopBand, moved.width(), moved.height() - kTopBand);
    QTRY_COMPARE_WITH_TIMEOUT(e2e::xwininfo(exercise).geometry, below, 20000);
}

void TestE2eDesktops::resizedFromOutsideLaysOutAgain()
{
    Program program;
    const unsigned long start = program.window(QStringLiteral("Tovarin Parlendo"));
    QVERIFY(start != 0);
    const QRect first = expectedStart(e2e::workArea());
    QTRY_VERIFY_WITH_TIMEOUT(stableGeometry(start, first), 20000);

    // Resized from outside, as the window manager's Alt+right-drag does: the strip moves
    // to the new top right corner.
    const QSize smaller = first.size() - QSize(120, 60);
    QVERIFY(e2e::run(QStringLiteral("xdotool"), {QStringLiteral("windowsize"), QString::number(start),
                                                 QString::number(smaller.width()), QString::number(smaller.height())})
                .exitCode == 0);
    QTRY_VERIFY_WITH_TIMEOUT(e2e::xwininfo(start).geometry.size() == smaller, 20000);
    const QRect resized = e2e::xwininfo(start).geometry;
    QTRY_VERIFY_WITH_TIMEOUT(stripShot(start, stripOf(resized)) == restingStrip(), 20000);

    // START where the smaller start window has it; the exercise window follows that size.
    QVERIFY(e2e::clickAt(startButton(resized)));
    const unsigned long exercise = program.exerciseWindow(start);
    QVERIFY(exercise != 0);
    QTRY_VERIFY_WITH_TIMEOUT(stableGeometry(exercise, QRect(resized.x(), resized.y() + kTopBand, resized.width(),
                                                            resized.height() - kTopBand)),
                             20000);
    // Back leaves the exercise; the start window stays as resized.
    QVERIFY(e2e::clickAt(backButton(e2e::xwininfo(exercise).geometry)));
    QTRY_VERIFY_WITH_TIMEOUT(!e2e::xwininfo(exercise).viewable, 20000);

    // The close cell ends the program at the resized window's corner.
    const QPoint close = stripOf(resized).topLeft() + QPoint(51 + 8, 7);
    QVERIFY(e2e::moveTo(close + QPoint(0, 40)));
    QVERIFY(e2e::clickAt(close));
    QVERIFY(program.process.waitForFinished(20000));
    QCOMPARE(program.process.exitCode(), 0);
}

// A tiling compositor (sway) gives the start window a tile of its own choosing and
// floats the exercise window centred on the output, wherever it was asked to stand. The
// program lays itself out for the tile it got, Back returns to it, and the strip works
// where the tile shows it.
void TestE2eDesktops::tiledByTheCompositor()
{
    Program program;
    const unsigned long start = program.window(QStringLiteral("Tovarin Parlendo"));
    QVERIFY(start != 0);
    const QRect root = e2e::rootGeometry();
    // The tile is what the compositor says it is, once it stops changing.
    // The window first stands where the program asked, over the whole output; the tile
    // is never that, since sway draws a title bar above it.
    const QRect asked(root.topLeft(), QSize(1280, 800));
    QRect tile;
    QTRY_VERIFY_WITH_TIMEOUT([&] {
        const QRect now = e2e::xwininfo(start).geometry;
        const bool settled = now == tile && now != asked && root.contains(now);
        tile = now;
        return settled;
    }(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(stripShot(start, stripOf(tile)) == restingStrip(), 20000);

    QVERIFY(e2e::clickAt(startButton(tile)));
    const unsigned long exercise = program.exerciseWindow(start);
    QVERIFY(exercise != 0);
    QTRY_VERIFY_WITH_TIMEOUT(e2e::xwininfo(exercise).viewable, 20000);
    QRect floated;
    QTRY_VERIFY_WITH_TIMEOUT([&] {
        const QRect now = e2e::xwininfo(exercise).geometry;
        const bool settled = now == floated && root.contains(now);
        floated = now;
        return settled;
    }(), 20000);
    // As tall as the tile leaves below the top band, whatever place it was given.
    QCOMPARE(floated.size(), QSize(tile.width(), tile.height() - kTopBand));
    QVERIFY(e2e::clickAt(backButton(floated)));
    QTRY_VERIFY_WITH_TIMEOUT(!e2e::xwininfo(exercise).viewable, 20000);

    const QPoint close = stripOf(tile).topLeft() + QPoint(51 + 8, 7);
    QVERIFY(e2e::moveTo(close + QPoint(0, 40)));
    QVERIFY(e2e::clickAt(close));
    QVERIFY(program.process.waitForFinished(20000));
    QCOMPARE(program.process.exitCode(), 0);
}

void TestE2eDesktops::darkDesktopsLookLikeLightOnes_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::newRow("KDE, Breeze Dark colours") << QStringLiteral("kde");
    QTest::newRow("qt6ct, a dark palette and another style") << QStringLiteral("qt6ct");
    QTest::newRow("another widget style named") << QStringLiteral("style");
}

namespace {

struct Views {
    QImage start;        // the start window before START
    QImage exercise;     // the exercise window as it opens (Competition Mode: a blank grid)
    QImage hidden;       // its grid once the stopwatch stopped: the digits hidden
};

// One run of the program: the start view, the exercise view, and the grid with the digits
// hidden after a shuffle and a timed attempt, all by the keyboard the user has.
Views viewsOf(const QProcessEnvironment &environment)
{
    Views views;
    Program program(environment);
    const unsigned long start = program.window(QStringLiteral("Tovarin Parlendo"));
    if (!start)
        return views;
    const QRect place = expectedStart(e2e::workArea());
    if (!QTest::qWaitFor([&] { return stableGeometry(start, place); }, 20000))
        return views;
    if (!QTest::qWaitFor([&] { return stripShot(start, stripOf(place)) == restingStrip(); }, 20000))
        return views;
    // The pointer rests on the top band, where nothing lights up under it.
    const QPoint rest = place.topLeft() + QPoint(300, 10);
    e2e::moveTo(rest);
    views.start = screenShot().copy(place);
    e2e::clickAt(startButton(place));
    e2e::moveTo(rest);
    const unsigned long exercise = program.exerciseWindow(start);
    if (!exercise)
        return views;
    const QRect below(place.x(), place.y() + kTopBand, place.width(), place.height() - kTopBand);
    // Painted once its blank grid shows (a window just mapped still shows what lay below
    // it) and two shots a moment apart agree.
    const double side = below.height() - 100;
    const QRect cells(40 + 10, 60 + 10, int(side) - 20, int(side) - 20);
    const auto blankGridIn = [&cells](const QImage &shot) {
        qsizetype white = 0;
        for (int y = cells.top(); y <= cells.bottom(); ++y)
            for (int x = cells.left(); x <= cells.right(); ++x)
                white += shot.pixel(x, y) == qRgb(255, 255, 255);
        return white >= qsizetype(cells.width()) * cells.height() * 9 / 10;
    };
    QImage last;
    const bool painted = QTest::qWaitFor([&] {
        const QImage now = screenShot().copy(below);
        const bool same = now == last && blankGridIn(now) && stableGeometry(exercise, below);
        last = now;
        return same;
    }, 20000);
    // The keys go where the input focus is: on a busy machine the window manager may
    // still be handing it to the new window.
    if (!painted || !QTest::qWaitFor([&] { return e2e::activeWindow() == exercise; }, 20000))
        return views;
    views.exercise = last;
    // The keyboard starts on SHUFFLE: Space shuffles, Escape stops the shuffle and starts
    // the stopwatch, Escape stops it and hides the digits. The keys arrive in this order.
    e2e::typeKeys({QStringLiteral("space"), QStringLiteral("Escape"), QStringLiteral("Escape")});
    // Done once a reading shows, the grid shows no digit and the window keeps still:
    // neither the shuffle nor the stopwatch runs. The grid repaints a frame after the
    // stop, so stillness alone can catch the moment between.
    const auto noDigitIn = [&cells](const QImage &shot) {
        for (int y = cells.top(); y <= cells.bottom(); ++y)
            for (int x = cells.left(); x <= cells.right(); ++x)
                if (qGray(shot.pixel(x, y)) < 0x80)
                    return false;
        return true;
    };
    QImage shown;
    if (!QTest::qWaitFor([&] {
            const QImage now = screenShot().copy(below);
            const bool done = now == shown && now != views.exercise && noDigitIn(now);
            shown = now;
            return done;
        }, 20000))
        return Views();
    // The grid and its frame, left of the panels.
    const QRectF score = exerciseLayout::screenPlaces(below.width(), below.height(), 40, side).score;
    views.hidden = shown.copy(0, 60, int(score.left()) - 8, below.height() - 60);
    return views;
}

} // namespace

void TestE2eDesktops::darkDesktopsLookLikeLightOnes()
{
    QFETCH(QString, desktop);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString config = home.filePath(QStringLiteral("config"));
    QVERIFY(QDir().mkpath(config + QStringLiteral("/qt6ct")));

    QProcessEnvironment light = QProcessEnvironment::systemEnvironment();
    light.insert(QStringLiteral("HOME"), home.path());
    light.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    QProcessEnvironment dark = light;
    if (desktop == QLatin1String("kde")) {
        // Breeze Dark's colours, as KDE's settings write them.
        QFile globals(config + QStringLiteral("/kdeglobals"));
        QVERIFY(globals.open(QIODevice::WriteOnly));
        globals.write("[General]\nColorScheme=BreezeDark\n"
                      "[Colors:Window]\nBackgroundNormal=32,35,38\nForegroundNormal=234,235,235\n"
                      "[Colors:View]\nBackgroundNormal=20,22,24\nForegroundNormal=234,235,235\n"
                      "[Colors:Button]\nBackgroundNormal=41,44,48\nForegroundNormal=234,235,235\n"
                      "[Colors:Selection]\nBackgroundNormal=61,174,233\nForegroundNormal=255,255,255\n");
        globals.close();
        dark.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE"));
        dark.insert(QStringLiteral("KDE_SESSION_VERSION"), QStringLiteral("5"));
        dark.insert(QStringLiteral("KDE_FULL_SESSION"), QStringLiteral("true"));
    } else if (desktop == QLatin1String("qt6ct")) {
        // qt6ct's own dark colour scheme, with the Windows style.
        QFile settings(config + QStringLiteral("/qt6ct/qt6ct.conf"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"
                       "custom_palette=true\nstyle=Windows\n");
        settings.close();
        QVERIFY(QFile::exists(QStringLiteral("/usr/share/qt6ct/colors/darker.conf")));
        dark.insert(QStringLiteral("QT_QPA_PLATFORMTHEME"), QStringLiteral("qt6ct"));
    } else {
        dark.insert(QStringLiteral("QT_STYLE_OVERRIDE"), QStringLiteral("Windows"));
    }

    const Views lightViews = viewsOf(light);
    QVERIFY(!lightViews.start.isNull() && !lightViews.exercise.isNull() && !lightViews.hidden.isNull());
    const Views darkViews = viewsOf(dark);
    QVERIFY(!darkViews.start.isNull() && !darkViews.exercise.isNull() && !darkViews.hidden.isNull());
    // Named by the panel too: the runs with and without one may save at the same time.
    const QString panel = qEnvironmentVariableIsSet("E2E_PANEL") ? QString::fromLocal8Bit(qgetenv("E2E_PANEL")).remove(u':')
                                                                 : QStringLiteral("none");
    for (const auto &[name, views] : {std::pair{QStringLiteral("light"), &lightViews}, std::pair{desktop, &darkViews}}) {
        const QString prefix = QStringLiteral("e2e-desktop-%1-%2").arg(panel, name);
        views->start.save(prefix + QStringLiteral("-start.png"));
        views->exercise.save(prefix + QStringLiteral("-exercise.png"));
        views->hidden.save(prefix + QStringLiteral("-hidden.png"));
    }
    QCOMPARE(darkViews.start, lightViews.start);
    QCOMPARE(darkViews.exercise, lightViews.exercise);
    // The hidden digits are white on white on both, so the grids agree cell for cell.
    QCOMPARE(darkViews.hidden, lightViews.hidden);
}

int main(int argc, char **argv)
{
    // In a Wayland session the test reads the X server the program draws on; the program
    // itself picks its platform as it would there.
    const bool wayland = onXWayland();
    if (wayland)
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    if (wayland)
        qunsetenv("QT_QPA_PLATFORM");
    TestE2eDesktops test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_e2e_desktops.moc"
