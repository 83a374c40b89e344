// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// A screen size typed on a keyboard (a phone's numeric one) instead of
// stepping a bar: it is taken as the bar of the sizing selected now, in the
// unit selected now, and entered as the user's bar steps would enter it, so
// the captions are those the window gives for that bar value.

#include "ui/window/main_window.h"

#include <optional>
#include <string>
#include <string_view>

namespace qvd {

struct TypedSize {
    ControlId bar = 0;
    std::optional<int> value; // the bar value, when the text gives one
    std::string problem;      // what is wrong with the text, else empty
};

// Reads `text` for the window as it stands: whole units only (a bar moves in
// whole inches or centimetres), digits with spaces around them, within the
// selected bar's range for the selected unit.
[[nodiscard]] TypedSize typedSize(const MainWindow& window, std::string_view text);

// What the typed size is, said beside the field: "Width in inches, 39 to
// 240", or, while no sizing option is selected, what to choose first.
[[nodiscard]] std::string typedSizePrompt(const MainWindow& window);

} // namespace qvd
