// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The "Fit to room" dialog: the distance the room gives (throw distance or
// straight line) and, if the user knows it, the height of the screen's bottom
// edge above the floor, in the window's unit; and for each row the widest
// screen that fits, why not wider, the window's captions at that width and the
// base height. It fits at the unit and angle the window shows and follows
// them while open. It never writes the model itself: "Use this size" hands the
// width to the view, which applies it as the user's steps.

#include "runtime/length_format.h"
#include "ui/job/job_session.h"
#include "ui/job/room_fit.h"
#include "ui/qt/print/job_notices.h"

#include <QDialog>

#include <cstddef>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace qvd {

class ProblemText;
class RoomDistanceFields;

class RoomFitDialog : public QDialog {
public:
    // Applies the Width option and a width, as the user's steps.
    using WidthUser = std::function<void(int width)>;

    // Edits the room of `session`, which must outlive the dialog, as the
    // user types, and follows the session's `notices`: a room set elsewhere
    // shows in the fields, and a change of the window's unit or angle, the
    // room or the length format shows in the answer.
    RoomFitDialog(JobSession& session, const JobNotices& notices, WidthUser useWidth, QWidget* parent);

    // The answer shown, and the table that shows it (a row per projector).
    [[nodiscard]] const std::optional<RoomFit>& answer() const { return m_answer; }
    // Columns are the room fit's headers after the projector, and "Use in
    // the window"; rows are headed by the projectors.
    [[nodiscard]] QTableWidget* table() const { return m_table; }
    // The table's column of "Use this size" cells.
    [[nodiscard]] static int useColumn();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum TableColumn : int {
        ProjectorColumn,
        LimitColumn,
        WidthColumn,
        HeightColumn,
        DiagonalColumn,
        ThrowColumn,
        StraightColumn,
        OffsetColumn,
        BaseColumn,
        UseColumn,
        ColumnCount,
    };

    void follow(JobChange change);
    // Puts the session's room into the fields.
    void showRoom();
    void readInputs();
    void refit();
    void showAnswer();
    // "Use this size" of `row`, when the row has a size.
    void useSize(std::size_t row);

    JobSession& m_session;
    const MainWindow& m_model;
    WidthUser m_useWidth;
    std::optional<RoomFit> m_answer; // as the table shows it

    RoomDistanceFields* m_distance = nullptr; // the distance and its kind
    QLineEdit* m_screenBottom = nullptr;
    QLabel* m_screenBottomUnit = nullptr;
    QLabel* m_setting = nullptr;     // the angle and unit fitted at
    ProblemText* m_status = nullptr; // what is wrong with an input
    QTableWidget* m_table = nullptr;
};

} // namespace qvd
