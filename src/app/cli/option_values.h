// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The values of the options that `table` and `fit` share. Each reader
// answers the value, or writes one line naming the allowed values to `err`
// and answers nothing.

#include "calc/projector_table.h"
#include "runtime/length_format.h"

#include <optional>
#include <ostream>
#include <string_view>

namespace qvd {

enum class OutputFormat { Text, Csv, Json };

inline std::optional<UnitSystem> readUnitsOption(std::string_view value, std::ostream& err)
{
    if (const std::optional<UnitSystem> units = unitNamed(value))
        return units;
    err << "qvdtalvern-cli: --units is " << unitName(UnitSystem::Inches) << " or " << unitName(UnitSystem::Centimetres)
        << ", not '" << value << "'\n";
    return std::nullopt;
}

inline std::optional<LengthFormat> readLengthFormatOption(std::string_view value, std::ostream& err)
{
    if (value == "decimal")
        return LengthFormat::Decimal;
    if (value == "ft-in")
        return LengthFormat::FeetAndInches;
    err << "qvdtalvern-cli: --length-format is decimal or ft-in, not '" << value << "'\n";
    return std::nullopt;
}

inline std::optional<OutputFormat> readFormatOption(std::string_view value, std::ostream& err)
{
    if (value == "text")
        return OutputFormat::Text;
    if (value == "csv")
        return OutputFormat::Csv;
    if (value == "json")
        return OutputFormat::Json;
    err << "qvdtalvern-cli: --format is text, csv or json, not '" << value << "'\n";
    return std::nullopt;
}

} // namespace qvd
