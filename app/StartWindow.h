// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/windowing/ControlPlacement.h"
#include "app/windowing/Form.h"
#include "ui/skin/SkinTemplate.h"

#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <memory>

class CaptionStrip;

// The start window: the mode choice and START, its own window buttons, and the skin
// template that every painter copies from. Closing it ends the program.
class StartWindow : public Form {
public:
    static constexpr int kTopBandTwips = 375;

    StartWindow();
    ~StartWindow() override;

    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(bool &cancel) override;

    void restoreIfMinimized();
    void optMode_Click(int index);
    void btnStart_Click();
    void temelYarismaEkraniCiz();

    void toggleBackdrop();
    void arrangeWindows();
    void unloadAllForms();
    bool backdropOn() const { return backdropOn_; }

    SkinTemplate pSablon;
    PlacedControl<CaptionStrip> PFormKontrol;
    SelfSizingLabel lbKucukURLGolge;
    SelfSizingLabel lbKucukURL;
    PlacedControl<QPushButton> btnStart;
    std::array<std::unique_ptr<PlacedControl<QRadioButton>>, 2> optMode;

    // The address the two small labels show: a site of the program's own kind.
    static QString webAddress();

private:
    bool backdropOn_ = false;
};
