// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>

// A key held down is repeated by the window system. On X11 the server sends each repeat
// as a release and a press with the same time, and Qt tells the pair from a real release
// and press by looking for the press in its queue when the release comes: on a busy
// machine that press is often not read yet, and a held Space clicks a button twice. The
// server is asked instead not to send the releases of repeats (XKB's detectable
// auto-repeat); a press of a key that is already down is then a repeat, and every widget
// gets it marked so (QKeyEvent::isAutoRepeat()).

// The keys down, by the window system's code of each, with the time of their last press
// in milliseconds.
class HeldKeys {
public:
    // A press: whether it repeats a key already down.
    bool press(quint32 key, quint64 ms);
    void release(quint32 key);
    // The program lost the keyboard: releases now go elsewhere.
    void clear();

    // Desktops let a user wait up to a few seconds before a held key repeats. A key
    // pressed again after longer was let go where the program did not see it (a grab of
    // the window manager's), not held.
    static constexpr quint64 kLongestRepeatWaitMs = 5000;

private:
    QHash<quint32, quint64> down_;
};

namespace keyRepeats {

// Asks the window system for detectable repeats where it has them and marks the repeated
// presses of every window of the application.
void watch();

} // namespace keyRepeats
