// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The side view of one row's placement, as geometry to paint: the screen, the
// floor through the projector's base, the projector with its base, front foot
// and lens, the tilt, and the row's three distances as dimension lines. The
// distances are read back from the captions the table shows, so the drawing
// agrees with the table to the last digit; only the projector's own lengths
// (foot offset and lens height) come from the projector table.
//
// Coordinates are lengths in the table's unit: x is the horizontal distance
// from the screen towards the projector, y the height above the floor on
// which the projector stands.

#include "runtime/length_format.h"
#include "ui/job/room_fit.h"
#include "ui/window/main_window.h"

#include <cstddef>
#include <optional>
#include <string>

namespace qvd {

struct DiagramPoint {
    double x = 0.0;
    double y = 0.0;
};

struct DimensionLine {
    DiagramPoint from;
    DiagramPoint to;
    std::string label; // the caption the table shows for this distance, as lengthCaption shows it
};

struct PlacementDiagram {
    std::string projector; // the row's caption
    // Set when the row shows no placement to draw (a range warning, or a
    // caption that is not a number): the words to show instead, and for a
    // range warning the row's range hint (what would make it fit).
    std::string notice;
    std::string noticeDetail;

    DiagramPoint screenBottom;
    DiagramPoint screenCentre;
    DiagramPoint screenTop;
    DiagramPoint frontFoot; // on the floor
    DiagramPoint lens;
    // The projector's body: a box standing level on the floor from the lens
    // backwards. The lens sits at the height the table gives whatever the
    // angle, so the tilt is that of the lens's axis, the throw line, which
    // rises towards the screen by `tiltDegrees`.
    DiagramPoint bodyFront;
    DiagramPoint bodyBack;
    double bodyHeight = 0.0;
    double tiltDegrees = 0.0;
    std::string tiltLabel;

    DimensionLine throwDistance;  // lens to screen centre
    DimensionLine straightLine;   // front foot to the screen, along the floor
    DimensionLine verticalOffset; // floor to the screen's bottom, at the screen

    // With the height of the screen's bottom edge given: the room's floor,
    // which lies the base height below the projector's base (above it when
    // the base would stand below the floor).
    struct RoomFloor {
        double y = 0.0;
        DimensionLine screenBottom; // room floor to the screen's bottom edge, at the screen
        DimensionLine baseHeight;   // room floor to the projector's base, behind the projector
        bool belowFloor = false;
    };
    std::optional<RoomFloor> room;

    // Everything drawn lies within these bounds.
    DiagramPoint minimum;
    DiagramPoint maximum;

    [[nodiscard]] bool isDrawable() const { return notice.empty(); }
};

// The diagram of row `row` as the window shows it now, its lengths as
// `lengths` asks; with a screen-bottom height in `room`, standing in the room
// with its floor.
[[nodiscard]] PlacementDiagram placementDiagram(
    const MainWindow& window, LengthFormat lengths, std::size_t row, const RoomSetting& room = {});

// The diagram in words, as assistive technology hears it on every view: the
// projector, its three distances and the angle, and the room's floor when
// there is one; for a row that cannot be drawn, its notice.
[[nodiscard]] std::string diagramDescription(const PlacementDiagram& d);

} // namespace qvd
