// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "table_report.h"

#include "calc/projector_table.h"

namespace qvd {

namespace {

// The labels that name the units beside their option buttons.
struct UnitOption {
    std::string_view label;
    UnitSystem units;
};

constexpr UnitOption kUnitOptions[] = {
    {"Label19", UnitSystem::Inches},
    {"Label20", UnitSystem::Centimetres},
};

const UnitOption* tableOption(const MainWindow& window)
{
    const std::optional<UnitSystem> units = window.placement().resultUnits();
    for (const UnitOption& unit : kUnitOptions) {
        if (units == unit.units)
            return &unit;
    }
    return nullptr;
}

std::string lengthText(const MainWindow& window, double length)
{
    return FormatGeneral(length, window.numberFormat()) + " " + unitCaption(window);
}

} // namespace

std::optional<UnitSystem> tableUnits(const MainWindow& window) { return window.placement().resultUnits(); }

std::string unitCaption(const MainWindow& window)
{
    const UnitOption* unit = tableOption(window);
    return unit ? window.controls().caption(window.id(unit->label)) : std::string();
}

TableReport tableReport(const MainWindow& window)
{
    const ControlSet& controls = window.controls();
    const auto caption = [&](std::string_view name) { return controls.caption(window.id(name)); };
    TableReport report{
        {{{"Width", caption("Label147")}, {"Height", caption("Label146")}, {"Diagonal", caption("Label145")},
            {"Angle", caption("Label148")}, {"Unit", unitCaption(window)}}},
        {{{"Label21", caption("Label21"), caption("Label5")}, {"Label22", caption("Label22"), caption("Label6")},
            {"Label23", caption("Label23"), caption("Label7")}}},
        {},
    };
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const ProjectorRow& projector = projectorTable()[row];
        report.rows[row]
            = {projector.captionLabel, {projector.throwLabel, projector.straightLabel, projector.offsetLabel},
                std::string(projector.caption), window.placement().result(row)};
    }
    return report;
}

std::string tableAsTabSeparatedText(const MainWindow& window)
{
    const TableReport report = tableReport(window);
    std::string names;
    std::string captions;
    for (const ReportInput& input : report.inputs) {
        const char* separator = names.empty() ? "" : "\t";
        names += separator + input.name;
        captions += separator + input.caption;
    }
    std::string text = names + '\n' + captions + "\n\n";
    text += "Projector";
    for (const ReportColumn& column : report.columns)
        text += '\t' + column.header;
    text += '\n';
    for (const ReportRow& row : report.rows) {
        text += row.projector + '\t' + row.shown.throwDistance + '\t' + row.shown.straightLine + '\t'
            + row.shown.verticalOffset + '\n';
    }
    return text;
}

std::string rowRangeHint(const MainWindow& window, std::size_t row)
{
    const std::optional<UnitSystem> units = tableUnits(window);
    if (!units)
        return {};
    const ProjectorRow& projector = projectorTable()[row];
    const RowLengths& lengths = lengthsFor(projector, *units);
    std::string hint = projector.hasMaxWidth ? "widths from " + FormatGeneral(lengths.minWidth, window.numberFormat())
            + " to " + lengthText(window, lengths.maxWidth)
                                             : "widths from " + lengthText(window, lengths.minWidth) + " up";
    if (!window.placement().result(row).isWarning)
        return hint;
    // Which limit the shown width misses; the width caption may hold anything.
    const ParseResult width = tryParseNumber(window.controls().caption(window.id("Label147")), window.numberFormat());
    if (!width.ok())
        return hint;
    if (width.value < lengths.minWidth)
        hint += "; needs a screen at least " + lengthText(window, lengths.minWidth) + " wide";
    else if (projector.hasMaxWidth && width.value > lengths.maxWidth)
        hint += "; needs a screen at most " + lengthText(window, lengths.maxWidth) + " wide";
    return hint;
}

} // namespace qvd
