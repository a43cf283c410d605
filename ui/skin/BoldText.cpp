// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/BoldText.h"

#include "ui/skin/Look.h"

#include <QApplication>
#include <QFontInfo>
#include <QHash>
#include <QLineEdit>
#include <QRawFont>
#include <QStyleFactory>
#include <QStyleOption>

namespace boldText {

namespace {

// Wine's Tahoma Bold, told by its OS/2 table: a weight class of bold or more and the
// vendor "Wine". Another Tahoma Bold (a real one is heavy enough) is left as it is.
bool isWineTahomaBold(const QRawFont &face)
{
    if (!face.isValid() || face.familyName() != QLatin1String("Tahoma"))
        return false;
    const QByteArray os2 = face.fontTable("OS/2");
    if (os2.size() < 62)
        return false;
    const int weightClass = (uchar(os2[4]) << 8) | uchar(os2[5]);
    return weightClass >= 700 && os2.mid(58, 4) == "Wine";
}

} // namespace

double overstrikeWidth(const QFont &font)
{
    // Where the font configuration offers no face at all, Qt draws with a stand-in whose
    // family a raw font cannot even be asked for.
    if (font.weight() < QFont::Bold || QFontInfo(font).family() != QLatin1String("Tahoma"))
        return 0;
    // Looking at the face's tables is slow next to a paint; each font is asked about once.
    static QHash<QString, double> known;
    const QString key = font.key();
    auto it = known.constFind(key);
    if (it == known.constEnd()) {
        const QRawFont face = QRawFont::fromFont(font);
        it = known.insert(key, isWineTahomaBold(face) ? std::max(1.0, face.pixelSize() / 24.0) : 0.0);
    }
    return *it;
}

void Style::drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &pal, bool enabled,
                         const QString &text, QPalette::ColorRole textRole) const
{
    drawOverstruck(*painter, [&] { QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole); });
}

void Style::polish(QWidget *widget)
{
    QProxyStyle::polish(widget);
    if (qobject_cast<QLineEdit *>(widget) && !widget->graphicsEffect())
        widget->setGraphicsEffect(new OverstrikeEffect(widget));
}

void Style::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                          const QWidget *widget) const
{
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(Qt::NoPen);
    const QColor navy = look::qcolour(look::Colour::FocusMark);
    const QRect r = option->rect;
    painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), navy);
    painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), navy);
    painter->fillRect(QRect(r.left(), r.top(), 1, r.height()), navy);
    painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), navy);
    painter->restore();
}

void Style::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                        const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus))
        return;
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(*option);
    focus.rect = subElementRect(SE_PushButtonFocusRect, option, widget);
    drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
}

OverstrikeEffect::OverstrikeEffect(QWidget *box) : QGraphicsEffect(box), box_(box) {}

void OverstrikeEffect::draw(QPainter *painter)
{
    // An empty box without the focus shows no text and no text cursor: nothing would gain
    // a stroke, and the box is drawn once as it is.
    const auto *line = qobject_cast<const QLineEdit *>(box_);
    const bool showsNoText = line && line->text().isEmpty() && line->placeholderText().isEmpty() && !line->hasFocus();
    if (showsNoText || !needsOverstrike(box_->font())) {
        drawSource(painter);
        return;
    }
    QPoint offset;
    const QPixmap pixmap = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
    painter->drawPixmap(offset, pixmap);
    const qreal ratio = pixmap.devicePixelRatio();
    const int frame = box_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box_);
    const QRect inside = box_->rect().adjusted(frame, frame, -frame, -frame).translated(offset);
    painter->save();
    painter->setCompositionMode(QPainter::CompositionMode_Darken);
    for (int k = 1, steps = std::max(1, qRound(overstrikeWidth(box_->font()) * ratio)); k <= steps; ++k) {
        // Each shifted copy only where it lands on pixels that came from inside the frame:
        // the frame's left edge must not be drawn again to its right.
        const QPointF shift(k / ratio, 0);
        painter->setClipRect(QRectF(inside).adjusted(shift.x(), 0, 0, 0));
        painter->drawPixmap(QPointF(offset) + shift, pixmap);
    }
    painter->restore();
}

void install()
{
    if (!dynamic_cast<Style *>(QApplication::style()))
        QApplication::setStyle(new Style(QStyleFactory::create(QString::fromLatin1(kDesignedStyle))));
}

} // namespace boldText
