// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "usage.h"

#include "app/version.h"
#include "ui/job/audience.h"
#include "ui/window/main_window.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace qvd {

namespace {

constexpr std::string_view kProgram = "qvdtalvern-cli";
constexpr std::size_t kLineWidth = 100;

struct OptionHelp {
    std::string flags; // as typed: "--width N"
    std::string text;  // what it does, on one line
};

struct CommandHelp {
    std::string_view name;
    // The synopsis after the command's name, in groups that are never broken
    // across lines.
    std::vector<std::string_view> synopsis;
    std::string_view summary;
    std::vector<OptionHelp> options;
};

std::string barRange(const UnitRange& range)
{
    return std::to_string(range.inchMin) + ".." + std::to_string(range.inchMax) + " in. or "
        + std::to_string(range.centimetreMin) + ".." + std::to_string(range.centimetreMax) + " cm";
}

// The lines of resolution of this table's projectors: "768, 1050, 1200".
std::string tableResolutions()
{
    std::string list;
    for (const int lines : kTableResolutions)
        list += (list.empty() ? "" : ", ") + std::to_string(lines);
    return list;
}

// Every command with its options, in the order the help lists them.
std::vector<CommandHelp> commands()
{
    const NumberFormat point{"."};
    const AngleRange angle = angleRange();
    return {
        {"table",
            {"[--units in|cm]", "[--width N | --height N | --diagonal N]", "[--angle A]", "[--screen-bottom H]",
                "[--job FILE]", "[--format text|csv|json]", "[--length-format decimal|ft-in]"},
            "print the captions and the result table the window shows after the user's steps",
            {
                {"--units in|cm", "inches (the default) or centimetres"},
                {"--width N",
                    "the screen's width, a whole number: " + barRange(kWidthBarRange) + " (default "
                        + std::to_string(WindowInputs{}.size) + " in.)"},
                {"--height N", "the screen's height instead: " + barRange(kHeightBarRange)},
                {"--diagonal N", "the screen's diagonal instead: " + barRange(kDiagonalBarRange)},
                {"--angle A",
                    "the projection angle in whole degrees, " + std::to_string(angle.min) + ".."
                        + std::to_string(angle.max) + " (default " + std::to_string(angle.start) + ")"},
                {"--screen-bottom H",
                    "the height of the screen's bottom edge above the floor: adds each row's base height"},
                {"--format text|csv|json", "aligned text (the default), CSV with a header line, or one JSON object"},
                {"--job FILE", "a saved job's inputs, screen bottom and length format, instead of the four above"},
                {"--length-format F", "decimal (lengths as the captions show them) or ft-in (feet and inches)"},
            }},
        {"fit",
            {"(--throw D | --straight D | --job FILE)", "[--units in|cm]", "[--angle A]", "[--screen-bottom H]",
                "[--format text|csv|json]", "[--length-format decimal|ft-in]"},
            "the widest screen each row fills in a room, with the captions the window shows at that width",
            {
                {"--throw D", "the throw distance the room gives (lens to screen centre), above 0"},
                {"--straight D", "the straight line the room gives instead (front foot to screen)"},
                {"--screen-bottom H", "the screen's bottom edge above the floor (0 or more): adds the base heights"},
                {"--units in|cm", "as for table; the distances are in that unit"},
                {"--angle A", "as for table"},
                {"--format text|csv|json", "as for table"},
                {"--job FILE", "a saved job's unit, angle and room (instead of --units and --angle)"},
                {"--length-format F", "as for table (ft-in for inches only)"},
            }},
        {"audience",
            {"--farthest D", "(--element-height PERCENT | --resolution LINES)", "[--screen-bottom H]",
                "[--eye-height H]", "[--throw D | --straight-line D]", "[--units in|cm]", "[--angle A]",
                "[--format text|csv|json]", "[--job FILE]"},
            "the smallest screen for an audience, the closest viewer and the rows that make it from the room",
            {
                {"--farthest D", "the farthest viewer's distance to the screen, above 0"},
                {"--element-height PERCENT",
                    "basic decision making: the smallest element's share of the image height, "
                        + FormatGeneral(kMinElementHeight, point) + " to " + FormatGeneral(kMaxElementHeight, point)},
                {"--resolution LINES",
                    "analytical decision making instead: the image's lines of vertical resolution ("
                        + tableResolutions() + ")"},
                {"--screen-bottom H",
                    "the screen's bottom edge above the floor: adds the closest viewer, the "
                    "image top and the base heights"},
                {"--eye-height H",
                    "the seated eye height (default " + FormatGeneral(defaultEyeHeight(UnitSystem::Inches), point)
                        + " in. or " + FormatGeneral(defaultEyeHeight(UnitSystem::Centimetres), point) + " cm)"},
                {"--throw D", "the throw distance the room gives: says which rows make the screen there"},
                {"--straight-line D", "the straight line the room gives instead"},
                {"--units in|cm", "as for table; every length is in that unit"},
                {"--angle A", "as for table"},
                {"--format text|csv|json", "as for table"},
                {"--job FILE", "a saved job's unit, angle, audience and room; the options above replace its own"},
            }},
        {"replay", {"[FILE|-]"}, "drive the window's model one action a line from FILE (- or none: standard input)",
            {}},
    };
}

// Options that every command line may hold instead of a command.
std::vector<OptionHelp> generalOptions()
{
    return {
        {"-h, --help", "print this help and exit"},
        {"--version", "print the version and exit"},
    };
}

} // namespace

std::string cliUsage()
{
    std::string usage;
    bool first = true;
    for (const CommandHelp& command : commands()) {
        std::string line
            = std::string(first ? "usage: " : "       ") + std::string(kProgram) + ' ' + std::string(command.name);
        const std::size_t indent = line.size() + 1;
        for (std::string_view group : command.synopsis) {
            if (line.size() + 1 + group.size() > kLineWidth) {
                usage += line + '\n';
                line = std::string(indent - 1, ' ');
            }
            line += ' ';
            line += group;
        }
        usage += line + '\n';
        first = false;
    }
    usage += "       " + std::string(kProgram) + " --help | --version\n";
    return usage;
}

std::string cliHelp()
{
    const std::vector<CommandHelp> all = commands();
    const std::vector<OptionHelp> general = generalOptions();
    std::size_t column = 0;
    for (const CommandHelp& command : all) {
        column = std::max(column, command.name.size());
        for (const OptionHelp& option : command.options)
            column = std::max(column, option.flags.size());
    }
    for (const OptionHelp& option : general)
        column = std::max(column, option.flags.size());
    column += 4;
    const auto item = [&](std::string_view first, std::string_view text) {
        return "  " + std::string(first) + std::string(column - first.size() - 2, ' ') + std::string(text) + '\n';
    };

    std::string help = cliUsage();
    help += "\nThe placement table of QVDTALVERN without a window: where to put a video projector in front of a\n"
            "4:3 screen.\n";
    help += "\nCommands:\n";
    for (const CommandHelp& command : all)
        help += item(command.name, command.summary);
    for (const CommandHelp& command : all) {
        if (command.options.empty())
            continue;
        help += "\nOptions of " + std::string(command.name) + ":\n";
        for (const OptionHelp& option : command.options)
            help += item(option.flags, option.text);
    }
    help += "\nOptions:\n";
    for (const OptionHelp& option : general)
        help += item(option.flags, option.text);
    help += "\nExit status: 0 done; 1 the output could not be written; 2 wrong usage, a value not allowed\n"
            "or a script line not understood; 3 an untrapped error in the model.\n"
            "Numbers use the decimal separator of LC_ALL, LC_NUMERIC or LANG; NO_COLOR set turns off red.\n"
            "See qvdtalvern-cli(1) for the replay actions, the output formats and examples.\n";
    return help;
}

std::string cliVersion() { return std::string(kProgram) + ' ' + std::string(kVersion) + '\n'; }

} // namespace qvd
