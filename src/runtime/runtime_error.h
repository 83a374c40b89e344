// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string_view>

namespace qvd {

// The exit status of a program that an untrapped error stopped, the window
// program and the command-line tool alike.
inline constexpr int kUntrappedErrorStatus = 3;

// The kinds of error that end a running handler. None is trapped: the error
// unwinds through every handler that started the failing one by a write, up to
// the event source, and what was already written stays written.
enum class ErrorKind {
    TypeMismatch,     // ParseNumber met text that is not a number: bad caption text
    Overflow,         // a number beyond the double range, read or computed
    InvalidArgument,  // the square root of a negative number
    DivisionByZero,   // an arithmetic step divided by zero
    InvalidOperation, // an arithmetic step had no defined result (e.g. inf - inf)
};

// The name under which an error is reported to the user.
[[nodiscard]] std::string_view errorKindName(ErrorKind kind);

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorKind kind);
    [[nodiscard]] ErrorKind kind() const noexcept { return m_kind; }

private:
    ErrorKind m_kind;
};

} // namespace qvd
