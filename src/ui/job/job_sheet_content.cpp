// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/job_sheet_content.h"

#include "runtime/utf8_text.h"
#include "ui/job/table_report.h"
#include "ui/window/form_design.h"

#include <array>
#include <optional>

namespace qvd {

namespace {

// `text` on one line: its runs of blanks, line breaks included, one space.
std::string oneLine(const std::string& text)
{
    std::string line;
    for (const std::string& word : textWords(text))
        line += (line.empty() ? "" : " ") + word;
    return line;
}

} // namespace

JobSheetContent jobSheetContent(const JobSession& session)
{
    const MainWindow& window = session.window();
    const LengthFormat lengths = session.lengthFormat();
    const auto length = [&](const std::string& caption) { return lengthCaption(window, lengths, caption); };
    const TableReport report = tableReport(window);
    const std::size_t chosen = session.chosenRow();

    JobSheetContent sheet;
    sheet.title = std::string(formDesign().caption);
    sheet.subtitle = "Projector placement job sheet";
    const JobDetails& details = session.details();
    const std::pair<const char*, const std::string*> fields[] = {{"Job", &details.name}, {"Client", &details.client},
        {"Site", &details.site}, {"Prepared by", &details.preparedBy}};
    for (const auto& [name, value] : fields) {
        if (!value->empty())
            sheet.details.push_back({name, oneLine(*value)});
    }
    sheet.notesHeading = "Notes";
    sheet.notes = details.notes;
    sheet.notesCut = "\u2026 (continued in the job file)";
    sheet.audience = session.audienceLines();

    for (std::size_t index = 0; index < report.inputs.size(); ++index) {
        const ReportInput& input = report.inputs[index];
        const bool isLength = index == WidthInput || index == HeightInput || index == DiagonalInput;
        std::string value = isLength ? length(input.caption) : input.caption;
        if (index == AngleInput && !value.empty())
            value += "\u00b0";
        sheet.inputs.push_back({input.name, value});
    }
    // With the room's height, its screen bottom among the inputs and the
    // base heights beside the rows.
    const std::optional<TableBaseHeights> bases = tableBaseHeights(window, lengths, session.room());
    if (bases)
        sheet.inputs.push_back({std::string(kScreenBottomName), lengthText(window, lengths, bases->screenBottom)});

    sheet.headers.emplace_back("Projector");
    for (const ReportColumn& column : report.columns) {
        sheet.headers.push_back(column.header);
        sheet.explanations.push_back(column.explanation);
    }
    if (bases)
        sheet.headers.emplace_back(kBaseHeightHeader);
    for (std::size_t index = 0; index < report.rows.size(); ++index) {
        const ReportRow& row = report.rows[index];
        SheetRow shown{row.projector,
            {length(row.shown.throwDistance), length(row.shown.straightLine), length(row.shown.verticalOffset)},
            index == chosen, row.shown.isWarning};
        if (bases) {
            const std::optional<BaseHeight>& base = bases->rows[index];
            shown.cells.push_back(base ? base->text : std::string());
            shown.baseBelowFloor = base && base->belowFloor;
        }
        sheet.rows.push_back(std::move(shown));
    }
    sheet.diagramHeading = "Placement of " + report.rows[chosen].projector;
    sheet.diagram = session.diagram();
    return sheet;
}

} // namespace qvd
