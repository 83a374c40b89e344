// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The table as clipboard text and the rows' range hints, read back from what
// the window shows.

#include "ui/job/table_report.h"

#include "calc/projector_table.h"
#include "runtime/feet_inches_model.h"
#include "ui/job/placement_diagram.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <vector>

namespace qvd {
namespace {

class Report : public ::testing::Test {
protected:
    Report() { window.load(); }
    void click(ControlId option) { window.controls().clickOption(option); }
    void angle(int degrees) { window.controls().moveScrollBar(window.angleBar(), degrees); }

    MainWindow window{NumberFormat{}};
};

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

TEST_F(Report, TabSeparatedTextHoldsTheInputsAndEveryRowAsShown)
{
    angle(-10);
    const std::vector<std::string> text = lines(tableAsTabSeparatedText(window, LengthFormat::Decimal));
    ASSERT_EQ(text.size(), 13u);
    EXPECT_EQ(text[0], "Width\tHeight\tDiagonal\tAngle\tUnit");
    EXPECT_EQ(text[1], "100\t75\t125\t-10\tin.");
    EXPECT_EQ(text[2], "");
    EXPECT_EQ(text[3], "Projector\tTHROW DISTANCE\tSTRAIGHT LINE\tVERTICAL OFFSET");
    EXPECT_EQ(text[4], "Ulmo\t162.8\t165.33\t-53.25");
    EXPECT_EQ(text[7], "Corvin NRX\tScreen\tToo\tBig");
    EXPECT_EQ(text[12], "Halden WT2\tScreen\tToo\tSmall");
}

TEST_F(Report, TabSeparatedTextCarriesTheBaseHeightsOfARoomWithHeight)
{
    angle(-10);
    const std::vector<std::string> text
        = lines(tableAsTabSeparatedText(window, LengthFormat::Decimal, {DistanceKind::Throw, "150", "30.5"}));
    ASSERT_EQ(text.size(), 13u);
    EXPECT_EQ(text[0], "Width\tHeight\tDiagonal\tAngle\tUnit\tScreen bottom");
    EXPECT_EQ(text[1], "100\t75\t125\t-10\tin.\t30.5");
    EXPECT_EQ(text[3], "Projector\tTHROW DISTANCE\tSTRAIGHT LINE\tVERTICAL OFFSET\tBASE HEIGHT");
    EXPECT_EQ(text[4], "Ulmo\t162.8\t165.33\t-53.25\t83.75");
    EXPECT_EQ(text[7], "Corvin NRX\tScreen\tToo\tBig\t");
}

TEST_F(Report, UnitIsThatOfTheNumbersShown)
{
    // Choosing a unit recalculates nothing: until the next change the numbers
    // are still inches and are labelled so.
    click(window.unitOption(UnitSystem::Centimetres));
    EXPECT_EQ(lines(tableAsTabSeparatedText(window, LengthFormat::Decimal))[1], "100\t\t\t10\tin.");
    EXPECT_EQ(rowRangeHint(window, LengthFormat::Decimal, Ulmo), "widths from 48 to 160 in.");
    angle(10);
    EXPECT_EQ(lines(tableAsTabSeparatedText(window, LengthFormat::Decimal))[1], "100\t75\t125\t10\tcm");
    EXPECT_EQ(rowRangeHint(window, LengthFormat::Decimal, Ulmo),
        "widths from 122 to 406 cm; needs a screen at least 122 cm wide");
    // With no unit selected at the last recalculation, the numbers have none.
    window.controls().setOptionValue(window.unitOption(UnitSystem::Centimetres), false);
    angle(9);
    EXPECT_EQ(lines(tableAsTabSeparatedText(window, LengthFormat::Decimal))[1], "100\t75\t125\t9\t");
    EXPECT_EQ(rowRangeHint(window, LengthFormat::Decimal, Ulmo), "");
}

// Each row and column is read from the labels that show it.
TEST_F(Report, ReportReadsEachRowAndColumnFromItsLabels)
{
    const TableReport report = tableReport(window);
    for (std::size_t r = 0; r < kRowCount; ++r) {
        const ReportRow& row = report.rows[r];
        EXPECT_EQ(window.controls().caption(window.rowCaption(r)), row.projector);
        const std::string shown[] = {row.shown.throwDistance, row.shown.straightLine, row.shown.verticalOffset};
        for (std::size_t column = 0; column < kColumnCount; ++column)
            EXPECT_EQ(window.controls().caption(window.resultLabel(r, static_cast<Column>(column))), shown[column])
                << row.projector;
    }
    EXPECT_EQ(report.rows[Tovan].projector, "Tovan");
    EXPECT_EQ(report.columns[1].header, "STRAIGHT LINE");
    EXPECT_EQ(report.columns[1].explanation.rfind("The Straight Line distance is measured", 0), 0u);
}

TEST_F(Report, RangeHintsNameTheWidthsAndWhatWouldFit)
{
    struct Case {
        UnitSystem units;
        int width;
        std::size_t row;
        const char* hint;
    };
    const Case cases[] = {
        {UnitSystem::Inches, 100, CorvinWt1, "widths from 72 to 106 in."},
        {UnitSystem::Inches, 100, CorvinWt2, "widths from 106 in. up; needs a screen at least 106 in. wide"},
        {UnitSystem::Inches, 100, CorvinNrx, "widths from 50 to 72 in.; needs a screen at most 72 in. wide"},
        {UnitSystem::Inches, 72, CorvinNrx, "widths from 50 to 72 in."},
        {UnitSystem::Centimetres, 250, Ulmo, "widths from 122 to 406 cm"},
        {UnitSystem::Centimetres, 610, Ulmo, "widths from 122 to 406 cm; needs a screen at most 406 cm wide"},
        {UnitSystem::Centimetres, 99, HaldenWt2, "widths from 318 cm up; needs a screen at least 318 cm wide"},
    };
    for (const Case& c : cases) {
        MainWindow w{NumberFormat{}};
        w.load();
        w.enterInputs({c.units, Sizing::Width, c.width, {}});
        EXPECT_EQ(rowRangeHint(w, LengthFormat::Decimal, c.row), c.hint) << c.width << " row " << c.row;
    }
}

// Feet and inches reach the copy, the hints and the diagram while the table
// is in inches; the window's captions and centimetres stay decimal.
TEST_F(Report, FeetAndInchesWhileTheTableIsInInches)
{
    constexpr LengthFormat feet = LengthFormat::FeetAndInches;
    const std::vector<std::string> text = lines(tableAsTabSeparatedText(window, feet));
    EXPECT_EQ(text[1], "8' 4\"\t\t\t10\tin."); // start-up writes the width only
    EXPECT_EQ(text[4], "Ulmo\t13' 6 3/4\"\t13' 9 3/8\"\t3 1/4\"");
    EXPECT_EQ(text[7], "Corvin NRX\tScreen\tToo\tBig");
    EXPECT_EQ(rowRangeHint(window, feet, CorvinWt2), "widths from 8' 10\" up; needs a screen at least 8' 10\" wide");
    EXPECT_EQ(placementDiagram(window, feet, Ulmo).throwDistance.label, "13' 6 3/4\"");
    EXPECT_EQ(window.controls().caption(window.resultLabel(Ulmo, Column::Throw)), "162.80");
    EXPECT_EQ(lengthText(window, feet, 30.5), "2' 6 1/2\""); // the sheet's screen bottom, as the copy shows it

    window.enterInputs({UnitSystem::Centimetres, Sizing::Width, 250, 10});
    EXPECT_EQ(lines(tableAsTabSeparatedText(window, feet))[1], "250\t187.5\t312.5\t10\tcm");
    EXPECT_EQ(placementDiagram(window, feet, Ulmo).throwDistance.label, "407 cm");
    EXPECT_EQ(lengthText(window, feet, 76.25), "76.25 cm");
}

// Every length caption the table shows in inches, in every state the inputs
// reach, against exact arithmetic on its decimal text.
TEST(FeetAndInchesCaptions, EveryInchCaptionAgreesWithTheRationalModel)
{
    std::set<std::string> captions;
    for (const Sizing sizing : {Sizing::Width, Sizing::Height, Sizing::Diagonal}) {
        MainWindow window{NumberFormat{}};
        window.load();
        const UnitRange& range = sizeBarRange(sizing);
        for (int size = range.inchMin; size <= range.inchMax; ++size) {
            window.enterInputs({UnitSystem::Inches, sizing, size, std::nullopt});
            for (int angle = -15; angle <= 15; ++angle) {
                window.moveBarTo(window.angleBar(), angle);
                for (const Sizing shown : {Sizing::Width, Sizing::Height, Sizing::Diagonal})
                    captions.insert(window.controls().caption(window.sizeCaption(shown)));
                for (std::size_t row = 0; row < kRowCount; ++row) {
                    const PlacementResult result = window.placement().result(row);
                    if (!result.isWarning)
                        captions.insert({result.throwDistance, result.straightLine, result.verticalOffset});
                }
            }
        }
    }
    EXPECT_GT(captions.size(), 10000u);
    for (const std::string& caption : captions)
        ASSERT_EQ(feetAndInches(caption, NumberFormat{}), test::referenceFeetAndInches(caption)) << caption;
}

} // namespace
} // namespace qvd
