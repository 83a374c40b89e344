// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/window/error_reporting.h"

#include "ui/window/form_design.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>

namespace qvd {

QString untrappedErrorText(const RuntimeError& error)
{
    const std::string_view name = errorKindName(error.kind());
    return QCoreApplication::translate(
        "qvd", "Run-time error: %1.\n\nThe program ends; the results shown may be incomplete.")
        .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

void showUntrappedError(QWidget* parent, const RuntimeError& error)
{
    const std::string_view title = formDesign().caption;
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
        untrappedErrorText(error), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("untrappedErrorBox"));
    box.exec();
}

ErrorReporter programErrorReporter(QWidget* parent)
{
    return [window = QPointer<QWidget>(parent)](const RuntimeError& error) {
        showUntrappedError(window, error);
        QCoreApplication::exit(kUntrappedErrorStatus);
    };
}

} // namespace qvd
