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
#include "ui/skin/Look.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinDraw.h"

#include <QTimer>
#include <QCloseEvent>

namespace {

// A control as designed: its place in its parent (left, top, width, height in pixels)
// before the first layout moves it, its font and its caption.
struct Design {
    QRect place;
    look::Font font;
    const char *caption = "";
};

// The exercise window's controls, by their names, in the window or in their panel.
namespace design {
constexpr Design btnBack{{66, 34, 85, 39}, look::Font::BackButton, "Back"};
constexpr Design pKontrol{{322, 36, 275, 555}, look::Font::PanelText};
constexpr Design gSoru{{48, 104, 147, 125}, look::Font::Digits};
// In pKontrol.
constexpr Design btnKaristir{{56, 30, 170, 45}, look::Font::ControlButton, "SHUFFLE"};
constexpr Design btnStart{{72, 106, 141, 41}, look::Font::ControlButton, "START"};
constexpr Design txtSure{{24, 156, 239, 72}, look::Font::TimeBox};
constexpr Design yourAnswerCaption{{58, 258, 161, 25}, look::Font::AnswerCaption, "YOUR ANSWER"};        // lbBilgi(0)
constexpr Design txtYourAnswer{{66, 286, 150, 72}, look::Font::AnswerBox};
constexpr Design correctAnswerCaption{{36, 370, 201, 25}, look::Font::AnswerCaption, "CORRECT ANSWER"};  // lbBilgi(1)
constexpr Design txtCorrectAnswer{{64, 398, 150, 72}, look::Font::AnswerBox};
constexpr Design btnCheck{{4, 492, 267, 41}, look::Font::ControlButton, "SHOW CORRECT ANSWER"};
// pScore and the controls in it.
constexpr Design pScore{{32, 272, 275, 163}, look::Font::PanelText};
constexpr Design lbDeneme1{{48, 16, 89, 19}, look::Font::Attempt, "1st : 04:44"};
constexpr Design btnReset{{184, 8, 85, 33}, look::Font::ControlButton, "RESET"};
constexpr Design lbDeneme2{{48, 64, 93, 19}, look::Font::Attempt, "2nd : 04:44"};
constexpr Design lbDeneme3{{63, 104, 91, 19}, look::Font::Attempt, "3rd : 04:44"};
constexpr Design lbAverage{{44, 128, 137, 25}, look::Font::Average, "TIME : 18:67"};
} // namespace design

// The stopwatch's interval: it only triggers the display, the clock gives the time.
constexpr int kStopwatchTickMs = 10;

template <class W>
W *control(QWidget *parent, const Design &d)
{
    return widgets::make<W>(parent, d.place, look::font(d.font), QString::fromLatin1(d.caption));
}

template <class Box = QLineEdit>
Box *textBox(QWidget *parent, const Design &d, bool readOnly)
{
    auto *box = widgets::make<Box>(parent, d.place, look::font(d.font));
    box->setAlignment(Qt::AlignCenter);
    box->setReadOnly(readOnly);
    return box;
}

QLabel *label(QWidget *parent, const Design &d, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *l = control<QLabel>(parent, d);
    l->setAlignment(alignment);
    widgets::setBackground(l, look::qcolour(look::Colour::PanelBack));
    return l;
}

Surface *panel(QWidget *parent, const Design &d)
{
    auto *p = new Surface(parent);
    p->setGeometry(d.place);
    p->setBackColor(look::qcolour(look::Colour::PanelBack));
    p->setSkinFont(look::font(d.font));
    p->setMouseTracking(false);
    return p;
}

void place(ControlPlacement &control, const Design &d)
{
    control.Move(d.place.x(), d.place.y(), d.place.width(), d.place.height());
}

// What the engine's outcomes look like.
look::Colour answerBack(CheckOutcome outcome)
{
    switch (outcome) {
    case CheckOutcome::Right: return look::Colour::RightAnswerBack;
    case CheckOutcome::Wrong: return look::Colour::WrongAnswerBack;
    case CheckOutcome::Unchecked: break;
    }
    return look::Colour::AnswerBack;
}

look::Colour attemptBack(CheckOutcome outcome)
{
    switch (outcome) {
    case CheckOutcome::Right: return look::Colour::RightAttemptBack;
    case CheckOutcome::Wrong: return look::Colour::WrongAttemptBack;
    case CheckOutcome::Unchecked: break;
    }
    return look::Colour::PanelBack;
}

} // namespace

ExerciseWindow::ExerciseWindow()
    : Form(QStringLiteral("frmVelantra")),
      btnBack(new SkinButton(QString::fromLatin1(design::btnBack.caption), this)),
      pKontrol(panel(this, design::pKontrol)),
      gSoru(new QuestionGrid(this)),
      // The two buttons that start and stop the stopwatch do so at the moment of the click.
      btnKaristir(control<StampedButton>(pKontrol.get(), design::btnKaristir)),
      btnStart(control<StampedButton>(pKontrol.get(), design::btnStart)),
      txtSure(textBox<PacedTextBox>(pKontrol.get(), design::txtSure, true)),
      lbBilgi{SelfSizingLabel(label(pKontrol.get(), design::yourAnswerCaption, Qt::AlignCenter)),
              SelfSizingLabel(label(pKontrol.get(), design::correctAnswerCaption, Qt::AlignCenter))},
      txtYourAnswer(textBox(pKontrol.get(), design::txtYourAnswer, false)),
      txtCorrectAnswer(textBox(pKontrol.get(), design::txtCorrectAnswer, true)),
      btnCheck(control<QPushButton>(pKontrol.get(), design::btnCheck)),
      pScore(panel(this, design::pScore)),
      lbDeneme1(label(pScore.get(), design::lbDeneme1)),
      btnReset(control<QPushButton>(pScore.get(), design::btnReset)),
      lbDeneme2(label(pScore.get(), design::lbDeneme2)),
      lbDeneme3(label(pScore.get(), design::lbDeneme3)),
      lbAverage(label(pScore.get(), design::lbAverage, Qt::AlignRight | Qt::AlignVCenter)),
      announcer_(new Announcer(this)),
      engine_(*gSoru.get(), *this, [] { return modMain::competitionMode; }, this)
{
    setBackColor(look::qcolour(look::Colour::WindowBack));
    setSkinFont(look::font(look::Font::WindowText));
    setWindowIcon(skinCursors::appIcon());
    setKeyPreview(true);

    btnBack->setSkinFont(look::font(design::btnBack.font));
    btnBack->setCustomCursor(skinCursors::hand());
    place(btnBack, design::btnBack);
    place(gSoru, design::gSoru);
    widgets::setTextColour(lbAverage.get(), look::qcolour(look::Colour::AverageText));
    widgets::setBackground(txtYourAnswer.get(), look::qcolour(look::Colour::AnswerBack));
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

    trmSure.setInterval(kStopwatchTickMs);
    trmSure.setTimerType(Qt::PreciseTimer);

    btnBack->setClickHandler([this] { btnBack_Click(); });
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
    return {.window = *this,
            .gSoru = gSoru,
            .pScore = pScore,
            .pKontrol = pKontrol,
            .btnBack = btnBack,
            .btnKaristir = btnKaristir,
            .btnStart = btnStart,
            .txtSure = txtSure,
            .yourAnswerCaption = lbBilgi[0],
            .txtYourAnswer = txtYourAnswer,
            .correctAnswerCaption = lbBilgi[1],
            .txtCorrectAnswer = txtCorrectAnswer,
            .btnCheck = btnCheck,
            .btnReset = btnReset,
            .scoreLabels = {&lbDeneme1, &lbDeneme2, &lbDeneme3, &lbAverage}};
}

void ExerciseWindow::drawExerciseScreen() { exerciseScreen::draw(screenParts()); }

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

void ExerciseWindow::setYourAnswerOutcome(CheckOutcome outcome)
{
    widgets::setBackground(txtYourAnswer.get(), look::qcolour(answerBack(outcome)));
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

void ExerciseWindow::setAttemptLabel(int n, const QString &caption, CheckOutcome outcome)
{
    SelfSizingLabel &l = attemptLabel(n);
    l.setCaption(caption);
    widgets::setBackground(l.get(), look::qcolour(attemptBack(outcome)));
    // The colour says right or wrong; so does the name a screen reader reads, while the
    // text on the screen stays as it is.
    const QString said = outcome == CheckOutcome::Right   ? QStringLiteral(", right")
                       : outcome == CheckOutcome::Wrong   ? QStringLiteral(", wrong")
                                                          : QString();
    l->setAccessibleName(caption + said);
}

void ExerciseWindow::setAverageCaption(const QString &caption) { lbAverage.setCaption(caption); }
