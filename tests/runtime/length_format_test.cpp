// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Feet and inches from a caption's text: the worked examples, the halves of
// eighths, other caption forms, and every two-decimal caption of plausible
// lengths against an exact rational model.

#include "runtime/length_format.h"

#include "feet_inches_model.h"

#include <gtest/gtest.h>

#include <string>

namespace qvd {
namespace {

const NumberFormat kPoint{"."};

TEST(FeetAndInches, ReadsCaptionsAsATapeMeasure)
{
    const struct {
        const char* caption;
        const char* shown;
    } cases[] = {
        {"162.80", "13' 6 3/4\""},
        {"3.25", "3 1/4\""},
        {"132", "11'"},
        {"-3.21", "-3 1/4\""},
        {"0", "0\""},
        {"-0.01", "0\""},
        {"0.5", "1/2\""},
        {"132.5", "11' 0 1/2\""},
        {"12", "1'"},
        {"11.99", "1'"},
        {"95.94", "8'"},
        {"100", "8' 4\""},
        {"-132", "-11'"},
        // Halves of eighths round away from zero, exactly as written.
        {"0.0625", "1/8\""},
        {"0.06249", "0\""},
        {"-0.0625", "-1/8\""},
        {"3.1875", "3 1/4\""},
        {"3.1874999999", "3 1/8\""},
        {"11.9375", "1'"},
        {"-11.9375", "-1'"},
        // Other caption forms: blanks, a plus, an exponent.
        {" 48 ", "4'"},
        {"+1.5", "1 1/2\""},
        {"1.2E+2", "10'"},
        {"6.25E-02", "1/8\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(feetAndInches(c.caption, kPoint), c.shown) << c.caption;
}

TEST(FeetAndInches, LeavesWhatIsNoNumberAsItIs)
{
    for (const char* caption : {"", "Screen", "Too", "1.2.3", "12 in", "1E", "--1", "1E+40"}) {
        EXPECT_FALSE(feetAndInches(caption, kPoint)) << caption;
        EXPECT_EQ(lengthShown(caption, LengthFormat::FeetAndInches, kPoint), caption);
    }
    EXPECT_EQ(lengthShown("162.80", LengthFormat::Decimal, kPoint), "162.80");
    EXPECT_EQ(lengthShown("162,80", LengthFormat::FeetAndInches, NumberFormat{","}), "13' 6 3/4\"");
    EXPECT_EQ(lengthShown("162.80", LengthFormat::FeetAndInches, NumberFormat{","}), "162.80");
}

TEST(FeetAndInches, AgreesWithTheRationalModelOnEveryTwoDecimalLength)
{
    // Every fraction in every inch of the first feet, on both sides of zero;
    // the captions the table shows are checked in the window's own tests.
    for (int hundredths = -25000; hundredths <= 25000; ++hundredths) {
        const int magnitude = hundredths < 0 ? -hundredths : hundredths;
        std::string caption = std::to_string(magnitude / 100) + "." + std::to_string(magnitude % 100 / 10)
            + std::to_string(magnitude % 10);
        if (hundredths < 0)
            caption.insert(0, "-");
        ASSERT_EQ(feetAndInches(caption, kPoint), test::referenceFeetAndInches(caption)) << caption;
    }
}

} // namespace
} // namespace qvd
