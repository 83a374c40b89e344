// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/job/table_hints.h"
#include "ui/qt/window/qt_text.h"

#include "ui/job/table_report.h"
#include "ui/qt/window/window_view.h"

#include <QEvent>

#include <algorithm>

namespace qvd {

TableHints::TableHints(const JobSession& session, WindowView& view)
    : QObject(&view)
    , m_session(session)
{
    const MainWindow& model = session.window();
    for (std::size_t row = 0; row < kRowCount; ++row) {
        QWidget* caption = view.widget(model.rowCaption(row));
        caption->installEventFilter(this);
        m_rowCaptions.push_back(caption);
    }
    const TableReport report = tableReport(model);
    for (std::size_t c = 0; c < kColumnCount; ++c) {
        const ReportColumn& column = report.columns[c];
        QWidget* header = view.widget(model.columnHeader(static_cast<Column>(c)));
        const QString explanation = toQString(column.explanation);
        header->setToolTip(explanation);
        header->setAccessibleDescription(explanation);
    }
}

bool TableHints::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto found = std::find(m_rowCaptions.begin(), m_rowCaptions.end(), watched);
        if (found != m_rowCaptions.end()) {
            const auto row = static_cast<std::size_t>(found - m_rowCaptions.begin());
            // The widget then shows its tooltip as it always does.
            static_cast<QWidget*>(watched)->setToolTip(toQString(m_session.rangeHint(row)));
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qvd
