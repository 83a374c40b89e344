// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// What the window shows, read back from its captions for use beyond the
// window: the inputs and the nine rows as text for the clipboard, and the
// range of screen widths each row covers. Nothing here calculates a result:
// every number comes from a caption or from the projector table.

#include "ui/main_window.h"

#include <cstddef>
#include <optional>
#include <string>

namespace qvd {

// The unit of the selected unit option, or nothing when neither is selected.
[[nodiscard]] std::optional<UnitSystem> selectedUnits(const MainWindow& window);

// The caption of the selected unit's label ("in." or "cm"), or empty.
[[nodiscard]] std::string unitCaption(const MainWindow& window);

// The inputs and the table as tab-separated lines, ready to paste into a
// spreadsheet: a header line and a line of width, height, diagonal, angle and
// unit; an empty line; a header line and one line per row with its three
// captions (a warning as its three words).
[[nodiscard]] std::string tableAsTabSeparatedText(const MainWindow& window);

// The hint for a row's caption: the widths it covers in the selected unit
// ("widths from 72 to 106 in."), and for a row that shows a range warning what
// would make it fit ("needs a screen at least 106 in. wide"). Empty when no
// unit is selected.
[[nodiscard]] std::string rowRangeHint(const MainWindow& window, std::size_t row);

} // namespace qvd
