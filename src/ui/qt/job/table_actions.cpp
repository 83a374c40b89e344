// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/job/table_actions.h"
#include "ui/qt/window/qt_text.h"

#include "ui/job/table_report.h"
#include "ui/qt/job/audience_dialog.h"
#include "ui/qt/job/room_fit_dialog.h"
#include "ui/qt/print/job_sheet.h"
#include "ui/qt/print/placement_window.h"
#include "ui/qt/print/save_dialogs.h"
#include "ui/qt/window/dialog_conventions.h"
#include "ui/qt/window/view_logging.h"
#include "ui/qt/window/window_view.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace qvd {

namespace {

const QString kPdfSuffix = QStringLiteral(".pdf");

QString askForPdfPath(QWidget* parent, const QString& suggested)
{
    return askSavePath(
        parent, QStringLiteral("Export job sheet as PDF"), suggested, QStringLiteral("PDF files (*.pdf)"), kPdfSuffix);
}

bool askForPrinter(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print job sheet"));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

TableActions::TableActions(JobSession& session, WindowView& view, const JobNotices& notices)
    : QObject(&view)
    , m_session(session)
    , m_notices(notices)
    , m_model(session.window())
    , m_view(view)
    , m_chooseFile(askForPdfPath)
    , m_printDialog(askForPrinter)
    , m_mayReplace(askToReplace)
    , m_mayReplaceReadOnly(askToReplaceReadOnly)
    , m_tell(
          [](QWidget* parent, const QString& text) { QMessageBox::warning(parent, QStringLiteral("Job sheet"), text); })
{
    const MainWindow& model = m_model;
    for (std::size_t row = 0; row < kRowCount; ++row)
        m_rowCaptions.push_back(view.widget(model.rowCaption(row)));

    m_menu = new QMenu(&view);
    m_menu->setObjectName(QStringLiteral("tableMenu"));
    m_menu->setAccessibleName(QStringLiteral("Table"));
    m_showPlacement
        = addAction("showPlacementDiagram", QStringLiteral("Placement &diagram"), {QKeySequence(Qt::CTRL | Qt::Key_D)});
    connect(m_showPlacement, &QAction::triggered, this, [this] { showPlacement(); });
    // The row the menu's entries use, chosen from the keyboard as well.
    m_rowMenu = new QMenu(QStringLiteral("&Projector row"), m_menu);
    m_rowMenu->setObjectName(QStringLiteral("projectorRows"));
    m_rowMenu->menuAction()->setObjectName(QStringLiteral("chooseProjectorRow"));
    auto* rows = new QActionGroup(m_rowMenu);
    const TableReport projectors = tableReport(m_model);
    for (std::size_t row = 0; row < kRowCount; ++row) {
        QAction* choice = m_rowMenu->addAction(toQString(projectors.rows[row].projector));
        choice->setObjectName(QStringLiteral("chooseRow%1").arg(row));
        choice->setCheckable(true);
        rows->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, row] { chooseRow(row); });
        m_rowChoices.push_back(choice);
    }
    addAction(m_rowMenu->menuAction());
    QAction* copy
        = addAction("copyTable", QStringLiteral("&Copy table"), QKeySequence::keyBindings(QKeySequence::Copy));
    connect(copy, &QAction::triggered, this, [this] { copyTable(); });
    m_menu->addSeparator();
    QAction* exportSheet = addAction(
        "exportJobSheet", QStringLiteral("&Export job sheet as PDF..."), {QKeySequence(Qt::CTRL | Qt::Key_E)});
    connect(exportSheet, &QAction::triggered, this, [this] { saveJobSheetAs(); });
    QAction* print = addAction(
        "printJobSheet", QStringLiteral("Pri&nt job sheet..."), QKeySequence::keyBindings(QKeySequence::Print));
    connect(print, &QAction::triggered, this, [this] { printJobSheet(); });
    m_menu->addSeparator();
    QAction* fit = addAction("fitToRoom", QStringLiteral("&Fit to room..."), {QKeySequence(Qt::CTRL | Qt::Key_F)});
    connect(fit, &QAction::triggered, this, [this] { showRoomFit(); });
    QAction* audience = addAction(
        "sizeForAudience", QStringLiteral("Size for the audience..."), {QKeySequence(Qt::CTRL | Qt::Key_U)});
    connect(audience, &QAction::triggered, this, [this] { showAudience(); });

    // The menu from the keyboard, wherever the focus is.
    m_openMenu = new QAction(QStringLiteral("Open the table's menu"), this);
    m_openMenu->setObjectName(QStringLiteral("openTableMenu"));
    m_openMenu->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    view.addAction(m_openMenu);
    m_actions.push_back(m_openMenu);
    connect(m_openMenu, &QAction::triggered, this, [this] { openMenu(QPoint(), false); });
    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        nameChosenRow();
        // Entries added beside these (the job's) get their letters too.
        giveMnemonics(*m_menu);
    });

    connect(&view, &WindowView::menuRequested, this, &TableActions::openMenu);
    connect(&view, &WindowView::inputAvailabilityChanged, this, &TableActions::setAvailable);
    connect(&notices, &JobNotices::changed, this, [this](JobChange change) {
        if (change.touches(JobPart::Row))
            nameChosenRow();
    });
    setAvailable(!view.hasFailed());
}

QAction* TableActions::addAction(const char* name, const QString& text, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    addAction(action);
    return action;
}

void TableActions::addAction(QAction* action, QAction* before)
{
    action->setShortcutVisibleInContextMenu(true);
    m_menu->insertAction(before, action);
    m_view.addAction(action);
    m_actions.push_back(action);
    action->setEnabled(isAvailable());
}

bool TableActions::isAvailable() const { return m_openMenu == nullptr || m_openMenu->isEnabled(); }

void TableActions::setAvailable(bool windowTakesInput)
{
    // A frame over the table disables the widgets beneath it.
    const bool available = windowTakesInput && m_rowCaptions.front()->isEnabled();
    for (QAction* action : m_actions)
        action->setEnabled(available);
    if (!available)
        m_menu->hide();
    emit availabilityChanged(available);
}

std::optional<std::size_t> TableActions::rowAt(QPoint position) const
{
    // A row is the band of the window beside its caption, across the table.
    for (std::size_t row = 0; row < m_rowCaptions.size(); ++row) {
        const QRect caption = m_rowCaptions[row]->geometry();
        if (position.y() >= caption.top() && position.y() <= caption.bottom())
            return row;
    }
    return std::nullopt;
}

void TableActions::openMenu(QPoint position, bool atPointer)
{
    if (!m_openMenu->isEnabled())
        return;
    if (atPointer) {
        if (const auto row = rowAt(position))
            chooseRow(*row);
    } else {
        // From the keyboard: below the control with the focus.
        const QWidget* focus = m_view.focusWidget();
        position = focus != nullptr ? focus->mapTo(&m_view, focus->rect().bottomLeft()) : m_view.rect().center();
    }
    m_menu->popup(m_view.mapToGlobal(position));
    if (!atPointer) {
        for (QAction* action : m_menu->actions()) {
            if (!action->isSeparator() && action->isEnabled() && action->isVisible()) {
                m_menu->setActiveAction(action);
                break;
            }
        }
    }
}

void TableActions::chooseRow(std::size_t row)
{
    m_session.chooseRow(row);
    nameChosenRow();
}

void TableActions::nameChosenRow()
{
    const std::size_t row = m_session.chosenRow();
    const QString projector = toQString(tableReport(m_model).rows[row].projector);
    m_showPlacement->setText(QStringLiteral("Placement &diagram for %1").arg(projector));
    m_rowChoices[row]->setChecked(true);
}

void TableActions::showPlacement()
{
    if (m_placement == nullptr) {
        m_placement = new PlacementWindow(m_session, m_notices, &m_view);
        // The same shortcuts work in the diagram's window.
        for (QAction* action : m_menu->actions())
            m_placement->addAction(action);
    }
    m_placement->showRow(m_session.chosenRow());
}

void TableActions::copyTable() { QGuiApplication::clipboard()->setText(toQString(m_session.copiedTable())); }

void TableActions::saveJobSheetAs()
{
    const std::size_t row = m_session.chosenRow();
    const QString projector = toQString(tableReport(m_model).rows[row].projector);
    // The job's folder where the job has been saved; else the documents
    // folder where the user has one, else the home folder: accepting the
    // name offered must write the file.
    QString folder = m_startFolder ? m_startFolder() : QString();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString suggested = QDir(folder).filePath(QStringLiteral("Job sheet %1.pdf").arg(projector));
    QWidget* parent = dialogParent();
    const QString path = completedSavePath(parent, m_chooseFile(parent, suggested), kPdfSuffix, m_mayReplace);
    if (path.isEmpty())
        return;
    if (isReadOnlyFile(path) && !m_mayReplaceReadOnly(parent, path))
        return;
    const QString problem = saveJobSheet(path, m_session, jobSheetPaper(QLocale()));
    if (problem.isEmpty())
        return;
    qCWarning(lcView) << "could not write the job sheet to" << path << problem;
    m_tell(parent,
        QStringLiteral("The job sheet could not be written to %1: %2.").arg(QDir::toNativeSeparators(path), problem));
}

QWidget* TableActions::dialogParent() const
{
    return QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : &m_view;
}

void TableActions::printJobSheet()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(jobSheetPaper(QLocale())));
    printer.setPageOrientation(QPageLayout::Portrait);
    // The sheet keeps its own margins, as on the PDF.
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Projector placement job sheet"));
    printer.setCreator(QStringLiteral("QVDTALVERN"));
    QWidget* parent = dialogParent();
    if (!m_printDialog(printer, parent))
        return;
    if (paintJobSheet(printer, m_session))
        return;
    qCWarning(lcView) << "could not print the job sheet on" << printer.printerName();
    QMessageBox::warning(parent, QStringLiteral("Job sheet"), QStringLiteral("The job sheet could not be printed."));
}

void TableActions::showRoomFit()
{
    if (m_roomFit == nullptr) {
        m_roomFit = new RoomFitDialog(
            m_session, m_notices,
            [this](int width) { m_view.enter([this, width] { m_session.useScreenWidth(width); }); }, &m_view);
        // The same shortcuts work in the dialog.
        for (QAction* action : m_menu->actions())
            m_roomFit->addAction(action);
    }
    m_roomFit->show();
    m_roomFit->raise();
    m_roomFit->activateWindow();
}

void TableActions::showAudience()
{
    if (m_audience == nullptr) {
        m_audience = new AudienceDialog(
            m_session, m_notices,
            [this](const OfferedScreen& screen, std::size_t row) {
                m_view.enter([this, screen, row] {
                    m_session.useScreen(screen);
                    m_session.chooseRow(row);
                });
            },
            &m_view);
        for (QAction* action : m_menu->actions())
            m_audience->addAction(action);
    }
    m_audience->show();
    m_audience->raise();
    m_audience->activateWindow();
}

} // namespace qvd
