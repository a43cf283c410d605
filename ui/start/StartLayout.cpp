// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/start/StartLayout.h"

#include "engine/Rounding.h"

namespace startLayout {

int logoTop(double scaleHeight, int titleHeight)
{
    const int a = roundToInt(scaleHeight - 305 - 37 - titleHeight);
    return roundToInt((a - 300) / 2.0 + titleHeight + 137);
}

int centredLeft(int windowWidth, int pictureWidth)
{
    return roundToInt((windowWidth - pictureWidth) / 2.0);
}

Places controlPlaces(double w, double h)
{
    Places p;
    p.strip = QRectF(w - 72, 4, 68, 15);
    p.start = QRectF((w - 175) / 2, h - 150, 175, 45);
    p.competition = QRectF((w - 220) / 2, p.start.top() - 60, 220, 25);
    p.show = QRectF((w - 150) / 2, p.competition.top() - 35, 150, 25);
    return p;
}

} // namespace startLayout
