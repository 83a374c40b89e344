// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// A view that draws only the controls ChangedControls names must show what
// the model holds: after any user action, every control left out of the
// list reads exactly as it did before the action.

#include "ui/window/changed_controls.h"
#include "ui/window/main_window.h"
#include "ui/window/window_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace qvd;

namespace {

// What a view draws of a control: its properties and whether it takes input.
using Shown = std::tuple<std::string, Colour, int, int, int, bool, bool>;

std::vector<Shown> shown(const MainWindow& window, const WindowInput& input)
{
    std::vector<Shown> all;
    for (ControlId id = 0; id < window.controls().size(); ++id) {
        const ControlState& c = window.controls().control(id);
        all.emplace_back(c.caption, c.foreColor, c.value, c.min, c.max, c.visible, input.takesInput(id));
    }
    return all;
}

// One random user action on a random control; the input refuses what the
// control does not take.
std::string act(WindowInput& input, std::size_t count, std::mt19937& random)
{
    const auto pick = [&random](long long low, long long high) {
        return std::uniform_int_distribution<long long>(low, high)(random);
    };
    const auto id = static_cast<ControlId>(pick(0, static_cast<long long>(count) - 1));
    const long long value = pick(-40, 1200);
    switch (pick(0, 4)) {
    case 0:
        input.click(id);
        return "click " + std::to_string(id);
    case 1:
        input.moveBar(id, value);
        return "move " + std::to_string(id) + " to " + std::to_string(value);
    case 2:
        input.dragBar(id, value);
        return "drag " + std::to_string(id) + " to " + std::to_string(value);
    case 3:
        input.stepBar(id, static_cast<KeyAction>(pick(1, 6)));
        return "step " + std::to_string(id);
    default:
        input.pressKey(id, static_cast<Key>(pick(0, 9)));
        return "key on " + std::to_string(id);
    }
}

} // namespace

TEST(ChangedControls, EveryControlFirstAndOnFailureThenOnlyWhatWasWritten)
{
    MainWindow window{NumberFormat{}};
    WindowInput input(window);
    ChangedControls changes(window.controls(), input);
    window.load();
    EXPECT_EQ(changes.take().size(), window.controls().size());
    EXPECT_TRUE(changes.take().empty());
    // A caption written again unchanged is still a write: drawn again.
    const ControlId header = window.columnHeader(Column::Throw);
    window.controls().setCaption(header, window.controls().caption(header));
    EXPECT_EQ(changes.take(), std::vector<ControlId>{header});
    // A window that fails takes no more input: every control is drawn again.
    EXPECT_FALSE(input.enter([] { throw RuntimeError(ErrorKind::Overflow); }));
    EXPECT_EQ(changes.take().size(), window.controls().size());
    EXPECT_TRUE(changes.take().empty());
}

TEST(ChangedControls, ControlsLeftOutAreUnchangedAfterAnyAction)
{
    for (const unsigned seed : {1U, 2U, 3U, 4U}) {
        std::mt19937 random(seed);
        MainWindow window{NumberFormat{}};
        WindowInput input(window);
        ChangedControls changes(window.controls(), input);
        window.load();
        std::vector<Shown> before = shown(window, input);
        (void)changes.take();
        for (int step = 0; step < 400; ++step) {
            const std::string action = act(input, window.controls().size(), random);
            const std::vector<Shown> after = shown(window, input);
            const std::vector<ControlId> changed = changes.take();
            ASSERT_TRUE(std::is_sorted(changed.begin(), changed.end()));
            for (ControlId id = 0; id < after.size(); ++id) {
                if (!std::binary_search(changed.begin(), changed.end(), id)) {
                    ASSERT_EQ(before[id], after[id]) << "seed " << seed << ", step " << step << " (" << action
                                                     << "): control " << id << " changed but was not named";
                }
            }
            before = after;
        }
    }
}
