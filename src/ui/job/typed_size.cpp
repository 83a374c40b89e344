// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/typed_size.h"

#include <array>

namespace qvd {

namespace {

constexpr std::array<const char*, kSizingCount> kSizingNames = {"Width", "Height", "Diagonal"};

std::optional<Sizing> selectedSizing(const MainWindow& window)
{
    for (const Sizing sizing : {Sizing::Width, Sizing::Height, Sizing::Diagonal}) {
        if (window.controls().isSelected(window.sizeOption(sizing)))
            return sizing;
    }
    return std::nullopt;
}

UnitSystem selectedUnits(const MainWindow& window)
{
    return window.controls().isSelected(window.unitOption(UnitSystem::Centimetres)) ? UnitSystem::Centimetres
                                                                                    : UnitSystem::Inches;
}

std::string unitWord(UnitSystem units) { return units == UnitSystem::Inches ? "inches" : "centimetres"; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

constexpr std::string_view kChooseFirst = "Choose Width, Height or Diagonal first";

} // namespace

TypedSize typedSize(const MainWindow& window, std::string_view text)
{
    TypedSize typed;
    const std::optional<Sizing> sizing = selectedSizing(window);
    if (!sizing) {
        typed.problem = std::string(kChooseFirst) + ".";
        return typed;
    }
    typed.bar = window.sizeBar(*sizing);
    const UnitSystem units = selectedUnits(window);
    const UnitRange& range = sizeBarRange(*sizing);
    const int min = range.min(units);
    const int max = range.max(units);
    const std::string_view digits = trimmed(text);
    // More than six digits is out of range whatever they are; stopping there
    // keeps the sum within an int.
    bool whole = !digits.empty() && digits.size() <= 6;
    int value = 0;
    for (const char c : digits) {
        whole = whole && c >= '0' && c <= '9';
        if (whole)
            value = value * 10 + (c - '0');
    }
    if (!whole || value < min || value > max) {
        std::string name = kSizingNames[static_cast<std::size_t>(*sizing)];
        for (char& c : name)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        typed.problem = "Give the " + name + " as a whole number of " + unitWord(units) + " from " + std::to_string(min)
            + " to " + std::to_string(max) + ".";
        return typed;
    }
    typed.value = value;
    return typed;
}

std::string typedSizePrompt(const MainWindow& window)
{
    const std::optional<Sizing> sizing = selectedSizing(window);
    if (!sizing)
        return "Size: " + std::string(kChooseFirst);
    const UnitSystem units = selectedUnits(window);
    const UnitRange& range = sizeBarRange(*sizing);
    return std::string(kSizingNames[static_cast<std::size_t>(*sizing)]) + " in " + unitWord(units) + ", "
        + std::to_string(range.min(units)) + " to " + std::to_string(range.max(units));
}

} // namespace qvd
