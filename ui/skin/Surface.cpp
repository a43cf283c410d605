// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/Surface.h"

#include "ui/skin/BoldText.h"

#include <QBackingStore>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <utility>

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
    if (batchRatio_ > 0)
        return batchRatio_;
    return devicePixelRatioF() >= 1.5 ? 2.0 : 1.0;
}

namespace {

// Whether outer holds all of inner (both normalised, as every kept rectangle is); inline,
// as it runs for each new drawing against the latest ones.
bool holds(const QRect &outer, const QRect &inner)
{
    return outer.left() <= inner.left() && outer.top() <= inner.top() && outer.right() >= inner.right()
        && outer.bottom() >= inner.bottom();
}

} // namespace

void Drawing::paint(QPainter &painter) const
{
    switch (kind) {
    case Kind::Fill:
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(area, colour);
        break;
    case Kind::Copy:
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QRectF(area), pixels, source);
        break;
    case Kind::Text:
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setFont(font);
        painter.setPen(colour);
        boldText::drawOverstruck(painter, [&] { painter.drawText(area, alignment, text); });
        break;
    }
}

namespace {

// Beyond this many kept drawings the list is flattened into one copy of its pixels, so
// a surface drawn over and over in small pieces stays bounded.
constexpr std::size_t kMostKeptDrawings = 4096;
constexpr std::ptrdiff_t kRecentDrawings = 32;

Drawing fillOf(const QRect &rect, const QColor &colour)
{
    Drawing fill;
    fill.kind = Drawing::Kind::Fill;
    fill.area = fill.clip = rect;
    fill.colour = colour;
    return fill;
}

} // namespace

void Surface::followSize()
{
    const qreal ratio = imageRatio();
    if (size() == keptSize_ && ratio == keptRatio_)
        return;
    direct_ = QImage();
    directShown_ = false;
    keptPixels_ = QImage();
    paintedAhead_ = {};
    if (ratio != keptRatio_) {
        kept_.clear();
        kept_.push_back(fillOf(rect(), backColor_));
    } else {
        // A grown surface keeps what was drawn and shows the background beyond it.
        const QRegion beyond = QRegion(rect()) - QRegion(QRect(QPoint(0, 0), keptSize_));
        for (const QRect &r : beyond)
            kept_.push_back(fillOf(r, backColor_));
    }
    keptSize_ = size();
    keptRatio_ = ratio;
}

void Surface::keep(Drawing drawing)
{
    keptAny_ = true;
    keptPixels_ = QImage();
    paintedAhead_ = {};
    // What an opaque drawing covers completely will never show again. Only the latest
    // drawings are looked at: a surface drawn again in place redraws what it drew last,
    // and a frame of many tiles is not searched once for every tile.
    if (drawing.opaque()) {
        const auto recent = kept_.end() - std::min<std::ptrdiff_t>(kept_.size(), kRecentDrawings);
        kept_.erase(std::remove_if(recent, kept_.end(), [&](const Drawing &d) { return holds(drawing.clip, d.clip); }),
                    kept_.end());
    }
    kept_.push_back(std::move(drawing));
    if (kept_.size() > kMostKeptDrawings) {
        Drawing flat;
        flat.kind = Drawing::Kind::Copy;
        flat.area = flat.clip = rect();
        flat.pixels = persistentImage();
        flat.source = QRectF(flat.pixels.rect());
        kept_.assign(1, std::move(flat));
    }
}

void Surface::Cls()
{
    followSize();
    keptAny_ = true;
    keptPixels_ = QImage();
    paintedAhead_ = {};
    kept_.assign(1, fillOf(rect(), backColor_));
}

void Surface::Refresh()
{
    // A refresh shows the persistent drawings alone, also over a direct drawing whose own
    // repaint is still pending.
    directShown_ = false;
    directRepaintAsked_ = false;
    update();
}

void Surface::draw(Drawing drawing)
{
    followSize();
    drawing.clip &= rect();
    if (autoRedraw_) {
        keep(std::move(drawing));
        return;
    }
    // Most surfaces are never drawn on directly: their layer is made on first use.
    if (direct_.isNull()) {
        direct_ = QImage(size() * keptRatio_, QImage::Format_ARGB32_Premultiplied);
        direct_.setDevicePixelRatio(keptRatio_);
        directShown_ = false;
    }
    if (!directShown_)
        direct_.fill(Qt::transparent);
    {
        QPainter painter(&direct_);
        painter.setClipRect(drawing.clip);
        drawing.paint(painter);
    }
    directShown_ = true;
    directRepaintAsked_ = true;
    update(drawing.clip);
}

QImage Surface::blankImage()
{
    followSize();
    QImage image(size() * keptRatio_, QImage::Format_RGB32);
    image.setDevicePixelRatio(keptRatio_);
    image.fill(backColor_);
    return image;
}

void Surface::paintKept(QPainter &painter, const QRect &rect) const
{
    // The painter comes clipped to rect. Most fills and copies lie wholly inside their
    // own clip and rect, and are drawn under that clip as it is: a clip set and undone
    // for each of a frame's many tiles would cost more than the tile. (Text may reach
    // beyond its rectangle, so it is always clipped.)
    bool narrowed = false;
    for (const Drawing &d : kept_) {
        if (!d.clip.intersects(rect))
            continue;
        if (!d.opaque() || !holds(d.clip, d.area) || !holds(rect, d.area)) {
            painter.setClipRect(d.clip & rect);
            narrowed = true;
        } else if (narrowed) {
            painter.setClipRect(rect);
            narrowed = false;
        }
        d.paint(painter);
    }
    if (narrowed)
        painter.setClipRect(rect);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void Surface::setBackColor(const QColor &c)
{
    backColor_ = c;
}

int Surface::TextWidth(const QString &text) const
{
    return QFontMetrics(skinFont_.toQFont()).horizontalAdvance(text);
}

int Surface::TextHeight(const QString &text) const
{
    Q_UNUSED(text);
    return QFontMetrics(skinFont_.toQFont()).height();
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
    followSize();
    if (keptPixels_.isNull()) {
        keptPixels_ = QImage(size() * keptRatio_, QImage::Format_RGB32);
        keptPixels_.setDevicePixelRatio(keptRatio_);
        keptPixels_.fill(backColor_);
        QPainter painter(&keptPixels_);
        paintKept(painter, rect());
    }
    return keptPixels_;
}

Surface::StoreMark Surface::StoreMark::of(const QPaintDevice *device)
{
    if (!device || device->devType() != QInternal::Image)
        return {};
    const auto &image = *static_cast<const QImage *>(device);
    if (image.isNull())
        return {};
    const int r = image.width() - 1, b = image.height() - 1;
    return {image.constBits(),
            {image.pixel(0, 0), image.pixel(r, 0), image.pixel(0, b), image.pixel(r, b), image.pixel(r / 2, b / 2)}};
}

void Surface::paintAhead()
{
    // A window with its native window made: shown, or made ready while still hidden.
    QBackingStore *store = isWindow() && testAttribute(Qt::WA_WState_Created) && keptAny_ ? backingStore() : nullptr;
    if (!store)
        return;
    followSize();
    if (paintedAhead_.bits && store->size() == size() && StoreMark::of(store->paintDevice()) == paintedAhead_)
        return;
    // The store is new memory as well: its pages are touched now, not in the first paint.
    store->resize(size());
    store->beginPaint(QRegion(rect()));
    if (QPaintDevice *device = store->paintDevice()) {
        {
            QPainter painter(device);
            painter.setClipRect(rect());
            paintKept(painter, rect());
        }
        paintedAhead_ = StoreMark::of(device);
        paintedAheadSize_ = size();
    }
    store->endPaint();
}

QImage Surface::shownImage()
{
    QImage shown = persistentImage().copy();
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
    if (!keptAny_) {
        // Nothing was ever drawn here (a plain panel): its background is all it shows.
        p.fillRect(event->rect(), backColor_);
        return;
    }
    followSize();
    // A repaint the surface did not ask for (the window system uncovering it, a Refresh)
    // shows the persistent drawings alone: direct drawings are gone.
    if (!directRepaintAsked_)
        directShown_ = false;
    directRepaintAsked_ = false;
    // Painted ahead into this very store, the drawings are there already. They are painted
    // as always anywhere else (a grab), and where the platform cleared the store for this
    // paint or handed out another: its pixels are not those painted ahead.
    const StoreMark ahead = std::exchange(paintedAhead_, {});
    if (ahead.bits && !directShown_ && StoreMark::of(p.paintEngine()->paintDevice()) == ahead)
        return;
    // Clipped to one rectangle at a time, each copy is a plain blit; under the whole
    // region (the window less its opaque children) the raster engine would fill span by
    // span on a pool of threads.
    for (const QRect &r : event->region()) {
        p.setClipRect(r);
        paintKept(p, r);
    }
    p.setClipping(false);
    if (directShown_) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.drawImage(QPoint(0, 0), direct_);
    }
}

void Surface::resizeEvent(QResizeEvent *event)
{
    // A resized backing store is a new one. (A window resized while hidden is told its
    // size only when shown: a store painted ahead at that size stands.)
    if (event->size() != paintedAheadSize_)
        paintedAhead_ = {};
    QWidget::resizeEvent(event);
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
