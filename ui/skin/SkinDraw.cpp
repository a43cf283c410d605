// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/SkinDraw.h"

#include "ui/skin/SkinTemplate.h"
#include "ui/skin/Surface.h"


#include <cmath>

namespace modMain {
Rect textRect;
} // namespace modMain

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

} // namespace

void copyFromTemplate(Surface &target, int dx, int dy, int w, int h, int sx, int sy)
{
    const SkinTemplate *source = SkinTemplate::current();
    if (!source)
        return;
    const SkinTemplate::Source src = source->sourceFor(QRect(sx, sy, w, h), target.imageRatio());
    const qreal fromRatio = src.image->devicePixelRatio();
    Drawing copy;
    copy.kind = Drawing::Kind::Copy;
    copy.area = copy.clip = QRect(dx, dy, w, h);
    copy.pixels = *src.image;
    copy.source = QRectF((sx - src.origin.x()) * fromRatio, (sy - src.origin.y()) * fromRatio, w * fromRatio,
                         h * fromRatio);
    target.draw(std::move(copy));
}

void drawTextInRect(Surface &target, const QString &text, int left, int top, int right, int bottom,
                    TextFormat format)
{
    modMain::textRect = {left, top, right, bottom};
    Drawing line;
    line.kind = Drawing::Kind::Text;
    line.area = line.clip = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    switch (format) {
    case TextFormat::LeftTop:
        line.alignment = Qt::AlignLeft | Qt::AlignTop;
        break;
    case TextFormat::CentredAcross:
        line.alignment = Qt::AlignHCenter | Qt::AlignTop;
        break;
    case TextFormat::CentredBothWays:
        line.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
        break;
    }
    line.alignment |= Qt::TextSingleLine;
    line.font = target.skinFont().toQFont();
    line.colour = QColor::fromRgb(target.foreColor());
    line.text = text;
    target.draw(std::move(line));
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
