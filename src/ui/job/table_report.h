// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// What the window shows, read back from its captions for use beyond the
// window: the inputs and the nine rows as text for the clipboard, and the
// range of screen widths each row covers. Nothing here calculates a result:
// every number comes from a caption or from the projector table.

#include "runtime/length_format.h"
#include "ui/job/room_fit.h"
#include "ui/window/main_window.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qvd {

// One input as the window shows it: a name for it and its caption.
struct ReportInput {
    std::string name;
    std::string caption;
};

// A column of the table: its header's caption and the introduction's
// explanation of what the distance is measured from.
struct ReportColumn {
    std::string header;
    std::string explanation;
};

// A row of the table: its caption and what it shows now.
struct ReportRow {
    std::string projector;
    PlacementResult shown;
};

// Where each input stands in TableReport::inputs.
enum ReportInputIndex : std::size_t { WidthInput, HeightInput, DiagonalInput, AngleInput, UnitInput };

struct TableReport {
    // Width, height, diagonal and angle captions, and the unit's caption.
    std::array<ReportInput, 5> inputs;
    std::array<ReportColumn, 3> columns;
    std::array<ReportRow, kRowCount> rows; // top to bottom
};

// Everything the table and its inputs show now.
[[nodiscard]] TableReport tableReport(const MainWindow& window);

// The read-back below shows lengths as `lengths` asks, the job's length
// format: the window itself always shows decimal captions.

// A length caption as the read-back shows it: in feet and inches when
// `lengths` asks for them and the table is in inches, else as the caption is
// (a warning word stays a word).
[[nodiscard]] std::string lengthCaption(const MainWindow& window, LengthFormat lengths, std::string_view caption);
// Whether the table's lengths are shown in feet and inches now: asked for,
// and the table in inches.
[[nodiscard]] bool inFeetAndInches(const MainWindow& window, LengthFormat lengths);
// A length the user gave (a room's), as the table shows its lengths: in feet
// and inches where the table is, else with the table's unit ("30 in.").
[[nodiscard]] std::string lengthText(const MainWindow& window, LengthFormat lengths, double length);

// The unit of the numbers the table shows: that of the last recalculation,
// which a unit chosen since has not changed yet. Nothing when no unit option
// was selected then.
[[nodiscard]] std::optional<UnitSystem> tableUnits(const MainWindow& window);

// The caption of that unit's label ("in." or "cm"), or empty.
[[nodiscard]] std::string unitCaption(const MainWindow& window);

// The base heights beside the table: with a screen-bottom height in `room`
// that the table can take (see roomScreenBottom), that height and each row's
// base height under it, their texts as lengthCaption shows them. Nothing
// without such a height.
struct TableBaseHeights {
    double screenBottom = 0.0;
    std::string screenBottomCaption;
    std::array<std::optional<BaseHeight>, kRowCount> rows; // none for a row showing a warning
};
[[nodiscard]] std::optional<TableBaseHeights> tableBaseHeights(
    const MainWindow& window, LengthFormat lengths, const RoomSetting& room);

// The inputs and the table as tab-separated lines, lengths by lengthCaption, ready to paste into a
// spreadsheet: a header line and a line of width, height, diagonal, angle and
// unit; an empty line; a header line and one line per row with its three
// captions (a warning as its three words). With a screen-bottom height in
// `room`, the inputs end with that height and each row with its base height.
[[nodiscard]] std::string tableAsTabSeparatedText(
    const MainWindow& window, LengthFormat lengths, const RoomSetting& room = {});

// The hint for a row's caption: the widths it covers in the table's unit
// ("widths from 72 to 106 in.", or from 6' to 8' 10" in feet and inches), and for a row that shows a range warning what
// would make it fit ("needs a screen at least 106 in. wide"). Empty when no
// unit is selected.
[[nodiscard]] std::string rowRangeHint(const MainWindow& window, LengthFormat lengths, std::size_t row);

} // namespace qvd
