// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The window's model: sizing and unit inputs, start-up, the introduction frame
// and the angle input, driven as a user drives the window.

#include "ui/window/main_window.h"

#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qvd {
namespace {

class Window : public ::testing::Test {
protected:
    Window() { window.load(); }

    ControlSet& controls() { return window.controls(); }
    std::string caption(ControlId id) { return controls().caption(id); }
    int value(ControlId id) { return controls().value(id); }
    bool visible(ControlId id) { return controls().isVisible(id); }
    void click(ControlId id) { controls().clickOption(id); }
    void change(ControlId bar, int v) { controls().moveScrollBar(bar, v); }
    void scroll(ControlId bar, int v) { controls().dragScrollBar(bar, v); }
    // Width, height and diagonal captions.
    std::vector<std::string> sizes()
    {
        return {caption(window.widthCaption()), caption(window.heightCaption()), caption(window.diagonalCaption())};
    }
    ControlId ulmoThrow() const { return window.resultLabel(Ulmo, Column::Throw); }
    ControlId ulmoOffset() const { return window.resultLabel(Ulmo, Column::Offset); }

    MainWindow window{NumberFormat{}};
};

using Sizes = std::vector<std::string>;

constexpr Sizing kSizings[] = {Sizing::Width, Sizing::Height, Sizing::Diagonal};

const char* name(Sizing sizing)
{
    constexpr const char* kNames[] = {"width", "height", "diagonal"};
    return kNames[static_cast<std::size_t>(sizing)];
}

TEST_F(Window, StartUpShowsTheTableFor100InchesBehindTheIntroduction)
{
    EXPECT_EQ(sizes(), (Sizes{"100", "", ""}));
    EXPECT_EQ(caption(window.angleCaption()), "10");
    EXPECT_EQ(caption(ulmoThrow()), "162.80");
    EXPECT_TRUE(visible(window.introduction()));
    EXPECT_TRUE(controls().isSelected(window.unitOption(UnitSystem::Inches)));
    for (const Sizing sizing : kSizings) {
        EXPECT_FALSE(controls().isSelected(window.sizeOption(sizing))) << name(sizing);
        EXPECT_FALSE(visible(window.sizeBar(sizing))) << name(sizing);
    }
    EXPECT_TRUE(visible(window.angleBar()));
}

TEST_F(Window, ContinueHidesTheIntroductionAndWritesNoCaption)
{
    std::vector<Property> changes;
    const Connection watching = controls().onChange([&](ControlId, Property p) { changes.push_back(p); });
    controls().press(window.continueButton());
    EXPECT_FALSE(visible(window.introduction()));
    EXPECT_EQ(changes, std::vector<Property>{Property::Visible});
    EXPECT_EQ(sizes(), (Sizes{"100", "", ""}));
}

TEST_F(Window, SizingOptionShowsItsBarAndMovesNothing)
{
    for (const Sizing chosen : {Sizing::Height, Sizing::Diagonal, Sizing::Width}) {
        click(window.sizeOption(chosen));
        for (const Sizing sizing : kSizings)
            EXPECT_EQ(visible(window.sizeBar(sizing)), sizing == chosen) << name(chosen) << " " << name(sizing);
        EXPECT_EQ(sizes(), (Sizes{"100", "", ""})) << name(chosen);
        EXPECT_EQ(caption(ulmoThrow()), "162.80") << name(chosen);
    }
}

struct BarCase {
    const char* name;
    UnitSystem units;
    Sizing sizing;
    int position;
    Sizes expected; // width, height and diagonal captions
};

void PrintTo(const BarCase& c, std::ostream* out) { *out << c.name; }

const BarCase kBarCases[] = {
    {"Width120", UnitSystem::Inches, Sizing::Width, 120, {"120", "90.00", "150.00"}},
    {"Width101", UnitSystem::Inches, Sizing::Width, 101, {"101", "75.75", "126.25"}},
    {"Width39", UnitSystem::Inches, Sizing::Width, 39, {"39", "29.25", "48.75"}},
    {"Width38_ClampedTo39", UnitSystem::Inches, Sizing::Width, 38, {"39", "29.25", "48.75"}},
    {"Width241_ClampedTo240", UnitSystem::Inches, Sizing::Width, 241, {"240", "180.00", "300.00"}},
    {"WidthCm610", UnitSystem::Centimetres, Sizing::Width, 610, {"610", "457.50", "762.50"}},
    {"Height31", UnitSystem::Inches, Sizing::Height, 31, {"41.33", "31", "51.67"}},
    {"Height30", UnitSystem::Inches, Sizing::Height, 30, {"40.00", "30", "50.00"}},
    {"Height180", UnitSystem::Inches, Sizing::Height, 180, {"240.00", "180", "300.00"}},
    {"HeightCm76", UnitSystem::Centimetres, Sizing::Height, 76, {"101.33", "76", "126.67"}},
    {"Diagonal49", UnitSystem::Inches, Sizing::Diagonal, 49, {"39.2", "", ""}},
    {"Diagonal50", UnitSystem::Inches, Sizing::Diagonal, 50, {"40", "", ""}},
    {"Diagonal51", UnitSystem::Inches, Sizing::Diagonal, 51, {"40.8", "", ""}},
    {"Diagonal300", UnitSystem::Inches, Sizing::Diagonal, 300, {"240", "", ""}},
    {"DiagonalCm124", UnitSystem::Centimetres, Sizing::Diagonal, 124, {"99.2", "", ""}},
    {"DiagonalCm763", UnitSystem::Centimetres, Sizing::Diagonal, 763, {"610.4", "", ""}},
};

class BarInput : public Window, public ::testing::WithParamInterface<BarCase> {};

TEST_P(BarInput, ChangeAndScrollWriteTheSizeCaptions)
{
    const BarCase& c = GetParam();
    window.enterInputs({c.units, c.sizing, c.position, {}});
    EXPECT_EQ(sizes(), c.expected) << "Change";
    scroll(window.sizeBar(c.sizing), c.position);
    EXPECT_EQ(sizes(), c.expected) << "Scroll";
}

INSTANTIATE_TEST_SUITE_P(
    Bars, BarInput, ::testing::ValuesIn(kBarCases), [](const auto& info) { return std::string(info.param.name); });

TEST_F(Window, HeightInputCalculatesWithTheRoundedWidth)
{
    click(window.sizeOption(Sizing::Height));
    change(window.heightBar(), 31);
    // 41.33 x 1.22 + 10 = 60.4226; the unrounded 41.333... would give 60.43.
    EXPECT_EQ(caption(window.resultLabel(Brisa, Column::Throw)), "60.42");
}

TEST_F(Window, FirstHeightChangeBringsTheDesignValueIntoRange)
{
    click(window.sizeOption(Sizing::Height));
    EXPECT_EQ(value(window.heightBar()), 0);
    change(window.heightBar(), value(window.heightBar()) + 1); // a click on the right arrow
    EXPECT_EQ(value(window.heightBar()), 30);
    EXPECT_EQ(sizes(), (Sizes{"40.00", "30", "50.00"}));
}

TEST_F(Window, DiagonalDragBeforeAnyChangeUsesTheDesignRange)
{
    click(window.sizeOption(Sizing::Diagonal));
    scroll(window.diagonalBar(), 763);
    EXPECT_EQ(caption(window.widthCaption()), "610.4");
    const int min = controls().control(window.diagonalBar()).min;
    EXPECT_EQ(min, 60);
    change(window.diagonalBar(), 763); // the release at the end of the drag
    EXPECT_EQ(value(window.diagonalBar()), 300);
    EXPECT_EQ(caption(window.widthCaption()), "240");
}

TEST_F(Window, DiagonalBarDoesNothingWithoutItsOption)
{
    click(window.sizeOption(Sizing::Width));
    change(window.diagonalBar(), 100);
    scroll(window.diagonalBar(), 120);
    EXPECT_EQ(sizes(), (Sizes{"100", "", ""}));
    EXPECT_EQ(controls().control(window.diagonalBar()).min, 60);
}

TEST_F(Window, DiagonalKeepsTheHeightAndDiagonalCaptionsOfTheLastWriter)
{
    click(window.sizeOption(Sizing::Width));
    change(window.widthBar(), 120);
    click(window.sizeOption(Sizing::Diagonal));
    // Clamped into the design range, then the unit's range is set.
    window.moveBarTo(window.diagonalBar(), 50);
    EXPECT_EQ(sizes(), (Sizes{"40", "90.00", "150.00"}));
}

TEST_F(Window, UnitSwitchTakesEffectAtTheBarsNextEvent)
{
    window.enterInputs({UnitSystem::Centimetres, Sizing::Width, 500, {}});
    EXPECT_EQ(sizes(), (Sizes{"500", "375.00", "625.00"}));
    const ControlId tovanThrow = window.resultLabel(Tovan, Column::Throw);
    const std::string throwAt500 = caption(tovanThrow);
    click(window.unitOption(UnitSystem::Inches));
    EXPECT_EQ(sizes(), (Sizes{"500", "375.00", "625.00"}));
    EXPECT_EQ(caption(tovanThrow), throwAt500);
    change(window.widthBar(), value(window.widthBar()) + 1);
    EXPECT_EQ(value(window.widthBar()), 240);
    EXPECT_EQ(sizes(), (Sizes{"240", "180.00", "300.00"}));
}

TEST_F(Window, RangeWriteThatMovesTheValueRunsTheHandlerInside)
{
    // Inches, HSBM at 50; in centimetres the Min of 99 moves the value, which
    // raises Change inside the Min write before the outer handler goes on.
    window.enterInputs({UnitSystem::Inches, Sizing::Width, 50, {}});
    click(window.unitOption(UnitSystem::Centimetres));
    int widthWrites = 0;
    const ControlId width = window.widthCaption();
    const Connection watching = controls().onChange([&](ControlId id, Property p) {
        if (id == width && p == Property::Caption)
            ++widthWrites;
    });
    change(window.widthBar(), 50);
    EXPECT_EQ(widthWrites, 2);
    EXPECT_EQ(sizes(), (Sizes{"99", "74.25", "123.75"}));
}

TEST_F(Window, AngleBarWritesWholeDegreesAndRecalculates)
{
    struct Case {
        int position;
        const char* caption;
        const char* ulmoOffset;
    };
    for (const Case& c : {Case{-15, "-15", "-67.15"}, Case{0, "0", "-25"}, Case{15, "15", "17.15"},
             Case{16, "15", "17.15"}, Case{-99, "-15", "-67.15"}}) {
        change(window.angleBar(), c.position);
        EXPECT_EQ(caption(window.angleCaption()), c.caption) << c.position;
        EXPECT_EQ(caption(ulmoOffset()), c.ulmoOffset) << c.position;
        EXPECT_EQ(sizes(), (Sizes{"100", "75", "125"})) << c.position;
    }
    scroll(window.angleBar(), -10);
    EXPECT_EQ(caption(window.angleCaption()), "-10");
    EXPECT_EQ(caption(ulmoOffset()), "-53.25");
}

TEST_F(Window, AngleThenWidthInputsShowTheirOwnHeightForms)
{
    change(window.angleBar(), 10);
    EXPECT_EQ(sizes(), (Sizes{"100", "75", "125"}));
    click(window.sizeOption(Sizing::Width));
    change(window.widthBar(), 100);
    EXPECT_EQ(sizes(), (Sizes{"100", "75.00", "125.00"}));
}

TEST_F(Window, ErrorInTheRecalculationStopsTheBarHandlerToo)
{
    click(window.sizeOption(Sizing::Width));
    change(window.angleBar(), 5); // the height and diagonal captions now read 75 and 125
    // An angle caption that is not a number fails inside its own recalculation…
    EXPECT_THROW(controls().setCaption(window.angleCaption(), "five"), RuntimeError);
    // …and again inside the width recalculation that the width bar starts: the
    // bar's handler stops there and never writes the height and diagonal.
    EXPECT_THROW(change(window.widthBar(), 120), RuntimeError);
    EXPECT_EQ(sizes(), (Sizes{"120", "75", "125"}));
}

TEST_F(Window, CommaSeparatorThroughTheInputs)
{
    MainWindow comma(NumberFormat{","});
    comma.load();
    ControlSet& c = comma.controls();
    EXPECT_EQ(c.caption(comma.resultLabel(Ulmo, Column::Throw)), "162,80");
    c.clickOption(comma.sizeOption(Sizing::Height));
    c.moveScrollBar(comma.heightBar(), 31);
    EXPECT_EQ(c.caption(comma.widthCaption()), "41,33");
    EXPECT_EQ(c.caption(comma.resultLabel(Brisa, Column::Throw)), "60,42");
}

TEST(FormDesign, EveryControlHasADistinctTabIndexAndAKnownContainer)
{
    const auto& designs = controlDesigns();
    std::vector<bool> seen(designs.size(), false);
    std::vector<std::string_view> created;
    for (const ControlDesign& d : designs) {
        ASSERT_LT(static_cast<std::size_t>(d.tabIndex), designs.size()) << d.name;
        EXPECT_FALSE(seen[d.tabIndex]) << d.name << " repeats tab index " << d.tabIndex;
        seen[d.tabIndex] = true;
        if (!d.container.empty()) {
            EXPECT_NE(std::find(created.begin(), created.end(), d.container), created.end())
                << d.name << " comes before its container " << d.container;
        }
        created.push_back(d.name);
    }
    EXPECT_EQ(designs.back().container, roleNames().introduction)
        << "the introduction frame and its contents come last";
}

TEST(FormDesign, ControlsFitTheirContainers)
{
    const auto& designs = controlDesigns();
    for (const ControlDesign& d : designs) {
        int width = formDesign().clientWidth;
        int height = formDesign().clientHeight;
        for (const ControlDesign& c : designs) {
            if (c.name == d.container) {
                width = c.width;
                height = c.height;
            }
        }
        EXPECT_LE(d.left + d.width, width) << d.name;
        EXPECT_LE(d.top + d.height, height) << d.name;
    }
}

} // namespace
} // namespace qvd
