// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The width recalculation, run by writing the width caption.

#include "table_model.h"

#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <vector>

namespace qvd::test {
namespace {

constexpr auto In = UnitSystem::Inches;
constexpr auto Cm = UnitSystem::Centimetres;

const RowCase kWidthChangeRows[] = {
    // The start-up table: 100 in. at 10 degrees.
    {"Start_Ulmo", In, "100", "10", Ulmo, numbers("162.80", "165.33", "3.25")},
    {"Start_Tovan", In, "100", "10", Tovan, numbers("160.50", "163.06", "2.88")},
    {"Start_Brisa", In, "100", "10", Brisa, numbers("132", "136.49", "-3.21")},
    {"Start_CorvinNrx", In, "100", "10", CorvinNrx, tooBig()},
    {"Start_CorvinWt1", In, "100", "10", CorvinWt1, numbers("181.80", "185.54", "5.4")},
    {"Start_CorvinWt2", In, "100", "10", CorvinWt2, tooSmall()},
    {"Start_HaldenNrx", In, "100", "10", HaldenNrx, tooBig()},
    {"Start_HaldenWt1", In, "100", "10", HaldenWt1, numbers("153.8", "157.96", "0.57")},
    {"Start_HaldenWt2", In, "100", "10", HaldenWt2, tooSmall()},
    // Level projector: cos 0 = 1, no rise; each row's zero-angle caption form.
    {"Level_Ulmo_General", In, "100", "0", Ulmo, numbers("162.80", "167.80", "-25")},
    {"Level_Tovan_Fixed", In, "100", "0", Tovan, numbers("160.50", "165.50", "-25.00")},
    {"Level_Brisa", In, "100", "0", Brisa, numbers("132", "138.50", "-26.16")},
    {"Level_CorvinWt1", In, "100", "0", CorvinWt1, numbers("181.80", "188.3", "-26.16")},
    {"Level_HaldenWt1", In, "100", "0", HaldenWt1, numbers("153.8", "160.30", "-26.16")},
    {"Level101_Ulmo_Unrounded", In, "101", "0", Ulmo, numbers("164.36", "169.36", "-25.375")},
    {"Level101_Tovan_Fixed", In, "101", "0", Tovan, numbers("162.02", "167.02", "-25.38")},
    {"Level101_Brisa", In, "101", "0", Brisa, numbers("133.22", "139.72", "-26.54")},
    {"Level101_CorvinWt1", In, "101", "0", CorvinWt1, numbers("183.57", "190.07", "-26.535")},
    {"Level101_HaldenWt1", In, "101", "0", HaldenWt1, numbers("155.29", "161.79", "-26.535")},
    // Tilted down: the rise is taken off for every row.
    {"Down_Ulmo", In, "100", "-10", Ulmo, numbers("162.80", "165.33", "-53.25")},
    {"Down_Tovan", In, "100", "-10", Tovan, numbers("160.50", "163.06", "-52.88")},
    {"Down_Brisa", In, "100", "-10", Brisa, numbers("132", "136.49", "-49.11")},
    {"Down_CorvinWt1", In, "100", "-10", CorvinWt1, numbers("181.80", "185.54", "-57.72")},
    {"Down_HaldenWt1", In, "100", "-10", HaldenWt1, numbers("153.8", "157.96", "-52.89")},
    // Regression: Corvin WT2 once added its rise below the screen centre (4.38).
    {"Down120_CorvinWt2_RiseTakenOff", In, "120", "-10", CorvinWt2, numbers("218.9", "222.07", "-71.70")},
    {"Down120_HaldenWt1", In, "120", "-10", HaldenWt1, numbers("183.6", "187.31", "-65.55")},
    {"Up120_CorvinWt2", In, "120", "10", CorvinWt2, numbers("218.9", "222.07", "4.38")},
    // Ulmo and Tovan share the lower limit; Tovan has no upper one.
    {"Width47_Ulmo", In, "47", "10", Ulmo, tooSmall()},
    {"Width47_Tovan", In, "47", "10", Tovan, tooSmall()},
    {"Width47_Brisa", In, "47", "10", Brisa, numbers("67.34", "72.82", "5.40")},
    {"Width48_Ulmo", In, "48", "10", Ulmo, numbers("81.89", "85.64", "8.75")},
    {"Width48_Tovan", In, "48", "10", Tovan, numbers("81.72", "85.48", "8.68")},
    {"Width160_Ulmo", In, "160", "10", Ulmo, numbers("256.16", "257.27", "-3.03")},
    {"Width161_Ulmo", In, "161", "10", Ulmo, tooBig()},
    {"Width161_Tovan", In, "161", "10", Tovan, numbers("252.92", "254.07", "-3.91")},
    // NRX rows at both limits: the warning is written, then overwritten.
    {"Width50_CorvinNrx", In, "50", "10", CorvinNrx, numbers("94.3", "99.37", "8.95")},
    {"Width72_CorvinNrx", In, "72", "10", CorvinNrx, numbers("134.34", "138.8", "7.66")},
    {"Width49_CorvinNrx", In, "49", "10", CorvinNrx, tooSmall()},
    {"Width73_CorvinNrx", In, "73", "10", CorvinNrx, tooBig()},
    {"Width59_HaldenNrx", In, "59", "10", HaldenNrx, numbers("94.16", "99.23", "5.57")},
    {"Width86_HaldenNrx", In, "86", "10", HaldenNrx, numbers("135.74", "140.18", "2.65")},
    // The WT rows at exactly their lower limit are calculated, never left stale.
    {"Width72_CorvinWt1", In, "72", "10", CorvinWt1, numbers("132.24", "136.73", "7.31")},
    {"Width106_CorvinWt1", In, "106", "10", CorvinWt1, numbers("192.42", "196", "4.98")},
    {"Width106_CorvinWt2", In, "106", "10", CorvinWt2, numbers("193.42", "196.98", "5.19")},
    {"Width107_CorvinWt1", In, "107", "10", CorvinWt1, tooBig()},
    {"Width86_HaldenWt1", In, "86", "10", HaldenWt1, numbers("132.94", "137.42", "2.18")},
    {"Width125_HaldenWt1", In, "125", "10", HaldenWt1, numbers("191.05", "194.65", "-2.38")},
    {"Width125_HaldenWt2", In, "125", "10", HaldenWt2, numbers("193", "196.57", "-2.04")},
    {"Width124_HaldenWt2", In, "124", "10", HaldenWt2, tooSmall()},
    {"Cm183_CorvinWt1", Cm, "183", "10", CorvinWt1, numbers("336.11", "347.51", "18.57")},
    {"Cm269_CorvinWt2", Cm, "269", "10", CorvinWt2, numbers("490.85", "499.90", "13.18")},
    {"Cm219_HaldenWt1", Cm, "219", "10", HaldenWt1, numbers("338.51", "349.88", "5.45")},
    {"Cm318_HaldenWt2", Cm, "318", "10", HaldenWt2, numbers("490.99", "500.04", "-5.19")},
    // Centimetres use their own constants.
    {"Cm250_Ulmo", Cm, "250", "10", Ulmo, numbers("407.00", "413.52", "8.66")},
    {"Cm250_CorvinWt1", Cm, "250", "10", CorvinWt1, numbers("454.70", "464.3", "14.02")},
    {"Cm250_HaldenWt1", Cm, "250", "10", HaldenWt1, numbers("384.7", "395.37", "1.83")},
    {"Cm250_CorvinNrx", Cm, "250", "10", CorvinNrx, tooBig()},
    {"Cm250_HaldenNrx", Cm, "250", "10", HaldenNrx, tooBig()},
    {"Cm250_CorvinWt2", Cm, "250", "10", CorvinWt2, tooSmall()},
    {"Cm250_HaldenWt2", Cm, "250", "10", HaldenWt2, tooSmall()},
    // The smallest diagonal width: the difference of squares is zero but for
    // the rounding of the doubles, and the rise is 0 for either sign.
    {"Width39_2_Up1_Brisa", In, "39.2", "1", Brisa, numbers("57.82", "64.32", "-3.36")},
    {"Width39_2_Down1_Brisa", In, "39.2", "-1", Brisa, numbers("57.82", "64.32", "-3.36")},
};

class WidthRecalculation : public ::testing::TestWithParam<RowCase> {};

TEST_P(WidthRecalculation, ShowsRow)
{
    const RowCase& c = GetParam();
    TableModel model;
    if (c.units == Cm)
        model.useCentimetres();
    model.setWidth(c.width); // the angle recalculation needs a width to read
    model.setAngle(c.angle);
    model.setWidth(c.width);
    EXPECT_EQ(model.row(c.row), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, WidthRecalculation, ::testing::ValuesIn(kWidthChangeRows),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WidthRecalculation, WarnedRowTurnsBlackWhenCalculatedAgain)
{
    for (const char* angle : {"10", "0", "-10"}) {
        TableModel model;
        model.setWidth("30");
        model.setAngle(angle);
        model.setWidth("30"); // every row warns
        for (std::size_t row = 0; row < kRowCount; ++row)
            ASSERT_TRUE(model.row(row).red) << "row " << row;
        model.setWidth("130");
        for (std::size_t row : {Tovan, Brisa, CorvinWt2, HaldenWt2}) {
            const RowText text = model.row(row);
            EXPECT_FALSE(text.red) << "row " << row << " at angle " << angle;
            EXPECT_NE(text.verticalOffset, "Small") << "row " << row << " at angle " << angle;
        }
    }
}

TEST(WidthRecalculation, EveryRowShowsResultsOrWarningAtEveryBarWidth)
{
    // Every width that the three size bars give, in both units: no row may keep
    // what it showed for an earlier width.
    for (UnitSystem units : {In, Cm}) {
        TableModel model;
        if (units == Cm)
            model.useCentimetres();
        const int last = units == In ? 240 : 610;
        for (int width = units == In ? 39 : 99; width <= last; ++width) {
            model.setWidth("0"); // leaves rows that this width does not reach stale
            model.setWidth(std::to_string(width));
            for (std::size_t row = 0; row < kRowCount; ++row) {
                const ProjectorRow& r = projectorTable()[row];
                const RowLengths& lengths = lengthsFor(r, units);
                const bool inRange = width >= lengths.minWidth && (!r.hasMaxWidth || width <= lengths.maxWidth);
                ASSERT_EQ(model.row(row).red, !inRange) << "row " << row << " at " << width;
            }
        }
    }
}

TEST(WidthRecalculation, WidthsNoBarGivesStillShowResultsOrWarnings)
{
    struct Case {
        const char* width;
        std::size_t row;
        RowText expected;
    };
    const Case cases[] = {
        {"-5", Brisa, tooSmall()},
        {"0", Tovan, tooSmall()},
        {" +1E2 ", Ulmo, numbers("162.80", "165.33", "3.25")},
        {"1000000", Ulmo, tooBig()},
        {"1000000", HaldenWt2, numbers("1540000.5", "1516610.93", "-107570.37")},
        {"1e-300", HaldenWt2, tooSmall()},
    };
    for (const Case& c : cases) {
        TableModel model;
        ASSERT_NO_THROW(model.setWidth(c.width)) << c.width;
        EXPECT_EQ(model.row(c.row), c.expected) << "width " << c.width;
    }
}

TEST(UnitSelection, NoUnitSelectedZeroesEveryLengthButTheSlopes)
{
    TableModel model;
    model.controls.setOptionValue(model.inches, false);
    model.setWidth("100");
    for (std::size_t row : {Ulmo, CorvinNrx, CorvinWt1, HaldenNrx, HaldenWt1})
        EXPECT_EQ(model.row(row), tooBig()) << "row " << row;
    // T = 100 x slope, S = cos 10 x T, offset = rise - 37.5.
    EXPECT_EQ(model.row(Tovan), numbers("151.50", "149.20", "-11.20"));
    EXPECT_EQ(model.row(Brisa), numbers("122", "120.15", "-16.33"));
    EXPECT_EQ(model.row(CorvinWt2), numbers("182", "179.24", "-5.92"));
    EXPECT_EQ(model.row(HaldenWt2), numbers("154", "151.66", "-10.76"));
}

TEST(UnitSelection, CentimetreOptionWinsWhenBothReadSelected)
{
    TableModel both;
    both.controls.setOptionValue(both.centimetres, true);
    both.setWidth("250");
    TableModel centimetres;
    centimetres.useCentimetres();
    centimetres.setWidth("250");
    for (std::size_t row = 0; row < kRowCount; ++row)
        EXPECT_EQ(both.row(row), centimetres.row(row)) << "row " << row;
}

TEST(UnitSelection, CentimetreConstantsAreNotConversions)
{
    TableModel inches;
    inches.setWidth("100");
    TableModel centimetres;
    centimetres.useCentimetres();
    centimetres.setWidth("254");
    // 100 x 1.556 + 7.2 = 162.80 in.; 254 x 1.556 + 18 = 413.22 cm, not 413.51.
    EXPECT_EQ(inches.row(Ulmo).throwDistance, "162.80");
    EXPECT_EQ(centimetres.row(Ulmo).throwDistance, "413.22");
}

TEST(WidthRecalculation, WritesNothingButTheResultLabels)
{
    TableModel model;
    std::vector<ControlId> written;
    const Connection watching = model.controls.onChange([&](ControlId id, Property) { written.push_back(id); });
    model.setWidth("100");
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.front(), model.width);
    for (std::size_t i = 1; i < written.size(); ++i) {
        EXPECT_NE(written[i], model.width);
        EXPECT_NE(written[i], model.angle);
        EXPECT_NE(written[i], model.height);
        EXPECT_NE(written[i], model.diagonal);
    }
}

TEST(WidthRecalculation, CommaSeparatorWritesAndReadsCommaCaptions)
{
    TableModel model(NumberFormat{","});
    model.setWidth("41,33");
    // 41.33 x 1.22 + 10 = 60.4226; the unrounded 41.333... would give 60.43.
    EXPECT_EQ(model.row(Brisa).throwDistance, "60,42");
    model.setWidth("100");
    EXPECT_EQ(model.row(Ulmo), numbers("162,80", "165,33", "3,25"));
}

struct FailureCase {
    const char* name;
    const char* width;
    const char* angle;
    ErrorKind kind;
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class WidthRecalculationFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(WidthRecalculationFailure, StopsWithEarlierCaptionsKept)
{
    const FailureCase& c = GetParam();
    TableModel model;
    model.setWidth("100");
    std::vector<RowText> before;
    for (std::size_t row = 0; row < kRowCount; ++row)
        before.push_back(model.row(row));

    // The angle caption is written without running its recalculation.
    model.controls.setHandler(model.angle, Event::Change, {});
    model.setAngle(c.angle);
    try {
        model.setWidth(c.width);
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), c.kind);
    }
    EXPECT_EQ(model.caption(model.width), c.width);
    // Nothing past the failing step was written: the rows after Tovan keep
    // the start-up table.
    for (std::size_t row = Brisa; row < kRowCount; ++row)
        EXPECT_EQ(model.row(row), before[row]) << "row " << row;
}

const FailureCase kFailureCases[] = {
    {"WidthNotANumber", "abc", "10", ErrorKind::TypeMismatch},
    {"WidthEmpty", "", "10", ErrorKind::TypeMismatch},
    {"WidthBeyondDoubles", "1e999", "10", ErrorKind::Overflow},
    {"ThrowOverflows", "1.5e308", "10", ErrorKind::Overflow},
    {"SquareOfThrowOverflows", "1e308", "10", ErrorKind::Overflow},
    {"AngleNotANumber", "100", "ten", ErrorKind::TypeMismatch},
    {"AngleWithInnerBlank", "100", "1 0", ErrorKind::TypeMismatch},
    {"AngleBeyondDoubles", "100", "1e999", ErrorKind::Overflow},
};

INSTANTIATE_TEST_SUITE_P(Errors, WidthRecalculationFailure, ::testing::ValuesIn(kFailureCases),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WidthRecalculationFailure, BadAngleStopsAtFirstSignTest)
{
    TableModel model;
    model.setWidth("100");
    model.controls.setHandler(model.angle, Event::Change, {});
    model.setAngle("ten"); // reads as 0 degrees for the cosine, fails as a number
    EXPECT_THROW(model.setWidth("101"), RuntimeError);
    // Ulmo got its throw and straight line (cos 0), then the sign test failed.
    EXPECT_EQ(model.row(Ulmo), numbers("164.36", "169.36", "3.25"));
    EXPECT_EQ(model.row(Tovan), numbers("160.50", "163.06", "2.88"));
}

TEST(WidthRecalculationFailure, BadAngleIsNeverReadWhenNoRowIsCalculated)
{
    TableModel model;
    model.controls.setHandler(model.angle, Event::Change, {});
    model.setAngle("ten");
    EXPECT_NO_THROW(model.setWidth("30"));
    EXPECT_EQ(model.row(Brisa), tooSmall());
}

TEST(WidthRecalculationFailure, OverflowLeavesTheRowBlackWithOldCaptions)
{
    TableModel model;
    model.setWidth("30"); // Tovan warns in red
    EXPECT_THROW(model.setWidth("1.5e308"), RuntimeError);
    // Ulmo warned "Big"; Tovan's colours were set black before its throw overflowed.
    EXPECT_EQ(model.row(Ulmo), tooBig());
    EXPECT_EQ(model.row(Tovan).throwDistance, "Screen");
    EXPECT_EQ(model.controls.control(model.resultLabel(Tovan, Column::Throw)).foreColor, kBlack);
}

} // namespace
} // namespace qvd::test
