// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Prints the conformance table as the page's tests drive it: for each script
// its steps with the controls' ids, and the model's dump after start-up and
// after every step, as JSON on standard output.

#include "action_scripts.h"

#include <nlohmann/json.hpp>

#include <iostream>

int main()
{
    using nlohmann::json;
    using qvd::test::ActionStep;
    static constexpr const char* kKeyNames[]
        = {"Left", "Right", "Up", "Down", "PageUp", "PageDown", "Home", "End", "Space", "Enter"};
    json out = json::array();
    for (const qvd::test::ActionScript& script : qvd::test::actionScripts()) {
        json steps = json::array();
        for (const ActionStep& step : script.steps) {
            json s = json::object();
            switch (step.kind) {
            case ActionStep::Kind::None:
                break;
            case ActionStep::Kind::Click:
                s["click"] = step.control;
                break;
            case ActionStep::Kind::Key:
                s["key"] = kKeyNames[static_cast<int>(step.key)];
                break;
            case ActionStep::Kind::Tab:
                s["tab"] = step.forward ? 1 : -1;
                break;
            case ActionStep::Kind::Arrow:
            case ActionStep::Kind::Page:
                s[step.kind == ActionStep::Kind::Arrow ? "arrow" : "page"] = step.control;
                s["forward"] = step.forward;
                break;
            case ActionStep::Kind::Drag:
                s["drag"] = step.control;
                s["forward"] = step.forward;
                break;
            }
            steps.push_back(s);
        }
        out.push_back({{"name", script.name}, {"steps", steps}, {"dumps", qvd::test::replayScript(script)}});
    }
    std::cout << out.dump() << '\n';
    return 0;
}
