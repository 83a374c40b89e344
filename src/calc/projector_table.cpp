// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "projector_table.h"

namespace qvd {

namespace {

using enum CaptionFormat;
using enum StraightBasis;
using enum RiseRounding;

// Values that several rows share are kept once. The centimetre values are the
// table's own, not conversions of the inch values: several differ from an
// exact conversion by 2.54.
namespace inch {
constexpr double kUlmoTovanFoot = 5;
constexpr double kUlmoTovanLens = 12.5;
constexpr double kUlmoTovanMin = 48;
constexpr double kChassisFoot = 6.5;
constexpr double kChassisLens = 11.34;
constexpr double kNrxIntercept = 3.3;
constexpr double kWt1Intercept = 4.8;
constexpr double kWt2Intercept = 0.5;
constexpr double kCorvinWt1Min = 72;  // upper limit of Corvin NRX
constexpr double kCorvinWt2Min = 106; // upper limit of Corvin WT1
constexpr double kHaldenWt1Min = 86;  // upper limit of Halden NRX
constexpr double kHaldenWt2Min = 125; // upper limit of Halden WT1
} // namespace inch

namespace cm {
constexpr double kUlmoTovanFoot = 12.7;
constexpr double kUlmoTovanLens = 31.75;
constexpr double kUlmoTovanMin = 122;
constexpr double kChassisFoot = 16.51;
constexpr double kChassisLens = 28.8;
constexpr double kNrxIntercept = 8.4;
constexpr double kWt1Intercept = 12.2;
constexpr double kWt2Intercept = 1.27;
constexpr double kCorvinWt1Min = 183;
constexpr double kCorvinWt2Min = 269;
constexpr double kHaldenWt1Min = 219;
constexpr double kHaldenWt2Min = 318;
} // namespace cm

// Rows 4 to 9 write the same forms whichever input changed.
constexpr RowVariants kCorvinNrxVariants{Rounded, Shown, Rounded, Root, Rounded, Rounded, General};
constexpr RowVariants kCorvinWt1Variants{Fixed, Shown, Rounded, Root, Rounded, Rounded, General};
constexpr RowVariants kCorvinWt2Variants{Rounded, Exact, Fixed, Root, Fixed, Fixed, General};
constexpr RowVariants kHaldenNrxVariants{Rounded, Exact, Fixed, Root, Rounded, Rounded, General};
constexpr RowVariants kHaldenWt1Variants{Rounded, Exact, Fixed, Root, Rounded, Rounded, General};
constexpr RowVariants kHaldenWt2Variants{Rounded, Exact, Rounded, Root, Rounded, Rounded, General};

// One row of the table to a block, its values in the columns of the table.
// clang-format off
constexpr std::array<ProjectorRow, kRowCount> kTable{{
    // Ulmo
    {1.556, true,
     {7.2, inch::kUlmoTovanFoot, inch::kUlmoTovanLens, inch::kUlmoTovanMin, 160},
     {18, cm::kUlmoTovanFoot, cm::kUlmoTovanLens, cm::kUlmoTovanMin, 406},
     {Fixed, Exact, Fixed, Square, Rounded, Fixed, General},
     {Rounded, Exact, Rounded, Square, Rounded, Rounded, General, true}},
    // Tovan
    {1.515, false,
     {9, inch::kUlmoTovanFoot, inch::kUlmoTovanLens, inch::kUlmoTovanMin, 0},
     {22.86, cm::kUlmoTovanFoot, cm::kUlmoTovanLens, cm::kUlmoTovanMin, 0},
     {Fixed, Exact, Fixed, Square, Fixed, Fixed, Fixed},
     {Rounded, Exact, Rounded, Square, Rounded, Rounded, General, true}},
    // Brisa
    {1.22, false,
     {10, inch::kChassisFoot, inch::kChassisLens, 39, 0},
     {25.4, cm::kChassisFoot, cm::kChassisLens, 99, 0},
     {Rounded, Exact, Fixed, Root, Fixed, Fixed, Fixed},
     {Rounded, Exact, Rounded, Root, Fixed, Fixed, General, true}},
    // Corvin NRX
    {1.82, true,
     {inch::kNrxIntercept, inch::kChassisFoot, inch::kChassisLens, 50, inch::kCorvinWt1Min},
     {cm::kNrxIntercept, cm::kChassisFoot, cm::kChassisLens, 127, cm::kCorvinWt1Min},
     kCorvinNrxVariants, kCorvinNrxVariants},
    // Corvin WT1
    {1.77, true,
     {inch::kWt1Intercept, inch::kChassisFoot, inch::kChassisLens, inch::kCorvinWt1Min, inch::kCorvinWt2Min},
     {cm::kWt1Intercept, cm::kChassisFoot, cm::kChassisLens, cm::kCorvinWt1Min, cm::kCorvinWt2Min},
     kCorvinWt1Variants, kCorvinWt1Variants},
    // Corvin WT2
    {1.82, false,
     {inch::kWt2Intercept, inch::kChassisFoot, inch::kChassisLens, inch::kCorvinWt2Min, 0},
     {cm::kWt2Intercept, cm::kChassisFoot, cm::kChassisLens, cm::kCorvinWt2Min, 0},
     kCorvinWt2Variants, kCorvinWt2Variants},
    // Halden NRX
    {1.54, true,
     {inch::kNrxIntercept, inch::kChassisFoot, inch::kChassisLens, 59, inch::kHaldenWt1Min},
     {cm::kNrxIntercept, cm::kChassisFoot, cm::kChassisLens, 150, cm::kHaldenWt1Min},
     kHaldenNrxVariants, kHaldenNrxVariants},
    // Halden WT1
    {1.49, true,
     {inch::kWt1Intercept, inch::kChassisFoot, inch::kChassisLens, inch::kHaldenWt1Min, inch::kHaldenWt2Min},
     {cm::kWt1Intercept, cm::kChassisFoot, cm::kChassisLens, cm::kHaldenWt1Min, cm::kHaldenWt2Min},
     kHaldenWt1Variants, kHaldenWt1Variants},
    // Halden WT2
    {1.54, false,
     {inch::kWt2Intercept, inch::kChassisFoot, inch::kChassisLens, inch::kHaldenWt2Min, 0},
     {cm::kWt2Intercept, cm::kChassisFoot, cm::kChassisLens, cm::kHaldenWt2Min, 0},
     kHaldenWt2Variants, kHaldenWt2Variants},
}};
// clang-format on

} // namespace

const std::array<ProjectorRow, kRowCount>& projectorTable() { return kTable; }

const RowLengths& lengthsFor(const ProjectorRow& row, UnitSystem units)
{
    return units == UnitSystem::Inches ? row.inches : row.centimetres;
}

} // namespace qvd
