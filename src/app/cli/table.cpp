// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "table.h"

#include "app/cli/csv_field.h"
#include "app/cli/fit.h"
#include "app/cli/option_values.h"
#include "app/cli/whole_number.h"
#include "runtime/runtime_error.h"
#include "ui/job_file.h"
#include "ui/main_window.h"
#include "ui/room_fit.h"
#include "ui/table_report.h"
#include "usage.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

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
    UnitSystem units = UnitSystem::Inches;
    const SizingOption* sizing = &kSizingOptions[0];
    std::optional<std::string_view> sizeText;
    std::optional<std::string_view> angleText;
    std::optional<std::string_view> screenBottomText;
    OutputFormat format = OutputFormat::Text;
    std::optional<std::string_view> jobPath;
    std::optional<LengthFormat> lengths;
    bool inputsGiven = false; // --units, a size or --angle
    bool help = false;
};

class Request {
public:
    // Parses the options; on failure writes one line to `err` and returns nothing.
    static std::optional<TableRequest> parse(std::span<const std::string_view> args, std::ostream& err)
    {
        TableRequest request;
        bool sizeGiven = false;
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string_view option = args[i];
            if (option == "--help" || option == "-h") {
                request.help = true;
                return request;
            }
            if (i + 1 >= args.size()) {
                err << "qvdtalvern-cli: " << (option.starts_with("--") ? "missing value after " : "unknown argument ")
                    << option << '\n'
                    << cliUsage();
                return std::nullopt;
            }
            const std::string_view value = args[++i];
            if (option == "--job") {
                request.jobPath = value;
            } else if (option == "--length-format") {
                request.lengths = readLengthFormatOption(value, err);
                if (!request.lengths)
                    return std::nullopt;
            } else if (option == "--units") {
                const auto units = readUnitsOption(value, err);
                if (!units)
                    return std::nullopt;
                request.units = *units;
                request.inputsGiven = true;
            } else if (option == "--angle") {
                request.angleText = value;
                request.inputsGiven = true;
            } else if (option == "--screen-bottom") {
                request.screenBottomText = value;
            } else if (option == "--format") {
                const auto format = readFormatOption(value, err);
                if (!format)
                    return std::nullopt;
                request.format = *format;
            } else {
                const auto* input = std::find_if(std::begin(kSizingOptions), std::end(kSizingOptions),
                    [&](const SizingOption& s) { return s.option == option; });
                if (input == std::end(kSizingOptions)) {
                    err << "qvdtalvern-cli: unknown option " << option << '\n' << cliUsage();
                    return std::nullopt;
                }
                if (sizeGiven) {
                    err << "qvdtalvern-cli: give one of --width, --height and --diagonal\n";
                    return std::nullopt;
                }
                sizeGiven = true;
                request.sizing = input;
                request.sizeText = value;
                request.inputsGiven = true;
            }
        }
        if (request.jobPath && request.inputsGiven) {
            err << "qvdtalvern-cli: --job gives the inputs: leave out --units, --width, --height, --diagonal and "
                   "--angle\n";
            return std::nullopt;
        }
        return request;
    }
};

// The value of `option` when `text` is a whole number from `min` to `max`;
// otherwise says what the option takes, on `err`, and gives nothing.
std::optional<int> valueInRange(
    std::string_view option, std::string_view text, int min, int max, std::string_view unit, std::ostream& err)
{
    const std::optional<long long> value = parseWholeNumber(text);
    if (!value || *value < min || *value > max) {
        err << "qvdtalvern-cli: " << option << " takes a whole number from " << min << " to " << max << ' ' << unit
            << ", not '" << text << "'\n";
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::string jsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                constexpr char kHex[] = "0123456789abcdef";
                quoted += "\\u00";
                quoted += kHex[(c >> 4) & 0xF];
                quoted += kHex[c & 0xF];
            } else {
                quoted += c;
            }
        }
    }
    return quoted + '"';
}

// The request's unit as the CSV and JSON output name it.
std::string_view unitsName(UnitSystem units) { return units == UnitSystem::Centimetres ? "cm" : "in"; }

const std::string& inputCaption(const TableReport& report, ReportInputIndex input)
{
    return report.inputs[input].caption;
}

// The report's lengths as the window's length format shows them.
void showLengths(TableReport& report, const MainWindow& window)
{
    for (const ReportInputIndex input : {WidthInput, HeightInput, DiagonalInput})
        report.inputs[input].caption = lengthCaption(window, report.inputs[input].caption);
    for (ReportRow& row : report.rows) {
        for (std::string* cell : {&row.shown.throwDistance, &row.shown.straightLine, &row.shown.verticalOffset})
            *cell = lengthCaption(window, *cell);
    }
}

bool inFeetAndInches(const MainWindow& window)
{
    return window.lengthFormat() == LengthFormat::FeetAndInches && tableUnits(window) == UnitSystem::Inches;
}

// With a screen-bottom height: its caption and each row's base height.
struct RoomHeights {
    std::string screenBottom;
    std::array<std::optional<BaseHeight>, kRowCount> bases;

    [[nodiscard]] std::string base(std::size_t row) const { return bases[row] ? bases[row]->text : std::string(); }
};

void printText(const TableReport& report, const MainWindow& window, const std::optional<RoomHeights>& room, bool colour,
    std::ostream& out)
{
    const ControlSet& controls = window.controls();
    // Feet and inches carry their own marks.
    const std::string unit = inFeetAndInches(window) ? std::string() : inputCaption(report, UnitInput);
    const auto line = [&](const std::string& name, const std::string& value, const std::string& suffix) {
        out << name << std::string(18 - std::min<std::size_t>(name.size(), 17), ' ') << value;
        if (!suffix.empty() && !value.empty())
            out << ' ' << suffix;
        out << '\n';
    };
    const std::pair<Sizing, ReportInputIndex> sizes[]
        = {{Sizing::Width, WidthInput}, {Sizing::Height, HeightInput}, {Sizing::Diagonal, DiagonalInput}};
    for (const auto& [sizing, input] : sizes)
        line(controls.caption(window.sizeNameLabel(sizing)), inputCaption(report, input), unit);
    line(controls.caption(window.angleFrame()), inputCaption(report, AngleInput), "degrees");
    if (room)
        line(std::string(kScreenBottomName), room->screenBottom, unit);
    out << '\n';

    std::size_t nameWidth = 0;
    for (const ReportRow& row : report.rows)
        nameWidth = std::max(nameWidth, row.projector.size());
    std::size_t widths[kColumnCount];
    for (std::size_t c = 0; c < kColumnCount; ++c)
        widths[c] = report.columns[c].header.size();
    for (const ReportRow& row : report.rows) {
        const std::string* cells[3] = {&row.shown.throwDistance, &row.shown.straightLine, &row.shown.verticalOffset};
        for (std::size_t c = 0; c < kColumnCount; ++c)
            widths[c] = std::max(widths[c], cells[c]->size());
    }
    const auto pad = [&](const std::string& text, std::size_t width) {
        return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
    };
    std::size_t baseWidth = kBaseHeightHeader.size();
    for (std::size_t row = 0; room && row < kRowCount; ++row)
        baseWidth = std::max(baseWidth, room->base(row).size());
    out << std::string(nameWidth, ' ');
    for (std::size_t c = 0; c < kColumnCount; ++c)
        out << "  " << pad(report.columns[c].header, widths[c]);
    if (room)
        out << "  " << pad(std::string(kBaseHeightHeader), baseWidth);
    out << '\n';
    for (std::size_t index = 0; index < kRowCount; ++index) {
        const ReportRow& row = report.rows[index];
        out << row.projector << std::string(nameWidth - row.projector.size(), ' ');
        const std::string* cells[3] = {&row.shown.throwDistance, &row.shown.straightLine, &row.shown.verticalOffset};
        for (std::size_t c = 0; c < kColumnCount; ++c) {
            out << "  ";
            const bool red = colour && row.shown.isWarning;
            if (red)
                out << "\x1b[31m";
            out << pad(*cells[c], widths[c]);
            if (red)
                out << "\x1b[0m";
        }
        if (room) {
            out << "  " << pad(room->base(index), baseWidth);
            if (room->bases[index] && room->bases[index]->belowFloor)
                out << "  " << (colour ? "\x1b[31m" : "") << kBelowFloor << (colour ? "\x1b[0m" : "");
        }
        out << '\n';
    }
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
    out << "{\"units\":" << jsonString(std::string(unitsName(units)))
        << ",\"width\":" << jsonString(inputCaption(report, WidthInput))
        << ",\"height\":" << jsonString(inputCaption(report, HeightInput))
        << ",\"diagonal\":" << jsonString(inputCaption(report, DiagonalInput))
        << ",\"angle\":" << jsonString(inputCaption(report, AngleInput)) << ",\"rows\":[";
    bool first = true;
    for (std::size_t index = 0; index < kRowCount; ++index) {
        const ReportRow& row = report.rows[index];
        out << (first ? "" : ",") << "{\"projector\":" << jsonString(row.projector)
            << ",\"throw_distance\":" << jsonString(row.shown.throwDistance)
            << ",\"straight_line\":" << jsonString(row.shown.straightLine)
            << ",\"vertical_offset\":" << jsonString(row.shown.verticalOffset)
            << ",\"warning\":" << (row.shown.isWarning ? "true" : "false");
        if (room)
            out << ",\"base_height\":" << (room->bases[index] ? jsonString(room->bases[index]->text) : "null");
        out << '}';
        first = false;
    }
    out << "]}\n";
}

// The inputs the options give; on a value the bar does not allow, says what
// it takes on `err` and gives nothing.
std::optional<WindowInputs> optionInputs(const TableRequest& request, const MainWindow& window, std::ostream& err)
{
    const ControlSet& controls = window.controls();
    WindowInputs inputs;
    inputs.units = request.units;
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
    if (request.angleText) {
        // No handler changes the angle bar's range: it keeps its design range.
        const AngleRange angles = angleRange();
        inputs.angle = valueInRange("--angle", *request.angleText, angles.min, angles.max, "degrees", err);
        if (!inputs.angle)
            return std::nullopt;
    }
    return inputs;
}

} // namespace

int runTable(std::span<const std::string_view> args, const TableOutput& output, const NumberFormat& format)
{
    const auto request = Request::parse(args, output.err);
    if (!request)
        return ExitUsage;
    if (request->help) {
        output.out << cliHelp();
        return ExitOk;
    }

    MainWindow window(format);
    WindowInputs inputs;
    std::optional<LengthFormat> lengths = request->lengths;
    if (request->jobPath) {
        // The job gives every input, and its length format unless one is asked for.
        const JobReading reading = readJobFile(std::filesystem::path(std::string(*request->jobPath)));
        if (!reading.ok()) {
            output.err << "qvdtalvern-cli: " << *request->jobPath << ": " << reading.error.message << '\n';
            return ExitUsage;
        }
        inputs = reading.job->inputs;
        lengths = lengths.value_or(reading.job->lengthFormat);
    }
    if (request->lengths == LengthFormat::FeetAndInches
        && (request->jobPath ? inputs.units : request->units) == UnitSystem::Centimetres) {
        output.err << "qvdtalvern-cli: --length-format ft-in needs inches\n";
        return ExitUsage;
    }
    window.setLengthFormat(lengths.value_or(LengthFormat::Decimal));
    if (!request->jobPath) {
        const auto given = optionInputs(*request, window, output.err);
        if (!given)
            return ExitUsage;
        inputs = *given;
    }

    std::optional<double> screenBottom;
    if (request->screenBottomText) {
        screenBottom = screenBottomOption(
            *request->screenBottomText, window.controls().caption(window.unitLabel(inputs.units)), format, output.err);
        if (!screenBottom)
            return ExitUsage;
    }

    try {
        window.load();
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
        room->screenBottom = lengthCaption(window, FormatGeneral(*screenBottom, format));
        for (std::size_t row = 0; row < kRowCount; ++row) {
            room->bases[row] = baseHeight(*screenBottom, report.rows[row].shown, format);
            if (room->bases[row])
                room->bases[row]->text = lengthCaption(window, room->bases[row]->text);
        }
    }
    showLengths(report, window);
    switch (request->format) {
    case OutputFormat::Text:
        printText(report, window, room, output.colour, output.out);
        break;
    case OutputFormat::Csv:
        printCsv(report, inputs.units, room, output.out);
        break;
    case OutputFormat::Json:
        printJson(report, inputs.units, room, output.out);
        break;
    }
    return ExitOk;
}

} // namespace qvd
