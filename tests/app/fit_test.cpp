// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "app/cli/fit.h"
#include "cli_output.h"
#include "runtime/length_format.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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

using test::CliRun;

CliRun fit(std::vector<std::string_view> args, const NumberFormat& format = {}, bool colour = false)
{
    return test::runCommand(runFit, std::move(args), format, colour);
}

CliRun table(std::vector<std::string_view> args) { return test::runCommand(runTable, std::move(args)); }

// Each fitting row's captions are what `table` shows at that width and angle;
// CSV and JSON carry the same texts, empty or null where a row has none.
TEST(Fit, CsvAndJsonCarryTheCaptionsTheTableShowsAtTheWidth)
{
    const std::vector<std::string_view> args
        = {"--straight", "400", "--units", "cm", "--angle", "-7", "--screen-bottom", "25.5"};
    std::vector<std::string_view> csvArgs = args;
    csvArgs.insert(csvArgs.end(), {"--format", "csv"});
    std::vector<std::string_view> jsonArgs = args;
    jsonArgs.insert(jsonArgs.end(), {"--format", "json"});
    const CliRun csv = fit(csvArgs);
    const CliRun json = fit(jsonArgs);
    ASSERT_EQ(csv.status, ExitOk) << csv.err;
    ASSERT_EQ(json.status, ExitOk) << json.err;

    const auto lines = linesOf(csv.out);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0],
        "units,angle,distance_kind,distance,projector,limit,width,height,diagonal,throw_distance,"
        "straight_line,vertical_offset,base_height");
    const nlohmann::json document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["units"], "cm");
    EXPECT_EQ(document["angle"], "-7");
    EXPECT_EQ(document["distance_kind"], "straight");
    EXPECT_EQ(document["distance"], "400");
    EXPECT_EQ(document["screen_bottom"], "25.5");
    ASSERT_EQ(document["rows"].size(), 9u);

    const char* keys[]
        = {"width", "height", "diagonal", "throw_distance", "straight_line", "vertical_offset", "base_height"};
    int fitting = 0;
    int none = 0;
    for (std::size_t row = 0; row < 9; ++row) {
        const auto fields = csvFields(lines[row + 1]);
        ASSERT_EQ(fields.size(), 13u) << lines[row + 1];
        const auto& object = document["rows"][row];
        EXPECT_EQ(object["projector"], fields[4]);
        EXPECT_EQ(object["limit"], fields[5]);
        for (std::size_t k = 0; k < 7; ++k) {
            if (fields[5] == "none")
                EXPECT_TRUE(fields[6 + k].empty() && object[keys[k]].is_null()) << keys[k];
            else
                EXPECT_EQ(object[keys[k]], fields[6 + k]) << keys[k];
        }
        if (fields[5] == "none") {
            ++none;
            continue;
        }
        ++fitting;
        EXPECT_LE(std::stod(fields[10]), 400.0);
        // The table's CSV: units,width,height,diagonal,angle,projector,throw,straight,offset,warning.
        const CliRun shown = table({"--units", "cm", "--width", fields[6], "--angle", "-7", "--format", "csv"});
        const auto tableFields = csvFields(linesOf(shown.out).at(row + 1));
        EXPECT_EQ(std::vector(tableFields.begin() + 1, tableFields.begin() + 4),
            std::vector(fields.begin() + 6, fields.begin() + 9));
        EXPECT_EQ(std::vector(tableFields.begin() + 6, tableFields.begin() + 9),
            std::vector(fields.begin() + 9, fields.begin() + 12));
    }
    EXPECT_GT(fitting, 0);
    EXPECT_GT(none, 0);
}

TEST(Fit, ReadsAndWritesTheUsersDecimalSeparator)
{
    const NumberFormat comma{","};
    const CliRun run = fit({"--throw", "150,5", "--screen-bottom", "0,25", "--format", "csv"}, comma);
    ASSERT_EQ(run.status, ExitOk) << run.err;
    const auto fields = csvFields(linesOf(run.out).at(1));
    EXPECT_EQ(fields[3], "150,5");
    EXPECT_NE(fields[9].find(','), std::string::npos) << "the throw caption has decimals";
    EXPECT_EQ(fit({"--throw", "150.5"}, comma).status, ExitUsage);
    // The room length grammar of the dialog and the job file.
    EXPECT_EQ(csvFields(linesOf(fit({"--throw", "0150,", "--format", "csv"}, comma).out).at(1))[3], "150");
    EXPECT_EQ(csvFields(linesOf(fit({"--straight", ",5", "--format", "csv"}, comma).out).at(1))[3], "0,5");
}

TEST(Fit, TextNamesLimitsAndFlagsBasesBelowTheFloor)
{
    const CliRun run = fit({"--throw", "150", "--screen-bottom", "0"}, {}, true);
    ASSERT_EQ(run.status, ExitOk);
    const auto lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "Throw distance    150 in.");
    EXPECT_NE(lines[4].find("BASE HEIGHT"), std::string::npos);
    // At 10 degrees Ulmo's offset is positive: its base would be under the floor.
    EXPECT_EQ(lines[5].rfind("Ulmo        room", 0), 0u) << lines[5];
    EXPECT_NE(lines[5].find("  \x1b[31mbelow the floor"), std::string::npos) << lines[5];
    EXPECT_EQ(lines[7].find("below the floor"), std::string::npos) << "Brisa stands above its screen's bottom";
    EXPECT_NE(lines[8].find("lens or bar range"), std::string::npos);
    EXPECT_EQ(lines[10], "Corvin WT2  does not fit");
    EXPECT_EQ(linesOf(fit({"--throw", "150"}).out)[4].find("BASE HEIGHT"), std::string::npos);
}

TEST(Fit, RefusalsNameWhatIsAllowed)
{
    const struct {
        std::vector<std::string_view> args;
        const char* refusal;
    } cases[] = {
        {{}, "--throw D or --straight D"},
        {{"--units", "cm"}, "--throw D or --straight D"},
        {{"--throw", "abc"}, "above 0 in. with at most 6 digits before the separator and 2 after"},
        {{"--throw", "0"}, "above 0 in."},
        {{"--straight", "-3", "--units", "cm"}, "above 0 cm"},
        {{"--throw", "100.123"}, "and 2 after"},
        {{"--throw", "1e3"}, "and 2 after"},
        {{"--throw", "1234567"}, "at most 6 digits before"}, // more digits than a job file keeps
        {{"--throw", "100", "--screen-bottom", "1000000"}, "from 0 in. up"},
        {{"--throw", "100", "--straight", "100"}, "one of --throw and --straight"},
        {{"--throw", "100", "--angle", "16"}, "-15 to 15"},
        {{"--throw", "100", "--angle", "-16"}, "-15 to 15"},
        {{"--throw", "100", "--angle", "2.5"}, "-15 to 15"},
        {{"--throw", "100", "--screen-bottom", "-1"}, "from 0 in. up"},
        {{"--throw", "100", "--screen-bottom", "low"}, "from 0 in. up"},
        {{"--throw", "100", "--units", "ft"}, "in or cm"},
        {{"--throw", "100", "--format", "xml"}, "text, csv or json"},
        {{"--throw"}, "missing value after --throw"},
        {{"--throw", "100", "--depth", "4"}, "unknown option --depth"},
        {{"--throw", "100", "--units", "cm", "--length-format", "ft-in"}, "ft-in needs inches"},
        {{"--throw", "100", "--length-format", "metres"}, "decimal or ft-in"},
    };
    for (const auto& c : cases) {
        const CliRun run = fit(c.args);
        EXPECT_EQ(run.status, ExitUsage) << c.refusal;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.refusal), std::string::npos) << run.err;
    }
    EXPECT_EQ(fit({"--throw", "100", "--angle", "-15", "--screen-bottom", "0"}).status, ExitOk);
}

// A job gives the unit, the angle and the room; a distance given beside it
// replaces the room's distance.
TEST(Fit, JobGivesUnitAngleAndRoom)
{
    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir());
    const std::string withRoom = (dir / "fit_room.qvdjob").string();
    const std::string noRoom = (dir / "fit_bare.qvdjob").string();
    const std::string missing = (dir / "missing.qvdjob").string();
    const std::string head = R"({"format": "qvdtalvern-job", "version": 1, "units": "cm",
        "size": {"by": "width", "value": 200}, "angle": -5)";
    std::ofstream(withRoom) << head << R"(, "room": {"kind": "straight", "distance": "400.5", "screen_bottom": "60"}})";
    std::ofstream(noRoom) << head << "}";

    const struct {
        std::vector<std::string_view> job;
        std::vector<std::string_view> same;
    } answers[] = {
        {{"--job", withRoom}, {"--straight", "400.5", "--units", "cm", "--angle", "-5", "--screen-bottom", "60"}},
        {{"--job", withRoom, "--throw", "300"},
            {"--throw", "300", "--units", "cm", "--angle", "-5", "--screen-bottom", "60"}},
        {{"--job", noRoom, "--throw", "300"}, {"--throw", "300", "--units", "cm", "--angle", "-5"}},
    };
    for (const auto& c : answers) {
        std::vector<std::string_view> job = c.job;
        std::vector<std::string_view> same = c.same;
        job.insert(job.end(), {"--format", "csv"});
        same.insert(same.end(), {"--format", "csv"});
        const CliRun run = fit(job);
        EXPECT_EQ(run.status, ExitOk) << run.err;
        EXPECT_EQ(run.out, fit(same).out);
    }

    const struct {
        std::vector<std::string_view> args;
        const char* refusal;
    } refusals[] = {
        {{"--job", withRoom, "--units", "in"}, "leave out --units and --angle"},
        {{"--job", withRoom, "--angle", "3"}, "leave out --units and --angle"},
        {{"--job", noRoom}, "has no room; give --throw D or --straight D"},
        {{"--job", missing}, "cannot be read: No such file or directory"}, // the message table gives too
    };
    for (const auto& c : refusals) {
        const CliRun run = fit(c.args);
        EXPECT_EQ(run.status, ExitUsage) << c.refusal;
        EXPECT_NE(run.err.find(c.refusal), std::string::npos) << run.err;
    }
}

// In feet and inches every number of the decimal answer is that length in
// feet and inches; the other fields are as they were.
TEST(Fit, FeetAndInchesShowTheSameLengths)
{
    const std::vector<std::string_view> args = {"--throw", "150", "--screen-bottom", "30", "--format", "csv"};
    std::vector<std::string_view> feet = args;
    feet.insert(feet.end(), {"--length-format", "ft-in"});
    const auto decimal = linesOf(fit(args).out);
    const auto shown = linesOf(fit(feet).out);
    ASSERT_EQ(decimal.size(), shown.size());
    int converted = 0;
    for (std::size_t line = 1; line < decimal.size(); ++line) {
        const auto before = csvFields(decimal[line]);
        const auto after = csvFields(shown[line]);
        ASSERT_EQ(before.size(), after.size());
        for (std::size_t field = 6; field < before.size(); ++field) {
            const auto lengths = feetAndInches(before[field], {});
            EXPECT_EQ(after[field], lengths.value_or(before[field]));
            converted += lengths ? 1 : 0;
        }
    }
    EXPECT_GT(converted, 0);
}

} // namespace
} // namespace qvd
