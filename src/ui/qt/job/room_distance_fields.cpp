// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/job/room_distance_fields.h"

#include "ui/qt/window/control_widgets.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include <utility>

namespace qvd {

RoomDistanceFields::RoomDistanceFields(const QString& prefix, QWidget& dialog, std::function<void()> edited)
    : QObject(&dialog)
{
    m_distance = new QLineEdit(&dialog);
    m_distance->setObjectName(prefix + QStringLiteral("Distance"));
    m_distance->setAccessibleName(QStringLiteral("Distance the room gives"));
    m_unit = new QLabel(&dialog);
    const auto kind = [&](DistanceKind which, const char* name) {
        auto* button = new QRadioButton(QLatin1Char('&') + toQString(distanceKindLabel(which)), &dialog);
        button->setObjectName(prefix + QLatin1String(name));
        return button;
    };
    m_throw = kind(DistanceKind::Throw, "Throw");
    m_straight = kind(DistanceKind::Straight, "Straight");
    m_throw->setChecked(true);
    m_kinds = new QButtonGroup(this);
    m_kinds->addButton(m_throw);
    m_kinds->addButton(m_straight);

    connect(m_distance, &QLineEdit::textChanged, this, [edited] { edited(); });
    connect(m_kinds, &QButtonGroup::buttonToggled, this, [edited = std::move(edited)](QAbstractButton*, bool checked) {
        if (checked)
            edited();
    });
}

void RoomDistanceFields::addRows(QFormLayout& form, const QString& label)
{
    auto* row = new QHBoxLayout;
    row->addWidget(m_distance);
    row->addWidget(m_unit);
    row->addStretch();
    auto* name = new QLabel(label, m_distance->parentWidget());
    name->setBuddy(m_distance);
    form.addRow(name, row);
    form.addRow(QString(), m_throw);
    form.addRow(QString(), m_straight);
}

void RoomDistanceFields::setUnit(const QString& unit) { m_unit->setText(unit); }

bool RoomDistanceFields::show(const RoomSetting& room)
{
    QRadioButton* kind = room.kind == DistanceKind::Throw ? m_throw : m_straight;
    const QString distance = toQString(room.distance);
    if (m_distance->text() == distance && kind->isChecked())
        return false;
    // The group tells of a toggle too, whatever the buttons' own signals.
    const QSignalBlocker blockers[] = {QSignalBlocker(m_distance), QSignalBlocker(m_kinds)};
    m_distance->setText(distance);
    kind->setChecked(true);
    return true;
}

RoomSetting RoomDistanceFields::typed(RoomSetting room) const
{
    room.kind = m_straight->isChecked() ? DistanceKind::Straight : DistanceKind::Throw;
    room.distance = m_distance->text().toStdString();
    return room;
}

} // namespace qvd
