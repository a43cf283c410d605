// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/SkinTemplate.h"

#include <QImage>
#include <QRegion>
#include <QString>

// A skin template in which every pixel has a colour of its own, so that a copy from the
// wrong place or to the wrong place shows in the painted image. Red and green are the low
// bytes of x and y, blue holds their high bits: below 0x80 at scale 1, from 0x80 on at
// scale 2. Blue is never 0, 0x80, 0xED or 0xFF, so no template pixel is black, navy,
// dark red, white or the windows' background RGB(197,214,237).
inline QRgb codedPixel(int x, int y, int scale)
{
    if (scale == 1)
        return qRgb(x & 0xFF, y & 0xFF, 0x40 | (x >> 8) | ((y >> 8) << 3));
    return qRgb(x & 0xFF, y & 0xFF, 0x80 | (x >> 8) | ((y >> 8) << 4));
}

// The scale-1 template pixel that a painted colour came from, or (-1, -1) for a colour
// that no scale-1 template pixel has.
inline QPoint codedSource(QRgb p)
{
    const int b = qBlue(p);
    if ((b & 0xE0) != 0x40)
        return QPoint(-1, -1);
    return QPoint(qRed(p) | ((b & 0x07) << 8), qGreen(p) | (((b >> 3) & 0x03) << 8));
}

inline QImage codedImage(int scale)
{
    QImage image(1280 * scale, 800 * scale, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = codedPixel(x, y, scale);
    }
    return image;
}

// Installs itself as the template the painters read while it lives.
class CodedTemplate : public SkinTemplate {
public:
    CodedTemplate() : SkinTemplate(codedImage(1), codedImage(2)) { makeCurrent(); }
};

inline QRgb rgbOf(QRgb p) { return p & 0xFFFFFF; }

inline QString describePixel(QRgb p)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(qRed(p)).arg(qGreen(p)).arg(qBlue(p));
}

// Checks that every pixel of `zone` in `painted` (device pixels) outside `skip` shows the
// template pixel sourceOf(x, y) of `tpl`. Returns the first difference, or an empty text.
template <class SourceOf>
QString templateMismatch(const QImage &painted, const QRect &zone, const QImage &tpl, SourceOf sourceOf,
                         const QRegion &skip = QRegion())
{
    const QRect inside = zone & painted.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (!skip.isEmpty() && skip.contains(QPoint(x, y)))
                continue;
            const QPoint s = sourceOf(x, y);
            if (!tpl.rect().contains(s))
                return QStringLiteral("(%1,%2) maps outside the template to (%3,%4)").arg(x).arg(y).arg(s.x()).arg(s.y());
            const QRgb got = rgbOf(painted.pixel(x, y));
            const QRgb want = rgbOf(tpl.pixel(s));
            if (got != want)
                return QStringLiteral("(%1,%2) is %3, template (%4,%5) is %6")
                    .arg(x).arg(y).arg(describePixel(got)).arg(s.x()).arg(s.y()).arg(describePixel(want));
        }
    }
    return QString();
}

// One piece copied 1:1: the zone at `at` shows the template from `source` on.
inline QString pieceMismatch(const QImage &painted, const QPoint &at, const QRect &source, const QImage &tpl,
                             const QRegion &skip = QRegion())
{
    return templateMismatch(painted, QRect(at, source.size()), tpl,
                            [&](int x, int y) { return source.topLeft() + QPoint(x - at.x(), y - at.y()); }, skip);
}

// Checks that every pixel of `zone` in `painted` outside `skip` has the colour `colour`.
inline QString colourMismatch(const QImage &painted, const QRect &zone, QRgb colour, const QRegion &skip = QRegion())
{
    const QRect inside = zone & painted.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if ((skip.isEmpty() || !skip.contains(QPoint(x, y))) && rgbOf(painted.pixel(x, y)) != rgbOf(colour))
                return QStringLiteral("(%1,%2) is %3, expected %4")
                    .arg(x).arg(y).arg(describePixel(painted.pixel(x, y))).arg(describePixel(colour));
    return QString();
}

// The smallest rectangle of `zone` holding the pixels for which pred(colour) is true.
template <class Pred>
QRect inkBounds(const QImage &image, const QRect &zone, Pred pred)
{
    QRect bounds;
    const QRect inside = zone & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (pred(rgbOf(image.pixel(x, y))))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}
