// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The angle recalculation, run by writing the angle caption.

#include "table_model.h"

#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace qvd::test {
namespace {

constexpr auto In = UnitSystem::Inches;
constexpr auto Cm = UnitSystem::Centimetres;

const RowCase kAngleChangeRows[] = {
    // The first three rows drop trailing zeros on an angle change.
    {"Up_Ulmo", In, "100", "10", Ulmo, numbers("162.8", "165.33", "3.25")},
    {"Up_Tovan", In, "100", "10", Tovan, numbers("160.5", "163.06", "2.88")},
    {"Up_Brisa", In, "100", "10", Brisa, numbers("132", "136.49", "-3.21")},
    {"Level_Ulmo", In, "100", "0", Ulmo, numbers("162.8", "167.8", "-25")},
    {"Level_Tovan", In, "100", "0", Tovan, numbers("160.5", "165.5", "-25")},
    {"Level_Brisa", In, "100", "0", Brisa, numbers("132", "138.5", "-26.16")},
    {"Down_Ulmo", In, "100", "-10", Ulmo, numbers("162.8", "165.33", "-53.25")},
    {"Down_Tovan", In, "100", "-10", Tovan, numbers("160.5", "163.06", "-52.88")},
    {"Down_Brisa", In, "100", "-10", Brisa, numbers("132", "136.49", "-49.11")},
    // The other rows write what the width recalculation writes.
    {"Up_CorvinWt1", In, "100", "10", CorvinWt1, numbers("181.80", "185.54", "5.4")},
    {"Level_CorvinWt1", In, "100", "0", CorvinWt1, numbers("181.80", "188.3", "-26.16")},
    {"Down_CorvinWt1", In, "100", "-10", CorvinWt1, numbers("181.80", "185.54", "-57.72")},
    {"Up_HaldenWt1", In, "100", "10", HaldenWt1, numbers("153.8", "157.96", "0.57")},
    {"Up_CorvinNrx_Warns", In, "100", "10", CorvinNrx, tooBig()},
    {"Down_CorvinWt2_Warns", In, "100", "-10", CorvinWt2, tooSmall()},
    {"Down120_CorvinWt2_RiseTakenOff", In, "120", "-10", CorvinWt2, numbers("218.9", "222.07", "-71.70")},
    // Zero-angle offsets with all their decimals.
    {"Level101_Ulmo", In, "101", "0", Ulmo, numbers("164.36", "169.36", "-25.375")},
    {"Level101_Tovan", In, "101", "0", Tovan, numbers("162.02", "167.02", "-25.375")},
    {"Level101_Brisa", In, "101", "0", Brisa, numbers("133.22", "139.72", "-26.535")},
    // Rows 4 to 9 follow the angle in centimetres too.
    {"Cm150_Up5_CorvinNrx", Cm, "150", "5", CorvinNrx, numbers("281.4", "296.84", "-2.93")},
    {"Cm150_Level_CorvinNrx", Cm, "150", "0", CorvinNrx, numbers("281.4", "297.91", "-27.45")},
    {"Cm150_Down5_CorvinNrx", Cm, "150", "-5", CorvinNrx, numbers("281.4", "296.84", "-51.97")},
    {"Cm150_Up5_HaldenNrx", Cm, "150", "5", HaldenNrx, numbers("239.4", "255.00", "-6.6")},
    // The difference of squares comes within the last bits of zero.
    {"Width39_2_Up1_Brisa", In, "39.2", "1", Brisa, numbers("57.82", "64.32", "-3.36")},
    {"Width39_2_Down1_Brisa", In, "39.2", "-1", Brisa, numbers("57.82", "64.32", "-3.36")},
    {"Width39_2_Up2_Brisa", In, "39.2", "2", Brisa, numbers("57.82", "64.29", "-1.50")},
    // A row on a limit where it both warns and is calculated shows numbers.
    {"Width72_CorvinNrx", In, "72", "-5", CorvinNrx, numbers("134.34", "140.33", "-27.35")},
};

class AngleRecalculation : public ::testing::TestWithParam<RowCase> {};

TEST_P(AngleRecalculation, ShowsRow)
{
    const RowCase& c = GetParam();
    TableModel model;
    if (c.units == Cm)
        model.useCentimetres();
    model.setWidth(c.width);
    model.setAngle(c.angle);
    EXPECT_EQ(model.row(c.row), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, AngleRecalculation, ::testing::ValuesIn(kAngleChangeRows),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AngleRecalculation, HeightAndDiagonalFollowTheWidthFirst)
{
    struct Case {
        const char* width;
        const char* height;
        const char* diagonal;
    };
    for (const Case& c : {Case{"100", "75", "125"}, Case{"101", "75.75", "126.25"}, Case{"41.33", "31", "51.66"}}) {
        TableModel model;
        model.setWidth(c.width);
        EXPECT_EQ(model.caption(model.height), "") << c.width;
        std::vector<ControlId> order;
        const Connection watching = model.controls.onChange([&](ControlId id, Property) { order.push_back(id); });
        model.setAngle("5");
        EXPECT_EQ(model.caption(model.height), c.height) << c.width;
        EXPECT_EQ(model.caption(model.diagonal), c.diagonal) << c.width;
        ASSERT_GE(order.size(), 3u);
        EXPECT_EQ(order[1], model.height);
        EXPECT_EQ(order[2], model.diagonal);
    }
}

TEST(AngleRecalculation, WarningsAreWrittenAgainAtEveryChange)
{
    TableModel model;
    model.setWidth("100");
    std::map<ControlId, int> writes;
    const Connection watching = model.controls.onChange([&](ControlId id, Property p) {
        if (p == Property::Caption)
            ++writes[id];
    });
    for (const char* angle : {"9", "10", "0", "-10"})
        model.setAngle(angle);
    for (std::size_t row : {CorvinNrx, HaldenNrx, CorvinWt2, HaldenWt2}) {
        EXPECT_EQ(writes[model.resultLabel(row, Column::Offset)], 4) << "row " << row;
        EXPECT_TRUE(model.row(row).red) << "row " << row;
    }
}

TEST(AngleRecalculation, UnitSwitchAppliesToTheWidthCaptionAsItStands)
{
    TableModel model;
    model.setWidth("80");
    model.useCentimetres(); // changes nothing by itself
    EXPECT_EQ(model.row(Brisa), numbers("107.6", "112.47", "0.00"));
    for (const char* angle : {"10", "0", "-7"}) {
        model.setAngle(angle);
        for (std::size_t row = 0; row < kRowCount; ++row)
            EXPECT_EQ(model.row(row), tooSmall()) << "row " << row << " at angle " << angle;
    }
}

TEST(AngleRecalculation, MatchesTheWidthRecalculationUpToTrailingZeros)
{
    // Same width, unit and angle: rows 4 to 9 are identical, rows 1 to 3 show
    // the same values (the width change's extra zeros aside).
    const auto strip = [](std::string text) {
        if (text.find('.') != std::string::npos) {
            while (text.back() == '0')
                text.pop_back();
            if (text.back() == '.')
                text.pop_back();
        }
        return text;
    };
    for (const char* width : {"39", "48", "72", "100", "106", "160", "240"}) {
        for (const char* angle : {"-15", "-1", "1", "15"}) {
            TableModel byAngle;
            byAngle.setWidth(width);
            byAngle.setAngle(angle);
            TableModel byWidth;
            byWidth.setWidth(width);
            byWidth.setAngle(angle);
            byWidth.setWidth(width);
            for (std::size_t row = 0; row < kRowCount; ++row) {
                RowText a = byAngle.row(row);
                RowText w = byWidth.row(row);
                if (row <= Brisa) {
                    for (std::string* s : {&a.throwDistance, &a.straightLine, &a.verticalOffset, &w.throwDistance,
                             &w.straightLine, &w.verticalOffset})
                        *s = strip(*s);
                }
                EXPECT_EQ(a, w) << "row " << row << ", width " << width << ", angle " << angle;
            }
        }
    }
}

TEST(AngleRecalculation, NoUnitAndZeroWidthFormsNoTiltedOffsetForTheFirstRows)
{
    // With no unit the first rows are calculated at a width of 0; their
    // straight line is then 0 and a tilted vertical offset is not formed.
    TableModel model;
    model.setWidth("100");
    model.controls.setOptionValue(model.inches, false);
    model.setWidth("0");
    ASSERT_EQ(model.row(Tovan), numbers("0.00", "0.00", "0.00"));
    model.setAngle("10");
    // Formed, the offset would read "0"; the width change's "0.00" stays.
    EXPECT_EQ(model.row(Tovan), numbers("0", "0", "0.00"));
    model.setAngle("0");
    EXPECT_EQ(model.row(Tovan), numbers("0", "0", "0"));
}

TEST(AngleRecalculationFailure, BadAngleStopsAtTheFirstSignTest)
{
    TableModel model;
    model.setWidth("100");
    try {
        model.setAngle("xyz");
        FAIL() << "no error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::TypeMismatch);
    }
    EXPECT_EQ(model.caption(model.height), "75");
    EXPECT_EQ(model.caption(model.diagonal), "125");
    // "xyz" reads as 0 degrees for the cosine; Ulmo's offset was never written.
    EXPECT_EQ(model.row(Ulmo), numbers("162.8", "167.8", "3.25"));
    EXPECT_EQ(model.row(Tovan), numbers("160.50", "163.06", "2.88"));
}

TEST(AngleRecalculationFailure, BadWidthStopsBeforeAnythingIsWritten)
{
    TableModel model;
    model.controls.setHandler(model.width, Event::Change, {});
    model.setWidth("wide");
    EXPECT_THROW(model.setAngle("5"), RuntimeError);
    EXPECT_EQ(model.caption(model.height), "");
    EXPECT_EQ(model.row(Ulmo), RowText{});
}

} // namespace
} // namespace qvd::test
