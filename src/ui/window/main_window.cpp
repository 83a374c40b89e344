// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/window/main_window.h"

#include "calc/checked_math.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace qvd {

namespace {

ControlState designState(const ControlDesign& design, const ControlSet& controls)
{
    ControlState state;
    state.name = std::string(design.name);
    state.kind = design.kind;
    state.caption = std::string(design.caption);
    state.value = design.value;
    state.min = design.min;
    state.max = design.max;
    state.visible = design.visible;
    if (design.kind == ControlKind::OptionButton) {
        // Option buttons exclude each other within their frame.
        state.group = controls.find(design.container).value();
    }
    return state;
}

} // namespace

ControlSet MainWindow::buildControls()
{
    ControlSet controls;
    for (const ControlDesign& design : controlDesigns())
        controls.add(designState(design, controls));
    return controls;
}

void MainWindow::restart()
{
    const bool introductionClosed = !m_controls.isVisible(m_intro);
    ControlId id = 0;
    for (const ControlDesign& design : controlDesigns())
        m_controls.restore(id++, designState(design, m_controls));
    m_log.clear();
    load();
    if (introductionClosed)
        m_controls.press(m_continueButton);
}

ControlId MainWindow::bar(BarRole role) const
{
    return role == BarRole::Angle ? m_angleBar : sizeBar(static_cast<Sizing>(role));
}

WindowSteps MainWindow::steps() const
{
    WindowOptions now;
    now.units = m_controls.isSelected(m_centimetres) ? UnitSystem::Centimetres : UnitSystem::Inches;
    for (const Sizing sizing : {Sizing::Width, Sizing::Height, Sizing::Diagonal}) {
        if (m_controls.isSelected(sizeOption(sizing)))
            now.sizing = sizing;
    }
    return m_log.steps(now);
}

void MainWindow::enterSteps(const WindowSteps& steps)
{
    for (const WindowStep& step : steps) {
        switch (step.kind) {
        case WindowStep::Kind::Units:
            m_controls.clickOption(unitOption(step.units));
            break;
        case WindowStep::Kind::Sizing:
            m_controls.clickOption(sizeOption(step.sizing));
            break;
        case WindowStep::Kind::Move:
            moveBarTo(bar(step.bar), step.value);
            break;
        case WindowStep::Kind::Drag:
            m_controls.dragScrollBar(bar(step.bar), step.value);
            break;
        }
    }
}

void MainWindow::runBarHandler(BarRole role, bool drag, void (MainWindow::*handler)())
{
    const BarEvent before{role, drag, 0,
        m_controls.isSelected(m_centimetres) ? UnitSystem::Centimetres : UnitSystem::Inches,
        m_controls.isSelected(m_diagonalOption)};
    ++m_barHandlers;
    try {
        (this->*handler)();
    } catch (...) {
        --m_barHandlers;
        throw;
    }
    if (--m_barHandlers > 0)
        return;
    BarEvent event = before;
    event.value = m_controls.value(bar(role));
    m_log.add(event);
}

MainWindow::MainWindow(NumberFormat format)
    : m_format(std::move(format))
    , m_controls(buildControls())
{
    const RoleNames& names = roleNames();
    for (std::size_t i = 0; i < kSizingCount; ++i) {
        const SizeRowNames& row = names.sizeRows[i];
        m_sizeRows[i] = {id(row.option), id(row.nameLabel), id(row.valueLabel), id(row.bar)};
    }
    for (std::size_t i = 0; i < kRowCount; ++i) {
        const ResultRowNames& row = names.resultRows[i];
        m_resultRows[i].caption = id(row.captionLabel);
        for (std::size_t c = 0; c < kColumnCount; ++c)
            m_resultRows[i].results[c] = id(row.results[c]);
    }
    m_width = sizeCaption(Sizing::Width);
    m_height = sizeCaption(Sizing::Height);
    m_diagonal = sizeCaption(Sizing::Diagonal);
    m_widthBar = sizeBar(Sizing::Width);
    m_heightBar = sizeBar(Sizing::Height);
    m_diagonalBar = sizeBar(Sizing::Diagonal);
    m_diagonalOption = sizeOption(Sizing::Diagonal);
    m_angle = id(names.angleLabel);
    m_angleBar = id(names.angleBar);
    m_inches = id(names.unitOptions[index(UnitSystem::Inches)]);
    m_centimetres = id(names.unitOptions[index(UnitSystem::Centimetres)]);
    m_intro = id(names.introduction);
    m_continueButton = id(names.continueButton);
    m_sizeFrame = id(names.sizeFrame);
    m_angleFrame = id(names.angleFrame);
    m_unitFrame = id(names.unitFrame);
    for (std::size_t u = 0; u < 2; ++u) {
        m_unitOptions[u] = id(names.unitOptions[u]);
        m_unitLabels[u] = id(names.unitLabels[u]);
    }
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        m_columnHeaders[c] = id(names.columnHeaders[c]);
        m_columnExplanations[c] = id(names.columnExplanations[c]);
    }
    m_placement.emplace(m_controls, m_format, placementControls());
    connectHandlers();
}

PlacementControls MainWindow::placementControls() const
{
    PlacementControls resolved{m_width, m_angle, m_height, m_diagonal, m_inches, m_centimetres, {}};
    for (std::size_t i = 0; i < kRowCount; ++i)
        resolved.results[i] = m_resultRows[i].results;
    return resolved;
}

const UnitRange& sizeBarRange(Sizing sizing)
{
    static constexpr UnitRange kRanges[kSizingCount] = {kWidthBarRange, kHeightBarRange, kDiagonalBarRange};
    return kRanges[static_cast<std::size_t>(sizing)];
}

void MainWindow::moveBarTo(ControlId bar, int value)
{
    const ControlState& state = m_controls.control(bar);
    if (value < std::min(state.min, state.max) || value > std::max(state.min, state.max))
        m_controls.moveScrollBar(bar, value);
    m_controls.moveScrollBar(bar, value);
}

void MainWindow::enterInputs(const WindowInputs& inputs)
{
    m_controls.clickOption(unitOption(inputs.units));
    m_controls.clickOption(sizeOption(inputs.sizing));
    moveBarTo(sizeBar(inputs.sizing), inputs.size);
    if (inputs.angle)
        moveBarTo(m_angleBar, *inputs.angle);
}

ControlId MainWindow::id(std::string_view name) const
{
    const std::optional<ControlId> found = m_controls.find(name);
    if (!found)
        throw std::invalid_argument("the window has no control named " + std::string(name));
    return *found;
}

void MainWindow::connectHandlers()
{
    struct Binding {
        std::string_view control;
        Event event;
        void (MainWindow::*handler)();
    };
    static constexpr Binding kBindings[] = {
        {"Command1", Event::Click, &MainWindow::Command1_Click},
        {"Option4", Event::Click, &MainWindow::Option4_Click},
        {"Option13", Event::Click, &MainWindow::Option13_Click},
        {"Option14", Event::Click, &MainWindow::Option14_Click},
        {"HSBM", Event::Change, &MainWindow::HSBM_Change},
        {"HSBM", Event::Scroll, &MainWindow::HSBM_Scroll},
        {"hig", Event::Change, &MainWindow::hig_Change},
        {"hig", Event::Scroll, &MainWindow::hig_Scroll},
        {"vert", Event::Change, &MainWindow::vert_Change},
        {"vert", Event::Scroll, &MainWindow::vert_Scroll},
        {"hsbM1", Event::Change, &MainWindow::hsbM1_Change},
        {"hsbM1", Event::Scroll, &MainWindow::hsbM1_Scroll},
    };
    for (const Binding& binding : kBindings) {
        const ControlId control = id(binding.control);
        std::optional<BarRole> role;
        for (const BarRole r : {BarRole::Width, BarRole::Height, BarRole::Diagonal, BarRole::Angle}) {
            if (bar(r) == control)
                role = r;
        }
        if (role) {
            const bool drag = binding.event == Event::Scroll;
            m_controls.setHandler(
                control, binding.event, [this, r = *role, drag, h = binding.handler] { runBarHandler(r, drag, h); });
        } else {
            m_controls.setHandler(control, binding.event, [this, h = binding.handler] { (this->*h)(); });
        }
    }
    m_controls.setHandler(m_width, Event::Change, [this] { m_placement->Label147_Change(); });
    m_controls.setHandler(m_angle, Event::Change, [this] { m_placement->Label148_Change(); });
}

void MainWindow::load() { Form_Load(); }

void MainWindow::Form_Load() { m_controls.setCaption(m_width, FormatInteger(100)); }

void MainWindow::Command1_Click() { m_controls.setVisible(m_intro, false); }

void MainWindow::Option4_Click()
{
    m_controls.setVisible(m_heightBar, false);
    m_controls.setVisible(m_widthBar, true);
    m_controls.setVisible(m_diagonalBar, false);
}

void MainWindow::Option13_Click()
{
    m_controls.setVisible(m_widthBar, false);
    m_controls.setVisible(m_heightBar, true);
    m_controls.setVisible(m_diagonalBar, false);
}

void MainWindow::Option14_Click()
{
    m_controls.setVisible(m_diagonalBar, true);
    m_controls.setVisible(m_heightBar, false);
    m_controls.setVisible(m_widthBar, false);
}

// Min then Max of the selected unit; with no unit selected the range stays.
// Either write may bring the bar's value into the new range, which raises the
// bar's Change inside the write.
void MainWindow::setUnitRange(ControlId bar, const UnitRange& range)
{
    for (const UnitSystem units : {UnitSystem::Inches, UnitSystem::Centimetres}) {
        if (m_controls.isSelected(unitOption(units))) {
            m_controls.setMin(bar, range.min(units));
            m_controls.setMax(bar, range.max(units));
            return;
        }
    }
}

void MainWindow::sizeGiven(ControlId bar, const UnitRange& range, ControlId given, Ratio first, Ratio second)
{
    using namespace checked;
    setUnitRange(bar, range);
    m_controls.setCaption(given, FormatInteger(m_controls.value(bar)));
    const double firstSize
        = div(mul(ParseNumber(m_controls.caption(given), m_format), first.numerator), first.denominator);
    const double secondSize
        = div(mul(ParseNumber(m_controls.caption(given), m_format), second.numerator), second.denominator);
    m_controls.setCaption(first.caption, FormatFixed(firstSize, m_format));
    m_controls.setCaption(second.caption, FormatFixed(secondSize, m_format));
}

void MainWindow::widthGiven() { sizeGiven(m_widthBar, kWidthBarRange, m_width, {m_height, 3, 4}, {m_diagonal, 5, 4}); }

// The recalculation reads the width back as the two-decimal value shown.
void MainWindow::heightGiven()
{
    sizeGiven(m_heightBar, kHeightBarRange, m_height, {m_width, 4, 3}, {m_diagonal, 5, 3});
}

void MainWindow::diagonalGiven(bool setRange)
{
    using namespace checked;
    if (!m_controls.isSelected(m_diagonalOption))
        return;
    if (setRange)
        setUnitRange(m_diagonalBar, kDiagonalBarRange);
    const double width = RoundFixed(div(mul(m_controls.value(m_diagonalBar), 4), 5));
    m_controls.setCaption(m_width, FormatGeneral(width, m_format));
}

void MainWindow::angleGiven() { m_controls.setCaption(m_angle, FormatInteger(m_controls.value(m_angleBar))); }

void MainWindow::HSBM_Change() { widthGiven(); }
void MainWindow::HSBM_Scroll() { widthGiven(); }
void MainWindow::hig_Change() { heightGiven(); }
void MainWindow::hig_Scroll() { heightGiven(); }
// Only a Change sets the diagonal bar's range; a drag keeps the range it has.
void MainWindow::vert_Change() { diagonalGiven(true); }
void MainWindow::vert_Scroll() { diagonalGiven(false); }
void MainWindow::hsbM1_Change() { angleGiven(); }
void MainWindow::hsbM1_Scroll() { angleGiven(); }

} // namespace qvd
