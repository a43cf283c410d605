// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/Cursors.h"

#include <QPixmap>

namespace skinCursors {

QCursor hand()
{
    // The fingertip of the drawn hand.
    static const QPoint kHotSpot(12, 1);
    QPixmap pixmap(QStringLiteral(":/assets/hand.png"));
    if (pixmap.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(pixmap, kHotSpot.x(), kHotSpot.y());
}

QIcon appIcon()
{
    // The sizes a window's own icon is shown at (title bars, task bars, switchers); the
    // launcher's larger icons come from the installed icon theme. Every size given here is
    // decoded and handed to the window system for each window.
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/assets/icons/velantra-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace skinCursors
