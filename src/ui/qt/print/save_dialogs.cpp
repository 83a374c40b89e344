// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/print/save_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace qvd {

QString withSuffix(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + suffix;
}

QString askSavePath(
    QWidget* parent, const QString& title, const QString& suggested, const QString& filter, const QString& suffix)
{
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix.mid(1)); // without its dot
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool askToReplace(QWidget* parent, const QString& path)
{
    const auto answer = QMessageBox::warning(parent, QStringLiteral("Replace file"),
        QStringLiteral("%1 already exists. Replace it?").arg(QDir::toNativeSeparators(path)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

bool askToReplaceReadOnly(QWidget* parent, const QString& path)
{
    const auto answer = QMessageBox::warning(parent, QStringLiteral("Replace file"),
        QStringLiteral("%1 is read-only. Replace it anyway?").arg(QDir::toNativeSeparators(path)),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

bool isReadOnlyFile(const QString& path)
{
    const QFileInfo info(path);
    constexpr auto kWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isFile() && (info.permissions() & kWrite) == 0;
}

QString completedSavePath(
    QWidget* parent, const QString& chosen, const QString& suffix, const ReplaceQuestion& mayReplace)
{
    const QString path = withSuffix(chosen, suffix);
    // A dialog asks about the name it returns; a name it returned without
    // the suffix may still stand for an existing file once completed.
    if (path != chosen && QFileInfo::exists(path) && !mayReplace(parent, path))
        return {};
    return path;
}

} // namespace qvd
