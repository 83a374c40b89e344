// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Lengths in inches shown the way a tape measure reads them: feet, whole
// inches and eighths of an inch. The conversion works on the caption's
// decimal text, digit by digit, so that a caption lying exactly halfway
// between two eighths (3.0625) rounds as its text says, not as the nearest
// double happens to fall.

#include "runtime/caption_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qvd {

// How lengths are shown beyond the window's own captions.
enum class LengthFormat {
    Decimal,       // as the captions show them
    FeetAndInches, // 13' 6 3/4" (inches only)
};

// A length in eighths of an inch written as feet and inches: feet left out
// under a foot; the inches left out when they are zero and feet are shown
// (11'); a fraction reduced (3/4, 1/2, 1/4, 1/8) and written after the whole
// inches, which are written as 0 after feet (11' 0 1/2") and left out under a
// foot (1/2"); a minus sign in front of a negative length; 0" for zero.
[[nodiscard]] std::string feetAndInchesFromEighths(std::int64_t eighths);

// The caption's number of inches, rounded to the nearest eighth of an inch
// (half away from zero), in feet and inches. Nothing when the text is not a
// number in the strict caption form (blanks around, a sign, digits with one
// `format` separator, an exponent) or lies beyond a billion inches.
[[nodiscard]] std::optional<std::string> feetAndInches(std::string_view caption, const NumberFormat& format);

// The caption as `lengths` shows it: feet and inches when that is asked for
// and the caption is a number; otherwise the caption unchanged (a warning
// word, an empty caption).
[[nodiscard]] std::string lengthShown(std::string_view caption, LengthFormat lengths, const NumberFormat& format);

} // namespace qvd
