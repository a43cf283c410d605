// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/SkinFont.h"

#include <QImage>
#include <QWidget>

// Anything the program paints: a window's client area or a picture box. It has a
// persistent image (AutoRedraw on: drawings are kept and shown on Refresh and on every
// later repaint) and a direct layer (AutoRedraw off: drawings show at once and vanish
// at the next repaint that the surface did not ask for itself).
class Surface : public QWidget {
public:
    enum MousePointer { Arrow = 1, Custom = 99 };

    explicit Surface(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    void setAutoRedraw(bool on) { autoRedraw_ = on; }
    bool autoRedraw() const { return autoRedraw_; }
    void Cls();
    void Refresh();

    // The image that drawings go to now: the persistent one, or the direct layer.
    QImage &drawingContext();
    // Called by the primitives after they drew into rect of the drawing context.
    void drawn(const QRect &rect);

    void setBackColor(const QColor &c);
    QColor backColor() const { return backColor_; }

    SkinFont font() const { return font_; }
    void setFont(const SkinFont &f) { font_ = f; }
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

    const QImage &persistentImage();
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
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void ensureImages();

    QImage persistent_;
    QImage direct_;
    QColor backColor_{Qt::white};
    SkinFont font_;
    QRgb foreColor_ = 0xFF000000;
    bool autoRedraw_ = false;
    bool directShown_ = false;
    bool directRepaintAsked_ = false;
    bool leftPressed_ = false;
    int mousePointer_ = Arrow;
    QCursor customCursor_{Qt::PointingHandCursor};
    qreal fixedRatio_ = 0;
    int paintCount_ = 0;
};

int mouseButtonsOf(Qt::MouseButtons buttons);
int shiftStateOf(Qt::KeyboardModifiers mods);
