// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// What assistive tools hear of the window, for every view. Names are read off
// the layout: a captioned label, frame or button is named by its caption; any
// other control by the label that names its row and the header above its
// column ("Ulmo, throw distance"), else by its frame's caption. Inputs whose
// label does not read well aloud, and the captionless introduction, are named
// in words by their role; inputs are described by what they set. No design
// name is heard.

#include "ui/window/main_window.h"

#include <string>
#include <vector>

namespace qvd {

struct SpokenControl {
    std::string name;
    std::string description; // what an input does; empty for the others
    bool operator==(const SpokenControl&) const = default;
};

// Indexed by ControlId.
[[nodiscard]] std::vector<SpokenControl> spokenControls(const MainWindow& window);

} // namespace qvd
