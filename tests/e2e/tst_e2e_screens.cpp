// SPDX-License-Identifier: GPL-3.0-or-later
// The real executable on the screens people have: landscape, portrait and narrow
// screens, each at the desktop scales that make sense for it. For every case the program
// starts, or refuses the screen with its message, as the fitting rules say; the start
// window and the exercise window lie wholly on the screen; the skin is drawn pixel for
// pixel as the template at the ratio the program chose; and the close cell of the strip
// ends the program. One X server per screen size; the scales run one after another on it.
#include "e2eSupport.h"

#include "ui/start/StartLayout.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>

namespace {

// Scale is set the way desktops set it: the Xft.dpi resource, or Qt's own variable.
enum class ScaleBy { XftDpi, QtScaleFactor };

struct Case {
    const char *name;
    QSize screen;          // device pixels
    double scale;          // the desktop's scale factor
    ScaleBy by;
    int ratio;             // the whole device-pixel ratio the program should draw at; 0: refused
    QSize window;          // the start window in logical pixels
};

// Ratio 2 needs 2048 x 1536 device pixels; below 1024 x 768 at ratio 1 the screen is refused.
const Case kCases[] = {
    {"1024x768 100%", {1024, 768}, 1.0, ScaleBy::XftDpi, 1, {1024, 768}},
    {"1024x768 200%", {1024, 768}, 2.0, ScaleBy::XftDpi, 1, {1024, 768}},
    {"1152x864 100%", {1152, 864}, 1.0, ScaleBy::XftDpi, 1, {1152, 800}},
    {"1152x864 150%", {1152, 864}, 1.5, ScaleBy::XftDpi, 1, {1152, 800}},
    {"1280x800 100%", {1280, 800}, 1.0, ScaleBy::XftDpi, 1, {1280, 800}},
    {"1280x800 200%", {1280, 800}, 2.0, ScaleBy::XftDpi, 1, {1280, 800}},
    {"1920x1080 100%", {1920, 1080}, 1.0, ScaleBy::XftDpi, 1, {1280, 800}},
    {"1920x1080 125%", {1920, 1080}, 1.25, ScaleBy::XftDpi, 1, {1280, 800}},
    {"1920x1080 150%", {1920, 1080}, 1.5, ScaleBy::XftDpi, 1, {1280, 800}},
    {"1920x1080 175%", {1920, 1080}, 1.75, ScaleBy::XftDpi, 1, {1280, 800}},
    {"1920x1080 200%", {1920, 1080}, 2.0, ScaleBy::XftDpi, 1, {1280, 800}},
    {"1920x1080 QT_SCALE_FACTOR 1.5", {1920, 1080}, 1.5, ScaleBy::QtScaleFactor, 1, {1280, 800}},
    {"2560x1440 100%", {2560, 1440}, 1.0, ScaleBy::XftDpi, 1, {1280, 800}},
    {"2560x1440 125%", {2560, 1440}, 1.25, ScaleBy::XftDpi, 1, {1280, 800}},
    {"2560x1440 150%", {2560, 1440}, 1.5, ScaleBy::XftDpi, 1, {1280, 800}},
    {"2560x1440 175%", {2560, 1440}, 1.75, ScaleBy::XftDpi, 1, {1280, 800}},
    {"2560x1440 200%", {2560, 1440}, 2.0, ScaleBy::XftDpi, 1, {1280, 800}},
    {"3840x2160 100%", {3840, 2160}, 1.0, ScaleBy::XftDpi, 1, {1280, 800}},
    {"3840x2160 125%", {3840, 2160}, 1.25, ScaleBy::XftDpi, 1, {1280, 800}},
    {"3840x2160 150%", {3840, 2160}, 1.5, ScaleBy::XftDpi, 2, {1280, 800}},
    {"3840x2160 175%", {3840, 2160}, 1.75, ScaleBy::XftDpi, 2, {1280, 800}},
    {"3840x2160 200%", {3840, 2160}, 2.0, ScaleBy::XftDpi, 2, {1280, 800}},
    {"3840x2160 QT_SCALE_FACTOR 1.25", {3840, 2160}, 1.25, ScaleBy::QtScaleFactor, 1, {1280, 800}},
    {"800x1280 100%", {800, 1280}, 1.0, ScaleBy::XftDpi, 0, {}},
    {"800x1280 200%", {800, 1280}, 2.0, ScaleBy::XftDpi, 0, {}},
    {"1080x1920 100%", {1080, 1920}, 1.0, ScaleBy::XftDpi, 1, {1080, 800}},
    {"1080x1920 150%", {1080, 1920}, 1.5, ScaleBy::XftDpi, 1, {1080, 800}},
    {"1080x1920 200%", {1080, 1920}, 2.0, ScaleBy::XftDpi, 1, {1080, 800}},
};

// A template region and where it stands, in logical pixels of a window.
struct Piece {
    const char *name;
    QRect source;
    QPoint at;
};

QImage skinTemplate(int ratio)
{
    const QString file = ratio == 2 ? QStringLiteral("skin@2x.png") : QStringLiteral("skin.png");
    return QImage(QStringLiteral(VELANTRA_SOURCE_DIR "/assets/") + file).convertToFormat(QImage::Format_RGB32);
}

// Device pixels of the screen shot that differ from the template region at this ratio.
int differingPixels(const QImage &shot, QPoint windowAt, const Piece &piece, int ratio)
{
    static QImage templates[3];
    QImage &skin = templates[ratio];
    if (skin.isNull())
        skin = skinTemplate(ratio);
    const QRect from(piece.source.topLeft() * ratio, piece.source.size() * ratio);
    const QPoint to = windowAt + piece.at * ratio;
    int differing = 0;
    for (int y = 0; y < from.height(); ++y)
        for (int x = 0; x < from.width(); ++x)
            if ((skin.pixel(from.x() + x, from.y() + y) & 0xFFFFFF) != (shot.pixel(to.x() + x, to.y() + y) & 0xFFFFFF))
                ++differing;
    return differing;
}

QImage screenShot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

bool setXftDpi(int dpi)
{
    QProcess xrdb;
    xrdb.start(QStringLiteral("xrdb"), {QStringLiteral("-nocpp"), QStringLiteral("-merge")});
    if (!xrdb.waitForStarted())
        return false;
    xrdb.write(QStringLiteral("Xft.dpi: %1\n").arg(dpi).toLatin1());
    xrdb.closeWriteChannel();
    return xrdb.waitForFinished() && xrdb.exitCode() == 0;
}

} // namespace

class TestE2eScreens : public QObject {
    Q_OBJECT

private slots:
    void startsWholeAndCrisp_data();
    void startsWholeAndCrisp();
};

void TestE2eScreens::startsWholeAndCrisp_data()
{
    QTest::addColumn<int>("index");
    const QSize screen = QGuiApplication::primaryScreen()->size();
    for (int i = 0; i < int(std::size(kCases)); ++i)
        if (kCases[i].screen == screen)
            QTest::newRow(kCases[i].name) << i;
}

void TestE2eScreens::startsWholeAndCrisp()
{
    QFETCH(int, index);
    const Case &c = kCases[index];
    const QRect screenRect(QPoint(0, 0), c.screen);
    QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), 1.0);

    // The program sees the desktop's scale only: the test's own settings stay here.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "QT_ENABLE_HIGHDPI_SCALING", "QT_SCALE_FACTOR", "QT_FONT_DPI"})
        env.remove(QLatin1String(name));
    if (c.by == ScaleBy::XftDpi) {
        QVERIFY(setXftDpi(qRound(96 * c.scale)));
    } else {
        QVERIFY(setXftDpi(96));
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(c.scale));
    }
    // The pointer rests off the strip, or a cell of it would light up.
    const QPoint rest(c.screen.width() - 1, c.screen.height() - 1);
    QVERIFY(e2e::run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(rest.x()),
                                                 QString::number(rest.y())})
                .exitCode == 0);
    QTRY_VERIFY(e2e::run(QStringLiteral("xdotool"), {QStringLiteral("getmouselocation")})
                    .out.startsWith(QStringLiteral("x:%1 y:%2 ").arg(rest.x()).arg(rest.y())));

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

    if (c.ratio == 0) {
        // Refused: the message box, wholly on the screen, and no start window.
        const unsigned long box = e2e::windowNamed(QStringLiteral("Speed Velantra"));
        QVERIFY(box != 0);
        QTRY_COMPARE(e2e::visibleWindowsOf(program.processId()), QList<unsigned long>{box});
        QVERIFY(screenRect.contains(e2e::xwininfo(box).geometry));
        // Its OK ends the program; the key is pressed again if the box was not ready for it.
        QDeadlineTimer deadline(15000);
        while (program.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            e2e::run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QString::number(box)});
            e2e::run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
            program.waitForFinished(500);
        }
        QCOMPARE(program.state(), QProcess::NotRunning);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        return;
    }

    const int r = c.ratio;
    const int w = c.window.width(), h = c.window.height();
    const unsigned long start = e2e::windowNamed(QStringLiteral("Tovarin Parlendo"));
    QVERIFY(start != 0);
    QTRY_COMPARE(e2e::xwininfo(start).geometry, QRect(0, 0, w * r, h * r));
    QVERIFY(screenRect.contains(e2e::xwininfo(start).geometry));

    // The start view: frame corners and the strip's resting glyphs, at the chosen ratio.
    const Piece startPieces[] = {
        {"startCornerTopLeft", {0, 0, 50, 50}, {0, 0}},
        {"frameCornerBottomLeft", {0, 760, 40, 40}, {0, h - 40}},
        {"frameCornerBottomRight", {1240, 760, 40, 40}, {w - 40, h - 40}},
        {"strip backdrop glyph", {89, 179, 17, 15}, {w - 72, 4}},
        {"strip minimise glyph", {106, 179, 17, 15}, {w - 72 + 17, 4}},
        {"strip inactive glyph", {174, 179, 17, 15}, {w - 72 + 34, 4}},
        {"strip close glyph", {157, 179, 17, 15}, {w - 72 + 51, 4}},
    };
    QImage shot;
    QByteArray differing;   // the first piece that differs, for the failure message
    const auto drawn = [&](QPoint windowAt, const Piece &p) {
        const int count = differingPixels(shot, windowAt, p, r);
        if (count != 0)
            differing = QByteArray(p.name) + ": " + QByteArray::number(count) + " pixels differ";
        return count == 0;
    };
    const auto startDrawn = [&] {
        shot = screenShot();
        for (const Piece &p : startPieces)
            if (!drawn(QPoint(0, 0), p))
                return false;
        return true;
    };
    const QString shotName = QStringLiteral("e2e-screens-%1").arg(QString::fromLatin1(c.name).replace(QLatin1Char(' '), QLatin1Char('-')).remove(QLatin1Char('%')));
    {
        const auto keep = qScopeGuard([&] { shot.copy(screenRect).save(shotName + QStringLiteral("-start.png"), nullptr, 80); });
        QTRY_VERIFY2_WITH_TIMEOUT(startDrawn(), differing.constData(), 10000);
    }

    // At one ratio every desktop scale gives the very same picture: nothing in the window
    // follows the desktop's font dpi.
    const auto sameAsFirstAtRatio = [&](const QString &view, const QRect &window) {
        static QHash<QString, QImage> first;
        const QString key = QStringLiteral("%1 at %2").arg(view).arg(r);
        const QImage picture = shot.copy(window);
        if (!first.contains(key))
            first.insert(key, picture);
        return picture == first.value(key);
    };
    QVERIFY(sameAsFirstAtRatio(QStringLiteral("start view"), QRect(0, 0, w * r, h * r)));

    // START opens the exercise window over the start window, 25 pixels below its top.
    const QRectF startButton = startLayout::controlPlaces(w, h).start;
    QVERIFY(e2e::clickAt((startButton.center() * r).toPoint()));
    unsigned long exercise = 0;
    QTRY_VERIFY_WITH_TIMEOUT((exercise = e2e::otherVisibleWindowOf(program.processId(), start)) != 0, 10000);
    QTRY_COMPARE(e2e::xwininfo(exercise).geometry, QRect(0, 25 * r, w * r, (h - 25) * r));
    QVERIFY(screenRect.contains(e2e::xwininfo(exercise).geometry));
    QCOMPARE(e2e::xwininfo(start).geometry, QRect(0, 0, w * r, h * r));

    // The exercise window's frame, and the start window's header strip above it. The
    // grid's frame covers the inner part of the bottom corners.
    const Piece exercisePieces[] = {
        {"frameCornerBottomLeft, outer part", {0, 780, 20, 20}, {0, h - 25 - 20}},
        {"frameCornerBottomRight, outer part", {1260, 780, 20, 20}, {w - 20, h - 25 - 20}},
        {"exerciseHeaderRight", {422, 122, 30, 46}, {w - 30, 0}},
    };
    const Piece openStrip = {"openHeaderLeft, visible rows", {195, 97, 195, 25}, {0, 0}};
    const auto exerciseDrawn = [&] {
        shot = screenShot();
        // A window just mapped shows what was under it until it paints, and the start
        // window's open view has the same frame: the grid's white first cell (the grid
        // stands at 40, 70) shows that the exercise window itself has painted.
        const QPoint inFirstCell = QPoint(0, 25 * r) + QPoint(40 + 15, 70 + 15) * r;
        if (shot.pixel(inFirstCell) != qRgb(255, 255, 255)) {
            differing = "the exercise window has not painted its grid";
            return false;
        }
        for (const Piece &p : exercisePieces)
            if (!drawn(QPoint(0, 25 * r), p))
                return false;
        return drawn(QPoint(0, 0), openStrip);
    };
    {
        // Kept also when the check fails, to see what was on the screen.
        const auto keep = qScopeGuard([&] { shot.copy(screenRect).save(shotName + QStringLiteral("-exercise.png"), nullptr, 80); });
        QTRY_VERIFY2_WITH_TIMEOUT(exerciseDrawn(), differing.constData(), 10000);
    }
    QVERIFY(sameAsFirstAtRatio(QStringLiteral("exercise view"), QRect(0, 0, w * r, h * r)));

    // The close cell of the strip ends the program: the pointer arrives, then clicks.
    const QPoint closeCell = QPoint(w - 72 + 51 + 8, 4 + 7) * r;
    QVERIFY(e2e::moveTo(closeCell + QPoint(0, 40 * r)));
    QVERIFY(e2e::clickAt(closeCell));
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(!e2e::xwininfo(start).found);
}

QTEST_MAIN(TestE2eScreens)
#include "tst_e2e_screens.moc"
