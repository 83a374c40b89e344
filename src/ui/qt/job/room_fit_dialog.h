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

#include <QDialog>

#include <cstddef>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace qvd {

class ProblemText;

class RoomFitDialog : public QDialog {
public:
    // Applies the Width option and a width, as the user's steps.
    using WidthUser = std::function<void(int width)>;

    // Edits the room of `session`, which must outlive the dialog, as the
    // user types.
    RoomFitDialog(JobSession& session, WidthUser useWidth, QWidget* parent);

    // After each user action on the window: fits again if the window's unit
    // or angle has changed.
    void followModel();

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

    [[nodiscard]] UnitSystem windowUnits() const;
    [[nodiscard]] int windowAngle() const;
    // Puts the session's room into the fields when they show something else; true then.
    bool showRoom();
    void readInputs();
    void refit();
    [[nodiscard]] LengthFormat shownLengths() const;
    void showAnswer();
    // "Use this size" of `row`, when the row has a size.
    void useSize(std::size_t row);

    JobSession& m_session;
    const MainWindow& m_model;
    WidthUser m_useWidth;
    std::optional<RoomFit> m_answer;
    UnitSystem m_units = UnitSystem::Inches;
    int m_angle = 0;
    LengthFormat m_lengths = LengthFormat::Decimal; // as the answer is shown

    QLineEdit* m_distance = nullptr;
    QRadioButton* m_throw = nullptr;
    QRadioButton* m_straight = nullptr;
    QLineEdit* m_screenBottom = nullptr;
    QLabel* m_distanceUnit = nullptr;
    QLabel* m_screenBottomUnit = nullptr;
    QLabel* m_setting = nullptr;     // the angle and unit fitted at
    ProblemText* m_status = nullptr; // what is wrong with an input
    QTableWidget* m_table = nullptr;
};

} // namespace qvd
