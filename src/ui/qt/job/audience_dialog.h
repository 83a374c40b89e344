// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The "Size for the audience" dialog: the farthest viewer, the viewing rule
// and its figure (the element height or the lines of resolution), and if the
// user knows them the screen's bottom edge and the seated eye height, all in
// the window's unit; the room's distance, shared with Fit to room. It shows
// the rule and its result in words, the smallest screen the window offers for
// it, the closest viewer, and for each row its placement at that screen and
// whether the room holds it. It sizes at the unit and angle the window shows
// and follows them while open. It never writes the model itself: "Use this
// size" hands the screen and the row to the view, which applies them as the
// user's steps.
//
// Keyboard and screen readers: the focus starts on the farthest viewer and
// goes back to the window on closing; Escape closes; Return presses nothing
// (no button is a default one), so it never changes the job; a problem is
// announced as an alert and its field marked invalid.

#include "ui/job/audience.h"
#include "ui/job/job_session.h"
#include "ui/qt/print/job_notices.h"

#include <QDialog>

#include <cstddef>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace qvd {

class ProblemText;
class RoomDistanceFields;

class AudienceDialog : public QDialog {
public:
    // Enters the screen and chooses the row, as the user's steps.
    using ScreenUser = std::function<void(const OfferedScreen& screen, std::size_t row)>;

    // Edits the audience and the room's distance of `session`, which must
    // outlive the dialog, as the user types, and follows the session's
    // `notices`: an audience or room set elsewhere shows in the fields, and
    // sizes again when they or the window's unit or angle change.
    AudienceDialog(JobSession& session, const JobNotices& notices, ScreenUser useScreen, QWidget* parent);

    [[nodiscard]] const std::optional<AudienceAnswer>& answer() const { return m_answer; }
    [[nodiscard]] QTableWidget* table() const { return m_table; }
    [[nodiscard]] QString problem() const;

private:
    enum TableColumn : int {
        RoomColumn,
        ThrowColumn,
        StraightColumn,
        OffsetColumn,
        BaseColumn,
        UseColumn,
        ColumnCount
    };

    void follow(JobChange change);
    [[nodiscard]] AudienceSetting typedAudience() const;
    [[nodiscard]] RoomSetting typedRoom() const;
    // Puts the session's audience and room into the fields when they show
    // something else; true then.
    bool showSession();
    void readInputs();
    void resize();
    void showAnswer();
    void markProblem(const QString& problem);

    JobSession& m_session;
    const MainWindow& m_model;
    ScreenUser m_useScreen;
    std::optional<AudienceAnswer> m_answer; // as the table shows it

    QRadioButton* m_basic = nullptr;
    QRadioButton* m_analytical = nullptr;
    QLineEdit* m_farthest = nullptr;
    QLineEdit* m_elementHeight = nullptr;
    QComboBox* m_resolution = nullptr;
    QLineEdit* m_screenBottom = nullptr;
    QLineEdit* m_eyeHeight = nullptr;
    RoomDistanceFields* m_room = nullptr; // the room's distance and its kind
    QList<QLabel*> m_unitLabels;
    QLabel* m_setting = nullptr;     // the angle and unit sized at
    ProblemText* m_status = nullptr; // what is wrong with an input
    QLabel* m_summary = nullptr;     // the rule and its result in words
    QLabel* m_screen = nullptr;      // the screen the window offers
    QLabel* m_viewers = nullptr;     // the closest viewer and the image top
    QTableWidget* m_table = nullptr;
};

} // namespace qvd
