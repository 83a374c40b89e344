// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Paints the side view of a row's placement as the core lays it out
// (layOutDiagram): every shape and label, where it stands and its colour come
// from there; this only maps the layout into a rectangle and paints it.

#include "ui/job/diagram_layout.h"

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

// Paints `diagram` into `area` of `painter`'s device, its labels in `font`'s
// face at the font's size (its em) on that device. Paints no background.
PaintedDiagram paintPlacementDiagram(
    QPainter& painter, const QRectF& area, const PlacementDiagram& diagram, const QFont& font);

} // namespace qvd
