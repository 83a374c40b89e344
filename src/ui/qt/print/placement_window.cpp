// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/print/placement_window.h"

#include "ui/job/table_report.h"
#include "ui/qt/print/placement_painter.h"
#include "ui/qt/window/control_widgets.h"
#include "ui/qt/window/dialog_conventions.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

#include <algorithm>

namespace qvd {

namespace {

// What the drawing shows, in words, for assistive tools.
QString describe(const PlacementDiagram& d) { return toQString(diagramDescription(d)); }

} // namespace

// The drawing, on white, its lettering growing with the window.
class PlacementCanvas : public QWidget {
public:
    PlacementCanvas(const PlacementDiagram& diagram, QWidget* parent)
        : QWidget(parent)
        , m_diagram(diagram)
    {
        // A drawing a screen reader reaches by Tab and reads by its description.
        setAccessibleRole(*this, QAccessible::Graphic);
        setObjectName(QStringLiteral("placementDiagram"));
        setAccessibleName(QStringLiteral("Placement diagram"));
        setFocusPolicy(Qt::StrongFocus);
        setMinimumSize(320, 200);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        QFont lettering = font();
        lettering.setPixelSize(std::clamp(std::min(width() / 52, height() / 30), 11, 40));
        m_painted = paintPlacementDiagram(painter, QRectF(rect()).adjusted(8, 8, -8, -8), m_diagram, lettering);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(2, 2, -2, -2);
            focus.backgroundColor = Qt::white;
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
        }
    }

public:
    [[nodiscard]] const PaintedDiagram& painted() const { return m_painted; }

private:
    const PlacementDiagram& m_diagram;
    PaintedDiagram m_painted;
};

PlacementWindow::PlacementWindow(JobSession& session, const JobNotices& notices, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
{
    const MainWindow& model = session.window();
    adoptWindowConventions(*this, nullptr);
    setObjectName(QStringLiteral("Placement"));
    setWindowTitle(QStringLiteral("Placement"));
    setAccessibleName(QStringLiteral("Placement"));

    m_rows = new QComboBox(this);
    m_rows->setObjectName(QStringLiteral("placementRow"));
    m_rows->setAccessibleName(QStringLiteral("Projector"));
    for (const ReportRow& row : tableReport(model).rows)
        m_rows->addItem(toQString(row.projector));
    auto* rowName = new QLabel(QStringLiteral("&Projector:"), this);
    rowName->setBuddy(m_rows);
    m_canvas = new PlacementCanvas(m_diagram, this);

    auto* selector = new QHBoxLayout;
    selector->addWidget(rowName);
    selector->addWidget(m_rows);
    selector->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(selector);
    layout->addWidget(m_canvas, 1);
    resize(760, 500);
    // Closing the main window ends the program whether this one is open or not.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* close = new QAction(QStringLiteral("Close"), this);
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)});
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);

    m_rows->setFocus();

    connect(m_rows, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            setRow(static_cast<std::size_t>(index));
    });
    connect(&notices, &JobNotices::changed, this, &PlacementWindow::follow);
    follow(JobChange::whole());
}

const PaintedDiagram& PlacementWindow::paintedDiagram() const { return m_canvas->painted(); }

QRect PlacementWindow::canvasRect() const { return m_canvas->rect(); }

void PlacementWindow::setRow(std::size_t row)
{
    m_session.chooseRow(row); // a hidden window reads it when shown
}

void PlacementWindow::showRow(std::size_t row)
{
    setRow(row);
    show();
    raise();
    activateWindow();
}

std::size_t PlacementWindow::row() const { return static_cast<std::size_t>(std::max(0, m_rows->currentIndex())); }

void PlacementWindow::follow(JobChange change)
{
    if (change.touches(JobPart::Row)) {
        const QSignalBlocker blocker(m_rows);
        m_rows->setCurrentIndex(static_cast<int>(m_session.chosenRow()));
    }
    if (isVisible() && change.touchesAny({JobPart::Window, JobPart::Row, JobPart::Room, JobPart::Lengths}))
        refresh();
}

void PlacementWindow::showEvent(QShowEvent* event)
{
    refresh();
    QWidget::showEvent(event);
}

void PlacementWindow::refresh()
{
    m_diagram = m_session.diagram();
    m_canvas->setAccessibleDescription(describe(m_diagram));
    m_canvas->update();
}

} // namespace qvd
