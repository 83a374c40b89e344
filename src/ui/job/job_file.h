// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// A job: the window as the installer left it for one site, the projector
// chosen, the room, how lengths are read and the job's details, kept as a
// UTF-8 JSON file with the suffix ".qvdjob". A file is checked whole, down to
// the last member, before anything is applied; the same file text comes out
// of the same job, whatever the user's locale.
//
// Version 2 keeps the window as the steps that show it again exactly
// ("window", see WindowSteps); version 1 kept the unit, the sizing, that bar's
// value and the angle ("units", "size", "angle"), which are entered over the
// window as a user would, and is read as before.

#include "runtime/length_format.h"
#include "ui/job/audience.h"
#include "ui/job/room_fit.h"
#include "ui/window/main_window.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qvd {

inline constexpr std::string_view kJobFormatName = "qvdtalvern-job";
inline constexpr int kJobFileVersion = 2;
inline constexpr std::string_view kJobFileSuffix = ".qvdjob";
// A larger file is refused without being read (1 MB).
inline constexpr std::uintmax_t kMaxJobFileBytes = 1024 * 1024;
// The longest texts of the details, in characters (code points).
inline constexpr std::size_t kMaxJobNameLength = 200;
inline constexpr std::size_t kMaxJobNotesLength = 20000;

// Plain texts naming the job; all empty when none were given.
struct JobDetails {
    std::string name;
    std::string client;
    std::string site;
    std::string preparedBy;
    std::string notes;

    [[nodiscard]] bool isEmpty() const { return *this == JobDetails{}; }
    bool operator==(const JobDetails&) const = default;
};

struct Job {
    // The unit and sizing options selected, that bar's value and the angle
    // bar's value (always set): what a version 1 file gives, and what the
    // window of a version 2 file shows.
    WindowInputs inputs;
    std::optional<std::size_t> projector; // the chosen row, top to bottom
    // The room as the file holds it: the distance greater than 0 and the
    // screen bottom 0 or more, in the job's unit, each in the canonical form
    // of a room length (see RoomLength).
    std::optional<RoomSetting> room;
    LengthFormat lengthFormat = LengthFormat::Decimal;
    JobDetails details;
    // The steps after start-up that show the window exactly as it was saved
    // (version 2); none in a version 1 job. A job with steps is written as
    // version 2, one without as version 1.
    std::optional<WindowSteps> window;
    // The audience the screen is sized for, canonical (see audience_file.h).
    std::optional<AudienceSetting> audience;
    bool operator==(const Job&) const = default;
};

// Why a job file was refused. Each is bad input, never a fault of the caller.
enum class JobErrorKind {
    Unreadable, // missing, a folder, not a plain file, or the system refused to read it
    TooLarge,   // over kMaxJobFileBytes
    NotUtf8,    // a byte sequence that is not UTF-8
    Syntax,     // not JSON (empty, truncated, misspelt, bytes after the value)
    NotAJob,    // JSON, but not an object with "format": "qvdtalvern-job"
    Version,    // a version this program does not read
    Member,     // a member missing, given twice, of the wrong type or off its range
};

struct JobError {
    JobErrorKind kind = JobErrorKind::Syntax;
    // What is wrong, for a person, without the file's name: "not valid JSON
    // at line 3, column 5: ...", "\"angle\" must be a whole number from -15 to 15",
    // "the member \"angle\" is given twice".
    std::string message;
};

struct JobReading {
    std::optional<Job> job; // set when the file holds a valid job
    JobError error;         // otherwise
    [[nodiscard]] bool ok() const { return job.has_value(); }
};

// The job in `text`, checked whole.
[[nodiscard]] JobReading parseJob(std::string_view text);

// The job in the file at `path`: refuses a folder, a missing or unreadable
// file and a file over kMaxJobFileBytes without reading it.
[[nodiscard]] JobReading readJobFile(const std::filesystem::path& path);

// The file text of `job`: members in a fixed order, two-blank indentation,
// UTF-8, a line break at the end. parseJob gives `job` back.
[[nodiscard]] std::string jobFileText(const Job& job);

// The room the user entered (texts with `format`'s decimal separator) as a
// job file holds it: each length in its canonical form. Nothing when the
// distance is not a valid length greater than 0; a screen bottom that is not
// a valid length is left out. What this gives, parseJob reads back.
[[nodiscard]] std::optional<RoomSetting> roomForFile(const RoomSetting& room, const NumberFormat& format);
// A job's room as the user sees it: canonical, with `format`'s separator.
[[nodiscard]] RoomSetting roomForWindow(const RoomSetting& room, const NumberFormat& format);

// Shows `job`'s window in `window`: the steps of a version 2 job on the
// window restarted, the inputs of a version 1 job entered over the window as
// it is. A RuntimeError of the model passes through.
void showJobWindow(MainWindow& window, const Job& job);

// The inputs the window holds: the selected unit and sizing options, that
// size bar's value and the angle bar's value. A bar value outside the unit's
// range (a unit chosen since the bar last moved) is taken as the bar's
// handler will set it at its next move, inside the range.
[[nodiscard]] WindowInputs windowInputs(const MainWindow& window);

// The row whose caption is `projector`, and the caption of a row.
[[nodiscard]] std::optional<std::size_t> projectorRow(std::string_view projector);
[[nodiscard]] std::string_view projectorName(std::size_t row);

} // namespace qvd
