// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// A view that draws only the controls ChangedControls names must show what
// the model holds: after any user action, every control left out of the
// list reads exactly as it did before the action.

#include "ui/window/changed_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <random>
#include <tuple>
#include <vector>

using namespace qvd;

namespace {

// What a view draws of each control: its properties and whether it takes input.
auto shown(const MainWindow& window, const WindowInput& input)
{
    std::vector<std::tuple<std::string, Colour, int, int, int, bool, bool>> all;
    for (ControlId id = 0; id < window.controls().size(); ++id) {
        const ControlState& c = window.controls().control(id);
        all.emplace_back(c.caption, c.foreColor, c.value, c.min, c.max, c.visible, input.takesInput(id));
    }
    return all;
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
        const auto pick = [&random](long long low, long long high) {
            return std::uniform_int_distribution<long long>(low, high)(random);
        };
        MainWindow window{NumberFormat{}};
        WindowInput input(window);
        ChangedControls changes(window.controls(), input);
        window.load();
        // The user's actions; the input refuses what a control does not take.
        const std::array<std::function<void(ControlId)>, 5> actions{
            [&](ControlId id) { input.click(id); },
            [&](ControlId id) { input.moveBar(id, pick(-40, 1200)); },
            [&](ControlId id) { input.dragBar(id, pick(-40, 1200)); },
            [&](ControlId id) { input.stepBar(id, static_cast<KeyAction>(pick(1, 6))); },
            [&](ControlId id) { input.pressKey(id, static_cast<Key>(pick(0, 9))); },
        };
        auto before = shown(window, input);
        (void)changes.take();
        for (int step = 0; step < 400; ++step) {
            // A random action on a random control.
            const auto id = static_cast<ControlId>(pick(0, static_cast<long long>(window.controls().size()) - 1));
            actions[static_cast<std::size_t>(pick(0, actions.size() - 1))](id);
            const auto after = shown(window, input);
            const std::vector<ControlId> changed = changes.take();
            for (ControlId other = 0; other < after.size(); ++other) {
                if (!std::binary_search(changed.begin(), changed.end(), other)) {
                    ASSERT_EQ(before[other], after[other])
                        << "seed " << seed << ", step " << step << ": control " << other << " changed, not named";
                }
            }
            before = after;
        }
    }
}
