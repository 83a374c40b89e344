// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "app/cli/replay.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace qvd {
namespace {

struct Replay {
    int status;
    std::string out;
    std::string err;

    // The printed states; each ends with one empty line.
    std::vector<std::string> states() const
    {
        std::vector<std::string> blocks;
        for (std::size_t start = 0, end; (end = out.find("\n\n", start)) != std::string::npos; start = end + 2)
            blocks.push_back(out.substr(start, end - start + 1));
        return blocks;
    }
};

Replay replay(const std::string& script, const NumberFormat& format = {})
{
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runReplay(in, out, err, format);
    return {status, out.str(), err.str()};
}

// Whether `state` holds `line` as one whole line.
bool hasLine(const std::string& state, const std::string& line)
{
    return ("\n" + state).find("\n" + line + "\n") != std::string::npos;
}

void expectLines(const std::string& state, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        EXPECT_TRUE(hasLine(state, line)) << "missing " << line;
}

TEST(Replay, StartsAsTheWindowIsFirstShown)
{
    const Replay r = replay("");
    EXPECT_EQ(r.status, ExitOk);
    EXPECT_EQ(r.err, "");
    ASSERT_EQ(r.states().size(), 1u);
    ASSERT_TRUE(r.out.ends_with("\n\n"));
    expectLines(r.out,
        {"Label147.Caption=100", "Label146.Caption=", "Label145.Caption=", "Label148.Caption=10",
            "Label94.Caption=162.80", "Label96.Caption=165.33", "Label98.Caption=3.25", "Label62.Caption=132",
            "Label78.Caption=5.4", "Label63.Caption=Screen", "Label63.ForeColor=255", "Label94.ForeColor=0",
            "HSBM.Min=54", "HSBM.Max=610", "HSBM.Visible=0", "hig.Value=0", "hsbM1.Value=10", "Option11.Value=-1",
            "Option2.Value=0", "Option4.Value=0", "Frame2.Visible=-1"});
    std::istringstream lines(r.states().front());
    for (std::string line; std::getline(lines, line);)
        EXPECT_NE(line.find('='), std::string::npos) << line;
}

TEST(Replay, PrintsAtEachDumpOrOnceAtTheEnd)
{
    const struct {
        const char* script;
        std::size_t states;
        const char* firstHas;
    } cases[] = {
        {"click Command1", 1, "Frame2.Visible=0"},
        {"click Command1\ndump", 1, "Frame2.Visible=0"},
        {"dump\nclick Command1", 1, "Frame2.Visible=-1"},
        {"dump\nclick Command1\ndump", 2, "Frame2.Visible=-1"},
        {"# dump\n\n   \n\t\n#click Command1", 1, "Frame2.Visible=-1"},
    };
    for (const auto& c : cases) {
        const Replay r = replay(c.script);
        EXPECT_EQ(r.status, ExitOk) << c.script;
        ASSERT_EQ(r.states().size(), c.states) << c.script;
        EXPECT_TRUE(hasLine(r.states().front(), c.firstHas)) << c.script;
    }
}

struct ActionCase {
    const char* name;
    const char* script;
    std::vector<std::string> lines;
};

class ReplayActionTest : public testing::TestWithParam<ActionCase> {};

TEST_P(ReplayActionTest, ChangesTheState)
{
    const Replay r = replay(GetParam().script);
    ASSERT_EQ(r.status, ExitOk) << r.err;
    expectLines(r.out, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplayActionTest,
    testing::Values(ActionCase{"click_Command1", "click Command1", {"Frame2.Visible=0"}},
        ActionCase{"click_clears_group", "click Option2", {"Option11.Value=0", "Option2.Value=-1"}},
        // With HSBM hidden while Option4 is already selected, only a Click shows it.
        ActionCase{"click_selected_option", "click Option13\nset Option4.Value -1\nset Option13.Value 0\nclick Option4",
            {"Option4.Value=-1", "Option13.Value=0", "HSBM.Visible=-1", "hig.Visible=0"}},
        ActionCase{"value_clears_without_group", "set Option11.Value 0", {"Option11.Value=0", "Option2.Value=0"}},
        ActionCase{"value_selects_without_group", "set Option2.Value -1", {"Option11.Value=-1", "Option2.Value=-1"}},
        ActionCase{"change_above_range", "change HSBM 1000",
            {"HSBM.Min=39", "HSBM.Max=240", "HSBM.Value=240", "Label147.Caption=240", "Label146.Caption=180.00",
                "Label145.Caption=300.00"}},
        // The move is clamped into the design-time range before the handler sets 39 to 240.
        ActionCase{"change_below_range", "change HSBM -5", {"HSBM.Min=39", "HSBM.Value=54", "Label147.Caption=54"}},
        ActionCase{"change_beyond_64_bits", "change HSBM 99999999999999999999999", {"HSBM.Value=240"}},
        ActionCase{"change_to_same_value", "change HSBM 100", {"HSBM.Value=100", "Label146.Caption=75.00"}},
        ActionCase{"change_diagonal_sets_range", "click Option14\nchange vert 1000",
            {"vert.Max=300", "vert.Value=300", "Label147.Caption=240"}},
        ActionCase{"scroll_diagonal_keeps_range", "click Option14\nscroll vert 1000",
            {"vert.Max=763", "vert.Value=763", "Label147.Caption=610.4"}},
        ActionCase{"change_angle_below_range", "change hsbM1 -20",
            {"hsbM1.Value=-15", "Label148.Caption=-15", "Label146.Caption=75", "Label145.Caption=125"}},
        ActionCase{"caption_keeps_blanks", "set Label146.Caption  two  blanks ", {"Label146.Caption= two  blanks "}},
        ActionCase{"caption_empty", "set Label94.Caption", {"Label94.Caption="}},
        ActionCase{"caption_one_blank", "set Label94.Caption ", {"Label94.Caption="}},
        ActionCase{
            "same_width_recalculates", "set Label94.Caption x\nset Label147.Caption 100", {"Label94.Caption=162.80"}},
        ActionCase{"angle_caption_recalculates", "set Label148.Caption 0",
            {"Label146.Caption=75", "Label94.Caption=162.8", "Label96.Caption=167.8", "Label98.Caption=-25"}},
        ActionCase{"crlf_lines", "set Label1.Caption abc\r\nchange hsbM1 5\r\n",
            {"Label1.Caption=abc", "Label148.Caption=5"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Replay, BadLineStopsBeforeItRunsWithStatus2)
{
    const struct {
        const char* line;
        const char* named; // what the reason names; empty: any reason
    } cases[] = {
        {"jump HSBM 5", "jump"},
        {"click", ""},
        {"click Label147", "Label147"},
        {"click Command1 twice", ""},
        {"change Bar 5", "Bar"},
        {"change HSBM", ""},
        {"change HSBM 12.5", "12.5"},
        {"scroll hsbM1 ten", "ten"},
        {"change HSBM -", ""},
        {"change HSBM 5 6", ""},
        {"set Label147 5", ""},
        {"set", ""},
        {"set Label999.Caption x", "Label999"},
        {"set Label147.Text x", "Text"},
        {"set HSBM.Caption x", "HSBM"},
        {"set Label147.Value -1", "Label147"},
        {"set Option11.Value 2", "2"},
        {"set Option11.Value", ""},
        {"set Option11.Value -1 0", ""},
        {"dump now", ""},
        // Input is shown, never obeyed: no terminal escape reaches stderr.
        {"click \x1b]0;title\x07\x1b[2J", "'\\x1b]0;title\\x07\\x1b[2J'"},
        {"click Bar\xff\xc2\x85\\", "'Bar\\xff\\xc2\\x85\\\\'"},
        {"scroll hsbM1 \u00e9t\u00e9", "'\u00e9t\u00e9'"},
    };
    // Lines 1 to 4 run; line 5 is the bad one and line 6 never runs.
    const std::string before = "# comment\n\nset Label1.Caption before\ndump\n";
    const std::string expectedOut = replay(before).out;
    const std::string prefix = "replay: line 5: ";
    for (const auto& c : cases) {
        const Replay r = replay(before + c.line + "\nclick Command1\ndump\n");
        EXPECT_EQ(r.status, ExitUsage) << c.line;
        EXPECT_EQ(r.out, expectedOut) << c.line;
        ASSERT_TRUE(r.err.starts_with(prefix) && r.err.ends_with("\n")) << c.line << ": " << r.err;
        const std::string reason = r.err.substr(prefix.size());
        EXPECT_GT(reason.size(), 1u) << c.line;
        EXPECT_EQ(reason.find('\n'), reason.size() - 1) << c.line;
        EXPECT_EQ(std::count_if(reason.begin(), reason.end(), [](char ch) { return ch == '\x1b' || ch == '\x07'; }), 0)
            << c.line;
        EXPECT_NE(reason.find(c.named), std::string::npos) << c.line << ": " << reason;
    }
}

TEST(Replay, RuntimeErrorPrintsTheStateAsItStandsWithStatus3)
{
    const struct {
        const char* script;
        const char* kind;
        std::vector<std::string> lines;
    } cases[] = {
        // The width recalculation stops at its first reading of the width.
        {"set Label146.Caption kept\nset Label147.Caption abc\nset Label145.Caption never\ndump", "Type mismatch",
            {"Label146.Caption=kept", "Label147.Caption=abc", "Label145.Caption=", "Label94.Caption=162.80"}},
        {"set Label147.Caption 1e999", "Overflow", {"Label147.Caption=1e999", "Label94.Caption=162.80"}},
        // Height and diagonal come first; Ulmo's throw and straight line are
        // written before its first sign test reads the angle; Tovan keeps its text.
        {"set Label148.Caption xyz", "Type mismatch",
            {"Label148.Caption=xyz", "Label146.Caption=75", "Label145.Caption=125", "Label94.Caption=162.8",
                "Label96.Caption=167.8", "Label98.Caption=3.25", "Label95.Caption=160.50"}},
    };
    for (const auto& c : cases) {
        const Replay r = replay(c.script);
        EXPECT_EQ(r.status, ExitRuntimeError) << c.script;
        ASSERT_EQ(r.states().size(), 1u) << c.script;
        expectLines(r.out, c.lines);
        EXPECT_NE(r.err.find(c.kind), std::string::npos) << r.err;
    }
}

TEST(Replay, UsesTheGivenDecimalSeparator)
{
    const NumberFormat comma{","};
    const Replay shown = replay("", comma);
    expectLines(shown.out, {"Label94.Caption=162,80", "Label78.Caption=5,4"});
    EXPECT_EQ(replay("set Label147.Caption 100.5", comma).status, ExitRuntimeError);
    EXPECT_EQ(replay("set Label147.Caption 100,5", comma).status, ExitOk);
}

} // namespace
} // namespace qvd
