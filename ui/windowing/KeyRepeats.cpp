// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/windowing/KeyRepeats.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>

#include <xcb/xcb.h>
// The XKB header names a field "explicit", a keyword of C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

bool HeldKeys::press(quint32 key, quint64 ms)
{
    const auto last = down_.constFind(key);
    const bool repeat = last != down_.cend() && ms >= *last && ms - *last <= kLongestRepeatWaitMs;
    down_.insert(key, ms);
    return repeat;
}

void HeldKeys::release(quint32 key)
{
    down_.remove(key);
}

void HeldKeys::clear()
{
    down_.clear();
}

namespace keyRepeats {
namespace {

// Without the server's help (another X server, or no XKB) Qt's own guess stays.
bool askForDetectableRepeats()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    xcb_xkb_use_extension_reply_t *use = xcb_xkb_use_extension_reply(
        connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr);
    const bool supported = use && use->supported;
    free(use);
    if (!supported)
        return false;
    constexpr uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    xcb_xkb_per_client_flags_reply_t *flags = xcb_xkb_per_client_flags_reply(
        connection, xcb_xkb_per_client_flags(connection, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0), nullptr);
    const bool on = flags && (flags->value & flag);
    free(flags);
    return on;
}

quint32 codeOf(const QKeyEvent &key)
{
    return key.nativeScanCode() != 0 ? key.nativeScanCode() : static_cast<quint32>(key.key());
}

class Watch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ApplicationDeactivate:
            // Not on a change between the program's own windows: a key held on START
            // goes on repeating into the window it opened.
            held_.clear();
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // A key reaches its window first, then the window hands it to the focused
            // widget: a repeat marked at the window is marked for every widget.
            if (watched->isWindowType() && event->spontaneous())
                return keyAtWindow(watched, static_cast<QKeyEvent *>(event));
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool keyAtWindow(QObject *window, QKeyEvent *key)
    {
        if (key->isAutoRepeat())
            return false;   // Qt saw the repeat itself
        if (key->type() == QEvent::KeyRelease) {
            held_.release(codeOf(*key));
            return false;
        }
        if (!held_.press(codeOf(*key), key->timestamp()))
            return false;
        QKeyEvent repeat(QEvent::KeyPress, key->key(), key->modifiers(), key->nativeScanCode(),
                         key->nativeVirtualKey(), key->nativeModifiers(), key->text(), true, key->count(),
                         key->device());
        repeat.setTimestamp(key->timestamp());
        QCoreApplication::sendEvent(window, &repeat);
        key->setAccepted(repeat.isAccepted());
        return true;
    }

    HeldKeys held_;
};

} // namespace

void watch()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    askForDetectableRepeats();
    qApp->installEventFilter(new Watch(qApp));
}

} // namespace keyRepeats
