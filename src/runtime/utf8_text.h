// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// UTF-8 as the program reads it from files and shows it to a terminal: one
// decoder for the job file's check and for every message of the command-line
// tool.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qvd {

struct Utf8Character {
    std::size_t length = 0; // in bytes; 0 when no well-formed character starts there
    char32_t code = 0;
};

// The well-formed UTF-8 character at the start of `text`: no overlong form,
// no surrogate, nothing above U+10FFFF, not cut short.
[[nodiscard]] Utf8Character utf8CharacterAt(std::string_view text);

// How many characters (code points) UTF-8 `text` holds: its bytes that do
// not continue a sequence.
[[nodiscard]] std::size_t codePointCount(std::string_view text);

// The words of `text`: its runs between blanks (space, tab, line breaks,
// vertical tab, form feed), in order, as text wrapped or put on one line
// takes them.
[[nodiscard]] std::vector<std::string> textWords(std::string_view text);

// `text` to be shown, not obeyed: control characters (C0, DEL and C1, a
// terminal's escape sequences among them) and bytes that are no UTF-8 are
// written as \xHH, and a backslash as \\.
[[nodiscard]] std::string escapedControls(std::string_view text);

} // namespace qvd
