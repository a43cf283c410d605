// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowing/Form.h"

#include "ui/skin/Capture.h"
#include "ui/windowing/EventTimes.h"
#include "ui/windowing/KeyRepeats.h"
#include "ui/windowing/WindowHints.h"
#include "ui/windowing/Platform.h"
#include "engine/Clock.h"
#include "engine/KeyCodes.h"
#include "engine/Rounding.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QTimer>

#include <xcb/xcb.h>

int keyCodeOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape: return keyCodes::kEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return keyCodes::kEnter;
    default: return (qtKey >= 0x20 && qtKey < 0x7F) ? qtKey : 0;
    }
}

namespace {

// Keys never reach a window that another of the program's windows covers: typed blind,
// they would change things nobody can see. The focus goes to the front window instead.
class CoveredWindowKeyGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease
            && event->type() != QEvent::ShortcutOverride)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        auto *form = widget ? dynamic_cast<Form *>(widget->window()) : nullptr;
        if (!form || form->frontWindow() == form)
            return false;
        if (event->type() == QEvent::KeyPress)
            form->frontWindow()->SetFocus();
        return true;
    }
};

// Another X client may destroy one of the program's windows (XDestroyWindow). Qt keeps
// the dead window as if it were shown, so the program closes it as the window system's
// close would: the exercise window as by Back, the start window ending the program.
class DestroyedWindowWatch : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY)
            return false;
        const xcb_window_t gone = reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window;
        for (Form *form : windows::loaded()) {
            if (form->unloading() || form->internalWinId() != gone)
                continue;
            // Not from inside the window system's event dispatch: closing unloads windows.
            QTimer::singleShot(0, form, [form] {
                if (!form->unloading())
                    form->close();
            });
        }
        return false;
    }
};

void watchTheWindowSystem()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    qApp->installEventFilter(new CoveredWindowKeyGuard(qApp));
    eventTimes::watch();
    keyRepeats::watch();
    static DestroyedWindowWatch destroyedWindows;
    qApp->installNativeEventFilter(&destroyedWindows);
}

} // namespace

namespace windows {
namespace {
QList<Form *> g_loaded;
} // namespace

const QList<Form *> &loaded() { return g_loaded; }

void addLoaded(Form &form)
{
    if (!g_loaded.contains(&form))
        g_loaded.append(&form);
}

void Unload(Form &form)
{
    if (form.unloading_ || !g_loaded.contains(&form))
        return;
    form.unloading_ = true;
    bool cancel = false;
    form.Form_Unload(cancel);
    if (cancel) {
        form.unloading_ = false;
        return;
    }
    form.teardown();
    if (QWidget *grabber = capture::get(); grabber && (grabber == &form || form.isAncestorOf(grabber)))
        capture::release();
    form.setKeyPreview(false);
    form.hide();
    g_loaded.removeOne(&form);
    // Deferred: the handler that asked for the unload may still be on the stack.
    form.deleteLater();
    if (g_loaded.isEmpty())
        platform::endProcess();
}

} // namespace windows

Form::Form(const QString &name) : Surface(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    watchTheWindowSystem();
    setObjectName(name);
    setWindowState(platform::initialWindowState() == Minimized ? Qt::WindowMinimized : Qt::WindowNoState);
}

void Form::Move(double left, double top, double width, double height)
{
    const bool resized = width != twips_.width || height != twips_.height;
    twips_ = {left, top, width, height};
    const QRect pixels = platform::screen().pixelsOf(twips_);
    // A native window made ready but never shown is mapped where it was made, wherever it
    // was moved since: it is made again at its new place when shown.
    if (!everShown_ && isWindow() && testAttribute(Qt::WA_WState_Created) && pixels != geometry())
        destroy();
    setGeometry(pixels);
    if (resized)
        layOut();
}

void Form::followWindowSystem()
{
    // Only a window the window system shows has a place of its own; before that the
    // asked place stands.
    if (unloading_ || !isWindow() || !isVisible())
        return;
    const ScreenMetrics screen = platform::screen();
    const QRect now = geometry();
    const QRect asked = screen.pixelsOf(twips_);
    if (now == asked) {
        insistOnPlace_ = 0;
        return;
    }
    if (insistOnPlace_ > 0) {
        // Some window managers place an owned window themselves when it is mapped (over
        // its owner's origin, centred on it): it is asked once more for its own place,
        // and only a window manager that refuses again has the last word.
        --insistOnPlace_;
        QTimer::singleShot(0, this, [this, asked] {
            if (!unloading_)
                setGeometry(asked);
        });
        return;
    }
    // Fractions of a pixel that were asked for are kept where the window stands as asked.
    const TwipsRect standing = screen.twipsOf(now);
    const bool resized = now.size() != asked.size();
    twips_ = {now.x() == asked.x() ? twips_.left : standing.left, now.y() == asked.y() ? twips_.top : standing.top,
              resized ? standing.width : twips_.width, resized ? standing.height : twips_.height};
    if (resized)
        layOut();
}

void Form::moveEvent(QMoveEvent *event)
{
    Surface::moveEvent(event);
    followWindowSystem();
}

void Form::resizeEvent(QResizeEvent *event)
{
    Surface::resizeEvent(event);
    followWindowSystem();
}

Form::State Form::WindowState() const
{
    return windowState().testFlag(Qt::WindowMinimized) ? Minimized : Normal;
}

void Form::setWindowStateTo(State state)
{
    if (state == WindowState())
        return;
    if (state == Minimized) {
        if (isVisible())
            showMinimized();
        else
            QWidget::setWindowState(windowState() | Qt::WindowMinimized);
    } else {
        if (isVisible())
            showNormal();
        else
            QWidget::setWindowState(windowState() & ~Qt::WindowMinimized);
    }
}

void Form::becomeOwnedBy(Form *owner)
{
    if (!owner || parentWidget() == owner)
        return;
    // An owned window stays in front of its owner and is minimised with it. Typed as a
    // dialog, it is marked transient for its owner, so the window manager keeps it so.
    const QRect g = geometry();
    setParent(owner, (windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
    setGeometry(g);
}

void Form::layOutForFirstShow()
{
    // Laid out, unless a Move already did so for this very size and scale (drawing the
    // same screen twice would double the time to open).
    if (size() != laidOutSize_ || imageRatio() != laidOutRatio_)
        layOut();
    if (WindowState() != Minimized)
        paintAhead();
}

void Form::prepareToShow(Form *owner)
{
    if (everShown_ || unloading_)
        return;
    becomeOwnedBy(owner);
    ensurePolished();
    windowHints::castsNoShadow(*this);
    createWinId();
    layOutForFirstShow();
}

void Form::Show(Form *owner)
{
    becomeOwnedBy(owner);
    if (owner && !isVisible())
        insistOnPlace_ = 1;
    windowHints::castsNoShadow(*this);
    if (WindowState() == Minimized)
        showMinimized();
    else
        show();
    if (!everShown_) {
        everShown_ = true;
        // The window manager is mapping the window now, and the first paint waits for it:
        // what was not made ready ahead is done meanwhile.
        layOutForFirstShow();
    }
}

void Form::layOut()
{
    // A minimised window lays nothing out; it must be laid out when shown.
    if (WindowState() == Minimized) {
        laidOutSize_ = QSize();
    } else {
        laidOutSize_ = size();
        laidOutRatio_ = imageRatio();
    }
    Form_Resize();
}

void Form::Hide()
{
    hide();
}

bool Form::SetFocus()
{
    if (!isVisible() || !isEnabled() || WindowState() == Minimized)
        return false;
    // An owned window comes forward together with its owner.
    if (QWidget *owner = parentWidget())
        owner->window()->raise();
    raise();
    activateWindow();
    return true;
}

Form *Form::frontWindow()
{
    for (QObject *child : children()) {
        auto *owned = dynamic_cast<Form *>(child);
        if (owned && owned->isWindow() && owned->everShown_ && !owned->unloading_ && owned->isVisible()
            && owned->WindowState() != Minimized)
            return owned->frontWindow();
    }
    return this;
}

void Form::handFocusToFront()
{
    if (frontWindow() == this)
        return;
    QTimer::singleShot(0, this, [this] {
        Form *front = frontWindow();
        if (front != this && !unloading_ && isActiveWindow())
            front->SetFocus();
    });
}

void Form::setKeyPreview(bool on)
{
    if (on == keyPreview_)
        return;
    keyPreview_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && !unloading_) {
        // The first delivery of a key goes to the focused widget; later ones are the
        // same key travelling up to its parents and are not seen twice.
        QWidget *target = qobject_cast<QWidget *>(watched);
        const QWidget *focused = QApplication::focusWidget();
        if (target && target->window() == this && (target == focused || (!focused && target == this))) {
            auto *key = static_cast<QKeyEvent *>(event);
            const engine::InputMoment moment(eventTimes::momentOf(*key));
            keyRepeat_ = key->isAutoRepeat();
            Form_KeyDown(keyCodeOf(key->key()), shiftStateOf(key->modifiers()));
            keyRepeat_ = false;
        }
    }
    return Surface::eventFilter(watched, event);
}

void Form::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange && !unloading_) {
        // An owned window restored from outside (a task bar) brings its minimised owner
        // back with it.
        const auto *change = static_cast<QWindowStateChangeEvent *>(event);
        auto *owner = dynamic_cast<Form *>(parentWidget());
        if (owner && change->oldState().testFlag(Qt::WindowMinimized) && WindowState() == Normal
            && owner->WindowState() == Minimized)
            owner->setWindowStateTo(Normal);
        followOwnerState();
        layOut();
        // Restored while active: the owned windows came back in front of this one.
        if (isActiveWindow())
            handFocusToFront();
    }
    Surface::changeEvent(event);
}

void Form::followOwnerState()
{
    // Owned windows are minimised and restored with their owner, whatever the window
    // manager does with transient windows.
    const bool minimised = WindowState() == Minimized;
    for (QObject *child : children()) {
        auto *owned = dynamic_cast<Form *>(child);
        if (!owned || !owned->isWindow() || owned->unloading_ || !owned->everShown_)
            continue;
        if (minimised && owned->WindowState() != Minimized)
            owned->setWindowStateTo(Minimized);
        else if (!minimised && owned->WindowState() == Minimized)
            owned->setWindowStateTo(Normal);
    }
}

void Form::closeEvent(QCloseEvent *event)
{
    // The window system's close goes through the program's own unload.
    event->ignore();
    if (!unloading_)
        windows::Unload(*this);
}

bool Form::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && !unloading_) {
        Form_GotFocus();
        handFocusToFront();
    }
    return Surface::event(event);
}
