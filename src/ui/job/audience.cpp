// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/audience.h"

#include "calc/checked_math.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <tuple>

namespace qvd {

namespace {

constexpr std::string_view kRuleNames[] = {"basic", "analytical"}; // by ViewingRule

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// An optional field left blank counts as not given.
bool given(const std::optional<std::string>& text) { return text && !trimmed(*text).empty(); }

// A whole number of lines: digits only, blanks around ignored.
std::optional<int> readLines(std::string_view text)
{
    text = trimmed(text);
    if (text.empty() || text.size() > 9
        || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int lines = 0;
    for (const char c : text)
        lines = lines * 10 + (c - '0');
    return lines;
}

} // namespace

std::string_view ruleWords(ViewingRule rule)
{
    return rule == ViewingRule::Basic ? "Basic decision making" : "Analytical decision making";
}

std::string_view ruleName(ViewingRule rule) { return kRuleNames[static_cast<std::size_t>(rule)]; }

std::optional<ViewingRule> ruleFromName(std::string_view name)
{
    const auto found = std::find(std::begin(kRuleNames), std::end(kRuleNames), name);
    if (found == std::end(kRuleNames))
        return std::nullopt;
    return static_cast<ViewingRule>(found - std::begin(kRuleNames));
}

double defaultEyeHeight(UnitSystem units) { return units == UnitSystem::Centimetres ? 120.0 : 47.24; }

AudienceReading readAudience(
    const AudienceSetting& setting, UnitSystem units, std::string_view unit, const NumberFormat& format)
{
    const std::string digits
        = std::string(unit) + " with " + roomLengthDigits() + " (as " + roomLengthExample(format) + ")";
    const auto refused = [](std::string_view field, std::string_view rule, std::string_view text) {
        return AudienceReading{
            std::nullopt, std::string(field) + ": give " + std::string(rule) + ", not '" + std::string(text) + "'"};
    };
    AudienceQuery query;
    query.units = units;
    query.rule = setting.rule;
    const std::optional<double> farthest = parseRoomDistance(setting.farthest, format);
    if (!farthest)
        return refused(kFarthestName, "the distance to the screen above 0 " + digits, setting.farthest);
    query.farthest = *farthest;
    if (setting.rule == ViewingRule::Basic) {
        const std::optional<double> share = parseRoomLength(setting.elementHeight, format);
        if (!share || *share < kMinElementHeight || *share > kMaxElementHeight)
            return refused(kElementHeightName,
                "a share of the image height from " + FormatGeneral(kMinElementHeight, format) + " to "
                    + FormatGeneral(kMaxElementHeight, format) + " %",
                setting.elementHeight);
        query.elementHeight = *share;
    } else {
        const std::optional<int> lines = readLines(setting.resolution);
        if (!lines || *lines < kMinResolution || *lines > kMaxResolution)
            return refused(kResolutionName,
                "a whole number of lines from " + std::to_string(kMinResolution) + " to "
                    + std::to_string(kMaxResolution),
                setting.resolution);
        query.resolution = *lines;
    }
    if (given(setting.screenBottom)) {
        query.screenBottom = parseRoomLength(*setting.screenBottom, format);
        if (!query.screenBottom)
            return refused(kScreenBottomName,
                "the height of the screen's bottom edge from the floor, 0 " + digits + " or more",
                *setting.screenBottom);
    }
    if (given(setting.eyeHeight)) {
        query.eyeHeight = parseRoomDistance(*setting.eyeHeight, format);
        if (!query.eyeHeight)
            return refused(kEyeHeightName, "the seated eye height above 0 " + digits, *setting.eyeHeight);
    }
    return {query, {}};
}

double ruleImageHeight(const AudienceQuery& query)
{
    // IH = FV / (200 EH) with EH a share; with EH in percent, FV / (2 EH).
    if (query.rule == ViewingRule::Basic)
        return query.farthest / (2.0 * query.elementHeight);
    return query.farthest * query.resolution / kArcMinuteFactor;
}

double roundUpToHundredths(double length)
{
    const double hundredths = length * 100.0;
    return std::ceil(hundredths - std::max(1.0, std::abs(hundredths)) * 1e-9) / 100.0;
}

double closestViewer(double imageHeight, double screenBottom, double eyeHeight)
{
    const double rise = imageHeight + (screenBottom - eyeHeight);
    if (rise <= 0.0)
        return 0.0;
    return rise / std::tan(kMaxViewingElevationDegrees * std::numbers::pi / 180.0);
}

std::string_view roomWords(const AudienceRow& row)
{
    if (!row.fits)
        return {};
    if (*row.fits)
        return "fits";
    return row.shown.isWarning ? "out of range" : "needs more room";
}

bool canUse(const AudienceRow& row) { return !row.shown.isWarning && row.fits.value_or(true); }

std::string ruleSummary(
    const AudienceQuery& query, double minimumHeight, std::string_view unit, const NumberFormat& format)
{
    std::string text(ruleWords(query.rule));
    text += query.rule == ViewingRule::Basic ? ", element height " + FormatGeneral(query.elementHeight, format) + " %"
                                             : ", " + std::to_string(query.resolution) + " lines";
    return text + ": image at least " + FormatGeneral(minimumHeight, format) + " " + std::string(unit) + " high";
}

AudienceWords audienceWords(const AudienceQuery& query, const AudienceAnswer& answer, const MainWindow& window)
{
    const ControlSet& controls = window.controls();
    const NumberFormat& format = window.numberFormat();
    const std::string unit = controls.caption(window.unitLabel(query.units));
    const auto sizes = [&](const std::string& width, const std::string& height, const std::string& diagonal) {
        return controls.caption(window.sizeNameLabel(Sizing::Width)) + " " + width + ", "
            + controls.caption(window.sizeNameLabel(Sizing::Height)) + " " + height + ", "
            + controls.caption(window.sizeNameLabel(Sizing::Diagonal)) + " " + diagonal + " " + unit;
    };
    AudienceWords words;
    words.summary = ruleSummary(query, answer.minimumHeight, unit, format);
    words.minimum = "Minimum image: "
        + sizes(FormatFixed(answer.minimumWidth, format), FormatFixed(answer.minimumHeight, format),
            FormatFixed(answer.minimumDiagonal, format));
    words.screen = answer.screen ? "Smallest screen the window offers: "
            + sizes(answer.screen->width, answer.screen->height, answer.screen->diagonal)
                                 : std::string("No screen the window offers is that large.");
    if (answer.closestViewer) {
        const double eyes = query.eyeHeight.value_or(defaultEyeHeight(query.units));
        words.viewers = "Closest viewer " + FormatFixed(*answer.closestViewer, format) + " " + unit
            + " from the screen, eyes at " + FormatGeneral(eyes, format) + " " + unit + "; image top "
            + FormatFixed(*answer.imageTop, format) + " " + unit + " above the floor";
    }
    return words;
}

AudienceSizer::AudienceSizer(NumberFormat format)
    : m_window(std::move(format))
{
    m_window.load();
}

OfferedScreen AudienceSizer::probe(const WindowInputs& inputs, double& height)
{
    m_window.enterInputs(inputs);
    const ControlSet& controls = m_window.controls();
    OfferedScreen screen{inputs, controls.caption(m_window.widthCaption()), controls.caption(m_window.heightCaption()),
        controls.caption(m_window.diagonalCaption())};
    height = ParseNumber(screen.height, m_window.numberFormat());
    return screen;
}

AudienceAnswer AudienceSizer::size(const AudienceQuery& query)
{
    using namespace checked;
    const NumberFormat& format = m_window.numberFormat();
    const double imageHeight = ruleImageHeight(query);
    AudienceAnswer answer;
    answer.minimumHeight = roundUpToHundredths(imageHeight);
    answer.minimumWidth = roundUpToHundredths(div(mul(imageHeight, 4), 3));
    answer.minimumDiagonal = roundUpToHundredths(div(mul(imageHeight, 5), 3));

    // Each bar's sizes grow with its value: the first value showing a height
    // as large as the rule asks is that bar's smallest screen. The smallest of
    // the three wins, the lower height first, then the narrower width, then
    // the bar in the window's order (width, height, diagonal).
    std::optional<std::tuple<double, double, Sizing, int>> best;
    for (const Sizing sizing : {Sizing::Width, Sizing::Height, Sizing::Diagonal}) {
        const UnitRange& range = sizeBarRange(sizing);
        int low = range.min(query.units) - 1; // shows less, or lies before the bar
        int high = range.max(query.units);    // shows enough, once checked
        double height = 0.0;
        probe({query.units, sizing, high, query.angle}, height);
        if (height < answer.minimumHeight)
            continue;
        while (high - low > 1) {
            const int middle = low + (high - low) / 2;
            probe({query.units, sizing, middle, query.angle}, height);
            (height < answer.minimumHeight ? low : high) = middle;
        }
        const OfferedScreen screen = probe({query.units, sizing, high, query.angle}, height);
        const std::tuple candidate{height, ParseNumber(screen.width, format), sizing, high};
        if (!best || candidate < *best)
            best = candidate;
    }
    if (!best)
        return answer;

    // The window as the user will see it after the steps to the screen.
    double height = 0.0;
    answer.screen = probe({query.units, std::get<Sizing>(*best), std::get<int>(*best), query.angle}, height);
    for (std::size_t row = 0; row < kRowCount; ++row) {
        AudienceRow& result = answer.rows[row];
        result.projector = m_window.controls().caption(m_window.rowCaption(row));
        result.shown = m_window.placement().result(row);
        if (query.kind)
            result.fits = rowFitsRoom(result.shown, *query.kind, query.distance, format);
        if (query.screenBottom)
            result.baseHeight = baseHeight(*query.screenBottom, result.shown, format);
    }
    if (query.screenBottom) {
        const double eyes = query.eyeHeight.value_or(defaultEyeHeight(query.units));
        answer.closestViewer = roundUpToHundredths(closestViewer(height, *query.screenBottom, eyes));
        answer.imageTop = RoundFixed(add(*query.screenBottom, height));
    }
    return answer;
}

} // namespace qvd
