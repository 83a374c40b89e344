// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/job_window.h"

#include "runtime/runtime_error.h"
#include "ui/job/job_file.h"
#include "ui/job/job_json.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace qvd {

namespace job_json {

namespace {

constexpr std::string_view kBarNames[] = {"width", "height", "diagonal", "angle"}; // by BarRole
constexpr std::string_view kStepOptionNames[]
    = {kUnitNames[0], kUnitNames[1], kSizingNames[0], kSizingNames[1], kSizingNames[2]};

// The values a bar can hold at any time: its design range and the ranges its
// handler gives it in each unit.
std::pair<int, int> barReach(BarRole bar)
{
    if (bar == BarRole::Angle)
        return {angleRange().min, angleRange().max};
    const auto sizing = static_cast<Sizing>(bar);
    const ControlDesign& design = controlDesign(roleNames().sizeRows[static_cast<std::size_t>(sizing)].bar);
    const UnitRange& range = sizeBarRange(sizing);
    return {std::min({design.min, range.inchMin, range.centimetreMin}),
        std::max({design.max, range.inchMax, range.centimetreMax})};
}

// One step of "window": an object with exactly the members of its kind.
WindowStep stepOf(const Json& value, const std::string& path)
{
    object(value, path);
    const auto only = [&](std::initializer_list<std::string_view> keys) {
        for (const auto& [key, ignored] : value.items()) {
            if (std::find(keys.begin(), keys.end(), key) == keys.end())
                refuse(JobErrorKind::Member,
                    inQuotes(path + "." + key) + " does not belong in a step with " + inQuotes(*keys.begin()));
        }
    };
    WindowStep step;
    if (const auto choose = value.find("choose"); choose != value.end()) {
        only({"choose"});
        // The unit options, then the sizing options.
        const int option = oneOf<int>(*choose, path + ".choose", kStepOptionNames);
        if (option < 2) {
            step.kind = WindowStep::Kind::Units;
            step.units = static_cast<UnitSystem>(option);
        } else {
            step.kind = WindowStep::Kind::Sizing;
            step.sizing = static_cast<Sizing>(option - 2);
        }
        return step;
    }
    for (const WindowStep::Kind kind : {WindowStep::Kind::Move, WindowStep::Kind::Drag}) {
        const std::string_view verb = kind == WindowStep::Kind::Move ? "move" : "drag";
        const auto bar = value.find(verb);
        if (bar == value.end())
            continue;
        only({verb, "to"});
        step.kind = kind;
        step.bar = oneOf<BarRole>(*bar, path + "." + std::string(verb), kBarNames);
        const auto [min, max] = barReach(step.bar);
        step.value = wholeNumber(member(value, path + ".to", "to"), path + ".to", min, max,
            " for the " + std::string(nameOf(kBarNames, step.bar)) + " bar");
        return step;
    }
    refuse(JobErrorKind::Member, inQuotes(path) + " must be a step: \"choose\", \"move\" or \"drag\"");
}

} // namespace

WindowInputs windowInputsOf(const Json& root)
{
    WindowInputs inputs;
    inputs.units = oneOf<UnitSystem>(member(root, "units", "units"), "units", kUnitNames);
    const Json& size = object(member(root, "size", "size"), "size");
    inputs.sizing = oneOf<Sizing>(member(size, "size.by", "by"), "size.by", kSizingNames);
    const UnitRange& range = sizeBarRange(inputs.sizing);
    inputs.size = wholeNumber(member(size, "size.value", "value"), "size.value", range.min(inputs.units),
        range.max(inputs.units),
        " for a " + std::string(nameOf(kSizingNames, inputs.sizing)) + " in "
            + inQuotes(nameOf(kUnitNames, inputs.units)));
    const AngleRange angles = angleRange();
    inputs.angle = wholeNumber(member(root, "angle", "angle"), "angle", angles.min, angles.max);
    return inputs;
}

WindowSteps windowOf(const Json& root, WindowInputs& inputs)
{
    for (const std::string_view older : {"units", "size", "angle"}) {
        if (root.contains(older))
            refuse(JobErrorKind::Member,
                inQuotes(older) + " belongs to version 1; version 2 gives the window as \"window\"");
    }
    const Json& list = member(root, "window", "window");
    if (!list.is_array())
        refuse(JobErrorKind::Member, "\"window\" must be a list of steps, not " + list.dump());
    WindowSteps steps;
    for (std::size_t i = 0; i < list.size(); ++i)
        steps.push_back(stepOf(list[i], "window[" + std::to_string(i) + "]"));
    // The inputs the window then shows, read off a window of its own.
    MainWindow window(NumberFormat{});
    try {
        window.load();
        window.enterSteps(steps);
    } catch (const RuntimeError& error) {
        refuse(JobErrorKind::Member,
            "the steps of \"window\" end in a runtime error: " + std::string(errorKindName(error.kind())));
    }
    inputs = windowInputs(window);
    return steps;
}

OrderedJson stepsJson(const WindowSteps& steps)
{
    OrderedJson list = OrderedJson::array();
    for (const WindowStep& step : steps) {
        switch (step.kind) {
        case WindowStep::Kind::Units:
            list.push_back({{"choose", nameOf(kUnitNames, step.units)}});
            break;
        case WindowStep::Kind::Sizing:
            list.push_back({{"choose", nameOf(kSizingNames, step.sizing)}});
            break;
        case WindowStep::Kind::Move:
        case WindowStep::Kind::Drag:
            list.push_back({{step.kind == WindowStep::Kind::Move ? "move" : "drag", nameOf(kBarNames, step.bar)},
                {"to", step.value}});
            break;
        }
    }
    return list;
}

} // namespace job_json

void showJobWindow(MainWindow& window, const Job& job)
{
    if (job.window) {
        window.restart();
        window.enterSteps(*job.window);
    } else {
        window.enterInputs(job.inputs);
    }
}

WindowInputs windowInputs(const MainWindow& window)
{
    const ControlSet& controls = window.controls();
    WindowInputs inputs;
    inputs.units = controls.isSelected(window.unitOption(UnitSystem::Centimetres)) ? UnitSystem::Centimetres
                                                                                   : UnitSystem::Inches;
    for (const Sizing sizing : {Sizing::Width, Sizing::Height, Sizing::Diagonal}) {
        if (controls.isSelected(window.sizeOption(sizing)))
            inputs.sizing = sizing;
    }
    const UnitRange& range = sizeBarRange(inputs.sizing);
    inputs.size
        = std::clamp(controls.value(window.sizeBar(inputs.sizing)), range.min(inputs.units), range.max(inputs.units));
    const AngleRange angles = angleRange();
    inputs.angle = std::clamp(controls.value(window.angleBar()), angles.min, angles.max);
    return inputs;
}

} // namespace qvd
