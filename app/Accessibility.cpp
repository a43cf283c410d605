// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Accessibility.h"

#include "app/Announcer.h"
#include "engine/Clock.h"
#include "ui/exercise/QuestionGrid.h"
#include "ui/skin/SkinButton.h"
#include "ui/start/CaptionStrip.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QWindow>
#include <QTimer>

#include <functional>
#include <memory>
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
    virtual bool partFocused(int i) const { Q_UNUSED(i); return false; }
    virtual bool partFocusable(int i) const { Q_UNUSED(i); return false; }
    // Further interfaces of a part (a table's cells).
    virtual void *partInterface(int i, QAccessible::InterfaceType type) { Q_UNUSED(i); Q_UNUSED(type); return nullptr; }
    QAccessibleInterface *focusChild() const override
    {
        for (int i = 0; i < partCount(); ++i)
            if (partFocused(i))
                return child(i);
        return nullptr;
    }

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
        s.focusable = owner_->partFocusable(index_);
        s.focused = owner_->partFocused(index_);
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        return owner_->partInterface(index_, type);
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
    // The cells that act; the inactive one is only drawn.
    int partCount() const override { return 3; }
    QString partName(int i) const override
    {
        static const char *names[] = {"Backdrop", "Minimize", "Close"};
        return QString::fromLatin1(names[i]);
    }
    QRect partRect(int i) const override { return CaptionStrip::cellRect(cellOf(i)); }
    QAccessible::Role partRole(int) const override { return QAccessible::Button; }
    bool partPressable(int) const override { return true; }
    void pressPart(int i) override { strip_->activateCell(cellOf(i)); }
    bool partFocusable(int) const override { return true; }
    bool partFocused(int i) const override { return strip_->hasFocus() && strip_->keyboardCell() == cellOf(i); }

private:
    static StripCell cellOf(int i)
    {
        static const StripCell cells[] = {StripCell::Backdrop, StripCell::Minimise, StripCell::Close};
        return cells[i];
    }
    CaptionStrip *strip_;
};

// Read-only text of one line, read afresh at every call.
class LiveText : public QAccessibleTextInterface {
public:
    explicit LiveText(std::function<QString()> text) : text_(std::move(text)) {}
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override
    {
        const QString all = text_();
        if (endOffset < 0 || endOffset > all.size())
            endOffset = int(all.size());
        return startOffset >= 0 && startOffset < endOffset ? all.mid(startOffset, endOffset - startOffset) : QString();
    }
    int characterCount() const override { return int(text_().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

private:
    std::function<QString()> text_;
};

// The grid as a table of ten rows and ten columns. A cell is named by its place alone,
// "row 3, column 7", a name that never changes (AT-SPI clients keep names in a cache that
// Qt's name-change events do not mend); its text, read afresh each time, adds its digit:
// "row 3, column 7, 5". A digit drawn white on white (hidden until the answer is shown)
// is "hidden" through every interface, and a cell not filled yet is "blank".
class QuestionGridAccessible : public PartedWidget, public QAccessibleTableInterface {
public:
    explicit QuestionGridAccessible(QuestionGrid *g)
        : PartedWidget(g, QAccessible::Table, QStringLiteral("Question grid")), grid_(g) {}
    int partCount() const override { return QuestionGrid::kRows * QuestionGrid::kCols; }
    QString partName(int i) const override
    {
        return QStringLiteral("row %1, column %2").arg(i / QuestionGrid::kCols + 1).arg(i % QuestionGrid::kCols + 1);
    }
    QString cellText(int i) const
    {
        const int row = i / QuestionGrid::kCols, col = i % QuestionGrid::kCols;
        const bool hidden = grid_->digitOutcome(row, col) == DigitOutcome::Hidden;
        const QString text = grid_->textMatrix(row, col);
        const QString shown = text.isEmpty() ? QStringLiteral("blank") : hidden ? QStringLiteral("hidden") : text;
        return partName(i) + QStringLiteral(", ") + shown;
    }
    QRect partRect(int i) const override { return grid_->cellRect(i / QuestionGrid::kCols, i % QuestionGrid::kCols); }
    QAccessible::Role partRole(int) const override { return QAccessible::Cell; }
    bool partFocusable(int) const override { return true; }
    bool partFocused(int i) const override
    {
        return grid_->hasFocus() && i == grid_->currentRow() * QuestionGrid::kCols + grid_->currentCol();
    }
    void *partInterface(int i, QAccessible::InterfaceType type) override;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return PartedWidget::interface_cast(type);
    }

    // QAccessibleTableInterface: no caption, no headers, nothing selectable.
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        return child(row * QuestionGrid::kCols + column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return QString(); }
    QString rowDescription(int) const override { return QString(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return QuestionGrid::kCols; }
    int rowCount() const override { return QuestionGrid::kRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    QuestionGrid *grid_;
    std::vector<std::unique_ptr<QAccessibleTableCellInterface>> cells_;
    std::vector<std::unique_ptr<QAccessibleTextInterface>> texts_;
};

class GridCell : public QAccessibleTableCellInterface {
public:
    GridCell(QuestionGridAccessible *table, int index) : table_(table), index_(index) {}
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index_ % QuestionGrid::kCols; }
    int rowIndex() const override { return index_ / QuestionGrid::kCols; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return table_; }

private:
    QuestionGridAccessible *table_;
    int index_;
};

void *QuestionGridAccessible::partInterface(int i, QAccessible::InterfaceType type)
{
    if (cells_.empty()) {
        for (int k = 0; k < partCount(); ++k) {
            cells_.push_back(std::make_unique<GridCell>(this, k));
            texts_.push_back(std::make_unique<LiveText>([this, k] { return cellText(k); }));
        }
    }
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(cells_[i].get());
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(texts_[i].get());
    return nullptr;
}

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

// The paced box as an ordinary read-only text box, except that while it sets its own
// text it offers no text to read, so the bridge to AT-SPI drops the notice of that change
// (it sends text changes only of objects with text); PacedTextBox tells them itself.
class PacedTextBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PacedTextBoxAccessible(PacedTextBox *box) : QAccessibleWidget(box, QAccessible::EditableText), box_(box) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return box_->settingText() ? nullptr : static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box_->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = box_->isReadOnly();
        s.editable = !box_->isReadOnly();
        s.selectableText = true;
        return s;
    }

    // QAccessibleTextInterface: the shown text, one line, no selection.
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return box_->cursorPosition(); }
    void setCursorPosition(int position) override { box_->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override
    {
        const QString all = box_->text();
        if (endOffset < 0 || endOffset > all.size())
            endOffset = int(all.size());
        return startOffset >= 0 && startOffset < endOffset ? all.mid(startOffset, endOffset - startOffset) : QString();
    }
    int characterCount() const override { return int(box_->text().size()); }
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

private:
    PacedTextBox *box_;
};

// The program as assistive technology sees it: its windows that are shown. (Qt lists
// every window, also one made ready unseen, as the exercise window is before START.)
class ShownWindowsApplication : public QAccessibleApplication {
public:
    int childCount() const override { return int(shown().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QObjectList windows = shown();
        return index >= 0 && index < windows.size() ? QAccessible::queryAccessibleInterface(windows.at(index))
                                                    : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(shown().indexOf(child->object())) : -1;
    }

private:
    static QObjectList shown()
    {
        QObjectList windows;
        for (QWindow *window : QGuiApplication::topLevelWindows()) {
            if (!window->isVisible() || window->type() == Qt::Popup || window->type() == Qt::Desktop)
                continue;
            if (QAccessibleInterface *root = window->accessibleRoot(); root && root->object())
                windows.append(root->object());
        }
        return windows;
    }
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    if (object == qApp)
        return new ShownWindowsApplication;
    if (auto *box = dynamic_cast<PacedTextBox *>(object))
        return new PacedTextBoxAccessible(box);
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
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

void PacedTextBox::showText(const QString &text)
{
    settingText_ = true;
    setText(text);
    settingText_ = false;
    const double now = engine::clock().monotonicSeconds();
    if (!paced_ || toldAt_ < 0 || now - toldAt_ >= kToldEveryS)
        tell();
}

void PacedTextBox::setPaced(bool paced)
{
    paced_ = paced;
    toldAt_ = -1.0;
    // The last text is told once whatever ends the pacing has also written its own.
    if (!paced)
        QTimer::singleShot(0, this, [this] { tell(); });
}

void PacedTextBox::tell()
{
    if (text() == told_)
        return;
    QAccessibleTextUpdateEvent event(this, 0, told_, text());
    told_ = text();
    toldAt_ = engine::clock().monotonicSeconds();
    QAccessible::updateAccessibility(&event);
}
