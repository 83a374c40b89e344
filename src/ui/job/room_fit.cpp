// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/room_fit.h"

#include "calc/projector_table.h"

#include <algorithm>
#include <cctype>

namespace qvd {

std::string withFloorFlag(const std::string& height, bool belowFloor)
{
    return belowFloor ? height + " " + std::string(kBelowFloor) : height;
}

std::string_view limitWords(FitLimit limit)
{
    switch (limit) {
    case FitLimit::Room:
        return "room";
    case FitLimit::Range:
        return "lens or bar range";
    case FitLimit::None:
        break;
    }
    return "does not fit";
}

std::string_view limitName(FitLimit limit)
{
    switch (limit) {
    case FitLimit::Room:
        return "room";
    case FitLimit::Range:
        return "range";
    case FitLimit::None:
        break;
    }
    return "none";
}

std::string_view distanceKindName(DistanceKind kind) { return kind == DistanceKind::Throw ? "throw" : "straight"; }

std::string_view distanceKindLabel(DistanceKind kind)
{
    return kind == DistanceKind::Throw ? "Throw distance (lens to screen centre)"
                                       : "Straight line (front foot to screen)";
}

std::optional<RoomLength> readRoomLength(std::string_view text, std::string_view separator)
{
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    const std::size_t wholeEnd
        = static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), digit) - text.begin());
    std::string_view whole = text.substr(0, wholeEnd);
    std::string_view decimals;
    if (wholeEnd < text.size()) {
        if (separator.empty() || text.substr(wholeEnd, separator.size()) != separator)
            return std::nullopt;
        decimals = text.substr(wholeEnd + separator.size());
        if (!std::all_of(decimals.begin(), decimals.end(), digit))
            return std::nullopt;
    }
    if (whole.empty() && decimals.empty())
        return std::nullopt;
    if (decimals.size() > kMaxRoomDecimals)
        return std::nullopt;
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() > kMaxRoomWholeDigits)
        return std::nullopt;
    decimals = decimals.substr(0, decimals.find_last_not_of('0') + 1);

    RoomLength length;
    length.canonical = whole.empty() ? "0" : std::string(whole);
    if (!decimals.empty())
        length.canonical += "." + std::string(decimals);
    // At most eight digits: the value is the double nearest to the decimal.
    length.value = ParseNumber(length.canonical, NumberFormat{"."});
    return length;
}

std::optional<double> parseRoomLength(std::string_view text, const NumberFormat& format)
{
    const std::optional<RoomLength> length = readRoomLength(text, format.decimalSeparator);
    if (!length)
        return std::nullopt;
    return length->value;
}

std::optional<double> parseRoomDistance(std::string_view text, const NumberFormat& format)
{
    const std::optional<double> length = parseRoomLength(text, format);
    if (!length || *length <= 0.0)
        return std::nullopt;
    return length;
}

std::string roomLengthDigits()
{
    return "at most " + std::to_string(kMaxRoomWholeDigits) + " digits before the separator and "
        + std::to_string(kMaxRoomDecimals) + " after";
}

std::string roomLengthExample(const NumberFormat& format) { return "12" + format.decimalSeparator + "34"; }

std::optional<BaseHeight> baseHeight(double screenBottom, const PlacementResult& shown, const NumberFormat& format)
{
    if (shown.isWarning)
        return std::nullopt;
    const ParseResult offset = tryParseNumber(shown.verticalOffset, format);
    if (!offset.ok())
        return std::nullopt;
    // Positive offsets lie below the screen's bottom edge.
    const double base = screenBottom - offset.value;
    return BaseHeight{FormatFixed(base, format), RoundFixed(base) < 0.0};
}

bool rowFitsRoom(const PlacementResult& shown, DistanceKind kind, double distance, const NumberFormat& format)
{
    const ParseResult read
        = tryParseNumber(kind == DistanceKind::Throw ? shown.throwDistance : shown.straightLine, format);
    return !shown.isWarning && read.ok() && read.value <= distance;
}

std::optional<double> roomScreenBottom(const MainWindow& window, const RoomSetting& room)
{
    const std::optional<UnitSystem> shown = window.placement().resultUnits();
    if (!room.screenBottom || !shown || !window.controls().isSelected(window.unitOption(*shown)))
        return std::nullopt;
    return parseRoomLength(*room.screenBottom, window.numberFormat());
}

RowFit lengthsShown(RowFit row, LengthFormat lengths, const NumberFormat& format)
{
    for (std::string* text : {&row.widthCaption, &row.heightCaption, &row.diagonalCaption, &row.shown.throwDistance,
             &row.shown.straightLine, &row.shown.verticalOffset})
        *text = lengthShown(*text, lengths, format);
    if (row.baseHeight)
        row.baseHeight->text = lengthShown(row.baseHeight->text, lengths, format);
    return row;
}

RoomFitter::RoomFitter(NumberFormat format)
    : m_window(std::move(format))
{
    m_window.load();
}

const RoomFitter::Probe& RoomFitter::probe(const RoomQuery& query, int width)
{
    std::optional<Probe>& cached = m_probes.at(static_cast<std::size_t>(width - m_firstWidth));
    if (cached)
        return *cached;
    // The user's steps in full, every time. The last step, the angle bar,
    // recalculates the table from the width, angle and unit alone, so the
    // probes before leave no trace in what the window shows.
    m_window.enterInputs({query.units, Sizing::Width, width, query.angle});
    const ControlSet& controls = m_window.controls();
    Probe shown{controls.caption(m_window.widthCaption()), controls.caption(m_window.heightCaption()),
        controls.caption(m_window.diagonalCaption()), {}};
    for (std::size_t row = 0; row < kRowCount; ++row)
        shown.rows[row] = m_window.placement().result(row);
    return cached.emplace(std::move(shown));
}

RoomFit RoomFitter::fit(const RoomQuery& query)
{
    const UnitRange& range = sizeBarRange(Sizing::Width);
    const int first = range.min(query.units);
    const int last = range.max(query.units);
    m_firstWidth = first;
    m_probes.assign(static_cast<std::size_t>(last - first + 1), std::nullopt);
    const NumberFormat& format = m_window.numberFormat();

    RoomFit answer;
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const ProjectorRow& projector = projectorTable()[row];
        // Which side of the row's range a warning lies on; it only steers the
        // search, the answer is what the window shows.
        const double minWidth = lengthsFor(projector, query.units).minWidth;
        const auto fits
            = [&](const PlacementResult& shown) { return rowFitsRoom(shown, query.kind, query.distance, format); };
        // Below the row's range, or showing a distance the room holds: true up
        // to some width and false after it, as the distances grow with the width.
        const auto notPast = [&](int width) {
            const PlacementResult& shown = probe(query, width).rows[row];
            return (shown.isWarning && width < minWidth) || fits(shown);
        };

        RowFit& result = answer[row];
        result.projector = m_window.controls().caption(m_window.rowCaption(row));
        if (!notPast(first))
            continue;
        int low = first; // notPast(low) holds
        int high = last + 1;
        while (high - low > 1) {
            const int middle = low + (high - low) / 2;
            (notPast(middle) ? low : high) = middle;
        }
        // The cache is sized for the query: references into it stay valid.
        const Probe& shown = probe(query, low);
        if (!fits(shown.rows[row]))
            continue; // still below the row's range, or its first width needs more room
        result.width = low;
        result.limit = low < last && !probe(query, low + 1).rows[row].isWarning ? FitLimit::Room : FitLimit::Range;
        result.widthCaption = shown.width;
        result.heightCaption = shown.height;
        result.diagonalCaption = shown.diagonal;
        result.shown = shown.rows[row];
        if (query.screenBottom)
            result.baseHeight = baseHeight(*query.screenBottom, result.shown, format);
    }
    return answer;
}

} // namespace qvd
