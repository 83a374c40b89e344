// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// What qvdtalvern-cli tells its user about itself. The usage lines (printed
// after a usage error) and the --help text are both made from the one list of
// commands and options in usage.cpp.

#include <string>

namespace qvd {

// "usage: qvdtalvern-cli table [...]" and one line more for each other command.
[[nodiscard]] std::string cliUsage();

// The usage lines, what each command does, one line for each option, the exit
// statuses and the environment read.
[[nodiscard]] std::string cliHelp();

// "qvdtalvern-cli 1.0.0".
[[nodiscard]] std::string cliVersion();

} // namespace qvd
