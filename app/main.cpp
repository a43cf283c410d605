// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/App.h"
#include "app/Display.h"

int main(int argc, char *argv[])
{
    // Docks and task bars match the running windows to the launcher by these names:
    // WM_CLASS on X11, the application id on Wayland.
    QApplication::setApplicationName(QStringLiteral(VELANTRA_PROGRAM_NAME));
    QApplication::setDesktopFileName(QStringLiteral(VELANTRA_APP_ID));
    const std::unique_ptr<QApplication> application = display::open(argc, argv);
    if (!application)
        return 1;
    return app::run(*application);
}
