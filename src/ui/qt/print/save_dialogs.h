// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Choosing where to save. The name is completed with its suffix before
// anything asks whether an existing file may be replaced, so that replacing a
// file is always confirmed, whatever name was typed.

#include <QString>

#include <functional>

class QWidget;

namespace qvd {

// Asks whether the existing file at `path` may be replaced; false keeps it.
using ReplaceQuestion = std::function<bool(QWidget* parent, const QString& path)>;

// `path` with `suffix` (".qvdjob", ".pdf") added when its name has none.
[[nodiscard]] QString withSuffix(const QString& path, const QString& suffix);

// The system's save dialog; it adds `suffix` to a name typed without one
// before it asks about replacing a file. Empty when the user cancels.
[[nodiscard]] QString askSavePath(
    QWidget* parent, const QString& title, const QString& suggested, const QString& filter, const QString& suffix);

// The question "... already exists. Replace it?", answered Yes or No (the default).
[[nodiscard]] bool askToReplace(QWidget* parent, const QString& path);
// The question "... is read-only. Replace it anyway?", answered Yes or No (the default).
[[nodiscard]] bool askToReplaceReadOnly(QWidget* parent, const QString& path);
// Whether `path` is a file that nobody may write to (no write bit in its
// mode): a file the user protected, even where the process could write it.
[[nodiscard]] bool isReadOnlyFile(const QString& path);

// The path to save to, given what the dialog returned: `chosen` with its
// suffix, or empty when the completed name is an existing file that the dialog
// did not see and the user keeps it.
[[nodiscard]] QString completedSavePath(
    QWidget* parent, const QString& chosen, const QString& suffix, const ReplaceQuestion& mayReplace);

} // namespace qvd
