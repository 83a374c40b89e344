// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/job/audience_dialog.h"

#include "runtime/runtime_error.h"
#include "ui/qt/job/room_distance_fields.h"
#include "ui/qt/window/control_widgets.h"
#include "ui/qt/window/dialog_conventions.h"
#include "ui/qt/window/view_logging.h"

#include <QButtonGroup>
#include <QComboBox>
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

#include <string>

namespace qvd {

namespace {

const QColor kWarning(0xcc, 0x00, 0x00);

std::optional<std::string> optionalText(const QLineEdit* field)
{
    const QString text = field->text().trimmed();
    return text.isEmpty() ? std::nullopt : std::optional(text.toStdString());
}

// Sets the text of `field` without raising its signals; true when it changed.
bool showText(QLineEdit* field, const std::string& text)
{
    if (field->text().toStdString() == text)
        return false;
    const QSignalBlocker blocker(field);
    field->setText(toQString(text));
    return true;
}

} // namespace

AudienceDialog::AudienceDialog(JobSession& session, const JobNotices& notices, ScreenUser useScreen, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_model(session.window())
    , m_useScreen(std::move(useScreen))
{
    setObjectName(QStringLiteral("audience"));
    setWindowTitle(QStringLiteral("Size for the audience"));
    setAccessibleName(QStringLiteral("Size for the audience"));
    if (parent != nullptr)
        setFont(parent->font());
    setAttribute(Qt::WA_QuitOnClose, false);

    const auto field = [this](const char* name, const QString& accessible) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAccessibleName(accessible);
        connect(edit, &QLineEdit::textChanged, this, [this] { readInputs(); });
        return edit;
    };
    m_basic = new QRadioButton(QStringLiteral("&Basic decision making (reading a presentation)"), this);
    m_basic->setObjectName(QStringLiteral("audienceBasic"));
    m_analytical = new QRadioButton(QStringLiteral("&Analytical decision making (every pixel must be seen)"), this);
    m_analytical->setObjectName(QStringLiteral("audienceAnalytical"));
    auto* rules = new QButtonGroup(this);
    rules->addButton(m_basic);
    rules->addButton(m_analytical);
    m_farthest = field("audienceFarthest", QStringLiteral("Farthest viewer's distance to the screen"));
    m_elementHeight = field("audienceElementHeight", QStringLiteral("Element height in percent of the image height"));
    m_resolution = new QComboBox(this);
    m_resolution->setObjectName(QStringLiteral("audienceResolution"));
    m_resolution->setAccessibleName(QStringLiteral("Lines of vertical resolution"));
    m_resolution->setEditable(true);
    m_resolution->setInsertPolicy(QComboBox::NoInsert);
    for (const int lines : kTableResolutions)
        m_resolution->addItem(QString::number(lines));
    m_resolution->setCurrentIndex(-1);
    connect(m_resolution, &QComboBox::editTextChanged, this, [this] { readInputs(); });
    m_screenBottom
        = field("audienceScreenBottom", QStringLiteral("Height of the screen's bottom edge above the floor"));
    m_screenBottom->setPlaceholderText(QStringLiteral("optional"));
    m_eyeHeight = field("audienceEyeHeight", QStringLiteral("Seated eye height above the floor"));
    m_room = new RoomDistanceFields(QStringLiteral("audience"), *this, [this] { readInputs(); });
    m_room->distance()->setPlaceholderText(QStringLiteral("optional"));
    connect(rules, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool checked) {
        if (checked)
            readInputs();
    });

    auto* form = new QFormLayout;
    const auto addField = [&](const QString& label, QWidget* input, const QString& suffix = QString()) {
        auto* row = new QHBoxLayout;
        row->addWidget(input);
        auto* unit = new QLabel(suffix, this);
        if (suffix.isEmpty())
            m_unitLabels << unit;
        row->addWidget(unit);
        row->addStretch();
        auto* name = new QLabel(label, this);
        name->setBuddy(input);
        form->addRow(name, row);
    };
    form->addRow(QStringLiteral("Rule:"), m_basic);
    form->addRow(QString(), m_analytical);
    addField(QStringLiteral("&Farthest viewer:"), m_farthest);
    addField(QStringLiteral("&Element height:"), m_elementHeight, QStringLiteral("% of the image height"));
    addField(QStringLiteral("&Resolution:"), m_resolution, QStringLiteral("lines"));
    addField(QStringLiteral("Screen &bottom above the floor:"), m_screenBottom);
    addField(QStringLiteral("Seated e&ye height:"), m_eyeHeight);
    m_room->addRows(*form, QStringLiteral("Room &distance:"));

    m_setting = new QLabel(this);
    m_setting->setObjectName(QStringLiteral("audienceSetting"));
    m_status = new ProblemText(this);
    m_status->setObjectName(QStringLiteral("audienceStatus"));
    m_status->setWordWrap(true);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("audienceSummary"));
    m_screen = new QLabel(this);
    m_screen->setObjectName(QStringLiteral("audienceScreen"));
    m_viewers = new QLabel(this);
    m_viewers->setObjectName(QStringLiteral("audienceViewers"));
    for (QLabel* label : {m_summary, m_screen, m_viewers}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setFocusPolicy(Qt::StrongFocus); // read in turn by a screen reader
    }

    m_table = new QTableWidget(static_cast<int>(kRowCount), ColumnCount, this);
    m_table->setObjectName(QStringLiteral("audienceTable"));
    m_table->setAccessibleName(QStringLiteral("Projectors at the screen for the audience"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    const ControlSet& controls = m_model.controls();
    m_table->setHorizontalHeaderLabels({QStringLiteral("Room"),
        toQString(controls.caption(m_model.columnHeader(Column::Throw))),
        toQString(controls.caption(m_model.columnHeader(Column::Straight))),
        toQString(controls.caption(m_model.columnHeader(Column::Offset))), toQString(kBaseHeightHeader), QString()});
    QStringList projectors;
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const int r = static_cast<int>(row);
        const QString projector = toQString(controls.caption(m_model.rowCaption(row)));
        projectors << projector;
        for (int column = 0; column < UseColumn; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignVCenter | (column == RoomColumn ? Qt::AlignLeft : Qt::AlignRight));
            m_table->setItem(r, column, item);
        }
        auto* use = new QPushButton(QStringLiteral("Use this size"), m_table);
        use->setObjectName(QStringLiteral("audienceUse%1").arg(r));
        use->setAccessibleName(QStringLiteral("Use this size with %1").arg(projector));
        use->setAutoDefault(false);
        connect(use, &QPushButton::clicked, this, [this, row] {
            if (m_answer && m_answer->screen)
                m_useScreen(*m_answer->screen, row);
        });
        m_table->setCellWidget(r, UseColumn, use);
    }
    m_table->setVerticalHeaderLabels(projectors);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    for (QAbstractButton* button : buttons->buttons()) {
        if (auto* push = qobject_cast<QPushButton*>(button)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }
    }
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_setting);
    layout->addWidget(m_status);
    layout->addWidget(m_summary);
    layout->addWidget(m_screen);
    layout->addWidget(m_viewers);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);

    showSession();
    resize();
    connect(&notices, &JobNotices::changed, this, &AudienceDialog::follow);
    // First focus on the farthest viewer, no default button, Escape closes,
    // the focus back to the window, the whole dialog on the screen.
    adoptDialogConventions(*this, {m_farthest, nullptr});
}

QString AudienceDialog::problem() const { return m_status->text(); }

AudienceSetting AudienceDialog::typedAudience() const
{
    AudienceSetting audience;
    audience.rule = m_analytical->isChecked() ? ViewingRule::Analytical : ViewingRule::Basic;
    audience.farthest = m_farthest->text().toStdString();
    audience.elementHeight = m_elementHeight->text().toStdString();
    audience.resolution = m_resolution->currentText().toStdString();
    audience.screenBottom = optionalText(m_screenBottom);
    audience.eyeHeight = optionalText(m_eyeHeight);
    return audience;
}

RoomSetting AudienceDialog::typedRoom() const
{
    return m_room->typed(m_session.room()); // its screen bottom is the room fit's
}

bool AudienceDialog::showSession()
{
    const AudienceSetting& audience = m_session.audience();
    const RoomSetting& room = m_session.room();
    bool moved = false;
    moved |= showText(m_farthest, audience.farthest);
    moved |= showText(m_elementHeight, audience.elementHeight);
    moved |= showText(m_screenBottom, audience.screenBottom.value_or(std::string()));
    moved |= showText(m_eyeHeight, audience.eyeHeight.value_or(std::string()));
    moved |= m_room->show(room);
    if (m_resolution->currentText().toStdString() != audience.resolution) {
        const QSignalBlocker blocker(m_resolution);
        m_resolution->setEditText(toQString(audience.resolution));
        moved = true;
    }
    QRadioButton* rule = audience.rule == ViewingRule::Basic ? m_basic : m_analytical;
    if (!rule->isChecked()) {
        const QSignalBlocker blockers[] = {QSignalBlocker(m_basic), QSignalBlocker(m_analytical)};
        rule->setChecked(true);
        moved = true;
    }
    m_elementHeight->setEnabled(m_basic->isChecked());
    m_resolution->setEnabled(m_analytical->isChecked());
    return moved;
}

void AudienceDialog::follow(JobChange change)
{
    if (change.touchesAny({JobPart::Audience, JobPart::Room}))
        showSession();
    if (change.touchesAny({JobPart::Audience, JobPart::Room, JobPart::Units, JobPart::Angle}))
        resize();
}

void AudienceDialog::readInputs()
{
    m_elementHeight->setEnabled(m_basic->isChecked());
    m_resolution->setEnabled(m_analytical->isChecked());
    // The session tells this dialog too (follow): the fields already show
    // what it holds, and the answer is worked out then.
    const AudienceSetting audience = typedAudience();
    const RoomSetting room = typedRoom();
    if (room != m_session.room())
        m_session.setRoom(room);
    if (audience != m_session.audience())
        m_session.setAudience(audience);
}

void AudienceDialog::markProblem(const QString& problem)
{
    // The field the message names is marked invalid while it stands.
    QList<QWidget*> faulty;
    const std::pair<std::string_view, QWidget*> fields[]
        = {{kFarthestName, m_farthest}, {kElementHeightName, m_elementHeight}, {kResolutionName, m_resolution},
            {kScreenBottomName, m_screenBottom}, {kEyeHeightName, m_eyeHeight}};
    for (const auto& [name, widget] : fields) {
        if (problem.startsWith(toQString(name) + QLatin1Char(':')))
            faulty << widget;
    }
    if (problem.startsWith(QStringLiteral("Give the distance")))
        faulty << m_room->distance();
    m_status->setProblem(problem, faulty);
}

void AudienceDialog::resize()
{
    const QString unit = toQString(m_session.roomUnit());
    for (QLabel* label : m_unitLabels)
        label->setText(unit);
    m_room->setUnit(unit);
    m_eyeHeight->setPlaceholderText(
        QStringLiteral("%1 if not given")
            .arg(toQString(FormatGeneral(defaultEyeHeight(m_session.selectedUnits()), m_model.numberFormat()))));
    m_setting->setText(toQString(m_session.roomSettingText()));

    const AudienceReading reading = m_session.audienceReading();
    // The room's distance is the room fit's to check, and its words too.
    const std::string roomProblem = m_session.roomProblem();
    markProblem(toQString(!reading.problem.empty() ? reading.problem : roomProblem));

    m_answer.reset();
    try {
        m_answer = m_session.audienceAnswer();
    } catch (const RuntimeError& error) {
        qCWarning(lcView) << "sizing for the audience failed:" << toQString(errorKindName(error.kind()));
    }
    if (m_answer && reading.query) {
        const AudienceWords words = audienceWords(*reading.query, *m_answer, m_model);
        m_summary->setText(toQString(words.summary));
        m_screen->setText(toQString(words.screen));
        m_viewers->setText(words.viewers.empty()
                ? QStringLiteral("Give the screen's bottom edge for the closest viewer.")
                : toQString(words.viewers));
    } else {
        m_summary->setText(QStringLiteral("Give the farthest viewer's distance and the rule's figure."));
        m_screen->clear();
        m_viewers->clear();
    }
    showAnswer();
}

void AudienceDialog::showAnswer()
{
    const bool screen = m_answer && m_answer->screen;
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const int r = static_cast<int>(row);
        const AudienceRow empty;
        const AudienceRow& answer = screen ? m_answer->rows[row] : empty;
        const auto set = [&](int column, const std::string& text, bool red = false) {
            QTableWidgetItem* item = m_table->item(r, column);
            item->setText(toQString(text));
            item->setForeground(red ? QBrush(kWarning) : QBrush());
        };
        set(RoomColumn, std::string(roomWords(answer)));
        set(ThrowColumn, answer.shown.throwDistance, answer.shown.isWarning);
        set(StraightColumn, answer.shown.straightLine, answer.shown.isWarning);
        set(OffsetColumn, answer.shown.verticalOffset, answer.shown.isWarning);
        const bool below = answer.baseHeight && answer.baseHeight->belowFloor;
        set(BaseColumn, answer.baseHeight ? withFloorFlag(answer.baseHeight->text, below) : std::string(), below);
        m_table->cellWidget(r, UseColumn)->setEnabled(screen && canUse(answer));
    }
    m_table->resizeColumnsToContents();
    const int frame = 2 * m_table->frameWidth();
    m_table->setMinimumWidth(
        m_table->verticalHeader()->sizeHint().width() + m_table->horizontalHeader()->length() + frame);
    m_table->setMinimumHeight(m_table->horizontalHeader()->height() + m_table->verticalHeader()->length() + frame);
    m_table->updateGeometry();
    // The dialog takes the size the table now asks for, as far as the screen has room.
    if (isVisible())
        fitToScreen(*this);
}

} // namespace qvd
