// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/skingen/SkinArt.h"

#include "tools/skingen/SkinArtPalette.h"
#include "tools/skingen/SkinArtParts.h"
#include "ui/skin/SkinFont.h"

#include <QFont>
#include <QPainter>

namespace skinart {

namespace parts {

QPainterPath roundedPath(const QRectF &r, qreal tl, qreal tr, qreal br, qreal bl)
{
    QPainterPath path;
    path.moveTo(r.left() + tl, r.top());
    path.lineTo(r.right() - tr, r.top());
    if (tr > 0)
        path.arcTo(QRectF(r.right() - 2 * tr, r.top(), 2 * tr, 2 * tr), 90, -90);
    path.lineTo(r.right(), r.bottom() - br);
    if (br > 0)
        path.arcTo(QRectF(r.right() - 2 * br, r.bottom() - 2 * br, 2 * br, 2 * br), 0, -90);
    path.lineTo(r.left() + bl, r.bottom());
    if (bl > 0)
        path.arcTo(QRectF(r.left(), r.bottom() - 2 * bl, 2 * bl, 2 * bl), 270, -90);
    path.lineTo(r.left(), r.top() + tl);
    if (tl > 0)
        path.arcTo(QRectF(r.left(), r.top(), 2 * tl, 2 * tl), 180, -90);
    path.closeSubpath();
    return path;
}

void paintSupersampled(QPainter &p, const QRect &box, const std::function<void(QPainter &)> &draw)
{
    constexpr int k = 8;
    const int scale = qRound(p.transform().m11());
    QImage big(box.size() * scale * k, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter bp(&big);
        bp.scale(scale * k, scale * k);
        bp.translate(-box.topLeft());
        draw(bp);
    }
    // A plain box filter: a block of one colour averages to exactly that colour.
    QImage small(box.size() * scale, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < small.height(); ++y) {
        auto *out = reinterpret_cast<QRgb *>(small.scanLine(y));
        for (int x = 0; x < small.width(); ++x) {
            int sum[4] = {};
            for (int j = 0; j < k; ++j) {
                const auto *in = reinterpret_cast<const QRgb *>(big.constScanLine(y * k + j)) + x * k;
                for (int i = 0; i < k; ++i) {
                    sum[0] += qAlpha(in[i]);
                    sum[1] += qRed(in[i]);
                    sum[2] += qGreen(in[i]);
                    sum[3] += qBlue(in[i]);
                }
            }
            constexpr int n = k * k;
            out[x] = qRgba((sum[1] + n / 2) / n, (sum[2] + n / 2) / n, (sum[3] + n / 2) / n,
                           (sum[0] + n / 2) / n);
        }
    }
    p.save();
    p.resetTransform();
    p.drawImage(QPoint(box.topLeft() * scale), small);
    p.restore();
}

QPainterPath textPath(const QString &text, const QString &family, qreal pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

} // namespace parts

QImage drawSkinTemplate(int scale)
{
    scale = qMax(1, scale);
    QImage image(skin::kTemplateWidth * scale, skin::kTemplateHeight * scale,
                 QImage::Format_RGB32);
    image.fill(palette::margin);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);

    const int w = skin::kTemplateWidth;
    const int h = skin::kTemplateHeight;
    // The lines sit just inside the margins; right and bottom have one light line.
    parts::paintWindowFrame(p, QRect(skin::kMarginSide, skin::kMarginTop,
                                     w - 2 * skin::kMarginSide,
                                     h - skin::kMarginTop - skin::kMarginSide));
    parts::paintHeaderArtwork(p);
    parts::paintCaptionGlyphs(p);
    parts::paintPanelFrameSample(p);
    parts::paintButtonBars(p);
    parts::paintStartLogo(p, skin::startLogo.rect());
    parts::paintStartSlogan(p, skin::startSlogan.rect());
    return image;
}

QImage drawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Small sizes get a hair of room so the rounded edge is not cut by the border.
    const qreal inset = size <= 32 ? 0.5 : size / 32.0;
    parts::paintEmblem(p, QRectF(inset, inset, size - 2 * inset, size - 2 * inset), size >= 48);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool ensureTahoma()
{
    if (tahomaKnown())
        return true;
    registerTahoma();
    return tahomaKnown();
}

} // namespace skinart
