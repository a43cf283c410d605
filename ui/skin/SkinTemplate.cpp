// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/SkinTemplate.h"

#include "ui/skin/SkinRegions.h"

#include <QResource>

namespace {
const SkinTemplate *g_current = nullptr;

QImage decoded(const QString &path, qreal ratio)
{
    QImage image(path);
    image = image.convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace

SkinTemplate::SkinTemplate()
    : width_(skin::kTemplateWidth), height_(skin::kTemplateHeight)
{
    scale1Path_ = QStringLiteral(":/assets/skin.png");
    scale2Path_ = QStringLiteral(":/assets/skin@2x.png");
    // The parts the painters read were cut from the template when the program was built
    // and are stored uncompressed: the pieces point into that data, so nothing is decoded
    // or copied here.
    const std::vector<QRect> parts = skin::templateParts(width_, height_);
    parts_ = QResource(QStringLiteral(":/skin.parts")).uncompressedData();
    qsizetype needed = 0;
    for (const QRect &part : parts)
        needed += qsizetype(part.width()) * part.height() * 4;
    // Images want their rows on 32-bit boundaries; a resource placed otherwise is copied.
    if (reinterpret_cast<quintptr>(parts_.constData()) % 4 != 0)
        parts_ = QByteArray(parts_.constData(), parts_.size());
    if (parts_.size() == needed) {
        const auto *bits = reinterpret_cast<const uchar *>(parts_.constData());
        for (const QRect &part : parts) {
            pieces_.push_back({part, QImage(bits, part.width(), part.height(), part.width() * 4, QImage::Format_RGB32)});
            bits += qsizetype(part.width()) * part.height() * 4;
        }
    }
    if (!g_current)
        g_current = this;
}

SkinTemplate::SkinTemplate(QImage scale1, QImage scale2)
    : width_(scale1.width()), height_(scale1.height()), scale1_(std::move(scale1)), scale2_(std::move(scale2))
{
    scale1_.setDevicePixelRatio(1.0);
    scale2_.setDevicePixelRatio(2.0);
    if (!g_current)
        g_current = this;
}

const QImage &SkinTemplate::image(qreal ratio) const
{
    if (ratio >= 1.5) {
        if (scale2_.isNull() && !scale2Path_.isEmpty())
            scale2_ = decoded(scale2Path_, 2.0);
        if (!scale2_.isNull())
            return scale2_;
    }
    if (scale1_.isNull() && !scale1Path_.isEmpty())
        scale1_ = decoded(scale1Path_, 1.0);
    return scale1_;
}

SkinTemplate::Source SkinTemplate::sourceFor(const QRect &templateRect, qreal ratio) const
{
    if (ratio < 1.5) {
        for (const Piece &piece : pieces_)
            if (piece.rect.contains(templateRect))
                return {&piece.pixels, piece.rect.topLeft()};
    }
    return {&image(ratio), QPoint(0, 0)};
}

SkinTemplate::~SkinTemplate()
{
    if (g_current == this)
        g_current = nullptr;
}

const SkinTemplate *SkinTemplate::current() { return g_current; }

void SkinTemplate::makeCurrent() { g_current = this; }
