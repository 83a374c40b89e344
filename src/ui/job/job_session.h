// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// One job as the user works on it, without a toolkit: the window model and
// what a job adds to it (the chosen row, the room, the length format and the
// details). Every view and command reads and changes the job through the
// session: the desktop's document, dialogs, diagram, sheet and copy, the web
// page and the command line. Whoever follows the job (onChange) is told after
// every change of the additions and after each user action on the window
// (`inputsChanged`), with the parts of the job that changed, and reads the
// session again: nothing that follows it keeps a copy of the job.
//
// The commands of the window's menu that are not drawing are here too: the
// copied table, the range hints, the room fit and what "Use this size" does.

#include "runtime/length_format.h"
#include "runtime/signal.h"
#include "ui/job/audience.h"
#include "ui/job/job_file.h"
#include "ui/job/placement_diagram.h"
#include "ui/job/room_fit.h"
#include "ui/window/main_window.h"

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace qvd {

// What a command line gives beside a job or instead of one. Each part given
// replaces the job's, entered as the user's own step would enter it.
struct JobOptions {
    // The window's inputs, entered over the window at start-up; only without a job.
    WindowInputs inputs;
    std::optional<LengthFormat> lengths;
    // The room's distance with its kind, and the height of the screen's
    // bottom edge, as typed.
    std::optional<DistanceKind> distanceKind;
    std::string distance;
    std::optional<std::string> screenBottom;
    // The audience's fields as typed; an element height chooses the basic
    // rule, a resolution the analytical one.
    std::optional<std::string> farthest;
    std::optional<std::string> elementHeight;
    std::optional<std::string> resolution;
    std::optional<std::string> audienceScreenBottom;
    std::optional<std::string> eyeHeight;
};

// The fields of the job's details, in the order the dialogs show them.
enum class DetailsField { Name, Client, Site, PreparedBy, Notes };
inline constexpr DetailsField kDetailsFields[]
    = {DetailsField::Name, DetailsField::Client, DetailsField::Site, DetailsField::PreparedBy, DetailsField::Notes};

// The parts of a job a change notice names.
enum class JobPart : unsigned {
    Window,   // anything the window shows: each user action on it, a job applied
    Units,    // the unit option (a Window change too)
    Angle,    // the angle bar (a Window change too)
    Row,      // the chosen row
    Room,     // the room as typed
    Lengths,  // the length format
    Details,  // the job's details
    Audience, // the audience as typed
};

// What one notice says changed: one or more parts.
class JobChange {
public:
    constexpr JobChange(JobPart part)
        : m_parts(bit(part))
    {
    }
    // Every part: a whole job applied.
    [[nodiscard]] static constexpr JobChange whole() { return JobChange((1U << kPartCount) - 1U); }
    [[nodiscard]] constexpr bool touches(JobPart part) const { return (m_parts & bit(part)) != 0; }
    [[nodiscard]] constexpr bool touchesAny(std::initializer_list<JobPart> parts) const
    {
        for (const JobPart part : parts) {
            if (touches(part))
                return true;
        }
        return false;
    }
    [[nodiscard]] constexpr JobChange operator|(JobChange other) const { return JobChange(m_parts | other.m_parts); }
    constexpr bool operator==(const JobChange&) const = default;

private:
    static constexpr unsigned kPartCount = static_cast<unsigned>(JobPart::Audience) + 1;
    explicit constexpr JobChange(unsigned parts)
        : m_parts(parts)
    {
    }
    [[nodiscard]] static constexpr unsigned bit(JobPart part) { return 1U << static_cast<unsigned>(part); }

    unsigned m_parts;
};

class JobSession {
public:
    explicit JobSession(NumberFormat format);
    JobSession(const JobSession&) = delete;
    JobSession& operator=(const JobSession&) = delete;

    [[nodiscard]] MainWindow& window() { return m_window; }
    [[nodiscard]] const MainWindow& window() const { return m_window; }

    // The row the user chose for the diagram and the sheet; the first until then.
    [[nodiscard]] std::size_t chosenRow() const { return m_row; }
    void chooseRow(std::size_t row);
    // The room as the user typed it, in the window's number format.
    [[nodiscard]] const RoomSetting& room() const { return m_room; }
    void setRoom(const RoomSetting& room);
    // How lengths are shown where the window is read back (the copied table,
    // the range hints, the diagram, the job sheet); feet and inches apply
    // while the table is in inches. The window's own captions never change.
    [[nodiscard]] LengthFormat lengthFormat() const { return m_lengths; }
    void setLengthFormat(LengthFormat lengths);
    // Feet and inches apply while the table is in inches.
    [[nodiscard]] bool feetAndInchesApply() const;
    [[nodiscard]] const JobDetails& details() const { return m_details; }
    void setDetails(const JobDetails& details);
    // The audience as the user typed it, in the window's number format. The
    // job keeps the last one that read (canonical), so that a field typed
    // wrong changes nothing in it.
    [[nodiscard]] const AudienceSetting& audience() const { return m_audience; }
    void setAudience(const AudienceSetting& audience);
    // What of `details` the job file would not keep, one sentence a field
    // ("The client has 230 characters; at most 200 are kept."), characters
    // counted as code points; empty when everything fits.
    [[nodiscard]] static std::vector<std::string> detailsProblems(const JobDetails& details);
    // The problem of one field of `details`, as detailsProblems words it;
    // empty when the field fits.
    [[nodiscard]] static std::string detailsProblem(const JobDetails& details, DetailsField field);
    // The file name a job not yet saved is offered under: the job's name
    // without the characters no file name may hold, its blanks tidied to
    // single spaces, or "Job" when nothing is left, with the job suffix.
    [[nodiscard]] std::string suggestedFileName() const;

    // The job as the session holds it now.
    [[nodiscard]] Job job() const;
    // Applies `job`: its window through the model's events (see
    // showJobWindow; a RuntimeError of the model passes through), then its
    // additions. Those following are told once, of the whole job.
    void apply(const Job& job);
    // On a session fresh from its constructor: starts the window, shows
    // `job` (apply) or, without one, enters `options.inputs`, then enters
    // the rest of `options` over it. Throws RuntimeError as the model does.
    void open(const std::optional<Job>& job, const JobOptions& options);
    // Whether the job holds more than the window's own inputs: a room or details.
    [[nodiscard]] bool hasAdditions() const;

    // Tells `slot` of every change of the job, with the parts it touched,
    // until the connection ends.
    [[nodiscard]] Connection onChange(std::function<void(JobChange)> slot);
    // A view reports each user action that reached the model (one notice of
    // the Window, naming Units or Angle when their controls were written).
    void inputsChanged();

    // The table as tab-separated text for the clipboard.
    [[nodiscard]] std::string copiedTable() const;
    // The range hint of a row caption.
    [[nodiscard]] std::string rangeHint(std::size_t row) const;
    // The placement diagram of the chosen row, with the room's floor.
    [[nodiscard]] PlacementDiagram diagram() const;
    // The unit option selected now (the room is described in it), and the
    // angle bar's value.
    [[nodiscard]] UnitSystem selectedUnits() const;
    [[nodiscard]] int angle() const { return m_window.controls().value(m_window.angleBar()); }
    // The widest screen each row fills in the room, at the selected unit and
    // the angle; nothing while the room has no valid distance.
    [[nodiscard]] std::optional<RoomFit> roomFit();
    // The same with its lengths as roomFitLengths() shows them.
    [[nodiscard]] std::optional<RoomFit> roomFitShown();
    // What the room fit is worked out for, in words: "At the window's angle
    // of 10 degrees, in in.", and the unit's caption the room is typed in.
    [[nodiscard]] std::string roomSettingText() const;
    [[nodiscard]] std::string roomUnit() const;
    // What keeps the room as typed from being fitted, in words that say what
    // each length takes; empty while the room can be fitted or no distance
    // has been typed yet.
    [[nodiscard]] std::string roomProblem() const;
    // The headers of the room fit's table: the projector, the limit, the
    // window's captions for width, height, diagonal and the three results,
    // and the base height.
    [[nodiscard]] std::vector<std::string> roomFitHeaders() const;
    // How the room fit's lengths are shown: feet and inches only for an
    // answer in inches.
    [[nodiscard]] LengthFormat roomFitLengths() const;
    // "Use this size": the Width option, the width bar to `width`, then the
    // angle bar's Change at its value, as the user's steps, so that the table
    // is recalculated as after unit, sizing, size and angle. Throws
    // RuntimeError as the model does.
    void useScreenWidth(int width);

    // The audience read in the selected unit at the window's angle, with the
    // room's distance where it has a valid one, or the one message naming the
    // field that keeps it from being read. Empty both while no farthest
    // viewer has been typed.
    [[nodiscard]] AudienceReading audienceReading() const;
    // The screen for the audience and the rows at it; nothing while the
    // audience does not read.
    [[nodiscard]] std::optional<AudienceAnswer> audienceAnswer();
    // The audience in words for the job sheet: the farthest viewer, the rule
    // and its figure, the screen and the closest viewer (audienceWords);
    // nothing while the audience does not read.
    [[nodiscard]] std::vector<std::string> audienceLines() const;
    // The audience's unit caption ("in." or "cm") is roomUnit().
    // "Use this size" of the audience: the sizing option of `screen`, its bar
    // to its value, then the angle bar's Change at its value, as the user's
    // steps. Throws RuntimeError as the model does.
    void useScreen(const OfferedScreen& screen);

private:
    void notify(JobChange change);

    MainWindow m_window;
    std::size_t m_row = 0;
    RoomSetting m_room;
    LengthFormat m_lengths = LengthFormat::Decimal;
    JobDetails m_details;
    AudienceSetting m_audience;
    std::optional<AudienceSetting> m_keptAudience; // as the job file keeps it
    RoomFitter m_fitter;
    mutable AudienceSizer m_sizer; // a scratch window model, whatever it last sized
    Signal<JobChange> m_changed;
    JobChange m_windowChange = JobPart::Window; // what the user action under way has written
    Connection m_watchingControls;              // keeps m_windowChange
    bool m_applying = false;                    // apply() tells once, at its end
};

} // namespace qvd
