// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The one conversion of the model's text (UTF-8) into Qt's: every view and
// the window program use it, so that no text takes another way in.

#include <QString>

#include <string_view>

namespace qvd {

[[nodiscard]] inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace qvd
