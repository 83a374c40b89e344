// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Arithmetic steps of the handlers, each tested when its result is stored:
// an overflow, a division by zero or an invalid operation throws RuntimeError
// at that step. Underflow and inexact results are not errors.

#include "runtime/runtime_error.h"

#include <cmath>

namespace qvd::checked {

[[nodiscard]] inline double stored(double result)
{
    if (std::isnan(result)) [[unlikely]]
        throw RuntimeError(ErrorKind::InvalidOperation);
    if (std::isinf(result)) [[unlikely]]
        throw RuntimeError(ErrorKind::Overflow);
    return result;
}

[[nodiscard]] inline double add(double a, double b) { return stored(a + b); }
[[nodiscard]] inline double sub(double a, double b) { return stored(a - b); }
[[nodiscard]] inline double mul(double a, double b) { return stored(a * b); }
[[nodiscard]] inline double div(double a, double b)
{
    if (b == 0.0) [[unlikely]]
        throw RuntimeError(ErrorKind::DivisionByZero);
    return stored(a / b);
}

} // namespace qvd::checked
