// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "runtime/caption_text.h"
#include "runtime/decimal_text.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace qvd {
namespace {

const NumberFormat kPeriod{"."};
const NumberFormat kComma{","};
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string withComma(std::string text)
{
    for (char& c : text) {
        if (c == '.')
            c = ',';
    }
    return text;
}

// The kind of RuntimeError that `f` throws, or nothing when it returns.
std::optional<ErrorKind> errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& error) {
        return error.kind();
    }
    return std::nullopt;
}

TEST(FormatInteger, WritesDigitsWithMinusSignOnly)
{
    const struct {
        int n;
        const char* text;
    } cases[] = {{100, "100"}, {-15, "-15"}, {0, "0"}, {15, "15"}, {32767, "32767"}, {-32768, "-32768"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatInteger(c.n), c.text) << c.n;
}

struct FormatCase {
    const char* name;
    double value;
    const char* text; // with a period; the comma form swaps the separator
};

class FormatGeneralTest : public testing::TestWithParam<FormatCase> {};
class FormatFixedTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatGeneralTest, WritesShortestFifteenDigitForm)
{
    EXPECT_EQ(FormatGeneral(GetParam().value, kPeriod), GetParam().text);
    EXPECT_EQ(FormatGeneral(GetParam().value, kComma), withComma(GetParam().text));
}

TEST_P(FormatFixedTest, WritesTwoDecimalsRoundedOnFifteenDigitForm)
{
    EXPECT_EQ(FormatFixed(GetParam().value, kPeriod), GetParam().text);
    EXPECT_EQ(FormatFixed(GetParam().value, kComma), withComma(GetParam().text));
}

const auto caseName = [](const auto& info) { return std::string(info.param.name); };

INSTANTIATE_TEST_SUITE_P(Cases, FormatGeneralTest,
    testing::Values(FormatCase{"whole_40", 40, "40"}, FormatCase{"one_decimal", 39.2, "39.2"},
        FormatCase{"leading_zero", 0.5, "0.5"}, FormatCase{"negative_whole", -3, "-3"},
        FormatCase{"negative_fraction", -25.12375, "-25.12375"},
        FormatCase{"fifteen_digits", 41.333333333333336, "41.3333333333333"},
        FormatCase{"sum_noise_dropped", 0.1 + 0.2, "0.3"}, FormatCase{"zero", 0.0, "0"},
        FormatCase{"negative_zero", -0.0, "0"}, FormatCase{"largest_plain", 999999999999999, "999999999999999"},
        FormatCase{"rounds_up_to_1E15", 999999999999999.9, "1E+15"}, FormatCase{"exactly_1E15", 1e15, "1E+15"},
        FormatCase{"large_fraction", 1.5e20, "1.5E+20"}, FormatCase{"negative_large", -1.5e20, "-1.5E+20"},
        FormatCase{"three_digit_exponent", 1e100, "1E+100"},
        FormatCase{"largest_double", kMax, "1.79769313486232E+308"}, FormatCase{"smallest_plain", 0.0001, "0.0001"},
        FormatCase{"small_plain", 0.00012345, "0.00012345"},
        FormatCase{"rounds_up_to_0_0001", 9.9999999999999996e-5, "0.0001"},
        FormatCase{"just_below_plain", 0.00009999, "9.999E-05"}, FormatCase{"tiny_power", 1e-5, "1E-05"},
        FormatCase{"tiny_negative", -2.25e-7, "-2.25E-07"},
        FormatCase{"tiny_long", 1.23456789012345678e-300, "1.23456789012346E-300"},
        FormatCase{"smallest_subnormal", 4.9406564584124654e-324, "4.94065645841247E-324"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(Cases, FormatFixedTest,
    testing::Values(FormatCase{"width_162_8", 162.8, "162.80"}, FormatCase{"whole_40", 40, "40.00"},
        FormatCase{"thirds", 41.333333333333336, "41.33"}, FormatCase{"half", 0.5, "0.50"},
        FormatCase{"negative_whole", -3, "-3.00"}, FormatCase{"no_grouping", 1234.5, "1234.50"},
        FormatCase{"tie_83_235", 83.235, "83.24"}, FormatCase{"tovan_throw_49", 49 * 1.515 + 9, "83.24"},
        FormatCase{"tie_1_005", 1.005, "1.01"}, FormatCase{"tie_2_675", 2.675, "2.68"},
        FormatCase{"negative_tie_2_675", -2.675, "-2.68"}, FormatCase{"exact_tie_0_125", 0.125, "0.13"},
        FormatCase{"negative_tie_0_005", -0.005, "-0.01"}, FormatCase{"tie_0_005", 0.005, "0.01"},
        FormatCase{"below_tie_0_0049999", 0.0049999, "0.00"}, FormatCase{"small_0_004", 0.004, "0.00"},
        FormatCase{"negative_rounds_to_zero", -0.004, "0.00"}, FormatCase{"negative_zero", -0.0, "0.00"},
        FormatCase{"tiny_negative", -1.5e-20, "0.00"}, FormatCase{"carry_0_995", 0.995, "1.00"},
        FormatCase{"carry_negative_999_995", -999.995, "-1000.00"},
        FormatCase{"float_noise_162_8", 162.79999999999998, "162.80"},
        FormatCase{"fifteen_digits_only", 123456789012345.67, "123456789012346.00"},
        FormatCase{"plain_1E20", 1e20, "100000000000000000000.00"}),
    caseName);

TEST(CaptionFormat, NonFiniteValuesFail)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(errorOf([] { (void)FormatGeneral(kInf, kPeriod); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([] { (void)FormatFixed(-kInf, kPeriod); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([&] { (void)FormatGeneral(nan, kPeriod); }), ErrorKind::InvalidOperation);
    EXPECT_EQ(errorOf([&] { (void)FormatFixed(nan, kPeriod); }), ErrorKind::InvalidOperation);
}

struct ParseCase {
    const char* name;
    const char* text;
    bool comma;
    ParseError error;
    double value = 0.0;
};

class ParseNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ReadsStrictForm)
{
    const ParseCase& c = GetParam();
    const NumberFormat& format = c.comma ? kComma : kPeriod;
    const ParseResult result = tryParseNumber(c.text, format);
    EXPECT_EQ(result.error, c.error);
    if (c.error == ParseError::None) {
        EXPECT_EQ(result.value, c.value);
        EXPECT_EQ(std::signbit(result.value), std::signbit(c.value)) << "zero has no sign";
        EXPECT_EQ(ParseNumber(c.text, format), c.value);
    } else {
        EXPECT_EQ(errorOf([&] { (void)ParseNumber(c.text, format); }),
            c.error == ParseError::Overflow ? ErrorKind::Overflow : ErrorKind::TypeMismatch);
    }
}

constexpr ParseError kOk = ParseError::None;
constexpr ParseError kMismatch = ParseError::TypeMismatch;
constexpr ParseError kOverflow = ParseError::Overflow;

INSTANTIATE_TEST_SUITE_P(Cases, ParseNumberTest,
    testing::Values(ParseCase{"fixed_162_80", "162.80", false, kOk, 162.8},
        ParseCase{"fixed_40_00", "40.00", false, kOk, 40}, ParseCase{"minus_15", "-15", false, kOk, -15},
        ParseCase{"plus_sign", "+7", false, kOk, 7}, ParseCase{"blanks_around", "  41.33  ", false, kOk, 41.33},
        ParseCase{"leading_separator", ".5", false, kOk, 0.5}, ParseCase{"trailing_separator", "5.", false, kOk, 5},
        ParseCase{"exponent_upper", "1.5E+20", false, kOk, 1.5e20},
        ParseCase{"exponent_lower", "-2.25e-07", false, kOk, -2.25e-7},
        ParseCase{"exponent_unsigned", "1E5", false, kOk, 1e5}, ParseCase{"minus_zero", "-0", false, kOk, 0.0},
        ParseCase{"minus_zero_fixed", "-0.00", false, kOk, 0.0},
        ParseCase{"zero_huge_exponent", "0e999", false, kOk, 0.0}, ParseCase{"underflow", "1e-999", false, kOk, 0.0},
        ParseCase{"negative_underflow", "-1e-999", false, kOk, 0.0},
        ParseCase{"largest_double", "1.7976931348623157e308", false, kOk, kMax},
        ParseCase{"many_digits", "0.1000000000000000055511151231257827", false, kOk, 0.1},
        ParseCase{"comma_162_80", "162,80", true, kOk, 162.8}, ParseCase{"comma_41_33", "41,33", true, kOk, 41.33},
        ParseCase{"comma_exponent", "1,5E+20", true, kOk, 1.5e20}, ParseCase{"empty", "", false, kMismatch},
        ParseCase{"blanks_only", "   ", false, kMismatch}, ParseCase{"word_Screen", "Screen", false, kMismatch},
        ParseCase{"word_Too", "Too", false, kMismatch}, ParseCase{"word_Big", "Big", false, kMismatch},
        ParseCase{"word_Small", "Small", false, kMismatch}, ParseCase{"trailing_letters", "12abc", false, kMismatch},
        ParseCase{"inner_blank", "1 5", false, kMismatch}, ParseCase{"two_signs", "--5", false, kMismatch},
        ParseCase{"sign_only", "-", false, kMismatch}, ParseCase{"separator_only", ".", false, kMismatch},
        ParseCase{"two_separators", "1.2.3", false, kMismatch},
        ParseCase{"exponent_without_digits", "1e+", false, kMismatch},
        ParseCase{"exponent_only", "E5", false, kMismatch}, ParseCase{"fraction_exponent", "1e5.5", false, kMismatch},
        ParseCase{"tab_is_not_blank", "\t5", false, kMismatch}, ParseCase{"line_feed_after", "5\n", false, kMismatch},
        ParseCase{"comma_with_period_settings", "100,5", false, kMismatch},
        ParseCase{"period_with_comma_settings", "100.5", true, kMismatch},
        ParseCase{"grouping", "1,000.5", false, kMismatch}, ParseCase{"currency", "$5", false, kMismatch},
        ParseCase{"parentheses", "(5)", false, kMismatch}, ParseCase{"trailing_sign", "5-", false, kMismatch},
        ParseCase{"radix_prefix", "0x1A", false, kMismatch}, ParseCase{"overflow", "1e999", false, kOverflow},
        ParseCase{"negative_overflow", "-1e999", false, kOverflow},
        ParseCase{"just_beyond_range", "1.8e308", false, kOverflow}),
    caseName);

TEST(ParseLeadingNumber, ReadsAsMuchAsFormsANumber)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"10", 10},
        {"-15", -15},
        {"", 0},
        {"12abc", 12},
        {"1 5", 15},
        {"2.5E1", 25},
        {"2.5e1", 25},
        {"1,5", 1},
        {".5", 0.5},
        {" \t\n7", 7},
        {"- 1 2 . 5", -12.5},
        {"1e+ 2", 100},
        {"12E", 12},
        {"1.2.3", 1.2},
        {"0x1A", 0},
        {"&H1A", 0},
        {"Screen", 0},
        {"\r7", 0},
        {"1e-999", 0},
        {"1e999", kInf},
        {"-1e999", -kInf},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseLeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(RoundFixed, RoundsToTheShownTwoDecimals)
{
    const struct {
        double x;
        double rounded;
    } cases[] = {{41.333333333333336, 41.33}, {83.235, 83.24}, {162.79999999999998, 162.8}, {-2.675, -2.68},
        {0.125, 0.13}, {-0.004, 0.0}, {1e20, 1e20}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundFixed(c.x), c.rounded) << c.x;
        EXPECT_FALSE(std::signbit(RoundFixed(c.x)) != std::signbit(c.rounded)) << c.x;
    }
}

TEST(RoundFixed, FailsWhereReadingTheFixedTextFails)
{
    // The two-decimal text of the largest double lies beyond the double range.
    EXPECT_EQ(errorOf([] { (void)ParseNumber(FormatFixed(kMax, kPeriod), kPeriod); }), ErrorKind::Overflow);
    EXPECT_EQ(errorOf([] { (void)RoundFixed(kMax); }), ErrorKind::Overflow);
}

// A deterministic spread: doubles of every magnitude (random bit patterns,
// subnormals included) and of the magnitudes the window shows.
std::vector<double> spreadOfDoubles()
{
    std::mt19937_64 random(20260101);
    std::vector<double> values;
    while (values.size() < 3000) {
        const std::uint64_t bits = random();
        double x = 0;
        std::memcpy(&x, &bits, sizeof x);
        if (std::isfinite(x))
            values.push_back(x);
    }
    std::uniform_real_distribution<double> shown(-1000.0, 1000.0);
    for (int i = 0; i < 3000; ++i)
        values.push_back(shown(random));
    for (int e = -12; e <= 12; ++e)
        values.push_back(std::pow(10.0, e) * 2.675);
    return values;
}

TEST(CaptionRoundTrip, GeneralTextReadsBackAsFifteenDigitValue)
{
    for (const double x : spreadOfDoubles()) {
        std::array<char, 40> buffer{};
        char* const end = writeScientific(buffer.data(), buffer.data() + buffer.size() - 1, x, 14);
        *end = '\0';
        const double expected = std::strtod(buffer.data(), nullptr);
        for (const NumberFormat* format : {&kPeriod, &kComma}) {
            const std::string text = FormatGeneral(x, *format);
            const ParseResult back = tryParseNumber(text, *format);
            if (std::isinf(expected)) {
                EXPECT_EQ(back.error, ParseError::Overflow) << text;
                continue;
            }
            ASSERT_TRUE(back.ok()) << text;
            EXPECT_EQ(back.value, expected) << text;
        }
    }
}

// An optional minus, digits, the separator and exactly two digits.
bool hasFixedShape(const std::string& text, const NumberFormat& format)
{
    const auto digits
        = [](std::string_view s) { return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos; };
    std::string_view rest = text;
    if (rest.starts_with('-'))
        rest.remove_prefix(1);
    const auto separator = rest.find(format.decimalSeparator);
    return separator != std::string_view::npos && digits(rest.substr(0, separator))
        && rest.size() - separator - format.decimalSeparator.size() == 2
        && digits(rest.substr(separator + format.decimalSeparator.size()));
}

TEST(CaptionRoundTrip, FixedTextReadsBackAsRoundFixed)
{
    for (const double x : spreadOfDoubles()) {
        const double rounded = RoundFixed(x);
        for (const NumberFormat* format : {&kPeriod, &kComma}) {
            const std::string text = FormatFixed(x, *format);
            EXPECT_TRUE(hasFixedShape(text, *format)) << text;
            EXPECT_EQ(text.front() == '-', rounded < 0) << "zero has no sign: " << text;
            EXPECT_EQ(ParseNumber(text, *format), rounded) << text;
            EXPECT_EQ(FormatFixed(rounded, *format), text) << "rounding twice changes " << x;
        }
        if (std::abs(x) < 1e9) {
            EXPECT_LE(std::abs(rounded - x), 0.005 + 1e-6) << x;
        }
    }
}

} // namespace
} // namespace qvd
