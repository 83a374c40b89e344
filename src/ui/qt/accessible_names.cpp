// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "accessible_names.h"

#include "control_widgets.h"

#include <QAccessibleWidget>
#include <QStringList>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <span>

namespace qvd {

namespace {

// A label that names other controls: fixed text on the background, no box.
bool isNamingLabel(const ControlDesign& design)
{
    return design.kind == ControlKind::Label && design.border == Border::None && !design.caption.empty();
}

bool isNamedByCaption(const ControlDesign& design)
{
    return !design.caption.empty()
        && (isNamingLabel(design) || design.kind == ControlKind::Frame || design.kind == ControlKind::PushButton);
}

// The naming label on the same row of the same container, nearest first.
std::optional<std::string_view> rowName(std::span<const ControlDesign> designs, const ControlDesign& control)
{
    std::optional<std::string_view> best;
    int bestDistance = 0;
    for (const ControlDesign& other : designs) {
        if (!isNamingLabel(other) || other.container != control.container || other.top != control.top)
            continue;
        const int distance = std::abs(other.left - control.left);
        if (!best || distance < bestDistance) {
            best = other.caption;
            bestDistance = distance;
        }
    }
    return best;
}

// The naming label above the control whose width spans its centre, nearest first.
std::optional<std::string_view> columnName(std::span<const ControlDesign> designs, const ControlDesign& control)
{
    const int centre = control.left + control.width / 2;
    std::optional<std::string_view> best;
    int bestDistance = 0;
    for (const ControlDesign& other : designs) {
        if (!isNamingLabel(other) || other.container != control.container || other.top >= control.top
            || centre < other.left || centre >= other.left + other.width)
            continue;
        const int distance = control.top - other.top;
        if (!best || distance < bestDistance) {
            best = other.caption;
            bestDistance = distance;
        }
    }
    return best;
}

QString layoutName(std::span<const ControlDesign> designs, const ControlDesign& control)
{
    if (isNamedByCaption(control))
        return toQString(control.caption);
    QStringList parts;
    if (const auto row = rowName(designs, control))
        parts << toQString(*row);
    // Column headers are capitals on screen; spoken, they are ordinary words.
    if (const auto column = columnName(designs, control))
        parts << toQString(*column).toLower();
    if (!parts.isEmpty())
        return parts.join(QStringLiteral(", "));
    for (const ControlDesign& other : designs) {
        if (other.name == control.container && !other.caption.empty())
            return toQString(other.caption);
    }
    return {};
}

const ControlDesign& designOf(const MainWindow& window, ControlId id)
{
    const std::string& name = window.controls().control(id).name;
    const auto& designs = controlDesigns();
    return *std::find_if(designs.begin(), designs.end(), [&name](const ControlDesign& d) { return d.name == name; });
}

constexpr const char* kSizingWords[kSizingCount] = {"width", "height", "diagonal"};

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

std::vector<SpokenControl> spokenControls(const MainWindow& window)
{
    const auto& designs = controlDesigns();
    std::vector<SpokenControl> spoken(designs.size());
    for (std::size_t index = 0; index < designs.size(); ++index)
        spoken[window.id(designs[index].name)].name = layoutName(designs, designs[index]);

    // Inputs whose naming label is a unit abbreviation, the diagonal's
    // misspelt caption or a frame caption in title case; the captionless
    // introduction.
    spoken[window.unitOption(UnitSystem::Inches)].name = QStringLiteral("Inches");
    spoken[window.unitOption(UnitSystem::Centimetres)].name = QStringLiteral("Centimetres");
    for (const ControlId id :
        {window.sizeOption(Sizing::Diagonal), window.sizeBar(Sizing::Diagonal), window.sizeCaption(Sizing::Diagonal)})
        spoken[id].name = QStringLiteral("Diagonal");
    spoken[window.angleBar()].name = QStringLiteral("Projection angle");
    spoken[window.angleCaption()].name = QStringLiteral("Projection angle");
    spoken[window.introduction()].name = QStringLiteral("Introduction");

    for (std::size_t s = 0; s < kSizingCount; ++s) {
        const auto sizing = static_cast<Sizing>(s);
        const QString word = QLatin1String(kSizingWords[s]);
        spoken[window.sizeOption(sizing)].description = QStringLiteral("Size the screen by its %1").arg(word);
        spoken[window.sizeBar(sizing)].description = QStringLiteral("Screen %1 in the selected unit").arg(word);
    }
    const ControlDesign& angle = designOf(window, window.angleBar());
    spoken[window.angleBar()].description
        = QStringLiteral("Projection angle in whole degrees, from %1 to %2").arg(angle.min).arg(angle.max);
    spoken[window.unitOption(UnitSystem::Inches)].description = QStringLiteral("Lengths in inches");
    spoken[window.unitOption(UnitSystem::Centimetres)].description = QStringLiteral("Lengths in centimetres");
    spoken[window.continueButton()].description = QStringLiteral("Closes the introduction");
    return spoken;
}

void installControlAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlInterface);
        return true;
    }();
    (void)installed;
}

} // namespace qvd
