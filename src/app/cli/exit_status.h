// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The exit statuses of qvdtalvern-cli, the same for every command.

#include "runtime/runtime_error.h"

namespace qvd {

enum ExitStatus : int {
    ExitOk = 0,
    ExitWriteError = 1, // standard output could not be written (a full disk, a closed file)
    ExitUsage = 2,      // an unknown command or option, a value that is not allowed, a script line not understood
    ExitRuntimeError = kUntrappedErrorStatus, // an untrapped error in the model
};

} // namespace qvd
