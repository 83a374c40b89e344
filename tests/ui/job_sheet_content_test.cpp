// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The job sheet's content is what the window and the job show now.

#include "ui/job/job_sheet_content.h"

#include "ui/job/table_report.h"
#include "ui/window/form_design.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qvd {
namespace {

TEST(JobSheetContent, HoldsWhatTheWindowAndTheJobShow)
{
    JobSession session{NumberFormat{}};
    MainWindow& window = session.window();
    window.load();
    window.controls().moveScrollBar(window.angleBar(), -4);
    session.setDetails({"  Aula\tmagna \n", "", "Campus", "", "Ceiling mount.\nCheck the beam."});
    session.setRoom({DistanceKind::Throw, "", "30"});
    session.setLengthFormat(LengthFormat::FeetAndInches);
    session.chooseRow(2);
    const JobSheetContent sheet = jobSheetContent(session);
    const ControlSet& controls = window.controls();
    const auto feet
        = [&](ControlId id) { return lengthCaption(window, LengthFormat::FeetAndInches, controls.caption(id)); };

    EXPECT_EQ(sheet.title, std::string(formDesign().caption));
    ASSERT_EQ(sheet.details.size(), 2U); // the fields given, each on one line
    EXPECT_EQ(sheet.details[0].name + "=" + sheet.details[0].value, "Job=Aula magna");
    EXPECT_EQ(sheet.details[1].name + "=" + sheet.details[1].value, "Site=Campus");
    EXPECT_EQ(sheet.notes, "Ceiling mount.\nCheck the beam.");

    // The inputs as the window shows them, lengths in feet and inches, and the room's height.
    ASSERT_EQ(sheet.inputs.size(), 6U);
    EXPECT_EQ(sheet.inputs[0].value, feet(window.widthCaption()));
    EXPECT_EQ(sheet.inputs[0].value, "8' 4\"");
    EXPECT_EQ(sheet.inputs[3].value, "-4\u00b0");
    EXPECT_EQ(sheet.inputs[4].value, unitCaption(window));
    EXPECT_EQ(sheet.inputs[5].name + "=" + sheet.inputs[5].value, "Screen bottom=2' 6\"");

    const std::vector<std::string> headers = {"Projector", controls.caption(window.columnHeader(Column::Throw)),
        controls.caption(window.columnHeader(Column::Straight)), controls.caption(window.columnHeader(Column::Offset)),
        std::string(kBaseHeightHeader)};
    EXPECT_EQ(sheet.headers, headers);
    ASSERT_EQ(sheet.rows.size(), kRowCount);
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const SheetRow& shown = sheet.rows[row];
        EXPECT_EQ(shown.projector, controls.caption(window.rowCaption(row)));
        const bool warning = window.placement().result(row).isWarning;
        EXPECT_EQ(shown.warning, warning) << row;
        EXPECT_EQ(shown.chosen, row == 2) << row;
        ASSERT_EQ(shown.cells.size(), 4U);
        const Column columns[] = {Column::Throw, Column::Straight, Column::Offset};
        for (std::size_t column = 0; column < 3; ++column)
            EXPECT_EQ(shown.cells[column], feet(window.resultLabel(row, columns[column]))) << row;
        // No base height beside a warning; otherwise 30 in. less the offset.
        EXPECT_EQ(shown.cells[3].empty(), warning) << row;
    }
    for (std::size_t column = 0; column < 3; ++column) {
        const Column which[] = {Column::Throw, Column::Straight, Column::Offset};
        EXPECT_EQ(sheet.explanations[column], controls.caption(window.columnExplanation(which[column])));
    }
    EXPECT_EQ(sheet.diagramHeading, "Placement of " + controls.caption(window.rowCaption(2)));
    EXPECT_EQ(sheet.diagram.projector, controls.caption(window.rowCaption(2)));
    EXPECT_TRUE(sheet.diagram.room.has_value());
}

} // namespace
} // namespace qvd
