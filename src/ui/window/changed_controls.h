// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Which controls a view must draw again since it last drew: every control a
// property was written to, told by the control model itself, so that a view
// that reads only these controls can never show a stale one. Whether a
// control takes input follows from the visibility of it, its containers and
// the frames over it, and from the window's failure: a visibility written
// anywhere, or the window failing, makes every control one to draw again.

#include "runtime/controls.h"
#include "runtime/signal.h"
#include "ui/window/window_input.h"

#include <vector>

namespace qvd {

class ChangedControls {
public:
    ChangedControls(ControlSet& controls, const WindowInput& input);

    // The controls changed since the last call, in id order, and forgets
    // them; every control at the first call.
    [[nodiscard]] std::vector<ControlId> take();

private:
    const ControlSet& m_controls;
    const WindowInput& m_input;
    std::vector<bool> m_changed;
    bool m_all = true;
    bool m_failed = false;
    Connection m_connection;
};

} // namespace qvd
