// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window as a short list of steps: what, entered after start-up, shows
// the window exactly as it stands, caption forms and all. The window's
// captions depend on the order of the user's moves (a table computed before a
// unit was chosen, a height caption left from an earlier width, a width written
// by Form_Load), so the steps keep that order; they keep only the moves whose
// effect still shows, so the list stays short however long the user worked.

#include "calc/projector_table.h"
#include "ui/window/form_design.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace qvd {

// The four scroll bars by the part they play.
enum class BarRole { Width, Height, Diagonal, Angle };
inline constexpr std::size_t kBarRoleCount = 4;

// One step a user could take on the window.
struct WindowStep {
    enum class Kind {
        Units,  // selects the unit option `units`
        Sizing, // selects the sizing option `sizing`
        Move,   // moves `bar` to `value` and raises Change; outside the bar's range now, twice (MainWindow::moveBarTo)
        Drag,   // drags `bar`'s thumb to `value` and raises Scroll
    };
    Kind kind = Kind::Move;
    UnitSystem units = UnitSystem::Inches;
    Sizing sizing = Sizing::Width;
    BarRole bar = BarRole::Width;
    int value = 0;
    bool operator==(const WindowStep&) const = default;
};
using WindowSteps = std::vector<WindowStep>;

// One handler run of a bar that the user started, as the log keeps it.
struct BarEvent {
    BarRole bar = BarRole::Width;
    bool drag = false;                     // a Scroll (the thumb dragged), not a Change
    int value = 0;                         // the bar's value once the handler ran
    UnitSystem units = UnitSystem::Inches; // the unit option selected then
    bool diagonalSelected = false;         // whether the diagonal option was selected then
    bool operator==(const BarEvent&) const = default;
};

// The options selected now, which no bar event records.
struct WindowOptions {
    UnitSystem units = UnitSystem::Inches;
    std::optional<Sizing> sizing; // none until the user chooses one
};

// The bar events of a window since start-up, without those whose effect no
// longer shows. An event is dropped once every caption and bar value it wrote
// has been written again since, and no event kept read it (an angle change
// reads the width caption, a drag of the diagonal bar the range set by its
// last Change).
class StepLog {
public:
    void add(const BarEvent& event);
    void clear() { m_events.clear(); }
    [[nodiscard]] const std::vector<BarEvent>& events() const { return m_events; }

    // The steps that, entered after start-up, give the window these events
    // would: each event preceded by the unit and sizing options it ran
    // under, then the options selected now. The introduction is the
    // program's start-up, not the window's state: no step closes it.
    [[nodiscard]] WindowSteps steps(const WindowOptions& now) const;

private:
    std::vector<BarEvent> m_events;
};

} // namespace qvd
