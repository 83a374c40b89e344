// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// The view's diagnostics: user actions turned into model events (debug),
// input refused after an untrapped error (warning), the error itself (critical).
// Enable with QT_LOGGING_RULES="qvd.view.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcView)
