// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "accessible_names.h"

#include <QStringList>

#include <cstdlib>
#include <optional>

namespace qvd {

namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

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

struct InputDescription {
    std::string_view name;
    const char* description;
};

constexpr InputDescription kInputDescriptions[] = {
    {"Option4", "Size the screen by its width"},
    {"Option13", "Size the screen by its height"},
    {"Option14", "Size the screen by its diagonal"},
    {"HSBM", "Screen width in the selected unit"},
    {"hig", "Screen height in the selected unit"},
    {"vert", "Screen diagonal in the selected unit"},
    {"hsbM1", "Projection angle in whole degrees, from -15 to 15"},
    {"Option11", "Lengths in inches"},
    {"Option2", "Lengths in centimetres"},
    {"Command1", "Closes the introduction"},
};

// Inputs whose naming label does not read well aloud: a unit abbreviation, the
// diagonal's misspelt caption, a frame caption in title case.
struct SpokenName {
    std::string_view name;
    const char* spoken;
};

constexpr SpokenName kSpokenNames[] = {
    {"Option11", "Inches"},
    {"Option2", "Centimetres"},
    {"Option14", "Diagonal"},
    {"vert", "Diagonal"},
    {"Label145", "Diagonal"},
    {"hsbM1", "Projection angle"},
    {"Label148", "Projection angle"},
};

} // namespace

QString accessibleDescriptionFor(std::string_view name)
{
    for (const InputDescription& input : kInputDescriptions) {
        if (input.name == name)
            return QString::fromLatin1(input.description);
    }
    return {};
}

QString accessibleNameFor(std::span<const ControlDesign> designs, std::size_t index)
{
    const ControlDesign& control = designs[index];
    for (const SpokenName& spoken : kSpokenNames) {
        if (spoken.name == control.name)
            return QString::fromLatin1(spoken.spoken);
    }
    if (isNamedByCaption(control))
        return toQString(control.caption);

    QStringList parts;
    if (const auto row = rowName(designs, control))
        parts << toQString(*row);
    // Column headers are capitals on screen; spoken, they are ordinary words.
    if (const auto column = columnName(designs, control))
        parts << toQString(*column).toLower();
    if (!parts.isEmpty())
        return parts.join(QStringLiteral(", "));

    for (const ControlDesign& other : designs) {
        if (other.name == control.container && !other.caption.empty())
            return toQString(other.caption);
    }
    return toQString(control.name);
}

} // namespace qvd
