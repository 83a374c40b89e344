// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/job/room_fit_dialog.h"

#include "runtime/runtime_error.h"
#include "ui/job/table_report.h"
#include "ui/qt/window/control_widgets.h"
#include "ui/qt/window/view_logging.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace qvd {

namespace {

const QColor kWarning(0xcc, 0x00, 0x00);

} // namespace

RoomFitDialog::RoomFitDialog(JobSession& session, WidthUser useWidth, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_model(session.window())
    , m_useWidth(std::move(useWidth))
{
    const MainWindow& model = m_model;
    const RoomSetting& room = session.room();
    setObjectName(QStringLiteral("roomFit"));
    setWindowTitle(QStringLiteral("Fit to room"));
    setAccessibleName(QStringLiteral("Fit to room"));
    if (parent != nullptr)
        setFont(parent->font());
    setAttribute(Qt::WA_QuitOnClose, false);

    m_distance = new QLineEdit(toQString(room.distance), this);
    m_distance->setObjectName(QStringLiteral("roomDistance"));
    m_distance->setAccessibleName(QStringLiteral("Distance the room gives"));
    m_distanceUnit = new QLabel(this);
    // The first letter of each kind's label is its mnemonic.
    m_throw = new QRadioButton(QLatin1Char('&') + toQString(distanceKindLabel(DistanceKind::Throw)), this);
    m_throw->setObjectName(QStringLiteral("roomThrow"));
    m_straight = new QRadioButton(QLatin1Char('&') + toQString(distanceKindLabel(DistanceKind::Straight)), this);
    m_straight->setObjectName(QStringLiteral("roomStraight"));
    (room.kind == DistanceKind::Throw ? m_throw : m_straight)->setChecked(true);
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(m_throw);
    kinds->addButton(m_straight);
    m_screenBottom = new QLineEdit(toQString(room.screenBottom.value_or(std::string())), this);
    m_screenBottom->setObjectName(QStringLiteral("roomScreenBottom"));
    m_screenBottom->setAccessibleName(QStringLiteral("Height of the screen's bottom edge above the floor"));
    m_screenBottom->setPlaceholderText(QStringLiteral("optional"));
    m_screenBottomUnit = new QLabel(this);
    m_setting = new QLabel(this);
    m_setting->setObjectName(QStringLiteral("roomSetting"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("roomStatus"));
    QPalette warning = m_status->palette();
    warning.setColor(QPalette::WindowText, kWarning);
    m_status->setPalette(warning);

    const auto withUnit = [this](QLineEdit* field, QLabel* unit) {
        auto* row = new QHBoxLayout;
        row->addWidget(field);
        row->addWidget(unit);
        row->addStretch();
        return row;
    };
    auto* form = new QFormLayout;
    auto* distanceLabel = new QLabel(QStringLiteral("&Distance:"), this);
    distanceLabel->setBuddy(m_distance);
    form->addRow(distanceLabel, withUnit(m_distance, m_distanceUnit));
    form->addRow(QString(), m_throw);
    form->addRow(QString(), m_straight);
    auto* bottomLabel = new QLabel(QStringLiteral("Screen &bottom above the floor:"), this);
    bottomLabel->setBuddy(m_screenBottom);
    form->addRow(bottomLabel, withUnit(m_screenBottom, m_screenBottomUnit));

    m_table = new QTableWidget(static_cast<int>(kRowCount), ColumnCount, this);
    m_table->setObjectName(QStringLiteral("roomFitTable"));
    m_table->setAccessibleName(QStringLiteral("Widest screen per projector"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->verticalHeader()->hide();
    QStringList headers;
    for (const std::string& header : session.roomFitHeaders())
        headers << toQString(header);
    m_table->setHorizontalHeaderLabels(headers << QString());
    const TableReport projectors = tableReport(model);
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const int r = static_cast<int>(row);
        for (int column = 0; column < UseColumn; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignVCenter | (column <= LimitColumn ? Qt::AlignLeft : Qt::AlignRight));
            m_table->setItem(r, column, item);
        }
        m_table->item(r, ProjectorColumn)->setText(QString::fromStdString(projectors.rows[row].projector));
        auto* use = new QPushButton(QStringLiteral("Use this size"), m_table);
        use->setObjectName(QStringLiteral("useSize%1").arg(r));
        connect(use, &QPushButton::clicked, this, [this, row] {
            if (m_answer && (*m_answer)[row].limit != FitLimit::None)
                m_useWidth((*m_answer)[row].width);
        });
        m_table->setCellWidget(r, UseColumn, use);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_setting);
    layout->addWidget(m_status);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);

    connect(m_distance, &QLineEdit::textChanged, this, [this] { readInputs(); });
    connect(m_screenBottom, &QLineEdit::textChanged, this, [this] { readInputs(); });
    connect(kinds, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool checked) {
        if (checked)
            readInputs();
    });

    m_units = windowUnits();
    m_angle = windowAngle();
    refit();
}

UnitSystem RoomFitDialog::windowUnits() const { return m_session.selectedUnits(); }

int RoomFitDialog::windowAngle() const { return m_session.angle(); }

bool RoomFitDialog::showRoom()
{
    const std::string bottom = m_screenBottom->text().trimmed().toStdString();
    const bool throwShown = m_throw->isChecked();
    if (m_distance->text().toStdString() == m_session.room().distance
        && bottom == m_session.room().screenBottom.value_or(std::string())
        && throwShown == (m_session.room().kind == DistanceKind::Throw))
        return false;
    const QSignalBlocker distance(m_distance);
    const QSignalBlocker screenBottom(m_screenBottom);
    const QSignalBlocker throwBlocker(m_throw);
    const QSignalBlocker straightBlocker(m_straight);
    m_distance->setText(toQString(m_session.room().distance));
    m_screenBottom->setText(toQString(m_session.room().screenBottom.value_or(std::string())));
    (m_session.room().kind == DistanceKind::Throw ? m_throw : m_straight)->setChecked(true);
    return true;
}

void RoomFitDialog::followModel()
{
    // The room may have been set elsewhere (a job opened): the fields show it.
    const bool roomMoved = showRoom();
    if (!roomMoved && windowUnits() == m_units && windowAngle() == m_angle) {
        if (shownLengths() != m_lengths)
            showAnswer();
        return;
    }
    m_units = windowUnits();
    m_angle = windowAngle();
    refit();
}

void RoomFitDialog::readInputs()
{
    RoomSetting room;
    room.kind = m_throw->isChecked() ? DistanceKind::Throw : DistanceKind::Straight;
    room.distance = m_distance->text().toStdString();
    const QString bottom = m_screenBottom->text().trimmed();
    room.screenBottom = bottom.isEmpty() ? std::nullopt : std::optional(bottom.toStdString());
    // The session tells its followers, this dialog among them: the fields
    // already show the room, so only the answer is worked out here.
    m_session.setRoom(room);
    refit();
}

void RoomFitDialog::refit()
{
    const QString unit = toQString(m_session.roomUnit());
    m_distanceUnit->setText(unit);
    m_screenBottomUnit->setText(unit);
    m_setting->setText(toQString(m_session.roomSettingText()));
    const QString problem = toQString(m_session.roomProblem());
    m_status->setText(problem);
    m_status->setVisible(!problem.isEmpty());

    m_answer.reset();
    try {
        m_answer = m_session.roomFit();
    } catch (const RuntimeError& error) {
        qCWarning(lcView) << "room fit failed:" << toQString(errorKindName(error.kind()));
    }
    showAnswer();
}

LengthFormat RoomFitDialog::shownLengths() const { return m_session.roomFitLengths(); }

void RoomFitDialog::showAnswer()
{
    m_lengths = shownLengths();
    const auto shown = [this](const std::string& text) {
        return QString::fromStdString(lengthShown(text, m_lengths, m_model.numberFormat()));
    };
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const int r = static_cast<int>(row);
        const auto set = [&](int column, const QString& text, const QColor& colour = QColor()) {
            QTableWidgetItem* item = m_table->item(r, column);
            item->setText(text);
            item->setForeground(colour.isValid() ? QBrush(colour) : QBrush());
        };
        const RowFit empty;
        const RowFit& fit = m_answer ? (*m_answer)[row] : empty;
        set(LimitColumn, m_answer ? toQString(limitWords(fit.limit)) : QString());
        const std::string texts[] = {fit.widthCaption, fit.heightCaption, fit.diagonalCaption, fit.shown.throwDistance,
            fit.shown.straightLine, fit.shown.verticalOffset};
        for (int column = WidthColumn; column <= OffsetColumn; ++column)
            set(column, shown(texts[column - WidthColumn]));
        if (fit.baseHeight && fit.baseHeight->belowFloor)
            set(BaseColumn, toQString(withFloorFlag(shown(fit.baseHeight->text).toStdString(), true)), kWarning);
        else
            set(BaseColumn, fit.baseHeight ? shown(fit.baseHeight->text) : QString());
        m_table->cellWidget(r, UseColumn)->setEnabled(m_answer && fit.limit != FitLimit::None);
    }
    // The whole table in view, without scrolling.
    m_table->resizeColumnsToContents();
    const int frame = 2 * m_table->frameWidth();
    m_table->setMinimumSize(m_table->horizontalHeader()->length() + frame,
        m_table->horizontalHeader()->height() + m_table->verticalHeader()->length() + frame);
    if (layout() != nullptr) {
        layout()->activate();
        resize(size().expandedTo(minimumSizeHint()));
    }
}

} // namespace qvd
