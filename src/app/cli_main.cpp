// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// qvdtalvern-cli: the window's model without a window.

#include "app/cli/audience_command.h"
#include "app/cli/exit_status.h"
#include "app/cli/fit.h"
#include "app/cli/replay.h"
#include "app/cli/table.h"
#include "app/cli/usage.h"
#include "runtime/utf8_text.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <streambuf>
#include <string_view>
#include <sys/stat.h>
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
    std::cerr << "qvdtalvern-cli: " << qvd::escapedControls(message) << '\n' << qvd::cliUsage();
    return qvd::ExitUsage;
}

int replay(const std::vector<std::string_view>& args, const qvd::NumberFormat& format)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << qvd::cliHelp();
        return qvd::ExitOk;
    }
    if (args.size() > 1)
        return usageError("replay takes at most one file");
    if (args.empty() || args[0] == "-") {
        struct stat input {};
        if (::fstat(STDIN_FILENO, &input) == 0 && S_ISDIR(input.st_mode)) {
            std::cerr << "qvdtalvern-cli: cannot read standard input: " << std::strerror(EISDIR) << '\n';
            return qvd::ExitUsage;
        }
        return qvd::runReplay(std::cin, std::cout, std::cerr, format);
    }
    const std::string path(args[0]);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        std::cerr << "qvdtalvern-cli: cannot read " << qvd::escapedControls(path) << ": " << std::strerror(EISDIR)
                  << '\n';
        return qvd::ExitUsage;
    }
    std::ifstream script{path};
    if (!script) {
        std::cerr << "qvdtalvern-cli: cannot read " << qvd::escapedControls(path) << ": " << std::strerror(errno)
                  << '\n';
        return qvd::ExitUsage;
    }
    return qvd::runReplay(script, std::cout, std::cerr, format);
}

int run(const std::vector<std::string_view>& words)
{
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
    if (command == "audience")
        return qvd::runAudience(args, {std::cout, std::cerr, colourWanted()}, format);
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

// Standard output, written with write(2) so that a failed write keeps its
// reason: a full disk or a closed file is then reported, not lost in a buffer.
class StandardOutput : public std::streambuf {
public:
    StandardOutput() { setp(m_buffer.data(), m_buffer.data() + m_buffer.size()); }

    // The reason of the first write that failed, or 0.
    [[nodiscard]] int error() const { return m_error; }

protected:
    int_type overflow(int_type c) override
    {
        if (!drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain()
    {
        const char* next = pbase();
        while (m_error == 0 && next < pptr()) {
            const ssize_t written = ::write(STDOUT_FILENO, next, static_cast<std::size_t>(pptr() - next));
            if (written >= 0)
                next += written;
            else if (errno != EINTR)
                m_error = errno;
        }
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
        return m_error == 0;
    }

    std::array<char, 8192> m_buffer{};
    int m_error = 0;
};

// Whatever a command printed must have reached standard output: a full disk
// or a closed file is a failure, not an empty success. A reader that went
// away (a pipe into head) has ended the program quietly by SIGPIPE already.
int finishOutput(StandardOutput& output, int status)
{
    std::cout.flush();
    // A usage error wrote nothing there and says so on standard error.
    if (status == qvd::ExitUsage)
        return status;
    if (output.error() == 0 && ::close(STDOUT_FILENO) == 0)
        return status;
    const int error = output.error() != 0 ? output.error() : errno;
    if (error == EPIPE)
        return status;
    std::cerr << "qvdtalvern-cli: write error: " << std::strerror(error) << '\n';
    return qvd::ExitWriteError;
}

} // namespace

int main(int argc, char** argv)
{
    StandardOutput output;
    std::streambuf* const standard = std::cout.rdbuf(&output);
    const int status = finishOutput(output, run(std::vector<std::string_view>(argv + 1, argv + argc)));
    std::cout.rdbuf(standard);
    return status;
}
