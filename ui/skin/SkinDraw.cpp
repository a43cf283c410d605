// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/SkinDraw.h"

#include "app/ModMain.h"
#include "ui/skin/BoldText.h"
#include "ui/skin/SkinTemplate.h"
#include "ui/skin/Surface.h"

#include <QPainter>

#include <cmath>
#include <cstring>

namespace {

int templateWidth()
{
    const SkinTemplate *t = SkinTemplate::current();
    return t ? t->ScaleWidth() : skin::kTemplateWidth;
}

int templateHeight()
{
    const SkinTemplate *t = SkinTemplate::current();
    return t ? t->ScaleHeight() : skin::kTemplateHeight;
}

// Copies the w x h device pixels at (sx, sy) of `from` to (dx, dy) of `to`, clipped to
// both images. For 32-bit pixels with full alpha this is exactly what a painter in
// source mode does, without the cost of a painter for each of a frame's many tiles.
bool copyDevicePixels(QImage &to, int dx, int dy, const QImage &from, int sx, int sy, int w, int h)
{
    if (from.format() != QImage::Format_RGB32
        || (to.format() != QImage::Format_RGB32 && to.format() != QImage::Format_ARGB32_Premultiplied))
        return false;
    // Moves a into [0, limit), moving b along with it and shortening the run.
    const auto clip = [](int &a, int &b, int &extent, int limit) {
        if (a < 0) {
            b -= a;
            extent += a;
            a = 0;
        }
        if (a + extent > limit)
            extent = limit - a;
    };
    clip(sx, dx, w, from.width());
    clip(sy, dy, h, from.height());
    clip(dx, sx, w, to.width());
    clip(dy, sy, h, to.height());
    if (w <= 0 || h <= 0)
        return true;
    uchar *toBits = to.bits();
    const uchar *fromBits = from.constBits();
    const qsizetype toStride = to.bytesPerLine();
    const qsizetype fromStride = from.bytesPerLine();
    for (int row = 0; row < h; ++row)
        std::memcpy(toBits + (dy + row) * toStride + dx * 4, fromBits + (sy + row) * fromStride + sx * 4, size_t(w) * 4);
    return true;
}

bool wholeRatio(qreal ratio)
{
    return ratio == 1.0 || ratio == 2.0;
}

} // namespace

void copyFromTemplate(Surface &target, int dx, int dy, int w, int h, int sx, int sy)
{
    const SkinTemplate *source = SkinTemplate::current();
    if (!source)
        return;
    QImage &image = target.drawingContext();
    const qreal ratio = image.devicePixelRatio();
    const SkinTemplate::Source src = source->sourceFor(QRect(sx, sy, w, h), ratio);
    const QImage &from = *src.image;
    sx -= src.origin.x();
    sy -= src.origin.y();
    const qreal fromRatio = from.devicePixelRatio();
    const int r = int(ratio);
    const bool copied = fromRatio == ratio && wholeRatio(ratio)
                     && copyDevicePixels(image, dx * r, dy * r, from, sx * r, sy * r, w * r, h * r);
    if (!copied) {
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QRectF(dx, dy, w, h), from, QRectF(sx * fromRatio, sy * fromRatio, w * fromRatio, h * fromRatio));
    }
    target.drawn(QRect(dx, dy, w, h));
}

void drawTextInRect(Surface &target, const QString &text, int left, int top, int right, int bottom,
                    unsigned format)
{
    modMain::textRect = {left, top, right, bottom};
    const QRect rect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    int flags = Qt::TextSingleLine;
    if (format & kDtCenter)
        flags |= Qt::AlignHCenter;
    else
        flags |= Qt::AlignLeft;
    if (format & 0x4)   // vertical centring only counts on a single line
        flags |= Qt::AlignVCenter;
    else
        flags |= Qt::AlignTop;
    QImage &image = target.drawingContext();
    {
        QPainter p(&image);
        p.setClipRect(rect);
        p.setFont(target.font().toQFont());
        p.setPen(QColor::fromRgb(target.foreColor()));
        boldText::drawOverstruck(p, [&] { p.drawText(rect, flags, text); });
    }
    target.drawn(rect);
}

FrameHeader startHeader()
{
    return {skin::startTopBand, skin::startCornerTopLeft, skin::startCornerTopRight(templateWidth())};
}

FrameHeader openHeader()
{
    return {skin::openTopBand, skin::openHeaderLeft, skin::openHeaderRight};
}

FrameHeader exerciseHeader()
{
    return {skin::exerciseTopBand, skin::exerciseHeaderLeft, skin::exerciseHeaderRight};
}

int tileCount(double length, int step)
{
    return length <= 0 ? 0 : static_cast<int>(std::ceil(length / step));
}

void paintSkinFrame(Surface &target, int W, int H, const FrameHeader &header)
{
    const int tw = templateWidth();
    const int th = templateHeight();
    const skin::Region bottom = skin::frameBottomEdge(th);
    const skin::Region left = skin::frameLeftEdge();
    const skin::Region right = skin::frameRightEdge(tw);
    for (int k = 0, n = tileCount(W, 10); k < n; ++k)
        copyFromTemplate(target, 10 * k, 0, header.band);
    for (int k = 0, n = tileCount(W, 10); k < n; ++k)
        copyFromTemplate(target, 10 * k, H - 20, bottom);
    for (int k = 0, n = tileCount(H, 10); k < n; ++k)
        copyFromTemplate(target, 0, 10 * k, left);
    for (int k = 0, n = tileCount(H, 10); k < n; ++k)
        copyFromTemplate(target, W - 20, 10 * k, right);
    copyFromTemplate(target, 0, 0, header.left);
    copyFromTemplate(target, W - 30, 0, header.right);
}

void paintFrameCorners(Surface &target, int W, int H)
{
    const int tw = templateWidth();
    const int th = templateHeight();
    copyFromTemplate(target, 0, H - 40, skin::frameCornerBottomLeft(th));
    copyFromTemplate(target, W - 40, H - 40, skin::frameCornerBottomRight(tw, th));
}
