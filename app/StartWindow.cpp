// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartWindow.h"

#include "app/WindowRegistry.h"
#include "app/ExerciseWindow.h"
#include "app/BackdropWindow.h"
#include "app/SharedState.h"
#include "ui/windowing/Platform.h"
#include "app/ScreenFit.h"
#include "ui/windowing/Widgets.h"
#include "app/WindowArrangement.h"
#include "engine/Rounding.h"
#include "app/Accessibility.h"
#include "ui/skin/Cursors.h"
#include "ui/skin/Look.h"
#include "ui/skin/SkinDraw.h"
#include "ui/start/CaptionStrip.h"
#include "ui/start/StartLayout.h"
#include "ui/start/StartScreen.h"

#include <QShortcut>
#include <QTimer>

using widgets::make;

namespace {

// The shadow repeats the address for the eye only: assistive technology hears it once.
template <class Label = QLabel>
QLabel *addressLabel(QWidget *parent, const QRect &design)
{
    auto *l = make<Label>(parent, design, look::font(look::Font::WebAddress), StartWindow::webAddress());
    l->setCursor(skinCursors::hand());
    return l;
}

PlacedControl<QRadioButton> *modeOption(QWidget *parent, const QRect &design, const QString &text)
{
    auto *option = make<QRadioButton>(parent, design, look::font(look::Font::ModeOption), text);
    widgets::setBackground(option, look::qcolour(look::Colour::WindowBack));
    return new PlacedControl<QRadioButton>(option);
}

} // namespace

QString StartWindow::webAddress()
{
    return QStringLiteral("www.velantra.example");
}

StartWindow::StartWindow()
    : Form(QStringLiteral("frmMain")),
      PFormKontrol(new CaptionStrip(this)),
      lbKucukURLGolge(addressLabel<DecorativeLabel>(this, {62, 114, 114, 14})),
      lbKucukURL(addressLabel(this, {56, 100, 114, 14})),
      btnStart(make<QPushButton>(this, {168, 128, 175, 45}, look::font(look::Font::StartButton), QStringLiteral("START")))
{
    pSablon.makeCurrent();
    setWindowTitle(QStringLiteral("Tovarin Parlendo"));
    setWindowIcon(skinCursors::appIcon());
    setBackColor(look::qcolour(look::Colour::WindowBack));
    setSkinFont(look::font(look::Font::WindowText));

    PFormKontrol.Move(88, 26, 43, 17);
    widgets::setTextColour(lbKucukURLGolge.get(), look::qcolour(look::Colour::WebAddressShadow));

    optMode[0].reset(modeOption(this, {248, 240, 150, 25}, QStringLiteral("Show Mode")));
    optMode[1].reset(modeOption(this, {248, 272, 220, 25}, QStringLiteral("Competition Mode")));
    for (int i = 0; i < 2; ++i) {
        connect((*optMode[i]).get(), &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optMode_Click(i);
        });
    }
    connect(btnStart.get(), &QPushButton::clicked, this, [this] { btnStart_Click(); });
    // Enter on the focused START presses it, as Space does.
    btnStart->setAutoDefault(true);

    PFormKontrol->setActions({
        [this] { toggleBackdrop(); },
        [this] { setWindowStateTo(Minimized); },
        [this] {
            if (backdropOn_)
                if (BackdropWindow *backdrop = windows::loadedBackdrop())
                    backdrop->Hide();
        },
        [this] { windows::Unload(*this); },
    });

    // The usual close shortcut of desktop programs, wherever the keyboard is in the
    // program: it acts as the strip's close cell.
    auto *quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quit->setContext(Qt::ApplicationShortcut);
    connect(quit, &QShortcut::activated, this, [this] { PFormKontrol->activateCell(StripCell::Close); });

    QWidget::setTabOrder(PFormKontrol.get(), lbKucukURLGolge.get());
    QWidget::setTabOrder(lbKucukURLGolge.get(), lbKucukURL.get());
    QWidget::setTabOrder(lbKucukURL.get(), btnStart.get());
    QWidget::setTabOrder(btnStart.get(), (*optMode[0]).get());
    QWidget::setTabOrder((*optMode[0]).get(), (*optMode[1]).get());
}

StartWindow::~StartWindow() = default;

void StartWindow::Form_Load()
{
    const ScreenMetrics screen = platform::screen();
    Move(0, 0, screen.widthTwips(), screen.heightTwips());
    const QSize screenPx = screen.sizePx();
    if (!screenFit::fits(screenPx)) {
        platform::messageBox(QStringLiteral("Minimum secreen resolution must be 1024x768"));
        platform::endProcess();
        return;
    }
    // Panels and docks keep their strips: the window goes into the free area of the screen,
    // where its own window buttons stay in sight.
    const QRect window = screenFit::startWindowPlace(QRect(QPoint(0, 0), screenPx), screen.workArea);
    const TwipsRect place = screen.twipsOf(window);
    Move(place.left, place.top, place.width, place.height);
    (*optMode[1])->setChecked(true);
    modMain::competitionMode = true;
    PFormKontrol->paintResting();
    modMain::exerciseOpen = 0;
    restoreIfMinimized();
    // The keyboard starts on START, not on the window buttons first in the tab order.
    btnStart->setFocus(Qt::OtherFocusReason);
}

void StartWindow::restoreIfMinimized()
{
    if (WindowState() == Minimized)
        setWindowStateTo(Normal);
}

void StartWindow::optMode_Click(int index)
{
    modMain::competitionMode = index == 1;
}

TwipsRect StartWindow::placeBelowTopBand() const
{
    return {Left(), Top() + kTopBandTwips, Width(), Height() - kTopBandTwips};
}

void StartWindow::btnStart_Click()
{
    modMain::exerciseOpen = 1;
    const TwipsRect place = placeBelowTopBand();
    ExerciseWindow &exercise = windows::frmVelantra();
    exercise.Move(place.left, place.top, place.width, place.height);
    exercise.Show(this);
    temelYarismaEkraniCiz();
}

void StartWindow::paintEvent(QPaintEvent *event)
{
    Form::paintEvent(event);
    // Once the start window is painted, the exercise window is made ready at the next
    // idle moment, so that START has only to show it.
    if (exercisePreparing_ || windows::loadedExerciseWindow())
        return;
    exercisePreparing_ = true;
    QTimer::singleShot(0, this, [this] {
        exercisePreparing_ = false;
        if (!unloading() && !windows::loadedExerciseWindow() && WindowState() != Minimized)
            windows::prepareExerciseWindow(*this, placeBelowTopBand());
    });
}

void StartWindow::Form_Resize()
{
    if (WindowState() == Minimized)
        return;
    temelYarismaEkraniCiz();
    const auto places = startLayout::controlPlaces(ScaleWidth(), ScaleHeight());
    PFormKontrol.Move(places.strip.x(), places.strip.y(), places.strip.width(), places.strip.height());
    btnStart.Move(places.start.x(), places.start.y(), places.start.width(), places.start.height());
    optMode[1]->Move(places.competition.x(), places.competition.y(), places.competition.width(),
                     places.competition.height());
    optMode[0]->Move(places.show.x(), places.show.y(), places.show.width(), places.show.height());
    // The strip may have moved with the new width: the web address goes beside it again.
    placeWebAddress();
}

void StartWindow::temelYarismaEkraniCiz()
{
    startScreen::draw(*this, modMain::exerciseOpen != 0);
    placeWebAddress();
}

void StartWindow::placeWebAddress()
{
    // The web address sits left of the caption strip, its shadow one pixel down and right.
    lbKucukURL->raise();
    lbKucukURL.Move(PFormKontrol.Left() - lbKucukURL.Width() - 20, 3);
    lbKucukURLGolge.Move(lbKucukURL.Left() + 1, lbKucukURL.Top() + 1);
}

void StartWindow::toggleBackdrop()
{
    backdropOn_ = !backdropOn_;
    if (backdropOn_) {
        arrangeWindows();
        windows::frmZFon().Show();
    } else if (BackdropWindow *backdrop = windows::loadedBackdrop()) {
        backdrop->Hide();
    }
}

void StartWindow::arrangeWindows()
{
    const ScreenMetrics screen = platform::screen();
    const QRect standing = screen.pixelsOf({Left(), Top(), Width(), Height()});
    const auto wPx = static_cast<std::int16_t>(standing.width());
    const auto hPx = static_cast<std::int16_t>(standing.height());
    using windowArrangement::WorkArea;
    const WorkArea area = screen.workArea ? WorkArea::fromRect(*screen.workArea) : WorkArea{};
    const QPoint at = windowArrangement::centredIn(area, wPx, hPx);
    const TwipsRect place = screen.twipsOf(QRect(at, QSize(wPx, hPx)));
    Move(place.left, place.top, place.width, place.height);
    const TwipsRect over = placeBelowTopBand();
    for (Form *form : windows::loaded()) {
        if (windows::liesOverStartWindow(*form))
            form->Move(over.left, over.top, over.width, over.height);
    }
}

void StartWindow::unloadAllForms()
{
    const QList<Form *> all = windows::loaded();
    for (Form *form : all)
        windows::Unload(*form);
}

void StartWindow::Form_Unload(bool &cancel)
{
    Q_UNUSED(cancel);
    unloadAllForms();
}
