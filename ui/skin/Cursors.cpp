// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/Cursors.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QResource>

#include <cstdint>
#include <cstring>

namespace skinCursors {

QImage embeddedImage(const QString &name)
{
    // Width and height, then the premultiplied pixels, as written by tools/rawimage;
    // stored uncompressed, so the image reads the program's own data in place.
    const QResource resource(QStringLiteral(":/images/%1.raw").arg(name));
    const QByteArray data = resource.uncompressedData();
    std::uint32_t size[2] = {0, 0};
    if (data.size() < qsizetype(sizeof size))
        return {};
    std::memcpy(size, data.constData(), sizeof size);
    if (data.size() != qsizetype(sizeof size) + qsizetype(size[0]) * size[1] * 4)
        return {};
    const auto *bits = reinterpret_cast<const uchar *>(data.constData() + sizeof size);
    // A copy owns its pixels: the resource data may not be aligned for direct use.
    QImage image = QImage(bits, int(size[0]), int(size[1]), int(size[0]) * 4, QImage::Format_ARGB32_Premultiplied).copy();
    // As with image files, a name ending in @2x holds a picture for twice the pixels.
    if (name.endsWith(QLatin1String("@2x")))
        image.setDevicePixelRatio(2);
    return image;
}

QCursor hand()
{
    const bool doubled = qGuiApp && qGuiApp->devicePixelRatio() >= 1.5;
    const QImage image = embeddedImage(doubled ? QStringLiteral("hand@2x") : QStringLiteral("hand"));
    if (image.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(QPixmap::fromImage(image), kHandHotSpot.x(), kHandHotSpot.y());
}

QIcon appIcon()
{
    // The sizes a window's own icon is shown at (title bars, task bars, switchers); the
    // launcher's larger icons come from the installed icon theme. Every size given here is
    // handed to the window system for each window.
    QIcon icon;
    for (int size : {VELANTRA_WINDOW_ICON_SIZES})
        icon.addPixmap(QPixmap::fromImage(embeddedImage(QStringLiteral("icons/velantra-%1").arg(size))));
    return icon;
}

} // namespace skinCursors
