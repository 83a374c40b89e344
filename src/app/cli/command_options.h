// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// What `table`, `fit` and `audience` share: one reader of their options with
// one set of messages, the job a command reads and the session it opens, the
// check of a length format against the unit, and one printer of aligned text
// tables.

#include "app/cli/exit_status.h"
#include "app/cli/option_values.h"
#include "runtime/caption_text.h"
#include "ui/job/job_file.h"
#include "ui/job/job_session.h"

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qvd {

// The options both commands take.
struct CommonOptions {
    UnitSystem units = UnitSystem::Inches;
    bool unitsGiven = false;
    std::optional<std::string_view> angleText;
    std::optional<std::string_view> screenBottomText;
    std::optional<std::string_view> jobPath;
    std::optional<LengthFormat> lengths;
    OutputFormat format = OutputFormat::Text;
    bool help = false;
};

// A command's own option and its value: true when taken, false when refused
// (the reason written to `err`), nothing when the option is not the command's.
using CommandOption = std::function<std::optional<bool>(std::string_view option, std::string_view value)>;

// Reads `args` into `options`, every option with one value; on failure writes
// one line (and the usage where the words are off) to `err` and gives false.
// A job gives what `jobGives` names, so the options that give it as well
// (`jobExcludes`, and the command's own when `commandInputs` says it took
// some) are refused beside --job.
struct JobRule {
    std::string_view jobGives;    // "the inputs"
    std::string_view jobExcludes; // "--units and --angle"
};
[[nodiscard]] bool readOptions(std::span<const std::string_view> args, CommonOptions& options,
    const CommandOption& commandOption, const JobRule& rule, const std::function<bool()>& commandInputs,
    std::ostream& err);

// The job at `path`, or nothing with "qvdtalvern-cli: PATH: reason" on `err`.
[[nodiscard]] std::optional<Job> readJobOption(std::string_view path, std::ostream& err);

// What --job gives a command: the job, if one was named, and the unit its
// lengths are in (the job's, else --units).
struct CommandJob {
    std::optional<Job> job;
    UnitSystem units = UnitSystem::Inches;
};
// Nothing, with the reason on `err`, when the job named cannot be used.
[[nodiscard]] std::optional<CommandJob> commandJob(const CommonOptions& options, std::ostream& err);

// Says on `err` that the model failed with `error`; gives the exit status.
[[nodiscard]] int runtimeErrorExit(const RuntimeError& error, std::ostream& err);
// Opens `job` and `options` in `session` (JobSession::open); on a runtime
// error of the model says so on `err` and gives false.
[[nodiscard]] bool openSession(
    JobSession& session, const std::optional<Job>& job, const JobOptions& options, std::ostream& err);

// The value of `option` when `text` is a whole number from `min` to `max`;
// otherwise says what the option takes (in `unit`) on `err` and gives nothing.
[[nodiscard]] std::optional<int> wholeNumberOption(
    std::string_view option, std::string_view text, int min, int max, std::string_view unit, std::ostream& err);
// The angle `--angle` gives: a whole number of degrees the angle bar holds.
[[nodiscard]] std::optional<int> angleOption(std::string_view text, std::ostream& err);
// A distance the room gives (above 0), and a height of the screen's bottom
// edge (0 or more), typed as a room length in `unit`; otherwise says what
// the option takes on `err` and gives nothing.
[[nodiscard]] std::optional<double> distanceOption(std::string_view option, std::string_view text,
    std::string_view unit, const NumberFormat& format, std::ostream& err);
[[nodiscard]] std::optional<double> screenBottomOption(
    std::string_view text, std::string_view unit, const NumberFormat& format, std::ostream& err);

// The room and the angle as `fit` and `audience` take them: the distance of
// `kind` given as `distanceName`, and for the room (fit) the screen bottom.
struct RoomOptions {
    std::optional<DistanceKind> kind;
    std::string_view distanceName; // "--throw"
    std::string_view distance;
    std::optional<std::string_view> screenBottom;
};
// Enters into `given` the unit `units` (for a window without a job), the
// length format, `room` and the angle, checking the distance, the screen
// bottom and the angle in that order, lengths in `unit`; false, with the
// reason on `err`, when one is refused.
[[nodiscard]] bool enterRoomOptions(JobOptions& given, const CommonOptions& options, UnitSystem units,
    std::string_view unit, const RoomOptions& room, const NumberFormat& format, std::ostream& err);

// Feet and inches are for inches only: false, said on `err`, when asked for
// lengths in centimetres.
[[nodiscard]] bool lengthFormatFits(std::optional<LengthFormat> asked, UnitSystem units, std::ostream& err);

// "Name              value suffix": an input of the window as text output shows it.
void printInputLine(std::ostream& out, std::string_view name, const std::string& value, std::string_view suffix);

// One cell of a text table; a red one is coloured where colour is wanted.
struct TextCell {
    std::string text;
    bool red = false;
};

struct TextRow {
    std::vector<TextCell> cells; // fewer than the columns leave the rest out
    bool belowFloor = false;     // flagged after the row
};

enum class Align { Left, Right };

struct TextColumn {
    std::string header;
    Align align = Align::Right;
};

// The header and the rows, columns two blanks apart and each as wide as its
// widest cell; `trimmed` drops blanks at the ends of lines.
void printTextTable(
    std::ostream& out, std::span<const TextColumn> columns, std::span<const TextRow> rows, bool colour, bool trimmed);

} // namespace qvd
