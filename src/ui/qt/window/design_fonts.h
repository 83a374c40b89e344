// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window's design names faces that few systems have (Courier, Book
// Antiqua). Each is mapped to installed faces of the same metrics, so that a
// caption takes the room the design gave it.

#include "ui/window/form_design.h"

#include <QFont>
#include <QRect>
#include <QStringList>

namespace qvd {

// The faces tried, in order, when `face` itself is not installed; empty for a
// face the window does not use.
[[nodiscard]] QStringList fontFallbacks(std::string_view face);

// Registers the fallbacks with Qt's font substitution table. Safe to call
// more than once.
void installFontFallbacks();

// The font of a design. Its size is set in pixels at 96 dpi, the same scale as
// the twips-to-pixels layout, so the text keeps its proportion to its box on
// any screen; Qt scales both together on high-dpi screens.
[[nodiscard]] QFont designFont(const FontDesign& design);

// A design rectangle in twips as pixels at 96 dpi.
[[nodiscard]] QRect designRect(int left, int top, int width, int height);

} // namespace qvd
