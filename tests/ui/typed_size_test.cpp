// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// A size typed instead of stepped: what is taken, what is refused and why,
// and that a taken size leaves the window as the bar's own steps do.

#include "ui/job/typed_size.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qvd {
namespace {

struct Case {
    UnitSystem units;
    Sizing sizing;
    std::string text;
    std::optional<int> value;
    std::string problem;
};

class TypedSizes : public ::testing::TestWithParam<Case> {};

TEST_P(TypedSizes, TakeWholeUnitsWithinTheSelectedBarsRange)
{
    const Case& c = GetParam();
    MainWindow window{NumberFormat{}};
    window.load();
    window.controls().clickOption(window.unitOption(c.units));
    window.controls().clickOption(window.sizeOption(c.sizing));
    const TypedSize typed = typedSize(window, c.text);
    EXPECT_EQ(typed.value, c.value) << c.text;
    EXPECT_EQ(typed.problem, c.problem) << c.text;
    EXPECT_EQ(typed.bar, window.sizeBar(c.sizing));
}

const std::string kInchWidths = "Give the width as a whole number of inches from 39 to 240.";
const std::string kCmDiagonals = "Give the diagonal as a whole number of centimetres from 124 to 763.";

INSTANTIATE_TEST_SUITE_P(Texts, TypedSizes,
    ::testing::Values(Case{UnitSystem::Inches, Sizing::Width, "39", 39, ""},
        Case{UnitSystem::Inches, Sizing::Width, " 240\t", 240, ""},
        Case{UnitSystem::Inches, Sizing::Width, "0100", 100, ""},
        Case{UnitSystem::Inches, Sizing::Width, "38", {}, kInchWidths},
        Case{UnitSystem::Inches, Sizing::Width, "241", {}, kInchWidths},
        Case{UnitSystem::Inches, Sizing::Width, "100.5", {}, kInchWidths},
        Case{UnitSystem::Inches, Sizing::Width, "1e2", {}, kInchWidths},
        Case{UnitSystem::Inches, Sizing::Width, "-50", {}, kInchWidths},
        Case{UnitSystem::Inches, Sizing::Width, "", {}, kInchWidths},
        Case{UnitSystem::Inches, Sizing::Width, "99999999999999999999", {}, kInchWidths},
        Case{UnitSystem::Inches, Sizing::Height, "180", 180, ""},
        Case{UnitSystem::Centimetres, Sizing::Width, "610", 610, ""},
        Case{UnitSystem::Centimetres, Sizing::Height, "76", 76, ""},
        Case{UnitSystem::Centimetres, Sizing::Diagonal, "123", {}, kCmDiagonals},
        Case{UnitSystem::Centimetres, Sizing::Diagonal, "764", {}, kCmDiagonals}));

TEST(TypedSize, IsRefusedUntilASizingIsChosen)
{
    MainWindow window{NumberFormat{}};
    window.load();
    EXPECT_EQ(typedSize(window, "100").problem, "Choose Width, Height or Diagonal first.");
    EXPECT_EQ(typedSizePrompt(window), "Size: Choose Width, Height or Diagonal first");
    window.controls().clickOption(window.unitOption(UnitSystem::Centimetres));
    window.controls().clickOption(window.sizeOption(Sizing::Height));
    EXPECT_EQ(typedSizePrompt(window), "Height in centimetres, 76 to 457");
}

// Entered as the page enters it (the bar moved to the value), a typed size
// gives every caption that stepping the bar there one arrow step at a time
// gives, in both units and for every sizing, from the design-time ranges on.
TEST(TypedSize, EntersTheWindowAsTheBarsStepsDo)
{
    for (const UnitSystem units : {UnitSystem::Inches, UnitSystem::Centimetres}) {
        for (const Sizing sizing : {Sizing::Width, Sizing::Height, Sizing::Diagonal}) {
            const UnitRange& range = sizeBarRange(sizing);
            for (const int target : {range.min(units), (range.min(units) + range.max(units)) / 2, range.max(units)}) {
                MainWindow typedWindow{NumberFormat{}};
                MainWindow steppedWindow{NumberFormat{}};
                for (MainWindow* window : {&typedWindow, &steppedWindow}) {
                    window->load();
                    window->controls().press(window->continueButton());
                    window->controls().clickOption(window->unitOption(units));
                    window->controls().clickOption(window->sizeOption(sizing));
                }
                const TypedSize typed = typedSize(typedWindow, std::to_string(target));
                ASSERT_TRUE(typed.value);
                typedWindow.moveBarTo(typed.bar, *typed.value);

                ControlSet& stepped = steppedWindow.controls();
                const ControlId bar = steppedWindow.sizeBar(sizing);
                stepped.moveScrollBar(bar, stepped.value(bar)); // the first step sets the unit's range
                while (stepped.value(bar) != target)
                    stepped.moveScrollBar(bar, stepped.value(bar) + (stepped.value(bar) < target ? 1 : -1));

                for (ControlId id = 0; id < stepped.size(); ++id)
                    ASSERT_EQ(typedWindow.controls().caption(id), stepped.caption(id))
                        << stepped.control(id).name << " at " << target;
            }
        }
    }
}

} // namespace
} // namespace qvd
