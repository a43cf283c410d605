#include "ui/skin/SkinTemplate.h"

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
    : SkinTemplate(decoded(QStringLiteral(":/assets/skin.png"), 1.0), QImage())
{
    scale2Path_ = QStringLiteral(":/assets/skin@2x.png");
}

const QImage &SkinTemplate::image(qreal ratio) const
{
    if (ratio < 1.5)
        return scale1_;
    if (scale2_.isNull() && !scale2Path_.isEmpty())
        scale2_ = decoded(scale2Path_, 2.0);
    return scale2_.isNull() ? scale1_ : scale2_;
}

SkinTemplate::SkinTemplate(QImage scale1, QImage scale2)
    : scale1_(std::move(scale1)), scale2_(std::move(scale2))
{
    scale1_.setDevicePixelRatio(1.0);
    scale2_.setDevicePixelRatio(2.0);
    if (!g_current)
        g_current = this;
}

SkinTemplate::~SkinTemplate()
{
    if (g_current == this)
        g_current = nullptr;
}

const SkinTemplate *SkinTemplate::current() { return g_current; }

void SkinTemplate::makeCurrent() { g_current = this; }
