// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/table_report.h"

#include "calc/projector_table.h"

namespace qvd {

bool inFeetAndInches(const MainWindow& window, LengthFormat lengths)
{
    return lengths == LengthFormat::FeetAndInches && tableUnits(window) == UnitSystem::Inches;
}

std::string lengthText(const MainWindow& window, LengthFormat lengths, double length)
{
    const std::string caption = FormatGeneral(length, window.numberFormat());
    return inFeetAndInches(window, lengths) ? lengthCaption(window, lengths, caption)
                                            : caption + " " + unitCaption(window);
}

std::optional<UnitSystem> tableUnits(const MainWindow& window) { return window.placement().resultUnits(); }

std::string lengthCaption(const MainWindow& window, LengthFormat lengths, std::string_view caption)
{
    return lengthShown(caption, inFeetAndInches(window, lengths) ? LengthFormat::FeetAndInches : LengthFormat::Decimal,
        window.numberFormat());
}

std::string unitCaption(const MainWindow& window)
{
    const std::optional<UnitSystem> units = tableUnits(window);
    return units ? window.controls().caption(window.unitLabel(*units)) : std::string();
}

TableReport tableReport(const MainWindow& window)
{
    const ControlSet& controls = window.controls();
    const auto caption = [&](ControlId id) { return controls.caption(id); };
    TableReport report{
        {{{"Width", caption(window.widthCaption())}, {"Height", caption(window.heightCaption())},
            {"Diagonal", caption(window.diagonalCaption())}, {"Angle", caption(window.angleCaption())},
            {"Unit", unitCaption(window)}}},
        {},
        {},
    };
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        const auto column = static_cast<Column>(c);
        report.columns[c] = {caption(window.columnHeader(column)), caption(window.columnExplanation(column))};
    }
    for (std::size_t row = 0; row < kRowCount; ++row)
        report.rows[row] = {caption(window.rowCaption(row)), window.placement().result(row)};
    return report;
}

std::optional<TableBaseHeights> tableBaseHeights(
    const MainWindow& window, LengthFormat lengths, const RoomSetting& room)
{
    const std::optional<double> screenBottom = roomScreenBottom(window, room);
    if (!screenBottom)
        return std::nullopt;
    const NumberFormat& format = window.numberFormat();
    TableBaseHeights heights{*screenBottom, lengthCaption(window, lengths, FormatGeneral(*screenBottom, format)), {}};
    for (std::size_t row = 0; row < kRowCount; ++row) {
        heights.rows[row] = baseHeight(*screenBottom, window.placement().result(row), format);
        if (heights.rows[row])
            heights.rows[row]->text = lengthCaption(window, lengths, heights.rows[row]->text);
    }
    return heights;
}

std::string tableAsTabSeparatedText(const MainWindow& window, LengthFormat lengths, const RoomSetting& room)
{
    const TableReport report = tableReport(window);
    const std::optional<TableBaseHeights> bases = tableBaseHeights(window, lengths, room);
    std::string names;
    std::string captions;
    for (std::size_t index = 0; index < report.inputs.size(); ++index) {
        const ReportInput& input = report.inputs[index];
        const char* separator = names.empty() ? "" : "\t";
        names += separator + input.name;
        const bool length = index == WidthInput || index == HeightInput || index == DiagonalInput;
        captions += separator + (length ? lengthCaption(window, lengths, input.caption) : input.caption);
    }
    if (bases) {
        names += '\t' + std::string(kScreenBottomName);
        captions += '\t' + bases->screenBottomCaption;
    }
    std::string text = names + '\n' + captions + "\n\n";
    text += "Projector";
    for (const ReportColumn& column : report.columns)
        text += '\t' + column.header;
    if (bases)
        text += '\t' + std::string(kBaseHeightHeader);
    text += '\n';
    for (std::size_t index = 0; index < kRowCount; ++index) {
        const ReportRow& row = report.rows[index];
        text += row.projector + '\t' + lengthCaption(window, lengths, row.shown.throwDistance) + '\t'
            + lengthCaption(window, lengths, row.shown.straightLine) + '\t'
            + lengthCaption(window, lengths, row.shown.verticalOffset);
        if (bases)
            text += '\t' + (bases->rows[index] ? bases->rows[index]->text : std::string());
        text += '\n';
    }
    return text;
}

std::string rowRangeHint(const MainWindow& window, LengthFormat lengths, std::size_t row)
{
    const std::optional<UnitSystem> units = tableUnits(window);
    if (!units)
        return {};
    const ProjectorRow& projector = projectorTable()[row];
    const RowLengths& widths = lengthsFor(projector, *units);
    const std::string minimum = FormatGeneral(widths.minWidth, window.numberFormat());
    std::string hint = projector.hasMaxWidth ? "widths from " + lengthCaption(window, lengths, minimum) + " to "
            + lengthText(window, lengths, widths.maxWidth)
                                             : "widths from " + lengthText(window, lengths, widths.minWidth) + " up";
    if (!window.placement().result(row).isWarning)
        return hint;
    // Which limit the shown width misses; the width caption may hold anything.
    const ParseResult width = tryParseNumber(window.controls().caption(window.widthCaption()), window.numberFormat());
    if (!width.ok())
        return hint;
    if (width.value < widths.minWidth)
        hint += "; needs a screen at least " + lengthText(window, lengths, widths.minWidth) + " wide";
    else if (projector.hasMaxWidth && width.value > widths.maxWidth)
        hint += "; needs a screen at most " + lengthText(window, lengths, widths.maxWidth) + " wide";
    return hint;
}

} // namespace qvd
