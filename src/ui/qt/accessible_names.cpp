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

} // namespace

QString accessibleNameFor(std::span<const ControlDesign> designs, std::size_t index)
{
    const ControlDesign& control = designs[index];
    if (isNamedByCaption(control))
        return toQString(control.caption);

    QStringList parts;
    if (const auto row = rowName(designs, control))
        parts << toQString(*row);
    if (const auto column = columnName(designs, control))
        parts << toQString(*column);
    if (!parts.isEmpty())
        return parts.join(QStringLiteral(", "));

    for (const ControlDesign& other : designs) {
        if (other.name == control.container && !other.caption.empty())
            return toQString(other.caption);
    }
    return toQString(control.name);
}

} // namespace qvd
