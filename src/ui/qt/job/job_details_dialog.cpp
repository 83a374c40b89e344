// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/job/job_details_dialog.h"

#include "ui/job/job_session.h"
#include "ui/qt/window/dialog_conventions.h"
#include "ui/qt/window/qt_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace qvd {

namespace {

QLineEdit* lineField(const char* name, const QString& what, const std::string& text, QWidget* parent)
{
    auto* field = new QLineEdit(toQString(text), parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setClearButtonEnabled(true);
    // The clear button says which field it empties.
    for (auto* clear : field->findChildren<QToolButton*>()) {
        clear->setAccessibleName(QStringLiteral("Clear %1").arg(what));
        clear->setToolTip(clear->accessibleName());
    }
    return field;
}

// The field's text, or the given text when the field still shows it.
std::string kept(const QLineEdit* field, const std::string& given)
{
    return field->text() == toQString(given) ? given : field->text().toStdString();
}

// How the notes editor shows `text`, with, for each character it shows, where
// that character starts in `text` (and the end of `text` last).
std::pair<QString, std::vector<qsizetype>> shownInEditor(const QString& text)
{
    QString shown;
    std::vector<qsizetype> starts;
    for (qsizetype i = 0; i < text.size(); ++i) {
        starts.push_back(i);
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            shown += QLatin1Char('\n');
        } else if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            shown += QLatin1Char('\n');
        } else if (c == QChar::Nbsp) {
            shown += QLatin1Char(' ');
        } else {
            shown += c;
        }
    }
    starts.push_back(text.size());
    return {shown, starts};
}

} // namespace

JobDetailsDialog::JobDetailsDialog(const JobDetails& details, QWidget* parent)
    : QDialog(parent)
    , m_given(details)
{
    setObjectName(QStringLiteral("jobDetails"));
    setWindowTitle(QStringLiteral("Job details"));
    m_name = lineField("jobName", QStringLiteral("job"), details.name, this);
    m_client = lineField("jobClient", QStringLiteral("client"), details.client, this);
    m_site = lineField("jobSite", QStringLiteral("site"), details.site, this);
    m_preparedBy = lineField("jobPreparedBy", QStringLiteral("prepared by"), details.preparedBy, this);
    m_notes = new QPlainTextEdit(toQString(details.notes), this);
    m_notes->setObjectName(QStringLiteral("jobNotes"));
    m_notes->setTabChangesFocus(true);
    m_notesShown = m_notes->toPlainText();
    m_problem = new ProblemText(this);
    m_problem->setObjectName(QStringLiteral("jobDetailsProblem"));
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("jobDetailsButtons"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Job:"), m_name);
    form->addRow(QStringLiteral("C&lient:"), m_client);
    form->addRow(QStringLiteral("&Site:"), m_site);
    form->addRow(QStringLiteral("&Prepared by:"), m_preparedBy);
    form->addRow(QStringLiteral("&Notes:"), m_notes);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addWidget(m_buttons);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QLineEdit* field : {m_name, m_client, m_site, m_preparedBy})
        connect(field, &QLineEdit::textChanged, this, [this] { checkLimits(); });
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] { checkLimits(); });
    checkLimits();
    adoptDialogConventions(*this, {m_name, m_buttons->button(QDialogButtonBox::Ok)});
}

JobDetails JobDetailsDialog::details() const
{
    return {kept(m_name, m_given.name), kept(m_client, m_given.client), kept(m_site, m_given.site),
        kept(m_preparedBy, m_given.preparedBy), notes()};
}

std::string JobDetailsDialog::notes() const
{
    const QString now = m_notes->toPlainText();
    if (now == m_notesShown)
        return m_given.notes;
    const QString given = toQString(m_given.notes);
    const auto [shown, starts] = shownInEditor(given);
    if (shown != m_notesShown) // shown some other way: the editor's text is all there is
        return now.toStdString();
    // The edit lies between the text the two have in common at the start
    // and at the end; outside it, the given text stands as it was.
    qsizetype head = 0;
    while (head < shown.size() && head < now.size() && shown[head] == now[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shown.size() - head && tail < now.size() - head
        && shown[shown.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    const qsizetype from = starts[static_cast<std::size_t>(head)];
    const qsizetype to = starts[static_cast<std::size_t>(shown.size() - tail)];
    return (given.left(from) + now.mid(head, now.size() - head - tail) + given.mid(to)).toStdString();
}

// The session words what the job file would not keep, counting characters
// as the file does; the dialog only marks the fields.
void JobDetailsDialog::checkLimits()
{
    const JobDetails now = details();
    QStringList problems;
    QList<QWidget*> faulty;
    const std::pair<DetailsField, QWidget*> fields[] = {{DetailsField::Name, m_name}, {DetailsField::Client, m_client},
        {DetailsField::Site, m_site}, {DetailsField::PreparedBy, m_preparedBy}, {DetailsField::Notes, m_notes}};
    for (const auto& [field, widget] : fields) {
        const std::string problem = JobSession::detailsProblem(now, field);
        if (problem.empty())
            continue;
        faulty << widget;
        problems << toQString(problem);
    }
    m_problem->setProblem(problems.join(QLatin1Char('\n')), faulty);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(problems.isEmpty());
}

} // namespace qvd
