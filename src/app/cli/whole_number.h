// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

#include <charconv>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

namespace qvd {

// A whole number as the command-line tool takes it: decimal digits with one
// optional sign and nothing else. A value beyond what a long long holds
// saturates, which a range check or a scroll bar's clamp handles alike.
[[nodiscard]] inline std::optional<long long> parseWholeNumber(std::string_view text)
{
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-'))
            return std::nullopt;
    }
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (stop != end || error == std::errc::invalid_argument)
        return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return text.starts_with('-') ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
    return value;
}

} // namespace qvd
