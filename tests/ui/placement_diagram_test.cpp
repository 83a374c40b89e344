// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The placement diagram's geometry, read back from what the window shows.

#include "ui/job/placement_diagram.h"

#include "calc/projector_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace qvd {
namespace {

class Diagram : public ::testing::Test {
protected:
    Diagram() { window.load(); }
    void angle(int degrees) { window.controls().moveScrollBar(window.angleBar(), degrees); }
    void width(int w) { window.enterInputs({UnitSystem::Inches, Sizing::Width, w, {}}); }

    MainWindow window{NumberFormat{}};
};

TEST_F(Diagram, DiagramPlacesScreenProjectorAndDistancesFromTheCaptions)
{
    for (int degrees : {10, 0, -10}) {
        angle(degrees);
        const PlacementDiagram d = placementDiagram(window, LengthFormat::Decimal, Ulmo);
        ASSERT_TRUE(d.isDrawable()) << degrees;
        const PlacementResult shown = window.placement().result(Ulmo);
        const double offset = ParseNumber(shown.verticalOffset, {});
        EXPECT_EQ(d.screenBottom.y, offset);
        EXPECT_DOUBLE_EQ(d.screenTop.y - d.screenBottom.y, 75.0); // 4:3 screen 100 wide
        EXPECT_EQ(d.frontFoot.x, ParseNumber(shown.straightLine, {}));
        EXPECT_EQ(d.frontFoot.x - d.lens.x, 5.0); // Ulmo's foot offset
        EXPECT_EQ(d.lens.y, 12.5);                // and lens height
        // The throw line from the lens to the screen centre is as long as the
        // throw caption says and rises at the tilt angle (to the rounding).
        const double dx = d.lens.x - d.screenCentre.x;
        const double dy = d.screenCentre.y - d.lens.y;
        EXPECT_NEAR(std::hypot(dx, dy), ParseNumber(shown.throwDistance, {}), 0.02) << degrees;
        EXPECT_NEAR(std::atan2(dy, dx) * 180 / std::numbers::pi, degrees, 0.05) << degrees;
        EXPECT_EQ(d.throwDistance.label, shown.throwDistance + " in.");
        EXPECT_EQ(d.verticalOffset.label, shown.verticalOffset + " in.");
        EXPECT_EQ(d.tiltDegrees, degrees);
        for (DiagramPoint p : {d.screenBottom, d.screenTop, d.lens, d.frontFoot, d.bodyBack}) {
            EXPECT_GE(p.x, d.minimum.x);
            EXPECT_LE(p.x, d.maximum.x);
            EXPECT_GE(p.y, d.minimum.y);
            EXPECT_LE(p.y, d.maximum.y);
        }
    }
}

TEST_F(Diagram, DiagramOfAWarnedRowIsItsWarning)
{
    const PlacementDiagram big = placementDiagram(window, LengthFormat::Decimal, CorvinNrx);
    EXPECT_FALSE(big.isDrawable());
    EXPECT_EQ(big.notice, "Screen Too Big");
    EXPECT_EQ(big.noticeDetail, "widths from 50 to 72 in.; needs a screen at most 72 in. wide");
    width(72); // now calculated
    EXPECT_TRUE(placementDiagram(window, LengthFormat::Decimal, CorvinNrx).isDrawable());
}

TEST_F(Diagram, RoomFloorLiesTheBaseHeightBelowTheProjectorsBase)
{
    EXPECT_FALSE(placementDiagram(window, LengthFormat::Decimal, Ulmo, {DistanceKind::Throw, "150", std::nullopt})
                     .room.has_value());
    EXPECT_FALSE(
        placementDiagram(window, LengthFormat::Decimal, Ulmo, {DistanceKind::Throw, "150", "high"}).room.has_value());
    // Ulmo's offset at start-up is 3.25: its base stands 36.75 above a floor
    // 40 below the screen, and 3.25 below a floor level with the screen.
    const struct {
        const char* screenBottom;
        double floorY;
        const char* base;
        bool belowFloor;
    } cases[] = {{"40", -36.75, "36.75 in.", false}, {"0", 3.25, "-3.25 in.", true}};
    for (const auto& c : cases) {
        const PlacementDiagram d
            = placementDiagram(window, LengthFormat::Decimal, Ulmo, {DistanceKind::Straight, "", c.screenBottom});
        ASSERT_TRUE(d.room.has_value()) << c.screenBottom;
        EXPECT_DOUBLE_EQ(d.room->y, c.floorY);
        EXPECT_EQ(d.room->baseHeight.label, c.base);
        EXPECT_EQ(d.room->belowFloor, c.belowFloor);
        EXPECT_EQ(d.room->screenBottom.label, std::string(c.screenBottom) + " in.");
        EXPECT_DOUBLE_EQ(d.room->screenBottom.to.y - d.room->screenBottom.from.y, std::stod(c.screenBottom));
        EXPECT_LE(d.minimum.y, d.room->y);
    }
    EXPECT_FALSE(placementDiagram(window, LengthFormat::Decimal, CorvinNrx, {DistanceKind::Throw, "150", "40"})
                     .room.has_value());
}

// The words every view gives the diagram: the room's floor included when there is one.
TEST_F(Diagram, DescriptionSaysTheDistancesAndTheRoom)
{
    const std::string plain = diagramDescription(placementDiagram(window, LengthFormat::Decimal, Ulmo));
    EXPECT_EQ(plain.rfind("Ulmo: throw distance ", 0), 0U) << plain;
    EXPECT_EQ(plain.find("floor"), std::string::npos) << plain;
    const std::string room
        = diagramDescription(placementDiagram(window, LengthFormat::Decimal, Ulmo, {DistanceKind::Straight, "", "0"}));
    EXPECT_NE(room.find(", screen bottom 0 in. above the floor, base height -3.25 in."), std::string::npos) << room;
    EXPECT_EQ(diagramDescription(placementDiagram(window, LengthFormat::Decimal, CorvinNrx)),
        "Corvin NRX: Screen Too Big; widths from 50 to 72 in.; needs a screen at most 72 in. wide");
}

} // namespace
} // namespace qvd
