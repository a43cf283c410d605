// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

#include <functional>

class QPainter;

// Pieces of the artwork. Every function draws in template coordinates (scale 1); the
// caller's painter carries the scale, so the same code serves both resolutions.
namespace skinart::parts {

// A rectangle with its own radius at each corner (top-left, top-right,
// bottom-right, bottom-left).
QPainterPath roundedPath(const QRectF &r, qreal tl, qreal tr, qreal br, qreal bl);
inline QPainterPath roundedPath(const QRectF &r, qreal radius)
{
    return roundedPath(r, radius, radius, radius, radius);
}

// Runs `draw` (template coordinates, no antialiasing) at eight times the painter's
// resolution inside `box` and averages it down onto `p`. Shapes that share an edge
// then blend by true coverage instead of leaking the colours drawn under them.
void paintSupersampled(QPainter &p, const QRect &box, const std::function<void(QPainter &)> &draw);

// Text as an outline, so it renders the same whatever the font hinting settings.
QPainterPath textPath(const QString &text, const QString &family, qreal pixelSize, bool bold);

// The window frame whose outermost line pixels run along `line`; fills the inside
// with the inner colour and returns the inside as a path.
QPainterPath paintWindowFrame(QPainter &p, const QRect &line);
void paintHeaderArtwork(QPainter &p);

void paintCaptionGlyphs(QPainter &p);
void paintButtonBars(QPainter &p);
void paintPanelFrameSample(QPainter &p);

// The round-cornered tile with a sigma that brands the program.
void paintEmblem(QPainter &p, const QRectF &r, bool withBadge);
void paintStartLogo(QPainter &p, const QRect &area);
void paintStartSlogan(QPainter &p, const QRect &area);

} // namespace skinart::parts
