// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The conformance table against the model alone: every script replays, and
// what a step says the model holds after it (the keys' steps, the ranges
// after an option switch, where the focus goes) holds. The views are held
// to the same replay by their own tests.

#include "action_scripts.h"

#include <gtest/gtest.h>

namespace qvd::test {
namespace {

TEST(ActionScripts, EveryStepLeavesWhatTheTableExpects)
{
    const std::vector<ActionScript> scripts = actionScripts();
    ASSERT_FALSE(scripts.empty());
    for (const ActionScript& script : scripts) {
        const std::vector<WindowDump> dumps = replayScript(script);
        ASSERT_EQ(dumps.size(), script.steps.size() + 1);
        for (std::size_t step = 0; step < script.steps.size(); ++step) {
            for (const auto& [key, value] : script.steps[step].expect) {
                ASSERT_TRUE(dumps[step + 1].contains(key)) << script.name << ", step " << step << ": " << key;
                EXPECT_EQ(dumps[step + 1].at(key), value) << script.name << ", step " << step << ": " << key;
            }
        }
    }
}

// Keys the table leaves to the view's own handling, and the end of input.
TEST(WindowInput, KeysOfNoActionAndAFailedWindowTakeNothing)
{
    EXPECT_EQ(keyAction(ControlKind::Label, Key::Space), KeyAction::None);
    EXPECT_EQ(keyAction(ControlKind::HScrollBar, Key::Enter), KeyAction::None);
    EXPECT_EQ(keyAction(ControlKind::OptionButton, Key::Home), KeyAction::None);
    EXPECT_FALSE(keyNamed("Escape"));
    EXPECT_FALSE(keyActionNamed("Select")); // not a bar's arrow or trough

    MainWindow window(NumberFormat{"."});
    WindowInput input(window);
    ASSERT_TRUE(input.enter([&window] { window.load(); }));
    ASSERT_TRUE(input.click(window.continueButton()));
    // Steps that fail as a handler's error would: the window stops taking input.
    EXPECT_FALSE(input.enter([] { throw RuntimeError(ErrorKind::Overflow); }));
    ASSERT_TRUE(input.hasFailed());
    EXPECT_EQ(input.error()->kind(), ErrorKind::Overflow);
    const int before = window.controls().value(window.angleBar());
    EXPECT_FALSE(input.stepBar(window.angleBar(), KeyAction::StepOn));
    EXPECT_EQ(input.pressKey(window.angleBar(), Key::End).action, KeyAction::None);
    EXPECT_EQ(window.controls().value(window.angleBar()), before);
    EXPECT_FALSE(input.firstFocus());
    EXPECT_FALSE(input.enter([] {}));
}

// The introduction lies over the whole window: nothing but its button takes
// input, and Tab without wrapping ends there.
TEST(WindowInput, TheIntroductionCoversTheWindow)
{
    MainWindow window(NumberFormat{"."});
    WindowInput input(window);
    ASSERT_TRUE(input.enter([&window] { window.load(); }));
    EXPECT_TRUE(input.isCovered(window.angleFrame()));
    EXPECT_FALSE(input.takesInput(window.angleBar()));
    EXPECT_FALSE(input.click(window.unitOption(UnitSystem::Centimetres)));
    EXPECT_TRUE(window.controls().isSelected(window.unitOption(UnitSystem::Inches)));
    EXPECT_EQ(input.firstFocus(), window.continueButton());
    EXPECT_FALSE(input.nextFocus(window.continueButton(), true, false));
    EXPECT_FALSE(input.nextFocus(window.continueButton(), false, false));
    EXPECT_EQ(input.nextFocus(window.continueButton(), true), window.continueButton());
}

} // namespace
} // namespace qvd::test
