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
    : SkinTemplate(decoded(QStringLiteral(":/assets/skin.png"), 1.0),
                   decoded(QStringLiteral(":/assets/skin@2x.png"), 2.0))
{
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
