// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "runtime_error.h"

#include <string>

namespace qvd {

std::string_view errorKindName(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::TypeMismatch:
        return "Type mismatch";
    case ErrorKind::Overflow:
        return "Overflow";
    case ErrorKind::InvalidArgument:
        return "Invalid argument";
    case ErrorKind::DivisionByZero:
        return "Division by zero";
    case ErrorKind::InvalidOperation:
        return "Invalid operation";
    }
    return "Unknown error";
}

RuntimeError::RuntimeError(ErrorKind kind)
    : std::runtime_error(std::string(errorKindName(kind)))
    , m_kind(kind)
{
}

} // namespace qvd
