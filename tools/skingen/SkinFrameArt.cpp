// SPDX-License-Identifier: GPL-3.0-or-later
// The window frame and the header band with its left tab.
#include "tools/skingen/SkinArtPalette.h"
#include "tools/skingen/SkinArtParts.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>

namespace skinart::parts {

namespace {

constexpr qreal kFrameRadius = 10;

// Header layout in template rows: the frame's top line, the raised band under it,
// and the tab at the left end that holds the emblem.
constexpr int kHeaderLineTop = 120;
constexpr int kBandTop = 122;
constexpr int kBandBottom = 148;   // first row of the band's lower outline
constexpr int kTabBottom = 178;
constexpr QRectF kHeaderEmblem(224, 129, 42, 42);

QPainterPath bandShape()
{
    // The tab's lower outline sweeps up into the band in one S-curve, well before
    // the end of the left piece, so the band's right part is plain and tiles.
    QPainterPath path;
    path.moveTo(180, 100);
    path.lineTo(470, 100);
    path.lineTo(470, kBandBottom);
    path.lineTo(338, kBandBottom);
    path.cubicTo(300, kBandBottom, 292, kTabBottom, 254, kTabBottom);
    path.lineTo(180, kTabBottom);
    path.closeSubpath();
    return path;
}

} // namespace

QPainterPath paintWindowFrame(QPainter &p, const QRect &line)
{
    // Nested shapes, each one pixel in from the last on the sides it owns: top and
    // left carry two dark lines, right and bottom one light line.
    const QRectF r(line);
    const qreal R = kFrameRadius;
    const QPainterPath inside =
        roundedPath(r.adjusted(2, 2, -1, -1), R - 2, R - 2, R - 1, R - 2);
    auto draw = [&](QPainter &q) {
        q.setPen(Qt::NoPen);
        q.fillPath(roundedPath(r, R), palette::lineLight);
        q.fillPath(roundedPath(r.adjusted(0, 0, -1, -1), R, R, R - 1, R), palette::lineOuterDark);
        q.fillPath(roundedPath(r.adjusted(1, 1, -1, -1), R - 1, R - 1, R - 1, R - 1),
                   palette::lineInnerDark);
        q.fillPath(inside, palette::inner);
    };
    // Straight runs come out exact without antialiasing; the corners are redrawn
    // from a supersampled copy.
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    draw(p);
    p.restore();
    const int box = int(R) + 2;
    for (const QPoint corner : {line.topLeft(), line.topRight() - QPoint(box - 1, 0),
                                line.bottomLeft() - QPoint(0, box - 1),
                                line.bottomRight() - QPoint(box - 1, box - 1)}) {
        const QRect area(corner, QSize(box, box));
        paintSupersampled(p, area, [&](QPainter &q) {
            q.fillRect(area, palette::margin);
            draw(q);
        });
    }
    return inside;
}

void paintHeaderArtwork(QPainter &p)
{
    const QRect area = skin::headerArtwork;
    p.save();
    p.setClipRect(area);
    p.fillRect(area, palette::margin);
    // A narrow copy of the window frame, its top line at the same depth as the
    // start window's, so that the two frames read as one.
    const QPainterPath inside =
        paintWindowFrame(p, QRect(area.left() + skin::kMarginSide, kHeaderLineTop,
                                  area.width() - 2 * skin::kMarginSide, 200));
    p.restore();

    // The band is drawn on a layer and trimmed to the frame's inside, so its edge
    // follows the rounded corners without touching the frame lines.
    const qreal scale = p.transform().m11();
    QImage layer(area.size() * scale, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.scale(scale, scale);
        lp.translate(-area.topLeft());

        const QPainterPath band = bandShape();
        lp.strokePath(band, QPen(palette::bandShadow, 4, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        lp.strokePath(band, QPen(palette::bandLine, 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        QLinearGradient fill(0, kBandTop, 0, kBandBottom);
        fill.setColorAt(0, palette::bandTop);
        fill.setColorAt(0.55, QColor(232, 240, 251));
        fill.setColorAt(1, palette::bandBottom);
        lp.fillPath(band, fill);

        paintEmblem(lp, kHeaderEmblem, false);

        // DestinationIn through a whole-layer image: a path fill would leave the
        // pixels outside the path untouched.
        QImage mask(layer.size(), QImage::Format_ARGB32_Premultiplied);
        mask.fill(Qt::transparent);
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.setTransform(lp.transform());
        mp.fillPath(inside, Qt::black);
        mp.end();
        lp.resetTransform();
        lp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        lp.drawImage(0, 0, mask);
    }
    p.save();
    p.resetTransform();
    p.drawImage(QPointF(area.topLeft()) * scale, layer);
    p.restore();
}

} // namespace skinart::parts
