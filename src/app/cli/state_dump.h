// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

#include "runtime/controls.h"

#include <ostream>

namespace qvd {

// Writes the state of every control, one `NAME.Property=VALUE` line a
// property, in creation order, then one empty line. Labels give Caption and
// ForeColor, scroll bars Min, Max, Value and Visible, option buttons Value,
// frames Visible; booleans as -1 and 0, colours as decimal integers; a
// caption with its control characters escaped (see escapedControls).
void dumpState(const ControlSet& controls, std::ostream& out);

} // namespace qvd
