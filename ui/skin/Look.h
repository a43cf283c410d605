// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/SkinFont.h"

#include <QColor>
#include <QRgb>

#include <array>
#include <cstddef>

// The program's look in one place: every colour and every font it draws with, each by
// the role it plays. Colours are QRgb (0xAARRGGBB) throughout; a widget that wants a
// QColor takes look::qcolour(role). To change how something looks, change its row here.
namespace look {

enum class Colour {
    // The skin template's frame, which the windows meet without a seam.
    TemplateInner,
    TemplateMargin,
    TemplateLineOuterDark,
    TemplateLineInnerDark,
    TemplateLineLight,
    // The windows.
    WindowBack,
    BackdropBack,
    BackdropTopLeft,
    BackdropTopRight,
    BackdropBottomRight,
    BackdropBottomLeft,
    FocusMark,
    // The start window.
    StartTitle,
    StartTitleShadow,
    WebAddressShadow,
    // The exercise window.
    ExerciseTitle,
    ExerciseTitleShadow,
    PanelBack,
    DigitShown,
    DigitHidden,
    GridBack,
    GridLine,
    AnswerBack,
    RightAnswerBack,
    WrongAnswerBack,
    RightAttemptBack,
    WrongAttemptBack,
    AverageText,
    // A drawing surface before anyone sets its colours.
    SurfaceBack,
    SurfaceText,
    // The skinned buttons and the caption strip.
    ButtonText,
    ButtonHotText,
    ButtonBack,
    StripBack,
    StripFocusDots,
    Count
};

struct ColourRow {
    Colour role;
    QRgb rgb;
};

inline constexpr std::array<ColourRow, static_cast<std::size_t>(Colour::Count)> kColours{{
    {Colour::TemplateInner, 0xFFC5D6ED},          // RGB(197,214,237)
    {Colour::TemplateMargin, 0xFF9BB9E0},         // RGB(155,185,224)
    {Colour::TemplateLineOuterDark, 0xFF969A92},  // RGB(150,154,146), top/left outermost
    {Colour::TemplateLineInnerDark, 0xFFA0AEC0},  // RGB(160,174,192), top/left inner
    {Colour::TemplateLineLight, 0xFFDBE5F2},      // RGB(219,229,242), bottom/right
    {Colour::WindowBack, 0xFFC5D6ED},             // the template's inner colour
    {Colour::BackdropBack, 0xFFE0E0E0},           // before the gradient is drawn
    {Colour::BackdropTopLeft, 0xFF500000},        // RGB(80,0,0)
    {Colour::BackdropTopRight, 0xFF005000},       // RGB(0,80,0)
    {Colour::BackdropBottomRight, 0xFF000050},    // RGB(0,0,80)
    {Colour::BackdropBottomLeft, 0xFF282800},     // RGB(40,40,0)
    {Colour::FocusMark, 0xFF000080},              // navy: focus frames and the grid's cell mark
    {Colour::StartTitle, 0xFFC00000},             // dark red
    {Colour::StartTitleShadow, 0xFFFFFFFF},
    {Colour::WebAddressShadow, 0xFFCFCFCF},       // RGB(207,207,207)
    {Colour::ExerciseTitle, 0xFF000080},          // navy
    {Colour::ExerciseTitleShadow, 0xFFFFFFFF},
    {Colour::PanelBack, 0xFFC0C0FF},              // RGB(192,192,255): the panels and the record
    {Colour::DigitShown, 0xFF000000},
    {Colour::DigitHidden, 0xFFFFFFFF},            // the grid's own back colour
    {Colour::GridBack, 0xFFFFFFFF},
    {Colour::GridLine, 0xFFC0C0C0},
    {Colour::AnswerBack, 0xFFFFFFFF},
    {Colour::RightAnswerBack, 0xFF00FF00},        // RGB(0,255,0)
    {Colour::WrongAnswerBack, 0xFFFF0000},        // RGB(255,0,0)
    {Colour::RightAttemptBack, 0xFF00C000},       // RGB(0,192,0)
    {Colour::WrongAttemptBack, 0xFFFF8080},       // RGB(255,128,128)
    {Colour::AverageText, 0xFFC00000},            // RGB(192,0,0): TIME
    {Colour::SurfaceBack, 0xFFFFFFFF},
    {Colour::SurfaceText, 0xFF000000},
    {Colour::ButtonText, 0xFF000000},
    {Colour::ButtonHotText, 0xFF404000},          // under the pointer and pressed
    {Colour::ButtonBack, 0xFFFFFFFF},
    {Colour::StripBack, 0xFFFFFFFF},
    {Colour::StripFocusDots, 0xFF000000},
}};

constexpr bool rowsInOrder()
{
    for (std::size_t i = 0; i < kColours.size(); ++i)
        if (static_cast<std::size_t>(kColours[i].role) != i)
            return false;
    return true;
}
static_assert(rowsInOrder(), "one row per colour role, in the order of the roles");

constexpr QRgb colour(Colour role) { return kColours[static_cast<std::size_t>(role)].rgb; }
inline QColor qcolour(Colour role) { return QColor::fromRgb(colour(role)); }

enum class Font {
    WindowText,        // a window's own drawing font
    StartTitle,        // SPEED VELANTRA on the start window: size and weight, in the window's face
    OpenTitle,         // the start window's title band while the exercise is open
    WebAddress,        // the start window's web address and its shadow
    StartButton,       // START on the start window
    ModeOption,        // Show Mode, Competition Mode
    ExerciseTitle,     // "Speed Velantra" on the exercise window
    PanelText,         // the panels' own drawing font
    BackButton,
    ControlButton,     // SHUFFLE, START, SHOW CORRECT ANSWER, RESET
    AnswerCaption,     // YOUR ANSWER, CORRECT ANSWER
    TimeBox,           // the stopwatch's running time
    AnswerBox,         // the typed answer and the correct one
    Digits,            // the question grid's digits
    Attempt,           // the record's attempt labels at full size
    Average,           // TIME with the average at full size
    Count
};

// The font of a role.
const SkinFont &font(Font role);

} // namespace look
