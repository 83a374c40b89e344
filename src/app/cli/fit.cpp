// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "fit.h"
#include "runtime/utf8_text.h"

#include "app/cli/command_options.h"
#include "app/cli/csv_field.h"
#include "app/cli/option_values.h"
#include "app/cli/usage.h"
#include "runtime/length_format.h"
#include "runtime/runtime_error.h"
#include "ui/job/job_file.h"
#include "ui/job/job_session.h"
#include "ui/job/room_fit.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace qvd {

namespace {

struct FitRequest {
    CommonOptions common;
    std::optional<DistanceKind> kind;
    std::string_view distanceText;
};

std::string_view optionOf(DistanceKind kind) { return kind == DistanceKind::Throw ? "--throw" : "--straight"; }

// Reads the options; on failure writes one line to `err` and gives nothing.
std::optional<FitRequest> readRequest(std::span<const std::string_view> args, std::ostream& err)
{
    FitRequest request;
    const auto distanceOption = [&](std::string_view option, std::string_view value) -> std::optional<bool> {
        if (option != optionOf(DistanceKind::Throw) && option != optionOf(DistanceKind::Straight))
            return std::nullopt;
        if (request.kind) {
            err << "qvdtalvern-cli: give one of --throw and --straight, once\n";
            return false;
        }
        request.kind = option == optionOf(DistanceKind::Throw) ? DistanceKind::Throw : DistanceKind::Straight;
        request.distanceText = value;
        return true;
    };
    // A distance given beside a job replaces the job's.
    const JobRule rule{"the unit and the angle", "--units and --angle"};
    if (!readOptions(
            args, request.common, distanceOption, rule, [] { return false; }, err))
        return std::nullopt;
    if (!request.kind && !request.common.jobPath && !request.common.help) {
        err << "qvdtalvern-cli: fit needs --throw D or --straight D, the distance the room gives\n" << cliUsage();
        return std::nullopt;
    }
    return request;
}

// What the window shows for the inputs, as the printers need it.
struct FitView {
    std::string units;       // "in" or "cm"
    std::string unitCaption; // "in." or "cm"
    std::string angle;
    DistanceKind kind;
    std::string distance;
    std::optional<std::string> screenBottom;
    RoomFit rows;
};

// A row's numbers in output order, empty where the row has none.
std::array<std::string, 7> numbersOf(const RowFit& row)
{
    return {row.widthCaption, row.heightCaption, row.diagonalCaption, row.shown.throwDistance, row.shown.straightLine,
        row.shown.verticalOffset, row.baseHeight ? row.baseHeight->text : std::string()};
}

void printText(const FitView& view, const MainWindow& window, bool colour, std::ostream& out)
{
    const ControlSet& controls = window.controls();
    printInputLine(
        out, view.kind == DistanceKind::Throw ? "Throw distance" : "Straight line", view.distance, view.unitCaption);
    printInputLine(out, controls.caption(window.angleFrame()), view.angle, "degrees");
    if (view.screenBottom)
        printInputLine(out, kScreenBottomName, *view.screenBottom, view.unitCaption);
    out << '\n';

    // The base height column only when a screen-bottom height was given.
    std::vector<TextColumn> columns{{"", Align::Left}, {"Limit", Align::Left},
        {controls.caption(window.sizeNameLabel(Sizing::Width))},
        {controls.caption(window.sizeNameLabel(Sizing::Height))},
        {controls.caption(window.sizeNameLabel(Sizing::Diagonal))},
        {controls.caption(window.columnHeader(Column::Throw))},
        {controls.caption(window.columnHeader(Column::Straight))},
        {controls.caption(window.columnHeader(Column::Offset))}};
    if (view.screenBottom)
        columns.push_back({std::string(kBaseHeightHeader)});
    std::vector<TextRow> rows;
    for (const RowFit& row : view.rows) {
        TextRow& text = rows.emplace_back();
        text.cells = {{row.projector}, {std::string(limitWords(row.limit))}};
        if (row.limit != FitLimit::None) {
            for (const std::string& number : numbersOf(row))
                text.cells.push_back({number});
        }
        text.belowFloor = view.screenBottom && row.baseHeight && row.baseHeight->belowFloor;
    }
    printTextTable(out, columns, rows, colour, true);
}

void printCsv(const FitView& view, std::ostream& out)
{
    out << "units,angle,distance_kind,distance,projector,limit,width,height,diagonal,throw_distance,straight_line,"
           "vertical_offset,base_height\n";
    for (const RowFit& row : view.rows) {
        out << view.units << ',' << csvField(view.angle) << ',' << distanceKindName(view.kind) << ','
            << csvField(view.distance) << ',' << csvField(row.projector) << ',' << limitName(row.limit);
        for (const std::string& number : numbersOf(row))
            out << ',' << csvField(number);
        out << '\n';
    }
}

void printJson(const FitView& view, std::ostream& out)
{
    using Json = nlohmann::ordered_json;
    const auto orNull = [](const std::string& text) { return text.empty() ? Json(nullptr) : Json(text); };
    Json document = {{"units", view.units}, {"angle", view.angle}, {"distance_kind", distanceKindName(view.kind)},
        {"distance", view.distance}, {"screen_bottom", view.screenBottom ? Json(*view.screenBottom) : Json(nullptr)},
        {"rows", Json::array()}};
    for (const RowFit& row : view.rows) {
        const auto numbers = numbersOf(row);
        document["rows"].push_back({{"projector", row.projector}, {"limit", limitName(row.limit)},
            {"width", orNull(numbers[0])}, {"height", orNull(numbers[1])}, {"diagonal", orNull(numbers[2])},
            {"throw_distance", orNull(numbers[3])}, {"straight_line", orNull(numbers[4])},
            {"vertical_offset", orNull(numbers[5])}, {"base_height", orNull(numbers[6])}});
    }
    out << document.dump() << '\n';
}

} // namespace

int runFit(std::span<const std::string_view> args, const TableOutput& output, const NumberFormat& format)
{
    auto request = readRequest(args, output.err);
    if (!request)
        return ExitUsage;
    CommonOptions& options = request->common;
    if (options.help) {
        output.out << cliHelp();
        return ExitOk;
    }

    // A job gives the unit, the angle and, unless a distance is given, its
    // room; --throw or --straight replaces the job's distance, --screen-bottom
    // its screen bottom.
    const std::optional<CommandJob> opened = commandJob(options, output.err);
    if (!opened)
        return ExitUsage;
    const auto& [job, units] = *opened;
    if (job && !request->kind && !job->room) {
        output.err << "qvdtalvern-cli: the job " << escapedControls(*options.jobPath)
                   << " has no room; give --throw D or --straight D\n";
        return ExitUsage;
    }
    if (!lengthFormatFits(options.lengths, units, output.err))
        return ExitUsage;

    JobSession session(format);
    const MainWindow& window = session.window();
    const std::string& unit = window.controls().caption(window.unitLabel(units));
    JobOptions given;
    const RoomOptions room{request->kind, request->kind ? optionOf(*request->kind) : std::string_view(),
        request->distanceText, options.screenBottomText};
    if (!enterRoomOptions(given, options, units, unit, room, format, output.err))
        return ExitUsage;
    if (!openSession(session, job, given, output.err))
        return ExitRuntimeError;

    // The session's room reads: its texts were checked above or come from the job.
    const RoomSetting& entered = session.room();
    const std::optional<double> screenBottom
        = entered.screenBottom ? parseRoomLength(*entered.screenBottom, format) : std::nullopt;
    FitView view{std::string(unitName(units)), unit, FormatInteger(session.angle()), entered.kind,
        FormatGeneral(parseRoomDistance(entered.distance, format).value_or(0.0), format),
        screenBottom ? std::optional(FormatGeneral(*screenBottom, format)) : std::nullopt, {}};
    try {
        view.rows = session.roomFitShown().value_or(RoomFit{});
    } catch (const RuntimeError& error) {
        return runtimeErrorExit(error, output.err);
    }
    switch (options.format) {
    case OutputFormat::Text:
        printText(view, window, output.colour, output.out);
        break;
    case OutputFormat::Csv:
        printCsv(view, output.out);
        break;
    case OutputFormat::Json:
        printJson(view, output.out);
        break;
    }
    return ExitOk;
}

} // namespace qvd
