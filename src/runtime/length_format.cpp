// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "length_format.h"

#include <cstdlib>

namespace qvd {

namespace {

constexpr std::int64_t kEighthsPerFoot = 96;
// Beyond this many whole inches a length is no placement: the text is left as it is.
constexpr std::size_t kMaxIntegerDigits = 9;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The number's digits with the decimal point moved by the exponent: the
// whole part and the fraction, as digit strings.
struct DecimalDigits {
    bool negative = false;
    std::string whole;
    std::string fraction;
};

std::optional<DecimalDigits> decimalDigits(std::string_view text, const NumberFormat& format)
{
    text = trimmed(text);
    DecimalDigits number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string digits;
    std::size_t point = std::string::npos;
    bool separatorSeen = false;
    while (!text.empty()) {
        if (isDigit(text.front())) {
            digits += text.front();
            text.remove_prefix(1);
        } else if (!separatorSeen && !format.decimalSeparator.empty() && text.starts_with(format.decimalSeparator)) {
            separatorSeen = true;
            point = digits.size();
            text.remove_prefix(format.decimalSeparator.size());
        } else {
            break;
        }
    }
    if (digits.empty())
        return std::nullopt;
    if (point == std::string::npos)
        point = digits.size();
    long exponent = 0;
    if (!text.empty() && (text.front() == 'E' || text.front() == 'e')) {
        text.remove_prefix(1);
        bool negativeExponent = false;
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            negativeExponent = text.front() == '-';
            text.remove_prefix(1);
        }
        if (text.empty())
            return std::nullopt;
        while (!text.empty() && isDigit(text.front())) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text.front() - '0');
            text.remove_prefix(1);
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    if (!text.empty())
        return std::nullopt;
    // Move the point; pad with zeros on either side as needed.
    long newPoint = static_cast<long>(point) + exponent;
    if (newPoint < 0) {
        digits.insert(0, static_cast<std::size_t>(-newPoint), '0');
        newPoint = 0;
    } else if (newPoint > static_cast<long>(digits.size())) {
        if (newPoint > static_cast<long>(digits.size() + kMaxIntegerDigits + 1))
            return std::nullopt;
        digits.append(static_cast<std::size_t>(newPoint) - digits.size(), '0');
    }
    number.whole = digits.substr(0, static_cast<std::size_t>(newPoint));
    number.fraction = digits.substr(static_cast<std::size_t>(newPoint));
    const std::size_t firstDigit = number.whole.find_first_not_of('0');
    number.whole = firstDigit == std::string::npos ? std::string() : number.whole.substr(firstDigit);
    if (number.whole.size() > kMaxIntegerDigits)
        return std::nullopt;
    return number;
}

// The fraction 0.f1f2f3... in eighths, rounded half up. With 16 x fraction =
// c + r (c whole, 0 <= r < 1), the eighths are floor((16 x fraction + 1) / 2)
// = floor((c + 1 + r) / 2) = (c + 1) / 2 in whole numbers, whatever r is: the
// whole part of 16 x fraction decides, and a tie (r = 0, c odd) goes up.
std::int64_t fractionInEighths(const std::string& fraction)
{
    int carry = 0;
    for (std::size_t i = fraction.size(); i-- > 0;)
        carry = ((fraction[i] - '0') * 16 + carry) / 10;
    return (carry + 1) / 2;
}

} // namespace

std::string feetAndInchesFromEighths(std::int64_t eighths)
{
    const bool negative = eighths < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(eighths) : eighths;
    const std::uint64_t feet = magnitude / kEighthsPerFoot;
    const std::uint64_t inchEighths = magnitude % kEighthsPerFoot;
    const std::uint64_t inches = inchEighths / 8;
    std::uint64_t numerator = inchEighths % 8;
    std::uint64_t denominator = 8;
    while (numerator != 0 && numerator % 2 == 0) {
        numerator /= 2;
        denominator /= 2;
    }

    // Whole inches are written when there are any, before a fraction that
    // follows feet (11' 0 1/2"), and alone for a zero length (0").
    std::string inchText;
    if (inches != 0 || (numerator != 0 && feet != 0))
        inchText = std::to_string(inches);
    if (numerator != 0)
        inchText += (inchText.empty() ? "" : " ") + std::to_string(numerator) + "/" + std::to_string(denominator);
    if (inchText.empty() && feet == 0)
        inchText = "0";
    std::string text = negative && magnitude != 0 ? "-" : "";
    if (feet != 0)
        text += std::to_string(feet) + "'";
    if (!inchText.empty())
        text += (feet != 0 ? " " : "") + inchText + "\"";
    return text;
}

std::optional<std::string> feetAndInches(std::string_view caption, const NumberFormat& format)
{
    const auto number = decimalDigits(caption, format);
    if (!number)
        return std::nullopt;
    std::int64_t eighths = 0;
    for (const char digit : number->whole)
        eighths = eighths * 10 + (digit - '0');
    eighths = eighths * 8 + fractionInEighths(number->fraction);
    return feetAndInchesFromEighths(number->negative ? -eighths : eighths);
}

std::string lengthShown(std::string_view caption, LengthFormat lengths, const NumberFormat& format)
{
    if (lengths == LengthFormat::FeetAndInches) {
        if (auto text = feetAndInches(caption, format))
            return *std::move(text);
    }
    return std::string(caption);
}

} // namespace qvd
