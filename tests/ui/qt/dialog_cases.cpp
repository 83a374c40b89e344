// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "dialog_cases.h"

#include "ui/qt/job/job_details_dialog.h"
#include "ui/qt/job/room_fit_dialog.h"
#include "ui/qt/job/table_actions.h"
#include "ui/qt/print/placement_window.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace qvd::test {

void typeInto(QWidget& dialog, const char* name, const QString& text)
{
    auto* field = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    QVERIFY2(field != nullptr, name);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

const std::vector<DialogCase>& dialogCases()
{
    static const std::vector<DialogCase> cases{
        {
            "Fit to room",
            [](WindowUnderTest& window) -> QWidget* {
                window.typeWith(Qt::ControlModifier, Qt::Key_F);
                return window.actions.roomFitDialog();
            },
            [](QWidget& dialog) {
                typeInto(dialog, "roomScreenBottom", QStringLiteral("30"));
                typeInto(dialog, "roomDistance", QStringLiteral("250"));
            },
            "roomDistance",
            "roomFitTable",
            false,
            [](QWidget& dialog) { typeInto(dialog, "roomDistance", QStringLiteral("0")); },
            "roomStatus",
            "roomDistance",
        },
        {
            "Job details",
            [](WindowUnderTest& window) -> QWidget* {
                // As the job's menu opens it, but left modeless for the test to type into.
                auto* dialog = new JobDetailsDialog(JobDetails{}, &window.view);
                dialog->setAttribute(Qt::WA_DeleteOnClose);
                dialog->show();
                return dialog;
            },
            [](QWidget& dialog) {
                typeInto(dialog, "jobName", QStringLiteral("Hall B, east wall"));
                typeInto(dialog, "jobClient", QStringLiteral("Conference centre"));
                dialog.findChild<QPlainTextEdit*>(QStringLiteral("jobNotes"))
                    ->setPlainText(QStringLiteral("Rigging points checked.\nPower from the left."));
            },
            "jobName",
            nullptr,
            true,
            [](QWidget& dialog) { typeInto(dialog, "jobSite", QString(201, QLatin1Char('x'))); },
            "jobDetailsProblem",
            "jobSite",
        },
        {
            "Placement",
            [](WindowUnderTest& window) -> QWidget* {
                window.typeWith(Qt::ControlModifier, Qt::Key_D);
                return window.actions.placementWindow();
            },
            [](QWidget&) {},
            "placementRow",
            nullptr,
            false,
            nullptr,
            nullptr,
            nullptr,
        },
    };
    return cases;
}

} // namespace qvd::test
