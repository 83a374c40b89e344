// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Job files: every job a user can make comes back as the same window and the
// same bytes; every kind of bad file is refused with a message that says
// what is wrong and where.

#include "action_scripts.h"
#include "ui/job/job_file.h"

#include "calc/projector_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace qvd {
namespace {

namespace fs = std::filesystem;

// Every property of every control after `inputs`.
qvd::test::WindowDump windowAfter(const WindowInputs& inputs)
{
    MainWindow window(NumberFormat{"."});
    window.load();
    window.enterInputs(inputs);
    EXPECT_EQ(windowInputs(window), inputs);
    return qvd::test::modelDump(window);
}

TEST(JobFile, EveryJobComesBackAsTheSameWindowAndTheSameBytes)
{
    const JobDetails details[] = {
        {},
        {"Hörsaal 3 \"Nord\"", "Café Łódź", "Site\twith tab", "J. O'Brien", "Line one\nLine \"two\"\n\\ back\\slash"},
        {std::string(kMaxJobNameLength, 'n'), "", "", "", std::string(kMaxJobNotesLength, '\n')},
    };
    const std::optional<RoomSetting> rooms[] = {std::nullopt, RoomSetting{DistanceKind::Throw, "250.5", "30"},
        RoomSetting{DistanceKind::Straight, "0.01", std::nullopt}};
    int checked = 0;
    for (const UnitSystem units : {UnitSystem::Inches, UnitSystem::Centimetres}) {
        for (const Sizing sizing : {Sizing::Width, Sizing::Height, Sizing::Diagonal}) {
            const UnitRange& range = sizeBarRange(sizing);
            const int low = units == UnitSystem::Inches ? range.inchMin : range.centimetreMin;
            const int high = units == UnitSystem::Inches ? range.inchMax : range.centimetreMax;
            for (const int size : {low, (low + high) / 2, high}) {
                for (const int angle : {-15, 0, 10, 15}) {
                    Job job;
                    job.inputs = {units, sizing, size, angle};
                    job.projector = static_cast<std::size_t>(checked) % (kRowCount + 1) == kRowCount
                        ? std::nullopt
                        : std::optional<std::size_t>(static_cast<std::size_t>(checked) % (kRowCount + 1));
                    job.room = rooms[checked % 3];
                    job.lengthFormat = checked % 2 == 0 ? LengthFormat::Decimal : LengthFormat::FeetAndInches;
                    job.details = details[checked % 3];
                    ++checked;

                    const std::string text = jobFileText(job);
                    const JobReading reading = parseJob(text);
                    ASSERT_TRUE(reading.ok()) << reading.error.message << "\n" << text;
                    EXPECT_EQ(*reading.job, job) << text;
                    EXPECT_EQ(jobFileText(*reading.job), text);
                    EXPECT_EQ(windowAfter(reading.job->inputs), windowAfter(job.inputs)) << text;
                }
            }
        }
    }
    EXPECT_EQ(checked, 72);
}

TEST(JobFile, IsWrittenInAFixedLayout)
{
    Job job;
    job.inputs = {UnitSystem::Inches, Sizing::Width, 120, -5};
    job.projector = 0;
    job.room = RoomSetting{DistanceKind::Throw, "250.5", "30"};
    job.lengthFormat = LengthFormat::FeetAndInches;
    job.details.name = "Aula";
    job.details.notes = "Ünïcode \"as is\"\n";
    EXPECT_EQ(jobFileText(job), R"({
  "format": "qvdtalvern-job",
  "version": 1,
  "units": "in",
  "size": {
    "by": "width",
    "value": 120
  },
  "angle": -5,
  "projector": "Ulmo",
  "room": {
    "kind": "throw",
    "distance": "250.5",
    "screen_bottom": "30"
  },
  "length_format": "ft-in",
  "job": {
    "name": "Aula",
    "client": "",
    "site": "",
    "prepared_by": "",
    "notes": "Ünïcode \"as is\"\n"
  }
}
)");
}

TEST(JobFile, ReadsTheSmallestJobAndIgnoresUnknownMembers)
{
    const JobReading reading = parseJob(R"({"format": "qvdtalvern-job", "version": 1, "units": "cm", "extra": [1],
        "size": {"by": "diagonal", "value": 763, "note": "x"}, "angle": 15, "job": {"client": "C", "other": 2}})");
    ASSERT_TRUE(reading.ok()) << reading.error.message;
    EXPECT_EQ(reading.job->inputs, (WindowInputs{UnitSystem::Centimetres, Sizing::Diagonal, 763, 15}));
    EXPECT_FALSE(reading.job->projector);
    EXPECT_FALSE(reading.job->room);
    EXPECT_EQ(reading.job->lengthFormat, LengthFormat::Decimal);
    EXPECT_EQ(reading.job->details, (JobDetails{"", "C", "", "", ""}));
}

std::string jobWith(const std::string& members)
{
    return R"({"format": "qvdtalvern-job", "version": 1, "units": "in", "size": {"by": "width", "value": 100},
  "angle": 10)"
        + members + "}";
}

TEST(JobFile, RefusesBadTextWithWhatIsWrongAndWhere)
{
    const struct {
        std::string text;
        JobErrorKind kind;
        std::string message;
    } cases[] = {
        {"", JobErrorKind::Syntax, "empty: a job file holds a JSON object"},
        {"hello", JobErrorKind::Syntax,
            "not valid JSON at line 1, column 1: syntax error while parsing value - invalid literal"},
        {jobWith("").substr(0, 60), JobErrorKind::Syntax, "not valid JSON at line 1, column 61:"},
        {"{\n\"a\": \"\xff\"}", JobErrorKind::NotUtf8,
            "not UTF-8 text: a byte that is no character at line 2, column 7"},
        {"\"\xed\xa0\x80\"", JobErrorKind::NotUtf8, "not UTF-8 text"},
        {"[1e400]", JobErrorKind::Syntax, "not valid JSON: number overflow"},
        {std::string(40, '['), JobErrorKind::Syntax, "nests more than 32 deep"},
        {"[]", JobErrorKind::NotAJob, "not a job file: it holds no JSON object"},
        {R"({"format": "other"})", JobErrorKind::NotAJob, "\"format\" must be \"qvdtalvern-job\""},
        {R"({"format": "qvdtalvern-job", "version": 3})", JobErrorKind::Version,
            "version 3 is newer than this program reads (version 2)"},
        {R"({"format": "qvdtalvern-job", "version": "1"})", JobErrorKind::Version,
            "\"version\" must be a whole number"},
        {R"({"format": "qvdtalvern-job", "version": 1})", JobErrorKind::Member, "\"units\" is missing"},
        {R"({"format": "qvdtalvern-job", "version": 1, "units": "mm"})", JobErrorKind::Member,
            "\"units\" must be \"in\" or \"cm\", not \"mm\""},
        {R"({"format": "qvdtalvern-job", "version": 1, "units": "in", "size": 100})", JobErrorKind::Member,
            "\"size\" must be an object, not 100"},
        {R"({"format": "qvdtalvern-job", "version": 1, "units": "in", "size": {"by": "area", "value": 1}})",
            JobErrorKind::Member, "\"size.by\" must be \"width\", \"height\" or \"diagonal\""},
        {R"({"format": "qvdtalvern-job", "version": 1, "units": "cm", "size": {"by": "height", "value": 75}})",
            JobErrorKind::Member,
            "\"size.value\" must be a whole number from 76 to 457 for a height in \"cm\", not 75"},
        {R"({"format": "qvdtalvern-job", "version": 1, "units": "in", "size": {"by": "width", "value": 100.5}})",
            JobErrorKind::Member,
            "\"size.value\" must be a whole number from 39 to 240 for a width in \"in\", not 100.5"},
        {R"({"format": "qvdtalvern-job", "version": 1, "units": "in", "size": {"by": "width", "value": 100}})",
            JobErrorKind::Member, "\"angle\" is missing"},
        {jobWith("").replace(jobWith("").find("10}"), 2, "16"), JobErrorKind::Member,
            "\"angle\" must be a whole number from -15 to 15, not 16"},
        {jobWith("").replace(jobWith("").find("10}"), 2, "18446744073709551615"), JobErrorKind::Member,
            "\"angle\" must be a whole number from -15 to 15, not 18446744073709551615"},
        {jobWith(R"(, "projector": "Ulmo 2")"), JobErrorKind::Member,
            "\"projector\" must be one of \"Ulmo\", \"Tovan\", \"Brisa\""},
        {jobWith(R"(, "room": {"kind": "throw", "distance": 250})"), JobErrorKind::Member,
            "\"room.distance\" must be a number written as text"},
        {jobWith(R"(, "room": {"kind": "throw", "distance": "0.00"})"), JobErrorKind::Member, "greater than 0"},
        {jobWith(R"(, "room": {"kind": "throw", "distance": "250,5"})"), JobErrorKind::Member, "not \"250,5\""},
        {jobWith(R"(, "room": {"kind": "throw", "distance": "1.234"})"), JobErrorKind::Member, "not \"1.234\""},
        {jobWith(R"(, "room": {"kind": "throw", "distance": "1", "screen_bottom": "-1"})"), JobErrorKind::Member,
            "\"room.screen_bottom\" must be a number written as text with \".\" and at most 6 digits before the "
            "separator and 2 after, 0 or more"},
        {jobWith(R"(, "room": {"kind": "up", "distance": "1"})"), JobErrorKind::Member,
            "\"room.kind\" must be \"throw\" or \"straight\""},
        {jobWith(R"(, "length_format": "metric")"), JobErrorKind::Member,
            "\"length_format\" must be \"decimal\" or \"ft-in\""},
        {jobWith(R"(, "job": {"name": 7})"), JobErrorKind::Member, "\"job.name\" must be a text, not 7"},
        {jobWith(R"(, "job": {"site": ")" + std::string(kMaxJobNameLength + 1, 'x') + "\"}"), JobErrorKind::Member,
            "\"job.site\" is longer than 200 characters"},
        {jobWith(R"(, "job": {"notes": ")" + std::string(kMaxJobNotesLength + 1, 'x') + "\"}"), JobErrorKind::Member,
            "\"job.notes\" is longer than 20000 characters"},
        {std::string(kMaxJobFileBytes + 1, ' '), JobErrorKind::TooLarge, "larger than 1 MB (1048577 bytes)"},
        {jobWith("") + std::string("\0garbage", 8), JobErrorKind::Syntax,
            "unexpected bytes after the job at line 2, column 15"},
        {jobWith("") + "\n\t{}", JobErrorKind::Syntax, "unexpected bytes after the job at line 3, column 2"},
        {"\xef\xbb\xbf[] 1", JobErrorKind::Syntax, "unexpected bytes after the job at line 1, column 5"},
        {std::string("{\"a\": \0}", 8), JobErrorKind::Syntax, "not valid JSON at line 1, column 7: a NUL byte"},
        {std::string(" \0{}", 4), JobErrorKind::Syntax, "not valid JSON at line 1, column 2: a NUL byte"},
        {jobWith(R"(, "angle": 10)"), JobErrorKind::Member, "the member \"angle\" is given twice"},
        {jobWith("").replace(jobWith("").find("100}"), 3, R"(100, "value": 99)"), JobErrorKind::Member,
            "the member \"size.value\" is given twice"},
        {jobWith(R"(, "extra": [[1, {"a": 1}], {"a": 1, "b": {}, "a": 2}])"), JobErrorKind::Member,
            "the member \"extra[1].a\" is given twice"},
        {jobWith(R"(, "room": {"kind": "throw", "distance": "1234567"})"), JobErrorKind::Member, "not \"1234567\""},
        // Regressions: the parser quoted the whole token (900 KB) and a byte
        // order mark cut in three.
        {"[\"" + std::string(900 * 1024, 'x'), JobErrorKind::Syntax, "last read: '\"" + std::string(39, 'x') + "...'"},
        {"\xef\xbb\xbf\xef\xbb\xbf{}", JobErrorKind::Syntax, "\\xEF'"},
        // Version 2: the window as steps.
        {R"({"format": "qvdtalvern-job", "version": 2})", JobErrorKind::Member, "\"window\" is missing"},
        {R"({"format": "qvdtalvern-job", "version": 2, "window": [], "angle": 10})", JobErrorKind::Member,
            "\"angle\" belongs to version 1"},
        {R"({"format": "qvdtalvern-job", "version": 2, "window": {}})", JobErrorKind::Member,
            "\"window\" must be a list of steps, not {}"},
        {R"({"format": "qvdtalvern-job", "version": 2, "window": [{"choose": "mm"}]})", JobErrorKind::Member,
            "\"window[0].choose\" must be \"in\", \"cm\", \"width\", \"height\" or \"diagonal\""},
        {R"({"format": "qvdtalvern-job", "version": 2, "window": [{"move": "width", "to": 611}]})",
            JobErrorKind::Member, "\"window[0].to\" must be a whole number from 39 to 610 for the width bar, not 611"},
        {R"({"format": "qvdtalvern-job", "version": 2, "window": [{"drag": "angle"}]})", JobErrorKind::Member,
            "\"window[0].to\" is missing"},
        {R"({"format": "qvdtalvern-job", "version": 2, "window": [{"move": "height", "to": 0, "choose": "in"}]})",
            JobErrorKind::Member, "\"window[0].move\" does not belong in a step with \"choose\""},
        {R"({"format": "qvdtalvern-job", "version": 2, "window": [{"press": "continue"}]})", JobErrorKind::Member,
            "\"window[0]\" must be a step: \"choose\", \"move\" or \"drag\""},
    };
    for (const auto& c : cases) {
        const JobReading reading = parseJob(c.text);
        EXPECT_FALSE(reading.ok()) << c.message;
        EXPECT_EQ(reading.error.kind, c.kind) << reading.error.message;
        EXPECT_NE(reading.error.message.find(c.message), std::string::npos)
            << reading.error.message << "\n  wanted: " << c.message;
    }
    // 200 characters of two bytes each are within the limit.
    std::string name;
    for (std::size_t i = 0; i < kMaxJobNameLength; ++i)
        name += "\xc3\xa9";
    EXPECT_TRUE(parseJob(jobWith(R"(, "job": {"name": ")" + name + "\"}")).ok());
}

class JobFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("qvd-job-test-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(m_dir / "locked.qvdjob", fs::perms::owner_all, ignored);
        fs::remove_all(m_dir);
    }
    fs::path write(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_dir / name, std::ios::binary) << text;
        return m_dir / name;
    }
    fs::path m_dir;
};

TEST_F(JobFileOnDisk, RefusesWhatCannotBeReadAndTooMuchUnread)
{
    const std::string good = jobWith("");
    EXPECT_TRUE(readJobFile(write("good.qvdjob", good)).ok());
    const struct {
        fs::path path;
        std::string message;
    } cases[] = {
        {m_dir, "a folder, not a job file"},
        {m_dir / "missing.qvdjob", "cannot be read: No such file or directory"},
        {write("file", good) / "below.qvdjob", "cannot be read: Not a directory"},
        {write("big.qvdjob", good + std::string(kMaxJobFileBytes + 1 - good.size(), ' ')),
            "larger than 1 MB (1048577 bytes)"},
        {"/dev/null", "not a plain file"},
    };
    for (const auto& c : cases) {
        const JobReading reading = readJobFile(c.path);
        EXPECT_FALSE(reading.ok()) << c.path;
        EXPECT_EQ(reading.error.message, c.message) << c.path;
    }
    EXPECT_TRUE(readJobFile(write("limit.qvdjob", good + std::string(kMaxJobFileBytes - good.size(), ' '))).ok());

    // Permissions do not stop root; the path below a file stands in for it above.
    const fs::path locked = write("locked.qvdjob", good);
    fs::permissions(locked, fs::perms::none);
    if (::geteuid() != 0) {
        EXPECT_EQ(readJobFile(locked).error.message, "cannot be read: Permission denied");
    }
}

TEST(JobFile, TakesTheWindowsInputsInsideTheUnitsRange)
{
    MainWindow window(NumberFormat{"."});
    window.load();
    window.enterInputs({UnitSystem::Inches, Sizing::Width, 39, -15});
    window.controls().clickOption(window.unitOption(UnitSystem::Centimetres)); // nothing moves yet
    EXPECT_EQ(windowInputs(window), (WindowInputs{UnitSystem::Centimetres, Sizing::Width, 99, -15}));
    window.controls().clickOption(window.sizeOption(Sizing::Height)); // the bar still at its design value 0
    EXPECT_EQ(windowInputs(window), (WindowInputs{UnitSystem::Centimetres, Sizing::Height, 76, -15}));
}

// The room travels between the user's decimal separator and the file's ".",
// where each length has one form; what the file would refuse is not written.
TEST(JobFile, RoomMovesBetweenTheWindowsSeparatorAndTheFiles)
{
    const NumberFormat comma{","};
    struct Case {
        RoomSetting shown;
        std::optional<RoomSetting> written;
        std::string shownBack; // the distance as the window shows the written room
    };
    const Case cases[] = {
        {{DistanceKind::Throw, " 250,5 ", "30"}, RoomSetting{DistanceKind::Throw, "250.5", "30"}, "250,5"},
        {{DistanceKind::Straight, "0,01", "abc"}, RoomSetting{DistanceKind::Straight, "0.01", std::nullopt}, "0,01"},
        {{DistanceKind::Throw, "", "30"}, std::nullopt, ""},
        {{DistanceKind::Throw, "0", std::nullopt}, std::nullopt, ""},
        {{DistanceKind::Throw, "250.5", std::nullopt}, std::nullopt, ""}, // "." is not this user's separator
        {{DistanceKind::Throw, "1234567", std::nullopt}, std::nullopt, ""},
        {{DistanceKind::Throw, ",5", "0150,"}, RoomSetting{DistanceKind::Throw, "0.5", "150"}, "0,5"},
        {{DistanceKind::Throw, "007,50", "00,00"}, RoomSetting{DistanceKind::Throw, "7.5", "0"}, "7,5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown.distance);
        const std::optional<RoomSetting> written = roomForFile(c.shown, comma);
        EXPECT_EQ(written, c.written);
        if (written) {
            Job job;
            job.inputs = {UnitSystem::Inches, Sizing::Width, 120, 0};
            job.room = written;
            EXPECT_TRUE(parseJob(jobFileText(job)).ok());
            EXPECT_EQ(roomForWindow(*written, comma).distance, c.shownBack);
        }
    }
}

// The decimal separators a user may have: a period, a comma, and the
// Arabic one of two bytes.
const NumberFormat kSeparators[] = {NumberFormat{"."}, NumberFormat{","}, NumberFormat{"\xd9\xab"}};

// A number from 0 to count - 1.
template <typename Number> Number pick(std::mt19937& random, Number count)
{
    return std::uniform_int_distribution<Number>(0, count - 1)(random);
}

// A length as a user might type it with `separator`, and its worth in
// hundredths when it is a room length: digits with at most six before the
// separator once leading zeros are dropped, at most two after it, not both
// sides empty, blanks only around.
struct TypedLength {
    std::string text;
    std::optional<std::int64_t> hundredths;
};

TypedLength typedLength(std::mt19937& random, const std::string& separator)
{
    const int zeros = pick(random, 4) == 0 ? pick(random, 4) : 0;
    const int wholeDigits = pick(random, 9);
    const bool withSeparator = pick(random, 3) != 0;
    const int decimalDigits = withSeparator ? pick(random, 4) : 0;
    std::string text(static_cast<std::size_t>(zeros), '0');
    std::int64_t value = 0;
    for (int i = 0; i < wholeDigits; ++i) {
        const int digit = i == 0 ? 1 + pick(random, 9) : pick(random, 10);
        text += static_cast<char>('0' + digit);
        value = value * 10 + digit;
    }
    std::string decimals;
    for (int i = 0; i < decimalDigits; ++i)
        decimals += static_cast<char>('0' + pick(random, 10));
    text += (withSeparator ? separator : "") + decimals;
    value = value * 100 + std::stoi((decimals + "00").substr(0, 2));
    bool valid = zeros + wholeDigits + decimalDigits > 0 && wholeDigits <= 6 && decimalDigits <= 2;
    // Now and then a character no room length holds, inside the text.
    const std::string faults[] = {"-", "+", "e3", "x", " ", "\xc2\xa0", separator == "," ? "." : ",", "1" + separator};
    if (text.size() >= 2 && pick(random, 5) == 0) {
        const auto at = static_cast<std::size_t>(1 + pick(random, static_cast<int>(text.size()) - 1));
        const std::string& fault = faults[pick(random, std::size(faults))];
        // A second separator is a fault only where one is already.
        if (fault != "1" + separator || withSeparator) {
            text.insert(at, fault);
            valid = false;
        }
    }
    if (pick(random, 6) == 0)
        text = " " + text + "\t";
    return {text, valid ? std::optional(value) : std::nullopt};
}

// The lengths of the property test: the edge cases ("#" stands for the
// separator), then seeded random ones.
std::vector<TypedLength> typedLengths(const std::string& separator)
{
    std::vector<TypedLength> lengths = {
        {"#5", 50},
        {"150#", 15000},
        {"0000150", 15000},
        {"000999999#99", 99999999},
        {"999999#99", 99999999},
        {"1234567", std::nullopt},
        {"0", 0},
        {"00#00", 0},
        {"#", std::nullopt},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"1##5", std::nullopt},
        {"1#5#", std::nullopt},
        {"#123", std::nullopt},
    };
    for (TypedLength& length : lengths) {
        for (std::size_t at = length.text.find('#'); at != std::string::npos; at = length.text.find('#'))
            length.text.replace(at, 1, separator);
    }
    std::mt19937 random(20261209);
    for (int i = 0; i < 1000; ++i)
        lengths.push_back(typedLength(random, separator));
    return lengths;
}

// Whatever room length the user may type, the dialog and the command line
// take exactly when the file keeps it, and it comes back from the file as
// the same value in the user's form; in the file's own form the reader takes
// the same lengths.
TEST(JobFile, RoomLengthsTheUserTypesComeBackFromTheFile)
{
    for (const NumberFormat& format : kSeparators) {
        for (const TypedLength& typed : typedLengths(format.decimalSeparator)) {
            SCOPED_TRACE("'" + typed.text + "' with '" + format.decimalSeparator + "'");
            const std::optional<double> value
                = typed.hundredths ? std::optional(static_cast<double>(*typed.hundredths) / 100.0) : std::nullopt;
            ASSERT_EQ(parseRoomLength(typed.text, format), value);

            const bool isDistance = value && *value > 0.0;
            for (const RoomSetting& room : {RoomSetting{DistanceKind::Throw, typed.text, std::nullopt},
                     RoomSetting{DistanceKind::Straight, "1", typed.text}}) {
                const std::optional<RoomSetting> written = roomForFile(room, format);
                ASSERT_EQ(written.has_value(), room.screenBottom || isDistance);
                if (!written)
                    continue;
                EXPECT_EQ(written->screenBottom.has_value(), room.screenBottom && value);
                Job job;
                job.inputs = {UnitSystem::Centimetres, Sizing::Width, 200, 0};
                job.room = written;
                const JobReading reading = parseJob(jobFileText(job));
                ASSERT_TRUE(reading.ok()) << reading.error.message;
                EXPECT_EQ(reading.job->room, written);
                const RoomSetting shown = roomForWindow(*reading.job->room, format);
                EXPECT_EQ(parseRoomLength(room.screenBottom ? *shown.screenBottom : shown.distance, format), value);
            }
            if (format.decimalSeparator == ".") {
                std::string inJson = typed.text;
                if (const std::size_t tab = inJson.find('\t'); tab != std::string::npos)
                    inJson.replace(tab, 1, "\\t");
                const JobReading reading
                    = parseJob(jobWith(R"(, "room": {"kind": "throw", "distance": ")" + inJson + "\"}"));
                EXPECT_EQ(reading.ok(), isDistance) << reading.error.message;
            }
        }
    }
}

// Any text, of up to `maxCharacters` characters, from the kinds of
// characters a user may type or paste.
std::string anyText(std::mt19937& random, std::size_t maxCharacters)
{
    static const std::string kPieces[]
        = {"a", "Z", "7", " ", "\t", "\n", "\r", "\r\n", "\"", "\\", "/", std::string(1, '\0'), "\x1b", "\x7f",
            "\xc2\xa0",     // no-break space
            "\xe2\x80\xaf", // narrow no-break space
            "\xe2\x80\xa8", // line separator
            "\xe2\x80\xa9", // paragraph separator
            "\xc3\xa9", "e\xcc\x81", "\xe4\xb8\xad", "\xef\xbb\xbf",
            "\xf0\x9f\x98\x80", // outside the Basic Multilingual Plane
            "\xf4\x8f\xbf\xbf"};
    const std::size_t characters = pick(random, 8) == 0
        ? maxCharacters
        : static_cast<std::size_t>(pick(random, static_cast<int>(std::min<std::size_t>(maxCharacters, 40)) + 1));
    std::string text;
    for (std::size_t count = 0; count < characters;) {
        const std::string& piece = kPieces[pick(random, std::size(kPieces))];
        const std::size_t pieceCharacters = piece == "\r\n" || piece == "e\xcc\x81" ? 2 : 1;
        if (count + pieceCharacters > characters)
            continue;
        text += piece;
        count += pieceCharacters;
    }
    return text;
}

// Every job the window can hold, with any details and any room the user may
// type, is written and read back as the same job and the same bytes; its
// room, shown to the user and saved again, is written the same.
TEST(JobFile, GeneratedJobsComeBackByteForByte)
{
    std::mt19937 random(1512);
    int rooms = 0;
    for (int i = 0; i < 600; ++i) {
        Job job;
        job.inputs.units = pick(random, 2) == 0 ? UnitSystem::Inches : UnitSystem::Centimetres;
        job.inputs.sizing = static_cast<Sizing>(pick(random, 3));
        const UnitRange& range = sizeBarRange(job.inputs.sizing);
        const bool inches = job.inputs.units == UnitSystem::Inches;
        job.inputs.size = std::uniform_int_distribution<int>(
            inches ? range.inchMin : range.centimetreMin, inches ? range.inchMax : range.centimetreMax)(random);
        job.inputs.angle = std::uniform_int_distribution<int>(-15, 15)(random);
        const int row = pick(random, static_cast<int>(kRowCount) + 1);
        job.projector
            = row == static_cast<int>(kRowCount) ? std::nullopt : std::optional(static_cast<std::size_t>(row));
        const NumberFormat& format = kSeparators[pick(random, std::size(kSeparators))];
        const RoomSetting typed{pick(random, 2) == 0 ? DistanceKind::Throw : DistanceKind::Straight,
            typedLength(random, format.decimalSeparator).text,
            pick(random, 2) == 0 ? std::nullopt : std::optional(typedLength(random, format.decimalSeparator).text)};
        job.room = roomForFile(typed, format);
        rooms += job.room ? 1 : 0;
        job.lengthFormat = pick(random, 2) == 0 ? LengthFormat::Decimal : LengthFormat::FeetAndInches;
        job.details = {anyText(random, kMaxJobNameLength), anyText(random, kMaxJobNameLength),
            anyText(random, kMaxJobNameLength), anyText(random, kMaxJobNameLength),
            anyText(random, kMaxJobNotesLength)};

        const std::string text = jobFileText(job);
        const JobReading reading = parseJob(text);
        ASSERT_TRUE(reading.ok()) << reading.error.message << "\n" << text;
        EXPECT_EQ(*reading.job, job) << text;
        EXPECT_EQ(jobFileText(*reading.job), text);
        if (job.room) {
            EXPECT_EQ(roomForFile(roomForWindow(*job.room, format), format), job.room) << text;
        }
    }
    EXPECT_GT(rooms, 100);
}

} // namespace
} // namespace qvd
