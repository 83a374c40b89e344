// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/print/placement_painter.h"

#include "ui/qt/window/control_widgets.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qvd {

namespace {

const QColor kInk(0x22, 0x22, 0x22);
const QColor kDimension(0x12, 0x45, 0x8a);
const QColor kFloor(0x55, 0x55, 0x55);
const QColor kBeam(0xff, 0xc4, 0x30, 0x70);
const QColor kBody(0xc8, 0xce, 0xd6);
const QColor kBarrel(0x80, 0x8a, 0x96);
// The green lens, from whose front the throw distance is measured.
const QColor kLens(0x1c, 0x8a, 0x3a);
const QColor kWarning(0xcc, 0x00, 0x00);

QPointF unitVector(QPointF v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF();
}

QFont scaledFont(const QFont& font, double factor)
{
    QFont scaled(font);
    if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * factor))));
    else
        scaled.setPointSizeF(font.pointSizeF() * factor);
    return scaled;
}

// Diagram lengths to device pixels, the same scale across and up: x grows to
// the right away from the screen, y upwards from the floor.
class Mapping {
public:
    Mapping(const PlacementDiagram& d, const QRectF& room)
    {
        const double width = std::max(d.maximum.x - d.minimum.x, 1e-9);
        const double height = std::max(d.maximum.y - d.minimum.y, 1e-9);
        m_scale = std::max(0.0, std::min(room.width() / width, room.height() / height));
        // Centred in the room that the labels leave.
        m_origin = QPointF(room.left() + (room.width() - width * m_scale) / 2 - d.minimum.x * m_scale,
            room.bottom() - (room.height() - height * m_scale) / 2 + d.minimum.y * m_scale);
    }

    QPointF operator()(DiagramPoint p) const { return {m_origin.x() + p.x * m_scale, m_origin.y() - p.y * m_scale}; }
    QPointF operator()(double x, double y) const { return (*this)(DiagramPoint{x, y}); }

private:
    double m_scale = 0.0;
    QPointF m_origin;
};

QSizeF textSize(const QPainter& painter, const QString& text)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

QRectF labelBox(const QPainter& painter, QPointF centre, const QString& text)
{
    const QSizeF size = textSize(painter, text);
    QRectF box(QPointF(), size);
    box.moveCenter(centre);
    const double pad = size.height() * 0.15;
    return box.adjusted(-pad, 0, pad, 0);
}

// Text centred on `centre`, on a white ground that keeps lines beneath it out
// of the way of the reading.
PaintedDiagram::Label drawLabel(QPainter& painter, QPointF centre, const QString& text, const QColor& colour)
{
    const QRectF box = labelBox(painter, centre, text);
    painter.fillRect(box, Qt::white);
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, text);
    return {text, box};
}

void drawArrowHead(QPainter& painter, QPointF tip, QPointF direction, double size)
{
    const QPointF back = tip - direction * size;
    const QPointF side(-direction.y() * size * 0.3, direction.x() * size * 0.3);
    painter.drawPolygon(QPolygonF{tip, back + side, back - side});
}

// A dimension line between the measured points `a` and `b`, set off from them
// by `distance` pixels towards `side` (a unit vector), with its label beyond
// the line at `labelAt` of the way from `a` to `b`.
struct Dimension {
    QPointF a;
    QPointF b;
    QPointF side;
    double distance = 0.0;
    QString label;
    double labelAt = 0.5;

    [[nodiscard]] QPointF from() const { return a + side * distance; }
    [[nodiscard]] QPointF to() const { return b + side * distance; }

    [[nodiscard]] QPointF labelCentre(const QPainter& painter) const
    {
        const QSizeF size = textSize(painter, label);
        const double reach = std::abs(side.x()) * size.width() / 2 + std::abs(side.y()) * size.height() / 2;
        return from() + (to() - from()) * labelAt + side * (size.height() * 0.35 + reach);
    }
    [[nodiscard]] QRectF labelBox(const QPainter& painter) const
    {
        return qvd::labelBox(painter, labelCentre(painter), label);
    }
};

PaintedDiagram::Label drawDimension(
    QPainter& painter, const Dimension& dimension, const QColor& labelColour = kDimension)
{
    const double em = textSize(painter, dimension.label).height();
    const QPointF from = dimension.from();
    const QPointF to = dimension.to();
    const QPointF side = dimension.side;
    painter.setPen(QPen(kDimension, std::max(1.0, em / 14), Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(dimension.a + side * (em * 0.25), from + side * (em * 0.3));
    painter.drawLine(dimension.b + side * (em * 0.25), to + side * (em * 0.3));

    const double head = em * 0.6;
    const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
    // A zero length still shows its heads, across the side it is set off to.
    const QPointF along = length > 0 ? (to - from) / length : QPointF(side.y(), -side.x());
    const bool headsInside = length >= 2.5 * head;
    if (headsInside)
        painter.drawLine(from, to);
    else // too short for the heads between the extension lines: they point in from outside
        painter.drawLine(from - along * head * 1.8, to + along * head * 1.8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kDimension);
    const double direction = headsInside ? 1.0 : -1.0;
    drawArrowHead(painter, from, -along * direction, head);
    drawArrowHead(painter, to, along * direction, head);
    return drawLabel(painter, dimension.labelCentre(painter), dimension.label, labelColour);
}

// A floor line from `from` to `to`, hatched beneath.
void drawFloor(QPainter& painter, QPointF from, QPointF to, double line, double em)
{
    painter.setPen(QPen(kFloor, line * 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(from, to);
    painter.setPen(QPen(kFloor, line));
    for (double x = from.x() + em * 0.7; x <= to.x(); x += em * 0.7)
        painter.drawLine(QPointF(x, from.y()), QPointF(x - em * 0.45, from.y() + em * 0.45));
}

PaintedDiagram paintNotice(QPainter& painter, const QRectF& area, const PlacementDiagram& d, const QFont& font)
{
    QFont large = scaledFont(font, 1.6);
    large.setBold(true);
    const QFontMetricsF largeMetrics(large, painter.device());
    const QFontMetricsF metrics(font, painter.device());
    const QString detail = toQString(d.noticeDetail);
    const QRectF detailBounds = metrics.boundingRect(
        QRectF(0, 0, area.width() * 0.85, area.height()), Qt::TextWordWrap | Qt::AlignHCenter, detail);
    const double gap = detail.isEmpty() ? 0.0 : metrics.height() * 0.8;
    const double top = area.center().y() - (largeMetrics.height() + gap + detailBounds.height()) / 2;

    painter.setFont(large);
    painter.setPen(kWarning);
    PaintedDiagram painted;
    const QString notice = toQString(d.notice);
    const QRectF noticeBox(area.left(), top, area.width(), largeMetrics.height());
    painter.drawText(noticeBox, Qt::AlignCenter, notice);
    painted.labels.push_back({notice, largeMetrics.boundingRect(noticeBox, Qt::AlignCenter, notice)});
    painter.setFont(font);
    painter.setPen(kInk);
    QRectF detailBox(0, 0, area.width() * 0.85, detailBounds.height());
    detailBox.moveTopLeft(QPointF(area.center().x() - detailBox.width() / 2, top + largeMetrics.height() + gap));
    painter.drawText(detailBox, Qt::TextWordWrap | Qt::AlignHCenter, detail);
    if (!detail.isEmpty())
        painted.labels.push_back({detail, detailBox});
    return painted;
}

void paintProjector(QPainter& painter, const Mapping& map, const PlacementDiagram& d, double line)
{
    // The barrel and feet are sized from the row's own lengths: the lens sits
    // a foot offset in front of the front foot, at the lens height.
    const double footOffset = d.frontFoot.x - d.lens.x;
    const double barrelLength = 0.9 * footOffset;
    const double barrelHalfWidth = 0.22 * d.bodyHeight;
    const double footHeight = 0.08 * d.bodyHeight;
    const double footHalfWidth = 0.09 * d.bodyHeight;
    const double bodyFront = d.lens.x + 0.55 * barrelLength;

    painter.setPen(QPen(kInk, line));
    painter.setBrush(kBody);
    painter.drawRect(QRectF(map(bodyFront, d.bodyHeight), map(d.bodyBack.x, footHeight)).normalized());
    painter.setBrush(kInk);
    const double rearFoot = d.bodyBack.x - (d.frontFoot.x - bodyFront);
    for (const double x : {d.frontFoot.x, rearFoot}) {
        painter.drawPolygon(QPolygonF{map(x - footHalfWidth, 0.0), map(x + footHalfWidth, 0.0),
            map(x + footHalfWidth * 0.6, footHeight), map(x - footHalfWidth * 0.6, footHeight)});
    }

    // The lens barrel points along the throw line, its front at the lens.
    const double theta = d.tiltDegrees * std::numbers::pi / 180;
    const DiagramPoint back{std::cos(theta), -std::sin(theta)};
    const DiagramPoint across{std::sin(theta) * barrelHalfWidth, std::cos(theta) * barrelHalfWidth};
    const auto at = [&](double alongBack, double sideways) {
        return map(
            d.lens.x + back.x * alongBack + across.x * sideways, d.lens.y + back.y * alongBack + across.y * sideways);
    };
    painter.setBrush(kBarrel);
    painter.drawPolygon(QPolygonF{at(0, 1), at(barrelLength, 1), at(barrelLength, -1), at(0, -1)});
    painter.setPen(QPen(kLens, line * 3, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(at(0, 1), at(0, -1));
}

PaintedDiagram paintPlacement(QPainter& painter, const QRectF& area, const PlacementDiagram& d, const QFont& font)
{
    PaintedDiagram painted;
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double em = metrics.height();
    const double line = std::max(1.0, em / 14);
    const QString offsetLabel = toQString(d.verticalOffset.label);
    const QString screenBottomLabel = d.room ? toQString(d.room->screenBottom.label) : QString();
    const QString baseLabel
        = d.room ? toQString(withFloorFlag(d.room->baseHeight.label, d.room->belowFloor)) : QString();
    // Room round the drawing for what is set off from it: the vertical offset
    // on the left (and outside it the screen's bottom edge above the room's
    // floor), the straight line below, the screen's name above, and the base
    // height on the right.
    const bool screenAboveFloor = d.room && d.room->y != d.screenBottom.y;
    const double offsetReach = metrics.horizontalAdvance(offsetLabel) + em * 2.4;
    const double left
        = offsetReach + (screenAboveFloor ? metrics.horizontalAdvance(screenBottomLabel) + em * 2.4 : 0.0);
    const double right = d.room ? metrics.horizontalAdvance(baseLabel) + em * 2.4 : em;
    const QRectF room = area.adjusted(left, em * 1.9, -right, -em * 3.2);
    if (room.width() <= 0 || room.height() <= 0)
        return painted;
    const Mapping map(d, room);
    const QPointF lens = map(d.lens);
    const QPointF screenCentre = map(d.screenCentre);
    const QPointF wall = map(0.0, 0.0);

    // The beam from the lens to the screen's edges.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBeam);
    painted.beam = QPolygonF{lens, map(d.screenTop), map(d.screenBottom)};
    painter.drawPolygon(painted.beam);

    // The floor through the projector's base, hatched beneath, from the
    // screen's wall to behind the projector. In a room with its own floor,
    // that is the top of a stand under the projector, and the room's floor
    // runs from the wall.
    const double floorEnd = map(d.maximum.x, 0.0).x() + em * 0.6;
    if (!d.room) {
        drawFloor(painter, wall, QPointF(floorEnd, wall.y()), line, em);
    } else {
        const QPointF roomWall = map(0.0, d.room->y);
        const QPointF standFront = map(d.frontFoot.x - (d.frontFoot.x - d.lens.x) * 0.5, 0.0);
        const QPointF standBack = map(d.bodyBack.x, d.room->y);
        if (d.room->y < 0) {
            painter.setPen(QPen(kFloor, line));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(standFront, standBack).normalized());
        }
        painter.setPen(QPen(kFloor, line * 2, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(standFront.x(), wall.y()), QPointF(standBack.x(), wall.y()));
        drawFloor(painter, roomWall, QPointF(floorEnd, roomWall.y()), line, em);
    }

    // The screen, with marks at its bottom, centre and top.
    painter.setPen(QPen(kInk, em * 0.3, Qt::SolidLine, Qt::FlatCap));
    painted.screen = QLineF(map(d.screenBottom), map(d.screenTop));
    painter.drawLine(painted.screen);
    painter.setPen(QPen(kInk, line));
    for (const DiagramPoint mark : {d.screenBottom, d.screenCentre, d.screenTop})
        painter.drawLine(map(mark), map(mark) + QPointF(em * 0.6, 0));
    painter.setBrush(kInk);
    painter.drawEllipse(screenCentre, em * 0.18, em * 0.18);

    paintProjector(painter, map, d, line);

    // The throw line and the tilt: the angle between the level and the line.
    painter.setPen(QPen(kInk, line, Qt::DashLine));
    painter.drawLine(lens, screenCentre);
    const double reference = em * 5;
    painter.drawLine(lens, lens - QPointF(reference, 0));
    painter.setPen(QPen(kInk, line));
    painter.setBrush(Qt::NoBrush);
    if (d.tiltDegrees != 0) {
        const double radius = reference * 0.85;
        painter.drawArc(QRectF(lens - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)), 180 * 16,
            -static_cast<int>(std::lround(d.tiltDegrees * 16)));
    }
    // The throw's dimension line goes above the beam, the tilt's label below
    // the lower of the level and the beam, out of the angle between them.
    const QString tiltLabel = toQString(d.tiltLabel);
    const double tiltAlong = reference * 0.7;
    const double belowLens = d.tiltDegrees >= 0 ? 0.0 : tiltAlong * std::tan(-d.tiltDegrees * std::numbers::pi / 180);
    const QPointF tiltCentre = lens + QPointF(-tiltAlong, belowLens + em * 0.85);
    const PaintedDiagram::Label tilt = drawLabel(painter, tiltCentre, tiltLabel, kInk);
    const QPointF beam = unitVector(screenCentre - lens);
    QPointF normal(-beam.y(), beam.x());
    if (normal.y() > 0)
        normal = -normal; // upwards, as the screen shows it

    const Dimension straight{map(d.frontFoot), wall, QPointF(0, 1), em * 1.4, toQString(d.straightLine.label)};
    const Dimension offset{wall, map(d.screenBottom), QPointF(-1, 0), em * 1.4, offsetLabel};
    Dimension throwLine{lens, screenCentre, normal, em * 1.4, toQString(d.throwDistance.label)};
    // Where the beam crosses the floor the throw's label would sit on the
    // straight line's: it moves along its line until it is clear.
    const QRectF taken[]
        = {straight.labelBox(painter), offset.labelBox(painter), labelBox(painter, tiltCentre, tiltLabel)};
    for (const double at : {0.5, 0.35, 0.65, 0.22, 0.78}) {
        throwLine.labelAt = at;
        const QRectF box = throwLine.labelBox(painter);
        if (std::none_of(std::begin(taken), std::end(taken), [&box](const QRectF& t) { return t.intersects(box); }))
            break;
    }
    painted.labels.push_back(drawDimension(painter, throwLine));
    painted.labels.push_back(drawDimension(painter, straight));
    painted.labels.push_back(drawDimension(painter, offset));
    painted.labels.push_back(tilt);

    painted.labels.push_back(
        drawLabel(painter, map(d.screenTop) - QPointF(0, em * 0.9), QStringLiteral("Screen"), kInk));
    QFont bold(font);
    bold.setBold(true);
    painter.setFont(bold);
    painted.labels.push_back(drawLabel(painter, map((d.lens.x + d.bodyBack.x) / 2, d.bodyHeight) - QPointF(0, em * 0.8),
        toQString(d.projector), kInk));
    painter.setFont(font);

    if (d.room) {
        // A screen standing on the floor needs no height beside it.
        if (screenAboveFloor)
            painted.labels.push_back(drawDimension(painter,
                {map(0.0, d.room->y), map(d.screenBottom), QPointF(-1, 0), offsetReach + em * 0.6, screenBottomLabel}));
        painted.labels.push_back(
            drawDimension(painter, {map(d.bodyBack.x, d.room->y), map(d.bodyBack), QPointF(1, 0), em * 1.0, baseLabel},
                d.room->belowFloor ? kWarning : kDimension));
    }
    return painted;
}

} // namespace

PaintedDiagram paintPlacementDiagram(
    QPainter& painter, const QRectF& area, const PlacementDiagram& diagram, const QFont& font)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintedDiagram painted = diagram.isDrawable() ? paintPlacement(painter, area, diagram, font)
                                                  : paintNotice(painter, area, diagram, font);
    painter.restore();
    return painted;
}

} // namespace qvd
