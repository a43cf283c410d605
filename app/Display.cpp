// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Display.h"

#include "app/Fonts.h"
#include "app/ScreenFit.h"

#include <QFileInfo>
#include <QScreen>

#include <cmath>
#include <cstdio>

namespace {

constexpr char kPlatformVariable[] = "QT_QPA_PLATFORM";
// Qt's platform without any screen, put last in the list: a display that cannot be
// opened then ends in the program's own message instead of Qt's abort.
constexpr char kLastResort[] = "minimal";

QList<QByteArray> platformNames(const QByteArray &platforms)
{
    QList<QByteArray> names;
    for (const QByteArray &entry : platforms.split(';'))
        if (!entry.isEmpty())
            names << entry.split(':').first();   // options follow the name after a colon
    return names;
}

// Qt's messages while the application is being created: shown afterwards when a display
// was opened, dropped when the program reports the failure in its own words.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> *g_held = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    g_held->append({type, QByteArray(context.category ? context.category : "default"), text});
}

struct Created {
    std::unique_ptr<QApplication> application;
    bool onDisplay = false;
};

Created create(int &argc, char **argv)
{
    QList<HeldMessage> held;
    g_held = &held;
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    Created created;
    created.application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    g_held = nullptr;
    const QByteArray name = QGuiApplication::platformName().toUtf8();
    created.onDisplay = name != kLastResort || platformNames(qgetenv(kPlatformVariable)).first() == kLastResort;
    if (created.onDisplay) {
        for (const HeldMessage &m : held) {
            const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
            qt_message_output(m.type, context, m.text);
        }
    }
    return created;
}

// Draw at a whole ratio: Qt's setting is read only when an application is created.
void drawAtRatio(int ratio)
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_SCALE_FACTOR", QByteArray::number(ratio));
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
}

} // namespace

namespace display {

QByteArray platformList(const QByteArray &chosen, bool waylandSession)
{
    QByteArray platforms = chosen;
    if (platforms.isEmpty()) {
        // The program places its windows at exact positions and orders them, which only
        // X11 lets a client do; a Wayland session without XWayland still gets the program.
        platforms = "xcb";
        if (waylandSession)
            platforms += ";wayland";
    }
    if (!platformNames(platforms).contains(kLastResort))
        platforms += QByteArray(";") + kLastResort;
    return platforms;
}

QString cannotOpenMessage(const QString &program, const QByteArray &platforms, const QString &x11Display,
                          const QString &waylandDisplay)
{
    QStringList tried;
    for (const QByteArray &name : platformNames(platforms)) {
        if (name == kLastResort)
            continue;
        if (name == "xcb")
            tried << (x11Display.isEmpty() ? QStringLiteral("an X display (DISPLAY is not set)")
                                           : QStringLiteral("the X display \"%1\"").arg(x11Display));
        else if (name.startsWith("wayland"))
            tried << (waylandDisplay.isEmpty() ? QStringLiteral("a Wayland display (WAYLAND_DISPLAY is not set)")
                                               : QStringLiteral("the Wayland display \"%1\"").arg(waylandDisplay));
        else
            tried << QStringLiteral("the \"%1\" platform").arg(QString::fromUtf8(name));
    }
    tried.removeDuplicates();
    return QStringLiteral("%1: cannot open %2").arg(program, tried.join(QStringLiteral(" nor ")));
}

std::unique_ptr<QApplication> open(int &argc, char **argv)
{
    fonts::startReadingConfiguration();
    const QByteArray platforms = platformList(qgetenv(kPlatformVariable), qEnvironmentVariableIsSet("WAYLAND_DISPLAY"));
    qputenv(kPlatformVariable, platforms);
    // A desktop at 150 % then gives ratio 2 at once where the program fits at 2.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
    // The layout is in pixels of a 96 dpi screen and the scale comes from the device-pixel
    // ratio alone: the desktop's font dpi must not grow text and style metrics (the radio
    // buttons' marks) inside controls of fixed size.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    // The controls keep their designed look on every desktop (fixedLook): a platform
    // theme must not lay the desktop's palette and fonts over it once the program runs.
    QGuiApplication::setDesktopSettingsAware(false);

    Created created = create(argc, argv);
    if (created.onDisplay) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        const double requested = screen ? screen->devicePixelRatio() : 1.0;
        const QSize physical = screen ? (QSizeF(screen->geometry().size()) * requested).toSize() : QSize();
        const int ratio = screenFit::deviceRatio(physical, requested);
        if (ratio == requested)
            return std::move(created.application);
        created.application.reset();
        drawAtRatio(ratio);
        created = create(argc, argv);
        if (created.onDisplay)
            return std::move(created.application);
    }
    created.application.reset();
    const QString program = QFileInfo(QString::fromLocal8Bit(argc > 0 ? argv[0] : "")).fileName();
    const QString line = cannotOpenMessage(program, platforms, qEnvironmentVariable("DISPLAY"),
                                           qEnvironmentVariable("WAYLAND_DISPLAY"));
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    return nullptr;
}

} // namespace display
