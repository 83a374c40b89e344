// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// What happens to an error that no handler traps. The view catches it where
// the user's action entered the model and hands it to an ErrorReporter; the
// window program's reporter names the kind of error in a message box and then
// ends the program with kUntrappedErrorStatus.

#include "runtime/runtime_error.h"

#include <QString>

#include <functional>

class QWidget;

namespace qvd {

using ErrorReporter = std::function<void(const RuntimeError&)>;

// The text that tells the user which kind of error stopped the window.
[[nodiscard]] QString untrappedErrorText(const RuntimeError& error);

// Shows the modal message box for `error` and returns when the user closes it.
void showUntrappedError(QWidget* parent, const RuntimeError& error);

// The window program's reporter: the message box, then the event loop ends
// with kUntrappedErrorStatus.
[[nodiscard]] ErrorReporter programErrorReporter(QWidget* parent);

} // namespace qvd
