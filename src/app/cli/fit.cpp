// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "fit.h"

#include "app/cli/csv_field.h"
#include "app/cli/option_values.h"
#include "app/cli/usage.h"
#include "app/cli/whole_number.h"
#include "runtime/length_format.h"
#include "runtime/runtime_error.h"
#include "ui/job_file.h"
#include "ui/room_fit.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace qvd {

namespace {

struct FitRequest {
    UnitSystem units = UnitSystem::Inches;
    std::optional<DistanceKind> kind;
    std::string_view distanceText;
    std::optional<std::string_view> angleText;
    std::optional<std::string_view> screenBottomText;
    std::optional<std::string_view> jobPath;
    std::optional<LengthFormat> lengths;
    bool unitsGiven = false;
    OutputFormat format = OutputFormat::Text;
    bool help = false;
};

std::string_view optionOf(DistanceKind kind) { return kind == DistanceKind::Throw ? "--throw" : "--straight"; }

// Parses the options; on failure writes one line to `err` and returns nothing.
std::optional<FitRequest> parseRequest(std::span<const std::string_view> args, std::ostream& err)
{
    FitRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view option = args[i];
        if (option == "--help" || option == "-h") {
            request.help = true;
            return request;
        }
        if (!option.starts_with("--")) {
            err << "qvdtalvern-cli: unknown argument " << option << '\n' << cliUsage();
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            err << "qvdtalvern-cli: missing value after " << option << '\n' << cliUsage();
            return std::nullopt;
        }
        const std::string_view value = args[++i];
        if (option == "--throw" || option == "--straight") {
            const DistanceKind kind = option == "--throw" ? DistanceKind::Throw : DistanceKind::Straight;
            if (request.kind) {
                err << "qvdtalvern-cli: give one of --throw and --straight, once\n";
                return std::nullopt;
            }
            request.kind = kind;
            request.distanceText = value;
        } else if (option == "--units") {
            const auto units = readUnitsOption(value, err);
            if (!units)
                return std::nullopt;
            request.units = *units;
            request.unitsGiven = true;
        } else if (option == "--job") {
            request.jobPath = value;
        } else if (option == "--length-format") {
            request.lengths = readLengthFormatOption(value, err);
            if (!request.lengths)
                return std::nullopt;
        } else if (option == "--angle") {
            request.angleText = value;
        } else if (option == "--screen-bottom") {
            request.screenBottomText = value;
        } else if (option == "--format") {
            const auto format = readFormatOption(value, err);
            if (!format)
                return std::nullopt;
            request.format = *format;
        } else {
            err << "qvdtalvern-cli: unknown option " << option << '\n' << cliUsage();
            return std::nullopt;
        }
    }
    if (request.jobPath && (request.unitsGiven || request.angleText)) {
        err << "qvdtalvern-cli: --job takes the unit and the angle from the job; leave out --units and --angle\n";
        return std::nullopt;
    }
    if (!request.kind && !request.jobPath) {
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
    const auto line = [&](std::string_view name, const std::string& value, std::string_view suffix) {
        out << name << std::string(18 - std::min<std::size_t>(name.size(), 17), ' ') << value;
        if (!suffix.empty())
            out << ' ' << suffix;
        out << '\n';
    };
    line(view.kind == DistanceKind::Throw ? "Throw distance" : "Straight line", view.distance, view.unitCaption);
    line(controls.caption(window.angleFrame()), view.angle, "degrees");
    if (view.screenBottom)
        line(kScreenBottomName, *view.screenBottom, view.unitCaption);
    out << '\n';

    // The base height column only when a screen-bottom height was given.
    const std::size_t columns = view.screenBottom ? 7 : 6;
    const std::array<std::string, 7> headers = {controls.caption(window.sizeNameLabel(Sizing::Width)),
        controls.caption(window.sizeNameLabel(Sizing::Height)),
        controls.caption(window.sizeNameLabel(Sizing::Diagonal)), controls.caption(window.columnHeader(Column::Throw)),
        controls.caption(window.columnHeader(Column::Straight)), controls.caption(window.columnHeader(Column::Offset)),
        std::string(kBaseHeightHeader)};
    std::size_t nameWidth = 0;
    std::size_t limitWidth = 5; // "Limit"
    std::array<std::size_t, 7> widths{};
    for (std::size_t c = 0; c < columns; ++c)
        widths[c] = headers[c].size();
    for (const RowFit& row : view.rows) {
        nameWidth = std::max(nameWidth, row.projector.size());
        limitWidth = std::max(limitWidth, limitWords(row.limit).size());
        const auto numbers = numbersOf(row);
        for (std::size_t c = 0; c < columns; ++c)
            widths[c] = std::max(widths[c], numbers[c].size());
    }
    const auto left = [](std::string_view text, std::size_t width) {
        return std::string(text) + std::string(width > text.size() ? width - text.size() : 0, ' ');
    };
    const auto right = [](std::string_view text, std::size_t width) {
        return std::string(width > text.size() ? width - text.size() : 0, ' ') + std::string(text);
    };
    std::string header = std::string(nameWidth, ' ') + "  " + left("Limit", limitWidth);
    for (std::size_t c = 0; c < columns; ++c)
        header += "  " + right(headers[c], widths[c]);
    while (!header.empty() && header.back() == ' ')
        header.pop_back();
    out << header << '\n';
    for (const RowFit& row : view.rows) {
        std::string text = left(row.projector, nameWidth) + "  " + left(limitWords(row.limit), limitWidth);
        if (row.limit != FitLimit::None) {
            const auto numbers = numbersOf(row);
            for (std::size_t c = 0; c < columns; ++c)
                text += "  " + right(numbers[c], widths[c]);
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out << text;
        if (view.screenBottom && row.baseHeight && row.baseHeight->belowFloor)
            out << "  " << (colour ? "\x1b[31m" : "") << kBelowFloor << (colour ? "\x1b[0m" : "");
        out << '\n';
    }
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

// "12.34" in the user's number settings.
std::string twoDecimalExample(const NumberFormat& format) { return "12" + format.decimalSeparator + "34"; }

} // namespace

std::optional<double> screenBottomOption(
    std::string_view text, std::string_view unit, const NumberFormat& format, std::ostream& err)
{
    const std::optional<double> height = parseRoomLength(text, format);
    if (!height)
        err << "qvdtalvern-cli: --screen-bottom takes a height from 0 " << unit << " up with at most two decimals (as "
            << twoDecimalExample(format) << "), not '" << text << "'\n";
    return height;
}

int runFit(std::span<const std::string_view> args, const TableOutput& output, const NumberFormat& format)
{
    auto request = parseRequest(args, output.err);
    if (!request)
        return ExitUsage;
    if (request->help) {
        output.out << cliHelp();
        return ExitOk;
    }

    // A job gives the unit, the angle and, unless a distance is given, its room.
    std::optional<int> jobAngle;
    RoomSetting jobRoom;
    if (request->jobPath) {
        const JobReading reading = readJobFile(std::filesystem::path(std::string(*request->jobPath)));
        if (!reading.ok()) {
            output.err << "qvdtalvern-cli: the job " << *request->jobPath
                       << " could not be read: " << reading.error.message << '\n';
            return ExitUsage;
        }
        const Job& job = *reading.job;
        request->units = job.inputs.units;
        jobAngle = job.inputs.angle.value_or(0);
        if (!request->lengths && job.inputs.units == UnitSystem::Inches)
            request->lengths = job.lengthFormat;
        if (!request->kind && !job.room) {
            output.err << "qvdtalvern-cli: the job " << *request->jobPath
                       << " has no room; give --throw D or --straight D\n";
            return ExitUsage;
        }
        if (job.room) {
            // --throw or --straight replaces the job's distance; its screen bottom stays.
            jobRoom = roomForWindow(*job.room, format);
            if (!request->kind) {
                request->kind = jobRoom.kind;
                request->distanceText = jobRoom.distance;
            }
            if (!request->screenBottomText && jobRoom.screenBottom)
                request->screenBottomText = *jobRoom.screenBottom;
        }
    }

    if (request->lengths == LengthFormat::FeetAndInches && request->units == UnitSystem::Centimetres) {
        output.err << "qvdtalvern-cli: --length-format ft-in needs inches\n";
        return ExitUsage;
    }

    RoomFitter fitter(format);
    const MainWindow& window = fitter.window();
    const std::string& unit = window.controls().caption(window.unitLabel(request->units));
    const std::optional<double> distance = parseRoomLength(request->distanceText, format);
    if (!distance || *distance <= 0.0) {
        output.err << "qvdtalvern-cli: " << optionOf(*request->kind) << " takes a distance above 0 " << unit
                   << " with at most two decimals (as " << twoDecimalExample(format) << "), not '"
                   << request->distanceText << "'\n";
        return ExitUsage;
    }
    std::optional<double> screenBottom;
    if (request->screenBottomText) {
        screenBottom = screenBottomOption(*request->screenBottomText, unit, format, output.err);
        if (!screenBottom)
            return ExitUsage;
    }
    const AngleRange angles = angleRange();
    int angle = jobAngle.value_or(angles.start);
    if (request->angleText) {
        const std::optional<long long> given = parseWholeNumber(*request->angleText);
        if (!given || *given < angles.min || *given > angles.max) {
            output.err << "qvdtalvern-cli: --angle takes a whole number from " << angles.min << " to " << angles.max
                       << " degrees, not '" << *request->angleText << "'\n";
            return ExitUsage;
        }
        angle = static_cast<int>(*given);
    }

    FitView view{request->units == UnitSystem::Inches ? "in" : "cm", {}, FormatInteger(angle), *request->kind,
        FormatGeneral(*distance, format),
        screenBottom ? std::optional(FormatGeneral(*screenBottom, format)) : std::nullopt, {}};
    try {
        view.rows = fitter.fit({request->units, angle, *request->kind, *distance, screenBottom});
    } catch (const RuntimeError& error) {
        output.err << "qvdtalvern-cli: runtime error: " << errorKindName(error.kind()) << '\n';
        return ExitRuntimeError;
    }
    view.unitCaption = unit;
    if (request->lengths == LengthFormat::FeetAndInches) {
        // Every length of a row in feet and inches; warning words stay as they are.
        const auto shown = [&](std::string& text) { text = lengthShown(text, LengthFormat::FeetAndInches, format); };
        for (RowFit& row : view.rows) {
            for (std::string* text : {&row.widthCaption, &row.heightCaption, &row.diagonalCaption,
                     &row.shown.throwDistance, &row.shown.straightLine, &row.shown.verticalOffset})
                shown(*text);
            if (row.baseHeight)
                shown(row.baseHeight->text);
        }
    }
    switch (request->format) {
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
