// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One vocabulary for scripting what a user does in the exercise window, read the same by
// every test that drives an exercise: on the engine alone (tst_engine) and on the real
// windows (tst_exercisebehaviour, tst_accessibility). Steps are separated by spaces:
//   shuffle / start / check / reset   click that button (SHOW CORRECT ANSWER for check)
//   esc / enter                       press that key
//   passes                            let some shuffle passes run
//   wait:S                            the clock moves S seconds and the timer ticks
//   drift:S                           the clock moves S seconds before the next tick
//   right / wrong / zero / space / blank
//                                     type the sum, the sum plus 1, the sum with a leading
//                                     zero or space, or clear the box; a locked box takes
//                                     nothing
//   back                              Back
//   open                              START on the start window
// A driver that cannot take a step at its level fails the test rather than skip it.

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace exerciseScript {

enum class Action { Shuffle, Start, Check, Reset, Escape, Enter, Passes, Wait, Drift, Right, Wrong, Zero, Space, Blank, Back, Open };

struct Step {
    Action action;
    double seconds = 0.0;   // for wait and drift
    QString word;           // as written, for messages
};

// The steps of a script; on a word outside the vocabulary, no steps and that word in bad.
inline QList<Step> parse(const QString &script, QString *bad)
{
    static const std::pair<const char *, Action> words[] = {
        {"shuffle", Action::Shuffle}, {"start", Action::Start}, {"check", Action::Check},
        {"reset", Action::Reset},     {"esc", Action::Escape},  {"enter", Action::Enter},
        {"passes", Action::Passes},   {"right", Action::Right}, {"wrong", Action::Wrong},
        {"zero", Action::Zero},       {"space", Action::Space}, {"blank", Action::Blank},
        {"back", Action::Back},       {"open", Action::Open}};
    QList<Step> steps;
    for (const QString &word : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool known = false;
        for (const auto &[prefix, action] : {std::pair{"wait:", Action::Wait}, std::pair{"drift:", Action::Drift}}) {
            if (word.startsWith(QLatin1String(prefix))) {
                bool number = false;
                const double seconds = word.mid(qstrlen(prefix)).toDouble(&number);
                if (number) {
                    steps.append({action, seconds, word});
                    known = true;
                }
            }
        }
        for (const auto &[name, action] : words) {
            if (word == QLatin1String(name)) {
                steps.append({action, 0.0, word});
                known = true;
            }
        }
        if (!known) {
            *bad = word;
            return {};
        }
    }
    return steps;
}

inline bool isTyping(Action action)
{
    return action == Action::Right || action == Action::Wrong || action == Action::Zero || action == Action::Space
        || action == Action::Blank;
}

// What a typing step types for a grid whose digits add up to sum.
inline QString typed(Action action, int sum)
{
    switch (action) {
    case Action::Right:
        return QString::number(sum);
    case Action::Wrong:
        return QString::number(sum + 1);
    case Action::Zero:
        return QLatin1Char('0') + QString::number(sum);
    case Action::Space:
        return QLatin1Char(' ') + QString::number(sum);
    default:
        return QString();
    }
}

} // namespace exerciseScript
