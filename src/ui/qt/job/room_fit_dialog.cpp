// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/job/room_fit_dialog.h"

#include "runtime/runtime_error.h"
#include "ui/job/table_report.h"
#include "ui/qt/job/room_distance_fields.h"
#include "ui/qt/window/control_widgets.h"
#include "ui/qt/window/dialog_conventions.h"
#include "ui/qt/window/view_logging.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace qvd {

namespace {

const QColor kWarning(0xcc, 0x00, 0x00);

// The cells of the "Use this size" column, drawn as the push buttons they
// act as; the rest as the table draws them.
class UseCellDelegate : public QStyledItemDelegate {
public:
    UseCellDelegate(int column, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_column(column)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() != m_column) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionButton button;
        button.rect = option.rect.adjusted(1, 1, -1, -1);
        button.text = index.data(Qt::DisplayRole).toString();
        button.fontMetrics = option.fontMetrics;
        button.palette = option.palette;
        button.state = QStyle::State_Raised;
        if ((index.flags() & Qt::ItemIsEnabled) != 0)
            button.state |= QStyle::State_Enabled;
        if ((option.state & QStyle::State_HasFocus) != 0)
            button.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_PushButton, &button, painter, widget);
    }

    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() != m_column)
            return QStyledItemDelegate::sizeHint(option, index);
        QStyleOptionButton button;
        button.fontMetrics = option.fontMetrics;
        const QSize text = option.fontMetrics.size(Qt::TextShowMnemonic, index.data(Qt::DisplayRole).toString());
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        return style->sizeFromContents(QStyle::CT_PushButton, &button, text, widget);
    }

private:
    int m_column;
};

} // namespace

RoomFitDialog::RoomFitDialog(JobSession& session, const JobNotices& notices, WidthUser useWidth, QWidget* parent)
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

    m_distance = new RoomDistanceFields(QStringLiteral("room"), *this, [this] { readInputs(); });
    m_distance->show(room);
    m_screenBottom = new QLineEdit(toQString(room.screenBottom.value_or(std::string())), this);
    m_screenBottom->setObjectName(QStringLiteral("roomScreenBottom"));
    m_screenBottom->setAccessibleName(QStringLiteral("Height of the screen's bottom edge above the floor"));
    m_screenBottom->setPlaceholderText(QStringLiteral("optional"));
    m_screenBottomUnit = new QLabel(this);
    m_setting = new QLabel(this);
    m_setting->setObjectName(QStringLiteral("roomSetting"));
    m_status = new ProblemText(this);
    m_status->setObjectName(QStringLiteral("roomStatus"));

    const auto withUnit = [this](QLineEdit* field, QLabel* unit) {
        auto* row = new QHBoxLayout;
        row->addWidget(field);
        row->addWidget(unit);
        row->addStretch();
        return row;
    };
    auto* form = new QFormLayout;
    m_distance->addRows(*form, QStringLiteral("&Distance:"));
    auto* bottomLabel = new QLabel(QStringLiteral("Screen &bottom above the floor:"), this);
    bottomLabel->setBuddy(m_screenBottom);
    form->addRow(bottomLabel, withUnit(m_screenBottom, m_screenBottomUnit));

    m_table = new QTableWidget(static_cast<int>(kRowCount), ColumnCount - LimitColumn, this);
    m_table->setObjectName(QStringLiteral("roomFitTable"));
    m_table->setAccessibleName(QStringLiteral("Widest screen per projector"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    // As large as the whole table while the screen has room, and scrolling
    // inside it when it has not.
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_table->setItemDelegate(new UseCellDelegate(useColumn(), m_table));
    // The projectors head the rows, for the eye and for a screen reader.
    QStringList headers;
    for (const std::string& header : session.roomFitHeaders())
        headers << toQString(header);
    m_table->setCornerButtonEnabled(false);
    m_table->setHorizontalHeaderLabels(headers.mid(LimitColumn) << QStringLiteral("Use in the window"));
    const TableReport projectors = tableReport(model);
    QStringList rowHeaders;
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const int r = static_cast<int>(row);
        const QString projector = toQString(projectors.rows[row].projector);
        rowHeaders << projector;
        for (int column = LimitColumn; column < UseColumn; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignVCenter | (column <= LimitColumn ? Qt::AlignLeft : Qt::AlignRight));
            m_table->setItem(r, column - LimitColumn, item);
        }
        auto* use = new QTableWidgetItem(QStringLiteral("Use this size"));
        use->setData(Qt::AccessibleTextRole, QStringLiteral("Use this size for %1").arg(projector));
        m_table->setItem(r, useColumn(), use);
    }
    m_table->setVerticalHeaderLabels(rowHeaders);
    connect(m_table, &QTableWidget::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == useColumn())
            useSize(static_cast<std::size_t>(index.row()));
    });
    m_table->installEventFilter(this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("roomFitButtons"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_setting);
    layout->addWidget(m_status);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);

    connect(m_screenBottom, &QLineEdit::textChanged, this, [this] { readInputs(); });

    connect(&notices, &JobNotices::changed, this, &RoomFitDialog::follow);
    refit();
    // No default button: Return in a field leaves the job as it is; a row's
    // size enters the window only when the user chooses it.
    adoptDialogConventions(*this, {m_distance->distance(), nullptr});
}

int RoomFitDialog::useColumn() { return UseColumn - LimitColumn; }

void RoomFitDialog::useSize(std::size_t row)
{
    if (m_answer && row < kRowCount && (*m_answer)[row].limit != FitLimit::None)
        m_useWidth((*m_answer)[row].width);
}

bool RoomFitDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Return, Enter and Space on a "Use this size" cell press it.
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool press = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space;
        const QModelIndex current = m_table->currentIndex();
        if (press && (key->modifiers() & ~Qt::KeypadModifier) == 0 && current.isValid()
            && current.column() == useColumn()) {
            if (!key->isAutoRepeat())
                useSize(static_cast<std::size_t>(current.row()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void RoomFitDialog::showRoom()
{
    const RoomSetting& room = m_session.room();
    m_distance->show(room);
    const std::string bottom = room.screenBottom.value_or(std::string());
    if (m_screenBottom->text().trimmed().toStdString() != bottom) {
        const QSignalBlocker blocker(m_screenBottom);
        m_screenBottom->setText(toQString(bottom));
    }
}

void RoomFitDialog::follow(JobChange change)
{
    // The room may have been set elsewhere (a job opened, the audience's
    // distance): the fields show it.
    if (change.touches(JobPart::Room))
        showRoom();
    // The fit depends on the room, the window's unit and its angle, not on
    // its size.
    if (change.touchesAny({JobPart::Room, JobPart::Units, JobPart::Angle}))
        refit();
    else if (change.touches(JobPart::Lengths))
        showAnswer();
}

void RoomFitDialog::readInputs()
{
    RoomSetting room = m_distance->typed({});
    const QString bottom = m_screenBottom->text().trimmed();
    room.screenBottom = bottom.isEmpty() ? std::nullopt : std::optional(bottom.toStdString());
    // The session tells this dialog too (follow): the fields already show
    // the room, and the answer is worked out then.
    m_session.setRoom(room);
}

void RoomFitDialog::refit()
{
    const QString unit = toQString(m_session.roomUnit());
    m_distance->setUnit(unit);
    m_screenBottomUnit->setText(unit);
    m_setting->setText(toQString(m_session.roomSettingText()));
    const NumberFormat& format = m_model.numberFormat();
    QList<QWidget*> faulty;
    if (!m_session.room().distance.empty() && !parseRoomDistance(m_session.room().distance, format))
        faulty << m_distance->distance();
    if (m_session.room().screenBottom && !parseRoomLength(*m_session.room().screenBottom, format))
        faulty << m_screenBottom;
    m_status->setProblem(toQString(m_session.roomProblem()), faulty);

    m_answer.reset();
    try {
        m_answer = m_session.roomFit();
    } catch (const RuntimeError& error) {
        qCWarning(lcView) << "room fit failed:" << toQString(errorKindName(error.kind()));
    }
    showAnswer();
}

void RoomFitDialog::showAnswer()
{
    const LengthFormat lengths = m_session.roomFitLengths();
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const int r = static_cast<int>(row);
        const auto set = [&](int column, const QString& text, const QColor& colour = QColor()) {
            QTableWidgetItem* item = m_table->item(r, column - LimitColumn);
            item->setText(text);
            item->setForeground(colour.isValid() ? QBrush(colour) : QBrush());
        };
        const RowFit empty;
        const RowFit fit = m_answer ? lengthsShown((*m_answer)[row], lengths, m_model.numberFormat()) : empty;
        set(LimitColumn, m_answer ? toQString(limitWords(fit.limit)) : QString());
        const std::string texts[] = {fit.widthCaption, fit.heightCaption, fit.diagonalCaption, fit.shown.throwDistance,
            fit.shown.straightLine, fit.shown.verticalOffset};
        for (int column = WidthColumn; column <= OffsetColumn; ++column)
            set(column, toQString(texts[column - WidthColumn]));
        if (fit.baseHeight && fit.baseHeight->belowFloor)
            set(BaseColumn, toQString(withFloorFlag(fit.baseHeight->text, true)), kWarning);
        else
            set(BaseColumn, fit.baseHeight ? toQString(fit.baseHeight->text) : QString());
        QTableWidgetItem* use = m_table->item(r, useColumn());
        const bool usable = m_answer && fit.limit != FitLimit::None;
        use->setFlags(usable ? Qt::ItemIsEnabled : Qt::NoItemFlags);
    }
    // The dialog takes the size the table now asks for, larger or smaller,
    // as far as the screen has room.
    m_table->resizeColumnsToContents();
    m_table->updateGeometry();
    if (isVisible())
        fitToScreen(*this);
}

} // namespace qvd
