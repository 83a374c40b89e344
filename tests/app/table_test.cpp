// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "app/cli/table.h"
#include "cli_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qvd {
namespace {

using test::csvFields;
using test::linesOf;

using TableRun = test::CliRun;

TableRun table(std::vector<std::string_view> args, bool colour = false, const NumberFormat& format = {})
{
    return test::runCommand(runTable, std::move(args), format, colour);
}

struct RangeCase {
    std::vector<std::string_view> args;
    const char* refusal;    // what the message names; nullptr when the value is accepted
    std::size_t column = 0; // accepted: the CSV column that shows the input
    const char* shown = nullptr;
};

TEST(Table, RefusesSizesAndAnglesOutsideWhatTheBarAllows)
{
    const RangeCase cases[] = {
        {{"--width", "38"}, "39 to 240"},
        {{"--width", "39"}, nullptr, 1, "39"},
        {{"--width", "240"}, nullptr, 1, "240"},
        {{"--width", "241"}, "39 to 240"},
        {{"--units", "cm", "--width", "98"}, "99 to 610"},
        {{"--units", "cm", "--width", "99"}, nullptr, 1, "99"},
        {{"--units", "cm", "--width", "610"}, nullptr, 1, "610"},
        {{"--units", "cm", "--width", "611"}, "99 to 610"},
        {{"--height", "29"}, "30 to 180"},
        {{"--height", "30"}, nullptr, 1, "40.00"},
        {{"--height", "180"}, nullptr, 2, "180"},
        {{"--height", "181"}, "30 to 180"},
        {{"--units", "cm", "--height", "75"}, "76 to 457"},
        {{"--units", "cm", "--height", "76"}, nullptr, 2, "76"},
        {{"--units", "cm", "--height", "457"}, nullptr, 1, "609.33"},
        {{"--units", "cm", "--height", "458"}, "76 to 457"},
        {{"--diagonal", "48"}, "49 to 300"},
        {{"--diagonal", "49"}, nullptr, 1, "39.2"},
        {{"--diagonal", "300"}, nullptr, 1, "240"},
        {{"--diagonal", "301"}, "49 to 300"},
        {{"--units", "cm", "--diagonal", "123"}, "124 to 763"},
        {{"--units", "cm", "--diagonal", "124"}, nullptr, 1, "99.2"},
        {{"--units", "cm", "--diagonal", "763"}, nullptr, 1, "610.4"},
        {{"--units", "cm", "--diagonal", "764"}, "124 to 763"},
        {{"--angle", "-16"}, "-15 to 15"},
        {{"--angle", "-15"}, nullptr, 4, "-15"},
        {{"--angle", "15"}, nullptr, 4, "15"},
        {{"--angle", "16"}, "-15 to 15"},
        {{"--width", "100.5"}, "39 to 240"},
        {{"--width", "abc"}, "39 to 240"},
        {{"--width", ""}, "39 to 240"}, // was read as no width at all and drew the table for 100
        {{"--height", ""}, "30 to 180"},
        {{"--angle", "1.0"}, "-15 to 15"},
        {{"--angle", "1e1"}, "-15 to 15"},
        {{"--units", "mm"}, "mm"},
        {{"--format", "xml"}, "xml"},
        {{"--depth", "5"}, "--depth"},
        {{"--width", "100", "--height", "75"}, "--width"},
        {{"--width"}, "--width"},
    };
    for (const RangeCase& c : cases) {
        std::vector<std::string_view> args = {"--format", "csv"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const TableRun r = table(args);
        const std::string label = std::string(c.args.front()) + " " + std::string(c.args.back());
        if (c.refusal) {
            EXPECT_EQ(r.status, ExitUsage) << label;
            EXPECT_EQ(r.out, "") << label;
            EXPECT_NE(r.err.find(c.refusal), std::string::npos) << label << ": " << r.err;
        } else {
            ASSERT_EQ(r.status, ExitOk) << label << ": " << r.err;
            EXPECT_EQ(csvFields(linesOf(r.out).at(1)).at(c.column), c.shown) << label;
        }
    }
}

TEST(Table, CsvHasHeaderAndOneLinePerRow)
{
    const auto lines = linesOf(table({"--format", "csv"}).out);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(csvFields(lines[0]).at(5), "projector");
    for (const std::string& line : lines)
        EXPECT_EQ(csvFields(line).size(), csvFields(lines[0]).size()) << line;
    EXPECT_EQ(lines[1], "in,100,75.00,125.00,10,Ulmo,162.80,165.33,3.25,false");
    EXPECT_EQ(lines[4], "in,100,75.00,125.00,10,Corvin NRX,Screen,Too,Big,true");
}

// The base height is the screen's bottom edge less the offset each row shows;
// a warned row has none. A height that is not one is refused.
TEST(Table, ScreenBottomAddsTheBaseHeights)
{
    const auto csv = linesOf(table({"--format", "csv", "--screen-bottom", "2.5"}).out);
    ASSERT_EQ(csv.size(), 10u);
    EXPECT_EQ(csv[0],
        "units,width,height,diagonal,angle,projector,throw_distance,straight_line,vertical_offset,warning,"
        "base_height");
    EXPECT_EQ(csv[1], "in,100,75.00,125.00,10,Ulmo,162.80,165.33,3.25,false,-0.75");
    EXPECT_EQ(csv[4], "in,100,75.00,125.00,10,Corvin NRX,Screen,Too,Big,true,");
    const std::string json = table({"--format", "json", "--screen-bottom", "2.5"}).out;
    EXPECT_NE(
        json.find("\"vertical_offset\":\"3.25\",\"warning\":false,\"base_height\":\"-0.75\"}"), std::string::npos);
    EXPECT_NE(json.find("\"warning\":true,\"base_height\":null}"), std::string::npos);
    const auto text = linesOf(table({"--screen-bottom", "2.5"}).out);
    EXPECT_EQ(text[4], "Screen bottom     2.5 in.");
    EXPECT_NE(text[7].find("-0.75  below the floor"), std::string::npos) << text[7];

    const TableRun refused = table({"--screen-bottom", "-1"});
    EXPECT_EQ(refused.status, ExitUsage);
    EXPECT_NE(refused.err.find("from 0 in. up"), std::string::npos);
}

TEST(Table, CsvQuotesCommaDecimals)
{
    const auto lines = linesOf(table({"--format", "csv"}, false, NumberFormat{","}).out);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[1], "in,100,\"75,00\",\"125,00\",10,Ulmo,\"162,80\",\"165,33\",\"3,25\",false");
}

TEST(Table, CentimetreWidthRows)
{
    const auto lines = linesOf(table({"--units", "cm", "--width", "250", "--format", "csv"}).out);
    ASSERT_EQ(lines.size(), 10u);
    const char* rows[] = {
        "cm,250,187.50,312.50,10,Ulmo,407.00,413.52,8.66,false",
        "cm,250,187.50,312.50,10,Corvin NRX,Screen,Too,Big,true",
        "cm,250,187.50,312.50,10,Corvin WT1,454.70,464.3,14.02,false",
        "cm,250,187.50,312.50,10,Corvin WT2,Screen,Too,Small,true",
        "cm,250,187.50,312.50,10,Halden NRX,Screen,Too,Big,true",
        "cm,250,187.50,312.50,10,Halden WT1,384.7,395.37,1.83,false",
        "cm,250,187.50,312.50,10,Halden WT2,Screen,Too,Small,true",
    };
    for (const char* row : rows)
        EXPECT_NE(std::find(lines.begin(), lines.end(), row), lines.end()) << row;
}

TEST(Table, JsonIsOneObject)
{
    const TableRun r = table({"--format", "json", "--angle", "-10"});
    ASSERT_EQ(r.status, ExitOk);
    ASSERT_EQ(linesOf(r.out).size(), 1u);
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i + 1 < r.out.size(); ++i) {
        const char c = r.out[i];
        if (inString && c == '\\')
            ++i;
        else if (c == '"')
            inString = !inString;
        else if (!inString && (c == '{' || c == '['))
            ++depth;
        else if (!inString && (c == '}' || c == ']'))
            --depth;
        ASSERT_TRUE(depth > 0 || i + 2 == r.out.size()) << "the object closes early at " << i;
    }
    EXPECT_EQ(r.out.front(), '{');
    EXPECT_NE(r.out.find("\"angle\":\"-10\""), std::string::npos);
    // An angle change writes Ulmo's throw without trailing zeros.
    EXPECT_NE(r.out.find("{\"projector\":\"Ulmo\",\"throw_distance\":\"162.8\""), std::string::npos);
}

TEST(Table, TextAlignsColumnsAndColoursOnlyWhenAsked)
{
    const TableRun plain = table({});
    const TableRun coloured = table({}, true);
    ASSERT_EQ(plain.status, ExitOk);
    EXPECT_EQ(plain.out.find('\x1b'), std::string::npos);
    const auto lines = linesOf(plain.out);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_NE(lines[0].find("100"), std::string::npos);
    for (std::size_t i = 6; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].size(), lines[5].size()) << lines[i];
    EXPECT_NE(lines[6].find("162.80"), std::string::npos);

    std::size_t red = 0;
    for (std::size_t at = 0; (at = coloured.out.find("\x1b[31m", at)) != std::string::npos; ++at)
        ++red;
    EXPECT_EQ(red, 12u) << "three cells of each of the four warned rows";
}

// A job file in the temporary folder, removed again at the end of the test.
class JobFile {
public:
    JobFile(const std::string& name, const std::string& text)
        : m_path(std::filesystem::temp_directory_path() / name)
    {
        std::ofstream(m_path, std::ios::binary) << text;
    }
    ~JobFile() { std::filesystem::remove(m_path); }
    [[nodiscard]] std::string path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

// A job prints what the same options print; a length format comes from the
// job unless --length-format is given.
TEST(Table, JobGivesTheInputsAndTheLengthFormat)
{
    const JobFile job("qvd-table-job.qvdjob",
        R"({"format": "qvdtalvern-job", "version": 1, "units": "in", "size": {"by": "height", "value": 90},
            "angle": -5, "length_format": "ft-in"})");
    const std::string path = job.path();
    const TableRun same = table({"--height", "90", "--angle", "-5", "--format", "csv"});
    EXPECT_EQ(table({"--job", path, "--length-format", "decimal", "--format", "csv"}).out, same.out);

    const TableRun feet = table({"--job", path});
    ASSERT_EQ(feet.status, ExitOk) << feet.err;
    const std::vector<std::string> lines = linesOf(feet.out);
    EXPECT_EQ(lines[0], "Width             10'");
    EXPECT_EQ(lines[1], "Height            7' 6\"");
    EXPECT_EQ(lines[6], "Ulmo            16' 1 7/8\"     16' 6 1/8\"       -4' 1 3/8\"");
    EXPECT_EQ(table({"--height", "90", "--angle", "-5", "--length-format", "ft-in"}).out, feet.out);
    // The warning words stay words.
    EXPECT_EQ(lines[9], "Corvin NRX          Screen            Too              Big");
}

// The job opens as the desktop opens it: its room's screen bottom gives the
// base heights as --screen-bottom does, and the option replaces it. A screen
// bottom in a unit the table's numbers are not in gives none.
TEST(Table, JobRoomGivesTheBaseHeightsTheOptionReplaces)
{
    const JobFile job("qvd-table-room.qvdjob",
        R"({"format": "qvdtalvern-job", "version": 1, "units": "in", "size": {"by": "height", "value": 90},
            "angle": -5, "room": {"kind": "throw", "distance": "250", "screen_bottom": "30"}})");
    const std::string path = job.path();
    for (const std::string_view format : {"text", "csv", "json"}) {
        const TableRun given = table({"--height", "90", "--angle", "-5", "--screen-bottom", "30", "--format", format});
        EXPECT_EQ(table({"--job", path, "--format", format}).out, given.out) << format;
        const TableRun other = table({"--height", "90", "--angle", "-5", "--screen-bottom", "12", "--format", format});
        EXPECT_EQ(table({"--job", path, "--screen-bottom", "12", "--format", format}).out, other.out) << format;
    }

    // Centimetres chosen after the last move: the table still shows inches.
    const JobFile unshown("qvd-table-unshown.qvdjob",
        R"({"format": "qvdtalvern-job", "version": 2, "window": [{"move": "width", "to": 150}, {"choose": "cm"}],
            "room": {"kind": "throw", "distance": "300", "screen_bottom": "40"}})");
    const TableRun run = table({"--job", unshown.path(), "--screen-bottom", "20", "--format", "csv"});
    ASSERT_EQ(run.status, ExitOk) << run.err;
    const auto lines = linesOf(run.out);
    EXPECT_EQ(lines.at(0).find("base_height"), std::string::npos) << lines[0];
    EXPECT_EQ(lines.at(1).rfind("in,150,", 0), 0u) << lines[1];
}

TEST(Table, RefusesJobsAndLengthFormatsThatCannotBeUsed)
{
    const JobFile centimetres("qvd-table-cm.qvdjob",
        R"({"format": "qvdtalvern-job", "version": 1, "units": "cm", "size": {"by": "width", "value": 250},
            "angle": 0, "length_format": "ft-in"})");
    const JobFile bad("qvd-table-bad.qvdjob", R"({"format": "qvdtalvern-job", "version": 3})");
    const std::string cm = centimetres.path();
    const std::string badPath = bad.path();
    EXPECT_EQ(table({"--job", cm}).status, ExitOk); // feet and inches apply to inches only
    const struct {
        std::vector<std::string_view> args;
        std::string message;
    } cases[] = {
        {{"--job", badPath}, badPath + ": version 3 is newer than this program reads (version 2)"},
        {{"--job", "/nonexistent.qvdjob"}, "/nonexistent.qvdjob: cannot be read: No such file or directory"},
        {{"--job", cm, "--angle", "3"}, "--job gives the inputs"},
        {{"--units", "in", "--job", cm}, "--job gives the inputs"},
        {{"--job", cm, "--width", "100"}, "--job gives the inputs"},
        {{"--job", cm, "--length-format", "ft-in"}, "--length-format ft-in needs inches"},
        {{"--units", "cm", "--length-format", "ft-in"}, "--length-format ft-in needs inches"},
        {{"--length-format", "feet"}, "--length-format is decimal or ft-in, not 'feet'"},
    };
    for (const auto& c : cases) {
        const TableRun run = table(c.args);
        EXPECT_EQ(run.status, ExitUsage) << c.message;
        EXPECT_EQ(run.out, "") << c.message;
        EXPECT_EQ(run.err.rfind("qvdtalvern-cli: " + c.message, 0), 0u) << run.err;
    }
}

} // namespace
} // namespace qvd
