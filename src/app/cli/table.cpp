// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "table.h"

#include "app/cli/command_options.h"
#include "app/cli/csv_field.h"
#include "app/cli/option_values.h"
#include "ui/job/job_file.h"
#include "ui/job/job_session.h"
#include "ui/job/room_fit.h"
#include "ui/job/table_report.h"
#include "ui/window/main_window.h"
#include "usage.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qvd {

namespace {

// The options that give the screen's size, one for each way of sizing.
struct SizingOption {
    Sizing sizing;
    std::string_view option;
};

constexpr SizingOption kSizingOptions[] = {
    {Sizing::Width, "--width"},
    {Sizing::Height, "--height"},
    {Sizing::Diagonal, "--diagonal"},
};

struct TableRequest {
    CommonOptions common;
    const SizingOption* sizing = &kSizingOptions[0];
    std::optional<std::string_view> sizeText;
};

// Reads the options; on failure writes one line to `err` and gives nothing.
std::optional<TableRequest> readRequest(std::span<const std::string_view> args, std::ostream& err)
{
    TableRequest request;
    const auto sizeOption = [&](std::string_view option, std::string_view value) -> std::optional<bool> {
        const auto* input = std::find_if(std::begin(kSizingOptions), std::end(kSizingOptions),
            [&](const SizingOption& s) { return s.option == option; });
        if (input == std::end(kSizingOptions))
            return std::nullopt;
        if (request.sizeText) {
            err << "qvdtalvern-cli: give one of --width, --height and --diagonal\n";
            return false;
        }
        request.sizing = input;
        request.sizeText = value;
        return true;
    };
    const JobRule rule{"the inputs", "--units, --width, --height, --diagonal and --angle"};
    if (!readOptions(
            args, request.common, sizeOption, rule, [&] { return request.sizeText.has_value(); }, err))
        return std::nullopt;
    return request;
}

const std::string& inputCaption(const TableReport& report, ReportInputIndex input)
{
    return report.inputs[input].caption;
}

// The report's lengths as the length format shows them.
void showLengths(TableReport& report, const MainWindow& window, LengthFormat lengths)
{
    for (const ReportInputIndex input : {WidthInput, HeightInput, DiagonalInput})
        report.inputs[input].caption = lengthCaption(window, lengths, report.inputs[input].caption);
    for (ReportRow& row : report.rows) {
        for (std::string* cell : {&row.shown.throwDistance, &row.shown.straightLine, &row.shown.verticalOffset})
            *cell = lengthCaption(window, lengths, *cell);
    }
}

// A row's base height as shown, empty where it has none.
std::string baseText(const TableBaseHeights& room, std::size_t row)
{
    return room.rows[row] ? room.rows[row]->text : std::string();
}

void printText(const TableReport& report, const MainWindow& window, LengthFormat lengths,
    const std::optional<TableBaseHeights>& room, bool colour, std::ostream& out)
{
    const ControlSet& controls = window.controls();
    // Feet and inches carry their own marks.
    const std::string unit = inFeetAndInches(window, lengths) ? std::string() : inputCaption(report, UnitInput);
    const std::pair<Sizing, ReportInputIndex> sizes[]
        = {{Sizing::Width, WidthInput}, {Sizing::Height, HeightInput}, {Sizing::Diagonal, DiagonalInput}};
    for (const auto& [sizing, input] : sizes)
        printInputLine(out, controls.caption(window.sizeNameLabel(sizing)), inputCaption(report, input), unit);
    printInputLine(out, controls.caption(window.angleFrame()), inputCaption(report, AngleInput), "degrees");
    if (room)
        printInputLine(out, kScreenBottomName, room->screenBottomCaption, unit);
    out << '\n';

    std::vector<TextColumn> columns{{"", Align::Left}};
    for (const ReportColumn& column : report.columns)
        columns.push_back({column.header});
    if (room)
        columns.push_back({std::string(kBaseHeightHeader)});
    std::vector<TextRow> rows;
    for (std::size_t index = 0; index < kRowCount; ++index) {
        const ReportRow& row = report.rows[index];
        const bool red = row.shown.isWarning;
        TextRow& text = rows.emplace_back();
        text.cells = {{row.projector}, {row.shown.throwDistance, red}, {row.shown.straightLine, red},
            {row.shown.verticalOffset, red}};
        if (room) {
            text.cells.push_back({baseText(*room, index)});
            text.belowFloor = room->rows[index] && room->rows[index]->belowFloor;
        }
    }
    printTextTable(out, columns, rows, colour, false);
}

void printCsv(
    const TableReport& report, UnitSystem units, const std::optional<TableBaseHeights>& room, std::ostream& out)
{
    out << "units,width,height,diagonal,angle,projector,throw_distance,straight_line,vertical_offset,warning"
        << (room ? ",base_height\n" : "\n");
    for (std::size_t index = 0; index < kRowCount; ++index) {
        const ReportRow& row = report.rows[index];
        out << unitName(units);
        for (const ReportInputIndex input : {WidthInput, HeightInput, DiagonalInput, AngleInput})
            out << ',' << csvField(inputCaption(report, input));
        out << ',' << csvField(row.projector) << ',' << csvField(row.shown.throwDistance) << ','
            << csvField(row.shown.straightLine) << ',' << csvField(row.shown.verticalOffset) << ','
            << (row.shown.isWarning ? "true" : "false");
        if (room)
            out << ',' << csvField(baseText(*room, index));
        out << '\n';
    }
}

void printJson(
    const TableReport& report, UnitSystem units, const std::optional<TableBaseHeights>& room, std::ostream& out)
{
    using Json = nlohmann::ordered_json;
    Json document = {{"units", unitName(units)}, {"width", inputCaption(report, WidthInput)},
        {"height", inputCaption(report, HeightInput)}, {"diagonal", inputCaption(report, DiagonalInput)},
        {"angle", inputCaption(report, AngleInput)}, {"rows", Json::array()}};
    for (std::size_t index = 0; index < kRowCount; ++index) {
        const ReportRow& row = report.rows[index];
        Json line = {{"projector", row.projector}, {"throw_distance", row.shown.throwDistance},
            {"straight_line", row.shown.straightLine}, {"vertical_offset", row.shown.verticalOffset},
            {"warning", row.shown.isWarning}};
        if (room)
            line["base_height"] = room->rows[index] ? Json(room->rows[index]->text) : Json(nullptr);
        document["rows"].push_back(std::move(line));
    }
    out << document.dump() << '\n';
}

// The inputs the options give; on a value the bar does not allow, says what
// it takes on `err` and gives nothing.
std::optional<WindowInputs> optionInputs(const TableRequest& request, const MainWindow& window, std::ostream& err)
{
    WindowInputs inputs;
    inputs.units = request.common.units;
    inputs.sizing = request.sizing->sizing;
    if (request.sizeText) {
        // What the bar allows once its handler has set the range of the unit.
        const UnitRange& range = sizeBarRange(inputs.sizing);
        const auto size = wholeNumberOption(request.sizing->option, *request.sizeText, range.min(inputs.units),
            range.max(inputs.units), window.controls().caption(window.unitLabel(inputs.units)), err);
        if (!size)
            return std::nullopt;
        inputs.size = *size;
    }
    if (request.common.angleText) {
        inputs.angle = angleOption(*request.common.angleText, err);
        if (!inputs.angle)
            return std::nullopt;
    }
    return inputs;
}

} // namespace

int runTable(std::span<const std::string_view> args, const TableOutput& output, const NumberFormat& format)
{
    const auto request = readRequest(args, output.err);
    if (!request)
        return ExitUsage;
    const CommonOptions& options = request->common;
    if (options.help) {
        output.out << cliHelp();
        return ExitOk;
    }

    // A job gives the window, and its length format unless one is asked for.
    const std::optional<CommandJob> opened = commandJob(options, output.err);
    if (!opened)
        return ExitUsage;
    const auto& [job, units] = *opened;
    if (!lengthFormatFits(options.lengths, units, output.err))
        return ExitUsage;
    JobSession session(format);
    const MainWindow& window = session.window();
    JobOptions given;
    given.lengths = options.lengths;
    if (!job) {
        const auto inputs = optionInputs(*request, window, output.err);
        if (!inputs)
            return ExitUsage;
        given.inputs = *inputs;
    }
    if (options.screenBottomText) {
        if (!screenBottomOption(
                *options.screenBottomText, window.controls().caption(window.unitLabel(units)), format, output.err))
            return ExitUsage;
        given.screenBottom = std::string(*options.screenBottomText);
    }
    if (!openSession(session, job, given, output.err))
        return ExitRuntimeError;

    const LengthFormat lengths = session.lengthFormat();
    TableReport report = tableReport(window);
    const std::optional<TableBaseHeights> room = tableBaseHeights(window, lengths, session.room());
    showLengths(report, window, lengths);
    // The unit of the numbers shown, which a unit chosen since has not changed.
    const UnitSystem shownUnits = tableUnits(window).value_or(session.selectedUnits());
    switch (options.format) {
    case OutputFormat::Text:
        printText(report, window, lengths, room, output.colour, output.out);
        break;
    case OutputFormat::Csv:
        printCsv(report, shownUnits, room, output.out);
        break;
    case OutputFormat::Json:
        printJson(report, shownUnits, room, output.out);
        break;
    }
    return ExitOk;
}

} // namespace qvd
