// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// `qvdtalvern-cli table`: does what a user would do in the window (choose the
// unit, choose the sizing option, move that size bar, then the angle bar) and
// prints the size and angle captions and the result table as the window shows
// them, as aligned text, CSV or JSON.

#include "app/cli/exit_status.h"
#include "runtime/caption_text.h"

#include <ostream>
#include <span>
#include <string_view>

namespace qvd {

struct TableOutput {
    std::ostream& out;
    std::ostream& err;
    bool colour; // red warnings in text output: only on a terminal, never with NO_COLOR
};

// `args` are the words after "table". Returns the exit status (ExitStatus).
[[nodiscard]] int runTable(
    std::span<const std::string_view> args, const TableOutput& output, const NumberFormat& format);

} // namespace qvd
