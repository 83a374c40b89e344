// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "recalculation.h"

#include "calc/checked_math.h"
#include "runtime/runtime_error.h"

#include <cmath>

namespace qvd {

namespace {

// The lengths of a recalculation for which no unit option reads selected:
// every length and limit is 0, while the slopes keep their values.
constexpr RowLengths kNoUnitLengths{};

enum class Comparison { Below, AtOrBelow, AtOrAbove, Above };

struct RangeTest {
    std::size_t row;
    RangeWarning warning;
    Comparison comparison; // of the width with the row's lower (Small) or upper (Big) limit
};

// The warnings, in the order in which they are written. "Tovan" has no test of
// its own: it shares Ulmo's lower limit and so Ulmo's "Small" test.
constexpr RangeTest kUpperRowTests[] = {
    {Ulmo, RangeWarning::TooBig, Comparison::Above},
    {Ulmo, RangeWarning::TooSmall, Comparison::Below},
    {Tovan, RangeWarning::TooSmall, Comparison::Below},
};
constexpr RangeTest kLowerRowTests[] = {
    {Brisa, RangeWarning::TooSmall, Comparison::Below},
    {CorvinNrx, RangeWarning::TooBig, Comparison::AtOrAbove},
    {HaldenNrx, RangeWarning::TooBig, Comparison::AtOrAbove},
    {CorvinNrx, RangeWarning::TooSmall, Comparison::AtOrBelow},
    {HaldenNrx, RangeWarning::TooSmall, Comparison::AtOrBelow},
    {CorvinWt1, RangeWarning::TooSmall, Comparison::Below},
    {HaldenWt1, RangeWarning::TooSmall, Comparison::Below},
    {CorvinWt1, RangeWarning::TooBig, Comparison::AtOrAbove},
    {HaldenWt1, RangeWarning::TooBig, Comparison::AtOrAbove},
    {CorvinWt2, RangeWarning::TooSmall, Comparison::Below},
    {HaldenWt2, RangeWarning::TooSmall, Comparison::Below},
};

bool holds(const RangeTest& test, double width, const RowLengths& lengths)
{
    const double limit = test.warning == RangeWarning::TooBig ? lengths.maxWidth : lengths.minWidth;
    switch (test.comparison) {
    case Comparison::Below:
        return width < limit;
    case Comparison::AtOrBelow:
        return width <= limit;
    case Comparison::AtOrAbove:
        return width >= limit;
    case Comparison::Above:
        return width > limit;
    }
    return false;
}

// Every row is calculated from its lower limit on, inclusive, up to its upper
// limit where it has one, inclusive. At a limit where a warning test holds as
// well, the calculated distances overwrite the warning.
bool isCalculated(const ProjectorRow& row, double width, const RowLengths& lengths)
{
    return lengths.minWidth <= width && (!row.hasMaxWidth || width <= lengths.maxWidth);
}

// The three result labels of one row.
struct RowLabels {
    ControlId throwLabel;
    ControlId straightLabel;
    ControlId offsetLabel;
};

RowLabels labelsOf(const PlacementControls& ids, std::size_t row)
{
    const auto& labels = ids.results[row];
    const auto at = [&](Column column) { return labels[static_cast<std::size_t>(column)]; };
    return {at(Column::Throw), at(Column::Straight), at(Column::Offset)};
}

// A difference of squares this far below zero comes from the rounding of the
// doubles alone (the squared numbers are equal as decimals) and is taken as 0.
constexpr double kSquareTolerance = 1e-9;

double rootOf(double radicand, double roundedThrow)
{
    if (radicand < 0.0) {
        if (radicand < -kSquareTolerance * roundedThrow * roundedThrow)
            throw RuntimeError(ErrorKind::InvalidArgument);
        return 0.0;
    }
    return std::sqrt(radicand);
}

} // namespace

Placement::Placement(ControlSet& controls, NumberFormat format, const PlacementControls& ids)
    : m_controls(controls)
    , m_format(std::move(format))
    , m_ids(ids)
{
}

void Placement::Label147_Change() { recalculate(Trigger::WidthChange); }

void Placement::Label148_Change()
{
    // Height and diagonal first, from the width the caption holds, before the
    // angle is read.
    const double height = checked::div(checked::mul(readWidth(), 3), 4);
    const double diagonal = checked::div(checked::mul(readWidth(), 5), 4);
    m_controls.setCaption(m_ids.height, FormatGeneral(RoundFixed(height), m_format));
    m_controls.setCaption(m_ids.diagonal, FormatGeneral(RoundFixed(diagonal), m_format));
    recalculate(Trigger::AngleChange);
}

double Placement::readWidth() const { return ParseNumber(m_controls.caption(m_ids.width), m_format); }

double Placement::angleDegrees(Run& run) const
{
    if (!run.angle)
        run.angle = ParseNumber(m_controls.caption(m_ids.angle), m_format);
    return *run.angle;
}

void Placement::recalculate(Trigger trigger)
{
    Run run{trigger, 0.0, 0.0, {}, std::nullopt};

    // The angle in radians, (4 x arctangent(1)) / 180 x degrees, in that order.
    const double degrees = ParseLeadingNumber(m_controls.caption(m_ids.angle));
    run.theta = checked::mul(checked::div(checked::mul(4, std::atan(1.0)), 180), degrees);

    // Unit selection: zero lengths, then inches if the inch option is selected,
    // then centimetres if the centimetre option is, replacing the inches.
    std::optional<UnitSystem> units;
    if (m_controls.isSelected(m_ids.inches))
        units = UnitSystem::Inches;
    if (m_controls.isSelected(m_ids.centimetres))
        units = UnitSystem::Centimetres;
    const auto& table = projectorTable();
    for (std::size_t i = 0; i < kRowCount; ++i)
        run.lengths[i] = units ? &lengthsFor(table[i], *units) : &kNoUnitLengths;
    m_resultUnits = units;

    run.width = readWidth();

    const auto warnAll = [&](const auto& tests) {
        for (const RangeTest& test : tests) {
            if (holds(test, run.width, *run.lengths[test.row]))
                writeWarning(test.row, test.warning);
        }
    };
    const auto calculateRange = [&](std::size_t first, std::size_t last) {
        for (std::size_t row = first; row <= last; ++row) {
            if (isCalculated(table[row], run.width, *run.lengths[row]))
                CalculateRow(run, row);
        }
    };
    warnAll(kUpperRowTests);
    calculateRange(Ulmo, Tovan);
    warnAll(kLowerRowTests);
    calculateRange(Brisa, HaldenWt2);
}

void Placement::writeWarning(std::size_t row, RangeWarning warning)
{
    const RowLabels labels = labelsOf(m_ids, row);
    m_controls.setCaption(labels.throwLabel, "Screen");
    m_controls.setForeColor(labels.throwLabel, kRed);
    m_controls.setCaption(labels.straightLabel, "Too");
    m_controls.setForeColor(labels.straightLabel, kRed);
    m_controls.setCaption(labels.offsetLabel, warning == RangeWarning::TooBig ? "Big" : "Small");
    m_controls.setForeColor(labels.offsetLabel, kRed);
}

void Placement::write(ControlId label, double value, CaptionFormat format)
{
    switch (format) {
    case CaptionFormat::Fixed:
        m_controls.setCaption(label, FormatFixed(value, m_format));
        return;
    case CaptionFormat::Rounded:
        m_controls.setCaption(label, FormatRounded(value, m_format));
        return;
    case CaptionFormat::General:
        m_controls.setCaption(label, FormatGeneral(value, m_format));
        return;
    }
}

void Placement::CalculateRow(Run& run, std::size_t rowIndex)
{
    using namespace checked;
    const ProjectorRow& row = projectorTable()[rowIndex];
    const RowLengths& lengths = *run.lengths[rowIndex];
    const RowVariants& variants = run.trigger == Trigger::WidthChange ? row.onWidthChange : row.onAngleChange;
    const RowLabels labels = labelsOf(m_ids, rowIndex);

    m_controls.setForeColor(labels.throwLabel, kBlack);
    m_controls.setForeColor(labels.straightLabel, kBlack);
    m_controls.setForeColor(labels.offsetLabel, kBlack);

    // Throw distance. RT is the number its caption shows: reading back a
    // FormatFixed caption gives RoundFixed of the value written.
    const double throwDistance = add(mul(run.width, row.throwSlope), lengths.throwIntercept);
    write(labels.throwLabel, throwDistance, variants.throwFormat);
    const double roundedThrow = RoundFixed(throwDistance);

    // Straight line from the front foot.
    const double basis = variants.straightBasis == StraightBasis::Exact ? throwDistance : roundedThrow;
    const double straightLine = add(mul(std::cos(run.theta), basis), lengths.footOffset);
    write(labels.straightLabel, straightLine, variants.straightFormat);
    const double roundedStraight = RoundFixed(straightLine);

    // The rise between lens and screen centre, from the two shown distances.
    const auto rise = [&] {
        const double horizontal = sub(roundedStraight, lengths.footOffset);
        const double squares = sub(mul(roundedThrow, roundedThrow), mul(horizontal, horizontal));
        if (variants.riseRounding == RiseRounding::Square)
            return rootOf(RoundFixed(squares), roundedThrow);
        return RoundFixed(rootOf(squares, roundedThrow));
    };
    const auto halfHeight = [&] { return mul(div(mul(run.width, 3), 4), 0.5); };

    // A projector tilted up sits below the screen centre, one tilted down above
    // it: the rise is added for a positive angle and taken off for a negative.
    const double degrees = angleDegrees(run);
    const bool needsStraightLine = variants.offsetNeedsStraightLine && roundedStraight == 0.0;
    if (degrees > 0) {
        if (needsStraightLine)
            return;
        const double r = rise();
        write(labels.offsetLabel, add(sub(r, halfHeight()), lengths.lensHeight), variants.offsetAbove);
    } else if (degrees < 0) {
        if (needsStraightLine)
            return;
        const double r = rise();
        write(labels.offsetLabel, sub(sub(lengths.lensHeight, halfHeight()), r), variants.offsetBelow);
    } else {
        write(labels.offsetLabel, sub(lengths.lensHeight, halfHeight()), variants.offsetLevel);
    }
}

PlacementResult Placement::result(std::size_t row) const
{
    const RowLabels labels = labelsOf(m_ids, row);
    return {m_controls.caption(labels.throwLabel), m_controls.caption(labels.straightLabel),
        m_controls.caption(labels.offsetLabel), m_controls.control(labels.throwLabel).foreColor == kRed};
}

} // namespace qvd
