// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// qvdtalvern-cli: the window's model without a window.

#include "app/cli/exit_status.h"
#include "app/cli/fit.h"
#include "app/cli/replay.h"
#include "app/cli/table.h"
#include "app/cli/usage.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

// Red text only on a terminal, and never when NO_COLOR is set to anything.
bool colourWanted()
{
    const char* noColour = std::getenv("NO_COLOR");
    return isatty(STDOUT_FILENO) == 1 && (noColour == nullptr || *noColour == '\0');
}

int usageError(std::string_view message)
{
    std::cerr << "qvdtalvern-cli: " << message << '\n' << qvd::cliUsage();
    return qvd::ExitUsage;
}

int replay(const std::vector<std::string_view>& args, const qvd::NumberFormat& format)
{
    if (args.size() > 1)
        return usageError("replay takes at most one file");
    if (args.empty() || args[0] == "-")
        return qvd::runReplay(std::cin, std::cout, std::cerr, format);
    std::ifstream script{std::string(args[0])};
    if (!script) {
        std::cerr << "qvdtalvern-cli: cannot read " << args[0] << '\n';
        return qvd::ExitUsage;
    }
    return qvd::runReplay(script, std::cout, std::cerr, format);
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    if (words.empty()) {
        std::cerr << qvd::cliUsage();
        return qvd::ExitUsage;
    }
    const std::string_view command = words[0];
    const std::vector<std::string_view> args(words.begin() + 1, words.end());
    const qvd::NumberFormat format = qvd::NumberFormat::fromEnvironment();
    if (command == "table")
        return qvd::runTable(args, {std::cout, std::cerr, colourWanted()}, format);
    if (command == "fit")
        return qvd::runFit(args, {std::cout, std::cerr, colourWanted()}, format);
    if (command == "replay")
        return replay(args, format);
    if (command == "--help" || command == "-h") {
        std::cout << qvd::cliHelp();
        return qvd::ExitOk;
    }
    if (command == "--version") {
        std::cout << qvd::cliVersion();
        return qvd::ExitOk;
    }
    return usageError("unknown command '" + std::string(command) + "'");
}
