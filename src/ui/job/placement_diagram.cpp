// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/placement_diagram.h"

#include "calc/projector_table.h"
#include "ui/job/table_report.h"

#include <algorithm>
#include <optional>

namespace qvd {

namespace {

std::optional<double> numberOf(const std::string& caption, const NumberFormat& format)
{
    const ParseResult result = tryParseNumber(caption, format);
    return result.ok() ? std::optional(result.value) : std::nullopt;
}

void include(PlacementDiagram& d, DiagramPoint p)
{
    d.minimum = {std::min(d.minimum.x, p.x), std::min(d.minimum.y, p.y)};
    d.maximum = {std::max(d.maximum.x, p.x), std::max(d.maximum.y, p.y)};
}

} // namespace

PlacementDiagram placementDiagram(
    const MainWindow& window, LengthFormat lengths, std::size_t row, const RoomSetting& room)
{
    const ProjectorRow& projector = projectorTable()[row];
    const PlacementResult shown = window.placement().result(row);
    PlacementDiagram d;
    d.projector = window.controls().caption(window.rowCaption(row));
    if (shown.isWarning) {
        d.notice = shown.throwDistance + " " + shown.straightLine + " " + shown.verticalOffset;
        d.noticeDetail = rowRangeHint(window, lengths, row);
        return d;
    }

    const NumberFormat& format = window.numberFormat();
    const ControlSet& controls = window.controls();
    const auto throwDistance = numberOf(shown.throwDistance, format);
    const auto straightLine = numberOf(shown.straightLine, format);
    const auto offset = numberOf(shown.verticalOffset, format);
    const auto width = numberOf(controls.caption(window.widthCaption()), format);
    const auto degrees = numberOf(controls.caption(window.angleCaption()), format);
    const auto units = tableUnits(window);
    if (!throwDistance || !straightLine || !offset || !width || !degrees || !units) {
        d.notice = "No placement to draw for " + d.projector;
        return d;
    }
    const RowLengths& dimensions = lengthsFor(projector, *units);

    // The screen of a 4:3 picture, its bottom `offset` above the floor.
    const double screenHeight = *width * 3 / 4;
    d.screenBottom = {0.0, *offset};
    d.screenCentre = {0.0, *offset + screenHeight / 2};
    d.screenTop = {0.0, *offset + screenHeight};
    // The straight line runs along the floor from the front foot; the lens is
    // the foot offset nearer the screen, at the lens height.
    d.frontFoot = {*straightLine, 0.0};
    d.lens = {*straightLine - dimensions.footOffset, dimensions.lensHeight};
    d.bodyFront = {d.lens.x, 0.0};
    d.bodyBack = {d.lens.x + std::max(2.5 * dimensions.footOffset, 0.15 * *throwDistance), 0.0};
    d.bodyHeight = 1.6 * dimensions.lensHeight;
    d.tiltDegrees = *degrees;
    d.tiltLabel = controls.caption(window.angleCaption()) + "\u00b0";

    // Feet and inches carry their own marks; decimal lengths take the unit.
    const auto label = [&](const std::string& caption) {
        const std::string shownLength = lengthCaption(window, lengths, caption);
        return shownLength != caption ? shownLength : caption + " " + unitCaption(window);
    };
    d.throwDistance = {d.lens, d.screenCentre, label(shown.throwDistance)};
    d.straightLine = {d.frontFoot, {0.0, 0.0}, label(shown.straightLine)};
    d.verticalOffset = {{0.0, 0.0}, d.screenBottom, label(shown.verticalOffset)};

    d.minimum = d.maximum = {0.0, 0.0};
    for (DiagramPoint p :
        {d.screenBottom, d.screenTop, d.frontFoot, d.lens, d.bodyBack, DiagramPoint{d.bodyBack.x, d.bodyHeight}})
        include(d, p);

    const std::optional<double> roomBottom = roomScreenBottom(window, room);
    const std::optional<BaseHeight> base = roomBottom ? baseHeight(*roomBottom, shown, format) : std::nullopt;
    if (base) {
        // The screen's bottom edge stands `offset` above the projector's base.
        const double screenBottom = *roomBottom;
        const double floorY = *offset - screenBottom;
        const std::string bottom = FormatGeneral(screenBottom, format);
        d.room = PlacementDiagram::RoomFloor{floorY, {{0.0, floorY}, d.screenBottom, label(bottom)},
            {{d.bodyBack.x, floorY}, d.bodyBack, label(base->text)}, base->belowFloor};
        include(d, {0.0, floorY});
    }
    return d;
}

std::string diagramDescription(const PlacementDiagram& d)
{
    if (!d.isDrawable())
        return d.projector + ": " + d.notice + (d.noticeDetail.empty() ? "" : "; " + d.noticeDetail);
    return d.projector + ": throw distance " + d.throwDistance.label + ", straight line " + d.straightLine.label
        + ", vertical offset " + d.verticalOffset.label + ", projection angle " + d.tiltLabel
        + (d.room ? ", screen bottom " + d.room->screenBottom.label + " above the floor, base height "
                    + withFloorFlag(d.room->baseHeight.label, d.room->belowFloor)
                  : "");
}

} // namespace qvd
