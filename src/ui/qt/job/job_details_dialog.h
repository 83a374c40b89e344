// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The dialog "Job details": the job's name, client, site, who prepared it and
// notes, as plain text. OK is offered only while every text keeps to the
// job file's limit, as the session counts it.

#include "ui/job/job_file.h"

#include <QDialog>
#include <QString>

#include <string>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace qvd {

class ProblemText;

class JobDetailsDialog : public QDialog {
public:
    JobDetailsDialog(const JobDetails& details, QWidget* parent);

    // The texts as they stand in the fields. What the user did not edit comes
    // back exactly as it was given: the notes editor shows line and paragraph
    // separators, carriage returns and no-break spaces as plain new lines and
    // spaces, and only the part the user changed takes its text from there.
    [[nodiscard]] JobDetails details() const;

private:
    void checkLimits();
    [[nodiscard]] std::string notes() const;

    JobDetails m_given;
    QString m_notesShown; // the editor's text of the given notes

    QLineEdit* m_name = nullptr;
    QLineEdit* m_client = nullptr;
    QLineEdit* m_site = nullptr;
    QLineEdit* m_preparedBy = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    ProblemText* m_problem = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace qvd
