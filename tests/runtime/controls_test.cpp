// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "runtime/controls.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qvd {
namespace {

using Log = std::vector<std::string>;

// Two frames of option buttons, two labels and a scroll bar; every event and
// every change notice goes into one log, in order.
class ControlsTest : public testing::Test {
protected:
    void SetUp() override
    {
        const ControlId units = add("Units", ControlKind::Frame);
        const ControlId sizing = add("Sizing", ControlKind::Frame);
        inches = add("Inches", ControlKind::OptionButton, kTrue, units);
        cm = add("Cm", ControlKind::OptionButton, kFalse, units);
        width = add("Width", ControlKind::OptionButton, kFalse, sizing);
        height = add("Height", ControlKind::OptionButton, kTrue, sizing);
        input = add("Input", ControlKind::Label);
        output = add("Output", ControlKind::Label);
        bar = add("Bar", ControlKind::HScrollBar, 50, 0, 0, 100);
        for (ControlId id : {inches, cm, width, height})
            logEvent(id, Event::Click, "Click");
        logEvent(input, Event::Change, "Change");
        logEvent(bar, Event::Change, "Change");
        logEvent(bar, Event::Scroll, "Scroll");
        watching = controls.onChange([this](ControlId id, Property property) {
            const ControlState& c = controls.control(id);
            log.push_back("saw " + c.name + (property == Property::Caption ? " " + c.caption : ""));
        });
    }

    ControlId add(std::string name, ControlKind kind, int value = 0, ControlId group = 0, int min = 0, int max = 0)
    {
        ControlState state;
        state.name = std::move(name);
        state.kind = kind;
        state.value = value;
        state.group = group;
        state.min = min;
        state.max = max;
        return controls.add(std::move(state));
    }
    void logEvent(ControlId id, Event event, const std::string& what)
    {
        controls.setHandler(id, event, [this, id, what] {
            const ControlState& c = controls.control(id);
            log.push_back(
                c.name + " " + what + (c.kind == ControlKind::HScrollBar ? " " + std::to_string(c.value) : ""));
        });
    }
    std::vector<int> options() const
    {
        return {controls.control(inches).value, controls.control(cm).value, controls.control(width).value,
            controls.control(height).value};
    }

    ControlSet controls;
    Connection watching;
    Log log;
    ControlId inches{}, cm{}, width{}, height{}, input{}, output{}, bar{};
};

TEST_F(ControlsTest, ClickSelectsWithinItsGroupOnlyAndAlwaysRaisesClick)
{
    controls.clickOption(cm);
    EXPECT_EQ(options(), (std::vector<int>{kFalse, kTrue, kFalse, kTrue}));
    EXPECT_EQ(log, (Log{"saw Inches", "saw Cm", "Cm Click"}));
    log.clear();
    controls.clickOption(cm);
    EXPECT_EQ(options(), (std::vector<int>{kFalse, kTrue, kFalse, kTrue}));
    EXPECT_EQ(log, (Log{"saw Cm", "Cm Click"})) << "a click on the selected button raises Click again";
}

TEST_F(ControlsTest, DirectValueWriteIgnoresGroupAndRaisesNothing)
{
    controls.setOptionValue(cm, true);
    controls.setOptionValue(height, false);
    EXPECT_EQ(options(), (std::vector<int>{kTrue, kTrue, kFalse, kFalse}));
    EXPECT_EQ(log, (Log{"saw Cm", "saw Height"}));
}

struct MoveCase {
    const char* name;
    int min, max;
    long long to;
    bool drag;
    int value;
};

class ScrollBarMoveTest : public ControlsTest, public testing::WithParamInterface<MoveCase> {};

TEST_P(ScrollBarMoveTest, ClampsIntoRangeAndRaisesOneEvent)
{
    const MoveCase& c = GetParam();
    const ControlId other = add("Other", ControlKind::HScrollBar, c.min, 0, c.min, c.max);
    logEvent(other, Event::Change, "Change");
    logEvent(other, Event::Scroll, "Scroll");
    if (c.drag)
        controls.dragScrollBar(other, c.to);
    else
        controls.moveScrollBar(other, c.to);
    const std::string event = std::string(c.drag ? "Other Scroll " : "Other Change ") + std::to_string(c.value);
    EXPECT_EQ(log, (Log{"saw Other", event}));
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollBarMoveTest,
    testing::Values(MoveCase{"inside", 39, 240, 120, false, 120}, MoveCase{"at_min", 39, 240, 39, false, 39},
        MoveCase{"below_min", 39, 240, 38, false, 39}, MoveCase{"at_max", 39, 240, 240, false, 240},
        MoveCase{"above_max", 39, 240, 241, false, 240}, MoveCase{"unchanged_value", 39, 240, 39, false, 39},
        MoveCase{"drag_inside", 60, 763, 500, true, 500}, MoveCase{"drag_above_max", 60, 763, 1000, true, 763},
        MoveCase{"drag_below_min", -15, 15, -16, true, -15}, MoveCase{"reversed_inside", 100, 0, 40, false, 40},
        MoveCase{"reversed_above", 100, 0, 101, false, 100}, MoveCase{"reversed_below", 100, 0, -1, true, 0},
        MoveCase{"beyond_16_bits_up", kScrollMin, kScrollMax, 1LL << 40, false, kScrollMax},
        MoveCase{"beyond_16_bits_down", kScrollMin, kScrollMax, -(1LL << 40), true, kScrollMin}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlsTest, RangeWriteClampsValueAndRaisesChangeInsideTheWrite)
{
    controls.setHandler(input, Event::Change, [this] {
        controls.setMin(bar, 60); // value 50 leaves the range
        log.push_back("after Min");
        controls.setMax(bar, 80); // value 60 stays in range: no Change
        log.push_back("after Max");
    });
    controls.setCaption(input, "go");
    EXPECT_EQ(log, (Log{"saw Input go", "saw Bar", "saw Bar", "Bar Change 60", "after Min", "saw Bar", "after Max"}));
    EXPECT_EQ(controls.control(bar).min, 60);
    EXPECT_EQ(controls.control(bar).max, 80);
}

TEST_F(ControlsTest, RangeWritesClampBothWaysAndStayWithin16Bits)
{
    const struct {
        bool writeMin;
        int written;
        int min, max, value;
        const char* change; // the Change the write raises, if any
    } steps[] = {
        {false, 40, 0, 40, 40, "Bar Change 40"}, // Max below Value pulls it down
        {true, 200, 200, 40, 40, nullptr},       // Min above Max: reversed, Value lies between
        {false, 100000, 200, kScrollMax, 200, "Bar Change 200"},
        {true, -100000, kScrollMin, kScrollMax, 200, nullptr},
    };
    for (const auto& s : steps) {
        log.clear();
        if (s.writeMin)
            controls.setMin(bar, s.written);
        else
            controls.setMax(bar, s.written);
        EXPECT_EQ(controls.control(bar).min, s.min) << s.written;
        EXPECT_EQ(controls.control(bar).max, s.max) << s.written;
        EXPECT_EQ(controls.value(bar), s.value) << s.written;
        EXPECT_EQ(log.back(), s.change ? s.change : "saw Bar") << s.written;
    }
}

TEST_F(ControlsTest, EveryCaptionWriteIsSeenThenRaisesChange)
{
    controls.setHandler(input, Event::Change, [this] { log.push_back("Change sees " + controls.caption(input)); });
    controls.setCaption(input, "100");
    controls.setCaption(input, "100");
    controls.setCaption(output, "no handler");
    controls.setForeColor(output, kRed);
    EXPECT_EQ(log,
        (Log{"saw Input 100", "Change sees 100", "saw Input 100", "Change sees 100", "saw Output no handler",
            "saw Output"}));
}

TEST_F(ControlsTest, ErrorInHandlerLeavesTheWriteThatStartedItWithEarlierWritesKept)
{
    controls.setHandler(bar, Event::Change, [] { throw RuntimeError(ErrorKind::TypeMismatch); });
    controls.setHandler(input, Event::Change, [this] {
        controls.setCaption(output, "written");
        controls.setMin(bar, 70);
        controls.setCaption(output, "never");
    });
    try {
        controls.setCaption(input, "x");
        ADD_FAILURE() << "the error did not reach the writer";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::TypeMismatch);
    }
    EXPECT_EQ(controls.caption(input), "x");
    EXPECT_EQ(controls.caption(output), "written");
    EXPECT_EQ(controls.control(bar).min, 70);
    EXPECT_EQ(controls.value(bar), 70);
}

} // namespace
} // namespace qvd
