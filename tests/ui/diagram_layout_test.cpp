// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The placement diagram laid out in a frame: every label inside the frame,
// clear of the other labels and of every line, beside what it labels.

#include "ui/job/diagram_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace qvd {
namespace {

const DiagramLabel* labelFor(const DiagramLayout& layout, LabelRole role)
{
    const auto found = std::find_if(
        layout.labels.begin(), layout.labels.end(), [role](const DiagramLabel& l) { return l.role == role; });
    return found == layout.labels.end() ? nullptr : &*found;
}

// Whether the segment from `a` to `b` passes through the inside of `box`.
bool crosses(ViewPoint a, ViewPoint b, const ViewBox& box)
{
    for (int step = 0; step <= 200; ++step) {
        const double t = step / 200.0;
        const double x = a.x + (b.x - a.x) * t;
        const double y = a.y + (b.y - a.y) * t;
        if (x > box.left + 0.5 && x < box.right() - 0.5 && y > box.top + 0.5 && y < box.bottom() - 0.5)
            return true;
    }
    return false;
}

struct Case {
    const char* name;
    UnitSystem units;
    int angle;                // gives a positive or a negative vertical offset
    const char* screenBottom; // the room's, or none
    double width;             // of the frame, pixels; the height follows
    double em;
    bool turned; // the heights' labels read upwards
};

class DiagramLayoutCase : public ::testing::TestWithParam<Case> {};

TEST_P(DiagramLayoutCase, LabelsStandClearInsideTheFrameBesideTheirLines)
{
    const Case& c = GetParam();
    MainWindow window{NumberFormat{}};
    window.load();
    window.enterInputs({c.units, Sizing::Width, c.units == UnitSystem::Inches ? 100 : 250, {}});
    window.controls().moveScrollBar(window.angleBar(), c.angle);
    const RoomSetting room{
        DistanceKind::Throw, "", c.screenBottom != nullptr ? std::optional<std::string>(c.screenBottom) : std::nullopt};
    const PlacementDiagram d = placementDiagram(window, LengthFormat::Decimal, Ulmo, room);
    ASSERT_TRUE(d.isDrawable());
    const DiagramLayout layout = layOutDiagram(d, c.width, 0, c.em);
    ASSERT_TRUE(layout.fits);
    EXPECT_GT(layout.height, 0);

    std::vector<LabelRole> roles = {LabelRole::ThrowDistance, LabelRole::StraightLine, LabelRole::VerticalOffset,
        LabelRole::Tilt, LabelRole::Screen, LabelRole::Projector};
    if (c.screenBottom != nullptr) {
        if (std::string(c.screenBottom) != "0") // a screen on the floor has no height to give
            roles.push_back(LabelRole::ScreenBottom);
        roles.push_back(LabelRole::BaseHeight);
    }
    ASSERT_EQ(layout.labels.size(), roles.size());
    for (const LabelRole role : roles)
        EXPECT_NE(labelFor(layout, role), nullptr) << static_cast<int>(role);

    const ViewBox frame{0, 0, layout.width, layout.height};
    for (std::size_t i = 0; i < layout.labels.size(); ++i) {
        const DiagramLabel& label = layout.labels[i];
        const ViewBox box = layout.box(label);
        EXPECT_TRUE(frame.contains(box)) << label.text << " at " << box.left << "," << box.top << " " << box.width
                                         << "x" << box.height << " in " << layout.width << "x" << layout.height;
        EXPECT_GE(label.size, 1.0) << label.text; // never smaller than the font it is given
        for (std::size_t j = i + 1; j < layout.labels.size(); ++j)
            EXPECT_FALSE(box.intersects(layout.box(layout.labels[j]))) << label.text << " / " << layout.labels[j].text;
        for (const DiagramShape& shape : layout.shapes) {
            if (shape.kind == DiagramShape::Kind::Line)
                EXPECT_FALSE(crosses(layout.map(shape.points[0]), layout.map(shape.points[1]), box))
                    << label.text << " over a line from " << layout.map(shape.points[0]).x << ","
                    << layout.map(shape.points[0]).y;
        }
    }

    // The vertical offset says its sign and stands left of the screen, level
    // with the middle of what it measures; the projector's name is a title.
    const DiagramLabel& offset = *labelFor(layout, LabelRole::VerticalOffset);
    EXPECT_EQ(offset.text, d.verticalOffset.label);
    EXPECT_EQ(offset.text.front() == '-', d.screenBottom.y < 0) << offset.text;
    EXPECT_EQ(offset.turned, c.turned);
    const ViewBox offsetBox = layout.box(offset);
    EXPECT_LT(offsetBox.right(), layout.map({d.screenBottom}).x);
    const double middle = layout.map({{0.0, d.screenBottom.y / 2}}).y;
    EXPECT_LT(offsetBox.top, middle);
    EXPECT_GT(offsetBox.bottom(), middle);
    const DiagramLabel& projector = *labelFor(layout, LabelRole::Projector);
    EXPECT_EQ(projector.text, "Ulmo");
    EXPECT_TRUE(projector.bold);
    EXPECT_GT(layout.map({d.screenTop}).y, layout.box(*labelFor(layout, LabelRole::Screen)).bottom());
    if (c.screenBottom != nullptr)
        EXPECT_EQ(labelFor(layout, LabelRole::BaseHeight)->turned, c.turned);
}

// At 10 degrees Ulmo's offset is positive, at 0 and below negative; a
// phone's frame is too narrow for the room's heights to stand level.
INSTANTIATE_TEST_SUITE_P(Diagram, DiagramLayoutCase,
    ::testing::Values(Case{"InchesUp", UnitSystem::Inches, 10, nullptr, 700, 13, false},
        Case{"InchesDown", UnitSystem::Inches, -10, nullptr, 700, 13, false},
        Case{"CentimetresUpRoom", UnitSystem::Centimetres, 10, "100", 700, 13, false},
        Case{"CentimetresDownRoom", UnitSystem::Centimetres, -10, "300", 700, 13, false},
        Case{"InchesDownRoomOnFloor", UnitSystem::Inches, -15, "0", 700, 13, false},
        Case{"PhoneInchesUp", UnitSystem::Inches, 10, nullptr, 340, 16, false},
        Case{"PhoneInchesDown", UnitSystem::Inches, -15, nullptr, 328, 16, false},
        Case{"PhoneCentimetresLevel", UnitSystem::Centimetres, 0, nullptr, 328, 16, false},
        Case{"PhoneInchesDownRoom", UnitSystem::Inches, -10, "40", 340, 16, true},
        Case{"PhoneCentimetresUpRoom", UnitSystem::Centimetres, 15, "120", 340, 16, true}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// A row that shows a range warning is laid out as its words, the detail
// wrapped to the frame; a frame too small for the drawing draws nothing.
TEST(DiagramLayout, WarningWrapsAndNoRoomDrawsNothing)
{
    MainWindow window{NumberFormat{}};
    window.load();
    const DiagramLayout warning = layOutDiagram(placementDiagram(window, LengthFormat::Decimal, CorvinNrx), 200, 0, 12);
    ASSERT_TRUE(warning.fits);
    ASSERT_GE(warning.labels.size(), 3U);
    EXPECT_EQ(warning.labels[0].text, "Screen Too Big");
    EXPECT_EQ(warning.labels[0].colour, kDiagramWarning);
    std::string detail;
    for (std::size_t i = 1; i < warning.labels.size(); ++i) {
        EXPECT_LE(warning.box(warning.labels[i]).width, 200 * 0.85 + 1e-9) << warning.labels[i].text;
        EXPECT_GT(warning.box(warning.labels[i]).top, warning.box(warning.labels[i - 1]).top);
        detail += (i > 1 ? " " : "") + warning.labels[i].text;
    }
    EXPECT_EQ(detail, "widths from 50 to 72 in.; needs a screen at most 72 in. wide");

    const PlacementDiagram ulmo = placementDiagram(window, LengthFormat::Decimal, Ulmo);
    const DiagramLayout tiny = layOutDiagram(ulmo, 80, 60, 12);
    EXPECT_FALSE(tiny.fits);
    EXPECT_TRUE(tiny.shapes.empty());
    EXPECT_TRUE(tiny.labels.empty());
}

} // namespace
} // namespace qvd
