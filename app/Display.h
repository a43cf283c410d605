// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

#include <memory>

// Opens the display the program runs on and creates the application there.
namespace display {

// The application on the X11 platform (also in a Wayland session, through XWayland:
// the program places and orders its windows itself), unless the user chose a platform
// with QT_QPA_PLATFORM, drawing at a whole device-pixel ratio (see screenFit). Null
// when no display could be opened; a one-line message on standard error then says which.
std::unique_ptr<QApplication> open(int &argc, char **argv);

// The platforms to try, in Qt's list form, for the user's QT_QPA_PLATFORM (empty when
// unset) and whether a Wayland display is announced.
QByteArray platformList(const QByteArray &chosen, bool waylandSession);

// The line shown when no display could be opened.
QString cannotOpenMessage(const QString &program, const QByteArray &platforms, const QString &x11Display,
                          const QString &waylandDisplay);

} // namespace display
