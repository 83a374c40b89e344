// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The lenient reading on arbitrary bytes: never fails, never gives NaN, and
// agrees with the strict reading wherever the strict one (with a period)
// accepts the whole text.

#include "fuzz_support.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qvd;
    const std::string_view text = fuzz::textOf(data, size);
    const double value = ParseLeadingNumber(text);
    fuzz::require(!std::isnan(value));
    fuzz::require(!(value == 0.0 && std::signbit(value)));
    const ParseResult strict = tryParseNumber(text, NumberFormat{"."});
    if (strict.ok())
        fuzz::require(strict.value == value);
    return 0;
}
