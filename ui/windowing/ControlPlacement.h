// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QRectF>
#include <QWidget>

// A control on a window: its position and size are kept as given, fractions included,
// and shown at the nearest whole pixel (halves to even, so 162.5 lands on 162). A move
// tells whether it changed the size, so the caller can lay the control out in turn.
class ControlPlacement {
public:
    explicit ControlPlacement(QWidget *widget) : widget_(widget) { geom_ = widget->geometry(); }
    virtual ~ControlPlacement() = default;
    ControlPlacement(const ControlPlacement &) = delete;
    ControlPlacement &operator=(const ControlPlacement &) = delete;

    void Move(double left, double top);
    // True when the size changed.
    bool Move(double left, double top, double width, double height);
    double Left() const { return geom_.x(); }
    double Top() const { return geom_.y(); }
    double Width() const { return geom_.width(); }
    double Height() const { return geom_.height(); }

    QWidget *widget() const { return widget_; }

protected:
    // For controls whose size follows their content.
    void setSize(double width, double height);

private:
    void apply();

    QWidget *widget_;
    QRectF geom_;
};

template <class W>
class PlacedControl : public ControlPlacement {
public:
    explicit PlacedControl(W *widget) : ControlPlacement(widget), w_(widget) {}
    W *operator->() const { return w_; }
    W *get() const { return w_; }
private:
    W *w_;
};

// A label that sizes itself to its text in its own font.
class SelfSizingLabel : public PlacedControl<QLabel> {
public:
    explicit SelfSizingLabel(QLabel *label) : PlacedControl<QLabel>(label) { fitToText(); }
    void setCaption(const QString &text);
    QString caption() const { return get()->text(); }
    void setFont(const QFont &font);
private:
    void fitToText();
};
