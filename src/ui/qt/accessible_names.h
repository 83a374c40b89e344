// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// What assistive tools hear of the window. Names are read off the layout: a
// captioned label, frame or button is named by its caption; any other control
// by the label that names its row and the header above its column ("Ulmo,
// throw distance"), else by its frame's caption. Inputs whose label does not
// read well aloud, and the captionless introduction, are named in words by
// their role; inputs are described by what they set. No design name is heard.
//
// The accessible interfaces of the control widgets: option buttons are radio
// buttons with their checked state, and Press and Toggle click them; the push
// button's Press clicks it at once; labels give their caption as their value
// and text. Every activation reaches the model through the widget's signals.

#include "ui/main_window.h"

#include <QString>

#include <vector>

namespace qvd {

struct SpokenControl {
    QString name;
    QString description; // what an input does; empty for the others
};

// Indexed by ControlId.
[[nodiscard]] std::vector<SpokenControl> spokenControls(const MainWindow& window);

// Installs the control widgets' accessible interfaces, once per program;
// before any widget has been asked for its interface.
void installControlAccessibility();

} // namespace qvd
