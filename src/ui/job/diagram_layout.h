// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The placement diagram laid out in a frame, ready to paint: every shape and
// label the views draw, where it stands, its size and its colour. The views
// (the desktop's window and job sheet, the web page) only map each place to
// their own coordinates and paint; nothing about the drawing is decided twice.
//
// A place is a point of the diagram (its lengths, see PlacementDiagram) moved
// by an offset in em of the label font: labels and dimension lines keep their
// size and distance from what they label whatever the drawing's scale. The
// frame is given in the view's units (pixels) with the label font's em; the
// layout finds the scale that leaves room round the drawing for its labels.

#include "ui/job/placement_diagram.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qvd {

// A colour as 0xAARRGGBB.
using DiagramColour = std::uint32_t;

struct DiagramPlace {
    DiagramPoint at;
    double dx = 0.0; // em, to the right
    double dy = 0.0; // em, upwards
};

// A point in the view's units: x to the right, y downwards from the frame's top left.
struct ViewPoint {
    double x = 0.0;
    double y = 0.0;
};

struct ViewBox {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;

    [[nodiscard]] double right() const { return left + width; }
    [[nodiscard]] double bottom() const { return top + height; }
    [[nodiscard]] bool intersects(const ViewBox& other) const;
    [[nodiscard]] bool contains(const ViewBox& other) const;
};

struct DiagramShape {
    enum class Kind {
        Line,    // points[0] to points[1]
        Polygon, // closed through its points
        Arc,     // round points[0], `radius` em, from `startDegrees` turning `spanDegrees` (anticlockwise)
        Dot,     // a filled circle round points[0], `radius` em
    };
    Kind kind = Kind::Line;
    std::vector<DiagramPlace> points;
    DiagramColour stroke = 0; // 0: none
    double strokeWidth = 0.0; // em
    bool dashed = false;
    DiagramColour fill = 0; // 0: none
    double radius = 0.0;
    double startDegrees = 0.0;
    double spanDegrees = 0.0;
};

// What a label names, for the views' tests and for assistive text.
enum class LabelRole {
    ThrowDistance,
    StraightLine,
    VerticalOffset,
    Tilt,
    Screen,
    Projector,
    ScreenBottom,
    BaseHeight,
    Notice,
    NoticeDetail,
};

// Text centred on its place, on a white ground that keeps the lines beneath
// it out of the way of the reading; a turned label reads upwards.
struct DiagramLabel {
    LabelRole role = LabelRole::Screen;
    std::string text;
    DiagramPlace place;
    double size = 1.0; // of the label font's em
    bool bold = false;
    bool turned = false;
    DiagramColour colour = 0;
    // The ground's extent, in em: at least as wide as the text in a common
    // sans-serif face, and a line high.
    double width = 0.0;
    double height = 0.0;
};

struct DiagramLayout {
    double width = 0.0;
    double height = 0.0;
    double em = 0.0;
    // The mapping of a diagram point: x = originX + x * scale, y = originY - y * scale.
    double scale = 0.0;
    double originX = 0.0;
    double originY = 0.0;
    // False when the frame leaves no room for the drawing beside its labels:
    // nothing then is drawn.
    bool fits = false;
    std::vector<DiagramShape> shapes; // painted in order, under the labels
    std::vector<DiagramLabel> labels;

    [[nodiscard]] ViewPoint map(const DiagramPlace& place) const;
    // The ground of `label` in the view's units.
    [[nodiscard]] ViewBox box(const DiagramLabel& label) const;
};

// The ink, the warning's red, the ground behind labels.
inline constexpr DiagramColour kDiagramInk = 0xff222222;
inline constexpr DiagramColour kDiagramWarning = 0xffcc0000;
inline constexpr DiagramColour kDiagramGround = 0xffffffff;

// The width of `text` in em of a common sans-serif face, rounded up so that a
// ground of this width holds it.
[[nodiscard]] double labelTextWidth(std::string_view text, bool bold = false);

// `d` laid out in a frame `width` wide in the view's units with labels of
// `em`; with `height` 0 or less, the frame is as high as the drawing needs at
// the scale its width gives. Where the frame is too narrow for the heights'
// labels to stand level beside their lines, they are turned to read upwards.
[[nodiscard]] DiagramLayout layOutDiagram(const PlacementDiagram& d, double width, double height, double em);

} // namespace qvd
