// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "controls.h"

#include <algorithm>
#include <utility>

namespace qvd {

ControlId ControlSet::add(ControlState state)
{
    m_controls.push_back(std::move(state));
    m_handlers.emplace_back();
    return m_controls.size() - 1;
}

void ControlSet::restore(ControlId id, ControlState state)
{
    m_controls[id] = std::move(state);
    for (const Property property :
        {Property::Caption, Property::ForeColor, Property::Value, Property::Min, Property::Max, Property::Visible})
        notify(id, property);
}

std::optional<ControlId> ControlSet::find(std::string_view name) const
{
    const auto it
        = std::find_if(m_controls.begin(), m_controls.end(), [name](const ControlState& c) { return c.name == name; });
    if (it == m_controls.end())
        return std::nullopt;
    return static_cast<ControlId>(it - m_controls.begin());
}

void ControlSet::setHandler(ControlId id, Event event, Handler handler)
{
    Handlers& handlers = m_handlers[id];
    switch (event) {
    case Event::Click:
        handlers.click = std::move(handler);
        break;
    case Event::Change:
        handlers.change = std::move(handler);
        break;
    case Event::Scroll:
        handlers.scroll = std::move(handler);
        break;
    }
}

void ControlSet::notify(ControlId id, Property property) const { m_changed.notify(id, property); }

void ControlSet::raise(ControlId id, Event event) const
{
    const Handlers& handlers = m_handlers[id];
    const Handler& handler = event == Event::Click ? handlers.click
        : event == Event::Change                   ? handlers.change
                                                   : handlers.scroll;
    if (handler)
        handler();
}

void ControlSet::setCaption(ControlId id, std::string text)
{
    m_controls[id].caption = std::move(text);
    notify(id, Property::Caption);
    raise(id, Event::Change);
}

void ControlSet::setForeColor(ControlId id, Colour colour)
{
    m_controls[id].foreColor = colour;
    notify(id, Property::ForeColor);
}

void ControlSet::setOptionValue(ControlId id, bool selected)
{
    m_controls[id].value = selected ? kTrue : kFalse;
    notify(id, Property::Value);
}

void ControlSet::clickOption(ControlId id)
{
    const ControlId group = m_controls[id].group;
    for (ControlId other = 0; other < m_controls.size(); ++other) {
        const ControlState& c = m_controls[other];
        if (other != id && c.kind == ControlKind::OptionButton && c.group == group && c.value != kFalse)
            setOptionValue(other, false);
    }
    setOptionValue(id, true);
    raise(id, Event::Click);
}

void ControlSet::press(ControlId id) { raise(id, Event::Click); }

int ControlSet::clampToRange(ControlId id, long long value) const
{
    // A bar whose Min lies above its Max runs the other way; its values still
    // lie between the two.
    const ControlState& c = m_controls[id];
    const long long low = std::min(c.min, c.max);
    const long long high = std::max(c.min, c.max);
    return static_cast<int>(std::clamp(value, low, high));
}

void ControlSet::clampValue(ControlId id)
{
    const int clamped = clampToRange(id, m_controls[id].value);
    if (clamped == m_controls[id].value)
        return;
    m_controls[id].value = clamped;
    notify(id, Property::Value);
    raise(id, Event::Change);
}

void ControlSet::setMin(ControlId id, int min)
{
    m_controls[id].min = std::clamp(min, kScrollMin, kScrollMax);
    notify(id, Property::Min);
    clampValue(id);
}

void ControlSet::setMax(ControlId id, int max)
{
    m_controls[id].max = std::clamp(max, kScrollMin, kScrollMax);
    notify(id, Property::Max);
    clampValue(id);
}

void ControlSet::moveScrollBar(ControlId id, long long value)
{
    m_controls[id].value = clampToRange(id, value);
    notify(id, Property::Value);
    raise(id, Event::Change);
}

void ControlSet::dragScrollBar(ControlId id, long long value)
{
    m_controls[id].value = clampToRange(id, value);
    notify(id, Property::Value);
    raise(id, Event::Scroll);
}

void ControlSet::setVisible(ControlId id, bool visible)
{
    m_controls[id].visible = visible;
    notify(id, Property::Visible);
}

} // namespace qvd
