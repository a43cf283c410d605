// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScreenFit.h"

#include "ui/skin/SkinRegions.h"

#include <algorithm>
#include <cmath>

namespace screenFit {

bool fits(QSize screen)
{
    return screen.width() >= kMinimumWidth && screen.height() >= kMinimumHeight;
}

QSize startWindowSize(QSize screen)
{
    if (screen.height() < kFittingThreshold)
        return screen;
    return QSize(std::min(screen.width(), skin::kTemplateWidth), skin::kTemplateHeight);
}

QRect startWindowPlace(QRect screen, std::optional<QRect> freeArea)
{
    QRect area = freeArea ? freeArea->intersected(screen) : screen;
    if (area.isEmpty())
        area = screen;
    return QRect(area.topLeft(), startWindowSize(area.size()));
}

int deviceRatio(QSize physical, double requested)
{
    int ratio = std::clamp(int(std::lround(requested)), 1, kLargestSkinRatio);
    while (ratio > 1 && !fits(QSize(physical.width() / ratio, physical.height() / ratio)))
        --ratio;
    return ratio;
}

} // namespace screenFit
