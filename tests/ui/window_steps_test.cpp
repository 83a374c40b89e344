// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// A saved job reopens as the window stood: random user actions, a save, an
// open in a fresh session (and in one the user has worked in), and every
// property of every control is as it was.

#include "action_scripts.h"
#include "ui/job/job_session.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace qvd;
using qvd::test::differences;
using qvd::test::modelDump;
using qvd::test::WindowDump;

namespace {

// Every property of every control, but for the introduction: it is the
// program's start-up, which opening a job leaves as it is.
WindowDump stateDump(const MainWindow& window)
{
    WindowDump dump = modelDump(window);
    dump.erase(std::to_string(window.introduction()) + ".Visible");
    return dump;
}

// The entries where `shown` differs from `held`, one a line.
std::string differing(const MainWindow& held, const MainWindow& shown)
{
    std::string lines;
    for (const std::string& line : differences(stateDump(held), stateDump(shown)))
        lines += line + '\n';
    return lines;
}

// One random action a user can take: an option, a visible bar moved, stepped
// or dragged (a drag may end without a Change), the angle, "Click to Continue".
std::string act(MainWindow& window, std::mt19937& random)
{
    ControlSet& controls = window.controls();
    const auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    std::vector<ControlId> bars{window.angleBar()};
    for (const Sizing sizing : {Sizing::Width, Sizing::Height, Sizing::Diagonal}) {
        if (controls.isVisible(window.sizeBar(sizing)))
            bars.push_back(window.sizeBar(sizing));
    }
    switch (pick(6)) {
    case 0: {
        const auto units = static_cast<UnitSystem>(pick(2));
        controls.clickOption(window.unitOption(units));
        return units == UnitSystem::Inches ? "click in" : "click cm";
    }
    case 1: {
        const auto sizing = static_cast<Sizing>(pick(3));
        controls.clickOption(window.sizeOption(sizing));
        return "choose " + std::to_string(static_cast<int>(sizing));
    }
    case 2:
        controls.press(window.continueButton());
        return "continue";
    default: {
        const ControlId bar = bars[static_cast<std::size_t>(pick(static_cast<int>(bars.size())))];
        const ControlState& state = controls.control(bar);
        // Anywhere between a little below the range and a little above it,
        // or one step from where the bar stands.
        const int value = pick(2) == 0 ? state.value + pick(3) - 1 : state.min - 20 + pick(state.max - state.min + 41);
        const bool drag = pick(3) == 0;
        if (drag)
            controls.dragScrollBar(bar, value);
        else
            controls.moveScrollBar(bar, value);
        return (drag ? "drag " : "move ") + state.name + " " + std::to_string(value);
    }
    }
}

std::string actions(MainWindow& window, std::mt19937& random, int count)
{
    std::string done;
    for (int i = 0; i < count; ++i)
        done += act(window, random) + "; ";
    return done;
}

} // namespace

TEST(SavedWindow, ReopensAsItStoodAfterAnyActions)
{
    std::mt19937 random(20261210);
    for (const char* separator : {".", ","}) {
        for (int run = 0; run < 250; ++run) {
            const NumberFormat format{separator};
            JobSession session(format);
            session.window().load();
            const int count = std::uniform_int_distribution<int>(0, run % 7 == 0 ? 200 : 12)(random);
            const std::string done = actions(session.window(), random, count);

            const std::string text = jobFileText(session.job());
            const JobReading reading = parseJob(text);
            ASSERT_TRUE(reading.ok()) << reading.error.message << "\n" << text;
            // The steps stay few however long the user worked.
            ASSERT_TRUE(reading.job->window.has_value());
            EXPECT_LE(reading.job->window->size(), 16u) << done << "\n" << text;

            JobSession fresh(format);
            fresh.window().load();
            fresh.apply(*reading.job);
            ASSERT_EQ(differing(session.window(), fresh.window()), "") << done << "\n" << text;
            // Saved again, the file is the same.
            EXPECT_EQ(jobFileText(fresh.job()), text) << done;

            // Opened in a window the user has worked in.
            JobSession worked(format);
            MainWindow& window = worked.window();
            window.load();
            actions(window, random, 10);
            const bool introduction = window.controls().isVisible(window.introduction());
            worked.apply(*reading.job);
            ASSERT_EQ(differing(session.window(), window), "") << done << "\n" << text;
            EXPECT_EQ(window.controls().isVisible(window.introduction()), introduction);
        }
    }
}

// The cases the issue names: the table shown is the one computed before an
// option was chosen, in the caption forms of the step that computed it.
TEST(SavedWindow, KeepsTheTableOfStartUpAfterAnOptionIsChosen)
{
    struct Case {
        const char* name;
        std::vector<std::pair<bool, int>> clicks; // (unit option?, which)
    };
    const Case cases[] = {
        {"Continue only: 162.80 from Form_Load, not 162.8 from an angle change", {}},
        {"Height chosen, its bar not moved", {{false, 1}}},
        {"Centimetres, then Diagonal", {{true, 1}, {false, 2}}},
    };
    for (const Case& c : cases) {
        JobSession session(NumberFormat{});
        MainWindow& window = session.window();
        window.load();
        window.controls().press(window.continueButton());
        for (const auto& [unit, which] : c.clicks)
            window.controls().clickOption(unit ? window.unitOption(static_cast<UnitSystem>(which))
                                               : window.sizeOption(static_cast<Sizing>(which)));
        const JobReading reading = parseJob(jobFileText(session.job()));
        ASSERT_TRUE(reading.ok()) << c.name;
        JobSession reopened(NumberFormat{});
        reopened.window().load();
        reopened.apply(*reading.job);
        EXPECT_EQ(reopened.window().controls().caption(reopened.window().resultLabel(0, Column::Throw)), "162.80")
            << c.name;
        EXPECT_EQ(differing(window, reopened.window()), "") << c.name;
    }
}
