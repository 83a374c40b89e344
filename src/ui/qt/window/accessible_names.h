// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The accessible interfaces of the control widgets: option buttons are radio
// buttons with their checked state, and Press and Toggle click them; the push
// button's Press clicks it at once; labels give their caption as their value
// and text. Every activation reaches the model through the widget's signals.
// The names and descriptions the view gives the widgets come from
// spokenControls() (ui/control_names.h), which every view shares.

namespace qvd {

// Installs the control widgets' accessible interfaces, once per program;
// before any widget has been asked for its interface.
void installControlAccessibility();

} // namespace qvd
