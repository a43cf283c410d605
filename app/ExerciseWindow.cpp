// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ExerciseWindow.h"

#include "app/Announcer.h"
#include "app/WindowRegistry.h"
#include "app/StartWindow.h"
#include "app/SharedState.h"
#include "ui/windowing/EventTimes.h"
#include "ui/windowing/Widgets.h"
#include "ui/exercise/ExerciseScreen.h"
#include "ui/exercise/QuestionGrid.h"
#include "ui/skin/Cursors.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinDraw.h"

#include <QTimer>
#include <QCloseEvent>

using widgets::make;

namespace {

const QColor kAverageText(192, 0, 0);
template <class Box = QLineEdit>
Box *textBox(QWidget *parent, const QRect &design, bool readOnly)
{
    auto *box = make<Box>(parent, design, tahoma(39.75, true));
    box->setAlignment(Qt::AlignCenter);
    box->setReadOnly(readOnly);
    return box;
}

QLabel *label(QWidget *parent, const QRect &design, const SkinFont &font, const QString &text,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *l = make<QLabel>(parent, design, font, text);
    l->setAlignment(alignment);
    widgets::setBackground(l, QColor::fromRgb(ExerciseEngine::kScorePanelBack));
    return l;
}

Surface *panel(QWidget *parent, const QRect &design)
{
    auto *p = new Surface(parent);
    p->setGeometry(design);
    p->setBackColor(QColor::fromRgb(ExerciseEngine::kScorePanelBack));
    p->setSkinFont(tahoma(12.75, true));
    p->setMouseTracking(false);
    return p;
}

} // namespace

ExerciseWindow::ExerciseWindow()
    : Form(QStringLiteral("frmVelantra")),
      btnBack(new SkinButton(QStringLiteral("Back"), this)),
      pKontrol(panel(this, {322, 36, 275, 555})),
      gSoru(new QuestionGrid(this)),
      // The two buttons that start and stop the stopwatch do so at the moment of the click.
      btnKaristir(make<StampedButton>(pKontrol.get(), {56, 30, 170, 45}, tahoma(14.25, true), QStringLiteral("SHUFFLE"))),
      btnStart(make<StampedButton>(pKontrol.get(), {72, 106, 141, 41}, tahoma(14.25, true), QStringLiteral("START"))),
      txtSure(textBox<PacedTextBox>(pKontrol.get(), {24, 156, 239, 72}, true)),
      lbBilgi{SelfSizingLabel(label(pKontrol.get(), {58, 258, 161, 25}, tahoma(15.75, true), QStringLiteral("YOUR ANSWER"), Qt::AlignCenter)),
              SelfSizingLabel(label(pKontrol.get(), {36, 370, 201, 25}, tahoma(15.75, true), QStringLiteral("CORRECT ANSWER"), Qt::AlignCenter))},
      txtYourAnswer(textBox(pKontrol.get(), {66, 286, 150, 72}, false)),
      txtCorrectAnswer(textBox(pKontrol.get(), {64, 398, 150, 72}, true)),
      btnCheck(make<QPushButton>(pKontrol.get(), {4, 492, 267, 41}, tahoma(14.25, true), QStringLiteral("SHOW CORRECT ANSWER"))),
      pScore(panel(this, {32, 272, 275, 163})),
      lbDeneme1(label(pScore.get(), {48, 16, 89, 19}, exerciseScreen::kAttemptFont, QStringLiteral("1st : 04:44"))),
      btnReset(make<QPushButton>(pScore.get(), {184, 8, 85, 33}, tahoma(14.25, true), QStringLiteral("RESET"))),
      lbDeneme2(label(pScore.get(), {48, 64, 93, 19}, exerciseScreen::kAttemptFont, QStringLiteral("2nd : 04:44"))),
      lbDeneme3(label(pScore.get(), {63, 104, 91, 19}, exerciseScreen::kAttemptFont, QStringLiteral("3rd : 04:44"))),
      lbAverage(label(pScore.get(), {44, 128, 137, 25}, exerciseScreen::kAverageFont, QStringLiteral("TIME : 18:67"),
                      Qt::AlignRight | Qt::AlignVCenter)),
      announcer_(new Announcer(this)),
      engine_(*gSoru.get(), *this, [] { return modMain::competitionMode; }, this)
{
    setBackColor(QColor::fromRgb(skin::kWindowBack));
    setSkinFont(tahoma(8.25));
    setWindowIcon(skinCursors::appIcon());
    setKeyPreview(true);

    btnBack->setSkinFont(tahoma(12.75, true));
    btnBack->setCustomCursor(skinCursors::hand());
    btnBack.Move(66, 34, 85, 39);
    gSoru.Move(48, 104, 147, 125);
    widgets::setTextColour(lbAverage.get(), kAverageText);
    widgets::setBackground(txtYourAnswer.get(), Qt::white);
    setAccessibleName(QStringLiteral("Exercise"));
    pKontrol->setAccessibleName(QStringLiteral("Controls"));
    pScore->setAccessibleName(QStringLiteral("Record"));
    gSoru->setAccessibleName(QStringLiteral("Question grid"));
    // Named as a sighted user reads them: the captions above the answer boxes.
    txtSure->setAccessibleName(QStringLiteral("Time"));
    txtYourAnswer->setAccessibleName(lbBilgi[0].caption());
    txtCorrectAnswer->setAccessibleName(lbBilgi[1].caption());

    // On a narrow score panel the row overlaps: RESET stays whole on top, then the
    // average, with the attempt labels underneath.
    lbAverage->raise();
    btnReset->raise();

    trmSure.setInterval(10);
    trmSure.setTimerType(Qt::PreciseTimer);

    btnBack.setResizeHandler([this] { btnBack->paintResting(); });
    btnBack->setClickHandler([this] { btnBack_Click(); });
    pKontrol.setResizeHandler([this] { pKontrol_Resize(); });
    pScore.setResizeHandler([this] { pScore_Resize(); });
    connect(btnKaristir.get(), &QPushButton::clicked, this, [this] { btnKaristir_Click(); });
    connect(btnStart.get(), &QPushButton::clicked, this, [this] { btnStart_Click(); });
    connect(btnCheck.get(), &QPushButton::clicked, this, [this] { btnCheck_Click(); });
    connect(btnReset.get(), &QPushButton::clicked, this, [this] { btnReset_Click(); });
    connect(&trmSure, &QTimer::timeout, this, [this] { trmSure_Timer(); });

    // Tab order as designed.
    QWidget *order[] = {btnBack.get(), pKontrol.get(), gSoru.get(), btnKaristir.get(), btnStart.get(),
                        txtSure.get(), lbBilgi[0].get(), txtYourAnswer.get(), lbBilgi[1].get(),
                        txtCorrectAnswer.get(), btnCheck.get(), pScore.get(), lbDeneme1.get(),
                        btnReset.get(), lbDeneme2.get(), lbDeneme3.get(), lbAverage.get()};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void ExerciseWindow::Form_Load()
{
    engine_.load();
    // The keyboard starts on SHUFFLE, the first step of an exercise, not on Back (first in
    // the tab order), where an Enter pressed out of habit would leave the exercise.
    btnKaristir->setFocus(Qt::OtherFocusReason);
}

void ExerciseWindow::teardown()
{
    engine_.discard();
    trmSure.stop();
}

void ExerciseWindow::Form_Resize()
{
    if (WindowState() == Minimized)
        return;
    drawExerciseScreen();
}

void ExerciseWindow::Form_KeyDown(int keyCode, int shift)
{
    // A held key acts once: its repeats would stop the stopwatch its first press started,
    // or press a focused Back once the first press had nothing left to stop.
    if (keyRepeat() && (keyCode == ExerciseEngine::kKeyEscape || keyCode == ExerciseEngine::kKeyEnter))
        return;
    const bool busy = state().running || state().shuffling;
    engine_.Form_KeyDown(keyCode, shift);
    // Enter stops the stopwatch or the shuffle first; only with nothing to stop does it
    // press a focused Back. Pressed once the key is handled, as it unloads the window.
    if (keyCode == ExerciseEngine::kKeyEnter && !busy && btnBack->hasFocus())
        QTimer::singleShot(0, btnBack.get(), [button = btnBack.get()] { button->press(); });
}

exerciseScreen::Parts ExerciseWindow::screenParts()
{
    return {*this,     gSoru,   pScore,           pKontrol,  btnBack,   btnKaristir, btnStart, txtSure,
            lbBilgi[0], txtYourAnswer, lbBilgi[1], txtCorrectAnswer, btnCheck, btnReset,
            {&lbDeneme1, &lbDeneme2, &lbDeneme3, &lbAverage}};
}

void ExerciseWindow::drawExerciseScreen() { exerciseScreen::draw(screenParts()); }

void ExerciseWindow::pKontrol_Resize() { exerciseScreen::placeControlPanel(screenParts()); }

void ExerciseWindow::pScore_Resize() { exerciseScreen::placeScorePanel(screenParts()); }

void ExerciseWindow::arrangeScoreLabels() { exerciseScreen::arrangeScoreLabels(screenParts()); }

int ExerciseWindow::btnBackHot() const
{
    return btnBack->hot();
}

void ExerciseWindow::btnBack_Click()
{
    modMain::exerciseOpen = 0;
    windows::frmMain().temelYarismaEkraniCiz();
    windows::Unload(*this);
}

void ExerciseWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    if (!unloading())
        btnBack_Click();
}

void ExerciseWindow::setShuffleCaption(const QString &caption) { btnKaristir->setText(caption); }
void ExerciseWindow::setShuffleEnabled(bool enabled) { btnKaristir->setEnabled(enabled); }
void ExerciseWindow::setStartCaption(const QString &caption) { btnStart->setText(caption); }
void ExerciseWindow::setStartEnabled(bool enabled) { btnStart->setEnabled(enabled); }

void ExerciseWindow::setTimerOn(bool on)
{
    // While it runs, a screen reader hears the time a few times a second, not at every tick.
    txtSure->setPaced(on);
    if (on)
        trmSure.start();
    else
        trmSure.stop();
}

void ExerciseWindow::setTimeText(const QString &text) { txtSure->showText(text); }
QString ExerciseWindow::yourAnswer() const { return txtYourAnswer->text(); }
void ExerciseWindow::setYourAnswer(const QString &text) { txtYourAnswer->setText(text); }

void ExerciseWindow::setYourAnswerBackColor(QRgb colour)
{
    widgets::setBackground(txtYourAnswer.get(), QColor::fromRgb(colour));
}

void ExerciseWindow::setYourAnswerLocked(bool locked) { txtYourAnswer->setReadOnly(locked); }

void ExerciseWindow::focusYourAnswer()
{
    txtYourAnswer->setFocus(Qt::OtherFocusReason);
}

void ExerciseWindow::setCorrectAnswer(const QString &text)
{
    txtCorrectAnswer->setText(text);
    // Emptied for a new attempt: the last outcome no longer describes the answer box.
    if (text.isEmpty())
        txtYourAnswer->setAccessibleDescription(QString());
}

void ExerciseWindow::announceOutcome(const QString &text)
{
    // Kept as the answer box's description for whoever goes back to it, and said at once,
    // wherever the focus is.
    txtYourAnswer->setAccessibleDescription(text);
    announcer_->announce(text);
}

void ExerciseWindow::announce(const QString &text) { announcer_->announce(text); }

SelfSizingLabel &ExerciseWindow::attemptLabel(int n)
{
    return n == 1 ? lbDeneme1 : n == 2 ? lbDeneme2 : lbDeneme3;
}

void ExerciseWindow::setAttemptLabel(int n, const QString &caption, QRgb backColor)
{
    SelfSizingLabel &l = attemptLabel(n);
    l.setCaption(caption);
    widgets::setBackground(l.get(), QColor::fromRgb(backColor));
    // The colour says right or wrong; so does the name a screen reader reads, while the
    // text on the screen stays as it is.
    const QString outcome = backColor == ExerciseEngine::kCorrectAttemptBack ? QStringLiteral(", right")
                          : backColor == ExerciseEngine::kWrongAttemptBack   ? QStringLiteral(", wrong")
                                                                             : QString();
    l->setAccessibleName(caption + outcome);
}

void ExerciseWindow::setAverageCaption(const QString &caption) { lbAverage.setCaption(caption); }
