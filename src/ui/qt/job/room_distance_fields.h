// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The room's distance as "Fit to room" and "Size for the audience" both ask
// for it: the length, with the window's unit beside it, and whether it is a
// throw distance or a straight line, as two option buttons in the session's
// words for the kinds (distanceKindLabel), the first letter of each its
// mnemonic. The fields show the session's room, and tell their dialog of each
// change the user makes.

#include "ui/job/room_fit.h"

#include <QObject>
#include <QString>

#include <functional>

class QButtonGroup;
class QFormLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace qvd {

class RoomDistanceFields : public QObject {
public:
    // Makes the fields in `dialog`, named `prefix` and "Distance", "Throw"
    // and "Straight"; `edited` runs after each change the user makes.
    RoomDistanceFields(const QString& prefix, QWidget& dialog, std::function<void()> edited);

    // Adds the fields to `form`: `label` (its mnemonic leading to the
    // distance) beside the distance and its unit, then a row per kind.
    void addRows(QFormLayout& form, const QString& label);
    // The unit the distance is typed in ("in." or "cm").
    void setUnit(const QString& unit);

    // Shows the distance and the kind of `room`, without telling the dialog;
    // true when the fields showed something else.
    bool show(const RoomSetting& room);
    // `room` with the distance and the kind as the fields hold them.
    [[nodiscard]] RoomSetting typed(RoomSetting room) const;

    [[nodiscard]] QLineEdit* distance() const { return m_distance; }

private:
    QLineEdit* m_distance = nullptr;
    QLabel* m_unit = nullptr;
    QRadioButton* m_throw = nullptr;
    QRadioButton* m_straight = nullptr;
    QButtonGroup* m_kinds = nullptr;
};

} // namespace qvd
