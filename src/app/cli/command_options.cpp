// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "command_options.h"
#include "runtime/utf8_text.h"

#include "app/cli/usage.h"
#include "app/cli/whole_number.h"
#include "runtime/runtime_error.h"
#include "ui/job/room_fit.h"

#include <algorithm>
#include <filesystem>

namespace qvd {

namespace {

constexpr std::string_view kRedText = "\x1b[31m";
constexpr std::string_view kPlainText = "\x1b[0m";

} // namespace

bool readOptions(std::span<const std::string_view> args, CommonOptions& options, const CommandOption& commandOption,
    const JobRule& rule, const std::function<bool()>& commandInputs, std::ostream& err)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view option = args[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            return true;
        }
        if (!option.starts_with("--")) {
            err << "qvdtalvern-cli: unknown argument " << escapedControls(option) << '\n' << cliUsage();
            return false;
        }
        if (i + 1 >= args.size()) {
            err << "qvdtalvern-cli: missing value after " << escapedControls(option) << '\n' << cliUsage();
            return false;
        }
        const std::string_view value = args[++i];
        if (option == "--units") {
            const auto units = readUnitsOption(value, err);
            if (!units)
                return false;
            options.units = *units;
            options.unitsGiven = true;
        } else if (option == "--angle") {
            options.angleText = value;
        } else if (option == "--screen-bottom") {
            options.screenBottomText = value;
        } else if (option == "--job") {
            options.jobPath = value;
        } else if (option == "--length-format") {
            options.lengths = readLengthFormatOption(value, err);
            if (!options.lengths)
                return false;
        } else if (option == "--format") {
            const auto format = readFormatOption(value, err);
            if (!format)
                return false;
            options.format = *format;
        } else if (const std::optional<bool> taken = commandOption(option, value)) {
            if (!*taken)
                return false;
        } else {
            err << "qvdtalvern-cli: unknown option " << escapedControls(option) << '\n' << cliUsage();
            return false;
        }
    }
    if (options.jobPath && (options.unitsGiven || options.angleText || commandInputs())) {
        err << "qvdtalvern-cli: --job gives " << rule.jobGives << ": leave out " << rule.jobExcludes << '\n';
        return false;
    }
    return true;
}

std::optional<Job> readJobOption(std::string_view path, std::ostream& err)
{
    const JobReading reading = readJobFile(std::filesystem::path(std::string(path)));
    if (!reading.ok()) {
        err << "qvdtalvern-cli: " << escapedControls(path) << ": " << escapedControls(reading.error.message) << '\n';
        return std::nullopt;
    }
    return reading.job;
}

int runtimeErrorExit(const RuntimeError& error, std::ostream& err)
{
    err << "qvdtalvern-cli: runtime error: " << errorKindName(error.kind()) << '\n';
    return ExitRuntimeError;
}

bool openSession(JobSession& session, const std::optional<Job>& job, const JobOptions& options, std::ostream& err)
{
    try {
        session.open(job, options);
    } catch (const RuntimeError& error) {
        static_cast<void>(runtimeErrorExit(error, err));
        return false;
    }
    return true;
}

std::optional<int> wholeNumberOption(
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

std::optional<int> angleOption(std::string_view text, std::ostream& err)
{
    // No handler changes the angle bar's range: it keeps its design range.
    const AngleRange angles = angleRange();
    return wholeNumberOption("--angle", text, angles.min, angles.max, "degrees", err);
}

std::optional<double> distanceOption(std::string_view option, std::string_view text, std::string_view unit,
    const NumberFormat& format, std::ostream& err)
{
    const std::optional<double> distance = parseRoomDistance(text, format);
    if (!distance)
        err << "qvdtalvern-cli: " << option << " takes a distance above 0 " << unit << " with " << roomLengthDigits()
            << " (as " << roomLengthExample(format) << "), not '" << escapedControls(text) << "'\n";
    return distance;
}

std::optional<double> screenBottomOption(
    std::string_view text, std::string_view unit, const NumberFormat& format, std::ostream& err)
{
    const std::optional<double> height = parseRoomLength(text, format);
    if (!height)
        err << "qvdtalvern-cli: --screen-bottom takes a height from 0 " << unit << " up with " << roomLengthDigits()
            << " (as " << roomLengthExample(format) << "), not '" << escapedControls(text) << "'\n";
    return height;
}

std::optional<CommandJob> commandJob(const CommonOptions& options, std::ostream& err)
{
    CommandJob given{std::nullopt, options.units};
    if (options.jobPath) {
        given.job = readJobOption(*options.jobPath, err);
        if (!given.job)
            return std::nullopt;
        given.units = given.job->inputs.units;
    }
    return given;
}

bool enterRoomOptions(JobOptions& given, const CommonOptions& options, UnitSystem units, std::string_view unit,
    const RoomOptions& room, const NumberFormat& format, std::ostream& err)
{
    given.inputs.units = units;
    given.lengths = options.lengths;
    if (room.kind) {
        if (!distanceOption(room.distanceName, room.distance, unit, format, err))
            return false;
        given.distanceKind = room.kind;
        given.distance = room.distance;
    }
    if (room.screenBottom) {
        if (!screenBottomOption(*room.screenBottom, unit, format, err))
            return false;
        given.screenBottom = std::string(*room.screenBottom);
    }
    if (options.angleText) {
        given.inputs.angle = angleOption(*options.angleText, err);
        if (!given.inputs.angle)
            return false;
    }
    return true;
}

bool lengthFormatFits(std::optional<LengthFormat> asked, UnitSystem units, std::ostream& err)
{
    if (asked == LengthFormat::FeetAndInches && units == UnitSystem::Centimetres) {
        err << "qvdtalvern-cli: --length-format ft-in needs inches\n";
        return false;
    }
    return true;
}

void printInputLine(std::ostream& out, std::string_view name, const std::string& value, std::string_view suffix)
{
    out << name << std::string(18 - std::min<std::size_t>(name.size(), 17), ' ') << value;
    if (!suffix.empty() && !value.empty())
        out << ' ' << suffix;
    out << '\n';
}

void printTextTable(
    std::ostream& out, std::span<const TextColumn> columns, std::span<const TextRow> rows, bool colour, bool trimmed)
{
    std::vector<std::size_t> widths;
    for (const TextColumn& column : columns)
        widths.push_back(column.header.size());
    for (const TextRow& row : rows) {
        for (std::size_t c = 0; c < row.cells.size() && c < columns.size(); ++c)
            widths[c] = std::max(widths[c], row.cells[c].text.size());
    }
    const auto cell = [&](std::string_view text, std::size_t c) {
        const std::string blanks(widths[c] > text.size() ? widths[c] - text.size() : 0, ' ');
        return columns[c].align == Align::Left ? std::string(text) + blanks : blanks + std::string(text);
    };
    const auto finish = [&](std::string line) {
        if (trimmed) {
            while (!line.empty() && line.back() == ' ')
                line.pop_back();
        }
        out << line;
    };
    std::string header;
    for (std::size_t c = 0; c < columns.size(); ++c)
        header += (c == 0 ? "" : "  ") + cell(columns[c].header, c);
    finish(header);
    out << '\n';
    for (const TextRow& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.cells.size() && c < columns.size(); ++c) {
            const bool red = colour && row.cells[c].red;
            line += (c == 0 ? "" : "  ") + std::string(red ? kRedText : std::string_view()) + cell(row.cells[c].text, c)
                + std::string(red ? kPlainText : std::string_view());
        }
        finish(line);
        if (row.belowFloor)
            out << "  " << (colour ? kRedText : std::string_view()) << kBelowFloor
                << (colour ? kPlainText : std::string_view());
        out << '\n';
    }
}

} // namespace qvd
