// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace qvd {

// `text` as one CSV field: as it is, or quoted with its quotes doubled when it
// holds a comma (a decimal comma), a quote or a line feed.
[[nodiscard]] inline std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace qvd
