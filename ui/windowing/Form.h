// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/skin/Surface.h"
#include "ui/windowing/Platform.h"
#include "ui/windowing/Twips.h"

class Form;

// The program's loaded windows, in load order. A window is added when it is loaded and
// removed when it is unloaded.
namespace windows {
const QList<Form *> &loaded();
void addLoaded(Form &form);
// Destroys the window (its Form_Unload may cancel); the next use loads it again. With no
// window left the process ends.
void Unload(Form &form);
} // namespace windows

// A top-level window of the program, reached by its name. Its position and size are in
// twips; inside it everything is in pixels. A size change runs Form_Resize before Move
// returns, and a change of window state runs it too. Where the window system places or
// sizes the window otherwise (a window manager keeping it off a panel, the user dragging
// it), Left, Top, Width and Height follow the window, and a size change runs Form_Resize.
class Form : public Surface {
public:
    using State = ShownState;
    static constexpr State Normal = State::Normal;
    static constexpr State Minimized = State::Minimized;

    explicit Form(const QString &name);

    QString Name() const { return objectName(); }

    void Move(double left, double top, double width, double height);
    double Left() const { return twips_.left; }
    double Top() const { return twips_.top; }
    double Width() const { return twips_.width; }
    double Height() const { return twips_.height; }

    State WindowState() const;
    // Normal or minimised, as the window system shows it (not to be confused with
    // QWidget::setWindowState, which takes the toolkit's own states).
    void setWindowStateTo(State state);

    void Show(Form *owner = nullptr);
    // Makes a window that has never been shown ready while hidden: owned by owner, its
    // native window made, laid out and painted into its backing store. Show then has
    // only to map it.
    void prepareToShow(Form *owner = nullptr);
    void Hide();
    // False where the focus cannot go (hidden, disabled or minimised).
    bool SetFocus();

    // The window the keyboard belongs to while this one is up: the owned window laid over
    // it when one is open and not minimised, otherwise this window itself.
    Form *frontWindow();

    // Key presses reach Form_KeyDown before the control that has the focus.
    void setKeyPreview(bool on);

    bool unloading() const { return unloading_; }
    // While Form_KeyDown runs: the key is held down and this press is the window
    // system's repeat of it.
    bool keyRepeat() const { return keyRepeat_; }

    virtual void Form_Load() {}
    virtual void Form_Resize() {}
    virtual void Form_Unload(bool &cancel) { Q_UNUSED(cancel); }
    virtual void Form_GotFocus() {}
    virtual void Form_KeyDown(int keyCode, int shift) { Q_UNUSED(keyCode); Q_UNUSED(shift); }

protected:
    // Runs when the window is unloaded, before it is destroyed: stop timers and loops.
    virtual void teardown() {}

    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend void windows::Unload(Form &form);
    void followOwnerState();
    // Activation of a covered window passes on to the window in front of it, soon after.
    void handFocusToFront();
    // The place the window system gave the window, where it differs from the asked one.
    void followWindowSystem();
    // Form_Resize, noting the size and scale it laid the window out for.
    void layOut();
    void becomeOwnedBy(Form *owner);
    // Laid out for its size and scale, and painted into its backing store.
    void layOutForFirstShow();

    QSize laidOutSize_;
    qreal laidOutRatio_ = 0;

    TwipsRect twips_;
    // How many more times a window the window system placed elsewhere when shown asks
    // for its own place again.
    int insistOnPlace_ = 0;
    bool everShown_ = false;
    bool unloading_ = false;
    bool keyPreview_ = false;
    bool keyRepeat_ = false;
};

// The key code of a key as the program's handlers see it (Escape 27, Enter 13).
int keyCodeOf(int qtKey);
