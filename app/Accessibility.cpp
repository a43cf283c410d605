// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Accessibility.h"

#include "ui/exercise/QuestionGrid.h"
#include "ui/skin/SkinButton.h"
#include "ui/start/CaptionStrip.h"

#include <QAccessibleWidget>

#include <vector>

namespace accessibility {
namespace {

// A widget whose parts are drawn, not child widgets: each part is a child element.
class PartedWidget : public QAccessibleWidget {
public:
    PartedWidget(QWidget *w, QAccessible::Role role, const QString &name) : QAccessibleWidget(w, role, name) {}
    ~PartedWidget() override
    {
        for (QAccessible::Id id : ids_)
            QAccessible::deleteAccessibleInterface(id);
    }

    QWidget *host() const { return widget(); }

    virtual int partCount() const = 0;
    virtual QString partName(int i) const = 0;
    virtual QRect partRect(int i) const = 0;   // in the widget's coordinates
    virtual QAccessible::Role partRole(int i) const = 0;
    virtual bool partEnabled(int i) const { Q_UNUSED(i); return true; }
    virtual bool partPressable(int i) const { Q_UNUSED(i); return false; }
    virtual void pressPart(int i) { Q_UNUSED(i); }

    int childCount() const override { return partCount(); }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < partCount(); ++i)
            if (partRect(i).contains(local))
                return child(i);
        return nullptr;
    }

private:
    mutable std::vector<QAccessible::Id> ids_;
};

class Part : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    Part(PartedWidget *owner, int index) : owner_(owner), index_(index) {}
    bool isValid() const override { return owner_->isValid(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return owner_->window(); }
    QAccessibleInterface *parent() const override { return owner_; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? owner_->partName(index_) : QString(); }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        const QRect local = owner_->partRect(index_);
        return QRect(owner_->host()->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return owner_->partRole(index_); }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.disabled = !owner_->partEnabled(index_);
        s.invisible = !owner_->host()->isVisible();
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override
    {
        return owner_->partPressable(index_) ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && owner_->partPressable(index_))
            owner_->pressPart(index_);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    PartedWidget *owner_;
    int index_;
};

QAccessibleInterface *PartedWidget::child(int index) const
{
    if (index < 0 || index >= partCount())
        return nullptr;
    if (ids_.size() < static_cast<size_t>(partCount()))
        ids_.resize(partCount(), 0);
    if (!ids_[index])
        ids_[index] = QAccessible::registerAccessibleInterface(new Part(const_cast<PartedWidget *>(this), index));
    return QAccessible::accessibleInterface(ids_[index]);
}

int PartedWidget::indexOfChild(const QAccessibleInterface *child) const
{
    for (size_t i = 0; i < ids_.size(); ++i)
        if (ids_[i] && QAccessible::accessibleInterface(ids_[i]) == child)
            return static_cast<int>(i);
    return -1;
}

class SkinButtonAccessible : public QAccessibleWidget {
public:
    explicit SkinButtonAccessible(SkinButton *b) : QAccessibleWidget(b, QAccessible::Button), button_(b)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? button_->caption() : QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            button_->press();
    }

private:
    SkinButton *button_;
};

class CaptionStripAccessible : public PartedWidget {
public:
    explicit CaptionStripAccessible(CaptionStrip *s)
        : PartedWidget(s, QAccessible::ToolBar, QStringLiteral("Window buttons")), strip_(s) {}
    int partCount() const override { return 4; }
    QString partName(int i) const override
    {
        static const char *names[] = {"Backdrop", "Minimize", "Inactive", "Close"};
        return QString::fromLatin1(names[i]);
    }
    QRect partRect(int i) const override { return CaptionStrip::cellRect(StripCell(i + 1)); }
    QAccessible::Role partRole(int) const override { return QAccessible::Button; }
    bool partEnabled(int i) const override { return i != 2; }
    bool partPressable(int i) const override { return i != 2; }
    void pressPart(int i) override { strip_->activateCell(StripCell(i + 1)); }

private:
    CaptionStrip *strip_;
};

class QuestionGridAccessible : public PartedWidget {
public:
    explicit QuestionGridAccessible(QuestionGrid *g)
        : PartedWidget(g, QAccessible::Table, QStringLiteral("Question grid")), grid_(g) {}
    int partCount() const override { return QuestionGrid::kRows * QuestionGrid::kCols; }
    QString partName(int i) const override
    {
        const int row = i / QuestionGrid::kCols, col = i % QuestionGrid::kCols;
        const bool hidden = grid_->cellForeColor(row, col) == 0xFFFFFFFF;
        const QString text = grid_->textMatrix(row, col);
        return text.isEmpty() || hidden ? QStringLiteral("blank") : text;
    }
    QRect partRect(int i) const override { return grid_->cellRect(i / QuestionGrid::kCols, i % QuestionGrid::kCols); }
    QAccessible::Role partRole(int) const override { return QAccessible::Cell; }

private:
    QuestionGrid *grid_;
};

class DecorativeAccessible : public QAccessibleWidget {
public:
    explicit DecorativeAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::NoRole) {}
    QString text(QAccessible::Text) const override { return QString(); }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        return s;
    }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    if (auto *label = qobject_cast<DecorativeLabel *>(object))
        return new DecorativeAccessible(label);
    if (auto *b = dynamic_cast<SkinButton *>(object))
        return new SkinButtonAccessible(b);
    if (auto *s = dynamic_cast<CaptionStrip *>(object))
        return new CaptionStripAccessible(s);
    if (auto *g = dynamic_cast<QuestionGrid *>(object))
        return new QuestionGridAccessible(g);
    return nullptr;
}

} // namespace

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(factory);
}

} // namespace accessibility
