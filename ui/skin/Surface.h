// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/Look.h"
#include "ui/skin/SkinFont.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <array>
#include <vector>

// One drawing on a surface: a fill, a copy of pixels, or a line of text, limited to the
// surface as it was when drawn.
struct Drawing {
    enum class Kind { Fill, Copy, Text };
    Kind kind = Kind::Fill;
    QRect area;          // where it lands, in the surface's pixels
    QRect clip;          // the part of area that was on the surface
    QColor colour;       // the fill, or the text's colour
    QImage pixels;       // what a copy copies (shared, not duplicated)
    QRectF source;       // the copied rectangle, in the device pixels of pixels
    QFont font;
    int alignment = 0;   // Qt alignment and text flags
    QString text;

    bool opaque() const { return kind != Kind::Text; }
    // Paints it with the painter's clip as it stands (the caller clips to clip); leaves
    // the painter's composition mode changed.
    void paint(QPainter &painter) const;
};

// Anything the program paints: a window's client area or a picture box. Its persistent
// drawings (AutoRedraw on) are kept as a list of drawings and painted again on Refresh
// and on every later repaint, so a surface costs no image of its own beside the
// window's backing store. Its direct layer (AutoRedraw off) shows drawings at once;
// they vanish at the next repaint that the surface did not ask for itself.
class Surface : public QWidget {
public:
    enum MousePointer { Arrow = 1, Custom = 99 };

    explicit Surface(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    void setAutoRedraw(bool on) { autoRedraw_ = on; }
    void Cls();
    void Refresh();
    // Draws persistently: what draw draws is kept and shown at once (AutoRedraw on for the
    // drawing, then Refresh).
    template <class Draw>
    void drawPersistently(Draw draw)
    {
        setAutoRedraw(true);
        // The scale cannot change while a drawing runs: asked once, not for every piece.
        batchRatio_ = imageRatio();
        draw();
        batchRatio_ = 0;
        Refresh();
        setAutoRedraw(false);
    }

    // Keeps the drawing (AutoRedraw on) or shows it on the direct layer.
    void draw(Drawing drawing);
    // An image of the surface's size and scale in its back colour, for drawings made
    // pixel by pixel and then copied.
    QImage blankImage();

    void setBackColor(const QColor &c);
    QColor backColor() const { return backColor_; }

    // The font of the surface's own text (not of its child widgets, which QWidget::font
    // gives).
    SkinFont skinFont() const { return skinFont_; }
    void setSkinFont(const SkinFont &f) { skinFont_ = f; }
    QRgb foreColor() const { return foreColor_; }
    void setForeColor(QRgb c) { foreColor_ = c; }

    int ScaleWidth() const { return width(); }
    int ScaleHeight() const { return height(); }
    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;

    void setMousePointer(int pointer);
    int mousePointer() const { return mousePointer_; }
    void setCustomCursor(const QCursor &cursor) { customCursor_ = cursor; }

    // The scale of the images; follows the screen unless a test fixes it.
    qreal imageRatio() const;
    void setImageRatio(qreal ratio) { fixedRatio_ = ratio; }

    // The persistent drawings as pixels, made when asked (tests and screenshots).
    const QImage &persistentImage();
    // Paints the window's persistent drawings into its backing store now, so that its
    // next repaint there finds them painted. For a window the window system is mapping
    // (its first paint waits for that, and the drawing is done meanwhile), or one made
    // ready while hidden. A store already painted ahead is left as it is.
    void paintAhead();
    // What the surface shows at this moment: the persistent image with the direct layer.
    QImage shownImage();
    bool directLayerShown() const { return directShown_; }

    // Counted for tests and benchmarks: repaints of the widget.
    int paintCount() const { return paintCount_; }

protected:
    // Handlers in the program's terms: buttons 1 left, 2 right, 4 middle; X, Y in pixels.
    virtual void onMouseMove(int buttons, int shift, double x, double y);
    virtual void onMouseDown(int buttons, int shift, double x, double y);
    virtual void onClick();

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void followSize();
    void keep(Drawing drawing);
    void paintKept(QPainter &painter, const QRect &rect) const;

    std::vector<Drawing> kept_;
    QSize keptSize_;          // the size the kept drawings were last fitted to
    qreal keptRatio_ = 0;
    bool keptAny_ = false;    // nothing was ever drawn: the back colour is all it shows
    QImage keptPixels_;       // persistentImage(), until the drawings change
    QImage direct_;
    QColor backColor_ = look::qcolour(look::Colour::SurfaceBack);
    SkinFont skinFont_;
    QRgb foreColor_ = look::colour(look::Colour::SurfaceText);
    bool autoRedraw_ = false;
    bool directShown_ = false;
    bool directRepaintAsked_ = false;
    // Where a backing store's pixels lie, and five of them. paintAhead marks the store it
    // painted the kept drawings into, until they or the store's size change.
    struct StoreMark {
        const uchar *bits = nullptr;
        std::array<QRgb, 5> samples{};
        static StoreMark of(const QPaintDevice *device);
        bool operator==(const StoreMark &) const = default;
    };
    StoreMark paintedAhead_;
    QSize paintedAheadSize_;
    bool leftPressed_ = false;
    int mousePointer_ = Arrow;
    QCursor customCursor_{Qt::PointingHandCursor};
    qreal fixedRatio_ = 0;
    qreal batchRatio_ = 0;    // the scale while drawPersistently runs
    int paintCount_ = 0;
};

int mouseButtonsOf(Qt::MouseButtons buttons);
int shiftStateOf(Qt::KeyboardModifiers mods);
