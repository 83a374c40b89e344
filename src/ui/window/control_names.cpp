// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/window/control_names.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <span>
#include <string_view>

namespace qvd {

namespace {

// A label that names other controls: fixed text on the background, no box.
bool isNamingLabel(const ControlDesign& design)
{
    return design.kind == ControlKind::Label && design.border == Border::None && !design.caption.empty();
}

bool isNamedByCaption(const ControlDesign& design)
{
    return !design.caption.empty()
        && (isNamingLabel(design) || design.kind == ControlKind::Frame || design.kind == ControlKind::PushButton);
}

// The naming label on the same row of the same container, nearest first.
std::optional<std::string_view> rowName(std::span<const ControlDesign> designs, const ControlDesign& control)
{
    std::optional<std::string_view> best;
    int bestDistance = 0;
    for (const ControlDesign& other : designs) {
        if (!isNamingLabel(other) || other.container != control.container || other.top != control.top)
            continue;
        const int distance = std::abs(other.left - control.left);
        if (!best || distance < bestDistance) {
            best = other.caption;
            bestDistance = distance;
        }
    }
    return best;
}

// The naming label above the control whose width spans its centre, nearest first.
std::optional<std::string_view> columnName(std::span<const ControlDesign> designs, const ControlDesign& control)
{
    const int centre = control.left + control.width / 2;
    std::optional<std::string_view> best;
    int bestDistance = 0;
    for (const ControlDesign& other : designs) {
        if (!isNamingLabel(other) || other.container != control.container || other.top >= control.top
            || centre < other.left || centre >= other.left + other.width)
            continue;
        const int distance = control.top - other.top;
        if (!best || distance < bestDistance) {
            best = other.caption;
            bestDistance = distance;
        }
    }
    return best;
}

// Column headers are capitals on screen; spoken, they are ordinary words.
std::string lowered(std::string_view text)
{
    std::string words(text);
    std::transform(words.begin(), words.end(), words.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return words;
}

std::string layoutName(std::span<const ControlDesign> designs, const ControlDesign& control)
{
    if (isNamedByCaption(control))
        return std::string(control.caption);
    std::string name;
    if (const auto row = rowName(designs, control))
        name = *row;
    if (const auto column = columnName(designs, control))
        name += (name.empty() ? "" : ", ") + lowered(*column);
    if (!name.empty())
        return name;
    for (const ControlDesign& other : designs) {
        if (other.name == control.container && !other.caption.empty())
            return std::string(other.caption);
    }
    return {};
}

constexpr const char* kSizingWords[kSizingCount] = {"width", "height", "diagonal"};

} // namespace

std::vector<SpokenControl> spokenControls(const MainWindow& window)
{
    const auto& designs = controlDesigns();
    std::vector<SpokenControl> spoken(designs.size());
    for (const ControlDesign& design : designs)
        spoken[window.id(design.name)].name = layoutName(designs, design);

    // Inputs whose naming label is a unit abbreviation, the diagonal's
    // misspelt caption or a frame caption in title case; the captionless
    // introduction.
    spoken[window.unitOption(UnitSystem::Inches)].name = "Inches";
    spoken[window.unitOption(UnitSystem::Centimetres)].name = "Centimetres";
    for (const ControlId id :
        {window.sizeOption(Sizing::Diagonal), window.sizeBar(Sizing::Diagonal), window.sizeCaption(Sizing::Diagonal)})
        spoken[id].name = "Diagonal";
    spoken[window.angleBar()].name = "Projection angle";
    spoken[window.angleCaption()].name = "Projection angle";
    spoken[window.introduction()].name = "Introduction";

    for (std::size_t s = 0; s < kSizingCount; ++s) {
        const auto sizing = static_cast<Sizing>(s);
        const std::string word = kSizingWords[s];
        spoken[window.sizeOption(sizing)].description = "Size the screen by its " + word;
        spoken[window.sizeBar(sizing)].description = "Screen " + word + " in the selected unit";
    }
    const AngleRange angle = angleRange();
    spoken[window.angleBar()].description
        = "Projection angle in whole degrees, from " + std::to_string(angle.min) + " to " + std::to_string(angle.max);
    spoken[window.unitOption(UnitSystem::Inches)].description = "Lengths in inches";
    spoken[window.unitOption(UnitSystem::Centimetres)].description = "Lengths in centimetres";
    spoken[window.continueButton()].description = "Closes the introduction";
    return spoken;
}

} // namespace qvd
