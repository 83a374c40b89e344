// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/window/error_reporting.h"
#include "ui/qt/window/qt_text.h"

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
        .arg(toQString(name));
}

void showUntrappedError(QWidget* parent, const RuntimeError& error)
{
    const std::string_view title = formDesign().caption;
    QMessageBox box(QMessageBox::Critical, toQString(title), untrappedErrorText(error), QMessageBox::Ok, parent);
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
