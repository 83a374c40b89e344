// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/window/window_steps.h"

#include <algorithm>

namespace qvd {

namespace {

// What a bar event writes and reads, as bits. Units and sizing options are
// not among them: StepLog::steps() selects for each event the options it ran
// under.
enum Part : unsigned {
    WidthBar = 1u << 0,      // HSBM's value and range
    HeightBar = 1u << 1,     // hig's value and range
    DiagonalValue = 1u << 2, // vert's value
    DiagonalRange = 1u << 3, // vert's range, set only by its Change with the diagonal option selected
    Angle = 1u << 4,         // hsbM1's value and the angle caption
    WidthCaption = 1u << 5,  // Label147
    SizeCaptions = 1u << 6,  // Label146 and Label145
    Table = 1u << 7,         // the 27 result labels: every recalculation writes each of them
    Everything = (1u << 8) - 1,
};

unsigned writes(const BarEvent& event)
{
    switch (event.bar) {
    case BarRole::Width:
        return WidthBar | WidthCaption | SizeCaptions | Table;
    case BarRole::Height:
        return HeightBar | WidthCaption | SizeCaptions | Table;
    case BarRole::Angle:
        return Angle | SizeCaptions | Table;
    case BarRole::Diagonal:
        // Without the diagonal option its handlers do nothing: only the value moves.
        if (!event.diagonalSelected)
            return DiagonalValue;
        return DiagonalValue | WidthCaption | Table | (event.drag ? 0u : DiagonalRange);
    }
    return Everything;
}

// What a kept event needs from the events before it to write again what it
// wrote, given the parts of its writing that still show.
unsigned reads(const BarEvent& event, unsigned shown)
{
    unsigned needed = 0;
    // A value that stays in the range the bar has (a drag, or a Change
    // that sets no range) lands only in that same range. Every other move
    // sets its unit's range first and lands whatever the range was.
    if (event.bar == BarRole::Diagonal && (event.drag || !event.diagonalSelected))
        needed |= DiagonalRange;
    // An angle change writes the height, the diagonal and the table from the
    // width caption.
    if (event.bar == BarRole::Angle && (shown & (SizeCaptions | Table)) != 0)
        needed |= WidthCaption;
    // A width change computes the table at the angle shown.
    if (event.bar != BarRole::Angle && (shown & Table) != 0)
        needed |= Angle;
    return needed;
}

WindowStep optionStep(UnitSystem units) { return {WindowStep::Kind::Units, units, {}, {}, 0}; }
WindowStep optionStep(Sizing sizing) { return {WindowStep::Kind::Sizing, {}, sizing, {}, 0}; }

} // namespace

void StepLog::add(const BarEvent& event)
{
    m_events.push_back(event);
    // From the last event back: an event stays when something it wrote still
    // shows or is read by an event after it that stays.
    unsigned needed = Everything;
    std::vector<bool> keep(m_events.size(), false);
    for (std::size_t i = m_events.size(); i-- > 0;) {
        const unsigned written = writes(m_events[i]);
        const unsigned shown = written & needed;
        if (shown == 0)
            continue;
        keep[i] = true;
        needed = (needed & ~written) | reads(m_events[i], shown);
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_events.size(); ++i) {
        if (keep[i])
            m_events[kept++] = m_events[i];
    }
    m_events.resize(kept);
}

WindowSteps StepLog::steps(const WindowOptions& now) const
{
    WindowSteps steps;
    // The options after start-up: inches, and no sizing option.
    UnitSystem units = UnitSystem::Inches;
    std::optional<Sizing> sizing;
    const auto select = [&](UnitSystem wanted) {
        if (units != wanted)
            steps.push_back(optionStep(wanted));
        units = wanted;
    };
    const auto selectSizing = [&](Sizing wanted) {
        if (sizing != wanted)
            steps.push_back(optionStep(wanted));
        sizing = wanted;
    };
    for (const BarEvent& event : m_events) {
        select(event.units);
        if (event.bar == BarRole::Diagonal) {
            // The diagonal bar's handlers act only while its option is selected.
            if (event.diagonalSelected)
                selectSizing(Sizing::Diagonal);
            else if (sizing == Sizing::Diagonal)
                selectSizing(Sizing::Width);
        }
        const bool drag = event.drag && event.bar == BarRole::Diagonal;
        steps.push_back({drag ? WindowStep::Kind::Drag : WindowStep::Kind::Move, {}, {}, event.bar, event.value});
    }
    select(now.units);
    if (now.sizing) {
        // Selected again even when it is: its handler sets the bars' visibility.
        steps.push_back(optionStep(*now.sizing));
    }
    return steps;
}

} // namespace qvd
