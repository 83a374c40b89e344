// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/print/job_sheet.h"

#include "ui/job/job_sheet_content.h"
#include "ui/qt/print/file_writer.h"
#include "ui/qt/print/placement_painter.h"
#include "ui/qt/window/control_widgets.h"
#include "ui/window/form_design.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <vector>

namespace qvd {

namespace {

const QColor kInk(0x1a, 0x1a, 0x1a);
const QColor kQuiet(0x5a, 0x5a, 0x5a);
const QColor kRule(0xa0, 0xa0, 0xa0);
const QColor kStripe(0xf2, 0xf2, 0xf2);
const QColor kChosen(0xff, 0xf0, 0xc0);
const QColor kWarning(0xcc, 0x00, 0x00);

QFont sheetFont(double points, bool bold = false)
{
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Lays the sheet out from the top down, in the device's pixels.
class SheetPainter {
public:
    SheetPainter(QPainter& painter, const QRectF& content, double millimetre)
        : m_painter(painter)
        , m_content(content)
        , m_mm(millimetre)
        , m_y(content.top())
    {
    }

    // One line of text across the sheet; moves down by its height.
    void line(const QString& text, const QFont& font, const QColor& colour)
    {
        const double height = lineHeight(font);
        cellText(QRectF(m_content.left(), m_y, m_content.width(), height), text, font, colour, Qt::AlignLeft);
        m_y += height;
    }

    // A paragraph wrapped to the sheet's width, at most `maxLines` lines
    // high: what does not fit is cut after a whole line and marked.
    void paragraph(
        const QString& text, const QFont& font, const QColor& colour, int maxLines = 1000, const QString& cutMark = {})
    {
        QString shown = text;
        const bool cut = cutAfterLines(shown, font, maxLines - 1) && maxLines > 1;
        if (!cut)
            shown = text;
        const QFontMetricsF metrics(font, m_painter.device());
        // A word longer than the line (a path, a link) breaks where it must
        // instead of running off the page.
        QTextOption wrap;
        wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        m_painter.setFont(font);
        m_painter.setPen(colour);
        const QRectF bounds = m_painter.boundingRect(QRectF(0, 0, m_content.width(), 1e6), shown, wrap);
        m_painter.drawText(QRectF(m_content.left(), m_y, m_content.width(), bounds.height()), shown, wrap);
        m_y += bounds.height();
        if (cut) {
            m_painter.setPen(kQuiet);
            m_painter.drawText(
                QRectF(m_content.left(), m_y, m_content.width(), metrics.lineSpacing()), Qt::AlignLeft, cutMark);
            m_y += metrics.lineSpacing();
        }
    }

    // The job's details that are given: name and value side by side, the
    // notes below them.
    void details(const JobSheetContent& sheet)
    {
        const QFont nameFont = sheetFont(8.5, true);
        const QFont valueFont = sheetFont(10.5);
        const double nameWidth = 28 * m_mm;
        for (const SheetField& field : sheet.details) {
            const double height = lineHeight(valueFont);
            cellText(QRectF(m_content.left(), m_y, nameWidth, height), toQString(field.name), nameFont, kQuiet,
                Qt::AlignLeft);
            const QFontMetricsF metrics(valueFont, m_painter.device());
            cellText(QRectF(m_content.left() + nameWidth, m_y, m_content.width() - nameWidth, height),
                metrics.elidedText(toQString(field.value), Qt::ElideRight, m_content.width() - nameWidth), valueFont,
                kInk, Qt::AlignLeft);
            m_y += height;
        }
        if (!sheet.notes.empty()) {
            skip(1);
            line(toQString(sheet.notesHeading), nameFont, kQuiet);
            paragraph(toQString(sheet.notes), sheetFont(9.5), kInk, 6, toQString(sheet.notesCut));
        }
    }

    void rule()
    {
        m_painter.setPen(QPen(kRule, 0.3 * m_mm));
        m_painter.drawLine(QPointF(m_content.left(), m_y), QPointF(m_content.right(), m_y));
    }

    void skip(double millimetres) { m_y += millimetres * m_mm; }

    // The inputs side by side, each name over its value.
    void inputs(const std::vector<SheetField>& shown)
    {
        const QFont nameFont = sheetFont(8.5, true);
        const QFont valueFont = sheetFont(12);
        const double width = m_content.width() / static_cast<double>(shown.size());
        const double nameHeight = lineHeight(nameFont);
        const double valueHeight = lineHeight(valueFont);
        double x = m_content.left();
        for (const SheetField& field : shown) {
            cellText(QRectF(x, m_y, width, nameHeight), toQString(field.name), nameFont, kQuiet, Qt::AlignLeft);
            cellText(QRectF(x, m_y + nameHeight, width, valueHeight), toQString(field.value), valueFont, kInk,
                Qt::AlignLeft);
            x += width;
        }
        m_y += nameHeight + valueHeight;
    }

    // The rows under their headers, the chosen one marked, warnings and bases
    // below the floor in red.
    void table(const JobSheetContent& sheet)
    {
        const bool bases = sheet.headers.size() > 4;
        const std::vector<double> widths
            = bases ? std::vector{0.18, 0.205, 0.205, 0.205, 0.205} : std::vector{0.28, 0.24, 0.24, 0.24};
        const double rowHeight = 7 * m_mm;
        const double pad = 2 * m_mm;
        // The projector's name in ink, the other cells in their colours.
        const auto cells = [&](const std::vector<QString>& texts, const QFont& font,
                               const std::vector<QColor>& colours) {
            double x = m_content.left();
            for (std::size_t column = 0; column < widths.size() && column < texts.size(); ++column) {
                const double width = widths[column] * m_content.width();
                const QRectF cell(x + pad, m_y, width - 2 * pad, rowHeight);
                cellText(cell, texts[column], font, colours[column], column == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
                x += width;
            }
            m_y += rowHeight;
        };

        QFont headerFont = sheetFont(9.5);
        headerFont.setUnderline(true);
        std::vector<QString> headers;
        for (const std::string& header : sheet.headers)
            headers.push_back(toQString(header));
        cells(headers, headerFont, std::vector<QColor>(widths.size(), kInk));
        rule();
        for (std::size_t index = 0; index < sheet.rows.size(); ++index) {
            const SheetRow& row = sheet.rows[index];
            const QRectF band(m_content.left(), m_y, m_content.width(), rowHeight);
            if (row.chosen)
                m_painter.fillRect(band, kChosen);
            else if (index % 2 == 1)
                m_painter.fillRect(band, kStripe);
            const QColor colour = row.warning ? kWarning : kInk;
            std::vector<QString> texts = {toQString(row.projector)};
            std::vector<QColor> colours = {kInk};
            for (std::size_t cell = 0; cell < row.cells.size(); ++cell) {
                texts.push_back(toQString(row.cells[cell]));
                colours.push_back(cell < 3 ? colour : row.baseBelowFloor ? kWarning : kInk);
            }
            cells(texts, sheetFont(10, row.chosen), colours);
        }
        rule();
    }

    // The rest of the page, framed, for the diagram.
    void diagram(const PlacementDiagram& diagram)
    {
        const QRectF frame(m_content.left(), m_y, m_content.width(), m_content.bottom() - m_y);
        m_painter.setPen(QPen(kRule, 0.3 * m_mm));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(frame);
        const double pad = 3 * m_mm;
        paintPlacementDiagram(m_painter, frame.adjusted(pad, pad, -pad, -pad), diagram, sheetFont(9));
        m_y = m_content.bottom();
    }

private:
    // Cuts `text` after its first `lines` lines as wrapped to the sheet's
    // width; false when it has no more lines than that.
    bool cutAfterLines(QString& text, const QFont& font, int lines) const
    {
        QString laidOut = text;
        laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
        QTextLayout layout(laidOut, font, m_painter.device());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        int count = 0;
        int end = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(m_content.width());
            if (++count > lines) {
                layout.endLayout();
                text = text.left(end);
                while (text.endsWith(QLatin1Char('\n')))
                    text.chop(1);
                return true;
            }
            end = line.textStart() + line.textLength();
        }
        layout.endLayout();
        return false;
    }

    double lineHeight(const QFont& font) const { return QFontMetricsF(font, m_painter.device()).height() * 1.15; }

    void cellText(const QRectF& box, const QString& text, const QFont& font, const QColor& colour, Qt::Alignment align)
    {
        m_painter.setFont(font);
        m_painter.setPen(colour);
        m_painter.drawText(box, align | Qt::AlignVCenter, text);
    }

    QPainter& m_painter;
    QRectF m_content;
    double m_mm;
    double m_y;
};

} // namespace

QPageSize::PageSizeId jobSheetPaper(const QLocale& locale)
{
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

bool paintJobSheet(QPaintDevice& device, const JobSession& session)
{
    const JobSheetContent content = jobSheetContent(session);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double millimetre = device.logicalDpiY() / 25.4;
    const QRectF page(0, 0, device.width(), device.height());
    painter.fillRect(page, Qt::white);
    const double margin = 15 * millimetre;

    SheetPainter sheet(painter, page.adjusted(margin, margin, -margin, -margin), millimetre);
    sheet.line(toQString(content.title), sheetFont(16, true), kInk);
    sheet.line(toQString(content.subtitle), sheetFont(11), kQuiet);
    sheet.skip(2);
    sheet.rule();
    sheet.skip(4);
    if (!content.details.empty() || !content.notes.empty()) {
        sheet.details(content);
        sheet.skip(3);
        sheet.rule();
        sheet.skip(4);
    }
    // The audience the screen is sized for, its rule and figures.
    if (!content.audience.empty()) {
        for (const std::string& text : content.audience)
            sheet.paragraph(toQString(text), sheetFont(10.5), kInk);
        sheet.skip(3);
        sheet.rule();
        sheet.skip(4);
    }
    sheet.inputs(content.inputs);
    sheet.skip(6);
    sheet.table(content);
    sheet.skip(3);
    for (const std::string& explanation : content.explanations) {
        sheet.paragraph(toQString(explanation), sheetFont(8.5), kQuiet);
        sheet.skip(1.2);
    }
    sheet.skip(4);
    sheet.line(toQString(content.diagramHeading), sheetFont(11, true), kInk);
    sheet.skip(2);
    sheet.diagram(content.diagram);
    return painter.end();
}

QString saveJobSheet(const QString& path, const JobSession& session, QPageSize::PageSizeId paper)
{
    return writeWholeFile(path, [&](QIODevice& device) {
        QPdfWriter writer(&device);
        writer.setPageSize(QPageSize(paper));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        // The program bears its window's name.
        writer.setCreator(toQString(formDesign().name));
        writer.setTitle(QStringLiteral("Projector placement job sheet"));
        return paintJobSheet(writer, session);
    });
}

} // namespace qvd
