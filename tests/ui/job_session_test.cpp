// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The job session: what it gives as the job is what it was given, its
// followers hear of every change once, and the menu's commands act on the
// window as the user's own steps would.

#include "ui/job/job_session.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace qvd;

namespace {

// Every caption of the window with its colour, and the width bar, to
// compare two windows (the other bars keep where the user left them).
std::string captions(const MainWindow& window)
{
    const ControlSet& controls = window.controls();
    std::string all = std::to_string(controls.value(window.widthBar())) + '\n';
    for (ControlId id = 0; id < controls.size(); ++id)
        all += controls.caption(id) + '|' + std::to_string(controls.control(id).foreColor) + '\n';
    return all;
}

JobSession& started(JobSession& session)
{
    session.window().load();
    return session;
}

} // namespace

TEST(JobSession, GivesBackTheJobItWasGivenAndTellsOnce)
{
    const Job jobs[] = {
        {{UnitSystem::Inches, Sizing::Width, 100, 10}, 0, std::nullopt, LengthFormat::Decimal, {}, std::nullopt,
            std::nullopt},
        {{UnitSystem::Centimetres, Sizing::Height, 457, -15}, 8, RoomSetting{DistanceKind::Straight, "412.5", "0"},
            LengthFormat::Decimal, {"Aula", "", "Site", "", "a\r\nb"}, std::nullopt,
            AudienceSetting{ViewingRule::Analytical, "477.5", "", "1080", "140", std::nullopt}},
        {{UnitSystem::Inches, Sizing::Diagonal, 49, 15}, 3, RoomSetting{DistanceKind::Throw, "150", std::nullopt},
            LengthFormat::FeetAndInches, {"", "Client", "", "Me", ""}, std::nullopt,
            AudienceSetting{ViewingRule::Basic, "0.5", "20", "", std::nullopt, "47.24"}},
    };
    for (const char* separator : {".", ","}) {
        for (const Job& job : jobs) {
            JobSession session(NumberFormat{separator});
            started(session);
            int told = 0;
            session.addFollower([&told] { ++told; });
            session.apply(job);
            EXPECT_EQ(told, 1) << separator;
            // A version 1 job comes back with the steps that show its window.
            Job given = session.job();
            EXPECT_TRUE(given.window.has_value());
            given.window.reset();
            EXPECT_EQ(given, job) << separator << " row " << job.projector.value_or(0);
            EXPECT_EQ(session.hasAdditions(), job.room.has_value() || !job.details.isEmpty());
            if (job.room && std::string(separator) == ",") {
                EXPECT_EQ(session.room().distance.find('.'), std::string::npos) << "the window shows its own separator";
            }
        }
    }
}

// A command line's options over a job: each part given replaces only the
// job's own, and the window stays the job's.
TEST(JobSession, OpenEntersEachOptionOverTheJob)
{
    Job job;
    job.inputs = {UnitSystem::Centimetres, Sizing::Height, 200, -3};
    job.room = RoomSetting{DistanceKind::Throw, "250", "30"};
    job.lengthFormat = LengthFormat::FeetAndInches;
    job.audience = AudienceSetting{ViewingRule::Basic, "400", "3", "", std::nullopt, std::nullopt};
    const RoomSetting room = *job.room;
    const AudienceSetting audience = *job.audience;
    struct Case {
        const char* what;
        JobOptions options;
        RoomSetting room;
        AudienceSetting audience;
        LengthFormat lengths;
    };
    const auto with = [](auto value, auto change) {
        change(value);
        return value;
    };
    const Case cases[] = {
        {"nothing", {}, room, audience, LengthFormat::FeetAndInches},
        {"the window's inputs are the job's",
            with(JobOptions{},
                [](JobOptions& o) {
                    o.inputs = {UnitSystem::Inches, Sizing::Width, 150, 12};
                }),
            room, audience, LengthFormat::FeetAndInches},
        {"a distance",
            with(JobOptions{},
                [](JobOptions& o) {
                    o.distanceKind = DistanceKind::Straight;
                    o.distance = "300";
                }),
            RoomSetting{DistanceKind::Straight, "300", "30"}, audience, LengthFormat::FeetAndInches},
        {"a screen bottom", with(JobOptions{}, [](JobOptions& o) { o.screenBottom = "12"; }),
            RoomSetting{DistanceKind::Throw, "250", "12"}, audience, LengthFormat::FeetAndInches},
        {"a length format", with(JobOptions{}, [](JobOptions& o) { o.lengths = LengthFormat::Decimal; }), room,
            audience, LengthFormat::Decimal},
        {"a resolution", with(JobOptions{}, [](JobOptions& o) { o.resolution = "1080"; }), room,
            with(audience,
                [](AudienceSetting& a) {
                    a.rule = ViewingRule::Analytical;
                    a.resolution = "1080";
                }),
            LengthFormat::FeetAndInches},
        {"the audience's heights",
            with(JobOptions{},
                [](JobOptions& o) {
                    o.farthest = "500";
                    o.audienceScreenBottom = "100";
                    o.eyeHeight = "110";
                }),
            room,
            with(audience,
                [](AudienceSetting& a) {
                    a.farthest = "500";
                    a.screenBottom = "100";
                    a.eyeHeight = "110";
                }),
            LengthFormat::FeetAndInches},
    };
    for (const Case& c : cases) {
        JobSession session(NumberFormat{});
        session.open(job, c.options);
        EXPECT_EQ(session.room(), c.room) << c.what;
        EXPECT_EQ(session.audience(), c.audience) << c.what;
        EXPECT_EQ(session.lengthFormat(), c.lengths) << c.what;
        EXPECT_EQ(windowInputs(session.window()), job.inputs) << c.what;
    }

    // Without a job, the inputs are entered as the user's steps.
    JobSession session(NumberFormat{});
    const WindowInputs inputs{UnitSystem::Centimetres, Sizing::Diagonal, 300, 7};
    session.open(std::nullopt, with(JobOptions{}, [&](JobOptions& o) {
        o.inputs = inputs;
        o.screenBottom = "40";
    }));
    MainWindow entered(NumberFormat{});
    entered.load();
    entered.enterInputs(inputs);
    EXPECT_EQ(captions(session.window()), captions(entered));
    EXPECT_EQ(session.room(), (RoomSetting{DistanceKind::Throw, "", "40"}));
}

TEST(JobSession, FollowersHearEachChangeUntilRemoved)
{
    JobSession session{NumberFormat{}};
    started(session);
    std::vector<std::string> heard;
    const int first = session.addFollower([&heard] { heard.push_back("first"); });
    int second = 0;
    second = session.addFollower([&] {
        heard.push_back("second");
        session.removeFollower(second); // once only, removed while being told
    });
    session.chooseRow(4);
    session.setRoom({DistanceKind::Throw, "120", std::nullopt});
    session.removeFollower(first);
    session.setDetails({"Job", "", "", "", ""});
    session.setLengthFormat(LengthFormat::FeetAndInches);
    EXPECT_EQ(heard, (std::vector<std::string>{"first", "second", "first"}));
    EXPECT_THROW(session.chooseRow(kRowCount), std::out_of_range);
    EXPECT_EQ(session.chosenRow(), 4u);
}

// "Use this size" from any sizing, unit and angle ends as a fresh window
// ends after the user enters that width at that angle.
TEST(JobSession, UseScreenWidthIsTheUsersSteps)
{
    const WindowInputs before[] = {
        {UnitSystem::Inches, Sizing::Width, 100, 10},
        {UnitSystem::Centimetres, Sizing::Height, 300, -3},
        {UnitSystem::Inches, Sizing::Diagonal, 200, 15},
    };
    for (const WindowInputs& inputs : before) {
        JobSession session{NumberFormat{","}};
        started(session).window().enterInputs(inputs);
        const int width = inputs.units == UnitSystem::Inches ? 137 : 350;
        session.useScreenWidth(width);

        MainWindow fresh{NumberFormat{","}};
        fresh.load();
        fresh.enterInputs({inputs.units, Sizing::Width, width, inputs.angle});
        EXPECT_EQ(captions(session.window()), captions(fresh)) << inputs.size;
    }
}

// The room is described in the unit selected now, even before the table
// has been worked out in it.
TEST(JobSession, RoomFitTakesTheSelectedUnitAndTheAngle)
{
    JobSession session{NumberFormat{","}};
    MainWindow& window = started(session).window();
    EXPECT_FALSE(session.roomFit());
    session.setRoom({DistanceKind::Throw, "12,5x", std::nullopt});
    EXPECT_FALSE(session.roomFit());

    window.moveBarTo(window.angleBar(), -4);
    window.controls().clickOption(window.unitOption(UnitSystem::Centimetres));
    session.setRoom({DistanceKind::Straight, "420,25", "30"});
    const auto fit = session.roomFit();
    ASSERT_TRUE(fit);
    RoomFitter fitter{NumberFormat{","}};
    const RoomFit expected = fitter.fit({UnitSystem::Centimetres, -4, DistanceKind::Straight, 420.25, 30.0});
    for (std::size_t row = 0; row < kRowCount; ++row) {
        EXPECT_EQ((*fit)[row].width, expected[row].width) << row;
        EXPECT_EQ((*fit)[row].limit, expected[row].limit) << row;
    }
}

// The dialog of every view says what keeps a room from being fitted, naming
// the lengths the grammar takes, in the user's separator.
TEST(JobSession, RoomProblemSaysWhatEachLengthTakes)
{
    const std::string distance
        = "Give the distance above 0 with at most 6 digits before the separator and 2 after, as 12,34.";
    const std::string bottom
        = "Give the screen's bottom edge from 0 up with at most 6 digits before the separator and 2 after, as 12,34.";
    const struct {
        const char* distance;
        std::optional<std::string> screenBottom;
        std::string problem;
    } cases[] = {
        {"", std::nullopt, ""}, // nothing typed yet
        {"150,5", "0", ""},
        {"1234567", std::nullopt, distance},
        {"0", std::nullopt, distance},
        {"150.5", std::nullopt, distance},
        {"150", "-3", bottom},
        {"", "low", bottom},
        {"x", "1,234", distance + " " + bottom},
    };
    JobSession session{NumberFormat{","}};
    started(session);
    for (const auto& c : cases) {
        session.setRoom({DistanceKind::Throw, c.distance, c.screenBottom});
        EXPECT_EQ(session.roomProblem(), c.problem) << c.distance;
    }
    session.window().controls().clickOption(session.window().unitOption(UnitSystem::Centimetres));
    EXPECT_EQ(session.roomSettingText(), "At the window's angle of 10 degrees, in cm");
}

// The name a new job's file is offered under, as both views offer it.
TEST(JobSession, SuggestedFileNameTakesOutWhatNoFileNameHoldsAndTidiesBlanks)
{
    const struct {
        std::string name;
        std::string file;
    } cases[] = {
        {"", "Job.qvdjob"},
        {"  Aula  magna \t 2 ", "Aula magna 2.qvdjob"},
        {"a / b", "a b.qvdjob"},
        {"<>:\"/\\|?*", "Job.qvdjob"},
        {"Säle: Nord", "Säle Nord.qvdjob"},
    };
    JobSession session{NumberFormat{"."}};
    for (const auto& c : cases) {
        session.setDetails({c.name, "", "", "", ""});
        EXPECT_EQ(session.suggestedFileName(), c.file) << c.name;
    }
}

// The limits count characters, not bytes or UTF-16 units: 200 four-byte
// characters (two UTF-16 units each) are kept, 201 are not.
TEST(JobSession, DetailsProblemsCountCharacters)
{
    std::string clef;
    for (int i = 0; i < 200; ++i)
        clef += "\U0001D11E";
    EXPECT_TRUE(JobSession::detailsProblems({clef, clef, clef, clef, std::string(kMaxJobNotesLength, 'n')}).empty());
    const std::vector<std::string> problems
        = JobSession::detailsProblems({"", clef + "é", "", "", std::string(kMaxJobNotesLength + 1, 'n')});
    EXPECT_EQ(problems,
        (std::vector<std::string>{"The client has 201 characters; at most 200 are kept.",
            "The notes have 20001 characters; at most 20000 are kept."}));
}
