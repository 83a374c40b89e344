// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/job/diagram_layout.h"

#include "runtime/utf8_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

namespace qvd {

namespace {

constexpr DiagramColour kDimension = 0xff12458a;
constexpr DiagramColour kFloor = 0xff555555;
constexpr DiagramColour kBeam = 0x70ffc430;
constexpr DiagramColour kBody = 0xffc8ced6;
constexpr DiagramColour kBarrel = 0xff808a96;
// The green lens, from whose front the throw distance is measured.
constexpr DiagramColour kLens = 0xff1c8a3a;

// Sizes in em of the label font.
constexpr double kLine = 1.0 / 14;                    // the width of a thin line
constexpr double kLabelHeight = 1.3;                  // a label's ground, a line of text high
constexpr double kLabelPadding = 0.3;                 // added to the text's width
constexpr double kSetOff = 1.4;                       // a dimension line from what it measures
constexpr double kExtension = 0.25;                   // an extension line's gap from what it measures
constexpr double kHead = 0.6;                         // an arrow head's length
constexpr double kLabelGap = 0.35;                    // a dimension's label from its line
constexpr double kReference = 5.0;                    // the level line the tilt is measured from
constexpr double kTitleSize = 1.15;                   // the projector's name, the drawing's title
constexpr double kTop = 2.4 + kTitleSize * 1.3 + 0.4; // above the drawing: the title, the screen's name
constexpr double kBottom = 3.2;                       // below: the straight line and its label
constexpr double kBeside = 2.4;                       // a height's line and gaps beside its label
constexpr double kTurnedBeside = 3.4;                 // the same, its label turned
constexpr double kNoticeSize = 1.6;                   // a range warning's words
constexpr double kNoticeGap = 0.8;                    // between the warning and what would make it fit
constexpr double kNoticeMeasure = 0.85;               // of the frame's width, for the warning's detail

struct Vector {
    double x = 0.0;
    double y = 0.0;
};

Vector operator*(Vector v, double f) { return {v.x * f, v.y * f}; }
Vector operator+(Vector a, Vector b) { return {a.x + b.x, a.y + b.y}; }
Vector operator-(Vector v) { return {-v.x, -v.y}; }

DiagramPlace place(DiagramPoint at, Vector em = {}) { return {at, em.x, em.y}; }

DiagramPoint between(DiagramPoint a, DiagramPoint b, double share)
{
    return {a.x + (b.x - a.x) * share, a.y + (b.y - a.y) * share};
}

// Advances of a common sans-serif face, rounded up.
double advance(char32_t c)
{
    if (c >= '0' && c <= '9')
        return 0.64;
    switch (c) {
    case ' ':
    case '.':
    case ',':
    case ':':
    case ';':
    case '\'':
    case '!':
    case '|':
    case 'i':
    case 'j':
    case 'l':
        return 0.32;
    case '"':
    case '-':
    case 'f':
    case 't':
    case 'r':
        return 0.46;
    case 0xb0: // the degree sign
        return 0.5;
    case 'm':
    case 'w':
    case 'M':
    case 'W':
        return 1.0;
    default:
        break;
    }
    if (c >= 'A' && c <= 'Z')
        return 0.78;
    if (c >= 'a' && c <= 'z')
        return 0.64;
    return 1.0;
}

std::u32string codePoints(std::string_view text)
{
    std::u32string points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3f >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3f);
        points.push_back(c);
        i += length;
    }
    return points;
}

DiagramLabel makeLabel(LabelRole role, const std::string& text, DiagramPlace at, DiagramColour colour,
    bool turned = false, double size = 1.0, bool bold = false)
{
    return {role, text, at, size, bold, turned, colour, (labelTextWidth(text, bold) + kLabelPadding) * size,
        kLabelHeight * size};
}

// The extent of a label across and up, in em, whichever way it reads.
Vector extent(const DiagramLabel& label)
{
    return label.turned ? Vector{label.height, label.width} : Vector{label.width, label.height};
}

// Whether the segment from `a` to `b` passes through the inside of `box`
// (Liang and Barsky's clipping).
bool crosses(ViewPoint a, ViewPoint b, const ViewBox& box)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    double enter = 0.0;
    double leave = 1.0;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x - box.left, box.right() - a.x, a.y - box.top, box.bottom() - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] <= 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    return enter < leave;
}

class Builder {
public:
    explicit Builder(DiagramLayout& layout)
        : m_layout(layout)
    {
    }

    void line(DiagramPlace from, DiagramPlace to, DiagramColour colour, double width, bool dashed = false)
    {
        DiagramShape shape;
        shape.points = {from, to};
        shape.stroke = colour;
        shape.strokeWidth = width;
        shape.dashed = dashed;
        m_layout.shapes.push_back(std::move(shape));
    }

    void polygon(std::vector<DiagramPlace> points, DiagramColour fill, DiagramColour stroke = 0, double width = 0.0)
    {
        DiagramShape shape;
        shape.kind = DiagramShape::Kind::Polygon;
        shape.points = std::move(points);
        shape.fill = fill;
        shape.stroke = stroke;
        shape.strokeWidth = width;
        m_layout.shapes.push_back(std::move(shape));
    }

    // A floor line from `from` to `to` on the same height, hatched beneath.
    void floor(DiagramPlace from, DiagramPlace to)
    {
        line(from, to, kFloor, kLine * 2);
        const double length = ((to.at.x - from.at.x) * m_layout.scale) / m_layout.em + to.dx - from.dx;
        for (double x = 0.7; x <= length; x += 0.7)
            line({from.at, from.dx + x, from.dy}, {from.at, from.dx + x - 0.45, from.dy - 0.45}, kFloor, kLine);
    }

    // A dimension line between the measured points `a` and `b`, set off from
    // them by `distance` em towards `side` (a unit vector), with its label
    // beyond the line at the first of `labelAt` (shares of the way from `a`
    // to `b`) that is clear. Too short for the heads between its extension
    // lines, the heads point in from outside.
    struct Dimension {
        DiagramPoint a;
        DiagramPoint b;
        Vector side;
        double distance = kSetOff;
        DiagramLabel label;
        std::vector<double> labelAt = {0.5};
        double extensionFrom = kExtension;   // em from the measured points: clear of what lies between
        std::vector<double> further = {0.0}; // em the label may stand further out, tried in turn
    };

    // Where a dimension's label stands: beyond its line by the gap and its own reach.
    [[nodiscard]] static DiagramPlace labelPlace(const Dimension& d)
    {
        const Vector size = extent(d.label);
        const double reach = std::abs(d.side.x) * size.x / 2 + std::abs(d.side.y) * size.y / 2;
        return place(between(d.a, d.b, d.labelAt.front()), d.side * (d.distance + kLabelGap * kLabelHeight + reach));
    }

    void dimension(Dimension d)
    {
        const Vector side = d.side;
        for (const DiagramPoint end : {d.a, d.b})
            line(place(end, side * d.extensionFrom), place(end, side * (d.distance + 0.3)), kDimension, kLine);
        const double dx = d.b.x - d.a.x;
        const double dy = d.b.y - d.a.y;
        const double units = std::hypot(dx, dy);
        // A zero length still shows its heads, across the side it is set off to.
        const Vector along = units > 0 ? Vector{dx / units, dy / units} : Vector{-side.y, side.x};
        const bool inside = units * m_layout.scale / m_layout.em >= 2.5 * kHead;
        const Vector from = side * d.distance;
        if (inside)
            line(place(d.a, from), place(d.b, from), kDimension, kLine);
        else
            line(
                place(d.a, from + -along * (kHead * 1.8)), place(d.b, from + along * (kHead * 1.8)), kDimension, kLine);
        const double direction = inside ? 1.0 : -1.0;
        head(d.a, from, -along * direction);
        head(d.b, from, along * direction);
        DiagramLabel label = d.label;
        std::vector<DiagramPlace> places;
        for (const double out : d.further) {
            for (const double at : d.labelAt) {
                Dimension tried = d;
                tried.labelAt = {at};
                DiagramPlace where = labelPlace(tried);
                where.dx += d.side.x * out;
                where.dy += d.side.y * out;
                places.push_back(where);
            }
        }
        offer(std::move(label), std::move(places));
    }

    // A label to be placed at the first of `places` that is clear, in the
    // order labels are offered; at the first when none is.
    void offer(DiagramLabel label, std::vector<DiagramPlace> places)
    {
        label.place = places.front();
        m_pending.push_back({std::move(label), std::move(places)});
    }

    // Places the labels offered, in the order `first` gives, each clear of
    // the frame's edge, every line and the labels placed before it; the
    // layout keeps them in the order offered.
    void placeLabels(const std::vector<LabelRole>& first)
    {
        std::vector<std::size_t> order(m_pending.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        const auto rank = [&first](LabelRole role) {
            return static_cast<std::size_t>(std::find(first.begin(), first.end(), role) - first.begin());
        };
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return rank(m_pending[a].label.role) < rank(m_pending[b].label.role);
        });
        std::vector<ViewBox> taken;
        for (const std::size_t index : order) {
            Pending& pending = m_pending[index];
            for (const DiagramPlace& at : pending.places) {
                pending.label.place = at;
                if (isClear(m_layout.box(pending.label), taken))
                    break;
            }
            if (!isClear(m_layout.box(pending.label), taken))
                pending.label.place = pending.places.front();
            taken.push_back(m_layout.box(pending.label));
        }
        for (Pending& pending : m_pending)
            m_layout.labels.push_back(std::move(pending.label));
        m_pending.clear();
    }

private:
    struct Pending {
        DiagramLabel label;
        std::vector<DiagramPlace> places;
    };

    [[nodiscard]] bool isClear(const ViewBox& box, const std::vector<ViewBox>& taken) const
    {
        if (!ViewBox{0, 0, m_layout.width, m_layout.height}.contains(box))
            return false;
        if (std::any_of(taken.begin(), taken.end(), [&box](const ViewBox& t) { return t.intersects(box); }))
            return false;
        return std::none_of(m_layout.shapes.begin(), m_layout.shapes.end(), [&](const DiagramShape& shape) {
            return shape.kind == DiagramShape::Kind::Line
                && crosses(m_layout.map(shape.points[0]), m_layout.map(shape.points[1]), box);
        });
    }

    void head(DiagramPoint tip, Vector setOff, Vector direction)
    {
        const Vector back = setOff + -direction * kHead;
        const Vector across{-direction.y * kHead * 0.3, direction.x * kHead * 0.3};
        polygon({place(tip, setOff), place(tip, back + across), place(tip, back + -across)}, kDimension);
    }

    DiagramLayout& m_layout;
    std::vector<Pending> m_pending;
};

void layOutNotice(DiagramLayout& layout, const PlacementDiagram& d)
{
    // The detail wrapped to the measure, word by word.
    std::vector<std::string> lines;
    const double measure = layout.width * kNoticeMeasure / layout.em - kLabelPadding;
    for (const std::string& word : textWords(d.noticeDetail)) {
        if (!lines.empty() && labelTextWidth(lines.back() + " " + word) <= measure)
            lines.back() += " " + word;
        else
            lines.push_back(word);
    }
    const double notice = kNoticeSize * kLabelHeight;
    const double block = notice + (lines.empty() ? 0.0 : kNoticeGap + kLabelHeight * static_cast<double>(lines.size()));
    if (layout.height <= 0)
        layout.height = (block + 2) * layout.em;
    layout.originX = layout.width / 2;
    layout.originY = layout.height / 2;
    layout.fits = true;
    layout.labels.push_back(makeLabel(LabelRole::Notice, d.notice, place({}, {0, block / 2 - notice / 2}),
        kDiagramWarning, false, kNoticeSize, true));
    double top = block / 2 - notice - kNoticeGap;
    for (const std::string& text : lines) {
        layout.labels.push_back(
            makeLabel(LabelRole::NoticeDetail, text, place({}, {0, top - kLabelHeight / 2}), kDiagramInk));
        top -= kLabelHeight;
    }
}

void addProjector(Builder& draw, const PlacementDiagram& d)
{
    // The barrel and feet are sized from the row's own lengths: the lens sits
    // a foot offset in front of the front foot, at the lens height.
    const double footOffset = d.frontFoot.x - d.lens.x;
    const double barrelLength = 0.9 * footOffset;
    const double barrelHalfWidth = 0.22 * d.bodyHeight;
    const double footHeight = 0.08 * d.bodyHeight;
    const double footHalfWidth = 0.09 * d.bodyHeight;
    const double bodyFront = d.lens.x + 0.55 * barrelLength;
    const auto at = [](double x, double y) { return place({x, y}); };

    draw.polygon({at(bodyFront, footHeight), at(d.bodyBack.x, footHeight), at(d.bodyBack.x, d.bodyHeight),
                     at(bodyFront, d.bodyHeight)},
        kBody, kDiagramInk, kLine);
    const double rearFoot = d.bodyBack.x - (d.frontFoot.x - bodyFront);
    for (const double x : {d.frontFoot.x, rearFoot}) {
        draw.polygon({at(x - footHalfWidth, 0.0), at(x + footHalfWidth, 0.0), at(x + footHalfWidth * 0.6, footHeight),
                         at(x - footHalfWidth * 0.6, footHeight)},
            kDiagramInk, kDiagramInk, kLine);
    }
    // The lens barrel points along the throw line, its front at the lens.
    const double theta = d.tiltDegrees * std::numbers::pi / 180;
    const Vector back{std::cos(theta), -std::sin(theta)};
    const Vector across{std::sin(theta) * barrelHalfWidth, std::cos(theta) * barrelHalfWidth};
    const auto barrel = [&](double alongBack, double sideways) {
        return at(
            d.lens.x + back.x * alongBack + across.x * sideways, d.lens.y + back.y * alongBack + across.y * sideways);
    };
    draw.polygon(
        {barrel(0, 1), barrel(barrelLength, 1), barrel(barrelLength, -1), barrel(0, -1)}, kBarrel, kDiagramInk, kLine);
    draw.line(barrel(0, 1), barrel(0, -1), kLens, kLine * 3);
}

void layOutPlacement(DiagramLayout& layout, const PlacementDiagram& d)
{
    const std::string baseText = d.room ? withFloorFlag(d.room->baseHeight.label, d.room->belowFloor) : std::string();
    const bool screenAboveFloor = d.room && d.room->y != d.screenBottom.y;
    const double offsetWidth = labelTextWidth(d.verticalOffset.label) + kLabelPadding;
    const double screenBottomWidth = d.room ? labelTextWidth(d.room->screenBottom.label) + kLabelPadding : 0.0;
    const double baseWidth = d.room ? labelTextWidth(baseText) + kLabelPadding : 0.0;

    // Room round the drawing for what is set off from it: the vertical
    // offset on the left (and outside it the screen's bottom edge above the
    // room's floor), the straight line below, the screen's name above, and
    // the base height on the right. Where the heights' labels standing level
    // would take half the width, they turn and read upwards.
    double left = offsetWidth + kBeside + (screenAboveFloor ? screenBottomWidth + kBeside : 0.0);
    double right = d.room ? baseWidth + kBeside : 1.0;
    const bool turned = (left + right) * layout.em > layout.width / 2;
    if (turned) {
        left = kTurnedBeside + (screenAboveFloor ? kTurnedBeside - kSetOff + 0.6 : 0.0);
        right = d.room ? kTurnedBeside - kSetOff + 1.0 : 1.0;
    }
    const double drawingWidth = std::max(d.maximum.x - d.minimum.x, 1e-9);
    const double drawingHeight = std::max(d.maximum.y - d.minimum.y, 1e-9);
    const double roomWidth = layout.width - (left + right) * layout.em;
    layout.scale = std::max(0.0, roomWidth / drawingWidth);
    if (layout.height <= 0)
        layout.height = drawingHeight * layout.scale + (kTop + kBottom) * layout.em;
    const double roomHeight = layout.height - (kTop + kBottom) * layout.em;
    if (roomWidth <= 0 || roomHeight <= 0)
        return;
    layout.scale = std::min(layout.scale, roomHeight / drawingHeight);
    // Centred in the room that the labels leave.
    layout.originX = left * layout.em + (roomWidth - drawingWidth * layout.scale) / 2 - d.minimum.x * layout.scale;
    layout.originY = layout.height - kBottom * layout.em - (roomHeight - drawingHeight * layout.scale) / 2
        + d.minimum.y * layout.scale;
    layout.fits = true;

    Builder draw(layout);
    // The beam from the lens to the screen's edges.
    draw.polygon({place(d.lens), place(d.screenTop), place(d.screenBottom)}, kBeam);

    // The floor through the projector's base, hatched beneath, from the
    // screen's wall to behind the projector. In a room with its own floor,
    // that is the top of a stand under the projector, and the room's floor
    // runs from the wall.
    const DiagramPlace floorEnd = place({d.maximum.x, 0.0}, {0.6, 0});
    if (!d.room) {
        draw.floor(place({0.0, 0.0}), floorEnd);
    } else {
        const double standFront = d.frontFoot.x - (d.frontFoot.x - d.lens.x) * 0.5;
        if (d.room->y < 0) {
            const auto at = [](double x, double y) { return place({x, y}); };
            draw.polygon(
                {at(standFront, 0.0), at(d.bodyBack.x, 0.0), at(d.bodyBack.x, d.room->y), at(standFront, d.room->y)}, 0,
                kFloor, kLine);
        }
        draw.line(place({standFront, 0.0}), place({d.bodyBack.x, 0.0}), kFloor, kLine * 2);
        draw.floor(place({0.0, d.room->y}), place({d.maximum.x, d.room->y}, {0.6, 0}));
    }

    // The screen, with marks at its bottom, centre and top.
    draw.line(place(d.screenBottom), place(d.screenTop), kDiagramInk, 0.3);
    for (const DiagramPoint mark : {d.screenBottom, d.screenCentre, d.screenTop})
        draw.line(place(mark), place(mark, {0.6, 0}), kDiagramInk, kLine);
    DiagramShape centre;
    centre.kind = DiagramShape::Kind::Dot;
    centre.points = {place(d.screenCentre)};
    centre.fill = kDiagramInk;
    centre.radius = 0.18;
    layout.shapes.push_back(centre);

    addProjector(draw, d);

    // The throw line and the tilt: the angle between the level and the line.
    draw.line(place(d.lens), place(d.screenCentre), kDiagramInk, kLine, true);
    draw.line(place(d.lens), place(d.lens, {-kReference, 0}), kDiagramInk, kLine);
    if (d.tiltDegrees != 0) {
        DiagramShape arc;
        arc.kind = DiagramShape::Kind::Arc;
        arc.points = {place(d.lens)};
        arc.stroke = kDiagramInk;
        arc.strokeWidth = kLine;
        arc.radius = kReference * 0.85;
        arc.startDegrees = 180;
        arc.spanDegrees = -d.tiltDegrees;
        layout.shapes.push_back(arc);
    }

    // The tilt's label below the lower of the level and the beam, out of the
    // angle between them; else beyond the level line's end, under the
    // floor, or above the level.
    const double tiltAlong = kReference * 0.7;
    DiagramLabel tilt = makeLabel(LabelRole::Tilt, d.tiltLabel, {}, kDiagramInk);
    const double slope = std::tan(d.tiltDegrees * std::numbers::pi / 180);
    const double belowLens = d.tiltDegrees >= 0 ? 0.0 : (tiltAlong + tilt.width / 2) * -slope;
    const double aboveLens = d.tiltDegrees <= 0 ? 0.0 : (tiltAlong + tilt.width / 2) * slope;
    std::vector<DiagramPlace> tiltPlaces
        = {place(d.lens, {-tiltAlong, -(belowLens + 0.85)}), place(d.lens, {-(kReference + 0.3 + tilt.width / 2), 0})};
    for (const double along : {tiltAlong, tiltAlong + 3}) // under the floor, clear of its hatching
        tiltPlaces.push_back(place({d.lens.x, 0.0}, {-along, -1.35}));
    for (const double up : {0.85, 2.3, 3.7})
        for (const double along : {tiltAlong, tiltAlong + 3})
            tiltPlaces.push_back(place(d.lens, {-along, aboveLens + up}));
    const Vector beam = [&] {
        const double dx = d.screenCentre.x - d.lens.x;
        const double dy = d.screenCentre.y - d.lens.y;
        const double length = std::hypot(dx, dy);
        return length > 0 ? Vector{dx / length, dy / length} : Vector{-1, 0};
    }();
    Vector normal{-beam.y, beam.x};
    if (normal.y < 0)
        normal = -normal; // upwards

    const auto dimensionLabel
        = [&](LabelRole role, const std::string& text, bool turn, DiagramColour colour = kDimension) {
              return makeLabel(role, text, {}, colour, turn);
          };
    // The throw's dimension line above the beam; where the beam crosses the
    // floor its label would sit on the straight line's: it moves along its
    // line, or further from it, until it is clear. The straight line runs
    // below all the drawing, clear of a screen or a room's floor lower than
    // the projector's base.
    const double straightSetOff = kSetOff - d.minimum.y * layout.scale / layout.em;
    draw.dimension({d.lens, d.screenCentre, normal, kSetOff,
        dimensionLabel(LabelRole::ThrowDistance, d.throwDistance.label, false), {0.5, 0.35, 0.65, 0.22, 0.78},
        kExtension, {0.0, kLabelHeight}});
    draw.dimension({d.frontFoot, {0.0, 0.0}, {0, -1}, straightSetOff,
        dimensionLabel(LabelRole::StraightLine, d.straightLine.label, false), {0.5, 0.3, 0.7}});
    draw.dimension({{0.0, 0.0}, d.screenBottom, {-1, 0}, kSetOff,
        dimensionLabel(LabelRole::VerticalOffset, d.verticalOffset.label, turned)});
    draw.offer(tilt, tiltPlaces);
    const DiagramLabel screen = makeLabel(LabelRole::Screen, "Screen", {}, kDiagramInk);
    draw.offer(screen, {place(d.screenTop, {0, 0.9}), place(d.screenTop, {-(0.3 + screen.width / 2), 0})});
    // The projector's name is the drawing's title, at the top left of the frame.
    const DiagramLabel title = makeLabel(LabelRole::Projector, d.projector, {}, kDiagramInk, false, kTitleSize, true);
    draw.offer(title,
        {place({-layout.originX / layout.scale, layout.originY / layout.scale},
            {0.3 + title.width / 2, -(0.2 + title.height / 2)})});

    if (d.room) {
        // A screen standing on the floor needs no height beside it.
        if (screenAboveFloor) {
            // Outside the vertical offset and its label, its extension lines
            // starting beyond that label.
            const double outside = turned ? kTurnedBeside : offsetWidth + kBeside;
            draw.dimension({{0.0, d.room->y}, d.screenBottom, {-1, 0}, outside + 0.6,
                dimensionLabel(LabelRole::ScreenBottom, d.room->screenBottom.label, turned), {0.5}, outside});
        }
        draw.dimension({{d.bodyBack.x, d.room->y}, d.bodyBack, {1, 0}, 1.0,
            dimensionLabel(
                LabelRole::BaseHeight, baseText, turned, d.room->belowFloor ? kDiagramWarning : kDimension)});
    }
    // The heights and the straight line first: they have one place each;
    // the throw before the tilt, which has more.
    draw.placeLabels({LabelRole::VerticalOffset, LabelRole::ScreenBottom, LabelRole::BaseHeight,
        LabelRole::StraightLine, LabelRole::Screen, LabelRole::Projector, LabelRole::ThrowDistance, LabelRole::Tilt});
}

} // namespace

bool ViewBox::intersects(const ViewBox& other) const
{
    return left < other.right() && other.left < right() && top < other.bottom() && other.top < bottom();
}

bool ViewBox::contains(const ViewBox& other) const
{
    constexpr double slack = 1e-6;
    return other.left >= left - slack && other.top >= top - slack && other.right() <= right() + slack
        && other.bottom() <= bottom() + slack;
}

ViewPoint DiagramLayout::map(const DiagramPlace& place) const
{
    return {originX + place.at.x * scale + place.dx * em, originY - place.at.y * scale - place.dy * em};
}

ViewBox DiagramLayout::box(const DiagramLabel& label) const
{
    const ViewPoint centre = map(label.place);
    const Vector size = extent(label) * em;
    return {centre.x - size.x / 2, centre.y - size.y / 2, size.x, size.y};
}

double labelTextWidth(std::string_view text, bool bold)
{
    double width = 0.0;
    for (const char32_t c : codePoints(text))
        width += advance(c);
    return bold ? width * 1.1 : width;
}

DiagramLayout layOutDiagram(const PlacementDiagram& d, double width, double height, double em)
{
    DiagramLayout layout;
    layout.width = width;
    layout.height = height;
    layout.em = em;
    if (width <= 0 || em <= 0)
        return layout;
    if (d.isDrawable())
        layOutPlacement(layout, d);
    else
        layOutNotice(layout, d);
    return layout;
}

} // namespace qvd
