// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

#include "ui/skin/Look.h"
#include "ui/skin/SkinRegions.h"

// Colours of the artwork beyond the frame colours the painters rely on.
namespace skinart::palette {

inline const QColor inner = look::qcolour(look::Colour::TemplateInner);
inline const QColor margin = look::qcolour(look::Colour::TemplateMargin);
inline const QColor lineOuterDark = look::qcolour(look::Colour::TemplateLineOuterDark);
inline const QColor lineInnerDark = look::qcolour(look::Colour::TemplateLineInnerDark);
inline const QColor lineLight = look::qcolour(look::Colour::TemplateLineLight);

inline const QColor navy(20, 40, 110);
inline const QColor bandTop(250, 252, 255);
inline const QColor bandBottom(216, 229, 247);
inline const QColor bandLine(118, 142, 182);
inline const QColor bandShadow(160, 176, 200);

inline const QColor tileLight(104, 164, 236);
inline const QColor tileDark(22, 70, 158);
inline const QColor tileEdge(14, 44, 108);
inline const QColor gold(255, 206, 84);
inline const QColor goldDark(214, 138, 18);

} // namespace skinart::palette
