// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The design-time properties of the window QVDTALVERN and of its 68 controls:
// the state before the first handler runs. The model builds its controls from
// this table and the view lays out its widgets from it; there is no other copy.

#include "runtime/controls.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace qvd {

struct FontDesign {
    std::string_view face;
    double points;
    int weight; // 400 regular, 700 bold
    bool underline;
};

inline constexpr FontDesign kWindowFont{"Courier", 9.75, 400, false};
inline constexpr FontDesign kFrameFont{"Courier", 9.75, 700, false};
inline constexpr FontDesign kUnitFont{"Book Antiqua", 9.75, 400, false};
inline constexpr FontDesign kHeaderFont{"Book Antiqua", 9.75, 400, true};

enum class BackgroundKind {
    Default,      // the toolkit's button-face colour
    Explicit,     // `colour`
    SystemColour, // entry `colour` of the desktop's colour table
};

struct Background {
    BackgroundKind kind = BackgroundKind::Default;
    Colour colour = 0;
};

// System colour 14: the highlighted-text colour (white in the standard scheme).
inline constexpr int kSystemHighlightText = 14;

enum class Border { None, FixedSingle };
enum class Alignment { Left, Centre };

struct ControlDesign {
    std::string_view name{};
    ControlKind kind = ControlKind::Label;
    std::string_view container{}; // empty: the window's client area
    // Position and size in twips (1/1440 inch), relative to the container.
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string_view caption{};
    const FontDesign* font = &kWindowFont;
    Background background{};
    Border border = Border::None;
    Alignment alignment = Alignment::Left;
    bool visible = true;
    int value = 0; // scroll bars; option buttons kTrue or kFalse
    int min = 0;
    int max = 0;
    int smallChange = 1; // scroll bars: the arrow step
    int largeChange = 1; // scroll bars: the page step
    int tabIndex = 0;
};

struct FormDesign {
    std::string_view name;
    std::string_view caption;
    int clientWidth; // twips
    int clientHeight;
    int left; // the client area's top-left corner, twips from the screen's
    int top;
    const FontDesign* font;
};

inline constexpr std::size_t kControlCount = 68;

[[nodiscard]] const FormDesign& formDesign();
// The controls in creation order: each container before what it holds.
[[nodiscard]] const std::array<ControlDesign, kControlCount>& controlDesigns();

// Twips to pixels at 96 dots per inch: 15 twips a pixel.
inline constexpr int kTwipsPerPixel = 15;

} // namespace qvd
