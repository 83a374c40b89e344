// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window "Placement": the side view of one row's placement, with a
// selector of the row. It reads the diagram from the session when it is shown
// and, while it is open, after each change of the window, the row, the room or
// the length format; hidden, it costs the recalculations nothing.

#include "ui/job/job_session.h"
#include "ui/job/placement_diagram.h"
#include "ui/qt/print/job_notices.h"
#include "ui/qt/print/placement_painter.h"

#include <QWidget>

#include <cstddef>
#include <functional>

class QComboBox;

namespace qvd {

class PlacementCanvas;

class PlacementWindow : public QWidget {
public:
    // A window of its own that closes with `parent`; it follows the
    // `notices` of `session`. It shows the session's chosen row, standing in
    // the session's room when that has a height; picking a row in it chooses
    // that row.
    PlacementWindow(JobSession& session, const JobNotices& notices, QWidget* parent);

    // Chooses `row` and shows its diagram from now on, without bringing the
    // window up.
    void setRow(std::size_t row);
    // Shows the diagram of `row`, bringing the window up and to the front.
    void showRow(std::size_t row);
    [[nodiscard]] std::size_t row() const;

    // The diagram as last read from the model.
    [[nodiscard]] const PlacementDiagram& diagram() const { return m_diagram; }
    // Where its last paint put the diagram's parts, in the coordinates of
    // the drawing, whose bounds are canvasRect().
    [[nodiscard]] const PaintedDiagram& paintedDiagram() const;
    [[nodiscard]] QRect canvasRect() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Shows the chosen row; reads the diagram again if the window is open
    // and the change reaches it.
    void follow(JobChange change);
    void refresh();

    JobSession& m_session;
    QComboBox* m_rows = nullptr;
    PlacementCanvas* m_canvas = nullptr;
    PlacementDiagram m_diagram;
};

} // namespace qvd
