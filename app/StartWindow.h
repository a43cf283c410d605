// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/windowing/ControlPlacement.h"
#include "ui/windowing/Form.h"
#include "ui/skin/SkinTemplate.h"

#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <memory>

class CaptionStrip;

// The start window (frmMain): the mode choice and START, its own window buttons, and the
// skin template that every painter copies from. Closing it ends the program.
class StartWindow : public Form {
public:
    // The band at the top that stays visible above the exercise window: 25 pixels.
    static constexpr int kTopBandTwips = 375;

    StartWindow();
    ~StartWindow() override;

    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(bool &cancel) override;

    void restoreIfMinimized();
    void optMode_Click(int index);
    void btnStart_Click();
    // "Draw the basic competition screen": the window's picture in its present view.
    void temelYarismaEkraniCiz();

    void toggleBackdrop();
    void arrangeWindows();
    void unloadAllForms();
    bool backdropOn() const { return backdropOn_; }
    // Where the windows that lie over this one go: all of it but the top band.
    TwipsRect placeBelowTopBand() const;

    // The controls, by their names.
    SkinTemplate pSablon;                          // "template" picture box
    PlacedControl<CaptionStrip> PFormKontrol;      // "form control": the caption strip
    SelfSizingLabel lbKucukURLGolge;               // "small URL shadow"
    SelfSizingLabel lbKucukURL;                    // "small URL": the web address
    PlacedControl<QPushButton> btnStart;
    std::array<std::unique_ptr<PlacedControl<QRadioButton>>, 2> optMode;   // 0 Show, 1 Competition

    // The address the two small labels show: a site of the program's own kind.
    static QString webAddress();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void placeWebAddress();
    bool backdropOn_ = false;
    bool exercisePreparing_ = false;
};
