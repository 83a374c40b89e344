// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/window/dialog_conventions.h"

#include <QAccessibleWidget>
#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
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

// Moves every item of `top` but a button box into a scroll area at its place.
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
        if (item->widget() != nullptr && qobject_cast<QDialogButtonBox*>(item->widget()) != nullptr) {
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
    static const bool installed = [] {
        QAccessible::installFactory(roleInterface);
        return true;
    }();
    (void)installed;
    widget.setProperty(kRoleProperty, static_cast<int>(role));
}

void adoptDialogConventions(QDialog& dialog, const DialogConventions& conventions)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(button == conventions.defaultButton);
    }
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
