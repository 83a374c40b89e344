// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/job_file.h"

#include "calc/projector_table.h"
#include "runtime/utf8_text.h"
#include "ui/job/audience_file.h"
#include "ui/job/job_json.h"
#include "ui/job/job_window.h"
#include "ui/job/strict_json.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <set>
#include <system_error>
#include <vector>

namespace qvd {

namespace {

using namespace job_json;

constexpr std::string_view kRoomKindNames[] = {"throw", "straight"};    // by DistanceKind
constexpr std::string_view kLengthFormatNames[] = {"decimal", "ft-in"}; // by LengthFormat
struct DetailMember {
    std::string_view key;
    std::string JobDetails::*text;
    std::size_t maxLength;
};

constexpr DetailMember kDetailMembers[] = {
    {"name", &JobDetails::name, kMaxJobNameLength},
    {"client", &JobDetails::client, kMaxJobNameLength},
    {"site", &JobDetails::site, kMaxJobNameLength},
    {"prepared_by", &JobDetails::preparedBy, kMaxJobNameLength},
    {"notes", &JobDetails::notes, kMaxJobNotesLength},
};

// A room length in the file's form ("." as the separator), kept canonical.
std::string roomLength(const Json& value, std::string_view path, bool zeroAllowed)
{
    const std::string rule = inQuotes(path) + " must be a number written as text with \".\" and " + roomLengthDigits()
        + ", " + (zeroAllowed ? "0 or more" : "greater than 0") + ", such as \"250.5\"";
    if (!value.is_string())
        refuse(JobErrorKind::Member, rule + ", not " + value.dump());
    const std::optional<RoomLength> length = readRoomLength(value.get_ref<const std::string&>(), ".");
    if (!length || (length->value <= 0.0 && !zeroAllowed))
        refuse(JobErrorKind::Member, rule + ", not " + value.dump());
    return length->canonical;
}

Job jobOf(const Json& root)
{
    if (!root.is_object())
        refuse(JobErrorKind::NotAJob, "not a job file: it holds no JSON object");
    const auto format = root.find("format");
    if (format == root.end() || !format->is_string() || format->get_ref<const std::string&>() != kJobFormatName)
        refuse(JobErrorKind::NotAJob, "not a job file: \"format\" must be " + inQuotes(kJobFormatName));
    const Json& version = member(root, "version", "version");
    const std::optional<std::int64_t> number = wholeOf(version);
    if (!number || *number < 1)
        refuse(JobErrorKind::Version, "\"version\" must be a whole number, 1 or more, not " + version.dump());
    if (*number > kJobFileVersion)
        refuse(JobErrorKind::Version,
            "version " + version.dump() + " is newer than this program reads (version "
                + std::to_string(kJobFileVersion) + ")");

    Job job;
    if (*number == 1)
        job.inputs = windowInputsOf(root);
    else
        job.window = windowOf(root, job.inputs);
    if (const auto projector = root.find("projector"); projector != root.end()) {
        const std::string& name = text(*projector, "projector");
        job.projector = projectorRow(name);
        if (!job.projector) {
            std::string rows;
            for (std::size_t row = 0; row < kRowCount; ++row)
                rows += (row == 0 ? "" : ", ") + inQuotes(projectorName(row));
            refuse(JobErrorKind::Member, "\"projector\" must be one of " + rows + ", not " + projector->dump());
        }
    }
    if (const auto room = root.find("room"); room != root.end()) {
        object(*room, "room");
        RoomSetting plan;
        plan.kind = oneOf<DistanceKind>(member(*room, "room.kind", "kind"), "room.kind", kRoomKindNames);
        plan.distance = roomLength(member(*room, "room.distance", "distance"), "room.distance", false);
        if (const auto bottom = room->find("screen_bottom"); bottom != room->end())
            plan.screenBottom = roomLength(*bottom, "room.screen_bottom", true);
        job.room = std::move(plan);
    }
    if (const auto audience = root.find("audience"); audience != root.end()) {
        AudienceFileReading reading = audienceFromJson(*audience);
        if (!reading.audience)
            refuse(JobErrorKind::Member, reading.problem);
        job.audience = std::move(reading.audience);
    }
    if (const auto lengths = root.find("length_format"); lengths != root.end())
        job.lengthFormat = oneOf<LengthFormat>(*lengths, "length_format", kLengthFormatNames);
    if (const auto details = root.find("job"); details != root.end()) {
        object(*details, "job");
        for (const DetailMember& detail : kDetailMembers) {
            const auto value = details->find(detail.key);
            if (value == details->end())
                continue;
            const std::string path = "job." + std::string(detail.key);
            const std::string& given = text(*value, path);
            if (codePointCount(given) > detail.maxLength)
                refuse(JobErrorKind::Member,
                    inQuotes(path) + " is longer than " + std::to_string(detail.maxLength) + " characters");
            job.details.*detail.text = given;
        }
    }
    return job;
}

JobReading refused(JobErrorKind kind, std::string message) { return {std::nullopt, {kind, std::move(message)}}; }

std::string sizeInBytes(std::uintmax_t bytes) { return std::to_string(bytes) + " bytes"; }

} // namespace

std::optional<std::size_t> projectorRow(std::string_view projector)
{
    for (std::size_t row = 0; row < kRowCount; ++row) {
        if (projectorName(row) == projector)
            return row;
    }
    return std::nullopt;
}

// The caption the row's caption label has by design: what the window shows
// as the projector's name.
std::string_view projectorName(std::size_t row)
{
    return controlDesign(roleNames().resultRows.at(row).captionLabel).caption;
}

JobReading parseJob(std::string_view text)
{
    if (text.size() > kMaxJobFileBytes)
        return refused(JobErrorKind::TooLarge, "larger than 1 MB (" + sizeInBytes(text.size()) + ")");
    const StrictJson json = parseStrictJson(text);
    switch (json.problem) {
    case JsonProblem::None:
        break;
    case JsonProblem::NotUtf8:
        return refused(JobErrorKind::NotUtf8, "not UTF-8 text: a byte that is no character at " + json.where);
    case JsonProblem::Empty:
        return refused(JobErrorKind::Syntax, "empty: a job file holds a JSON object");
    case JsonProblem::TooDeep:
        return refused(
            JobErrorKind::Syntax, "not a job file: it nests more than " + std::to_string(kMaxJsonNesting) + " deep");
    case JsonProblem::Syntax:
        return refused(JobErrorKind::Syntax,
            "not valid JSON" + (json.where.empty() ? "" : " at " + json.where)
                + (json.reason.empty() ? "" : ": " + json.reason));
    case JsonProblem::RepeatedMember:
        return refused(JobErrorKind::Member, "the member " + inQuotes(json.reason) + " is given twice");
    case JsonProblem::TrailingBytes:
        return refused(JobErrorKind::Syntax, "unexpected bytes after the job at " + json.where);
    }
    try {
        return {jobOf(json.value), {}};
    } catch (const Refusal& refusal) {
        return {std::nullopt, refusal.error};
    }
}

JobReading readJobFile(const std::filesystem::path& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error)
        return refused(JobErrorKind::Unreadable, "cannot be read: " + error.message());
    if (std::filesystem::is_directory(status))
        return refused(JobErrorKind::Unreadable, "a folder, not a job file");
    if (!std::filesystem::is_regular_file(status))
        return refused(JobErrorKind::Unreadable, "not a plain file");
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return refused(JobErrorKind::Unreadable, "cannot be read: " + error.message());
    if (size > kMaxJobFileBytes)
        return refused(JobErrorKind::TooLarge, "larger than 1 MB (" + sizeInBytes(size) + ")");

    std::ifstream file(path, std::ios::binary);
    if (!file)
        return refused(JobErrorKind::Unreadable, "cannot be read: " + std::string(std::strerror(errno)));
    // At most one byte past the limit: a file that grew since is still refused.
    std::string text(static_cast<std::size_t>(kMaxJobFileBytes) + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad())
        return refused(JobErrorKind::Unreadable, "cannot be read: " + std::string(std::strerror(errno)));
    text.resize(static_cast<std::size_t>(file.gcount()));
    return parseJob(text);
}

std::string jobFileText(const Job& job)
{
    OrderedJson root;
    root["format"] = kJobFormatName;
    if (job.window) {
        root["version"] = kJobFileVersion;
        root["window"] = stepsJson(*job.window);
    } else {
        root["version"] = 1;
        root["units"] = nameOf(kUnitNames, job.inputs.units);
        root["size"] = {{"by", nameOf(kSizingNames, job.inputs.sizing)}, {"value", job.inputs.size}};
        root["angle"] = job.inputs.angle.value_or(0);
    }
    if (job.projector)
        root["projector"] = projectorName(*job.projector);
    if (job.room) {
        OrderedJson room;
        room["kind"] = nameOf(kRoomKindNames, job.room->kind);
        room["distance"] = job.room->distance;
        if (job.room->screenBottom)
            room["screen_bottom"] = *job.room->screenBottom;
        root["room"] = std::move(room);
    }
    if (job.audience)
        root["audience"] = audienceJson(*job.audience);
    root["length_format"] = nameOf(kLengthFormatNames, job.lengthFormat);
    OrderedJson details = OrderedJson::object();
    for (const DetailMember& detail : kDetailMembers)
        details[std::string(detail.key)] = job.details.*detail.text;
    root["job"] = std::move(details);
    // Texts that are not UTF-8 (never from parseJob) are written with U+FFFD.
    return root.dump(2, ' ', false, OrderedJson::error_handler_t::replace) + "\n";
}

namespace {

// `text` with blanks trimmed and each `from` replaced by `to`.
std::string withSeparator(std::string_view text, std::string_view from, std::string_view to)
{
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    std::string result;
    for (std::size_t at = 0; at < text.size();) {
        if (!from.empty() && text.substr(at, from.size()) == from) {
            result += to;
            at += from.size();
        } else {
            result += text[at++];
        }
    }
    return result;
}

// A room length the user typed, in the file's canonical form; nothing when
// the grammar refuses it or it is 0 where it must be greater.
std::optional<std::string> fileLength(std::string_view text, const NumberFormat& format, bool zeroAllowed)
{
    const std::optional<RoomLength> length = readRoomLength(text, format.decimalSeparator);
    if (!length || (length->value <= 0.0 && !zeroAllowed))
        return std::nullopt;
    return length->canonical;
}

// A room length of the file as the user reads it: canonical, with the
// user's separator.
std::string windowLength(std::string_view text, const NumberFormat& format)
{
    const std::optional<RoomLength> length = readRoomLength(text, ".");
    return withSeparator(length ? std::string_view(length->canonical) : text, ".", format.decimalSeparator);
}

} // namespace

std::optional<RoomSetting> roomForFile(const RoomSetting& room, const NumberFormat& format)
{
    const std::optional<std::string> distance = fileLength(room.distance, format, false);
    if (!distance)
        return std::nullopt;
    RoomSetting written{room.kind, *distance, std::nullopt};
    if (room.screenBottom)
        written.screenBottom = fileLength(*room.screenBottom, format, true);
    return written;
}

RoomSetting roomForWindow(const RoomSetting& room, const NumberFormat& format)
{
    RoomSetting shown{room.kind, windowLength(room.distance, format), std::nullopt};
    if (room.screenBottom)
        shown.screenBottom = windowLength(*room.screenBottom, format);
    return shown;
}

} // namespace qvd
