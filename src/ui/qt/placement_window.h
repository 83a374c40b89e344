// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window "Placement": the side view of one row's placement, with a
// selector of the row. It reads the diagram from the model when it is shown,
// when another row is picked and, while it is open, after each user action on
// the main window (followModel); hidden, it costs the recalculations nothing.

#include "placement_painter.h"
#include "ui/main_window.h"
#include "ui/placement_diagram.h"

#include <QWidget>

#include <cstddef>
#include <functional>

class QComboBox;

namespace qvd {

class PlacementCanvas;

class PlacementWindow : public QWidget {
public:
    // A window of its own that closes with `parent`; `model` must outlive it.
    // With `room`, the diagram stands in that room when it has a height.
    PlacementWindow(const MainWindow& model, QWidget* parent, const RoomSetting* room = nullptr);

    // Shows the diagram of `row` from now on, without bringing the window up.
    void setRow(std::size_t row);
    // Shows the diagram of `row`, bringing the window up and to the front.
    void showRow(std::size_t row);
    [[nodiscard]] std::size_t row() const;

    // Reads the diagram again if the window is open.
    void followModel();

    // The diagram as last read from the model.
    [[nodiscard]] const PlacementDiagram& diagram() const { return m_diagram; }
    // Where its last paint put the diagram's parts, in the coordinates of
    // the drawing, whose bounds are canvasRect().
    [[nodiscard]] const PaintedDiagram& paintedDiagram() const;
    [[nodiscard]] QRect canvasRect() const;

    // Told the row that the user picks in this window's selector.
    void setRowPicked(std::function<void(std::size_t)> handler) { m_rowPicked = std::move(handler); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    const MainWindow& m_model;
    const RoomSetting* m_room;
    QComboBox* m_rows = nullptr;
    PlacementCanvas* m_canvas = nullptr;
    PlacementDiagram m_diagram;
    std::function<void(std::size_t)> m_rowPicked;
};

} // namespace qvd
