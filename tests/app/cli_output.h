// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Running a command of the command-line tool and reading back what it
// printed, for its tests.

#include "app/cli/table.h"
#include "runtime/caption_text.h"

#include <cstddef>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace qvd::test {

// What a command printed, and its exit status.
struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// Runs `command` (runTable, runFit, runAudience) on the words after its name,
// as the tool runs it.
template <typename Command>
CliRun runCommand(
    Command command, std::vector<std::string_view> args, const NumberFormat& format = {}, bool colour = false)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = command(args, TableOutput{out, err, colour}, format);
    return {status, out.str(), err.str()};
}

inline std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The fields of a CSV line; quoted fields may hold commas and doubled quotes.
inline std::vector<std::string> csvFields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

} // namespace qvd::test
