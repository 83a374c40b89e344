// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/room_fit.h"

#include "calc/projector_table.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace qvd {
namespace {

// What a fresh window shows after the user's steps for width `width`: the
// replay the command-line table runs.
struct Shown {
    std::string width, height, diagonal;
    std::array<PlacementResult, kRowCount> rows;
};

Shown replay(UnitSystem units, int angle, int width, const NumberFormat& format = {})
{
    MainWindow window(format);
    window.load();
    window.enterInputs({units, Sizing::Width, width, angle});
    const ControlSet& c = window.controls();
    Shown shown{
        c.caption(window.widthCaption()), c.caption(window.heightCaption()), c.caption(window.diagonalCaption()), {}};
    for (std::size_t row = 0; row < kRowCount; ++row)
        shown.rows[row] = window.placement().result(row);
    return shown;
}

std::pair<int, int> barRange(UnitSystem units)
{
    const UnitRange& r = sizeBarRange(Sizing::Width);
    return units == UnitSystem::Inches ? std::pair{r.inchMin, r.inchMax} : std::pair{r.centimetreMin, r.centimetreMax};
}

double number(const std::string& caption, const NumberFormat& format = {}) { return ParseNumber(caption, format); }

const std::string& chosen(const PlacementResult& shown, DistanceKind kind)
{
    return kind == DistanceKind::Throw ? shown.throwDistance : shown.straightLine;
}

// Every width of the bar as a fresh window shows it, per unit and angle.
class Replays {
public:
    const std::vector<Shown>& at(UnitSystem units, int angle)
    {
        auto& table = m_tables[{units, angle}];
        if (table.empty()) {
            const auto bounds = barRange(units); // named, not bound: lambdas below capture them
            const int first = bounds.first;
            const int last = bounds.second;
            for (int width = first; width <= last; ++width)
                table.push_back(replay(units, angle, width));
        }
        return table;
    }

private:
    std::map<std::pair<UnitSystem, int>, std::vector<Shown>> m_tables;
};

// Shared by the tests: a fresh window per width is the slow part.
Replays& replays()
{
    static Replays shared;
    return shared;
}

// The shown widths of a row, first and last, on the bar.
std::pair<int, int> shownWidths(const std::vector<Shown>& table, int firstWidth, std::size_t row)
{
    int low = 0;
    int high = -1;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (!table[i].rows[row].isWarning) {
            if (high < low)
                low = firstWidth + static_cast<int>(i);
            high = firstWidth + static_cast<int>(i);
        }
    }
    return {low, high};
}

struct Setting {
    UnitSystem units;
    int angle;
    DistanceKind kind;
};

TEST(RoomFit, RoomAtARowsDistanceGivesThatWidthAndAHundredthLessTheOneBefore)
{
    const Setting settings[] = {
        {UnitSystem::Inches, -8, DistanceKind::Throw},
        {UnitSystem::Inches, 0, DistanceKind::Throw},
        {UnitSystem::Centimetres, 10, DistanceKind::Throw},
        {UnitSystem::Centimetres, -15, DistanceKind::Straight},
        {UnitSystem::Inches, 15, DistanceKind::Straight},
    };
    RoomFitter fitter{NumberFormat{}};
    for (const Setting& s : settings) {
        const auto& table = replays().at(s.units, s.angle);
        const int first = barRange(s.units).first;
        for (std::size_t row = 0; row < kRowCount; ++row) {
            SCOPED_TRACE(testing::Message() << "row " << row << " angle " << s.angle);
            const auto [low, high] = shownWidths(table, first, row);
            ASSERT_LT(low + 2, high);
            const int width = (low + high) / 2;
            const Shown& at = table[static_cast<std::size_t>(width - first)];
            const double room = number(chosen(at.rows[row], s.kind));

            const RowFit exact = fitter.fit({s.units, s.angle, s.kind, room, 0.0})[row];
            EXPECT_EQ(exact.width, width);
            EXPECT_EQ(exact.limit, FitLimit::Room);
            EXPECT_EQ(exact.widthCaption, at.width);
            EXPECT_EQ(exact.heightCaption, at.height);
            EXPECT_EQ(exact.diagonalCaption, at.diagonal);
            EXPECT_EQ(exact.shown.throwDistance, at.rows[row].throwDistance);
            EXPECT_EQ(exact.shown.verticalOffset, at.rows[row].verticalOffset);
            // The screen's bottom edge on the floor: the base stands below it
            // exactly when the row's offset is positive.
            ASSERT_TRUE(exact.baseHeight.has_value());
            EXPECT_EQ(exact.baseHeight->belowFloor, RoundFixed(number(at.rows[row].verticalOffset)) > 0);

            const RowFit less = fitter.fit({s.units, s.angle, s.kind, room - 0.01, std::nullopt})[row];
            EXPECT_EQ(less.width, width - 1);
            EXPECT_EQ(less.limit, FitLimit::Room);
            EXPECT_FALSE(less.baseHeight.has_value());
        }
    }
}

TEST(RoomFit, HugeRoomGivesTheRowsLastWidthAndAShortOneNothing)
{
    RoomFitter fitter{NumberFormat{}};
    for (const UnitSystem units : {UnitSystem::Inches, UnitSystem::Centimetres}) {
        const auto bounds = barRange(units); // named, not bound: lambdas below capture them
        const int first = bounds.first;
        const int last = bounds.second;
        const auto& table = replays().at(units, 10);
        const RoomFit huge = fitter.fit({units, 10, DistanceKind::Throw, 1e9, std::nullopt});
        const RoomFit tiny = fitter.fit({units, 10, DistanceKind::Straight, 1.0, 100.0});
        for (std::size_t row = 0; row < kRowCount; ++row) {
            SCOPED_TRACE(testing::Message() << "row " << row);
            const bool upperLimit = projectorTable()[row].hasMaxWidth;
            EXPECT_EQ(huge[row].limit, FitLimit::Range);
            EXPECT_EQ(huge[row].width, shownWidths(table, first, row).second);
            EXPECT_EQ(huge[row].width < last, upperLimit);

            EXPECT_EQ(tiny[row].limit, FitLimit::None);
            EXPECT_EQ(tiny[row].widthCaption, "");
            EXPECT_EQ(tiny[row].shown.throwDistance, "");
            EXPECT_FALSE(tiny[row].baseHeight.has_value());
        }
    }
}

// Random rooms against the definition, checked on every width of the bar as a
// fresh window shows it: W fits, no wider width fits, and the limit names what
// W+1 shows. The settings are drawn from eight random (unit, angle) pairs, as
// a fresh window for every width of the bar is costly.
TEST(RoomFit, AnswersMatchTheDefinitionOnFreshWindows)
{
    std::mt19937 random(20261208);
    std::vector<std::pair<UnitSystem, int>> pairs;
    for (int i = 0; i < 8; ++i) {
        pairs.emplace_back(
            random() % 2 == 0 ? UnitSystem::Inches : UnitSystem::Centimetres, static_cast<int>(random() % 31) - 15);
    }
    RoomFitter fitter{NumberFormat{","}};
    const NumberFormat comma{","};
    for (int draw = 0; draw < 300; ++draw) {
        const auto [units, angle] = pairs[random() % pairs.size()];
        const DistanceKind kind = random() % 2 == 0 ? DistanceKind::Throw : DistanceKind::Straight;
        const double scale = units == UnitSystem::Inches ? 600.0 : 1500.0;
        const double room = RoundFixed(std::uniform_real_distribution<double>(1.0, scale)(random));
        const double bottom = RoundFixed(std::uniform_real_distribution<double>(0.0, scale / 10)(random));
        SCOPED_TRACE(testing::Message() << "units " << static_cast<int>(units) << " angle " << angle << " kind "
                                        << static_cast<int>(kind) << " room " << room);

        const auto& table = replays().at(units, angle);
        const auto bounds = barRange(units); // named, not bound: lambdas below capture them
        const int first = bounds.first;
        const int last = bounds.second;
        const RoomFit answer = fitter.fit({units, angle, kind, room, bottom});
        for (std::size_t row = 0; row < kRowCount; ++row) {
            const auto fits = [&](int width) {
                const PlacementResult& r = table[static_cast<std::size_t>(width - first)].rows[row];
                return !r.isWarning && number(chosen(r, kind)) <= room;
            };
            int widest = 0;
            for (int width = first; width <= last; ++width) {
                if (fits(width))
                    widest = width;
            }
            const RowFit& fit = answer[row];
            if (widest == 0) {
                EXPECT_EQ(fit.limit, FitLimit::None) << "row " << row;
                continue;
            }
            ASSERT_EQ(fit.width, widest) << "row " << row;
            const Shown& at = table[static_cast<std::size_t>(widest - first)];
            // The fitter's window writes the comma; the replays a period.
            EXPECT_EQ(number(fit.shown.throwDistance, comma), number(at.rows[row].throwDistance)) << "row " << row;
            EXPECT_EQ(number(fit.widthCaption, comma), widest);
            const bool nextShown
                = widest < last && !table[static_cast<std::size_t>(widest + 1 - first)].rows[row].isWarning;
            EXPECT_EQ(fit.limit, nextShown ? FitLimit::Room : FitLimit::Range) << "row " << row;
            ASSERT_TRUE(fit.baseHeight.has_value());
            EXPECT_EQ(number(fit.baseHeight->text, comma), RoundFixed(bottom - number(at.rows[row].verticalOffset)));
        }
    }
}

TEST(RoomFit, RoomLengthsTakeTheUsersSeparatorAndTwoDecimals)
{
    const NumberFormat period;
    const NumberFormat comma{","};
    const struct {
        const char* text;
        const NumberFormat& format;
        std::optional<double> value;
    } cases[] = {
        {"120", period, 120.0},
        {" 120.5 ", period, 120.5},
        {"120.25", period, 120.25},
        {"0", period, 0.0},
        {"120,25", comma, 120.25},
        {"120.25", comma, std::nullopt},
        {"120,25", period, std::nullopt},
        {"120.255", period, std::nullopt},
        {"-3", period, std::nullopt},
        {"+3", period, std::nullopt},
        {"1e3", period, std::nullopt},
        {"", period, std::nullopt},
        {".", period, std::nullopt},
        {"12 0", period, std::nullopt},
        {"abc", period, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseRoomLength(c.text, c.format), c.value) << c.text;
}

} // namespace
} // namespace qvd
