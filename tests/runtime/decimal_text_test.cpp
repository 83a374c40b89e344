// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The C library's conversions that stand in for std::to_chars and
// std::from_chars on double (the WebAssembly build) give the same text and
// the same doubles, digit for digit and bit for bit.

#include "runtime/decimal_text.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace qvd;

namespace {

std::string standardText(double x, int precision)
{
    std::array<char, 64> buffer{};
    const auto result
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, std::chars_format::scientific, precision);
    return {buffer.data(), result.ptr};
}

std::string printfText(double x, int precision)
{
    std::array<char, 64> buffer{};
    return {buffer.data(), writeScientificWithPrintf(buffer.data(), buffer.data() + buffer.size(), x, precision)};
}

// Doubles of every magnitude, the halves and hundredths the captions round,
// and random bit patterns.
std::vector<double> doubles()
{
    std::vector<double> values = {0.0, -0.0, 1.0, 0.125, 0.005, 0.015, 2.675, 1.005, 162.80499999999998, 1e-300,
        4.9e-324, 2.2250738585072014e-308, 1.7976931348623157e308, 123456789012345.67};
    for (int hundredths = -100000; hundredths <= 100000; hundredths += 7)
        values.push_back(hundredths / 100.0);
    std::mt19937_64 random(20261209);
    while (values.size() < 200000) {
        const double x = std::bit_cast<double>(random());
        if (std::isfinite(x))
            values.push_back(x);
    }
    return values;
}

} // namespace

TEST(DecimalText, PrintfWritesWhatToCharsWrites)
{
    for (const double x : doubles()) {
        for (const int precision : {14, 16})
            ASSERT_EQ(printfText(x, precision), standardText(x, precision)) << x;
    }
}

TEST(DecimalText, StrtodReadsWhatFromCharsReads)
{
    std::vector<std::string> texts = {"0", "1", "12.5", "0.005", "1e-400", "1e400", "4.9e-324",
        "2.4703282292062328e-324", "1.7976931348623158e308", "1.7976931348623159e308", "123456789012345678901234567890",
        "9.999999999999999e22"};
    for (const double x : doubles()) {
        texts.push_back(standardText(x, 14));
        texts.push_back(standardText(x, 16));
    }
    for (const std::string& text : texts) {
        const char* first = text.data();
        const char* last = first + text.size();
        double expected = 0.0;
        const auto standard = std::from_chars(first, last, expected);
        const DecimalReading reading = readDecimalWithStrtod(first, last);
        ASSERT_EQ(reading.error, standard.ec) << text;
        ASSERT_EQ(reading.end, standard.ptr) << text;
        if (standard.ec == std::errc{}) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(reading.value), std::bit_cast<std::uint64_t>(expected)) << text;
        }
    }
}
