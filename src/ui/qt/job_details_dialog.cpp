// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "job_details_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qvd {

namespace {

// Characters as the job file counts them: code points, not UTF-16 units.
qsizetype characters(const QString& text) { return text.toUcs4().size(); }

QLineEdit* lineField(const char* name, const std::string& text, QWidget* parent)
{
    auto* field = new QLineEdit(QString::fromStdString(text), parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setClearButtonEnabled(true);
    return field;
}

} // namespace

JobDetailsDialog::JobDetailsDialog(const JobDetails& details, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("jobDetails"));
    setWindowTitle(QStringLiteral("Job details"));
    m_name = lineField("jobName", details.name, this);
    m_client = lineField("jobClient", details.client, this);
    m_site = lineField("jobSite", details.site, this);
    m_preparedBy = lineField("jobPreparedBy", details.preparedBy, this);
    m_notes = new QPlainTextEdit(QString::fromStdString(details.notes), this);
    m_notes->setObjectName(QStringLiteral("jobNotes"));
    m_notes->setTabChangesFocus(true);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("jobDetailsProblem"));
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->setWordWrap(true);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

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
    resize(480, 360);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QLineEdit* field : {m_name, m_client, m_site, m_preparedBy})
        connect(field, &QLineEdit::textChanged, this, [this] { checkLimits(); });
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] { checkLimits(); });
    checkLimits();
}

JobDetails JobDetailsDialog::details() const
{
    return {m_name->text().toStdString(), m_client->text().toStdString(), m_site->text().toStdString(),
        m_preparedBy->text().toStdString(), m_notes->toPlainText().toStdString()};
}

void JobDetailsDialog::checkLimits()
{
    QStringList problems;
    const std::pair<QLineEdit*, const char*> fields[]
        = {{m_name, "The job"}, {m_client, "The client"}, {m_site, "The site"}, {m_preparedBy, "Prepared by"}};
    for (const auto& [field, name] : fields) {
        const qsizetype length = characters(field->text());
        if (length > static_cast<qsizetype>(kMaxJobNameLength))
            problems << QStringLiteral("%1 has %2 characters; at most %3 are kept.")
                            .arg(QString::fromLatin1(name))
                            .arg(length)
                            .arg(kMaxJobNameLength);
    }
    const qsizetype notes = characters(m_notes->toPlainText());
    if (notes > static_cast<qsizetype>(kMaxJobNotesLength))
        problems
            << QStringLiteral("The notes have %1 characters; at most %2 are kept.").arg(notes).arg(kMaxJobNotesLength);
    m_problem->setText(problems.join(QLatin1Char('\n')));
    m_problem->setVisible(!problems.isEmpty());
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(problems.isEmpty());
}

} // namespace qvd
