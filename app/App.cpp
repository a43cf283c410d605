// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/App.h"

#include "app/Fonts.h"
#include "app/Forms.h"
#include "app/FrmMain.h"
#include "app/Platform.h"
#include "ui/skin/Accessibility.h"

#include <QApplication>

namespace app {

bool startUp()
{
    fonts::ensureTahoma();
    accessibility::install();
    FrmMain &main = forms::frmMain();
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
