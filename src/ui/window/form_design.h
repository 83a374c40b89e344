// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The design-time properties of the window QVDTALVERN and of its 68 controls:
// the state before the first handler runs. The model builds its controls from
// this table and the view lays out its widgets from it; there is no other copy.

#include "calc/projector_table.h"
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

// How the screen's size is given: one row of the size frame each.
enum class Sizing { Width, Height, Diagonal };
inline constexpr std::size_t kSizingCount = 3;

// The design names of the controls by the part they play in the window. The
// window model resolves them once and answers by role; nothing else needs a
// control's design name except to show or print it.
struct SizeRowNames {
    std::string_view option;     // chooses this way of sizing
    std::string_view nameLabel;  // "Width", "Height", "Diagional"
    std::string_view valueLabel; // the size caption
    std::string_view bar;
};

struct ResultRowNames {
    std::string_view captionLabel;                      // the projector's name
    std::array<std::string_view, kColumnCount> results; // in Column order
};

struct RoleNames {
    std::array<SizeRowNames, kSizingCount> sizeRows; // in Sizing order
    std::string_view sizeFrame;
    std::string_view angleFrame;
    std::string_view angleLabel;
    std::string_view angleBar;
    std::string_view unitFrame;
    std::array<std::string_view, 2> unitLabels;  // in UnitSystem order
    std::array<std::string_view, 2> unitOptions; // in UnitSystem order
    std::array<std::string_view, kColumnCount> columnHeaders;
    // The introduction's explanation of each column's distance.
    std::array<std::string_view, kColumnCount> columnExplanations;
    std::array<ResultRowNames, kRowCount> resultRows; // top to bottom
    std::string_view introduction;
    std::string_view continueButton;
};

[[nodiscard]] const RoleNames& roleNames();

// The design of the control named `name`; throws std::invalid_argument for a
// name the window does not have.
[[nodiscard]] const ControlDesign& controlDesign(std::string_view name);

// The angle bar's range and its value at start-up, from its design.
struct AngleRange {
    int min = 0;
    int max = 0;
    int start = 0;
};
[[nodiscard]] AngleRange angleRange();

// Twips to pixels at 96 dots per inch: 15 twips a pixel.
inline constexpr int kTwipsPerPixel = 15;

// Pixels from one caption line to the next in `font` at 96 dots per inch:
// one em and a pixel, the pitch of the design's fonts.
[[nodiscard]] constexpr int captionLinePitch(const FontDesign& font)
{
    return static_cast<int>(font.points * 96.0 / 72.0 + 0.5) + 1;
}

// How many caption lines the box of `design` holds. A label's caption wraps
// at word boundaries inside its box; in a box of fewer than two lines it
// stays on one line, condensed if it must.
[[nodiscard]] constexpr int captionLines(const ControlDesign& design)
{
    return design.height / kTwipsPerPixel / captionLinePitch(*design.font);
}

} // namespace qvd
