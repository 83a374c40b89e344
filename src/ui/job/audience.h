// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Sizing the screen for its audience: from the farthest seat and what the
// audience must read, the smallest image the viewing rules allow; from that,
// the smallest screen the window offers that is as large, the closest seat
// from which no one looks up more than 30 degrees to the image's top, and,
// with the room's distance, which rows can make that screen there.
//
// Like the room fit, every screen and placement is what the window shows: the
// sizer enters the user's steps into a window model of its own and reads the
// captions back. Only the rules and the choice among the window's sizes are
// its own.

#include "ui/job/room_fit.h"
#include "ui/window/main_window.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qvd {

// What the audience does with the image.
enum class ViewingRule {
    Basic,      // reads a presentation: the smallest element is a share of the image height
    Analytical, // must see every pixel: the image's lines of vertical resolution
};

// "Basic decision making" or "Analytical decision making"; "basic" or
// "analytical" for files and the command line.
[[nodiscard]] std::string_view ruleWords(ViewingRule rule);
[[nodiscard]] std::string_view ruleName(ViewingRule rule);
[[nodiscard]] std::optional<ViewingRule> ruleFromName(std::string_view name);

// The element height a basic rule takes, in percent of the image height.
inline constexpr double kMinElementHeight = 0.5;
inline constexpr double kMaxElementHeight = 20.0;
// The lines of vertical resolution an analytical rule takes, and the ones
// this 4:3 table's projectors show, offered first.
inline constexpr int kMinResolution = 1;
inline constexpr int kMaxResolution = 99999;
inline constexpr std::array<int, 3> kTableResolutions{768, 1050, 1200};
// The viewing distance per line of resolution at which one line subtends
// one minute of arc.
inline constexpr double kArcMinuteFactor = 3438.0;
// No one looks up more than this to the image's top.
inline constexpr double kMaxViewingElevationDegrees = 30.0;

// The seated eye height where none is given: the 1200 mm the standard's
// examples use, as 120 cm, and in inches to the room lengths' two decimals.
[[nodiscard]] double defaultEyeHeight(UnitSystem units);

// The field names the dialogs, the command line and the messages use.
inline constexpr std::string_view kFarthestName = "Farthest viewer";
inline constexpr std::string_view kElementHeightName = "Element height";
inline constexpr std::string_view kResolutionName = "Resolution";
inline constexpr std::string_view kEyeHeightName = "Eye height";

// The audience as the user enters it: plain texts in the window's decimal
// separator (canonical with "." in a job file), kept as typed.
struct AudienceSetting {
    ViewingRule rule = ViewingRule::Basic;
    std::string farthest;      // farthest viewer to the screen, a room length above 0
    std::string elementHeight; // percent, for the basic rule
    std::string resolution;    // whole lines, for the analytical rule
    std::optional<std::string> screenBottom;
    std::optional<std::string> eyeHeight; // the default for the unit when not given
    bool operator==(const AudienceSetting&) const = default;
};

// The audience the user entered (texts with `format`'s separator) as a file
// keeps it: canonical, only the rule's own figure; nothing while it does not
// read (readAudience). What this gives, the job file reads back
// (audience_file.h).
[[nodiscard]] std::optional<AudienceSetting> audienceForFile(
    const AudienceSetting& audience, const NumberFormat& format);
// A file's audience as the user sees it: with `format`'s separator.
[[nodiscard]] AudienceSetting audienceForWindow(const AudienceSetting& audience, const NumberFormat& format);

// The audience read and checked, in one unit.
struct AudienceQuery {
    UnitSystem units = UnitSystem::Inches;
    int angle = 10;
    ViewingRule rule = ViewingRule::Basic;
    double farthest = 0.0;
    double elementHeight = 0.0; // percent
    int resolution = 0;
    std::optional<double> screenBottom;
    std::optional<double> eyeHeight;
    // The room's distance, as the room fit takes it.
    std::optional<DistanceKind> kind;
    double distance = 0.0;
};

// What the user typed, read with `format`, or one message naming the first
// field that is wrong: "Element height: give a share from 0.5 to 20 % of the
// image height, not '25'". `unit` is the unit's caption for the messages.
struct AudienceReading {
    std::optional<AudienceQuery> query;
    std::string problem;
};
[[nodiscard]] AudienceReading readAudience(
    const AudienceSetting& setting, UnitSystem units, std::string_view unit, const NumberFormat& format);

// The image height the rule asks for, unrounded.
[[nodiscard]] double ruleImageHeight(const AudienceQuery& query);
// `length` rounded up to two decimals: a figure that is "at least" stays true
// once shown. Errors of the doubles below a millionth of a hundredth are not
// rounded up.
[[nodiscard]] double roundUpToHundredths(double length);
// The distance from the screen of the closest viewer who looks up at most 30
// degrees to the top of an image `imageHeight` high whose bottom is at
// `screenBottom`, eyes at `eyeHeight`; 0 when the top is at or below the eyes.
[[nodiscard]] double closestViewer(double imageHeight, double screenBottom, double eyeHeight);

// A screen the window offers: the user's steps to it, and its captions once
// the steps are done.
struct OfferedScreen {
    WindowInputs inputs; // unit, sizing, that bar's value, the angle
    std::string width, height, diagonal;
};

// One row at the offered screen.
struct AudienceRow {
    std::string projector;
    PlacementResult shown;
    std::optional<bool> fits;             // with the room's distance only
    std::optional<BaseHeight> baseHeight; // with a screen bottom, where the row shows numbers
};

// Whether the room holds the row at the screen, in words: "fits", "needs
// more room" or "out of range"; empty without the room's distance.
[[nodiscard]] std::string_view roomWords(const AudienceRow& row);
// Whether "Use this size" with the row makes sense: it shows numbers at the
// screen and, with a room, the room holds it.
[[nodiscard]] bool canUse(const AudienceRow& row);

struct AudienceAnswer {
    // The rule's image, each rounded up to two decimals.
    double minimumHeight = 0.0;
    double minimumWidth = 0.0;
    double minimumDiagonal = 0.0;
    // The smallest screen the window offers at least that high; nothing when
    // the largest it offers is smaller.
    std::optional<OfferedScreen> screen;
    std::array<AudienceRow, kRowCount> rows; // at the screen, when there is one
    // With a screen and a screen bottom: the closest viewer, rounded up to two
    // decimals, and the image's top above the floor.
    std::optional<double> closestViewer;
    std::optional<double> imageTop;
};

// The rule and its figure in words, with `format`'s separator and the unit's
// caption: "Basic decision making, element height 3.5 %: image at least 150 cm
// high", "Analytical decision making, 1080 lines: image at least ...".
[[nodiscard]] std::string ruleSummary(
    const AudienceQuery& query, double minimumHeight, std::string_view unit, const NumberFormat& format);

// The answer in words, as the dialogs and the job sheet show it, with the
// window's captions for the sizes and its unit:
//   summary  "Basic decision making, element height 3.5 %: image at least 150 cm high"
//   minimum  "Minimum image: Width 200.00, Height 150.00, Diagional 250.00 cm"
//   screen   "Smallest screen the window offers: Width 200, Height 150, Diagional 250 cm"
//   viewers  "Closest viewer 294.45 cm from the screen, eyes at 120 cm; image top 290.00 cm above the floor"
// The screen says so when none is large enough; the viewers are empty without
// a screen bottom.
struct AudienceWords {
    std::string summary, minimum, screen, viewers;
};
[[nodiscard]] AudienceWords audienceWords(
    const AudienceQuery& query, const AudienceAnswer& answer, const MainWindow& window);

class AudienceSizer {
public:
    explicit AudienceSizer(NumberFormat format);

    // Throws RuntimeError if the model fails.
    [[nodiscard]] AudienceAnswer size(const AudienceQuery& query);

    [[nodiscard]] const MainWindow& window() const { return m_window; }

private:
    // The screen the window shows after the steps to `inputs`, and its height.
    OfferedScreen probe(const WindowInputs& inputs, double& height);

    MainWindow m_window;
};

} // namespace qvd
