// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/Look.h"

namespace look {

const SkinFont &font(Font role)
{
    struct Row {
        Font role;
        SkinFont font;
    };
    // Tahoma unless named; sizes in points, as designed.
    static const Row kFonts[] = {
        {Font::WindowText, tahoma(8.25)},
        {Font::StartTitle, tahoma(28, true)},
        {Font::OpenTitle, SkinFont{QStringLiteral("Arial"), 12, true, false}},
        {Font::WebAddress, SkinFont{QStringLiteral("Tahoma"), 9, false, true}},
        {Font::StartButton, tahoma(12, true)},
        {Font::ModeOption, tahoma(15.75, true)},
        {Font::ExerciseTitle, SkinFont{QStringLiteral("Arial"), 15, true, false}},
        {Font::PanelText, tahoma(12.75, true)},
        {Font::BackButton, tahoma(12.75, true)},
        {Font::ControlButton, tahoma(14.25, true)},
        {Font::AnswerCaption, tahoma(15.75, true)},
        {Font::TimeBox, tahoma(39.75, true)},
        {Font::AnswerBox, tahoma(39.75, true)},
        {Font::Digits, tahoma(39.75, true)},
        {Font::Attempt, tahoma(12, true)},
        {Font::Average, tahoma(15.75, true)},
    };
    static_assert(std::size(kFonts) == static_cast<std::size_t>(Font::Count), "one row per font role");
    const Row &row = kFonts[static_cast<std::size_t>(role)];
    Q_ASSERT(row.role == role);
    return row.font;
}

} // namespace look
