// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Paints the side view of a row's placement. The geometry comes whole from
// placementDiagram(); this only maps it into a rectangle, to scale (one unit
// of length is as many pixels across as up), and dresses it: the floor, the
// screen, the projector with its lens, the beam, the tilt and the three
// dimension lines labelled with the table's captions. A row that shows a
// range warning is painted as its warning and what would make it fit.

#include "ui/placement_diagram.h"

#include <QFont>
#include <QRectF>

class QPainter;

namespace qvd {

// Paints `diagram` into `area` of `painter`'s device, setting its labels in
// `font` and every line width in proportion to it. Paints no background.
void paintPlacementDiagram(QPainter& painter, const QRectF& area, const PlacementDiagram& diagram, const QFont& font);

} // namespace qvd
