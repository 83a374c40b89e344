// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The window's model: sizing and unit inputs, start-up, the introduction frame
// and the angle input, driven as a user drives the window.

#include "ui/main_window.h"

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
    std::string caption(std::string_view name) { return controls().caption(window.id(name)); }
    int value(std::string_view name) { return controls().value(window.id(name)); }
    bool visible(std::string_view name) { return controls().isVisible(window.id(name)); }
    void click(std::string_view name) { controls().clickOption(window.id(name)); }
    void change(std::string_view bar, int v) { controls().moveScrollBar(window.id(bar), v); }
    void scroll(std::string_view bar, int v) { controls().dragScrollBar(window.id(bar), v); }
    // Width, height and diagonal captions.
    std::vector<std::string> sizes() { return {caption("Label147"), caption("Label146"), caption("Label145")}; }

    MainWindow window{NumberFormat{}};
};

using Sizes = std::vector<std::string>;

TEST_F(Window, StartUpShowsTheTableFor100InchesBehindTheIntroduction)
{
    EXPECT_EQ(sizes(), (Sizes{"100", "", ""}));
    EXPECT_EQ(caption("Label148"), "10");
    EXPECT_EQ(caption("Label94"), "162.80");
    EXPECT_TRUE(visible("Frame2"));
    EXPECT_TRUE(controls().isSelected(window.id("Option11")));
    for (const char* option : {"Option4", "Option13", "Option14"})
        EXPECT_FALSE(controls().isSelected(window.id(option))) << option;
    for (const char* bar : {"HSBM", "hig", "vert"})
        EXPECT_FALSE(visible(bar)) << bar;
    EXPECT_TRUE(visible("hsbM1"));
}

TEST_F(Window, ContinueHidesTheIntroductionAndWritesNoCaption)
{
    std::vector<Property> changes;
    controls().setObserver([&](ControlId, Property p) { changes.push_back(p); });
    controls().press(window.id("Command1"));
    EXPECT_FALSE(visible("Frame2"));
    EXPECT_EQ(changes, std::vector<Property>{Property::Visible});
    EXPECT_EQ(sizes(), (Sizes{"100", "", ""}));
}

TEST_F(Window, SizingOptionShowsItsBarAndMovesNothing)
{
    struct Case {
        const char* option;
        const char* shown;
    };
    for (const Case& c : {Case{"Option13", "hig"}, Case{"Option14", "vert"}, Case{"Option4", "HSBM"}}) {
        click(c.option);
        for (const char* bar : {"HSBM", "hig", "vert"})
            EXPECT_EQ(visible(bar), std::string(bar) == c.shown) << c.option << " " << bar;
        EXPECT_EQ(sizes(), (Sizes{"100", "", ""})) << c.option;
        EXPECT_EQ(caption("Label94"), "162.80") << c.option;
    }
}

struct BarCase {
    const char* name;
    bool centimetres;
    const char* option;
    const char* bar;
    int position;
    Sizes expected; // width, height and diagonal captions
};

void PrintTo(const BarCase& c, std::ostream* out) { *out << c.name; }

const BarCase kBarCases[] = {
    {"Width120", false, "Option4", "HSBM", 120, {"120", "90.00", "150.00"}},
    {"Width101", false, "Option4", "HSBM", 101, {"101", "75.75", "126.25"}},
    {"Width39", false, "Option4", "HSBM", 39, {"39", "29.25", "48.75"}},
    {"Width38_ClampedTo39", false, "Option4", "HSBM", 38, {"39", "29.25", "48.75"}},
    {"Width241_ClampedTo240", false, "Option4", "HSBM", 241, {"240", "180.00", "300.00"}},
    {"WidthCm610", true, "Option4", "HSBM", 610, {"610", "457.50", "762.50"}},
    {"Height31", false, "Option13", "hig", 31, {"41.33", "31", "51.67"}},
    {"Height30", false, "Option13", "hig", 30, {"40.00", "30", "50.00"}},
    {"Height180", false, "Option13", "hig", 180, {"240.00", "180", "300.00"}},
    {"HeightCm76", true, "Option13", "hig", 76, {"101.33", "76", "126.67"}},
    {"Diagonal49", false, "Option14", "vert", 49, {"39.2", "", ""}},
    {"Diagonal50", false, "Option14", "vert", 50, {"40", "", ""}},
    {"Diagonal51", false, "Option14", "vert", 51, {"40.8", "", ""}},
    {"Diagonal300", false, "Option14", "vert", 300, {"240", "", ""}},
    {"DiagonalCm124", true, "Option14", "vert", 124, {"99.2", "", ""}},
    {"DiagonalCm763", true, "Option14", "vert", 763, {"610.4", "", ""}},
};

class BarInput : public Window, public ::testing::WithParamInterface<BarCase> {};

TEST_P(BarInput, ChangeAndScrollWriteTheSizeCaptions)
{
    const BarCase& c = GetParam();
    if (c.centimetres)
        click("Option2");
    click(c.option);
    change(c.bar, c.position); // sets the unit's range
    change(c.bar, c.position);
    EXPECT_EQ(sizes(), c.expected) << "Change";
    scroll(c.bar, c.position);
    EXPECT_EQ(sizes(), c.expected) << "Scroll";
}

INSTANTIATE_TEST_SUITE_P(
    Bars, BarInput, ::testing::ValuesIn(kBarCases), [](const auto& info) { return std::string(info.param.name); });

TEST_F(Window, HeightInputCalculatesWithTheRoundedWidth)
{
    click("Option13");
    change("hig", 31);
    // 41.33 x 1.22 + 10 = 60.4226; the unrounded 41.333... would give 60.43.
    EXPECT_EQ(caption("Label62"), "60.42");
}

TEST_F(Window, FirstHeightChangeBringsTheDesignValueIntoRange)
{
    click("Option13");
    EXPECT_EQ(value("hig"), 0);
    change("hig", value("hig") + 1); // a click on the right arrow
    EXPECT_EQ(value("hig"), 30);
    EXPECT_EQ(sizes(), (Sizes{"40.00", "30", "50.00"}));
}

TEST_F(Window, DiagonalDragBeforeAnyChangeUsesTheDesignRange)
{
    click("Option14");
    scroll("vert", 763);
    EXPECT_EQ(caption("Label147"), "610.4");
    const int min = controls().control(window.id("vert")).min;
    EXPECT_EQ(min, 60);
    change("vert", 763); // the release at the end of the drag
    EXPECT_EQ(value("vert"), 300);
    EXPECT_EQ(caption("Label147"), "240");
}

TEST_F(Window, DiagonalBarDoesNothingWithoutItsOption)
{
    click("Option4");
    change("vert", 100);
    scroll("vert", 120);
    EXPECT_EQ(sizes(), (Sizes{"100", "", ""}));
    EXPECT_EQ(controls().control(window.id("vert")).min, 60);
}

TEST_F(Window, DiagonalKeepsTheHeightAndDiagonalCaptionsOfTheLastWriter)
{
    click("Option4");
    change("HSBM", 120);
    click("Option14");
    change("vert", 50); // clamped into the design range, then the unit's range is set
    change("vert", 50);
    EXPECT_EQ(sizes(), (Sizes{"40", "90.00", "150.00"}));
}

TEST_F(Window, UnitSwitchTakesEffectAtTheBarsNextEvent)
{
    click("Option2");
    click("Option4");
    change("HSBM", 500);
    change("HSBM", 500);
    EXPECT_EQ(sizes(), (Sizes{"500", "375.00", "625.00"}));
    const std::string throwAt500 = caption("Label95");
    click("Option11");
    EXPECT_EQ(sizes(), (Sizes{"500", "375.00", "625.00"}));
    EXPECT_EQ(caption("Label95"), throwAt500);
    change("HSBM", value("HSBM") + 1);
    EXPECT_EQ(value("HSBM"), 240);
    EXPECT_EQ(sizes(), (Sizes{"240", "180.00", "300.00"}));
}

TEST_F(Window, RangeWriteThatMovesTheValueRunsTheHandlerInside)
{
    // Inches, HSBM at 50; in centimetres the Min of 99 moves the value, which
    // raises Change inside the Min write before the outer handler goes on.
    click("Option4");
    change("HSBM", 50);
    change("HSBM", 50);
    click("Option2");
    int widthWrites = 0;
    const ControlId width = window.id("Label147");
    controls().setObserver([&](ControlId id, Property p) {
        if (id == width && p == Property::Caption)
            ++widthWrites;
    });
    change("HSBM", 50);
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
        change("hsbM1", c.position);
        EXPECT_EQ(caption("Label148"), c.caption) << c.position;
        EXPECT_EQ(caption("Label98"), c.ulmoOffset) << c.position;
        EXPECT_EQ(sizes(), (Sizes{"100", "75", "125"})) << c.position;
    }
    scroll("hsbM1", -10);
    EXPECT_EQ(caption("Label148"), "-10");
    EXPECT_EQ(caption("Label98"), "-53.25");
}

TEST_F(Window, AngleThenWidthInputsShowTheirOwnHeightForms)
{
    change("hsbM1", 10);
    EXPECT_EQ(sizes(), (Sizes{"100", "75", "125"}));
    click("Option4");
    change("HSBM", 100);
    EXPECT_EQ(sizes(), (Sizes{"100", "75.00", "125.00"}));
}

TEST_F(Window, ErrorInTheRecalculationStopsTheBarHandlerToo)
{
    click("Option4");
    change("hsbM1", 5); // the height and diagonal captions now read 75 and 125
    // An angle caption that is not a number fails inside its own recalculation…
    EXPECT_THROW(controls().setCaption(window.id("Label148"), "five"), RuntimeError);
    // …and again inside the width recalculation that the width bar starts: the
    // bar's handler stops there and never writes the height and diagonal.
    EXPECT_THROW(change("HSBM", 120), RuntimeError);
    EXPECT_EQ(sizes(), (Sizes{"120", "75", "125"}));
}

TEST_F(Window, CommaSeparatorThroughTheInputs)
{
    MainWindow comma(NumberFormat{","});
    comma.load();
    ControlSet& c = comma.controls();
    EXPECT_EQ(c.caption(comma.id("Label94")), "162,80");
    c.clickOption(comma.id("Option13"));
    c.moveScrollBar(comma.id("hig"), 31);
    EXPECT_EQ(c.caption(comma.id("Label147")), "41,33");
    EXPECT_EQ(c.caption(comma.id("Label62")), "60,42");
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
    EXPECT_EQ(designs.back().container, "Frame2") << "the introduction frame and its contents come last";
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
