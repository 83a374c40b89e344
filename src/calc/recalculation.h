// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The two recalculations of the result table. Both read the screen width, the
// angle and the unit from the controls in PlacementControls, and write the
// caption and colour of the 27 result labels, row by row in the projector
// table's order; the angle recalculation first brings the height and diagonal
// captions into line with the width. Neither writes the width or the angle
// caption, so a recalculation never starts another.
//
// A failing caption reading or arithmetic step throws RuntimeError at that
// step; what was written before it stays written.

#include "calc/projector_table.h"
#include "runtime/caption_text.h"
#include "runtime/controls.h"

#include <array>
#include <optional>
#include <string>

namespace qvd {

// The words a row shows, in red, when the screen width lies outside its range.
enum class RangeWarning { TooBig, TooSmall };

// What a row shows: three caption texts, and whether they are a range warning.
struct PlacementResult {
    std::string throwDistance;
    std::string straightLine;
    std::string verticalOffset;
    bool isWarning = false;
};

// The controls the recalculations read and write, resolved by the window.
struct PlacementControls {
    ControlId width;
    ControlId angle;
    ControlId height;
    ControlId diagonal;
    ControlId inches;
    ControlId centimetres;
    // Per row, top to bottom: the labels of its throw distance, straight line
    // and vertical offset, in Column order.
    std::array<std::array<ControlId, kColumnCount>, kRowCount> results;
};

class Placement {
public:
    Placement(ControlSet& controls, NumberFormat format, const PlacementControls& ids);

    // The width recalculation, run when the caption of Label147 is written.
    void Label147_Change();
    // The angle recalculation, run when the caption of Label148 is written.
    void Label148_Change();

    // What row `row` of the table shows now.
    [[nodiscard]] PlacementResult result(std::size_t row) const;

    // The unit in which the last recalculation took the table's lengths:
    // nothing before the first one and when no unit option read selected.
    // Choosing a unit recalculates nothing, so this is the unit of the numbers
    // shown, which may differ from the option selected now.
    [[nodiscard]] std::optional<UnitSystem> resultUnits() const { return m_resultUnits; }

private:
    enum class Trigger { WidthChange, AngleChange };

    // What one recalculation holds while it runs.
    struct Run {
        Trigger trigger;
        double width;
        double theta;
        const RowLengths* lengths[kRowCount];
        std::optional<double> angle; // read with ParseNumber at the first sign test
    };

    void recalculate(Trigger trigger);
    void CalculateRow(Run& run, std::size_t row);
    void writeWarning(std::size_t row, RangeWarning warning);
    void write(ControlId label, double value, CaptionFormat format);
    [[nodiscard]] double readWidth() const;
    [[nodiscard]] double angleDegrees(Run& run) const;

    ControlSet& m_controls;
    NumberFormat m_format;
    PlacementControls m_ids;
    std::optional<UnitSystem> m_resultUnits;
};

} // namespace qvd
