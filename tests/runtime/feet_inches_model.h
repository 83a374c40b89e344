// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Feet and inches by exact rational arithmetic on a caption with at most two
// decimals: the reference the conversion is tested against.

#include <cstdint>
#include <numeric>
#include <string>

namespace qvd::test {

// `caption` is [-]digits[.d[d]]; the length is hundredths / 100 inches.
inline std::string referenceFeetAndInches(const std::string& caption)
{
    const bool negative = caption.front() == '-';
    std::string digits = caption.substr(negative ? 1 : 0);
    const std::size_t point = digits.find('.');
    std::string decimals = point == std::string::npos ? "" : digits.substr(point + 1);
    digits = digits.substr(0, point);
    decimals.resize(2, '0');
    const std::int64_t hundredths = std::stoll(digits) * 100 + std::stoll(decimals);
    // Nearest eighth, half away from zero: eighths = floor(8h/100 + 1/2).
    const std::int64_t eighths = (8 * hundredths + 50) / 100;
    if (eighths == 0)
        return "0\"";
    const std::int64_t feet = eighths / 96;
    const std::int64_t wholeInches = eighths % 96 / 8;
    std::int64_t numerator = eighths % 8;
    std::int64_t denominator = 8;
    const std::int64_t common = std::gcd(numerator, denominator);
    numerator /= common;
    denominator /= common;
    std::string inches;
    if (wholeInches > 0 || (feet > 0 && numerator > 0))
        inches = std::to_string(wholeInches);
    if (numerator > 0)
        inches += (inches.empty() ? "" : " ") + std::to_string(numerator) + '/' + std::to_string(denominator);
    std::string text = negative ? "-" : "";
    if (feet > 0)
        text += std::to_string(feet) + "'" + (inches.empty() ? "" : " ");
    if (!inches.empty())
        text += inches + '"';
    return text;
}

} // namespace qvd::test
