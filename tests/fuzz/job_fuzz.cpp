// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The job file reader on arbitrary bytes: a job or a clear error, never a
// crash. A job it accepts is written and read back unchanged.

#include "ui/job_file.h"

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qvd;
    const JobReading reading = parseJob(fuzz::textOf(data, size));
    if (!reading.ok()) {
        fuzz::require(!reading.error.message.empty());
        return 0;
    }
    const std::string text = jobFileText(*reading.job);
    const JobReading again = parseJob(text);
    fuzz::require(again.ok() && *again.job == *reading.job && jobFileText(*again.job) == text);
    return 0;
}
