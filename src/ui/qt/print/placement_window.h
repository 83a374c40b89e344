// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window "Placement": the side view of one row's placement, with a
// selector of the row. It reads the diagram from the model when it is shown,
// when another row is picked and, while it is open, after each user action on
// the main window (followModel); hidden, it costs the recalculations nothing.

#include "ui/job/job_session.h"
#include "ui/job/placement_diagram.h"
#include "ui/qt/print/placement_painter.h"

#include <QWidget>

#include <cstddef>
#include <functional>

class QComboBox;

namespace qvd {

class PlacementCanvas;

class PlacementWindow : public QWidget {
public:
    // A window of its own that closes with `parent`; `session` must outlive
    // it. It shows the session's chosen row, standing in the session's room
    // when that has a height; picking a row in it chooses that row.
    PlacementWindow(JobSession& session, QWidget* parent);

    // Chooses `row` and shows its diagram from now on, without bringing the
    // window up.
    void setRow(std::size_t row);
    // Shows the diagram of `row`, bringing the window up and to the front.
    void showRow(std::size_t row);
    [[nodiscard]] std::size_t row() const;

    // Shows the chosen row; reads the diagram again if the window is open.
    void followModel();

    // The diagram as last read from the model.
    [[nodiscard]] const PlacementDiagram& diagram() const { return m_diagram; }
    // Where its last paint put the diagram's parts, in the coordinates of
    // the drawing, whose bounds are canvasRect().
    [[nodiscard]] const PaintedDiagram& paintedDiagram() const;
    [[nodiscard]] QRect canvasRect() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    JobSession& m_session;
    QComboBox* m_rows = nullptr;
    PlacementCanvas* m_canvas = nullptr;
    PlacementDiagram m_diagram;
};

} // namespace qvd
