// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "app/cli/audience_command.h"
#include "app/cli/exit_status.h"
#include "cli_output.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
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

CliRun audience(std::vector<std::string_view> args, const NumberFormat& format = {})
{
    return test::runCommand(runAudience, std::move(args), format);
}

std::vector<std::string_view> with(std::vector<std::string_view> args, std::string_view format)
{
    args.insert(args.end(), {"--format", format});
    return args;
}

// The three formats carry the same figures: the worked example of the basic
// rule with a screen bottom and a room.
TEST(AudienceCommand, TextCsvAndJsonCarryTheSameFigures)
{
    const std::vector<std::string_view> args = {"--units", "cm", "--farthest", "1050", "--element-height", "3.5",
        "--screen-bottom", "140", "--eye-height", "120", "--throw", "420"};
    const CliRun text = audience(args);
    const CliRun csv = audience(with(args, "csv"));
    const CliRun json = audience(with(args, "json"));
    ASSERT_EQ(json.status, ExitOk) << json.err;

    const nlohmann::json document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["minimum_image_height"], "150.00");
    EXPECT_EQ(document["minimum_image_width"], "200.00");
    EXPECT_EQ(document["minimum_diagonal"], "250.00");
    EXPECT_EQ(document["screen"]["width"], "200");
    EXPECT_EQ(document["screen"]["height"], "150");
    EXPECT_EQ(document["screen"]["diagonal"], "250");
    EXPECT_EQ(document["closest_viewer"], "294.45");
    EXPECT_EQ(document["image_top"], "290.00");
    EXPECT_EQ(document["summary"], "Basic decision making, element height 3.5 %: image at least 150 cm high");

    const auto lines = linesOf(csv.out);
    ASSERT_EQ(lines.size(), 10u);
    const auto header = csvFields(lines[0]);
    ASSERT_EQ(document["rows"].size(), 9u);
    for (std::size_t row = 0; row < 9; ++row) {
        const auto fields = csvFields(lines[row + 1]);
        ASSERT_EQ(fields.size(), header.size());
        const nlohmann::json& object = document["rows"][row];
        const auto field = [&](std::string_view name) {
            return fields[static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin())];
        };
        EXPECT_EQ(field("projector"), object["projector"]);
        EXPECT_EQ(field("fits"), object["fits"].get<bool>() ? "yes" : "no");
        EXPECT_EQ(field("closest_viewer"), document["closest_viewer"]);
        EXPECT_EQ(field("screen_width"), document["screen"]["width"]);
        if (object["in_range"].get<bool>()) {
            EXPECT_EQ(field("throw_distance"), object["throw_distance"]);
            EXPECT_EQ(field("base_height"), object["base_height"]);
            // The text table's line of the row holds the same numbers.
            const std::string throwText = object["throw_distance"];
            EXPECT_NE(text.out.find(throwText), std::string::npos);
        }
    }
    EXPECT_NE(text.out.find("Closest viewer    294.45 cm\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find(document["summary"].get<std::string>()), std::string::npos);
}

// The analytical example, in inches with a comma: 188 in at 1080 lines.
TEST(AudienceCommand, AnalyticalRuleInInchesWithTheUsersSeparator)
{
    const CliRun json
        = audience({"--farthest", "187,99", "--resolution", "1080", "--straight-line", "90", "--format", "json"},
            NumberFormat{","});
    ASSERT_EQ(json.status, ExitOk) << json.err;
    const nlohmann::json document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["minimum_image_height"], "59,06");
    EXPECT_EQ(document["minimum_image_width"], "78,74");
    EXPECT_EQ(document["screen"]["height"], "59,25");
    EXPECT_EQ(document["distance_kind"], "straight");
    EXPECT_EQ(document["eye_height"], "47,24");
    EXPECT_EQ(document["closest_viewer"], nullptr);
    for (const auto& row : document["rows"])
        EXPECT_FALSE(row["fits"].get<bool>()) << row; // 90 in holds none of them
}

TEST(AudienceCommand, RefusesBadInputNamingTheOptionAndPrintsNothing)
{
    struct Case {
        std::vector<std::string_view> args;
        const char* message;
    };
    const std::vector<Case> cases{
        {{"--farthest", "0", "--element-height", "3"}, "qvdtalvern-cli: --farthest: give the distance to the screen"},
        {{"--farthest", "1050", "--element-height", "25"},
            "qvdtalvern-cli: --element-height: give a share of the image height from 0,5 to 20 %, not '25'"},
        {{"--farthest", "1050", "--resolution", "1080,5"},
            "qvdtalvern-cli: --resolution: give a whole number of lines from 1 to 99999, not '1080,5'"},
        {{"--farthest", "1050", "--element-height", "3", "--screen-bottom", "-1"},
            "qvdtalvern-cli: --screen-bottom: give the height"},
        {{"--farthest", "1050", "--element-height", "3", "--eye-height", "x"}, "qvdtalvern-cli: --eye-height: give"},
        {{"--farthest", "1050", "--element-height", "3", "--throw", "0"}, "qvdtalvern-cli: --throw takes a distance"},
        {{"--farthest", "1050", "--element-height", "3", "--resolution", "768"},
            "qvdtalvern-cli: give one of --element-height and --resolution"},
        {{"--element-height", "3"}, "qvdtalvern-cli: audience needs --farthest D"},
        {{"--farthest", "1050"}, "qvdtalvern-cli: audience needs --element-height PERCENT or --resolution LINES"},
        {{"--farthest", "1050", "--element-height", "3", "--angle", "16"}, "qvdtalvern-cli: --angle takes"},
    };
    for (const Case& c : cases) {
        const CliRun run = audience(c.args, NumberFormat{","});
        EXPECT_EQ(run.status, ExitUsage);
        EXPECT_TRUE(run.out.empty());
        EXPECT_TRUE(run.err.starts_with(c.message)) << run.err;
    }
}

TEST(AudienceCommand, JobGivesItsAudienceAndRoomAndOptionsReplaceThem)
{
    const std::string job = (std::filesystem::path(::testing::TempDir()) / "audience.qvdjob").string();
    std::ofstream(job) << R"({"format": "qvdtalvern-job", "version": 1, "units": "cm",
        "size": {"by": "width", "value": 150}, "angle": 4, "room": {"kind": "throw", "distance": "420"},
        "audience": {"rule": "basic", "farthest": "1050", "element_height": "3.5", "screen_bottom": "140",
                     "eye_height": "120"}})";
    const CliRun fromJob = audience({"--job", job, "--format", "json"});
    const CliRun fromOptions = audience({"--units", "cm", "--angle", "4", "--farthest", "1050", "--element-height",
        "3.5", "--screen-bottom", "140", "--eye-height", "120", "--throw", "420", "--format", "json"});
    ASSERT_EQ(fromJob.status, ExitOk) << fromJob.err;
    EXPECT_EQ(fromJob.out, fromOptions.out);
    const CliRun replaced = audience({"--job", job, "--resolution", "1200", "--format", "json"});
    const nlohmann::json document = nlohmann::json::parse(replaced.out);
    EXPECT_EQ(document["rule"], "analytical");
    EXPECT_EQ(document["minimum_image_height"], "366.50"); // 1050 x 1200 / 3438 = 366.492, rounded up
    EXPECT_EQ(document["screen_bottom"], "140");
}

} // namespace
} // namespace qvd
