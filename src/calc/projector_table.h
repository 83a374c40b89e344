// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The projector table: nine chassis and lens rows, top to bottom as the window
// shows them, with their constants in both unit systems, their width limits and
// the per-row choices of rounding and caption form that the recalculations
// follow. Nothing writes it.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace qvd {

enum class UnitSystem { Inches, Centimetres };

// The units' short names, as job files and the command line write them.
inline constexpr std::string_view kUnitNames[] = {"in", "cm"}; // by UnitSystem

[[nodiscard]] constexpr std::string_view unitName(UnitSystem units)
{
    return kUnitNames[static_cast<std::size_t>(units)];
}

// The unit a short name stands for; nothing for any other text.
[[nodiscard]] constexpr std::optional<UnitSystem> unitNamed(std::string_view name)
{
    for (const UnitSystem units : {UnitSystem::Inches, UnitSystem::Centimetres}) {
        if (unitName(units) == name)
            return units;
    }
    return std::nullopt;
}

// How a number becomes the text of a result caption.
enum class CaptionFormat {
    Fixed,   // FormatFixed(x): exactly two decimals
    Rounded, // FormatGeneral(RoundFixed(x)): two decimals at most, no trailing zeros
    General, // FormatGeneral(x): unrounded, up to 15 significant digits
};

// Which throw distance the straight line is formed from.
enum class StraightBasis {
    Exact, // the unrounded throw T
    Shown, // the throw as its caption shows it, RT
};

// Where the rise between lens and screen centre is rounded.
enum class RiseRounding {
    Square, // the root of the rounded difference of squares
    Root,   // the rounded root of the unrounded difference
};

// The lengths of one row in one unit system. A row without an upper width
// limit has hasMaxWidth false.
struct RowLengths {
    double throwIntercept = 0.0;
    double footOffset = 0.0;
    double lensHeight = 0.0;
    double minWidth = 0.0;
    double maxWidth = 0.0;
};

// The five points at which rows differ in how they calculate and show a result.
struct RowVariants {
    CaptionFormat throwFormat;
    StraightBasis straightBasis;
    CaptionFormat straightFormat;
    RiseRounding riseRounding;
    CaptionFormat offsetAbove; // angle > 0
    CaptionFormat offsetBelow; // angle < 0
    CaptionFormat offsetLevel; // angle = 0
    // The vertical offset of a nonzero angle is formed only when the row's
    // straight line rounds to a nonzero value.
    bool offsetNeedsStraightLine = false;
};

// A row's name is the caption of its label in the window's design.
struct ProjectorRow {
    double throwSlope;
    bool hasMaxWidth;
    RowLengths inches;
    RowLengths centimetres;
    RowVariants onWidthChange; // the width recalculation
    RowVariants onAngleChange; // the angle recalculation
};

inline constexpr std::size_t kRowCount = 9;

// The three results of a row, in the table's column order.
enum class Column { Throw, Straight, Offset };
inline constexpr std::size_t kColumnCount = 3;

// Rows in display order, which is also the order of calculation.
[[nodiscard]] const std::array<ProjectorRow, kRowCount>& projectorTable();

// The row's lengths in `units`.
[[nodiscard]] const RowLengths& lengthsFor(const ProjectorRow& row, UnitSystem units);

// Indexes of the rows, for the range tests and for callers that name a row.
enum RowIndex : std::size_t {
    Ulmo,
    Tovan,
    Brisa,
    CorvinNrx,
    CorvinWt1,
    CorvinWt2,
    HaldenNrx,
    HaldenWt1,
    HaldenWt2,
};

} // namespace qvd
