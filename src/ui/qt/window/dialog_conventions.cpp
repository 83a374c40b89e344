// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/window/dialog_conventions.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QActionGroup>
#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

namespace qvd {

namespace {

const char* const kRoleProperty = "qvdAccessibleRole";
const QColor kProblemColour(0xb0, 0x00, 0x00);

// A widget with the role it was given; a label's name is its text, a
// window's its title, when it has no name of its own.
class RoleInterface : public QAccessibleWidget {
public:
    RoleInterface(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* label = qobject_cast<const QLabel*>(widget()))
                return label->text();
            if (widget()->isWindow())
                return widget()->windowTitle();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* roleInterface(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    const QVariant role = widget->property(kRoleProperty);
    if (!role.isValid())
        return nullptr;
    return new RoleInterface(widget, static_cast<QAccessible::Role>(role.toInt()));
}

// An entry of a menu as assistive tools see it: Qt's own leaves out that a
// checkable entry can be checked and that an entry opens a submenu. Pressing
// it triggers it, as a click does.
class AccessibleMenuEntry : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleMenuEntry(QMenu* menu, QAction* action)
        : m_menu(menu)
        , m_action(action)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    [[nodiscard]] bool isValid() const override { return m_menu != nullptr && m_action != nullptr; }
    [[nodiscard]] QObject* object() const override { return m_action; }
    [[nodiscard]] QWindow* window() const override { return m_menu != nullptr ? m_menu->windowHandle() : nullptr; }
    [[nodiscard]] QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_menu.data());
    }
    [[nodiscard]] QAccessibleInterface* child(int index) const override
    {
        return index == 0 && m_action->menu() != nullptr ? QAccessible::queryAccessibleInterface(m_action->menu())
                                                         : nullptr;
    }
    [[nodiscard]] int childCount() const override { return m_action->menu() != nullptr ? 1 : 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && child->object() == m_action->menu() ? 0 : -1;
    }
    [[nodiscard]] QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* focusChild() const override { return nullptr; }
    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return m_action->iconText();
        case QAccessible::Description:
            return m_action->toolTip() != m_action->iconText() ? m_action->toolTip() : QString();
        case QAccessible::Accelerator:
            return m_action->shortcut().toString(QKeySequence::NativeText);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    [[nodiscard]] QAccessible::Role role() const override
    {
        if (m_action->isSeparator())
            return QAccessible::Separator;
        if (m_action->isCheckable())
            return m_action->actionGroup() != nullptr && m_action->actionGroup()->isExclusive()
                ? QAccessible::RadioButton
                : QAccessible::CheckBox;
        return QAccessible::MenuItem;
    }
    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !m_action->isVisible() || m_menu == nullptr || !m_menu->isVisible();
        state.disabled = !m_action->isEnabled();
        state.focusable = !m_action->isSeparator();
        state.focused = state.selected = m_menu != nullptr && m_menu->activeAction() == m_action;
        state.selectable = !m_action->isSeparator();
        state.checkable = m_action->isCheckable();
        state.checked = m_action->isChecked();
        state.hasPopup = m_action->menu() != nullptr;
        return state;
    }
    [[nodiscard]] QRect rect() const override
    {
        if (m_menu == nullptr)
            return {};
        const QRect entry = m_menu->actionGeometry(m_action);
        return QRect(m_menu->mapToGlobal(entry.topLeft()), entry.size());
    }
    [[nodiscard]] QStringList actionNames() const override
    {
        if (m_action->isSeparator() || !m_action->isEnabled())
            return {};
        return {m_action->menu() != nullptr ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override
    {
        if (!m_action->isEnabled() || m_menu == nullptr)
            return;
        if (name == pressAction())
            m_action->trigger();
        else if (name == showMenuAction())
            m_menu->setActiveAction(m_action);
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_action;
};

QAccessibleInterface* menuEntryInterface(const QString& className, QObject* object)
{
    auto* action = qobject_cast<QAction*>(object);
    if (action == nullptr || className != QLatin1String("QAction"))
        return nullptr;
    for (QObject* owner : action->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner))
            return new AccessibleMenuEntry(menu, action);
    }
    return nullptr;
}

// The dialog's content: as large as the content asks for, while the dialog
// may be made smaller, down to the scroll bars.
class DialogContent : public QScrollArea {
public:
    explicit DialogContent(QWidget* parent)
        : QScrollArea(parent)
    {
        setObjectName(QStringLiteral("dialogContent"));
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        // Tab goes to the controls inside, which the area scrolls into view.
        setFocusPolicy(Qt::NoFocus);
    }

    // Takes `body`, and asks for its size again whenever its layout changes.
    void setBody(QWidget* body)
    {
        setWidget(body);
        body->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == widget() && event->type() == QEvent::LayoutRequest)
            updateGeometry();
        return QScrollArea::eventFilter(watched, event);
    }

    [[nodiscard]] QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return widget() != nullptr ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
};

// Focus in on opening, back to the window that opened the dialog on closing.
class DialogFocus : public QObject {
public:
    DialogFocus(QWidget& dialog, QWidget* firstFocus, bool sizedByContent)
        : QObject(&dialog)
        , m_dialog(dialog)
        , m_firstFocus(firstFocus)
        , m_sizedByContent(sizedByContent)
    {
        dialog.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_dialog)
            return false;
        if (event->type() == QEvent::Show) {
            placeOnScreen(m_dialog, m_sizedByContent ? m_dialog.sizeHint() : m_dialog.size());
            if (m_firstFocus != nullptr)
                m_firstFocus->setFocus(Qt::TabFocusReason);
        } else if (event->type() == QEvent::Hide && !event->spontaneous()) {
            if (QWidget* parent = m_dialog.parentWidget()) {
                parent->window()->activateWindow();
                parent->window()->raise();
            }
        }
        return false;
    }

private:
    QWidget& m_dialog;
    QPointer<QWidget> m_firstFocus;
    bool m_sizedByContent;
};

// Tab, Shift+Tab, Ctrl+Tab and Ctrl+Shift+Tab leave a table for the
// dialog's next or previous control; the arrows move within it.
class TableTabs : public QObject {
public:
    TableTabs(QWidget& dialog, QAbstractItemView& table)
        : QObject(&table)
        , m_dialog(dialog)
    {
        table.setTabKeyNavigation(false);
        table.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (!tab || (key->modifiers() & Qt::ControlModifier) == 0)
            return false;
        const bool forward = key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier) == 0;
        QWidget* next = m_dialog.focusWidget();
        do
            next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
        while (next != m_dialog.focusWidget()
            && (!next->isVisibleTo(&m_dialog) || !next->isEnabled() || (next->focusPolicy() & Qt::TabFocus) == 0));
        next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }

private:
    QWidget& m_dialog;
};

// Moves every item of `top` but a button box and a problem text into a
// scroll area at the place of the first: what the user must see, the
// buttons and what is wrong, stays in view however small the dialog.
void scrollContent(QDialog& dialog, QBoxLayout& top)
{
    auto* content = new DialogContent(&dialog);
    auto* body = new QWidget;
    body->setObjectName(QStringLiteral("dialogBody"));
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    int at = -1;
    for (int index = 0; index < top.count();) {
        QLayoutItem* item = top.itemAt(index);
        if (item->widget() != nullptr
            && (qobject_cast<QDialogButtonBox*>(item->widget()) != nullptr
                || dynamic_cast<ProblemText*>(item->widget()) != nullptr)) {
            ++index;
            continue;
        }
        if (at < 0)
            at = index;
        const int stretch = top.stretch(index);
        top.takeAt(index);
        if (QLayout* layout = item->layout()) {
            bodyLayout->addLayout(layout, stretch);
        } else if (QWidget* widget = item->widget()) {
            delete item;
            bodyLayout->addWidget(widget, stretch);
        } else {
            bodyLayout->addItem(item);
        }
    }
    content->setBody(body);
    top.insertWidget(std::max(at, 0), content, 1);
}

QScreen* screenOf(const QWidget& window)
{
    if (!window.isVisible() && window.parentWidget() != nullptr)
        return window.parentWidget()->window()->screen();
    return window.screen();
}

// The letter `text` marks with '&' to choose it by, or none.
QChar mnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

// Where a free letter of `text` lies: the start of a word if one is free,
// else any letter or digit; -1 when none is.
qsizetype freeLetter(const QString& text, const QList<QChar>& used)
{
    for (const bool wordStart : {true, false}) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (!c.isLetterOrNumber() || used.contains(c.toLower()))
                continue;
            if (wordStart && i > 0 && text[i - 1].isLetterOrNumber())
                continue;
            return i;
        }
    }
    return -1;
}

} // namespace

void giveMnemonics(QMenu& menu)
{
    installConventionAccessibility();
    const QList<QAction*> actions = menu.actions();
    QList<QChar> used;
    for (const QAction* action : actions) {
        if (const QChar letter = mnemonicOf(action->text()); !letter.isNull())
            used << letter;
    }
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        if (QMenu* submenu = action->menu()) {
            submenu->setAccessibleName(action->iconText());
            giveMnemonics(*submenu);
        }
        if (!mnemonicOf(action->text()).isNull())
            continue;
        QString text = action->text();
        const qsizetype at = freeLetter(text, used);
        if (at < 0)
            continue;
        used << text[at].toLower();
        action->setText(text.insert(at, QLatin1Char('&')));
    }
}

void setAccessibleRole(QWidget& widget, QAccessible::Role role)
{
    installConventionAccessibility();
    widget.setProperty(kRoleProperty, static_cast<int>(role));
}

void installConventionAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(roleInterface);
        QAccessible::installFactory(menuEntryInterface);
        return true;
    }();
    (void)installed;
}

void adoptDialogConventions(QDialog& dialog, const DialogConventions& conventions)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(button == conventions.defaultButton);
    }
    for (QAbstractItemView* table : dialog.findChildren<QAbstractItemView*>())
        new TableTabs(dialog, *table);
    if (auto* top = qobject_cast<QBoxLayout*>(dialog.layout()))
        scrollContent(dialog, *top);
    new DialogFocus(dialog, conventions.firstFocus, true);
}

void adoptWindowConventions(QWidget& window, QWidget* firstFocus)
{
    setAccessibleRole(window, QAccessible::Window);
    new DialogFocus(window, firstFocus, false);
}

void fitToScreen(QWidget& window)
{
    // The content's new size, through every layout up to the window.
    for (auto* content : window.findChildren<DialogContent*>()) {
        if (content->widget() != nullptr && content->widget()->layout() != nullptr)
            content->widget()->layout()->activate();
        content->updateGeometry();
    }
    if (QLayout* layout = window.layout())
        layout->activate();
    placeOnScreen(window, window.sizeHint());
}

void placeOnScreen(QWidget& window, QSize wanted)
{
    const QScreen* screen = screenOf(window);
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    // The frame the window system draws round the window, as far as known.
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
        frame.bottom() - inner.bottom());
    const QSize room = area.size().shrunkBy(margins);
    window.resize(wanted.boundedTo(room).expandedTo(window.minimumSize()));
    if (!window.isVisible())
        return; // a dialog is placed inside the screen as it opens
    QRect placed = window.frameGeometry();
    placed.moveRight(std::min(placed.right(), area.right()));
    placed.moveBottom(std::min(placed.bottom(), area.bottom()));
    placed.moveLeft(std::max(placed.left(), area.left()));
    placed.moveTop(std::max(placed.top(), area.top()));
    window.move(placed.topLeft());
}

ProblemText::ProblemText(QWidget* parent)
    : QLabel(parent)
{
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, kProblemColour);
    setPalette(palette);
    setAccessibleRole(*this, QAccessible::AlertMessage);
    hide();
}

void ProblemText::setProblem(const QString& text, const QList<QWidget*>& fields)
{
    QList<QWidget*> faulty = text.isEmpty() ? QList<QWidget*>() : fields;
    QList<QWidget*> marked;
    for (const Field& field : m_fields)
        marked << field.widget.data();
    if (text == this->text() && faulty == marked)
        return;
    for (const Field& field : std::as_const(m_fields)) {
        if (field.widget != nullptr) {
            field.widget->setAccessibleDescription(field.description);
            field.widget->setProperty("invalidEntry", false);
        }
    }
    m_fields.clear();
    for (QWidget* field : faulty) {
        m_fields.append({field, field->accessibleDescription()});
        field->setAccessibleDescription(text);
        field->setProperty("invalidEntry", true);
    }
    setText(text);
    // A new problem appears anew, so that a screen reader announces the
    // alert each time, not only the first.
    if (text.isEmpty()) {
        hide();
        return;
    }
    if (isVisible())
        hide();
    show();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace qvd
