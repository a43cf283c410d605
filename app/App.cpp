// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/App.h"

#include "app/Fonts.h"
#include "app/WindowRegistry.h"
#include "app/StartWindow.h"
#include "ui/windowing/Platform.h"
#include "app/Accessibility.h"
#include "ui/skin/FixedLook.h"

#include <QApplication>

namespace app {

bool startUp()
{
    fonts::ensureTahoma();
    fixedLook::install();
    accessibility::install();
    StartWindow &main = windows::frmMain();
    fonts::warnIfNoFace(main.lbKucukURL->font());
    if (platform::endRequested())
        return false;
    main.Show();
    return true;
}

int run(QApplication &application)
{
    // The program ends when its start window is unloaded, not when a window closes.
    application.setQuitOnLastWindowClosed(false);
    if (!startUp())
        return 0;
    return application.exec();
}

} // namespace app
