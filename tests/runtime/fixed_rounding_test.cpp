// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The two-decimal rounding against a plain decimal model of its rule: take the
// 15-significant-digit form of the double, then round its second decimal half
// away from zero. Values sit on and around half cents, where the rounding of
// the double itself and of its 15-digit form part ways.

#include "runtime/caption_text.h"
#include "runtime/decimal_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace qvd {
namespace {

// The rule, written out on decimal strings without any shortcut.
std::string referenceFixed(double x)
{
    char buffer[40];
    char* const end = writeScientific(buffer, buffer + sizeof buffer, std::fabs(x), 14);
    const std::string text(buffer, static_cast<std::size_t>(end - buffer));
    const std::string mantissa = text.substr(0, 1) + text.substr(2, 14); // 15 digits
    const int exponent = std::stoi(text.substr(text.find('e') + 1));
    // Digits of |x| x 100 before the point, then the deciding digit.
    std::string cents;
    const int keep = exponent + 3;
    for (int i = 0; i < keep; ++i)
        cents += i < 15 ? mantissa[i] : '0';
    const char decider = keep >= 0 && keep < 15 ? mantissa[keep] : '0';
    if (cents.empty())
        cents = "0";
    if (decider >= '5') {
        int i = static_cast<int>(cents.size()) - 1;
        while (i >= 0 && cents[i] == '9')
            cents[i--] = '0';
        if (i < 0)
            cents.insert(cents.begin(), '1');
        else
            ++cents[i];
    }
    while (cents.size() > 1 && cents[0] == '0')
        cents.erase(0, 1);
    while (cents.size() < 3)
        cents.insert(cents.begin(), '0');
    const bool zero = cents.find_first_not_of('0') == std::string::npos;
    return std::string(x < 0 && !zero ? "-" : "") + cents.substr(0, cents.size() - 2) + "."
        + cents.substr(cents.size() - 2);
}

void expectAgreement(double x)
{
    const std::string expected = referenceFixed(x);
    ASSERT_EQ(FormatFixed(x, {}), expected) << "x = " << x;
    const double read = readDecimal(expected.data(), expected.data() + expected.size()).value;
    ASSERT_EQ(RoundFixed(x), read + 0.0) << "x = " << x;
}

TEST(FixedRounding, AgreesWithTheDecimalRuleAroundHalfCents)
{
    // Half cents of every size the window shows and beyond, and the doubles
    // a few units of the last place to either side of them.
    for (const double base : {0.0, 1e3, 1e5, 1e7 - 1000, 1e8 - 1000, 1e11}) {
        for (int n = 0; n < 2000; ++n) {
            const double tie = (base + n + 0.5) / 100.0;
            double below = tie;
            double above = tie;
            for (int step = 0; step < 6; ++step) {
                expectAgreement(below);
                expectAgreement(-above);
                below = std::nextafter(below, 0.0);
                above = std::nextafter(above, 1e300);
            }
            // Across the point half a unit of the 15th digit below the tie,
            // where the 15-digit form stops reaching the tie.
            for (int k = 1; k <= 40; ++k)
                expectAgreement(tie * (1.0 - k * 2.5e-16));
        }
    }
}

TEST(FixedRounding, AgreesWithTheDecimalRuleOnResultsOfTheFormulas)
{
    // Products and sums as the recalculation forms them: slope x width + intercept.
    for (const double slope : {1.556, 1.515, 1.22, 1.82, 1.77, 1.54, 1.49}) {
        for (const double intercept : {0.0, 7.2, 9.0, 10.0, 3.3, 4.8, 0.5, 22.86, 25.4, 8.4, 12.2, 1.27}) {
            for (int width = 1; width <= 800; ++width) {
                expectAgreement(width * slope + intercept);
                expectAgreement((width + 0.33) * slope + intercept);
            }
        }
    }
}

TEST(FixedRounding, AgreesWithTheDecimalRuleOnRandomDoubles)
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-6.0, 12.0);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 200000; ++i)
        expectAgreement(unit(random) * std::pow(10.0, exponent(random)));
}

TEST(FixedRounding, RoundedCaptionIsTheGeneralFormOfTheRoundedValue)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> values(-20000.0, 20000.0);
    for (const char* separator : {".", ","}) {
        const NumberFormat format{separator};
        for (int i = 0; i < 50000; ++i) {
            const double x = values(random);
            ASSERT_EQ(FormatRounded(x, format), FormatGeneral(RoundFixed(x), format)) << x;
        }
        for (const double x : {0.0, 0.004, -0.004, 0.005, 2.675, 162.8, 40.0, 1e7, 1.5e13})
            EXPECT_EQ(FormatRounded(x, format), FormatGeneral(RoundFixed(x), format)) << x;
    }
}

} // namespace
} // namespace qvd
