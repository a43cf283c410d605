#pragma once

#include "ui/skin/SkinDraw.h"
#include "ui/skin/Surface.h"

#include <QColor>

// The window frame painted on a bare surface, for the tests of the drawing primitives.

// The windows' background, the template's inner colour.
inline const QRgb kBack = qRgb(197, 214, 237);

enum HeaderKind { Start, Open, Exercise };

inline FrameHeader headerOf(int kind)
{
    switch (kind) {
    case Start: return startHeader();
    case Open: return openHeader();
    default: return exerciseHeader();
    }
}

// One persistent paint of a W x H frame with its corners, on the cleared surface.
inline void paintFrame(Surface &s, int W, int H, int header)
{
    s.setAutoRedraw(true);
    s.Cls();
    paintSkinFrame(s, W, H, headerOf(header));
    paintFrameCorners(s, W, H);
    s.setAutoRedraw(false);
}
