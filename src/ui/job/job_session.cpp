// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/job_session.h"

#include "runtime/runtime_error.h"
#include "runtime/utf8_text.h"
#include "ui/job/table_report.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace qvd {

JobSession::JobSession(NumberFormat format)
    : m_window(format)
    , m_fitter(format)
    , m_sizer(format)
{
    // Which of the window's inputs a user action reached, for its notice.
    m_watchingControls = m_window.controls().onChange([this](ControlId id, Property property) {
        if (property != Property::Value)
            return;
        if (id == m_window.angleBar())
            m_windowChange = m_windowChange | JobPart::Angle;
        else if (id == m_window.unitOption(UnitSystem::Inches) || id == m_window.unitOption(UnitSystem::Centimetres))
            m_windowChange = m_windowChange | JobPart::Units;
    });
}

void JobSession::inputsChanged() { notify(std::exchange(m_windowChange, JobPart::Window)); }

void JobSession::chooseRow(std::size_t row)
{
    if (row >= kRowCount)
        throw std::out_of_range("no such row");
    m_row = row;
    notify(JobPart::Row);
}

void JobSession::setRoom(const RoomSetting& room)
{
    m_room = room;
    notify(JobPart::Room);
}

void JobSession::setLengthFormat(LengthFormat lengths)
{
    m_lengths = lengths;
    notify(JobPart::Lengths);
}

UnitSystem JobSession::selectedUnits() const
{
    const bool centimetres = m_window.controls().isSelected(m_window.unitOption(UnitSystem::Centimetres));
    return centimetres ? UnitSystem::Centimetres : UnitSystem::Inches;
}

bool JobSession::feetAndInchesApply() const { return tableUnits(m_window) == UnitSystem::Inches; }

void JobSession::setDetails(const JobDetails& details)
{
    m_details = details;
    notify(JobPart::Details);
}

void JobSession::setAudience(const AudienceSetting& audience)
{
    m_audience = audience;
    // Input that does not read changes nothing the job keeps; clearing every
    // field takes the audience out of the job.
    if (const std::optional<AudienceSetting> kept = audienceForFile(audience, m_window.numberFormat()))
        m_keptAudience = kept;
    else if (audience.farthest.empty() && audience.elementHeight.empty() && audience.resolution.empty()
        && !audience.screenBottom && !audience.eyeHeight)
        m_keptAudience.reset();
    notify(JobPart::Audience);
}

std::string JobSession::detailsProblem(const JobDetails& details, DetailsField field)
{
    const auto line = [](const std::string& text, const char* name) {
        const std::size_t length = codePointCount(text);
        return length <= kMaxJobNameLength ? std::string()
                                           : std::string(name) + " has " + std::to_string(length)
                + " characters; at most " + std::to_string(kMaxJobNameLength) + " are kept.";
    };
    switch (field) {
    case DetailsField::Name:
        return line(details.name, "The job");
    case DetailsField::Client:
        return line(details.client, "The client");
    case DetailsField::Site:
        return line(details.site, "The site");
    case DetailsField::PreparedBy:
        return line(details.preparedBy, "Prepared by");
    case DetailsField::Notes:
        break;
    }
    const std::size_t notes = codePointCount(details.notes);
    return notes <= kMaxJobNotesLength ? std::string()
                                       : "The notes have " + std::to_string(notes) + " characters; at most "
            + std::to_string(kMaxJobNotesLength) + " are kept.";
}

std::vector<std::string> JobSession::detailsProblems(const JobDetails& details)
{
    std::vector<std::string> problems;
    for (const DetailsField field : kDetailsFields) {
        if (std::string problem = detailsProblem(details, field); !problem.empty())
            problems.push_back(std::move(problem));
    }
    return problems;
}

std::string JobSession::suggestedFileName() const
{
    static constexpr std::string_view kNotInFileNames = "/\\:*?\"<>|";
    std::string name;
    bool blank = false;
    for (const char c : m_details.name) {
        if (kNotInFileNames.find(c) != std::string_view::npos)
            continue;
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            blank = !name.empty();
            continue;
        }
        if (blank)
            name += ' ';
        blank = false;
        name += c;
    }
    return (name.empty() ? std::string("Job") : name) + std::string(kJobFileSuffix);
}

Job JobSession::job() const
{
    Job job;
    job.inputs = windowInputs(m_window);
    job.window = m_window.steps();
    job.projector = m_row;
    job.room = roomForFile(m_room, m_window.numberFormat());
    job.lengthFormat = m_lengths;
    job.details = m_details;
    job.audience = m_keptAudience;
    return job;
}

void JobSession::apply(const Job& job)
{
    m_applying = true;
    try {
        showJobWindow(m_window, job);
    } catch (...) {
        m_applying = false;
        notify(std::exchange(m_windowChange, JobPart::Window));
        throw;
    }
    m_lengths = job.lengthFormat;
    m_row = job.projector.value_or(0);
    m_room = job.room ? roomForWindow(*job.room, m_window.numberFormat()) : RoomSetting{};
    m_details = job.details;
    m_audience = job.audience ? audienceForWindow(*job.audience, m_window.numberFormat()) : AudienceSetting{};
    m_keptAudience = job.audience;
    m_applying = false;
    m_windowChange = JobPart::Window;
    notify(JobChange::whole());
}

void JobSession::open(const std::optional<Job>& job, const JobOptions& options)
{
    m_window.load();
    if (job)
        apply(*job);
    else
        m_window.enterInputs(options.inputs);
    if (options.lengths)
        setLengthFormat(*options.lengths);
    RoomSetting room = m_room;
    if (options.distanceKind) {
        room.kind = *options.distanceKind;
        room.distance = options.distance;
    }
    if (options.screenBottom)
        room.screenBottom = options.screenBottom;
    setRoom(room);
    AudienceSetting audience = m_audience;
    if (options.farthest)
        audience.farthest = *options.farthest;
    if (options.elementHeight) {
        audience.rule = ViewingRule::Basic;
        audience.elementHeight = *options.elementHeight;
    } else if (options.resolution) {
        audience.rule = ViewingRule::Analytical;
        audience.resolution = *options.resolution;
    }
    if (options.audienceScreenBottom)
        audience.screenBottom = options.audienceScreenBottom;
    if (options.eyeHeight)
        audience.eyeHeight = options.eyeHeight;
    setAudience(audience);
}

bool JobSession::hasAdditions() const
{
    return !m_details.isEmpty() || m_room != RoomSetting{} || m_audience != AudienceSetting{};
}

Connection JobSession::onChange(std::function<void(JobChange)> slot) { return m_changed.connect(std::move(slot)); }

void JobSession::notify(JobChange change)
{
    if (!m_applying)
        m_changed.notify(change);
}

std::string JobSession::copiedTable() const { return tableAsTabSeparatedText(m_window, m_lengths, m_room); }

std::string JobSession::rangeHint(std::size_t row) const { return rowRangeHint(m_window, m_lengths, row); }

PlacementDiagram JobSession::diagram() const { return placementDiagram(m_window, m_lengths, m_row, m_room); }

std::optional<RoomFit> JobSession::roomFit()
{
    const auto distance = parseRoomDistance(m_room.distance, m_window.numberFormat());
    if (!distance)
        return std::nullopt;
    RoomQuery query;
    query.units = selectedUnits();
    query.angle = angle();
    query.kind = m_room.kind;
    query.distance = *distance;
    if (m_room.screenBottom)
        query.screenBottom = parseRoomLength(*m_room.screenBottom, m_window.numberFormat());
    return m_fitter.fit(query);
}

std::optional<RoomFit> JobSession::roomFitShown()
{
    std::optional<RoomFit> fit = roomFit();
    if (fit) {
        for (RowFit& row : *fit)
            row = lengthsShown(std::move(row), roomFitLengths(), m_window.numberFormat());
    }
    return fit;
}

std::string JobSession::roomUnit() const { return m_window.controls().caption(m_window.unitLabel(selectedUnits())); }

std::string JobSession::roomSettingText() const
{
    return "At the window's angle of " + std::to_string(angle()) + " degrees, in " + roomUnit();
}

std::string JobSession::roomProblem() const
{
    const NumberFormat& format = m_window.numberFormat();
    const std::string rule = roomLengthDigits() + ", as " + roomLengthExample(format) + ".";
    std::string problem;
    if (!m_room.distance.empty() && !parseRoomDistance(m_room.distance, format))
        problem = "Give the distance above 0 with " + rule;
    if (m_room.screenBottom && !parseRoomLength(*m_room.screenBottom, format))
        problem += (problem.empty() ? "" : " ") + std::string("Give the screen's bottom edge from 0 up with ") + rule;
    return problem;
}

std::vector<std::string> JobSession::roomFitHeaders() const
{
    const ControlSet& controls = m_window.controls();
    std::vector<std::string> headers{"Projector", "Limit"};
    for (const Sizing sizing : {Sizing::Width, Sizing::Height, Sizing::Diagonal})
        headers.push_back(controls.caption(m_window.sizeNameLabel(sizing)));
    for (const Column column : {Column::Throw, Column::Straight, Column::Offset})
        headers.push_back(controls.caption(m_window.columnHeader(column)));
    headers.emplace_back(kBaseHeightHeader);
    return headers;
}

LengthFormat JobSession::roomFitLengths() const
{
    return selectedUnits() == UnitSystem::Inches ? m_lengths : LengthFormat::Decimal;
}

void JobSession::useScreenWidth(int width)
{
    ControlSet& controls = m_window.controls();
    controls.clickOption(m_window.sizeOption(Sizing::Width));
    m_window.moveBarTo(m_window.widthBar(), width);
    m_window.moveBarTo(m_window.angleBar(), controls.value(m_window.angleBar()));
}

AudienceReading JobSession::audienceReading() const
{
    const NumberFormat& format = m_window.numberFormat();
    AudienceReading reading;
    if (m_audience.farthest.empty() && !m_audience.screenBottom && !m_audience.eyeHeight)
        return reading;
    reading = readAudience(m_audience, selectedUnits(), roomUnit(), format);
    if (reading.query) {
        reading.query->angle = angle();
        if (const auto distance = parseRoomDistance(m_room.distance, format)) {
            reading.query->kind = m_room.kind;
            reading.query->distance = *distance;
        }
    }
    return reading;
}

std::optional<AudienceAnswer> JobSession::audienceAnswer()
{
    const AudienceReading reading = audienceReading();
    if (!reading.query)
        return std::nullopt;
    return m_sizer.size(*reading.query);
}

std::vector<std::string> JobSession::audienceLines() const
{
    const AudienceReading reading = audienceReading();
    if (!reading.query)
        return {};
    AudienceAnswer answer;
    try {
        answer = m_sizer.size(*reading.query);
    } catch (const RuntimeError&) {
        return {}; // the window would show an error, not a screen
    }
    const AudienceWords words = audienceWords(*reading.query, answer, m_window);
    std::vector<std::string> lines{std::string(kFarthestName) + " "
            + FormatGeneral(reading.query->farthest, m_window.numberFormat()) + " " + roomUnit(),
        words.summary, words.screen};
    if (!words.viewers.empty())
        lines.push_back(words.viewers);
    return lines;
}

void JobSession::useScreen(const OfferedScreen& screen)
{
    ControlSet& controls = m_window.controls();
    controls.clickOption(m_window.sizeOption(screen.inputs.sizing));
    m_window.moveBarTo(m_window.sizeBar(screen.inputs.sizing), screen.inputs.size);
    m_window.moveBarTo(m_window.angleBar(), controls.value(m_window.angleBar()));
}

} // namespace qvd
