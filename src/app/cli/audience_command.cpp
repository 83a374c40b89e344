// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "app/cli/audience_command.h"

#include "app/cli/command_options.h"
#include "app/cli/csv_field.h"
#include "app/cli/option_values.h"
#include "app/cli/usage.h"
#include "runtime/length_format.h"
#include "runtime/runtime_error.h"
#include "ui/job/audience.h"
#include "ui/job/job_file.h"
#include "ui/job/job_session.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

namespace qvd {

namespace {

struct AudienceRequest {
    CommonOptions common;
    std::optional<std::string_view> farthest;
    std::optional<std::string_view> elementHeight;
    std::optional<std::string_view> resolution;
    std::optional<std::string_view> eyeHeight;
    std::optional<DistanceKind> kind;
    std::string_view distanceText;
};

// The option that gives each field, for the messages that refuse one.
struct FieldOption {
    std::string_view field;
    std::string_view option;
};
constexpr FieldOption kFieldOptions[] = {
    {kFarthestName, "--farthest"},
    {kElementHeightName, "--element-height"},
    {kResolutionName, "--resolution"},
    {kScreenBottomName, "--screen-bottom"},
    {kEyeHeightName, "--eye-height"},
};

// "Element height: give ..." as "--element-height: give ...".
std::string withOption(const std::string& problem)
{
    for (const FieldOption& named : kFieldOptions) {
        const std::string prefix = std::string(named.field) + ": ";
        if (problem.starts_with(prefix))
            return std::string(named.option) + ": " + problem.substr(prefix.size());
    }
    return problem;
}

std::optional<AudienceRequest> readRequest(std::span<const std::string_view> args, std::ostream& err)
{
    AudienceRequest request;
    const auto ownOption = [&](std::string_view option, std::string_view value) -> std::optional<bool> {
        struct Own {
            std::string_view name;
            std::optional<std::string_view> AudienceRequest::*text;
        };
        static constexpr Own kOwn[] = {
            {"--farthest", &AudienceRequest::farthest},
            {"--element-height", &AudienceRequest::elementHeight},
            {"--resolution", &AudienceRequest::resolution},
            {"--eye-height", &AudienceRequest::eyeHeight},
        };
        for (const Own& own : kOwn) {
            if (option != own.name)
                continue;
            if (request.*own.text) {
                err << "qvdtalvern-cli: give " << option << " once\n";
                return false;
            }
            request.*own.text = value;
            return true;
        }
        if (option != "--throw" && option != "--straight-line" && option != "--straight")
            return std::nullopt;
        if (request.kind) {
            err << "qvdtalvern-cli: give one of --throw and --straight-line, once\n";
            return false;
        }
        request.kind = option == "--throw" ? DistanceKind::Throw : DistanceKind::Straight;
        request.distanceText = value;
        return true;
    };
    const JobRule rule{"the unit and the angle", "--units and --angle"};
    if (!readOptions(
            args, request.common, ownOption, rule, [] { return false; }, err))
        return std::nullopt;
    if (request.elementHeight && request.resolution) {
        err << "qvdtalvern-cli: give one of --element-height and --resolution\n";
        return std::nullopt;
    }
    return request;
}

// What the printers need: the inputs as shown and the answer.
struct AudienceView {
    std::string units; // "in" or "cm"
    std::string unitCaption;
    std::string angle;
    AudienceQuery query;
    std::string farthest, figure, eyeHeight;
    std::optional<std::string> screenBottom, distance;
    std::string summary;
    std::string minimumHeight, minimumWidth, minimumDiagonal;
    AudienceAnswer answer;
    std::optional<std::string> closestViewer, imageTop;
};

std::string_view sizingName(Sizing sizing)
{
    return sizing == Sizing::Width ? "width" : sizing == Sizing::Height ? "height" : "diagonal";
}

std::string baseText(const AudienceRow& row) { return row.baseHeight ? row.baseHeight->text : std::string(); }

void printText(const AudienceView& view, const MainWindow& window, bool colour, std::ostream& out)
{
    const ControlSet& controls = window.controls();
    const std::string& unit = view.unitCaption;
    printInputLine(out, kFarthestName, view.farthest, unit);
    if (view.query.rule == ViewingRule::Basic)
        printInputLine(out, kElementHeightName, view.figure, "%");
    else
        printInputLine(out, kResolutionName, view.figure, "lines");
    if (view.screenBottom)
        printInputLine(out, kScreenBottomName, *view.screenBottom, unit);
    printInputLine(out, kEyeHeightName, view.eyeHeight, unit);
    if (view.distance)
        printInputLine(
            out, view.query.kind == DistanceKind::Throw ? "Throw distance" : "Straight line", *view.distance, unit);
    printInputLine(out, controls.caption(window.angleFrame()), view.angle, "degrees");
    out << '\n' << view.summary << '\n';
    printInputLine(out, "Minimum width", view.minimumWidth, unit);
    printInputLine(out, "Minimum height", view.minimumHeight, unit);
    printInputLine(out, "Minimum diagonal", view.minimumDiagonal, unit);
    const std::optional<OfferedScreen>& screen = view.answer.screen;
    if (!screen) {
        out << "No screen the window offers is that large.\n";
        return;
    }
    for (const auto& [sizing, caption] : {std::pair{Sizing::Width, &screen->width},
             std::pair{Sizing::Height, &screen->height}, std::pair{Sizing::Diagonal, &screen->diagonal}})
        printInputLine(out, "Screen " + controls.caption(window.sizeNameLabel(sizing)), *caption, unit);
    if (view.closestViewer) {
        printInputLine(out, "Closest viewer", *view.closestViewer, unit);
        printInputLine(out, "Image top", *view.imageTop, unit);
    }
    out << '\n';

    std::vector<TextColumn> columns{{"", Align::Left}};
    if (view.distance)
        columns.push_back({"Room", Align::Left});
    for (const Column column : {Column::Throw, Column::Straight, Column::Offset})
        columns.push_back({controls.caption(window.columnHeader(column))});
    if (view.screenBottom)
        columns.push_back({std::string(kBaseHeightHeader)});
    std::vector<TextRow> rows;
    for (const AudienceRow& row : view.answer.rows) {
        TextRow& text = rows.emplace_back();
        text.cells.push_back({row.projector});
        if (view.distance)
            text.cells.push_back({std::string(roomWords(row))});
        for (const std::string* result : {&row.shown.throwDistance, &row.shown.straightLine, &row.shown.verticalOffset})
            text.cells.push_back({*result, row.shown.isWarning});
        if (view.screenBottom)
            text.cells.push_back({baseText(row)});
        text.belowFloor = row.baseHeight && row.baseHeight->belowFloor;
    }
    printTextTable(out, columns, rows, colour, true);
}

void printCsv(const AudienceView& view, std::ostream& out)
{
    out << "units,angle,rule,farthest,element_height,resolution,eye_height,screen_bottom,distance_kind,distance,"
           "minimum_image_height,minimum_image_width,minimum_diagonal,screen_width,screen_height,screen_diagonal,"
           "closest_viewer,image_top,projector,fits,throw_distance,straight_line,vertical_offset,base_height\n";
    const std::optional<OfferedScreen>& screen = view.answer.screen;
    std::string head = view.units + ',' + csvField(view.angle) + ',' + std::string(ruleName(view.query.rule)) + ','
        + csvField(view.farthest) + ',' + (view.query.rule == ViewingRule::Basic ? csvField(view.figure) : "") + ','
        + (view.query.rule == ViewingRule::Analytical ? view.figure : "") + ',' + csvField(view.eyeHeight) + ','
        + csvField(view.screenBottom.value_or("")) + ','
        + (view.distance ? std::string(distanceKindName(*view.query.kind)) : "") + ','
        + csvField(view.distance.value_or("")) + ',' + csvField(view.minimumHeight) + ',' + csvField(view.minimumWidth)
        + ',' + csvField(view.minimumDiagonal) + ','
        + (screen ? csvField(screen->width) + ',' + csvField(screen->height) + ',' + csvField(screen->diagonal)
                  : std::string(",,"))
        + ',' + csvField(view.closestViewer.value_or("")) + ',' + csvField(view.imageTop.value_or(""));
    if (!screen) {
        out << head << ",,,,,,\n";
        return;
    }
    for (const AudienceRow& row : view.answer.rows) {
        out << head << ',' << csvField(row.projector) << ',' << (row.fits ? (*row.fits ? "yes" : "no") : "");
        for (const std::string* result : {&row.shown.throwDistance, &row.shown.straightLine, &row.shown.verticalOffset})
            out << ',' << csvField(*result);
        out << ',' << csvField(baseText(row)) << '\n';
    }
}

void printJson(const AudienceView& view, std::ostream& out)
{
    using Json = nlohmann::ordered_json;
    const auto orNull = [](const std::optional<std::string>& text) { return text ? Json(*text) : Json(nullptr); };
    const bool basic = view.query.rule == ViewingRule::Basic;
    Json document = {{"units", view.units}, {"angle", view.angle}, {"rule", ruleName(view.query.rule)},
        {"farthest", view.farthest}, {"element_height", basic ? Json(view.figure) : Json(nullptr)},
        {"resolution", basic ? Json(nullptr) : Json(view.query.resolution)}, {"eye_height", view.eyeHeight},
        {"screen_bottom", orNull(view.screenBottom)},
        {"distance_kind", view.distance ? Json(distanceKindName(*view.query.kind)) : Json(nullptr)},
        {"distance", orNull(view.distance)}, {"summary", view.summary}, {"minimum_image_height", view.minimumHeight},
        {"minimum_image_width", view.minimumWidth}, {"minimum_diagonal", view.minimumDiagonal}, {"screen", nullptr},
        {"closest_viewer", orNull(view.closestViewer)}, {"image_top", orNull(view.imageTop)}, {"rows", Json::array()}};
    if (const std::optional<OfferedScreen>& screen = view.answer.screen) {
        document["screen"] = {{"by", sizingName(screen->inputs.sizing)}, {"value", screen->inputs.size},
            {"width", screen->width}, {"height", screen->height}, {"diagonal", screen->diagonal}};
        for (const AudienceRow& row : view.answer.rows) {
            const auto number
                = [&](const std::string& text) { return row.shown.isWarning ? Json(nullptr) : Json(text); };
            document["rows"].push_back({{"projector", row.projector},
                {"fits", row.fits ? Json(*row.fits) : Json(nullptr)}, {"in_range", !row.shown.isWarning},
                {"throw_distance", number(row.shown.throwDistance)}, {"straight_line", number(row.shown.straightLine)},
                {"vertical_offset", number(row.shown.verticalOffset)},
                {"base_height", row.baseHeight ? Json(row.baseHeight->text) : Json(nullptr)},
                {"below_floor", row.baseHeight && row.baseHeight->belowFloor}});
        }
    }
    out << document.dump() << '\n';
}

} // namespace

int runAudience(std::span<const std::string_view> args, const TableOutput& output, const NumberFormat& format)
{
    auto request = readRequest(args, output.err);
    if (!request)
        return ExitUsage;
    CommonOptions& options = request->common;
    if (options.help) {
        output.out << cliHelp();
        return ExitOk;
    }

    // A job gives the unit, the angle, its audience and its room; each option
    // given beside it replaces the job's.
    const std::optional<CommandJob> opened = commandJob(options, output.err);
    if (!opened)
        return ExitUsage;
    const auto& [job, units] = *opened;
    JobSession session(format);
    const MainWindow& window = session.window();
    const std::string& unit = window.controls().caption(window.unitLabel(units));
    JobOptions given;
    const std::string_view distanceName = request->kind == DistanceKind::Straight ? "--straight-line" : "--throw";
    if (!enterRoomOptions(
            given, options, units, unit, {request->kind, distanceName, request->distanceText, {}}, format, output.err))
        return ExitUsage;
    const auto text = [](std::optional<std::string_view> value) {
        return value ? std::optional(std::string(*value)) : std::nullopt;
    };
    given.farthest = text(request->farthest);
    given.elementHeight = text(request->elementHeight);
    given.resolution = text(request->resolution);
    given.audienceScreenBottom = text(options.screenBottomText);
    given.eyeHeight = text(request->eyeHeight);
    if (!openSession(session, job, given, output.err))
        return ExitRuntimeError;

    const AudienceSetting& setting = session.audience();
    if (setting.farthest.empty()) {
        output.err << "qvdtalvern-cli: audience needs --farthest D, the farthest viewer's distance to the screen\n"
                   << cliUsage();
        return ExitUsage;
    }
    const bool figureGiven
        = setting.rule == ViewingRule::Basic ? !setting.elementHeight.empty() : !setting.resolution.empty();
    if (!figureGiven) {
        output.err << "qvdtalvern-cli: audience needs --element-height PERCENT or --resolution LINES\n" << cliUsage();
        return ExitUsage;
    }
    if (!lengthFormatFits(options.lengths, units, output.err))
        return ExitUsage;
    const AudienceReading reading = session.audienceReading();
    if (!reading.query) {
        output.err << "qvdtalvern-cli: " << withOption(reading.problem) << '\n';
        return ExitUsage;
    }
    const AudienceQuery& query = *reading.query;

    AudienceView view;
    view.units = unitName(units);
    view.unitCaption = unit;
    view.angle = FormatInteger(query.angle);
    view.query = query;
    try {
        view.answer = session.audienceAnswer().value();
    } catch (const RuntimeError& error) {
        return runtimeErrorExit(error, output.err);
    }
    const bool feetAndInches = session.roomFitLengths() == LengthFormat::FeetAndInches;
    const auto shown = [&](const std::string& text) {
        return feetAndInches ? lengthShown(text, LengthFormat::FeetAndInches, format) : text;
    };
    const auto length = [&](double value) { return shown(FormatGeneral(value, format)); };
    const auto fixed = [&](double value) { return shown(FormatFixed(value, format)); };
    view.farthest = length(query.farthest);
    view.figure = query.rule == ViewingRule::Basic ? FormatGeneral(query.elementHeight, format)
                                                   : std::to_string(query.resolution);
    view.eyeHeight = length(query.eyeHeight.value_or(defaultEyeHeight(query.units)));
    if (query.screenBottom)
        view.screenBottom = length(*query.screenBottom);
    if (query.kind)
        view.distance = length(query.distance);
    view.summary = ruleSummary(query, view.answer.minimumHeight, unit, format);
    view.minimumHeight = fixed(view.answer.minimumHeight);
    view.minimumWidth = fixed(view.answer.minimumWidth);
    view.minimumDiagonal = fixed(view.answer.minimumDiagonal);
    if (view.answer.closestViewer) {
        view.closestViewer = fixed(*view.answer.closestViewer);
        view.imageTop = fixed(*view.answer.imageTop);
    }
    if (feetAndInches && view.answer.screen) {
        OfferedScreen& screen = *view.answer.screen;
        for (std::string* text : {&screen.width, &screen.height, &screen.diagonal})
            *text = shown(*text);
        for (AudienceRow& row : view.answer.rows) {
            for (std::string* text : {&row.shown.throwDistance, &row.shown.straightLine, &row.shown.verticalOffset})
                *text = shown(*text);
            if (row.baseHeight)
                row.baseHeight->text = shown(row.baseHeight->text);
        }
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
