// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The user's input to the window, decided once for every view: which control
// takes input now, what each key does to a control, where the focus goes
// next, and the end of all input after an untrapped error. A view forwards
// what the user did here and then draws what the model holds; it keeps no
// rule and no copy of a control's state of its own.

#include "runtime/runtime_error.h"
#include "ui/window/main_window.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace qvd {

// The keys a control of the window answers, named as the views spell them.
enum class Key { Left, Right, Up, Down, PageUp, PageDown, Home, End, Space, Enter };

// What a key does to the control that has the focus.
enum class KeyAction {
    None,          // the key is not the control's: the view's own handling goes on
    StepBack,      // a scroll bar: one small step towards Min
    StepOn,        // one small step towards Max
    PageBack,      // one large step towards Min
    PageOn,        // one large step towards Max
    ToMin,         // to Min
    ToMax,         // to Max
    Select,        // an option button is clicked, a push button pressed
    FocusPrevious, // the focus goes to the previous control in tab order
    FocusNext,     // the focus goes to the next control in tab order
};

// The one table of keys: what `key` does on a control of `kind`. A scroll bar
// steps back on Left and Up and on on Right and Down, as the desktop's bars
// do; an option button is a Tab stop of its own, which arrows leave without
// selecting another; Space selects.
[[nodiscard]] KeyAction keyAction(ControlKind kind, Key key);

// A key by its name ("Left", "PageUp", "Space", ...); nothing for a name the
// table does not have.
[[nodiscard]] std::optional<Key> keyNamed(std::string_view name);
// A key action by its name ("StepBack", ...), for a scroll bar's arrows and
// trough, which act as its keys do.
[[nodiscard]] std::optional<KeyAction> keyActionNamed(std::string_view name);

class WindowInput {
public:
    explicit WindowInput(MainWindow& window);

    // A visible frame created after the control, in the same container and
    // overlapping it, lies over it (the introduction over the whole window).
    [[nodiscard]] bool isCovered(ControlId id) const;
    // The user can reach the control now: the window has not failed, the
    // control and its containers are visible, and no frame covers them.
    [[nodiscard]] bool takesInput(ControlId id) const;

    // True once an untrapped error stopped a handler; then nothing takes input.
    [[nodiscard]] bool hasFailed() const { return m_error.has_value(); }
    [[nodiscard]] const std::optional<RuntimeError>& error() const { return m_error; }

    // The user's actions, one model event each. Each is refused (false) when
    // the control takes no input now, and false too when an untrapped error
    // stopped the window during it.
    bool click(ControlId id); // an option button's Click, or a push button pressed
    bool moveBar(ControlId bar, long long value);
    bool dragBar(ControlId bar, long long value);
    // A bar moved by one of the key actions StepBack to ToMax, from the
    // value it holds now.
    bool stepBar(ControlId bar, KeyAction action);

    // What `key` did on the focused control `id`: its action (None when it
    // is not the control's, or the control takes no input), and for the focus
    // actions the control that takes the focus.
    struct KeyResult {
        KeyAction action = KeyAction::None;
        std::optional<ControlId> focus;
    };
    KeyResult pressKey(ControlId id, Key key);

    // Steps that are not a user's action on one control (a job entered,
    // "Use this size"): taken behind the introduction too, refused only once
    // the window has failed. False when refused or stopped by an error.
    bool enter(const std::function<void()>& steps);

    // The controls that can hold the focus, in the design's TabIndex order.
    [[nodiscard]] const std::vector<ControlId>& tabOrder() const { return m_tabOrder; }
    // The control after (or before) `from` in tab order that takes input.
    // With `wrap` the order goes round; without it the last (or first) has
    // none after it. From nothing, the first (or last).
    [[nodiscard]] std::optional<ControlId> nextFocus(
        std::optional<ControlId> from, bool forward, bool wrap = true) const;
    // Where the focus goes when the window starts, and when the control that
    // held it stops taking input (the introduction's button after Continue).
    [[nodiscard]] std::optional<ControlId> firstFocus() const { return nextFocus(std::nullopt, true); }

private:
    bool act(ControlId id, const std::function<void()>& action);
    bool run(const std::function<void()>& steps);

    MainWindow& m_window;
    std::vector<std::vector<ControlId>> m_coveredBy; // per control, the frames over it
    std::vector<std::optional<ControlId>> m_container;
    std::vector<ControlId> m_tabOrder;
    std::optional<RuntimeError> m_error;
};

} // namespace qvd
