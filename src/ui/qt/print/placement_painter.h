// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Paints the side view of a row's placement. The geometry comes whole from
// placementDiagram(); this only maps it into a rectangle, to scale (one unit
// of length is as many pixels across as up), and dresses it: the floor, the
// screen, the projector with its lens, the beam, the tilt and the three
// dimension lines labelled with the table's captions. A row that shows a
// range warning is painted as its warning and what would make it fit.

#include "ui/job/placement_diagram.h"

#include <QFont>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

namespace qvd {

// Where a painted diagram's parts landed, in the painter's coordinates.
struct PaintedDiagram {
    struct Label {
        QString text;
        QRectF box; // the white ground behind the text
    };
    QPolygonF beam;            // the lens and the screen's top and bottom
    QLineF screen;             // from its bottom to its top
    std::vector<Label> labels; // the three dimensions, the tilt, the names, the room's heights; or the warning's lines
};

// Paints `diagram` into `area` of `painter`'s device, setting its labels in
// `font` and every line width in proportion to it. Paints no background.
PaintedDiagram paintPlacementDiagram(
    QPainter& painter, const QRectF& area, const PlacementDiagram& diagram, const QFont& font);

} // namespace qvd
