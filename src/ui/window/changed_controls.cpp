// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/window/changed_controls.h"

namespace qvd {

ChangedControls::ChangedControls(ControlSet& controls, const WindowInput& input)
    : m_controls(controls)
    , m_input(input)
    , m_changed(controls.size(), false)
    , m_connection(controls.onChange([this](ControlId id, Property property) {
        // A control added since (never, once the window is built) is
        // covered by take(), which then names every control.
        if (property == Property::Visible)
            m_all = true;
        else if (id < m_changed.size())
            m_changed[id] = true;
    }))
{
}

std::vector<ControlId> ChangedControls::take()
{
    if (m_input.hasFailed() != m_failed) {
        m_failed = m_input.hasFailed();
        m_all = true;
    }
    if (m_changed.size() != m_controls.size()) {
        m_changed.assign(m_controls.size(), false);
        m_all = true;
    }
    std::vector<ControlId> ids;
    for (ControlId id = 0; id < m_changed.size(); ++id) {
        if (m_all || m_changed[id])
            ids.push_back(id);
    }
    m_all = false;
    m_changed.assign(m_changed.size(), false);
    return ids;
}

} // namespace qvd
