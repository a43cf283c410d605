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
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/assets/icons/velantra-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace skinCursors
