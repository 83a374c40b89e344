// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "caption_text.h"

#include "decimal_text.h"

#include "runtime_error.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <langinfo.h>
#include <limits>
#include <locale.h>
#include <optional>
#include <system_error>
#include <utility>

namespace qvd {

namespace {

constexpr int kSignificantDigits = 15;

// A finite nonzero double rounded to 15 significant decimal digits:
// magnitude = d0.d1d2...d14 x 10^exponent.
struct Decimal15 {
    std::array<char, kSignificantDigits> digits{};
    int exponent = 0;
    bool negative = false;
    int significant = kSignificantDigits; // digits left after dropping trailing zeros
};

void requireFinite(double x)
{
    if (std::isnan(x))
        throw RuntimeError(ErrorKind::InvalidOperation);
    if (std::isinf(x))
        throw RuntimeError(ErrorKind::Overflow);
}

Decimal15 toDecimal15(double x)
{
    // "d.dddddddddddddde+XXX": to_chars rounds the exact binary value correctly.
    std::array<char, 32> buffer{};
    // 32 characters always suffice for 15 digits and a 3-digit exponent.
    const char* end = writeScientific(buffer.data(), buffer.data() + buffer.size(), x, kSignificantDigits - 1);
    Decimal15 d;
    const char* p = buffer.data();
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    d.digits[0] = *p++;
    ++p; // the period
    for (int i = 1; i < kSignificantDigits; ++i)
        d.digits[i] = *p++;
    ++p; // 'e'
    const bool negativeExponent = *p++ == '-';
    int exponent = 0;
    std::from_chars(p, end, exponent);
    d.exponent = negativeExponent ? -exponent : exponent;
    while (d.significant > 1 && d.digits[d.significant - 1] == '0')
        --d.significant;
    return d;
}

// Value is 0.005 or more in magnitude below the cents: add one cent to the
// decimal digits in `cents`, carrying as far as needed.
void incrementDigits(std::string& cents)
{
    for (auto it = cents.rbegin(); it != cents.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    cents.insert(cents.begin(), '1');
}

// The exact fast path of the two-decimal rounding, for magnitudes below 1e6.
// Away from a half cent the 15-digit form and the double round alike: x * 100
// is off by under 1e-8 and the 15-digit form by under 1e-7, so a fractional
// part more than 1e-6 from one half decides alone. Near the half cent tau the
// 15-digit form decides: it reaches tau (and so rounds up) when x lies at most
// half a unit of its 15th digit below tau. Returns false where it cannot
// decide; the caller then takes the decimal path.
std::optional<std::uint64_t> fastCents(double x)
{
    const double magnitude = std::fabs(x);
    const double hundredths = magnitude * 100.0;
    if (!(hundredths < 1e8))
        return std::nullopt;
    const double whole = std::floor(hundredths);
    const double fraction = hundredths - whole;
    if (std::fabs(fraction - 0.5) >= 1e-6)
        return static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    // 1000 x - 1000 tau, with one rounding: the half cent is (whole + 0.5) / 100.
    const double offset = std::fma(magnitude, 1000.0, -(whole * 10.0 + 5.0));
    // Half a unit of the 15th significant digit, in thousandths: 0.5 x 10^(e - 11)
    // for 10^e <= magnitude < 10^(e + 1), e from -3 (magnitude >= 0.005) to 5.
    static constexpr double kHalfUnits[] = {5e-15, 5e-14, 5e-13, 5e-12, 5e-11, 5e-10, 5e-9, 5e-8, 5e-7};
    int e = -3;
    for (double power = 1e-2; e < 5 && magnitude >= power; power *= 10)
        ++e;
    const double halfUnit = kHalfUnits[e + 3];
    if (std::fabs(offset + halfUnit) < halfUnit * 1e-3)
        return std::nullopt;
    return static_cast<std::uint64_t>(whole) + (offset >= -halfUnit ? 1 : 0);
}

// Writes cents as a two-decimal number; `trimZeros` drops trailing zeros of
// the decimals (and the separator with them), as FormatGeneral writes it.
std::string centsText(std::uint64_t cents, bool negative, bool trimZeros, const NumberFormat& format)
{
    // Digits from the right: two decimals, then the integer part.
    std::array<char, 24> digits{};
    std::size_t count = 0;
    for (std::uint64_t rest = cents; count < 3 || rest != 0; rest /= 10)
        digits[count++] = static_cast<char>('0' + rest % 10);
    std::size_t decimals = 2;
    if (trimZeros) {
        while (decimals > 0 && digits[2 - decimals] == '0')
            --decimals;
    }
    std::string text;
    text.reserve(count + format.decimalSeparator.size() + 1);
    if (negative && cents != 0)
        text.push_back('-');
    for (std::size_t i = count; i > 2; --i)
        text.push_back(digits[i - 1]);
    if (decimals > 0) {
        text += format.decimalSeparator;
        text.push_back(digits[1]);
        if (decimals == 2)
            text.push_back(digits[0]);
    }
    return text;
}

// A number rounded to hundredths: the digits of its magnitude in hundredths
// (at least three, so that the last two are the decimals) and its sign.
struct Cents {
    std::string digits = "000";
    bool negative = false;
};

// x rounded half away from zero to hundredths on its 15-digit form; negative
// only when the rounded value is below zero.
Cents centsOf(double x)
{
    if (x == 0.0)
        return {};
    const Decimal15 d = toDecimal15(x);
    // Digit i of d has the place value 10^(exponent - i); the hundredths sit at
    // i = exponent + 2 and the deciding third decimal at i = exponent + 3.
    const int centsDigits = d.exponent + 3;
    std::string cents;
    if (centsDigits > 0) {
        cents.reserve(static_cast<std::size_t>(centsDigits) + 1);
        for (int i = 0; i < centsDigits; ++i)
            cents.push_back(i < kSignificantDigits ? d.digits[i] : '0');
    }
    const char decider = centsDigits >= 0 && centsDigits < kSignificantDigits ? d.digits[centsDigits] : '0';
    if (decider >= '5')
        incrementDigits(cents);
    const auto firstNonZero = cents.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return {};
    cents.erase(0, firstNonZero);
    if (cents.size() < 3)
        cents.insert(0, 3 - cents.size(), '0');
    return {std::move(cents), d.negative};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the decimal number held in `normalized` (ASCII digits, '.', 'e') as
// the nearest double. Magnitudes below the double range read as 0 (underflow
// is not an error); one above it is an Overflow with an infinite value.
ParseResult readNormalized(const std::string& normalized, long decimalMagnitude)
{
    const DecimalReading reading = readDecimal(normalized.data(), normalized.data() + normalized.size());
    const double value = reading.value;
    if (reading.error == std::errc::result_out_of_range) {
        if (decimalMagnitude > 0)
            return {std::numeric_limits<double>::infinity(), ParseError::Overflow};
        return {0.0, ParseError::None};
    }
    return {value, ParseError::None};
}

// Collects a number's parts as they are read, then converts them.
class NumberBuilder {
public:
    void addDigit(char c, bool fraction)
    {
        m_anyDigit = true;
        if (m_text.empty() && c == '0' && !fraction) {
            return; // leading integer zeros carry no magnitude
        }
        if (fraction && !m_fractionStarted) {
            if (m_text.empty())
                m_text.push_back('0');
            m_text.push_back('.');
            m_fractionStarted = true;
        }
        if (!fraction)
            ++m_integerDigits;
        else if (!m_significantSeen && c == '0')
            ++m_leadingFractionZeros;
        if (c != '0')
            m_significantSeen = true;
        m_text.push_back(c);
        if (m_mantissaDigits < 19) {
            m_mantissa = m_mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (fraction)
                ++m_mantissaFractionDigits;
        }
        ++m_mantissaDigits;
    }
    void addExponentDigit(char c)
    {
        // Saturate: anything this large is out of range whichever way.
        if (m_exponent < 1'000'000)
            m_exponent = m_exponent * 10 + (c - '0');
    }
    void setNegative(bool negative) { m_negative = negative; }
    void setExponentNegative(bool negative) { m_exponentNegative = negative; }
    [[nodiscard]] bool anyDigit() const { return m_anyDigit; }

    // The value read, with no negative zero; an Overflow beyond the double
    // range, whose value is then an infinity of its sign.
    [[nodiscard]] ParseResult value() const
    {
        if (!m_significantSeen)
            return {};
        const long exponent = m_exponentNegative ? -m_exponent : m_exponent;
        // The exact fast path: a mantissa of at most 2^53 scaled by a power of
        // ten that a double holds exactly is one correctly rounded operation.
        constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;
        const long scale = exponent - m_mantissaFractionDigits;
        if (m_mantissaDigits <= 19 && m_mantissa <= kExactMantissa && scale >= -22 && scale <= 22) {
            static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12,
                1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
            const double mantissa = static_cast<double>(m_mantissa);
            const double magnitudeValue = scale < 0 ? mantissa / kPowers[-scale] : mantissa * kPowers[scale];
            return {m_negative ? -magnitudeValue : magnitudeValue, ParseError::None};
        }
        std::string normalized = m_text.empty() ? std::string("0") : m_text;
        normalized.push_back('e');
        normalized += std::to_string(exponent);
        const long magnitude = exponent + (m_integerDigits > 0 ? m_integerDigits : -m_leadingFractionZeros);
        ParseResult read = readNormalized(normalized, magnitude);
        if (read.value == 0.0)
            return {};
        if (m_negative)
            read.value = -read.value;
        return read;
    }

private:
    std::string m_text;
    std::uint64_t m_mantissa = 0;      // the significant digits read, while they fit
    long m_mantissaDigits = 0;         // significant digits read in all
    long m_mantissaFractionDigits = 0; // of those that fit, how many follow the separator
    long m_integerDigits = 0;
    long m_leadingFractionZeros = 0;
    long m_exponent = 0;
    bool m_anyDigit = false;
    bool m_significantSeen = false;
    bool m_fractionStarted = false;
    bool m_negative = false;
    bool m_exponentNegative = false;
};

} // namespace

NumberFormat NumberFormat::fromEnvironment()
{
    NumberFormat format;
    locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr))
        return format;
    const char* radix = nl_langinfo_l(RADIXCHAR, locale);
    if (radix != nullptr && *radix != '\0')
        format.decimalSeparator = radix;
    freelocale(locale);
    return format;
}

std::string FormatInteger(int n)
{
    std::array<char, 16> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), n);
    (void)ec;
    return std::string(buffer.data(), end);
}

std::string FormatGeneral(double x, const NumberFormat& format)
{
    requireFinite(x);
    if (x == 0.0)
        return "0";
    const Decimal15 d = toDecimal15(x);
    std::string text;
    if (d.negative)
        text.push_back('-');
    const int e = d.exponent;
    if (e >= -4 && e < 15) {
        if (e < 0) {
            text.push_back('0');
            text += format.decimalSeparator;
            text.append(static_cast<std::size_t>(-e - 1), '0');
            text.append(d.digits.data(), static_cast<std::size_t>(d.significant));
        } else {
            for (int i = 0; i <= e; ++i)
                text.push_back(i < d.significant ? d.digits[i] : '0');
            if (d.significant > e + 1) {
                text += format.decimalSeparator;
                text.append(d.digits.data() + e + 1, static_cast<std::size_t>(d.significant - e - 1));
            }
        }
        return text;
    }
    text.push_back(d.digits[0]);
    if (d.significant > 1) {
        text += format.decimalSeparator;
        text.append(d.digits.data() + 1, static_cast<std::size_t>(d.significant - 1));
    }
    text.push_back('E');
    text.push_back(e < 0 ? '-' : '+');
    const int magnitude = e < 0 ? -e : e;
    if (magnitude < 10)
        text.push_back('0');
    text += std::to_string(magnitude);
    return text;
}

std::string FormatFixed(double x, const NumberFormat& format)
{
    requireFinite(x);
    if (const auto cents = fastCents(x))
        return centsText(*cents, x < 0, false, format);
    const Cents cents = centsOf(x);
    const std::string& digits = cents.digits;
    std::string text;
    text.reserve(digits.size() + format.decimalSeparator.size() + 1);
    if (cents.negative)
        text.push_back('-');
    text.append(digits, 0, digits.size() - 2);
    text += format.decimalSeparator;
    text.append(digits, digits.size() - 2, 2);
    return text;
}

double RoundFixed(double x)
{
    requireFinite(x);
    if (const auto cents = fastCents(x)) {
        // One division of two exact numbers: the double nearest to cents / 100.
        const double magnitude = static_cast<double>(*cents) / 100.0;
        return x < 0 && *cents != 0 ? -magnitude : magnitude;
    }
    Cents cents = centsOf(x);
    if (cents.digits == "000")
        return 0.0;
    cents.digits += "e-2";
    const ParseResult magnitude = readNormalized(cents.digits, static_cast<long>(cents.digits.size()));
    if (!magnitude.ok()) // the 15-digit form of the largest doubles lies beyond the range
        throw RuntimeError(ErrorKind::Overflow);
    return cents.negative ? -magnitude.value : magnitude.value;
}

std::string FormatRounded(double x, const NumberFormat& format)
{
    requireFinite(x);
    if (const auto cents = fastCents(x))
        return centsText(*cents, x < 0, true, format);
    return FormatGeneral(RoundFixed(x), format);
}

ParseResult tryParseNumber(std::string_view text, const NumberFormat& format)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {0.0, ParseError::TypeMismatch};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    NumberBuilder number;
    std::size_t i = 0;
    if (text[i] == '-' || text[i] == '+') {
        number.setNegative(text[i] == '-');
        ++i;
    }
    while (i < text.size() && isDigit(text[i]))
        number.addDigit(text[i++], false);
    const std::string_view separator = format.decimalSeparator;
    if (!separator.empty() && text.substr(i, separator.size()) == separator) {
        i += separator.size();
        while (i < text.size() && isDigit(text[i]))
            number.addDigit(text[i++], true);
    }
    if (!number.anyDigit())
        return {0.0, ParseError::TypeMismatch};
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
            number.setExponentNegative(text[i] == '-');
            ++i;
        }
        if (i == text.size() || !isDigit(text[i]))
            return {0.0, ParseError::TypeMismatch};
        while (i < text.size() && isDigit(text[i]))
            number.addExponentDigit(text[i++]);
    }
    if (i != text.size())
        return {0.0, ParseError::TypeMismatch};
    const ParseResult read = number.value();
    if (!read.ok())
        return {0.0, read.error};
    return read;
}

double ParseNumber(std::string_view text, const NumberFormat& format)
{
    const ParseResult result = tryParseNumber(text, format);
    switch (result.error) {
    case ParseError::None:
        break;
    case ParseError::TypeMismatch:
        throw RuntimeError(ErrorKind::TypeMismatch);
    case ParseError::Overflow:
        throw RuntimeError(ErrorKind::Overflow);
    }
    return result.value;
}

double ParseLeadingNumber(std::string_view text)
{
    // The position of the first character from `k` on that is not skipped.
    const auto skipFrom = [&](std::size_t k) {
        while (k < text.size() && (text[k] == ' ' || text[k] == '\t' || text[k] == '\n'))
            ++k;
        return k;
    };
    std::size_t i = skipFrom(0);
    NumberBuilder number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        number.setNegative(text[i] == '-');
        ++i;
    }
    bool fraction = false;
    for (;;) {
        i = skipFrom(i);
        if (i >= text.size())
            break;
        if (isDigit(text[i])) {
            number.addDigit(text[i++], fraction);
        } else if (text[i] == '.' && !fraction) {
            fraction = true;
            ++i;
        } else {
            break;
        }
    }
    if (number.anyDigit() && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        // The exponent counts only when digits follow; "12E" reads as 12.
        std::size_t j = i + 1;
        bool exponentNegative = false;
        j = skipFrom(j);
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) {
            exponentNegative = text[j] == '-';
            j = skipFrom(j + 1);
        }
        if (j < text.size() && isDigit(text[j])) {
            number.setExponentNegative(exponentNegative);
            while (j < text.size() && isDigit(text[j])) {
                number.addExponentDigit(text[j]);
                j = skipFrom(j + 1);
            }
        }
    }
    if (!number.anyDigit())
        return 0.0;
    return number.value().value;
}

} // namespace qvd
