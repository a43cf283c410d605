// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/start/CaptionStrip.h"

#include "ui/skin/Capture.h"
#include "ui/skin/Look.h"
#include "ui/skin/SkinDraw.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

int glyphColumn(StripCell cell)
{
    switch (cell) {
    case StripCell::Backdrop: return skin::kGlyphColumnBackdrop;
    case StripCell::Minimise: return skin::kGlyphColumnMinimise;
    case StripCell::Inactive: return skin::kGlyphColumnInactive;
    default: return skin::kGlyphColumnClose;
    }
}

} // namespace

CaptionStrip::CaptionStrip(QWidget *parent) : Surface(parent)
{
    setBackColor(look::qcolour(look::Colour::StripBack));
    setFocusPolicy(Qt::TabFocus);
}

namespace {

// The acting cells in their order on the strip, for the arrow keys.
const StripCell kActing[] = {StripCell::Backdrop, StripCell::Minimise, StripCell::Close};

int actingIndex(StripCell cell)
{
    for (int i = 0; i < 3; ++i)
        if (kActing[i] == cell)
            return i;
    return 2;
}

} // namespace

QRect CaptionStrip::focusMarkRect() const
{
    // The glyph's own square, one pixel in, so the mark stands on the strip's white.
    return cellRect(keyboardCell_).adjusted(0, 0, -1, -1);
}

void CaptionStrip::paintEvent(QPaintEvent *event)
{
    Surface::paintEvent(event);
    if (!hasFocus())
        return;
    // Black on the strip's white and the glyphs' light frames: far above 3:1.
    QPainter p(this);
    p.setPen(QPen(look::qcolour(look::Colour::StripFocusDots), 1, Qt::DotLine));
    p.drawRect(focusMarkRect());
}

void CaptionStrip::setKeyboardCell(StripCell cell)
{
    if (cell == keyboardCell_)
        return;
    keyboardCell_ = cell;
    update();
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(actingIndex(cell));
        QAccessible::updateAccessibility(&focus);
    }
}

void CaptionStrip::keyPressEvent(QKeyEvent *event)
{
    const int at = actingIndex(keyboardCell_);
    switch (event->key()) {
    case Qt::Key_Left:
        setKeyboardCell(kActing[std::max(0, at - 1)]);
        break;
    case Qt::Key_Right:
        setKeyboardCell(kActing[std::min(2, at + 1)]);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->isAutoRepeat())
            break;
        activateCell(keyboardCell_);
        break;
    default:
        Surface::keyPressEvent(event);
        return;
    }
    event->accept();
}

void CaptionStrip::focusInEvent(QFocusEvent *event)
{
    Surface::focusInEvent(event);
    update();
    // After the strip itself, the cell the keyboard is on.
    QTimer::singleShot(0, this, [this] {
        if (!hasFocus())
            return;
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(actingIndex(keyboardCell_));
        QAccessible::updateAccessibility(&focus);
    });
}

void CaptionStrip::focusOutEvent(QFocusEvent *event)
{
    Surface::focusOutEvent(event);
    update();
}

StripCell CaptionStrip::cellAt(double x)
{
    // A cell takes its right edge and not its left one.
    constexpr int w = skin::kGlyphW;
    if (x > 0 && x <= w)
        return StripCell::Backdrop;
    if (x > w && x <= 2 * w)
        return StripCell::Minimise;
    if (x > 3 * w && x <= 4 * w)
        return StripCell::Close;
    return StripCell::None;
}

QRect CaptionStrip::cellRect(StripCell cell)
{
    return QRect(skin::kGlyphW * (int(cell) - 1), 0, skin::kGlyphW, skin::kGlyphH);
}

void CaptionStrip::paintCell(StripCell cell, int row)
{
    if (cell == StripCell::None)
        return;
    copyFromTemplate(*this, cellRect(cell).x(), 0, skin::captionGlyph(glyphColumn(cell), row));
}

void CaptionStrip::paintResting()
{
    drawPersistently([this] {
        for (StripCell cell : {StripCell::Backdrop, StripCell::Minimise, StripCell::Inactive, StripCell::Close})
            paintCell(cell, skin::GlyphNormal);
    });
}

void CaptionStrip::paintCellPersistently(StripCell cell)
{
    drawPersistently([this, cell] { paintCell(cell, skin::GlyphNormal); });
}

void CaptionStrip::PFormKontrol_MouseMove(int button, int, double x, double y)
{
    // Off the strip's band the pointer is over something else: no cell is under it.
    const StripCell k = y >= 0 && y < height() ? cellAt(x) : StripCell::None;
    const bool held = capture::get() == this;
    if ((captionHot_ != k && k != StripCell::None) || (held && k == StripCell::None))
        paintCell(captionHot_, skin::GlyphNormal);
    if (k == StripCell::None) {
        if (capture::get() == this) {
            capture::release();
            captionHot_ = StripCell::None;
        }
        return;
    }
    if (k != captionHot_) {
        paintCell(k, button == 1 ? skin::GlyphPressed : skin::GlyphHover);
        capture::set(this);
        captionHot_ = k;
    }
}

void CaptionStrip::activateCell(StripCell cell)
{
    if (cell == StripCell::None || cell == StripCell::Inactive)
        return;
    captionHot_ = cell;
    PFormKontrol_Click();
}

void CaptionStrip::mouseReleaseEvent(QMouseEvent *event)
{
    // The release counts as the last move: a click lands on the cell it is on, or on none
    // when it is off the strip.
    const QPointF at = event->position();
    PFormKontrol_MouseMove(0, 0, at.x(), at.y());
    Surface::mouseReleaseEvent(event);
}

void CaptionStrip::PFormKontrol_MouseDown(int, int, double, double)
{
    if (captionHot_ != StripCell::None)
        paintCell(captionHot_, skin::GlyphPressed);
}

void CaptionStrip::PFormKontrol_Click()
{
    capture::release();
    switch (captionHot_) {
    case StripCell::Backdrop:
        if (actions_.toggleBackdrop)
            actions_.toggleBackdrop();
        paintCellPersistently(StripCell::Backdrop);
        captionHot_ = StripCell::None;
        break;
    case StripCell::Minimise:
        if (actions_.minimise)
            actions_.minimise();
        paintCellPersistently(StripCell::Minimise);
        captionHot_ = StripCell::None;
        if (actions_.afterMinimise)
            actions_.afterMinimise();
        break;
    case StripCell::Close:
        if (actions_.close)
            actions_.close();
        break;
    default:
        break;
    }
}
