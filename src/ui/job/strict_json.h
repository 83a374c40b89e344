// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// JSON read strictly, for the job file: UTF-8 throughout, one value with
// nothing but blanks after it (a NUL byte included), brackets nested at most
// kMaxJsonNesting deep, and no member given twice in any object. Where a
// text is refused, the problem says what and where, counting lines and
// characters (code points) as an editor shows them.

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

namespace qvd {

// Nesting no job comes near; deeper text is refused before the parser sees it.
inline constexpr int kMaxJsonNesting = 32;

enum class JsonProblem {
    None,
    NotUtf8,        // `where`: the first byte that is no character
    Empty,          // nothing but blanks
    TooDeep,        // nested deeper than kMaxJsonNesting
    Syntax,         // `where` and `reason`: the parser's, shortened
    RepeatedMember, // `reason`: the member's path from the top ("size.value", "extra[2].name")
    TrailingBytes,  // `where`: the first byte after the value that is not a blank
};

struct StrictJson {
    nlohmann::json value; // set when there is no problem
    JsonProblem problem = JsonProblem::None;
    std::string where;  // "line 3, column 5", or empty
    std::string reason; // what the parser says, or the repeated member
};

[[nodiscard]] StrictJson parseStrictJson(std::string_view text);

} // namespace qvd
