// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Names for assistive tools, read off the layout: a captioned label, frame or
// button is named by its caption; any other control by the label that names
// its row and the header above its column ("Ulmo, THROW DISTANCE"), else by
// its frame's caption, else by its design name. Inputs are described by what
// they set.

#include "ui/form_design.h"

#include <QString>

#include <cstddef>
#include <span>

namespace qvd {

[[nodiscard]] QString accessibleNameFor(std::span<const ControlDesign> designs, std::size_t index);

// What an input does, for a control that takes the keyboard focus; empty for
// the others (a label's description is its caption, which the view keeps).
[[nodiscard]] QString accessibleDescriptionFor(std::string_view name);

} // namespace qvd
