// SPDX-License-Identifier: GPL-3.0-or-later
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

// Where each header's pieces lie in the template, written out as numbers: the tests
// expect these, not the program's own region table, so a wrong entry there shows.
struct HeaderPieces {
    QRect band, left, right;
};

inline HeaderPieces headerPieces(int kind)
{
    switch (kind) {
    case Start: return {QRect(220, 0, 10, 97), QRect(0, 0, 50, 50), QRect(1250, 0, 30, 60)};
    case Open: return {QRect(400, 97, 10, 97), QRect(195, 97, 195, 97), QRect(422, 97, 30, 97)};
    default: return {QRect(400, 122, 10, 35), QRect(195, 122, 200, 72), QRect(422, 122, 30, 46)};
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
