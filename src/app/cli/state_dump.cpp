// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "state_dump.h"
#include "runtime/utf8_text.h"

namespace qvd {

namespace {

int asBoolean(bool value) { return value ? kTrue : kFalse; }

} // namespace

void dumpState(const ControlSet& controls, std::ostream& out)
{
    for (ControlId id = 0; id < controls.size(); ++id) {
        const ControlState& c = controls.control(id);
        switch (c.kind) {
        case ControlKind::Label:
            out << c.name << ".Caption=" << escapedControls(c.caption) << '\n';
            out << c.name << ".ForeColor=" << c.foreColor << '\n';
            break;
        case ControlKind::OptionButton:
            out << c.name << ".Value=" << c.value << '\n';
            break;
        case ControlKind::HScrollBar:
            out << c.name << ".Min=" << c.min << '\n';
            out << c.name << ".Max=" << c.max << '\n';
            out << c.name << ".Value=" << c.value << '\n';
            out << c.name << ".Visible=" << asBoolean(c.visible) << '\n';
            break;
        case ControlKind::Frame:
            out << c.name << ".Visible=" << asBoolean(c.visible) << '\n';
            break;
        case ControlKind::PushButton:
            break;
        }
    }
    out << '\n';
}

} // namespace qvd
