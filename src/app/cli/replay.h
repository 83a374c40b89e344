// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The scripted driver of the window's model. The model starts as the window is
// first shown (design-time properties, then Form_Load); each line of the
// script is one user action or caption write:
//
//   click NAME              an option button becomes selected and raises Click; the push button raises Click
//   change NAME V           a scroll bar moves to V (clamped) and raises Change
//   scroll NAME V           the thumb is dragged to V (clamped); raises Scroll
//   set NAME.Caption TEXT   a label's caption is written (the rest of the line after one blank)
//   set NAME.Value B        an option button's Value is written (-1 or 0): no Click, no group rule
//   dump                    the state is printed
//
// Blank lines and lines starting with '#' are ignored. Without any dump the
// state is printed once at the end.

#include "app/cli/exit_status.h"
#include "runtime/caption_text.h"

#include <istream>
#include <ostream>

namespace qvd {

// Runs the script read from `script`; the state goes to `out`, diagnostics to
// `err` as "replay: line N: reason". Returns the exit status: ExitUsage for a
// line that cannot be understood (nothing of it ran), ExitRuntimeError when an
// untrapped error ended the script.
[[nodiscard]] int runReplay(std::istream& script, std::ostream& out, std::ostream& err, const NumberFormat& format);

} // namespace qvd
