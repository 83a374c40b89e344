// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The conformance table of user-action scripts (tests/conformance/
// window_actions.json), read once for every view, and the model's own replay
// of each script: the window's state after every step, which each view must
// show after the same steps. The state is one flat dump, the same for every
// test and every view: "ID.Caption" of each label, "ID.Value" of each option
// button and scroll bar, "ID.Min", "ID.Max" and "ID.Visible" of each scroll
// bar, "Frame ID.Visible" of each frame, and "Focus" (the focused control's
// id, or -1). Tests of the model compare modelDump(), the same dump with each
// label's "ID.ForeColor" added: every property that can change.

#include "ui/window/main_window.h"
#include "ui/window/window_input.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qvd::test {

struct ActionStep {
    enum class Kind { None, Click, Key, Tab, Arrow, Page, Drag };
    Kind kind = Kind::None;
    ControlId control = 0; // Click, Arrow, Page, Drag
    Key key = Key::Left;   // Key
    bool forward = true;   // Tab forward, the arrow or page towards Max, the drag to the end
    // What the model must hold after the step, by the dump's keys.
    std::map<std::string, std::string> expect;
};

struct ActionScript {
    std::string name;
    std::vector<ActionStep> steps;
};

using WindowDump = std::map<std::string, std::string>;

// The scripts of the table; throws std::runtime_error for a table that does
// not read (an unknown control, key or step).
[[nodiscard]] std::vector<ActionScript> actionScripts();

// The dump of `window` with the focus on `focus`.
[[nodiscard]] WindowDump dumpWindow(const MainWindow& window, std::optional<ControlId> focus);

// Every property of every control that can change: dumpWindow() without a
// focus, and "ID.ForeColor" of each label. Two of them compared (see
// differences) tell whether anything was written, or whether two windows agree.
[[nodiscard]] WindowDump modelDump(const MainWindow& window);

// The model alone through the steps of `script`, starting as the window
// starts (Form_Load, the focus on the first control that takes it): the dump
// after start-up and after each step.
[[nodiscard]] std::vector<WindowDump> replayScript(const ActionScript& script);

// The entries where `shown` differs from `held`, as "KEY: held X, shown Y".
[[nodiscard]] std::vector<std::string> differences(const WindowDump& held, const WindowDump& shown);

} // namespace qvd::test
