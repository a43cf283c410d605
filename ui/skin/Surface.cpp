// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/Surface.h"

#include <QMouseEvent>
#include <QPainter>

int mouseButtonsOf(Qt::MouseButtons buttons)
{
    return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0)
         | (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

int shiftStateOf(Qt::KeyboardModifiers mods)
{
    return (mods.testFlag(Qt::ShiftModifier) ? 1 : 0) | (mods.testFlag(Qt::ControlModifier) ? 2 : 0)
         | (mods.testFlag(Qt::AltModifier) ? 4 : 0);
}

Surface::Surface(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

qreal Surface::imageRatio() const
{
    if (fixedRatio_ > 0)
        return fixedRatio_;
    return devicePixelRatioF() >= 1.5 ? 2.0 : 1.0;
}

void Surface::ensureImages()
{
    const qreal ratio = imageRatio();
    const QSize device = size() * ratio;
    if (persistent_.size() == device && persistent_.devicePixelRatio() == ratio)
        return;
    // A grown image keeps what was drawn and shows the background beyond it.
    QImage grown(device, QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(backColor_);
    if (!persistent_.isNull() && persistent_.devicePixelRatio() == ratio) {
        QPainter p(&grown);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), persistent_);
    }
    persistent_ = grown;
    direct_ = QImage();
    directShown_ = false;
}

void Surface::Cls()
{
    ensureImages();
    persistent_.fill(backColor_);
}

void Surface::Refresh()
{
    // A refresh shows the persistent image alone, also over a direct drawing whose own
    // repaint is still pending.
    directShown_ = false;
    directRepaintAsked_ = false;
    update();
}

QImage &Surface::drawingContext()
{
    ensureImages();
    if (autoRedraw_)
        return persistent_;
    // Most surfaces are never drawn on directly: their layer is made on first use.
    if (direct_.isNull()) {
        direct_ = QImage(persistent_.size(), QImage::Format_ARGB32_Premultiplied);
        direct_.setDevicePixelRatio(persistent_.devicePixelRatio());
        directShown_ = false;
    }
    if (!directShown_)
        direct_.fill(Qt::transparent);
    return direct_;
}

void Surface::drawn(const QRect &rect)
{
    if (autoRedraw_)
        return;
    directShown_ = true;
    directRepaintAsked_ = true;
    update(rect);
}

void Surface::setBackColor(const QColor &c)
{
    backColor_ = c;
}

int Surface::TextWidth(const QString &text) const
{
    return QFontMetrics(font_.toQFont()).horizontalAdvance(text);
}

int Surface::TextHeight(const QString &text) const
{
    Q_UNUSED(text);
    return QFontMetrics(font_.toQFont()).height();
}

void Surface::setMousePointer(int pointer)
{
    if (pointer == mousePointer_)
        return;
    mousePointer_ = pointer;
    if (pointer == Custom)
        setCursor(customCursor_);
    else
        unsetCursor();
}

const QImage &Surface::persistentImage()
{
    ensureImages();
    return persistent_;
}

QImage Surface::shownImage()
{
    ensureImages();
    QImage shown = persistent_.copy();
    if (directShown_) {
        QPainter p(&shown);
        p.drawImage(QPoint(0, 0), direct_);
    }
    return shown;
}

void Surface::paintEvent(QPaintEvent *event)
{
    ++paintCount_;
    QPainter p(this);
    if (persistent_.isNull()) {
        // Nothing was ever drawn here (a plain panel): its background is all it shows, and
        // it needs no image of its own.
        p.fillRect(event->rect(), backColor_);
        return;
    }
    ensureImages();
    // A repaint the surface did not ask for (the window system uncovering it, a Refresh)
    // shows the persistent image alone: direct drawings are gone.
    if (!directRepaintAsked_)
        directShown_ = false;
    directRepaintAsked_ = false;
    p.setCompositionMode(QPainter::CompositionMode_Source);
    // Clipped to one rectangle at a time, the copy is a plain blit; under the whole
    // region (the window less its opaque children) the raster engine would fill span by
    // span on a pool of threads.
    for (const QRect &r : event->region()) {
        p.setClipRect(r);
        p.drawImage(r, persistent_, QRectF(r.topLeft() * persistent_.devicePixelRatio(), r.size() * persistent_.devicePixelRatio()));
    }
    p.setClipping(false);
    if (directShown_) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.drawImage(QPoint(0, 0), direct_);
    }
}

void Surface::onMouseMove(int, int, double, double) {}
void Surface::onMouseDown(int, int, double, double) {}
void Surface::onClick() {}

void Surface::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    onMouseMove(mouseButtonsOf(event->buttons()), shiftStateOf(event->modifiers()), pos.x(), pos.y());
}

void Surface::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    const QPointF pos = event->position();
    onMouseDown(mouseButtonsOf(event->button()), shiftStateOf(event->modifiers()), pos.x(), pos.y());
}

void Surface::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a left press followed by its release; with the capture held the
    // release may come from anywhere on the screen.
    if (event->button() == Qt::LeftButton && leftPressed_) {
        leftPressed_ = false;
        onClick();
    }
}
