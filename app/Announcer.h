// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTimer>
#include <QWidget>

// Says a short text through assistive technology, wherever the keyboard focus is. Qt's
// bridge to AT-SPI drops alert events, and screen readers ignore changes of objects
// without the focus; what they do speak is a notification that appears. So this is an
// invisible notification, one pixel that paints nothing, shown again with each text.
// Texts of one pass of the event loop are said together, so the later does not cut off
// the earlier ("Shuffle stopped. Stopwatch started").
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);
    // The last text said (what the notification holds).
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent *) override {}

private:
    void flush();

    QStringList pending_;
    QString text_;
    QTimer flushTimer_;
};
