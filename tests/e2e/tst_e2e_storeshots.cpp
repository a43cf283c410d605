// SPDX-License-Identifier: GPL-3.0-or-later
// The store screenshots (assets/screenshots/, listed in the AppStream metadata) are what
// the program shows today: the real executable on a 1280 x 800 screen with a window
// manager, brought by real input to each view, its screen compared with the committed
// picture. The digits and the running time are random, so where they stand a picture is
// compared by what is drawn there (the share of ink on the area's own background);
// everywhere else pixel for pixel, within a small tolerance for the rendering of text.
// Every shot is left in screenshots/ in the build folder: when the look changes on
// purpose, those are the pictures to commit.
#include "e2eSupport.h"

#include "ui/start/StartLayout.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

enum class View { StartWindow, ShowMode, CompetitionMode };

// Where each view's content is random, in screen pixels, read off the committed
// pictures: the hundred digits (the grid's cells inside its frame) and the stopwatch's
// time box. The exercise window stands 25 pixels below the screen's top.
const QRect kDigits(40, 95, 675, 675);
const QRect kTimeBox(816, 271, 356, 69);

// A pixel differs when a channel differs by more than this; a picture matches when at
// most this share of its compared pixels differ (anti-aliasing of text, nothing more).
constexpr int kChannelTolerance = 40;
constexpr double kDifferingShare = 0.005;

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The colour most pixels of an area have.
QRgb background(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> count;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++count[image.pixel(x, y) & 0xFFFFFF];
    return std::max_element(count.cbegin(), count.cend())
        .key();
}

// The share of an area's pixels that stand off the given background: the ink drawn on it.
double ink(const QImage &image, const QRect &area, QRgb ground)
{
    int drawn = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            drawn += !near(image.pixel(x, y), ground, 60);
    return double(drawn) / (area.width() * area.height());
}

// Why a shot does not match the committed picture, or an empty string when it does.
QString mismatch(const QImage &shot, const QImage &committed, const QList<QRect> &random)
{
    if (shot.size() != committed.size())
        return QStringLiteral("the shot is %1 x %2, the committed picture %3 x %4")
            .arg(shot.width()).arg(shot.height()).arg(committed.width()).arg(committed.height());
    const auto isRandom = [&](int x, int y) {
        return std::any_of(random.cbegin(), random.cend(), [&](const QRect &r) { return r.contains(x, y); });
    };
    qint64 compared = 0, differing = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (!isRandom(x, y)) {
                ++compared;
                differing += !near(shot.pixel(x, y), committed.pixel(x, y), kChannelTolerance);
            }
    if (differing > compared * kDifferingShare)
        return QStringLiteral("%1 of %2 pixels differ outside the random areas (at most %3 may)")
            .arg(differing).arg(compared).arg(qint64(compared * kDifferingShare));
    // The random areas: the same background, and about as much drawn on it.
    for (const QRect &area : random) {
        const QRgb ground = background(committed, area);
        if (!near(background(shot, area), ground, kChannelTolerance))
            return QStringLiteral("the area at %1,%2 has another background").arg(area.x()).arg(area.y());
        const double expected = ink(committed, area, ground), found = ink(shot, area, ground);
        if (found < expected * 0.5 || found > expected * 2)
            return QStringLiteral("the area at %1,%2 holds %3 % ink, the committed picture %4 %")
                .arg(area.x()).arg(area.y()).arg(100 * found, 0, 'f', 1).arg(100 * expected, 0, 'f', 1);
    }
    return {};
}

QImage screenShot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

bool pointerAt(QPoint p)
{
    return e2e::run(QStringLiteral("xdotool"), {QStringLiteral("getmouselocation")})
        .out.startsWith(QStringLiteral("x:%1 y:%2 ").arg(p.x()).arg(p.y()));
}

} // namespace

class TestE2eStoreShots : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void showsTheCommittedPicture_data();
    void showsTheCommittedPicture();
};

void TestE2eStoreShots::initTestCase()
{
    QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1280, 800));
    QVERIFY(QDir().mkpath(QStringLiteral("screenshots")));
}

void TestE2eStoreShots::showsTheCommittedPicture_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<QRect>>("random");
    QTest::newRow("start window") << int(View::StartWindow) << QStringLiteral("start-window.png") << QList<QRect>{};
    QTest::newRow("Show Mode") << int(View::ShowMode) << QStringLiteral("exercise-show-mode.png")
                               << QList<QRect>{kDigits};
    QTest::newRow("Competition Mode") << int(View::CompetitionMode)
                                      << QStringLiteral("exercise-competition-mode.png")
                                      << QList<QRect>{kDigits, kTimeBox};
}

void TestE2eStoreShots::showsTheCommittedPicture()
{
    QFETCH(int, view);
    QFETCH(QString, file);
    QFETCH(QList<QRect>, random);
    const QImage committed =
        QImage(QStringLiteral(VELANTRA_SOURCE_DIR "/assets/screenshots/") + file).convertToFormat(QImage::Format_RGB32);

    // The pointer rests in the screen's corner, off every control, so nothing is lit.
    const QPoint rest(1279, 799);
    QVERIFY(e2e::run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(rest.x()),
                                                 QString::number(rest.y())})
                .exitCode == 0);
    QTRY_VERIFY(pointerAt(rest));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(VELANTRA_EXECUTABLE), {});
    QVERIFY(program.waitForStarted());
    const auto stop = qScopeGuard([&] {
        program.kill();
        program.waitForFinished();
    });
    const unsigned long start = e2e::windowNamed(QStringLiteral("Tovarin Parlendo"));
    QVERIFY(start != 0);
    QTRY_COMPARE(e2e::xwininfo(start).geometry, QRect(0, 0, 1280, 800));

    if (View(view) != View::StartWindow) {
        const startLayout::Places places = startLayout::controlPlaces(1280, 800);
        if (View(view) == View::ShowMode)
            QVERIFY(e2e::clickAt(places.show.center().toPoint()));
        QVERIFY(e2e::clickAt(places.start.center().toPoint()));
        unsigned long exercise = 0;
        QTRY_VERIFY_WITH_TIMEOUT((exercise = e2e::otherVisibleWindowOf(program.processId(), start)) != 0,
                                 e2e::kStartDeadlineMs);
        QTRY_COMPARE(e2e::xwininfo(exercise).geometry, QRect(0, 25, 1280, 775));
        QVERIFY(e2e::moveTo(rest));
        if (View(view) == View::CompetitionMode) {
            // The keyboard starts on SHUFFLE: Space shuffles, Escape stops the shuffle and
            // the stopwatch starts by itself.
            QTRY_COMPARE_WITH_TIMEOUT(e2e::activeWindow(), exercise, 10000);
            QVERIFY(e2e::typeKeys({QStringLiteral("space")}));
            QVERIFY(e2e::typeKeys({QStringLiteral("Escape")}));
        }
    }

    // Until the deadline, for the windows to paint; the last shot is kept either way.
    QImage shot;
    QString why = QStringLiteral("no shot taken");
    const QDeadlineTimer deadline(20000);
    do {
        shot = screenShot();
        why = committed.isNull() ? QStringLiteral("there is no committed picture") : mismatch(shot, committed, random);
        if (why.isEmpty())
            break;
        QTest::qWait(200);
    } while (!deadline.hasExpired());
    QVERIFY(shot.save(QStringLiteral("screenshots/") + file));
    QVERIFY2(why.isEmpty(), qPrintable(QStringLiteral("%1: %2; the program's picture is screenshots/%1 in the "
                                                      "build folder")
                                           .arg(file, why)));
}

QTEST_MAIN(TestE2eStoreShots)
#include "tst_e2e_storeshots.moc"
