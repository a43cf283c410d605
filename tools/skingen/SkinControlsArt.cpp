// SPDX-License-Identifier: GPL-3.0-or-later
// Looks of the skinned controls: caption-button glyphs, Back-button bars and the
// panel frame.
#include "tools/skingen/SkinArtPalette.h"
#include "tools/skingen/SkinArtParts.h"

#include <QLinearGradient>
#include <QPainter>

namespace skinart::parts {

namespace {

struct GlossColours {
    QColor top, middle, bottom, edge;
};

enum class Glyph { Arrows, Bar, Cross, Inactive };

// Glyph shapes in a 17 x 15 cell whose top-left is the origin.
void paintGlyphShape(QPainter &p, Glyph glyph, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    switch (glyph) {
    case Glyph::Arrows:
        p.drawPolygon(QPolygonF{{8.5, 2}, {12.5, 6}, {4.5, 6}});
        p.drawPolygon(QPolygonF{{4.5, 9}, {12.5, 9}, {8.5, 13}});
        break;
    case Glyph::Bar:
        p.fillRect(QRectF(5, 9, 7, 2), colour);
        break;
    case Glyph::Cross: {
        QPen pen(colour, 1.9, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.drawLine(QPointF(5.2, 3.7), QPointF(11.8, 10.3));
        p.drawLine(QPointF(11.8, 3.7), QPointF(5.2, 10.3));
        break;
    }
    case Glyph::Inactive:
        // A maximise box, greyed out: thick top like a title bar, thin sides.
        p.fillRect(QRectF(5, 3, 7, 2), colour);
        p.fillRect(QRectF(5, 5, 1, 6), colour);
        p.fillRect(QRectF(11, 5, 1, 6), colour);
        p.fillRect(QRectF(5, 11, 7, 1), colour);
        break;
    }
}

void paintGlossTile(QPainter &p, const GlossColours &c)
{
    const QRectF tile(1, 1, 15, 13);
    p.setPen(Qt::NoPen);
    p.fillPath(roundedPath(tile, 3), c.edge);
    QLinearGradient fill(0, 2, 0, 13);
    fill.setColorAt(0, c.top);
    fill.setColorAt(0.48, c.middle);
    fill.setColorAt(0.52, c.middle.darker(112));
    fill.setColorAt(1, c.bottom);
    p.fillPath(roundedPath(tile.adjusted(1, 1, -1, -1), 2), fill);
}

void paintGlyphCell(QPainter &p, int column, int row, Glyph glyph)
{
    const QRect cell = skin::captionGlyph(column, row).rect();
    p.save();
    p.translate(cell.topLeft());
    // The strip sits in the top margin of the window, so every cell shows that
    // colour around its tile.
    p.fillRect(QRect(0, 0, cell.width(), cell.height()), palette::margin);
    const bool close = glyph == Glyph::Cross;
    if (row == skin::GlyphNormal) {
        paintGlyphShape(p, glyph, glyph == Glyph::Inactive ? QColor(128, 136, 150)
                                                           : QColor(30, 52, 104));
    } else {
        const bool pressed = row == skin::GlyphPressed;
        const GlossColours blue = pressed
            ? GlossColours{{150, 184, 232}, {84, 130, 204}, {40, 86, 166}, {16, 44, 104}}
            : GlossColours{{236, 244, 255}, {150, 190, 244}, {84, 140, 222}, {36, 78, 150}};
        const GlossColours red = pressed
            ? GlossColours{{232, 140, 120}, {196, 72, 48}, {150, 34, 20}, {96, 20, 10}}
            : GlossColours{{255, 226, 214}, {240, 130, 104}, {208, 64, 40}, {136, 34, 20}};
        paintGlossTile(p, close ? red : blue);
        paintGlyphShape(p, glyph, Qt::white);
    }
    p.restore();
}

struct BarLook {
    QColor top, gloss, lower, bottom, side, edge;
};

void paintBar(QPainter &p, int y, const BarLook &look)
{
    const QRectF bar(skin::kButtonBarX, y, skin::kButtonBarW, 50);
    const qreal radius = 12;
    p.fillRect(bar, palette::inner);
    p.setPen(Qt::NoPen);
    // Two outline shapes leave a one-pixel rim on top and sides and a two-pixel
    // edge along the bottom.
    p.fillPath(roundedPath(bar, radius), look.edge);
    p.fillPath(roundedPath(bar.adjusted(0, 0, 0, -2), radius), look.side);
    QLinearGradient fill(0, y + 1, 0, y + 47);
    fill.setColorAt(0, look.top);
    fill.setColorAt(0.46, look.gloss);
    fill.setColorAt(0.5, look.lower);
    fill.setColorAt(1, look.bottom);
    p.fillPath(roundedPath(bar.adjusted(1, 1, -1, -3), radius - 1), fill);
}

} // namespace

void paintCaptionGlyphs(QPainter &p)
{
    for (int row : {skin::GlyphNormal, skin::GlyphHover, skin::GlyphPressed}) {
        paintGlyphCell(p, skin::kGlyphColumnBackdrop, row, Glyph::Arrows);
        paintGlyphCell(p, skin::kGlyphColumnMinimise, row, Glyph::Bar);
        paintGlyphCell(p, skin::kGlyphColumnClose, row, Glyph::Cross);
    }
    paintGlyphCell(p, skin::kGlyphColumnInactive, skin::GlyphNormal, Glyph::Inactive);
}

void paintButtonBars(QPainter &p)
{
    // Normal: glossy blue. Hover: cream to olive. Pressed: shading turned upside
    // down, green on top fading to white, so the bar looks pushed in.
    paintBar(p, skin::kButtonRowNormal,
             {{252, 253, 255}, {200, 220, 248}, {150, 186, 238}, {104, 152, 226},
              {70, 112, 184}, {24, 54, 126}});
    paintBar(p, skin::kButtonRowHover,
             {{255, 253, 236}, {248, 240, 190}, {236, 222, 140}, {204, 188, 84},
              {150, 138, 60}, {92, 84, 20}});
    paintBar(p, skin::kButtonRowPressed,
             {{118, 184, 108}, {162, 210, 152}, {196, 230, 190}, {246, 251, 244},
              {140, 140, 140}, {108, 108, 108}});
}

void paintPanelFrameSample(QPainter &p)
{
    const QRectF sample(skin::panelFrameSample);
    p.fillRect(sample, palette::inner);
    p.setPen(Qt::NoPen);
    // Four one-pixel rings from the outside in: dark rim, highlight, body, dark
    // inner rim; the radius shrinks with each ring so the corners stay concentric.
    const QColor rings[] = {{40, 68, 122}, {140, 172, 222}, {92, 128, 190}, {48, 78, 136}};
    for (int i = 0; i < 4; ++i)
        p.fillPath(roundedPath(sample.adjusted(i, i, -i, -i), 6 - i), rings[i]);
    p.fillPath(roundedPath(sample.adjusted(4, 4, -4, -4), 2), QColor(240, 245, 252));
}

} // namespace skinart::parts
