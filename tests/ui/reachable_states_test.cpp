// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Every state that the window's inputs reach: each position of each size bar,
// in both units and all three sizing modes, at every angle, reached once by a
// width change at a fixed angle and once by an angle change at a fixed width.
// In each state every row shows either three numbers in black that agree with
// each other and with the geometry, or a full warning in red.

#include "ui/window/main_window.h"

#include "calc/projector_table.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace qvd {
namespace {

struct SizeBar {
    Sizing sizing;
    int inchMin, inchMax, centimetreMin, centimetreMax;
};

constexpr SizeBar kSizeBars[] = {
    {Sizing::Width, 39, 240, 99, 610},
    {Sizing::Height, 30, 180, 76, 457},
    {Sizing::Diagonal, 49, 300, 124, 763},
};

class ReachableStates : public ::testing::TestWithParam<UnitSystem> {
protected:
    void SetUp() override
    {
        m_window.load();
        m_window.controls().clickOption(m_window.unitOption(GetParam()));
    }

    double number(ControlId label) const
    {
        return ParseNumber(m_window.controls().caption(label), m_window.numberFormat());
    }

    std::string where(ControlId bar, int position, int angle) const
    {
        return m_window.controls().control(bar).name + " " + std::to_string(position) + " at " + std::to_string(angle);
    }

    // Checks one state; returns false (after reporting) at the first fault so
    // that a broken build does not print a hundred thousand failures.
    bool checkState(const std::string& where, bool sizesWritten)
    {
        const double width = number(m_window.widthCaption());
        const double degrees = number(m_window.angleCaption());
        if (sizesWritten) {
            // Each caption is rounded to two decimals, the width too when a
            // height gave it.
            EXPECT_NEAR(number(m_window.heightCaption()), width * 3 / 4, 0.0051) << where;
            EXPECT_NEAR(number(m_window.diagonalCaption()), width * 5 / 4, 0.0115) << where;
        }
        const double cosine = std::cos(degrees * std::numbers::pi / 180);
        const ControlSet& controls = m_window.controls();
        for (std::size_t i = 0; i < kRowCount; ++i) {
            const ProjectorRow& row = projectorTable()[i];
            const RowLengths& lengths = lengthsFor(row, GetParam());
            const ControlId labels[3] = {m_window.resultLabel(i, Column::Throw),
                m_window.resultLabel(i, Column::Straight), m_window.resultLabel(i, Column::Offset)};
            const std::string at = where + ", " + controls.caption(m_window.rowCaption(i));
            const bool inRange = width >= lengths.minWidth && (!row.hasMaxWidth || width <= lengths.maxWidth);
            if (!inRange) {
                const char* word = width < lengths.minWidth ? "Small" : "Big";
                for (ControlId id : labels)
                    EXPECT_EQ(controls.control(id).foreColor, kRed) << at;
                EXPECT_EQ(
                    controls.caption(labels[0]) + " " + controls.caption(labels[1]) + " " + controls.caption(labels[2]),
                    std::string("Screen Too ") + word)
                    << at;
                if (::testing::Test::HasFailure())
                    return false;
                continue;
            }
            for (ControlId id : labels)
                EXPECT_EQ(controls.control(id).foreColor, kBlack) << at;
            const double throwDistance = number(labels[0]);
            const double straightLine = number(labels[1]);
            const double offset = number(labels[2]);
            // The straight line is the cosine share of the throw plus the foot.
            EXPECT_NEAR(straightLine, cosine * throwDistance + lengths.footOffset, 0.011) << at;
            // The rise and the horizontal distance make a right angle with the throw.
            const double level = lengths.lensHeight - width * 3 / 4 / 2;
            const double rise = offset - level;
            const double horizontal = straightLine - lengths.footOffset;
            EXPECT_NEAR(std::hypot(rise, horizontal), throwDistance, 0.02 + throwDistance * 1e-3) << at;
            // Tilted up the projector sits below the screen centre, tilted down above it.
            if (degrees > 0)
                EXPECT_GE(rise, -0.006) << at;
            else if (degrees < 0)
                EXPECT_LE(rise, 0.006) << at;
            else
                EXPECT_NEAR(rise, 0.0, 0.006) << at;
            if (::testing::Test::HasFailure())
                return false;
        }
        return true;
    }

    int lowest(const SizeBar& bar) const { return GetParam() == UnitSystem::Inches ? bar.inchMin : bar.centimetreMin; }
    int highest(const SizeBar& bar) const { return GetParam() == UnitSystem::Inches ? bar.inchMax : bar.centimetreMax; }

    MainWindow m_window{NumberFormat{}};
};

TEST_P(ReachableStates, WidthChangeAtEveryAngle)
{
    ControlSet& controls = m_window.controls();
    for (const SizeBar& bar : kSizeBars) {
        controls.clickOption(m_window.sizeOption(bar.sizing));
        const ControlId id = m_window.sizeBar(bar.sizing);
        controls.moveScrollBar(id, lowest(bar)); // sets the unit's range
        for (int angle = -15; angle <= 15; ++angle) {
            controls.moveScrollBar(m_window.angleBar(), angle);
            for (int position = lowest(bar); position <= highest(bar); ++position) {
                ASSERT_NO_THROW(controls.moveScrollBar(id, position));
                ASSERT_EQ(controls.value(id), position);
                // The diagonal bar leaves the height and diagonal captions as they were.
                if (!checkState(where(id, position, angle), bar.sizing != Sizing::Diagonal))
                    return;
            }
        }
    }
}

TEST_P(ReachableStates, AngleChangeAtEveryWidth)
{
    ControlSet& controls = m_window.controls();
    for (const SizeBar& bar : kSizeBars) {
        controls.clickOption(m_window.sizeOption(bar.sizing));
        const ControlId id = m_window.sizeBar(bar.sizing);
        controls.moveScrollBar(id, lowest(bar));
        for (int position = lowest(bar); position <= highest(bar); ++position) {
            controls.moveScrollBar(id, position);
            for (int angle = -15; angle <= 15; ++angle) {
                ASSERT_NO_THROW(controls.moveScrollBar(m_window.angleBar(), angle));
                if (!checkState(where(id, position, angle), true))
                    return;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Units, ReachableStates, ::testing::Values(UnitSystem::Inches, UnitSystem::Centimetres), [](const auto& info) {
        return info.param == UnitSystem::Inches ? std::string("Inches") : std::string("Centimetres");
    });

} // namespace
} // namespace qvd
