// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/window/view_logging.h"

Q_LOGGING_CATEGORY(lcView, "qvd.view", QtInfoMsg)
