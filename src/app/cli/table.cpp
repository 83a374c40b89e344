// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "table.h"

#include "runtime/runtime_error.h"
#include "ui/main_window.h"
#include "ui/table_report.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace qvd {

namespace {

enum class Sizing { Width, Height, Diagonal };
enum class OutputFormat { Text, Csv, Json };

// What each bar allows once its handler has set the range of the unit.
struct SizingInput {
    Sizing sizing;
    std::string_view option; // "--width"
    std::string_view button; // the sizing option button
    std::string_view bar;
    UnitRange limits;
};

constexpr SizingInput kSizingInputs[] = {
    {Sizing::Width, "--width", "Option4", "HSBM", kWidthBarRange},
    {Sizing::Height, "--height", "Option13", "hig", kHeightBarRange},
    {Sizing::Diagonal, "--diagonal", "Option14", "vert", kDiagonalBarRange},
};
constexpr int kAngleMin = -15;
constexpr int kAngleMax = 15;
constexpr int kDefaultWidth = 100;

struct TableRequest {
    bool centimetres = false;
    const SizingInput* sizing = &kSizingInputs[0];
    std::optional<std::string_view> sizeText;
    std::optional<std::string_view> angleText;
    OutputFormat format = OutputFormat::Text;
    bool help = false;
};

std::optional<int> wholeNumber(std::string_view text)
{
    int value = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || begin == end)
        return std::nullopt;
    return value;
}

constexpr std::string_view kUsage
    = "usage: qvdtalvern-cli table [--units in|cm] [--width N | --height N | --diagonal N] [--angle A]\n"
      "                            [--format text|csv|json]\n";

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
                    << kUsage;
                return std::nullopt;
            }
            const std::string_view value = args[++i];
            if (option == "--units") {
                if (value != "in" && value != "cm") {
                    err << "qvdtalvern-cli: --units is in or cm, not '" << value << "'\n";
                    return std::nullopt;
                }
                request.centimetres = value == "cm";
            } else if (option == "--angle") {
                request.angleText = value;
            } else if (option == "--format") {
                if (value == "text")
                    request.format = OutputFormat::Text;
                else if (value == "csv")
                    request.format = OutputFormat::Csv;
                else if (value == "json")
                    request.format = OutputFormat::Json;
                else {
                    err << "qvdtalvern-cli: --format is text, csv or json, not '" << value << "'\n";
                    return std::nullopt;
                }
            } else {
                const auto* input = std::find_if(std::begin(kSizingInputs), std::end(kSizingInputs),
                    [&](const SizingInput& s) { return s.option == option; });
                if (input == std::end(kSizingInputs)) {
                    err << "qvdtalvern-cli: unknown option " << option << '\n' << kUsage;
                    return std::nullopt;
                }
                if (sizeGiven) {
                    err << "qvdtalvern-cli: give one of --width, --height and --diagonal\n";
                    return std::nullopt;
                }
                sizeGiven = true;
                request.sizing = input;
                request.sizeText = value;
            }
        }
        return request;
    }
};

bool checkRange(std::string_view option, std::string_view text, int min, int max, std::string_view unit,
    std::optional<int>& value, std::ostream& err)
{
    value = wholeNumber(text);
    if (!value || *value < min || *value > max) {
        err << "qvdtalvern-cli: " << option << " takes a whole number from " << min << " to " << max << unit
            << ", not '" << text << "'\n";
        return false;
    }
    return true;
}

// Moves a bar to `value` as a user would. A bar whose range does not yet hold
// the value (its design-time range) is moved once so that its handler sets the
// range of the unit, then moved again.
void moveBar(MainWindow& window, ControlId bar, int value)
{
    ControlSet& controls = window.controls();
    const ControlState& state = controls.control(bar);
    if (value < std::min(state.min, state.max) || value > std::max(state.min, state.max))
        controls.moveScrollBar(bar, value);
    controls.moveScrollBar(bar, value);
}

std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
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

// The captions of the window that the table prints.
struct TableView {
    std::string units;
    std::string width, height, diagonal, angle;
    struct Row {
        std::string projector;
        PlacementResult result;
    };
    std::vector<Row> rows;
};

TableView readWindow(const MainWindow& window, bool centimetres)
{
    const ControlSet& controls = window.controls();
    TableView view;
    view.units = centimetres ? "cm" : "in";
    view.width = controls.caption(window.id("Label147"));
    view.height = controls.caption(window.id("Label146"));
    view.diagonal = controls.caption(window.id("Label145"));
    view.angle = controls.caption(window.id("Label148"));
    const auto& table = projectorTable();
    for (std::size_t row = 0; row < kRowCount; ++row)
        view.rows.push_back({std::string(table[row].caption), window.placement().result(row)});
    return view;
}

void printText(const TableView& view, const MainWindow& window, bool colour, std::ostream& out)
{
    const ControlSet& controls = window.controls();
    const auto captionOf = [&](std::string_view name) { return controls.caption(window.id(name)); };
    const std::string unit = unitCaption(window);
    const auto line = [&](const std::string& name, const std::string& value, const std::string& suffix) {
        out << name << std::string(18 - std::min<std::size_t>(name.size(), 17), ' ') << value;
        if (!suffix.empty() && !value.empty())
            out << ' ' << suffix;
        out << '\n';
    };
    line(captionOf("Label1"), view.width, unit);
    line(captionOf("Label32"), view.height, unit);
    line(captionOf("Label35"), view.diagonal, unit);
    line(controls.caption(window.id("Frame11")), view.angle, "degrees");
    out << '\n';

    const std::string headers[3] = {captionOf("Label21"), captionOf("Label22"), captionOf("Label23")};
    std::size_t nameWidth = 0;
    for (const auto& row : view.rows)
        nameWidth = std::max(nameWidth, row.projector.size());
    std::size_t widths[3];
    for (int c = 0; c < 3; ++c)
        widths[c] = headers[c].size();
    for (const auto& row : view.rows) {
        const std::string* cells[3] = {&row.result.throwDistance, &row.result.straightLine, &row.result.verticalOffset};
        for (int c = 0; c < 3; ++c)
            widths[c] = std::max(widths[c], cells[c]->size());
    }
    const auto pad = [&](const std::string& text, std::size_t width) {
        return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
    };
    out << std::string(nameWidth, ' ');
    for (int c = 0; c < 3; ++c)
        out << "  " << pad(headers[c], widths[c]);
    out << '\n';
    for (const auto& row : view.rows) {
        out << row.projector << std::string(nameWidth - row.projector.size(), ' ');
        const std::string* cells[3] = {&row.result.throwDistance, &row.result.straightLine, &row.result.verticalOffset};
        for (int c = 0; c < 3; ++c) {
            out << "  ";
            const bool red = colour && row.result.isWarning;
            if (red)
                out << "\x1b[31m";
            out << pad(*cells[c], widths[c]);
            if (red)
                out << "\x1b[0m";
        }
        out << '\n';
    }
}

void printCsv(const TableView& view, std::ostream& out)
{
    out << "units,width,height,diagonal,angle,projector,throw_distance,straight_line,vertical_offset,warning\n";
    for (const auto& row : view.rows) {
        out << view.units << ',' << csvField(view.width) << ',' << csvField(view.height) << ','
            << csvField(view.diagonal) << ',' << csvField(view.angle) << ',' << csvField(row.projector) << ','
            << csvField(row.result.throwDistance) << ',' << csvField(row.result.straightLine) << ','
            << csvField(row.result.verticalOffset) << ',' << (row.result.isWarning ? "true" : "false") << '\n';
    }
}

void printJson(const TableView& view, std::ostream& out)
{
    out << "{\"units\":" << jsonString(view.units) << ",\"width\":" << jsonString(view.width)
        << ",\"height\":" << jsonString(view.height) << ",\"diagonal\":" << jsonString(view.diagonal)
        << ",\"angle\":" << jsonString(view.angle) << ",\"rows\":[";
    bool first = true;
    for (const auto& row : view.rows) {
        out << (first ? "" : ",") << "{\"projector\":" << jsonString(row.projector)
            << ",\"throw_distance\":" << jsonString(row.result.throwDistance)
            << ",\"straight_line\":" << jsonString(row.result.straightLine)
            << ",\"vertical_offset\":" << jsonString(row.result.verticalOffset)
            << ",\"warning\":" << (row.result.isWarning ? "true" : "false") << '}';
        first = false;
    }
    out << "]}\n";
}

} // namespace

int runTable(std::span<const std::string_view> args, const TableOutput& output, const NumberFormat& format)
{
    const auto request = Request::parse(args, output.err);
    if (!request)
        return TableUsage;
    if (request->help) {
        output.out << kUsage;
        return TableOk;
    }

    const SizingInput& sizing = *request->sizing;
    const std::string_view unit = request->centimetres ? " cm" : " in.";
    std::optional<int> size = kDefaultWidth;
    if (request->sizeText) {
        const int min = request->centimetres ? sizing.limits.centimetreMin : sizing.limits.inchMin;
        const int max = request->centimetres ? sizing.limits.centimetreMax : sizing.limits.inchMax;
        if (!checkRange(sizing.option, *request->sizeText, min, max, unit, size, output.err))
            return TableUsage;
    }
    std::optional<int> angle;
    if (request->angleText
        && !checkRange("--angle", *request->angleText, kAngleMin, kAngleMax, " degrees", angle, output.err))
        return TableUsage;

    MainWindow window(format);
    try {
        window.load();
        ControlSet& controls = window.controls();
        controls.clickOption(window.id(request->centimetres ? "Option2" : "Option11"));
        controls.clickOption(window.id(sizing.button));
        moveBar(window, window.id(sizing.bar), *size);
        if (angle)
            moveBar(window, window.id("hsbM1"), *angle);
    } catch (const RuntimeError& error) {
        output.err << "qvdtalvern-cli: runtime error: " << errorKindName(error.kind()) << '\n';
        return TableRuntimeError;
    }

    const TableView view = readWindow(window, request->centimetres);
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
    return TableOk;
}

} // namespace qvd
