// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/print/placement_painter.h"

#include "ui/qt/window/control_widgets.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace qvd {

namespace {

QColor colourOf(DiagramColour colour) { return QColor::fromRgba(colour); }

// The label font's em on `device`, in its pixels.
double emOf(const QFont& font, const QPaintDevice* device)
{
    if (font.pixelSize() > 0)
        return font.pixelSize();
    const double dpi = device != nullptr ? device->logicalDpiY() : 96.0;
    return font.pointSizeF() * dpi / 72;
}

} // namespace

PaintedDiagram paintPlacementDiagram(
    QPainter& painter, const QRectF& area, const PlacementDiagram& diagram, const QFont& font)
{
    const double em = emOf(font, painter.device());
    const DiagramLayout layout = layOutDiagram(diagram, area.width(), area.height(), em);
    PaintedDiagram painted;
    if (!layout.fits)
        return painted;
    const auto map = [&](const DiagramPlace& place) {
        const ViewPoint p = layout.map(place);
        return QPointF(area.left() + p.x, area.top() + p.y);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const DiagramShape& shape : layout.shapes) {
        painter.setPen(shape.stroke != 0 ? QPen(colourOf(shape.stroke), shape.strokeWidth * em,
                           shape.dashed ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap)
                                         : QPen(Qt::NoPen));
        painter.setBrush(shape.fill != 0 ? QBrush(colourOf(shape.fill)) : QBrush(Qt::NoBrush));
        const double radius = shape.radius * em;
        switch (shape.kind) {
        case DiagramShape::Kind::Line:
            painter.drawLine(map(shape.points[0]), map(shape.points[1]));
            break;
        case DiagramShape::Kind::Polygon: {
            QPolygonF polygon;
            for (const DiagramPlace& point : shape.points)
                polygon << map(point);
            painter.drawPolygon(polygon);
            break;
        }
        case DiagramShape::Kind::Arc:
            painter.drawArc(QRectF(map(shape.points[0]) - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)),
                static_cast<int>(std::lround(shape.startDegrees * 16)),
                static_cast<int>(std::lround(shape.spanDegrees * 16)));
            break;
        case DiagramShape::Kind::Dot:
            painter.drawEllipse(map(shape.points[0]), radius, radius);
            break;
        }
    }
    for (const DiagramLabel& label : layout.labels) {
        const ViewBox b = layout.box(label);
        const QRectF box(area.left() + b.left, area.top() + b.top, b.width, b.height);
        painter.fillRect(box, colourOf(kDiagramGround));
        QFont lettering(font);
        lettering.setPixelSize(std::max(1, static_cast<int>(std::lround(em * label.size))));
        lettering.setBold(label.bold);
        painter.setFont(lettering);
        painter.setPen(colourOf(label.colour));
        const QString text = toQString(label.text);
        if (label.turned) {
            painter.save();
            painter.translate(box.center());
            painter.rotate(-90);
            painter.drawText(
                QRectF(-box.height() / 2, -box.width() / 2, box.height(), box.width()), Qt::AlignCenter, text);
            painter.restore();
        } else {
            painter.drawText(box, Qt::AlignCenter, text);
        }
        painted.labels.push_back({text, box});
    }
    if (diagram.isDrawable()) {
        painted.beam = QPolygonF{map({diagram.lens}), map({diagram.screenTop}), map({diagram.screenBottom})};
        painted.screen = QLineF(map({diagram.screenBottom}), map({diagram.screenTop}));
    }
    painter.restore();
    return painted;
}

} // namespace qvd
