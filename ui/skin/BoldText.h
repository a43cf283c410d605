// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QGraphicsEffect>
#include <QPainter>
#include <QProxyStyle>

// Bold text that reads bold. Wine's Tahoma Bold face, the one Debian ships, has the advance
// widths of a bold face but strokes no heavier than the regular one. Text in it is drawn
// again a little to the right, as synthetic bold has always been made: the strokes thicken,
// the advances, and so every text width and layout, stay those of the face.
namespace boldText {

// How far to the right text in this font is drawn again, in logical pixels: 0 when the
// font is not that face. One pixel at text sizes, growing with the size as font engines
// embolden (a 24th of the em), so large digits gain as much as small captions.
double overstrikeWidth(const QFont &font);
inline bool needsOverstrike(const QFont &font) { return overstrikeWidth(font) > 0; }

// Runs draw once, and again shifted right once per device pixel of the overstrike width.
template <class Draw>
void drawOverstruck(QPainter &painter, Draw draw)
{
    draw();
    const double width = overstrikeWidth(painter.font());
    if (width <= 0)
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int steps = std::max(1, qRound(width * ratio));
    for (int k = 1; k <= steps; ++k) {
        painter.save();
        painter.translate(k / ratio, 0);
        draw();
        painter.restore();
    }
}

// The application's style with the second stroke on every item text it draws: labels,
// push buttons and option buttons. Text boxes draw their text themselves; the style gives
// each one an OverstrikeEffect.
class Style : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &pal, bool enabled,
                      const QString &text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
    void polish(QWidget *widget) override;
    using QProxyStyle::polish;
    // A focus mark that is always drawn where the focus is (not only after a Tab key) and
    // reads against the controls and the skin: solid navy, over 10:1 on their light faces.
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    // Push buttons show that mark too (the designed style only tints their outline).
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
};

// Draws a text box, then again shifted right inside its frame, keeping the darker of the two
// at each pixel: dark text on a light box gains the second stroke, the box stays as it was.
class OverstrikeEffect : public QGraphicsEffect {
public:
    explicit OverstrikeEffect(QWidget *box);

protected:
    void draw(QPainter *painter) override;

private:
    QWidget *box_;
};

// The widget style the controls were designed in, whatever style the desktop names.
inline constexpr char kDesignedStyle[] = "Fusion";

// Makes Style, over the designed style, the application's style; once is enough.
void install();

} // namespace boldText
