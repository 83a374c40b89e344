// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The two conversions between doubles and decimal text that the caption text
// is built on. Where the standard library has them for double (std::to_chars
// with a precision, std::from_chars) they are used; where it has not (the
// WebAssembly build's library) the C library's own correctly rounded
// conversions stand in, under the C locale, which the program never changes.

#include <system_error>

namespace qvd {

// `x` as "d.ddde+XX" with `precision` digits after the point, correctly
// rounded, into [first, last); returns the end of the text.
[[nodiscard]] char* writeScientific(char* first, char* last, double x, int precision);

struct DecimalReading {
    double value = 0.0;
    const char* end = nullptr; // after the last character read
    std::errc error{};         // result_out_of_range beyond the double range, invalid_argument for no number
};

// The nearest double to the ASCII decimal number at `first` ("12.5", "1e-3").
[[nodiscard]] DecimalReading readDecimal(const char* first, const char* last);

// The C library's conversions that stand in where the standard library lacks
// the two above; built everywhere, so that a test can hold them to the standard's.
[[nodiscard]] char* writeScientificWithPrintf(char* first, char* last, double x, int precision);
[[nodiscard]] DecimalReading readDecimalWithStrtod(const char* first, const char* last);

} // namespace qvd
