// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "table.h"
#include "runtime/utf8_text.h"

#include "app/cli/command_options.h"
#include "app/cli/csv_field.h"
#include "app/cli/fit.h"
#include "app/cli/option_values.h"
#include "app/cli/whole_number.h"
#include "runtime/runtime_error.h"
#include "ui/job/job_file.h"
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

// The value of `option` when `text` is a whole number from `min` to `max`;
// otherwise says what the option takes, on `err`, and gives nothing.
std::optional<int> valueInRange(
    std::string_view option, std::string_view text, int min, int max, std::string_view unit, std::ostream& err)
{
    const std::optional<long long> value = parseWholeNumber(text);
    if (!value || *value < min || *value > max) {
        err << "qvdtalvern-cli: " << option << " takes a whole number from " << min << " to " << max << ' ' << unit
            << ", not '" << escapedControls(text) << "'\n";
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

// The request's unit as the CSV and JSON output name it.
std::string_view unitsName(UnitSystem units) { return units == UnitSystem::Centimetres ? "cm" : "in"; }

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

// With a screen-bottom height: its caption and each row's base height.
struct RoomHeights {
    std::string screenBottom;
    std::array<std::optional<BaseHeight>, kRowCount> bases;

    [[nodiscard]] std::string base(std::size_t row) const { return bases[row] ? bases[row]->text : std::string(); }
};

void printText(const TableReport& report, const MainWindow& window, LengthFormat lengths,
    const std::optional<RoomHeights>& room, bool colour, std::ostream& out)
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
        printInputLine(out, kScreenBottomName, room->screenBottom, unit);
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
            text.cells.push_back({room->base(index)});
            text.belowFloor = room->bases[index] && room->bases[index]->belowFloor;
        }
    }
    printTextTable(out, columns, rows, colour, false);
}

void printCsv(const TableReport& report, UnitSystem units, const std::optional<RoomHeights>& room, std::ostream& out)
{
    out << "units,width,height,diagonal,angle,projector,throw_distance,straight_line,vertical_offset,warning"
        << (room ? ",base_height\n" : "\n");
    for (std::size_t index = 0; index < kRowCount; ++index) {
        const ReportRow& row = report.rows[index];
        out << unitsName(units);
        for (const ReportInputIndex input : {WidthInput, HeightInput, DiagonalInput, AngleInput})
            out << ',' << csvField(inputCaption(report, input));
        out << ',' << csvField(row.projector) << ',' << csvField(row.shown.throwDistance) << ','
            << csvField(row.shown.straightLine) << ',' << csvField(row.shown.verticalOffset) << ','
            << (row.shown.isWarning ? "true" : "false");
        if (room)
            out << ',' << csvField(room->base(index));
        out << '\n';
    }
}

void printJson(const TableReport& report, UnitSystem units, const std::optional<RoomHeights>& room, std::ostream& out)
{
    using Json = nlohmann::ordered_json;
    Json document = {{"units", unitsName(units)}, {"width", inputCaption(report, WidthInput)},
        {"height", inputCaption(report, HeightInput)}, {"diagonal", inputCaption(report, DiagonalInput)},
        {"angle", inputCaption(report, AngleInput)}, {"rows", Json::array()}};
    for (std::size_t index = 0; index < kRowCount; ++index) {
        const ReportRow& row = report.rows[index];
        Json line = {{"projector", row.projector}, {"throw_distance", row.shown.throwDistance},
            {"straight_line", row.shown.straightLine}, {"vertical_offset", row.shown.verticalOffset},
            {"warning", row.shown.isWarning}};
        if (room)
            line["base_height"] = room->bases[index] ? Json(room->bases[index]->text) : Json(nullptr);
        document["rows"].push_back(std::move(line));
    }
    out << document.dump() << '\n';
}

// The inputs the options give; on a value the bar does not allow, says what
// it takes on `err` and gives nothing.
std::optional<WindowInputs> optionInputs(const TableRequest& request, const MainWindow& window, std::ostream& err)
{
    const ControlSet& controls = window.controls();
    WindowInputs inputs;
    inputs.units = request.common.units;
    inputs.sizing = request.sizing->sizing;
    if (request.sizeText) {
        // What the bar allows once its handler has set the range of the unit.
        const UnitRange& range = sizeBarRange(inputs.sizing);
        const auto size = valueInRange(request.sizing->option, *request.sizeText, range.min(inputs.units),
            range.max(inputs.units), controls.caption(window.unitLabel(inputs.units)), err);
        if (!size)
            return std::nullopt;
        inputs.size = *size;
    }
    if (request.common.angleText) {
        // No handler changes the angle bar's range: it keeps its design range.
        const AngleRange angles = angleRange();
        inputs.angle = valueInRange("--angle", *request.common.angleText, angles.min, angles.max, "degrees", err);
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

    MainWindow window(format);
    WindowInputs inputs;
    std::optional<LengthFormat> asked = options.lengths;
    std::optional<Job> job;
    if (options.jobPath) {
        // The job gives the window, and its length format unless one is asked for.
        job = readJobOption(*options.jobPath, output.err);
        if (!job)
            return ExitUsage;
        inputs = job->inputs;
        asked = asked.value_or(job->lengthFormat);
    }
    if (!lengthFormatFits(options.lengths, options.jobPath ? inputs.units : options.units, output.err))
        return ExitUsage;
    const LengthFormat lengths = asked.value_or(LengthFormat::Decimal);
    if (!options.jobPath) {
        const auto given = optionInputs(*request, window, output.err);
        if (!given)
            return ExitUsage;
        inputs = *given;
    }

    std::optional<double> screenBottom;
    if (options.screenBottomText) {
        screenBottom = screenBottomOption(
            *options.screenBottomText, window.controls().caption(window.unitLabel(inputs.units)), format, output.err);
        if (!screenBottom)
            return ExitUsage;
    }

    try {
        window.load();
        if (job)
            showJobWindow(window, *job);
        else
            window.enterInputs(inputs);
    } catch (const RuntimeError& error) {
        output.err << "qvdtalvern-cli: runtime error: " << errorKindName(error.kind()) << '\n';
        return ExitRuntimeError;
    }

    TableReport report = tableReport(window);
    // The base heights from the captions as the window holds them, then
    // shown in the window's length format like the other lengths.
    std::optional<RoomHeights> room;
    if (screenBottom) {
        room.emplace();
        room->screenBottom = lengthCaption(window, lengths, FormatGeneral(*screenBottom, format));
        for (std::size_t row = 0; row < kRowCount; ++row) {
            room->bases[row] = baseHeight(*screenBottom, report.rows[row].shown, format);
            if (room->bases[row])
                room->bases[row]->text = lengthCaption(window, lengths, room->bases[row]->text);
        }
    }
    showLengths(report, window, lengths);
    // The unit of the numbers shown, which a unit chosen since has not changed.
    const UnitSystem units = tableUnits(window).value_or(inputs.units);
    switch (options.format) {
    case OutputFormat::Text:
        printText(report, window, lengths, room, output.colour, output.out);
        break;
    case OutputFormat::Csv:
        printCsv(report, units, room, output.out);
        break;
    case OutputFormat::Json:
        printJson(report, units, room, output.out);
        break;
    }
    return ExitOk;
}

} // namespace qvd
