// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Round trips for arbitrary doubles: ParseNumber(FormatFixed(x)) is
// RoundFixed(x), and ParseNumber(FormatGeneral(x)) is x rounded to 15
// significant digits; with either separator.

#include "fuzz_support.h"

#include "runtime/runtime_error.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

std::optional<double> roundFixedOrOverflow(double x)
{
    try {
        return qvd::RoundFixed(x);
    } catch (const qvd::RuntimeError&) {
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qvd;
    const NumberFormat format = fuzz::formatFrom(data, size);
    if (size < sizeof(double))
        return 0;
    double x = 0;
    std::memcpy(&x, data, sizeof x);
    if (!std::isfinite(x))
        return 0;

    const ParseResult fixed = tryParseNumber(FormatFixed(x, format), format);
    const std::optional<double> rounded = roundFixedOrOverflow(x);
    fuzz::require(fixed.ok() == rounded.has_value());
    if (rounded)
        fuzz::require(fixed.value == *rounded);

    char digits[40];
    const auto end = std::to_chars(digits, digits + sizeof digits, x, std::chars_format::scientific, 14).ptr;
    double expected = 0;
    const auto [ptr, ec] = std::from_chars(digits, end, expected);
    (void)ptr;
    const ParseResult general = tryParseNumber(FormatGeneral(x, format), format);
    if (ec == std::errc::result_out_of_range) {
        // Rounded to 15 digits the largest doubles lie beyond the range.
        fuzz::require(!general.ok());
        return 0;
    }
    fuzz::require(general.ok());
    fuzz::require(general.value == expected + 0.0);
    return 0;
}
