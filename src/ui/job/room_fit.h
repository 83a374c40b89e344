// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Room planning: for a distance the room gives, the widest screen each row
// fills, and how high the projector then stands above the floor. Every answer
// is what the window shows: the fitter enters the inputs into a window model
// of its own as a user would (unit, Width option, width bar, angle bar) and
// reads the captions back. Only the search for the width is its own.

#include "runtime/length_format.h"
#include "ui/window/main_window.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qvd {

// Which distance the room gives: lens to screen centre, or front foot to
// screen along the floor.
enum class DistanceKind { Throw, Straight };

// Why the widest fitting screen is not wider.
enum class FitLimit {
    Room,  // the next width is shown, with a longer distance than the room gives
    Range, // the row or the width bar ends at this width
    None,  // no width on the bar fits
};

// The words for a limit ("room", "lens or bar range", "does not fit") and its
// short name for files ("room", "range", "none").
[[nodiscard]] std::string_view limitWords(FitLimit limit);
[[nodiscard]] std::string_view limitName(FitLimit limit);
// "throw" or "straight".
[[nodiscard]] std::string_view distanceKindName(DistanceKind kind);
// What the room's distance is, in the words every view offers the choice in:
// "Throw distance (lens to screen centre)", "Straight line (front foot to screen)".
[[nodiscard]] std::string_view distanceKindLabel(DistanceKind kind);

// The header of the base height column, beside the window's column headers,
// and the flag of a base below the floor.
inline constexpr std::string_view kBaseHeightHeader = "BASE HEIGHT";
inline constexpr std::string_view kBelowFloor = "below the floor";
// A base height as shown, flagged when it lies below the floor.
[[nodiscard]] std::string withFloorFlag(const std::string& height, bool belowFloor);
// The name of the screen-bottom height among the inputs.
inline constexpr std::string_view kScreenBottomName = "Screen bottom";

// The room the user describes, as entered: plain fields, so that it can be
// kept and written out as it is. The texts use the window's decimal separator.
struct RoomSetting {
    DistanceKind kind = DistanceKind::Throw;
    std::string distance;                    // the distance the room gives
    std::optional<std::string> screenBottom; // height of the screen's bottom edge above the floor
    bool operator==(const RoomSetting&) const = default;
};

// The one grammar of a room length, for the Fit to room dialog, the command
// line and the job file alike: digits, then optionally the decimal separator
// and at most two decimals; blanks around are ignored. The whole part may be
// empty (".5") and the separator may end the text ("150."), but not both;
// leading zeros are allowed and not counted, and at most kMaxRoomWholeDigits
// digits remain before the separator. No sign, exponent or digit grouping:
// the sign and range are the caller's to check. The window and the command
// line use the user's separator, the file ".".
inline constexpr std::size_t kMaxRoomWholeDigits = 6;
inline constexpr std::size_t kMaxRoomDecimals = 2;

struct RoomLength {
    double value = 0.0;
    // The form the file keeps: "." as the separator, no leading zeros but a
    // single "0" before the separator, the decimals without trailing zeros,
    // and no separator without decimals: ".5" gives "0.5", "0150." and
    // "150.00" give "150", "007.50" gives "7.5". One value, one text.
    std::string canonical;
    bool operator==(const RoomLength&) const = default;
};

// The length in `text` written with `separator`, or nothing when the grammar
// refuses it.
[[nodiscard]] std::optional<RoomLength> readRoomLength(std::string_view text, std::string_view separator);
// The value of a length the user types, with `format`'s separator.
[[nodiscard]] std::optional<double> parseRoomLength(std::string_view text, const NumberFormat& format);
// The value of a distance the room gives: a room length above 0.
[[nodiscard]] std::optional<double> parseRoomDistance(std::string_view text, const NumberFormat& format);
// How many digits the grammar takes, in words for the messages that refuse a
// length: "at most 6 digits before the separator and 2 after".
[[nodiscard]] std::string roomLengthDigits();
// A length the grammar takes, as an example in `format`: "12.34" or "12,34".
[[nodiscard]] std::string roomLengthExample(const NumberFormat& format);

// The projector's base above the floor: the screen's bottom edge at
// `screenBottom` less the vertical offset the row shows, to two decimals.
struct BaseHeight {
    std::string text; // FormatFixed, the window's decimal separator
    bool belowFloor = false;
};

// The base height for a row showing `shown`; nothing for a range warning or
// an offset caption that is not a number.
[[nodiscard]] std::optional<BaseHeight> baseHeight(
    double screenBottom, const PlacementResult& shown, const NumberFormat& format);

// Whether a row showing `shown` fits a room giving `distance` of `kind`: it
// shows numbers, and the distance of that kind is at most the room's.
[[nodiscard]] bool rowFitsRoom(
    const PlacementResult& shown, DistanceKind kind, double distance, const NumberFormat& format);

// The screen-bottom height of `room` for the table `window` shows now: the
// room is described in the unit selected in the window, so only while the
// table's numbers are in that unit too (choosing a unit recalculates nothing).
// Nothing without a valid height.
[[nodiscard]] std::optional<double> roomScreenBottom(const MainWindow& window, const RoomSetting& room);

struct RoomQuery {
    UnitSystem units = UnitSystem::Inches;
    int angle = 10; // whole degrees, -15..15
    DistanceKind kind = DistanceKind::Throw;
    double distance = 0.0;              // > 0
    std::optional<double> screenBottom; // >= 0
};

// One row's answer. For FitLimit::None every text is empty.
struct RowFit {
    std::string projector;
    FitLimit limit = FitLimit::None;
    int width = 0; // the widest fitting screen W, a value of the width bar
    // The width, height and diagonal captions, and the row's three results, at W.
    std::string widthCaption;
    std::string heightCaption;
    std::string diagonalCaption;
    PlacementResult shown;
    std::optional<BaseHeight> baseHeight; // with a screen-bottom height only
};

using RoomFit = std::array<RowFit, kRowCount>;

// `row` with every length it holds (the width, height and diagonal captions,
// the three results and the base height) as `lengths` shows them; a warning
// word stays a word.
[[nodiscard]] RowFit lengthsShown(RowFit row, LengthFormat lengths, const NumberFormat& format);

// Finds the answers on one window model of its own, which it reuses from one
// query to the next: each probe is the user's full set of steps, so the window
// ends as a fresh window would after the same steps.
class RoomFitter {
public:
    explicit RoomFitter(NumberFormat format);

    // Throws RuntimeError if the model fails (no input of the bars does).
    [[nodiscard]] RoomFit fit(const RoomQuery& query);

    [[nodiscard]] const NumberFormat& numberFormat() const { return m_window.numberFormat(); }
    // The fitter's window, for its captions (column headers, unit names).
    [[nodiscard]] const MainWindow& window() const { return m_window; }

private:
    // The captions the window shows after the user's steps for width `width`.
    struct Probe {
        std::string width, height, diagonal;
        std::array<PlacementResult, kRowCount> rows;
    };

    const Probe& probe(const RoomQuery& query, int width);

    MainWindow m_window;
    int m_firstWidth = 0;
    std::vector<std::optional<Probe>> m_probes; // by width - m_firstWidth, for one query
};

} // namespace qvd
