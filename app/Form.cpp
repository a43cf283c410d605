#include "app/Form.h"

#include "app/Forms.h"
#include "app/Platform.h"
#include "engine/Rounding.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

int keyCodeOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape: return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    default: return (qtKey >= 0x20 && qtKey < 0x7F) ? qtKey : 0;
    }
}

Form::Form(const QString &name) : Surface(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(name);
    setWindowState(platform::initialWindowState() == Minimized ? Qt::WindowMinimized : Qt::WindowNoState);
}

void Form::Move(double left, double top, double width, double height)
{
    const bool resized = width != twips_.width() || height != twips_.height();
    twips_ = QRectF(left, top, width, height);
    const ScreenMetrics screen = platform::screen();
    setGeometry(roundToInt(left / screen.twipsPerPixelX), roundToInt(top / screen.twipsPerPixelY),
                roundToInt(width / screen.twipsPerPixelX), roundToInt(height / screen.twipsPerPixelY));
    if (resized)
        Form_Resize();
}

int Form::WindowState() const
{
    return windowState().testFlag(Qt::WindowMinimized) ? Minimized : Normal;
}

void Form::setWindowState(int state)
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

void Form::Show(Form *owner)
{
    if (owner && parentWidget() != owner) {
        // An owned window stays in front of its owner and is minimised with it. Typed as a
        // dialog, it is marked transient for its owner, so the window manager keeps it so.
        const QRect g = geometry();
        setParent(owner, (windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
        setGeometry(g);
    }
    if (WindowState() == Minimized)
        showMinimized();
    else
        show();
    if (!everShown_) {
        everShown_ = true;
        Form_Resize();
    }
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
            Form_KeyDown(keyCodeOf(key->key()), shiftStateOf(key->modifiers()));
        }
    }
    return Surface::eventFilter(watched, event);
}

void Form::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange && !unloading_) {
        followOwnerState();
        Form_Resize();
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
            owned->setWindowState(Minimized);
        else if (!minimised && owned->WindowState() == Minimized)
            owned->setWindowState(Normal);
    }
}

void Form::closeEvent(QCloseEvent *event)
{
    // The window system's close goes through the program's own unload.
    event->ignore();
    if (!unloading_)
        forms::Unload(*this);
}

bool Form::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && !unloading_)
        Form_GotFocus();
    return Surface::event(event);
}
