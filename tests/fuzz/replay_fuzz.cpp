// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The replay script reader on arbitrary input: a state or a clear error, never
// a crash or a hang.

#include "app/cli/replay.h"

#include "fuzz_support.h"

#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qvd;
    std::istringstream script{std::string(fuzz::textOf(data, size))};
    std::ostringstream out;
    std::ostringstream err;
    const int status = runReplay(script, out, err, NumberFormat{"."});
    fuzz::require(status == ExitOk || status == ExitUsage || status == ExitRuntimeError);
    fuzz::require((status == ExitOk) == err.str().empty());
    fuzz::require(status == ExitUsage || out.str().ends_with("\n\n"));
    return 0;
}
