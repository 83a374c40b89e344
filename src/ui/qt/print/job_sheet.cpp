// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/print/job_sheet.h"

#include "ui/job/placement_diagram.h"
#include "ui/job/table_report.h"
#include "ui/qt/print/file_writer.h"
#include "ui/qt/print/placement_painter.h"
#include "ui/qt/window/control_widgets.h"
#include "ui/window/form_design.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <array>
#include <functional>
#include <optional>
#include <utility>
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
    SheetPainter(QPainter& painter, const QRectF& content, double millimetre,
        std::function<std::string(const std::string&)> length)
        : m_length(std::move(length))
        , m_painter(painter)
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
    void paragraph(const QString& text, const QFont& font, const QColor& colour, int maxLines = 1000)
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
            m_painter.drawText(QRectF(m_content.left(), m_y, m_content.width(), metrics.lineSpacing()), Qt::AlignLeft,
                QStringLiteral("\u2026 (continued in the job file)"));
            m_y += metrics.lineSpacing();
        }
    }

    // The job's details that are given: name and value side by side, the
    // notes below them.
    void details(const JobDetails& job)
    {
        const QFont nameFont = sheetFont(8.5, true);
        const QFont valueFont = sheetFont(10.5);
        const std::pair<const char*, const std::string*> fields[]
            = {{"Job", &job.name}, {"Client", &job.client}, {"Site", &job.site}, {"Prepared by", &job.preparedBy}};
        const double nameWidth = 28 * m_mm;
        for (const auto& [name, value] : fields) {
            if (value->empty())
                continue;
            const QString text = QString::fromStdString(*value).simplified();
            const double height = lineHeight(valueFont);
            cellText(QRectF(m_content.left(), m_y, nameWidth, height), QString::fromLatin1(name), nameFont, kQuiet,
                Qt::AlignLeft);
            const QFontMetricsF metrics(valueFont, m_painter.device());
            cellText(QRectF(m_content.left() + nameWidth, m_y, m_content.width() - nameWidth, height),
                metrics.elidedText(text, Qt::ElideRight, m_content.width() - nameWidth), valueFont, kInk,
                Qt::AlignLeft);
            m_y += height;
        }
        if (!job.notes.empty()) {
            skip(1);
            line(QStringLiteral("Notes"), nameFont, kQuiet);
            paragraph(QString::fromStdString(job.notes), sheetFont(9.5), kInk, 6);
        }
    }

    void rule()
    {
        m_painter.setPen(QPen(kRule, 0.3 * m_mm));
        m_painter.drawLine(QPointF(m_content.left(), m_y), QPointF(m_content.right(), m_y));
    }

    void skip(double millimetres) { m_y += millimetres * m_mm; }

    // The inputs, and after them any further (name, value) pairs.
    void inputs(const TableReport& report, const std::vector<std::pair<QString, QString>>& more)
    {
        std::vector<std::pair<QString, QString>> shown;
        for (std::size_t index = 0; index < report.inputs.size(); ++index) {
            const ReportInput& input = report.inputs[index];
            const bool length = index == WidthInput || index == HeightInput || index == DiagonalInput;
            QString value = QString::fromStdString(length ? m_length(input.caption) : input.caption);
            if (index == AngleInput && !value.isEmpty())
                value += QStringLiteral("\u00b0");
            shown.emplace_back(QString::fromStdString(input.name), value);
        }
        shown.insert(shown.end(), more.begin(), more.end());
        const QFont nameFont = sheetFont(8.5, true);
        const QFont valueFont = sheetFont(12);
        const double width = m_content.width() / static_cast<double>(shown.size());
        const double nameHeight = lineHeight(nameFont);
        const double valueHeight = lineHeight(valueFont);
        double x = m_content.left();
        for (const auto& [name, value] : shown) {
            cellText(QRectF(x, m_y, width, nameHeight), name, nameFont, kQuiet, Qt::AlignLeft);
            cellText(QRectF(x, m_y + nameHeight, width, valueHeight), value, valueFont, kInk, Qt::AlignLeft);
            x += width;
        }
        m_y += nameHeight + valueHeight;
    }

    // The nine rows under the column headers, `chosen` marked; with `bases`,
    // a column of base heights, red below the floor.
    void table(const TableReport& report, std::size_t chosen,
        const std::optional<std::array<std::optional<BaseHeight>, kRowCount>>& bases)
    {
        const std::vector<double> widths
            = bases ? std::vector{0.18, 0.205, 0.205, 0.205, 0.205} : std::vector{0.28, 0.24, 0.24, 0.24};
        const double rowHeight = 7 * m_mm;
        const double pad = 2 * m_mm;
        // The projector's name in ink, the other cells in their colours.
        const auto cells = [&](const std::vector<QString>& texts, const QFont& font,
                               const std::vector<QColor>& colours) {
            double x = m_content.left();
            for (std::size_t column = 0; column < widths.size(); ++column) {
                const double width = widths[column] * m_content.width();
                const QRectF cell(x + pad, m_y, width - 2 * pad, rowHeight);
                cellText(cell, texts[column], font, colours[column], column == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
                x += width;
            }
            m_y += rowHeight;
        };

        QFont headerFont = sheetFont(9.5);
        headerFont.setUnderline(true);
        std::vector<QString> headers = {QStringLiteral("Projector"), QString::fromStdString(report.columns[0].header),
            QString::fromStdString(report.columns[1].header), QString::fromStdString(report.columns[2].header)};
        if (bases)
            headers.push_back(toQString(kBaseHeightHeader));
        cells(headers, headerFont, std::vector<QColor>(widths.size(), kInk));
        rule();
        for (std::size_t index = 0; index < report.rows.size(); ++index) {
            const ReportRow& row = report.rows[index];
            const QRectF band(m_content.left(), m_y, m_content.width(), rowHeight);
            if (index == chosen)
                m_painter.fillRect(band, kChosen);
            else if (index % 2 == 1)
                m_painter.fillRect(band, kStripe);
            const QColor colour = row.shown.isWarning ? kWarning : kInk;
            std::vector<QString> texts
                = {QString::fromStdString(row.projector), QString::fromStdString(m_length(row.shown.throwDistance)),
                    QString::fromStdString(m_length(row.shown.straightLine)),
                    QString::fromStdString(m_length(row.shown.verticalOffset))};
            std::vector<QColor> colours = {kInk, colour, colour, colour};
            if (bases) {
                const std::optional<BaseHeight>& base = (*bases)[index];
                texts.push_back(base ? QString::fromStdString(m_length(base->text)) : QString());
                colours.push_back(base && base->belowFloor ? kWarning : kInk);
            }
            cells(texts, sheetFont(10, index == chosen), colours);
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

    // A length caption as the sheet shows it.
    std::function<std::string(const std::string&)> m_length;
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
    const MainWindow& model = session.window();
    const LengthFormat lengths = session.lengthFormat();
    const std::size_t row = session.chosenRow();
    const JobDetails& details = session.details();
    const RoomSetting& room = session.room();
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double millimetre = device.logicalDpiY() / 25.4;
    const QRectF page(0, 0, device.width(), device.height());
    painter.fillRect(page, Qt::white);
    const double margin = 15 * millimetre;

    const TableReport report = tableReport(model);
    SheetPainter sheet(painter, page.adjusted(margin, margin, -margin, -margin), millimetre,
        [&model, lengths](const std::string& caption) { return lengthCaption(model, lengths, caption); });
    sheet.line(toQString(formDesign().caption), sheetFont(16, true), kInk);
    sheet.line(QStringLiteral("Projector placement job sheet"), sheetFont(11), kQuiet);
    sheet.skip(2);
    sheet.rule();
    sheet.skip(4);
    if (!details.isEmpty()) {
        sheet.details(details);
        sheet.skip(3);
        sheet.rule();
        sheet.skip(4);
    }
    // The audience the screen is sized for, its rule and figures.
    if (const std::vector<std::string> audience = session.audienceLines(); !audience.empty()) {
        for (const std::string& text : audience)
            sheet.paragraph(toQString(text), sheetFont(10.5), kInk);
        sheet.skip(3);
        sheet.rule();
        sheet.skip(4);
    }
    // With the room's height, its screen bottom among the inputs and the
    // base heights beside the rows.
    std::vector<std::pair<QString, QString>> roomInputs;
    std::optional<std::array<std::optional<BaseHeight>, kRowCount>> bases;
    if (const std::optional<TableBaseHeights> heights = tableBaseHeights(model, lengths, room)) {
        roomInputs.emplace_back(
            toQString(kScreenBottomName), toQString(lengthText(model, lengths, heights->screenBottom)));
        bases = heights->rows;
    }
    sheet.inputs(report, roomInputs);
    sheet.skip(6);
    sheet.table(report, row, bases);
    sheet.skip(3);
    for (const ReportColumn& column : report.columns) {
        sheet.paragraph(QString::fromStdString(column.explanation), sheetFont(8.5), kQuiet);
        sheet.skip(1.2);
    }
    sheet.skip(4);
    sheet.line(QStringLiteral("Placement of ") + QString::fromStdString(report.rows[row].projector),
        sheetFont(11, true), kInk);
    sheet.skip(2);
    sheet.diagram(placementDiagram(model, lengths, row, room));
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
