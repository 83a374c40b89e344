// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The control model: labels, option buttons, horizontal scroll bars, frames and
// push buttons, with the properties and events that the window's handlers use.
// A write that raises an event runs the event's handler to completion inside
// the write, before the writer goes on; an error thrown by a handler unwinds
// through every write that started it. The slots connected with onChange
// (the window's view, the job session) are told of every property written,
// after the write and before any event the write raises.

#include "runtime/signal.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qvd {

using ControlId = std::size_t;

// Colours are 24-bit values with red in the low byte.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kRed = 0x0000FF;

// Booleans as the controls hold them: true is -1, false is 0.
inline constexpr int kTrue = -1;
inline constexpr int kFalse = 0;

enum class ControlKind { Label, OptionButton, HScrollBar, Frame, PushButton };

enum class Property { Caption, ForeColor, Value, Min, Max, Visible };

enum class Event { Click, Change, Scroll };

// A scroll bar's properties are 16-bit signed whole numbers.
inline constexpr int kScrollMin = -32768;
inline constexpr int kScrollMax = 32767;

// The state of one control. Only the properties of its kind are meaningful.
struct ControlState {
    std::string name;
    ControlKind kind = ControlKind::Label;
    ControlId group = 0;       // option buttons: buttons with the same group exclude each other
    std::string caption;       // labels
    Colour foreColor = kBlack; // labels
    int value = 0;             // option buttons (kTrue/kFalse), scroll bars
    int min = 0;               // scroll bars
    int max = 0;               // scroll bars
    bool visible = true;       // scroll bars, frames
};

class ControlSet {
public:
    using Handler = std::function<void()>;
    using ChangeSlot = std::function<void(ControlId, Property)>;

    ControlId add(ControlState state);
    // Puts every property of control `id` back as `state` gives it, as when
    // the window is created anew: no event is raised; the slots are told of
    // each property.
    void restore(ControlId id, ControlState state);

    [[nodiscard]] std::size_t size() const { return m_controls.size(); }
    [[nodiscard]] const ControlState& control(ControlId id) const { return m_controls[id]; }
    // The control named `name`, if there is one.
    [[nodiscard]] std::optional<ControlId> find(std::string_view name) const;

    // Installs the handler that `event` of control `id` runs.
    void setHandler(ControlId id, Event event, Handler handler);
    // Tells `slot` of each property written (the control and which
    // property), until the connection ends.
    [[nodiscard]] Connection onChange(ChangeSlot slot) { return m_changed.connect(std::move(slot)); }

    // Labels. Every caption write raises Change, also when the text is unchanged.
    [[nodiscard]] const std::string& caption(ControlId id) const { return m_controls[id].caption; }
    void setCaption(ControlId id, std::string text);
    void setForeColor(ControlId id, Colour colour);

    // Option buttons.
    [[nodiscard]] bool isSelected(ControlId id) const { return m_controls[id].value == kTrue; }
    // Writes Value directly: no Click, the other buttons of the group unchanged.
    void setOptionValue(ControlId id, bool selected);
    // The user selects the button: the others of its group are cleared, then
    // Click is raised, also when it was already selected.
    void clickOption(ControlId id);

    // Push buttons: the user presses the button.
    void press(ControlId id);

    // Scroll bars. A Min or Max write that leaves Value outside the range
    // brings Value into it and raises Change inside the write.
    [[nodiscard]] int value(ControlId id) const { return m_controls[id].value; }
    void setMin(ControlId id, int min);
    void setMax(ControlId id, int max);
    // The user moves the bar to `value` (an arrow, the page area, a key, the end
    // of a drag): Value becomes `value` clamped into the range, and Change is
    // raised whether or not Value moved.
    void moveScrollBar(ControlId id, long long value);
    // The user drags the thumb to `value`: clamped as above, raises Scroll.
    void dragScrollBar(ControlId id, long long value);

    // Scroll bars and frames.
    [[nodiscard]] bool isVisible(ControlId id) const { return m_controls[id].visible; }
    void setVisible(ControlId id, bool visible);

private:
    struct Handlers {
        Handler click;
        Handler change;
        Handler scroll;
    };

    void notify(ControlId id, Property property) const;
    void raise(ControlId id, Event event) const;
    void clampValue(ControlId id);
    [[nodiscard]] int clampToRange(ControlId id, long long value) const;

    std::vector<ControlState> m_controls;
    std::vector<Handlers> m_handlers;
    Signal<ControlId, Property> m_changed;
};

} // namespace qvd
