// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/start/CaptionStrip.h"

#include "ui/skin/Capture.h"
#include "ui/skin/SkinDraw.h"

namespace {

int cellX(int cell) { return 17 * (cell - 1); }

int glyphColumn(int cell)
{
    switch (cell) {
    case 1: return skin::kGlyphColumnBackdrop;
    case 2: return skin::kGlyphColumnMinimise;
    case 3: return skin::kGlyphColumnInactive;
    default: return skin::kGlyphColumnClose;
    }
}

} // namespace

CaptionStrip::CaptionStrip(QWidget *parent) : Surface(parent)
{
    setBackColor(Qt::white);
}

int CaptionStrip::cellAt(double x)
{
    if (x > 0 && x <= 17)
        return 1;
    if (x > 17 && x <= 34)
        return 2;
    if (x > 51 && x <= 68)
        return 4;
    return 0;
}

void CaptionStrip::paintCell(int cell, int row)
{
    if (cell == 0)
        return;
    copyFromTemplate(*this, cellX(cell), 0, skin::captionGlyph(glyphColumn(cell), row));
}

void CaptionStrip::paintResting()
{
    setAutoRedraw(true);
    for (int cell = 1; cell <= 4; ++cell)
        paintCell(cell, skin::GlyphNormal);
    Refresh();
    setAutoRedraw(false);
}

void CaptionStrip::paintCellPersistently(int cell)
{
    setAutoRedraw(true);
    paintCell(cell, skin::GlyphNormal);
    Refresh();
    setAutoRedraw(false);
}

void CaptionStrip::PFormKontrol_MouseMove(int button, int, double x, double)
{
    const int k = cellAt(x);
    const bool held = capture::get() == this;
    if ((captionHot_ != k && k != 0) || (held && k == 0))
        paintCell(captionHot_, skin::GlyphNormal);
    if (k == 0) {
        if (capture::get() == this) {
            capture::release();
            captionHot_ = 0;
        }
        return;
    }
    if (k != captionHot_) {
        paintCell(k, button == 1 ? skin::GlyphPressed : skin::GlyphHover);
        capture::set(this);
        captionHot_ = k;
    }
}

void CaptionStrip::activateCell(int k)
{
    if (k != 1 && k != 2 && k != 4)
        return;
    captionHot_ = k;
    PFormKontrol_Click();
}

void CaptionStrip::PFormKontrol_MouseDown(int, int, double, double)
{
    if (captionHot_ != 0)
        paintCell(captionHot_, skin::GlyphPressed);
}

void CaptionStrip::PFormKontrol_Click()
{
    capture::release();
    switch (captionHot_) {
    case 1:
        if (actions_.toggleBackdrop)
            actions_.toggleBackdrop();
        paintCellPersistently(1);
        captionHot_ = 0;
        break;
    case 2:
        if (actions_.minimise)
            actions_.minimise();
        paintCellPersistently(2);
        captionHot_ = 0;
        if (actions_.afterMinimise)
            actions_.afterMinimise();
        break;
    case 4:
        if (actions_.close)
            actions_.close();
        break;
    default:
        break;
    }
}
