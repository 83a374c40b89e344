// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// What the job sheet shows, without a toolkit: the title, the job's details,
// the audience, the inputs, the nine rows as the window shows them (lengths
// in the job's length format), the columns' explanations and the diagram of
// the chosen row. The desktop paints it on a page (and into a PDF), the web
// page renders it for printing; neither decides what it holds.

#include "ui/job/job_session.h"
#include "ui/job/placement_diagram.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qvd {

struct SheetField {
    std::string name;
    std::string value;
};

struct SheetRow {
    std::string projector;
    // The three distances, and the base height where the room gives a screen-bottom height.
    std::vector<std::string> cells;
    bool chosen = false;         // the row of the diagram
    bool warning = false;        // the three distances are a range warning
    bool baseBelowFloor = false; // the base height lies below the floor
};

struct JobSheetContent {
    std::string title;    // the window's caption
    std::string subtitle; // what the sheet is
    // The details that are given, each on one line (runs of blanks made one
    // space), and the notes as typed under their heading.
    std::vector<SheetField> details;
    std::string notesHeading;
    std::string notes;
    std::string notesCut;              // said where notes too long for the page are cut
    std::vector<std::string> audience; // the audience in words, when it reads
    // Width, height, diagonal, angle (with its degree sign) and unit, then the
    // room's screen bottom when it gives one.
    std::vector<SheetField> inputs;
    std::vector<std::string> headers; // "Projector", the window's column headers, the base height's
    std::vector<SheetRow> rows;       // top to bottom
    std::vector<std::string> explanations;
    std::string diagramHeading; // "Placement of" the chosen row's projector
    PlacementDiagram diagram;
};

[[nodiscard]] JobSheetContent jobSheetContent(const JobSession& session);

} // namespace qvd
