// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The strict reading on arbitrary bytes: a finite number without a negative
// zero, or one of its two errors; what it reads, written back in the general
// form, reads as the same number (or, for the very largest, as an overflow).

#include "fuzz_support.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qvd;
    const NumberFormat format = fuzz::formatFrom(data, size);
    const ParseResult result = tryParseNumber(fuzz::textOf(data, size), format);
    if (!result.ok())
        return 0;
    fuzz::require(std::isfinite(result.value));
    fuzz::require(!(result.value == 0.0 && std::signbit(result.value)));
    const std::string general = FormatGeneral(result.value, format);
    const ParseResult again = tryParseNumber(general, format);
    if (!again.ok()) {
        // Rounded to 15 digits, the very largest doubles lie beyond the range.
        fuzz::require(again.error == ParseError::Overflow && std::fabs(result.value) > 1.797693134862315e308);
        return 0;
    }
    fuzz::require(FormatGeneral(again.value, format) == general);
    return 0;
}
