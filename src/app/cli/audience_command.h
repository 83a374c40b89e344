// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// `qvdtalvern-cli audience`: from the farthest viewer and what the audience
// must read, the image the viewing rule asks for, the smallest screen the
// window offers that is as large (its captions once entered), the closest
// viewer and the image top where the screen bottom is given, and each row's
// placement at that screen, with whether the room's distance holds it; as
// aligned text, CSV or JSON.

#include "app/cli/table.h"
#include "runtime/caption_text.h"

#include <span>
#include <string_view>

namespace qvd {

// `args` are the words after "audience". Returns the exit status (ExitStatus).
[[nodiscard]] int runAudience(
    std::span<const std::string_view> args, const TableOutput& output, const NumberFormat& format);

} // namespace qvd
