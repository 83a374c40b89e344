// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/audience.h"

#include "ui/job/job_file.h"
#include "ui/job/job_session.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace qvd {
namespace {

AudienceAnswer sized(const AudienceSetting& setting, UnitSystem units, int angle = 10)
{
    const AudienceReading reading = readAudience(setting, units, "cm", {});
    EXPECT_TRUE(reading.query) << reading.problem;
    AudienceQuery query = *reading.query;
    query.angle = angle;
    AudienceSizer sizer({});
    return sizer.size(query);
}

// The three worked examples, in centimetres and in inches (the same lengths
// to two decimals): the rule's image, the screen the window takes and, with
// the screen bottom, the closest viewer and the image top.
TEST(Audience, WorkedExamplesHoldInBothUnits)
{
    struct Case {
        const char* name;
        UnitSystem units;
        AudienceSetting setting;
        double height, width, diagonal;
        const char *screenWidth, *screenHeight, *screenDiagonal;
        double closest; // 0: no screen bottom given
        double top;
    };
    const auto basic = [](std::string farthest, std::string share) {
        return AudienceSetting{ViewingRule::Basic, std::move(farthest), std::move(share), {}, {}, {}};
    };
    const auto analytical = [](std::string farthest, std::string lines) {
        return AudienceSetting{ViewingRule::Analytical, std::move(farthest), {}, std::move(lines), {}, {}};
    };
    AudienceSetting seatedCm = basic("1050", "3.5");
    seatedCm.screenBottom = "140";
    seatedCm.eyeHeight = "120";
    AudienceSetting seatedIn = basic("413.39", "3.5");
    seatedIn.screenBottom = "55.12";
    seatedIn.eyeHeight = "47.24";
    const std::vector<Case> cases{
        // FV 10500 mm, EH 3.5 %: IH 1500 mm.
        {"basic cm", UnitSystem::Centimetres, basic("1050", "3.5"), 150, 200, 250, "200", "150", "250", 0, 0},
        {"basic in", UnitSystem::Inches, basic("413.39", "3.5"), 59.06, 78.75, 98.43, "79", "59.25", "98.75", 0, 0},
        // IH 1500 mm at 1080 lines: FV 4775 mm.
        {"analytical cm", UnitSystem::Centimetres, analytical("477.5", "1080"), 150, 200, 250, "200", "150", "250", 0,
            0},
        {"analytical in", UnitSystem::Inches, analytical("187.99", "1080"), 59.06, 78.74, 98.43, "79", "59.25", "98.75",
            0, 0},
        // IH 1500, bottom 1400, eye 1200: CV 2944 mm.
        {"closest cm", UnitSystem::Centimetres, seatedCm, 150, 200, 250, "200", "150", "250", 294.45, 290},
        {"closest in", UnitSystem::Inches, seatedIn, 59.06, 78.75, 98.43, "79", "59.25", "98.75", 116.28, 114.37},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AudienceAnswer answer = sized(c.setting, c.units);
        EXPECT_DOUBLE_EQ(answer.minimumHeight, c.height);
        EXPECT_DOUBLE_EQ(answer.minimumWidth, c.width);
        EXPECT_DOUBLE_EQ(answer.minimumDiagonal, c.diagonal);
        ASSERT_TRUE(answer.screen);
        EXPECT_EQ(answer.screen->width, c.screenWidth);
        EXPECT_EQ(answer.screen->height, c.screenHeight);
        EXPECT_EQ(answer.screen->diagonal, c.screenDiagonal);
        EXPECT_EQ(answer.closestViewer.has_value(), c.closest != 0);
        if (c.closest != 0) {
            EXPECT_DOUBLE_EQ(*answer.closestViewer, c.closest);
            EXPECT_DOUBLE_EQ(*answer.imageTop, c.top);
        }
    }
    // The figure of the closest viewer as the standard's example rounds it, in mm.
    EXPECT_EQ(static_cast<int>(closestViewer(1500, 1400, 1200)), 2944);
}

// An independent model of the sizes the window offers, in hundredths, with
// integers only: a width bar value W shows W*3/4 high; a height bar value H
// shows the width 4H/3 to two decimals and then three quarters of that; a
// diagonal bar value D the width 4D/5 and three quarters of that. Halves
// round up (every value is positive).
struct ModelScreen {
    std::int64_t height = 0, width = 0;
};

std::int64_t roundedQuotient(std::int64_t numerator, std::int64_t denominator)
{
    return (2 * numerator + denominator) / (2 * denominator);
}

std::vector<ModelScreen> offeredScreens(UnitSystem units)
{
    std::vector<ModelScreen> screens;
    const auto add = [&](std::int64_t width) { screens.push_back({roundedQuotient(3 * width, 4), width}); };
    for (const Sizing sizing : {Sizing::Width, Sizing::Height, Sizing::Diagonal}) {
        const UnitRange& range = sizeBarRange(sizing);
        for (std::int64_t value = range.min(units); value <= range.max(units); ++value)
            add(sizing == Sizing::Width        ? 100 * value
                    : sizing == Sizing::Height ? roundedQuotient(400 * value, 3)
                                               : roundedQuotient(400 * value, 5));
    }
    return screens;
}

TEST(Audience, TakesTheSmallestScreenTheWindowOffersAtLeastAsHighAsTheRuleAsks)
{
    std::mt19937 random(27);
    AudienceSizer sizer({});
    for (const UnitSystem units : {UnitSystem::Inches, UnitSystem::Centimetres}) {
        const std::vector<ModelScreen> screens = offeredScreens(units);
        for (int trial = 0; trial < 150; ++trial) {
            // The farthest viewer and the share in hundredths, as typed.
            const std::int64_t farthest = std::uniform_int_distribution<std::int64_t>(100, 600000)(random);
            const bool basic = trial % 2 == 0;
            const std::int64_t share = std::uniform_int_distribution<std::int64_t>(50, 2000)(random);
            const std::int64_t lines = std::uniform_int_distribution<std::int64_t>(1, 4000)(random);
            // IH = FV / (2 EH%) or FV Rv / 3438, rounded up to hundredths.
            const std::int64_t wanted = basic ? (50 * farthest + share - 1) / share : (farthest * lines + 3437) / 3438;

            AudienceQuery query;
            query.units = units;
            query.angle = trial % 31 - 15;
            query.rule = basic ? ViewingRule::Basic : ViewingRule::Analytical;
            query.farthest = static_cast<double>(farthest) / 100;
            query.elementHeight = static_cast<double>(share) / 100;
            query.resolution = static_cast<int>(lines);
            const AudienceAnswer answer = sizer.size(query);
            SCOPED_TRACE(
                std::to_string(farthest) + (basic ? " share " : " lines ") + std::to_string(basic ? share : lines));
            ASSERT_EQ(std::llround(answer.minimumHeight * 100), wanted);

            std::optional<ModelScreen> best;
            for (const ModelScreen& screen : screens) {
                if (screen.height >= wanted
                    && (!best || std::pair{screen.height, screen.width} < std::pair{best->height, best->width}))
                    best = screen;
            }
            ASSERT_EQ(answer.screen.has_value(), best.has_value());
            if (!best)
                continue;
            EXPECT_EQ(std::llround(ParseNumber(answer.screen->height, {}) * 100), best->height);
            EXPECT_EQ(std::llround(ParseNumber(answer.screen->width, {}) * 100), best->width);
        }
    }
}

TEST(Audience, RowsCanMakeTheScreenWhereTheRoomFitReachesIt)
{
    AudienceSizer sizer({});
    RoomFitter fitter({});
    for (const DistanceKind kind : {DistanceKind::Throw, DistanceKind::Straight}) {
        AudienceQuery query;
        query.units = UnitSystem::Centimetres;
        query.angle = 5;
        query.farthest = 1050;
        query.elementHeight = 3.5;
        query.screenBottom = 90;
        query.kind = kind;
        query.distance = 420;
        const AudienceAnswer answer = sizer.size(query);
        ASSERT_TRUE(answer.screen);
        ASSERT_EQ(answer.screen->inputs.sizing, Sizing::Width);
        const RoomFit fit = fitter.fit({query.units, query.angle, kind, query.distance, query.screenBottom});
        int fitting = 0;
        for (std::size_t row = 0; row < kRowCount; ++row) {
            SCOPED_TRACE(fit[row].projector);
            // Out of its range a row makes no screen; in it, the room fit's
            // widest screen reaches this one exactly when the room holds it.
            const bool reaches = !answer.rows[row].shown.isWarning && fit[row].limit != FitLimit::None
                && fit[row].width >= answer.screen->inputs.size;
            ASSERT_TRUE(answer.rows[row].fits);
            EXPECT_EQ(*answer.rows[row].fits, reaches);
            fitting += reaches ? 1 : 0;
            EXPECT_EQ(answer.rows[row].baseHeight.has_value(), !answer.rows[row].shown.isWarning);
        }
        EXPECT_GT(fitting, 0);
        EXPECT_LT(fitting, static_cast<int>(kRowCount));
    }
}

TEST(Audience, ScreensBeyondTheWindowAreNoneAndSmallOnesTheSmallest)
{
    AudienceSizer sizer({});
    AudienceQuery query;
    query.units = UnitSystem::Inches;
    query.farthest = 5000;
    query.elementHeight = 0.5; // 5000 in high
    query.screenBottom = 10;
    query.eyeHeight = 45;
    EXPECT_FALSE(sizer.size(query).screen);
    EXPECT_FALSE(sizer.size(query).closestViewer);
    query.farthest = 1;
    const AudienceAnswer small = sizer.size(query);
    ASSERT_TRUE(small.screen);
    EXPECT_EQ(small.screen->width, "39");
    // An image whose top is below the eyes keeps no one away.
    EXPECT_DOUBLE_EQ(*small.closestViewer, 0.0);
}

TEST(Audience, RefusesBadInputNamingTheFieldInTheUsersSeparator)
{
    const NumberFormat comma{","};
    struct Case {
        AudienceSetting setting;
        const char* problem;
    };
    const auto basic = [](std::string farthest, std::string share) {
        return AudienceSetting{ViewingRule::Basic, std::move(farthest), std::move(share), {}, {}, {}};
    };
    AudienceSetting belowFloor = basic("1050", "3,5");
    belowFloor.screenBottom = "-10";
    AudienceSetting noEyes = basic("1050", "3,5");
    noEyes.eyeHeight = "0";
    const std::vector<Case> cases{
        {basic("0", "3,5"),
            "Farthest viewer: give the distance to the screen above 0 cm with at most 6 digits before "
            "the separator and 2 after (as 12,34), not '0'"},
        {basic("-5", "3,5"), "Farthest viewer:"},
        {basic("ten", "3,5"), "Farthest viewer:"},
        {basic("10.5", "3,5"), "Farthest viewer:"},
        {basic("1050", "0,4"), "Element height: give a share of the image height from 0,5 to 20 %, not '0,4'"},
        {basic("1050", "20,01"), "Element height:"},
        {basic("1050", ""), "Element height:"},
        {{ViewingRule::Analytical, "1050", {}, "1080,5", {}, {}},
            "Resolution: give a whole number of lines from 1 to 99999, not '1080,5'"},
        {{ViewingRule::Analytical, "1050", {}, "0", {}, {}}, "Resolution:"},
        {belowFloor, "Screen bottom: give the height of the screen's bottom edge from the floor, 0 cm"},
        {noEyes, "Eye height:"},
    };
    for (const Case& c : cases) {
        const AudienceReading reading = readAudience(c.setting, UnitSystem::Centimetres, "cm", comma);
        EXPECT_FALSE(reading.query);
        EXPECT_TRUE(reading.problem.starts_with(c.problem)) << reading.problem;
    }
    EXPECT_TRUE(readAudience(basic("1050", "20"), UnitSystem::Centimetres, "cm", comma).query);
}

// The session: a refusal changes nothing; "Use this size" enters the screen
// as the user's steps, and the job file keeps the audience.
TEST(Audience, SessionEntersTheScreenAndTheJobKeepsTheAudience)
{
    JobSession session({","});
    session.window().enterInputs({UnitSystem::Centimetres, Sizing::Width, 150, 3});
    AudienceSetting audience{ViewingRule::Analytical, "477,5", {}, "1080", std::string("140"), std::nullopt};
    session.setAudience(audience);
    const std::optional<AudienceAnswer> answer = session.audienceAnswer();
    ASSERT_TRUE(answer && answer->screen);
    session.useScreen(*answer->screen);
    const MainWindow& window = session.window();
    EXPECT_EQ(window.controls().caption(window.widthCaption()), answer->screen->width);
    EXPECT_EQ(window.controls().caption(window.heightCaption()), answer->screen->height);
    EXPECT_EQ(windowInputs(window), answer->screen->inputs);

    const Job job = session.job();
    ASSERT_TRUE(job.audience);
    EXPECT_EQ(job.audience->farthest, "477.5");
    const JobReading reading = parseJob(jobFileText(job));
    ASSERT_TRUE(reading.ok()) << reading.error.message;
    EXPECT_EQ(*reading.job, job);
    JobSession reopened({","});
    reopened.apply(*reading.job);
    EXPECT_EQ(reopened.audience(), audience);

    AudienceSetting bad = audience;
    bad.resolution = "lots";
    session.setAudience(bad);
    EXPECT_FALSE(session.audienceAnswer());
    EXPECT_TRUE(session.audienceReading().problem.starts_with("Resolution:"));
    EXPECT_EQ(session.job(), job); // the job keeps the audience that read
    session.setAudience({});
    EXPECT_FALSE(session.job().audience);
}

TEST(Audience, JobFileTakesTheMemberInAnyVersionAndRefusesItNamed)
{
    const std::string head = R"({"format": "qvdtalvern-job", "version": 1, "units": "cm",
        "size": {"by": "width", "value": 200}, "angle": 0)";
    const JobReading older = parseJob(head + "}");
    ASSERT_TRUE(older.ok());
    EXPECT_FALSE(older.job->audience);

    const JobReading withAudience = parseJob(head
        + R"(, "audience": {"rule": "basic", "farthest": "01050.50", "element_height": "3.50", "eye_height": "120"}})");
    ASSERT_TRUE(withAudience.ok()) << withAudience.error.message;
    const AudienceSetting expected{ViewingRule::Basic, "1050.5", "3.5", {}, std::nullopt, std::string("120")};
    EXPECT_EQ(withAudience.job->audience, expected);
    EXPECT_EQ(audienceForWindow(expected, {","}).farthest, "1050,5");

    struct Case {
        const char* member;
        const char* problem;
    };
    const std::vector<Case> cases{
        {R"("nothing")", "\"audience\" must be an object"},
        {R"({"farthest": "1050", "element_height": "3.5"})", "\"audience.rule\" is missing"},
        {R"({"rule": "deep", "farthest": "1050"})", "\"audience.rule\" must be \"basic\" or \"analytical\""},
        {R"({"rule": "basic", "farthest": "0", "element_height": "3.5"})", "\"audience.farthest\" must be"},
        {R"({"rule": "basic", "farthest": "1050", "element_height": "25"})", "\"audience.element_height\" must be"},
        {R"({"rule": "basic", "farthest": "1050"})", "\"audience.element_height\" is missing"},
        {R"({"rule": "analytical", "farthest": "1050", "resolution": 1080.5})", "\"audience.resolution\" must be"},
        {R"({"rule": "analytical", "farthest": "1050", "resolution": 0})", "\"audience.resolution\" must be"},
        {R"({"rule": "basic", "farthest": "1050", "element_height": "3.5", "screen_bottom": "-1"})",
            "\"audience.screen_bottom\" must be"},
    };
    for (const Case& c : cases) {
        const JobReading reading = parseJob(head + ", \"audience\": " + c.member + "}");
        ASSERT_FALSE(reading.ok()) << c.member;
        EXPECT_EQ(reading.error.kind, JobErrorKind::Member);
        EXPECT_TRUE(reading.error.message.starts_with(c.problem)) << reading.error.message;
    }
}

} // namespace
} // namespace qvd
