// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The controls that the two recalculations read and write, with nothing else
// of the window: the width, angle, height and diagonal labels, the two unit
// options and the 27 result labels, wired to a Placement as the window wires
// them. Tests drive it by writing captions, as the window's handlers do.

#include "calc/projector_table.h"
#include "calc/recalculation.h"
#include "runtime/controls.h"

#include <array>
#include <memory>
#include <ostream>
#include <string>

namespace qvd::test {

struct RowText {
    std::string throwDistance;
    std::string straightLine;
    std::string verticalOffset;
    bool red;

    bool operator==(const RowText&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const RowText& row)
{
    return out << row.throwDistance << " | " << row.straightLine << " | " << row.verticalOffset
               << (row.red ? " (red)" : "");
}

// One row of the table for one width, angle and unit.
struct RowCase {
    const char* name;
    UnitSystem units;
    const char* width;
    const char* angle;
    std::size_t row;
    RowText expected;
};

inline void PrintTo(const RowCase& c, std::ostream* out) { *out << c.name; }

inline RowText numbers(std::string t, std::string s, std::string v) { return {t, s, v, false}; }
inline RowText tooBig() { return {"Screen", "Too", "Big", true}; }
inline RowText tooSmall() { return {"Screen", "Too", "Small", true}; }

class TableModel {
public:
    explicit TableModel(NumberFormat format = {})
    {
        const auto label = [this](std::string caption = {}) {
            ControlState state;
            state.caption = std::move(caption);
            return controls.add(std::move(state));
        };
        width = label();
        angle = label("10");
        height = label();
        diagonal = label();
        ControlState option;
        option.kind = ControlKind::OptionButton;
        option.group = 1000; // one group for the two unit options
        option.value = kTrue;
        inches = controls.add(option);
        option.value = kFalse;
        centimetres = controls.add(option);
        PlacementControls ids{width, angle, height, diagonal, inches, centimetres, {}};
        for (auto& row : ids.results) {
            for (ControlId& result : row)
                result = label();
        }
        results = ids.results;
        placement = std::make_unique<Placement>(controls, std::move(format), ids);
        controls.setHandler(width, Event::Change, [this] { placement->Label147_Change(); });
        controls.setHandler(angle, Event::Change, [this] { placement->Label148_Change(); });
    }

    void setWidth(const std::string& text) { controls.setCaption(width, text); }
    void setAngle(const std::string& text) { controls.setCaption(angle, text); }
    void useCentimetres() { controls.clickOption(centimetres); }
    void useInches() { controls.clickOption(inches); }

    [[nodiscard]] RowText row(std::size_t index) const
    {
        // Read from the labels themselves; a row whose three colours disagree is
        // half-written and never equals an expected row.
        const auto& ids = results.at(index);
        int redCount = 0;
        for (ControlId id : ids)
            redCount += controls.control(id).foreColor == kRed ? 1 : 0;
        RowText text{controls.caption(ids[0]), controls.caption(ids[1]), controls.caption(ids[2]), redCount == 3};
        if (redCount != 0 && redCount != 3)
            text.verticalOffset += " (mixed colours)";
        return text;
    }
    [[nodiscard]] const std::string& caption(ControlId id) const { return controls.caption(id); }
    [[nodiscard]] ControlId resultLabel(std::size_t row, Column column) const
    {
        return results.at(row)[static_cast<std::size_t>(column)];
    }

    ControlSet controls;
    std::unique_ptr<Placement> placement;
    ControlId width, angle, height, diagonal, inches, centimetres;
    std::array<std::array<ControlId, kColumnCount>, kRowCount> results;
};

} // namespace qvd::test
