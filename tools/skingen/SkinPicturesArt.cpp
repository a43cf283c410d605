// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures: the emblem, the start window's logo and slogan, and the hand cursor.
#include "tools/skingen/SkinArt.h"
#include "tools/skingen/SkinArtPalette.h"
#include "tools/skingen/SkinArtParts.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

namespace skinart {

namespace parts {

namespace {

// The board's digits in the face of the program's own grid; the slogan in Arial,
// whose bold is heavier than Tahoma's.
const QString kTahoma = QStringLiteral("Tahoma");
const QString kArial = QStringLiteral("Arial");

// Fills `path` centred on `centre`, first in `shadow` one `drop` down-right.
void fillCentred(QPainter &p, QPainterPath path, QPointF centre, const QBrush &brush,
                 const QColor &shadow = QColor(), qreal drop = 0)
{
    path.translate(centre - path.boundingRect().center());
    if (shadow.isValid())
        p.fillPath(path.translated(drop, drop), shadow);
    p.fillPath(path, brush);
}

void paintSigma(QPainter &p, const QRectF &tile)
{
    const qreal s = tile.width();
    auto at = [&](qreal x, qreal y) { return tile.topLeft() + QPointF(x * s, y * s); };
    const QPolygonF sigma{at(0.71, 0.32), at(0.71, 0.24), at(0.29, 0.24), at(0.53, 0.5),
                          at(0.29, 0.76), at(0.71, 0.76), at(0.71, 0.68)};
    const qreal width = qMax(1.4, s * 0.115);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(8, 30, 80, 110), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPolyline(sigma.translated(0, qMax(0.6, s * 0.03)));
    p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPolyline(sigma);
}

void paintPlusBadge(QPainter &p, QPointF centre, qreal radius)
{
    p.setPen(Qt::NoPen);
    p.setBrush(palette::goldDark.darker(130));
    p.drawEllipse(centre, radius, radius);
    QRadialGradient fill(centre - QPointF(radius, radius) * 0.35, radius * 1.4);
    fill.setColorAt(0, QColor(255, 240, 176));
    fill.setColorAt(0.5, palette::gold);
    fill.setColorAt(1, palette::goldDark);
    p.setBrush(fill);
    const qreal rim = qMax(1.0, radius * 0.08);
    p.drawEllipse(centre, radius - rim, radius - rim);
    const qreal arm = radius * 0.55;
    const qreal bar = radius * 0.24;
    p.setBrush(Qt::white);
    p.drawRect(QRectF(centre.x() - arm, centre.y() - bar / 2, 2 * arm, bar));
    p.drawRect(QRectF(centre.x() - bar / 2, centre.y() - arm, bar, 2 * arm));
}

void paintDigitBoard(QPainter &p, QPointF centre, qreal side)
{
    p.save();
    p.translate(centre);
    p.rotate(-5);
    const QRectF board(-side / 2, -side / 2, side, side);
    p.setPen(Qt::NoPen);
    p.fillPath(roundedPath(board.translated(4, 6), 14), QColor(96, 128, 180, 90));
    p.fillPath(roundedPath(board, 14), palette::tileEdge);
    QLinearGradient paper(0, board.top(), 0, board.bottom());
    paper.setColorAt(0, QColor(255, 255, 255));
    paper.setColorAt(1, QColor(226, 236, 250));
    p.fillPath(roundedPath(board.adjusted(3, 3, -3, -3), 11), paper);

    const qreal cell = (side - 20) / 10;
    const QPointF origin = board.topLeft() + QPointF(10, 10);
    // One row lit as the row being added, one cell as the digit in hand.
    p.fillRect(QRectF(origin + QPointF(0, 4 * cell), QSizeF(10 * cell, cell)), QColor(255, 238, 176));
    p.fillRect(QRectF(origin + QPointF(6 * cell, 4 * cell), QSizeF(cell, cell)), palette::gold);
    p.setPen(QPen(QColor(186, 204, 230), 1));
    for (int i = 1; i < 10; ++i) {
        p.drawLine(origin + QPointF(i * cell, 2), origin + QPointF(i * cell, 10 * cell - 2));
        p.drawLine(origin + QPointF(2, i * cell), origin + QPointF(10 * cell - 2, i * cell));
    }
    // A fixed sequence, so the picture is the same on every run.
    quint32 seed = 20240611;
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 10; ++c) {
            seed = seed * 1103515245u + 12345u;
            const int digit = int((seed >> 16) % 9) + 1;
            const QPointF at = origin + QPointF((c + 0.5) * cell, (r + 0.5) * cell);
            fillCentred(p, textPath(QString::number(digit), kTahoma, cell * 0.68, true), at,
                        r == 4 ? QColor(120, 70, 0) : palette::navy);
        }
    }
    p.restore();
}

void paintStopwatch(QPainter &p, QPointF c, qreal radius)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(96, 128, 180, 90));
    p.drawEllipse(c + QPointF(5, 7), radius, radius);

    QLinearGradient steel(0, c.y() - radius, 0, c.y() + radius);
    steel.setColorAt(0, QColor(236, 241, 248));
    steel.setColorAt(1, QColor(112, 128, 156));
    // Crown on top and a pusher at the side, drawn first so the case overlaps them.
    p.setBrush(steel);
    p.drawRoundedRect(QRectF(c.x() - 6, c.y() - radius - 16, 12, 20), 2, 2);
    p.drawRoundedRect(QRectF(c.x() - 15, c.y() - radius - 26, 30, 12), 4, 4);
    p.save();
    p.translate(c);
    p.rotate(45);
    p.drawRoundedRect(QRectF(-5, -radius - 12, 10, 16), 2, 2);
    p.restore();

    p.setBrush(palette::tileEdge);
    p.drawEllipse(c, radius, radius);
    p.setBrush(steel);
    p.drawEllipse(c, radius - 2, radius - 2);
    p.setBrush(palette::tileDark);
    p.drawEllipse(c, radius - 8, radius - 8);
    QRadialGradient face(c - QPointF(radius, radius) * 0.3, radius * 1.2);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(222, 232, 246));
    p.setBrush(face);
    const qreal faceR = radius - 11;
    p.drawEllipse(c, faceR, faceR);

    p.translate(c);
    for (int i = 0; i < 60; ++i) {
        const bool major = i % 5 == 0;
        p.setPen(QPen(major ? palette::navy : QColor(120, 140, 176), major ? 2.2 : 1,
                      Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(0, -faceR + 3), QPointF(0, -faceR + (major ? 10 : 6)));
        p.rotate(6);
    }
    p.setPen(QPen(palette::navy, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 0), QPointF(qSin(qDegreesToRadians(300.0)), -qCos(qDegreesToRadians(300.0))) * faceR * 0.5);
    p.setPen(QPen(QColor(204, 32, 24), 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF tip(qSin(qDegreesToRadians(48.0)), -qCos(qDegreesToRadians(48.0)));
    p.drawLine(-tip * faceR * 0.2, tip * faceR * 0.86);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(204, 32, 24));
    p.drawEllipse(QPointF(0, 0), 4.5, 4.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), 1.6, 1.6);
    p.restore();
}

} // namespace

void paintEmblem(QPainter &p, const QRectF &r, bool withBadge)
{
    const qreal s = r.width();
    // With the badge the tile steps down-left so the badge can sit on its corner.
    const QRectF tile = withBadge ? QRectF(r.left(), r.top() + s * 0.12, s * 0.88, s * 0.88) : r;
    const qreal ts = tile.width();
    const qreal radius = ts * 0.22;
    const qreal rim = qMax(1.0, ts / 40);
    p.save();
    p.setPen(Qt::NoPen);
    p.fillPath(roundedPath(tile, radius), palette::tileEdge);
    const QRectF body = tile.adjusted(rim, rim, -rim, -rim);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, palette::tileLight);
    fill.setColorAt(1, palette::tileDark);
    p.fillPath(roundedPath(body, radius - rim), fill);
    QLinearGradient shine(body.topLeft(), QPointF(body.left(), body.center().y()));
    shine.setColorAt(0, QColor(255, 255, 255, 140));
    shine.setColorAt(1, QColor(255, 255, 255, 30));
    p.fillPath(roundedPath(QRectF(body.topLeft(), QSizeF(body.width(), body.height() * 0.48)),
                           radius - rim, radius - rim, ts * 0.1, ts * 0.1),
               shine);
    paintSigma(p, tile);
    if (withBadge)
        paintPlusBadge(p, QPointF(r.right() - s * 0.17, r.top() + s * 0.17), s * 0.165);
    p.restore();
}

void paintStartLogo(QPainter &p, const QRect &area)
{
    p.fillRect(area, palette::inner);
    p.save();
    p.translate(area.topLeft());
    paintDigitBoard(p, QPointF(150, 154), 248);
    paintStopwatch(p, QPointF(342, 200), 72);
    paintPlusBadge(p, QPointF(392, 58), 30);
    p.restore();
}

void paintStartSlogan(QPainter &p, const QRect &area)
{
    p.fillRect(area, palette::inner);
    const QString slogan = QStringLiteral("Add a hundred digits against the clock");
    QPainterPath text = textPath(slogan, kArial, 25, true);
    const qreal room = area.width() - 16;
    if (text.boundingRect().width() > room) {
        const qreal f = room / text.boundingRect().width();
        text = QTransform::fromScale(f, f).map(text);
    }
    fillCentred(p, text, QRectF(area).center(), palette::navy, Qt::white, 1.2);
}

} // namespace parts

QImage drawHandCursor(int scale)
{
    scale = qMax(1, scale);
    QImage image(kHandSize * scale, kHandSize * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);

    using parts::roundedPath;
    // The index finger points up; its tip holds the hot spot.
    QPainterPath hand = roundedPath(QRectF(9.5, 0.5, 5, 17), 2.5);
    hand = hand.united(roundedPath(QRectF(14.5, 10.5, 4.5, 9), 2.25));
    hand = hand.united(roundedPath(QRectF(19, 11.5, 4.5, 8.5), 2.25));
    hand = hand.united(roundedPath(QRectF(23.5, 13, 4, 8), 2));
    hand = hand.united(roundedPath(QRectF(9.5, 15, 18, 14.5), 1, 2, 5, 5));
    QTransform thumb;
    thumb.translate(11.5, 24);
    thumb.rotate(-42);
    hand = hand.united(thumb.map(roundedPath(QRectF(-2.4, -11, 4.8, 12), 2.4)));

    p.fillPath(hand, Qt::white);
    p.strokePath(hand, QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 13.5), QPointF(14.5, 17));
    p.drawLine(QPointF(19, 14.5), QPointF(19, 17.5));
    p.drawLine(QPointF(23.5, 15.5), QPointF(23.5, 18.5));
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace skinart
