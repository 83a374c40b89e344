// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The job file reader on arbitrary bytes: a job or a clear error, never a
// crash. A job it accepts is written and read back unchanged, and its room,
// shown with any separator and saved again, is written the same. The same
// bytes typed as a room length: what the grammar takes, the file keeps, and
// it comes back with its value.

#include "ui/job/job_file.h"

#include "fuzz_support.h"

namespace {

using namespace qvd;

void checkJob(std::string_view text)
{
    const JobReading reading = parseJob(text);
    if (!reading.ok()) {
        fuzz::require(!reading.error.message.empty());
        return;
    }
    const std::string written = jobFileText(*reading.job);
    const JobReading again = parseJob(written);
    fuzz::require(again.ok() && *again.job == *reading.job && jobFileText(*again.job) == written);
    if (const std::optional<RoomSetting>& room = reading.job->room) {
        for (const NumberFormat& format : fuzz::kFormats)
            fuzz::require(roomForFile(roomForWindow(*room, format), format) == room);
    }
}

void checkTypedLength(std::string_view text, const NumberFormat& format)
{
    const std::optional<double> value = parseRoomLength(text, format);
    // As the screen bottom, which may be 0, beside a valid distance.
    const std::optional<RoomSetting> room = roomForFile({DistanceKind::Throw, "1", std::string(text)}, format);
    fuzz::require(room && room->screenBottom.has_value() == value.has_value());
    if (!value)
        return;
    Job job;
    job.inputs = {UnitSystem::Inches, Sizing::Width, 100, 10};
    job.room = room;
    const JobReading reading = parseJob(jobFileText(job));
    fuzz::require(reading.ok() && reading.job->room == room);
    fuzz::require(parseRoomLength(*roomForWindow(*room, format).screenBottom, format) == value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = fuzz::textOf(data, size);
    checkJob(text);
    if (size <= 64) {
        for (const NumberFormat& format : fuzz::kFormats)
            checkTypedLength(text, format);
    }
    return 0;
}
