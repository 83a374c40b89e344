// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/window/accessible_names.h"

#include "ui/qt/window/control_widgets.h"

#include <QAccessibleWidget>
#include <QStringList>

#include <algorithm>

namespace qvd {

namespace {

// Option buttons: radio buttons whose mark is the model's Value. Press and
// Toggle both click the button, which the view hands to the model as its
// Click; the push button's Press clicks it at once rather than after an
// animation, so the tool finds the window changed when the action returns.
class AccessibleButton : public QAccessibleWidget {
public:
    AccessibleButton(QAbstractButton* button, QAccessible::Role role)
        : QAccessibleWidget(button, role)
    {
    }

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (role() == QAccessible::RadioButton) {
            state.checkable = true;
            state.checked = button()->isChecked();
        }
        state.pressed = button()->isDown();
        return state;
    }

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(t);
    }

    [[nodiscard]] QStringList actionNames() const override
    {
        QStringList names{pressAction()};
        if (role() == QAccessible::RadioButton)
            names << toggleAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() || (action == toggleAction() && role() == QAccessible::RadioButton)) {
            // A disabled button takes no click, as under the mouse.
            button()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    [[nodiscard]] QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action == pressAction())
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    [[nodiscard]] QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }
};

// A caption label: its name says what it is ("Ulmo, throw distance"); its
// value and its text are the caption shown.
class AccessibleCaptionLabel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleCaptionLabel(CaptionLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    [[nodiscard]] QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || (t == QAccessible::Name && widget()->accessibleName().isEmpty()))
            return caption();
        return QAccessibleWidget::text(t);
    }

    // QAccessibleTextInterface: the caption, read only, with no selection.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    [[nodiscard]] int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    [[nodiscard]] int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    [[nodiscard]] QString text(int startOffset, int endOffset) const override
    {
        const QString all = caption();
        startOffset = std::clamp(startOffset, 0, static_cast<int>(all.size()));
        endOffset = endOffset < 0 ? static_cast<int>(all.size())
                                  : std::clamp(endOffset, startOffset, static_cast<int>(all.size()));
        return all.mid(startOffset, endOffset - startOffset);
    }
    [[nodiscard]] int characterCount() const override { return static_cast<int>(caption().size()); }
    [[nodiscard]] QRect characterRect(int) const override { return {}; }
    [[nodiscard]] int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    [[nodiscard]] QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    [[nodiscard]] QString caption() const { return static_cast<const QLabel*>(widget())->text(); }
};

QAccessibleInterface* controlInterface(const QString&, QObject* object)
{
    if (auto* option = dynamic_cast<ControlOptionButton*>(object))
        return new AccessibleButton(option, QAccessible::RadioButton);
    if (auto* button = dynamic_cast<ControlPushButton*>(object))
        return new AccessibleButton(button, QAccessible::Button);
    if (auto* label = dynamic_cast<CaptionLabel*>(object))
        return new AccessibleCaptionLabel(label);
    return nullptr;
}

} // namespace

void installControlAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlInterface);
        return true;
    }();
    (void)installed;
}

} // namespace qvd
