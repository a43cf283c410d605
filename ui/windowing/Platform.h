// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/windowing/Twips.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// Services the windows take from their surroundings: the screen, the message box and the
// end of the process. Each can be replaced, so tests can simulate a screen and see what
// would be shown or ended.

struct ScreenMetrics {
    int widthPx = 1280;               // logical pixels
    int heightPx = 800;
    double twipsPerPixelX = kTwipsPerPixel;
    double twipsPerPixelY = kTwipsPerPixel;
    // The desktop work area in pixels; empty when it cannot be had.
    std::optional<QRect> workArea;

    double widthTwips() const { return widthPx * twipsPerPixelX; }
    double heightTwips() const { return heightPx * twipsPerPixelY; }
    QSize sizePx() const { return QSize(widthPx, heightPx); }

    // A place in twips on this screen in whole pixels, each edge to the nearest (halves to
    // even), and a place in pixels in twips.
    QRect pixelsOf(const TwipsRect &twips) const;
    TwipsRect twipsOf(const QRect &pixels) const;
};

// A window's state as the program sees it.
enum class ShownState { Normal = 0, Minimized = 1 };

namespace platform {

// The primary screen, or the simulated one a test installed.
ScreenMetrics screen();
void setScreen(std::optional<ScreenMetrics> simulated);



// A text with an OK button, captioned with the program's title.
void messageBox(const QString &text);
using MessageBoxHook = std::function<void(const QString &text, const QString &caption)>;
void setMessageBoxHook(MessageBoxHook hook);

// Ends the process: leaves the event loop, or records the request where no loop runs.
void endProcess();
bool endRequested();
void setEndHook(std::function<void()> hook);
void resetEndRequest();

QString programTitle();

// The window state new windows start in (minimised when the process was started so).
ShownState initialWindowState();
void setInitialWindowState(ShownState state);

} // namespace platform
