// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// `qvdtalvern-cli fit`: for the distance a room gives (the throw distance or
// the straight line), the widest screen each row fills at an angle, with the
// window's captions at that width, and with the height of the screen's bottom
// edge how high each projector stands; as aligned text, CSV or JSON.

#include "app/cli/table.h"
#include "runtime/caption_text.h"

#include <span>
#include <string_view>

namespace qvd {

// `args` are the words after "fit". Returns the exit status (ExitStatus).
[[nodiscard]] int runFit(std::span<const std::string_view> args, const TableOutput& output, const NumberFormat& format);

} // namespace qvd
