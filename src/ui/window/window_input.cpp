// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/window/window_input.h"

#include <algorithm>
#include <array>
#include <utility>

namespace qvd {

namespace {

struct KeyEntry {
    Key key;
    std::string_view name;
    KeyAction bar;    // on a scroll bar
    KeyAction option; // on an option button
    KeyAction button; // on a push button
};

constexpr std::array<KeyEntry, 10> kKeys{{
    {Key::Left, "Left", KeyAction::StepBack, KeyAction::FocusPrevious, KeyAction::None},
    {Key::Up, "Up", KeyAction::StepBack, KeyAction::FocusPrevious, KeyAction::None},
    {Key::Right, "Right", KeyAction::StepOn, KeyAction::FocusNext, KeyAction::None},
    {Key::Down, "Down", KeyAction::StepOn, KeyAction::FocusNext, KeyAction::None},
    {Key::PageUp, "PageUp", KeyAction::PageBack, KeyAction::None, KeyAction::None},
    {Key::PageDown, "PageDown", KeyAction::PageOn, KeyAction::None, KeyAction::None},
    {Key::Home, "Home", KeyAction::ToMin, KeyAction::None, KeyAction::None},
    {Key::End, "End", KeyAction::ToMax, KeyAction::None, KeyAction::None},
    {Key::Space, "Space", KeyAction::None, KeyAction::Select, KeyAction::Select},
    {Key::Enter, "Enter", KeyAction::None, KeyAction::None, KeyAction::Select},
}};

constexpr std::array<std::pair<KeyAction, std::string_view>, 6> kBarActionNames{{
    {KeyAction::StepBack, "StepBack"},
    {KeyAction::StepOn, "StepOn"},
    {KeyAction::PageBack, "PageBack"},
    {KeyAction::PageOn, "PageOn"},
    {KeyAction::ToMin, "ToMin"},
    {KeyAction::ToMax, "ToMax"},
}};

bool overlaps(const ControlDesign& a, const ControlDesign& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height
        && b.top < a.top + a.height;
}

bool takesFocus(ControlKind kind)
{
    return kind == ControlKind::OptionButton || kind == ControlKind::HScrollBar || kind == ControlKind::PushButton;
}

} // namespace

KeyAction keyAction(ControlKind kind, Key key)
{
    const auto entry = std::find_if(kKeys.begin(), kKeys.end(), [key](const KeyEntry& e) { return e.key == key; });
    switch (kind) {
    case ControlKind::HScrollBar:
        return entry->bar;
    case ControlKind::OptionButton:
        return entry->option;
    case ControlKind::PushButton:
        return entry->button;
    case ControlKind::Label:
    case ControlKind::Frame:
        break;
    }
    return KeyAction::None;
}

std::optional<Key> keyNamed(std::string_view name)
{
    const auto entry = std::find_if(kKeys.begin(), kKeys.end(), [name](const KeyEntry& e) { return e.name == name; });
    return entry == kKeys.end() ? std::nullopt : std::optional(entry->key);
}

std::optional<KeyAction> keyActionNamed(std::string_view name)
{
    const auto entry = std::find_if(
        kBarActionNames.begin(), kBarActionNames.end(), [name](const auto& e) { return e.second == name; });
    return entry == kBarActionNames.end() ? std::nullopt : std::optional(entry->first);
}

WindowInput::WindowInput(MainWindow& window)
    : m_window(window)
{
    const auto& designs = controlDesigns();
    const std::size_t count = window.controls().size();
    m_coveredBy.assign(count, {});
    m_container.assign(count, std::nullopt);
    std::vector<std::pair<int, ControlId>> focusable;
    for (std::size_t index = 0; index < designs.size(); ++index) {
        const ControlDesign& design = designs[index];
        const ControlId id = window.id(design.name);
        if (!design.container.empty())
            m_container[id] = window.id(design.container);
        if (takesFocus(design.kind))
            focusable.emplace_back(design.tabIndex, id);
        if (design.kind != ControlKind::Frame)
            continue;
        // A frame lies above the controls created before it in its container.
        for (std::size_t below = 0; below < index; ++below) {
            const ControlDesign& other = designs[below];
            if (other.container == design.container && overlaps(other, design))
                m_coveredBy[window.id(other.name)].push_back(id);
        }
    }
    std::stable_sort(
        focusable.begin(), focusable.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [tabIndex, id] : focusable)
        m_tabOrder.push_back(id);
}

bool WindowInput::isCovered(ControlId id) const
{
    const ControlSet& controls = m_window.controls();
    return std::any_of(m_coveredBy[id].begin(), m_coveredBy[id].end(),
        [&controls](ControlId frame) { return controls.isVisible(frame); });
}

bool WindowInput::takesInput(ControlId id) const
{
    if (hasFailed() || id >= m_container.size())
        return false;
    const ControlSet& controls = m_window.controls();
    for (std::optional<ControlId> at = id; at; at = m_container[*at]) {
        if (!controls.isVisible(*at) || isCovered(*at))
            return false;
    }
    return true;
}

bool WindowInput::click(ControlId id)
{
    ControlSet& controls = m_window.controls();
    return act(id, [&controls, id] {
        if (controls.control(id).kind == ControlKind::PushButton)
            controls.press(id);
        else
            controls.clickOption(id);
    });
}

bool WindowInput::moveBar(ControlId bar, long long value)
{
    return act(bar, [this, bar, value] { m_window.controls().moveScrollBar(bar, value); });
}

bool WindowInput::dragBar(ControlId bar, long long value)
{
    return act(bar, [this, bar, value] { m_window.controls().dragScrollBar(bar, value); });
}

bool WindowInput::stepBar(ControlId bar, KeyAction action)
{
    if (!takesInput(bar) || m_window.controls().control(bar).kind != ControlKind::HScrollBar)
        return false;
    const ControlState& state = m_window.controls().control(bar);
    const ControlDesign& design = controlDesign(state.name);
    const long long value = state.value;
    long long target = value;
    switch (action) {
    case KeyAction::StepBack:
        target = value - design.smallChange;
        break;
    case KeyAction::StepOn:
        target = value + design.smallChange;
        break;
    case KeyAction::PageBack:
        target = value - design.largeChange;
        break;
    case KeyAction::PageOn:
        target = value + design.largeChange;
        break;
    case KeyAction::ToMin:
        target = state.min;
        break;
    case KeyAction::ToMax:
        target = state.max;
        break;
    default:
        return false;
    }
    // A step that cannot move the bar, at an end, raises no event.
    target = std::clamp<long long>(target, std::min(state.min, state.max), std::max(state.min, state.max));
    if (target == value)
        return true;
    return moveBar(bar, target);
}

WindowInput::KeyResult WindowInput::pressKey(ControlId id, Key key)
{
    if (!takesInput(id))
        return {};
    const KeyAction action = keyAction(m_window.controls().control(id).kind, key);
    switch (action) {
    case KeyAction::None:
        return {};
    case KeyAction::Select:
        click(id);
        return {action, std::nullopt};
    case KeyAction::FocusPrevious:
    case KeyAction::FocusNext:
        return {action, nextFocus(id, action == KeyAction::FocusNext)};
    default:
        stepBar(id, action);
        return {action, std::nullopt};
    }
}

bool WindowInput::enter(const std::function<void()>& steps) { return !hasFailed() && run(steps); }

std::optional<ControlId> WindowInput::nextFocus(std::optional<ControlId> from, bool forward, bool wrap) const
{
    const auto count = static_cast<std::ptrdiff_t>(m_tabOrder.size());
    const auto found = from ? std::find(m_tabOrder.begin(), m_tabOrder.end(), *from) : m_tabOrder.end();
    std::ptrdiff_t at = found == m_tabOrder.end() ? (forward ? -1 : count) : found - m_tabOrder.begin();
    for (std::ptrdiff_t tried = 0; tried < count; ++tried) {
        at += forward ? 1 : -1;
        if (at < 0 || at >= count) {
            if (!wrap)
                return std::nullopt;
            at = (at + count) % count;
        }
        const ControlId id = m_tabOrder[static_cast<std::size_t>(at)];
        if (takesInput(id))
            return id;
    }
    return std::nullopt;
}

bool WindowInput::act(ControlId id, const std::function<void()>& action) { return takesInput(id) && run(action); }

bool WindowInput::run(const std::function<void()>& steps)
{
    try {
        steps();
        return true;
    } catch (const RuntimeError& error) {
        m_error = error;
        return false;
    }
}

} // namespace qvd
