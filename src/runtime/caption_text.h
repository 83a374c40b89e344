// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The conversions between numbers and caption text. Every number the window
// shows is caption text, and several steps of the calculation read their own
// results back from captions, so the rounding these conversions imply is part
// of the results. All of them are pure functions.

#include <cstddef>
#include <string>
#include <string_view>

namespace qvd {

// The user's number settings, as far as captions need them. Passed in as a
// value so that a test can use a comma without installing a locale.
struct NumberFormat {
    std::string decimalSeparator = ".";

    // The decimal separator of LC_ALL / LC_NUMERIC / LANG, read through the C
    // library without touching the process's global locale. Falls back to a
    // period when the named locale is not installed.
    [[nodiscard]] static NumberFormat fromEnvironment();
};

enum class ParseError {
    None,
    TypeMismatch, // the text is not a number in the strict form
    Overflow,     // the number lies beyond the double range
};

struct ParseResult {
    double value = 0.0;
    ParseError error = ParseError::None;

    [[nodiscard]] bool ok() const noexcept { return error == ParseError::None; }
};

// The decimal digits of n, with a minus sign when negative; no blank, no plus.
[[nodiscard]] std::string FormatInteger(int n);

// x rounded to 15 significant digits, shortest form: no trailing zeros, no
// separator for whole numbers; E notation (1E+15, -2.25E-07) outside
// [0.0001, 1E+15). Zero is written "0", never "-0".
// Throws RuntimeError (Overflow, InvalidOperation) for infinities and NaN.
[[nodiscard]] std::string FormatGeneral(double x, const NumberFormat& format);

// x with exactly two decimals, rounded half away from zero on its 15-digit
// decimal form (so 2.675 gives 2.68 although the double lies below the tie).
// Always plain notation; a value that rounds to zero is written "0.00".
[[nodiscard]] std::string FormatFixed(double x, const NumberFormat& format);

// FormatGeneral(RoundFixed(x)), written in one step: at most two decimals, no
// trailing zeros. The form of the "Rounded" result captions.
[[nodiscard]] std::string FormatRounded(double x, const NumberFormat& format);

// The strict reading: blanks around, an optional sign, digits with at most one
// decimal separator (at least one digit in all), an optional exponent.
[[nodiscard]] ParseResult tryParseNumber(std::string_view text, const NumberFormat& format);

// tryParseNumber, failing with RuntimeError (TypeMismatch or Overflow).
// "-0" reads as plain 0.
[[nodiscard]] double ParseNumber(std::string_view text, const NumberFormat& format);

// The lenient reading: blanks, tabs and line feeds are skipped before and
// within the number; the period is the separator whatever the settings; the
// reading stops at the first character that cannot continue the number.
// Gives 0 when no digit was read, and never fails: a number beyond the double
// range gives an infinity, which the first arithmetic step reports as Overflow.
[[nodiscard]] double ParseLeadingNumber(std::string_view text);

// ParseNumber(FormatFixed(x)): x rounded to two decimals by the rule of
// FormatFixed, as the double nearest to that two-decimal number.
[[nodiscard]] double RoundFixed(double x);

} // namespace qvd
