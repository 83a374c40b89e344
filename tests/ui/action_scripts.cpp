// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "action_scripts.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <stdexcept>

namespace qvd::test {

namespace {

using nlohmann::json;

// A window whose ids and names every script resolves against.
const MainWindow& names()
{
    static const MainWindow window(NumberFormat{"."});
    return window;
}

ControlId control(const json& name) { return names().id(name.get<std::string>()); }

bool towardsMax(const json& direction, const char* forward, const char* back)
{
    const auto word = direction.get<std::string>();
    if (word != forward && word != back)
        throw std::runtime_error("a direction is " + std::string(forward) + " or " + back + ", not " + word);
    return word == forward;
}

// "HSBM.Value" as the dump's "4.Value"; "Focus" as it stands.
std::string dumpKey(const std::string& key)
{
    const auto dot = key.find('.');
    if (dot == std::string::npos)
        return key;
    return std::to_string(names().id(key.substr(0, dot))) + key.substr(dot);
}

std::string dumpValue(const std::string& key, const json& value)
{
    if (key == "Focus")
        return std::to_string(names().id(value.get<std::string>()));
    if (value.is_boolean())
        return value.get<bool>() ? "true" : "false";
    if (value.is_number_integer())
        return std::to_string(value.get<int>());
    return value.get<std::string>();
}

ActionStep step(const json& entry)
{
    ActionStep s;
    if (entry.contains("click")) {
        s.kind = ActionStep::Kind::Click;
        s.control = control(entry["click"]);
    } else if (entry.contains("key")) {
        s.kind = ActionStep::Kind::Key;
        const std::optional<Key> key = keyNamed(entry["key"].get<std::string>());
        if (!key)
            throw std::runtime_error("no key " + entry["key"].dump());
        s.key = *key;
    } else if (entry.contains("tab")) {
        s.kind = ActionStep::Kind::Tab;
        s.forward = entry["tab"].get<int>() > 0;
    } else if (entry.contains("arrow") || entry.contains("page")) {
        const bool arrow = entry.contains("arrow");
        const json& what = arrow ? entry["arrow"] : entry["page"];
        s.kind = arrow ? ActionStep::Kind::Arrow : ActionStep::Kind::Page;
        s.control = control(what.at(0));
        s.forward = towardsMax(what.at(1), "on", "back");
    } else if (entry.contains("drag")) {
        s.kind = ActionStep::Kind::Drag;
        s.control = control(entry["drag"].at(0));
        s.forward = towardsMax(entry["drag"].at(1), "end", "start");
    }
    if (entry.contains("expect")) {
        for (const auto& [key, value] : entry["expect"].items())
            s.expect[dumpKey(key)] = dumpValue(key, value);
    }
    return s;
}

} // namespace

std::vector<ActionScript> actionScripts()
{
    std::ifstream file(QVD_ACTION_SCRIPTS);
    if (!file)
        throw std::runtime_error("cannot read " + std::string(QVD_ACTION_SCRIPTS));
    const json table = json::parse(file);
    std::vector<ActionScript> scripts;
    for (const json& entry : table.at("scripts")) {
        ActionScript script{entry.at("name").get<std::string>(), {}};
        for (const json& s : entry.at("steps"))
            script.steps.push_back(step(s));
        scripts.push_back(std::move(script));
    }
    return scripts;
}

WindowDump dumpWindow(const MainWindow& window, std::optional<ControlId> focus)
{
    WindowDump dump;
    const ControlSet& controls = window.controls();
    for (ControlId id = 0; id < controls.size(); ++id) {
        const ControlState& c = controls.control(id);
        const std::string at = std::to_string(id) + ".";
        switch (c.kind) {
        case ControlKind::Label:
            dump[at + "Caption"] = c.caption;
            break;
        case ControlKind::OptionButton:
            dump[at + "Value"] = std::to_string(c.value);
            break;
        case ControlKind::HScrollBar:
            dump[at + "Value"] = std::to_string(c.value);
            dump[at + "Min"] = std::to_string(c.min);
            dump[at + "Max"] = std::to_string(c.max);
            dump[at + "Visible"] = c.visible ? "true" : "false";
            break;
        case ControlKind::Frame:
            dump[at + "Visible"] = c.visible ? "true" : "false";
            break;
        case ControlKind::PushButton:
            break;
        }
    }
    dump["Focus"] = focus ? std::to_string(*focus) : "-1";
    return dump;
}

WindowDump modelDump(const MainWindow& window)
{
    WindowDump dump = dumpWindow(window, std::nullopt);
    dump.erase("Focus");
    const ControlSet& controls = window.controls();
    for (ControlId id = 0; id < controls.size(); ++id) {
        if (controls.control(id).kind == ControlKind::Label)
            dump[std::to_string(id) + ".ForeColor"] = std::to_string(controls.control(id).foreColor);
    }
    return dump;
}

std::vector<WindowDump> replayScript(const ActionScript& script)
{
    MainWindow window(NumberFormat{"."});
    WindowInput input(window);
    input.enter([&window] { window.load(); });
    std::optional<ControlId> focus = input.firstFocus();
    std::vector<WindowDump> dumps{dumpWindow(window, focus)};
    for (const ActionStep& s : script.steps) {
        switch (s.kind) {
        case ActionStep::Kind::None:
            break;
        case ActionStep::Kind::Click:
            if (input.takesInput(s.control)) {
                focus = s.control;
                input.click(s.control);
            }
            break;
        case ActionStep::Kind::Key:
            if (focus) {
                if (const auto moved = input.pressKey(*focus, s.key).focus)
                    focus = moved;
            }
            break;
        case ActionStep::Kind::Tab:
            focus = input.nextFocus(focus, s.forward);
            break;
        case ActionStep::Kind::Arrow:
        case ActionStep::Kind::Page:
            if (input.takesInput(s.control)) {
                focus = s.control;
                const bool arrow = s.kind == ActionStep::Kind::Arrow;
                input.stepBar(s.control,
                    arrow ? (s.forward ? KeyAction::StepOn : KeyAction::StepBack)
                          : (s.forward ? KeyAction::PageOn : KeyAction::PageBack));
            }
            break;
        case ActionStep::Kind::Drag:
            if (input.takesInput(s.control)) {
                focus = s.control;
                const ControlState& bar = window.controls().control(s.control);
                const int end = s.forward ? bar.max : bar.min;
                input.dragBar(s.control, end);
                input.moveBar(s.control, end);
            }
            break;
        }
        // The control that held the focus and takes no input now hands it on.
        if (focus && !input.takesInput(*focus))
            focus = input.firstFocus();
        dumps.push_back(dumpWindow(window, focus));
    }
    return dumps;
}

namespace {

// "4.Value" as "HSBM.Value", for a person reading a difference.
std::string readable(const std::string& key)
{
    const auto dot = key.find('.');
    if (dot == std::string::npos)
        return key;
    return names().controls().control(std::stoul(key.substr(0, dot))).name + key.substr(dot);
}

} // namespace

std::vector<std::string> differences(const WindowDump& held, const WindowDump& shown)
{
    std::vector<std::string> found;
    for (const auto& [key, value] : held) {
        const auto at = shown.find(key);
        const std::string seen = at == shown.end() ? "(nothing)" : at->second;
        if (seen != value)
            found.push_back(readable(key) + ": held " + value + ", shown " + seen);
    }
    for (const auto& [key, value] : shown) {
        if (!held.contains(key))
            found.push_back(readable(key) + ": held nothing, shown " + value);
    }
    return found;
}

} // namespace qvd::test
