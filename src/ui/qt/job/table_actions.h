// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window's context menu and its shortcuts: the placement diagram of a row
// (Ctrl+D), the table on the clipboard (Ctrl+C), the job sheet as PDF (Ctrl+E)
// and on a printer (Ctrl+P), the room fit (Ctrl+F) and the audience (Ctrl+U); Shift+F10 and the
// Menu key open the menu from the keyboard. None of them changes the model or
// runs a recalculation, except "Use this size" of the room fit and the audience, which the view
// applies as the user's own steps. They take input only
// while the table does: not while the introduction frame covers it, nor after
// an untrapped error.
//
// The chosen row is the one the context menu was last opened on, or last
// picked in the diagram window; the first row until then. The diagram window
// always shows the chosen row.

#include "ui/job/job_file.h"
#include "ui/job/job_session.h"
#include "ui/qt/print/job_notices.h"
#include "ui/qt/print/save_dialogs.h"
#include "ui/window/main_window.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace qvd {

class AudienceDialog;
class PlacementWindow;
class RoomFitDialog;
class WindowView;

class TableActions : public QObject {
    Q_OBJECT

public:
    // Asks the user where to save; returns the path, or an empty string when
    // the user cancels. `suggested` is a full path to offer.
    using FileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;
    // Lets the user set up `printer`; false when the user cancels.
    using PrintDialog = std::function<bool(QPrinter& printer, QWidget* parent)>;

    // Adds the actions to `view`, over the job of `session`, which must
    // outlive them; follows the view's signals and the session's `notices`,
    // which the dialogs it opens follow as well.
    TableActions(JobSession& session, WindowView& view, const JobNotices& notices);

    // Replaces the save dialog, e.g. with a fixed path in a test.
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    // Replaces the question before an existing file is replaced.
    void setReplaceQuestion(ReplaceQuestion question) { m_mayReplace = std::move(question); }
    void setReadOnlyQuestion(ReplaceQuestion question) { m_mayReplaceReadOnly = std::move(question); }
    // The folder the PDF's dialog starts in (the job's); the documents
    // folder while it gives none.
    void setStartFolder(std::function<QString()> folder) { m_startFolder = std::move(folder); }
    // Replaces the message box that tells the user a file could not be written.
    void setMessenger(std::function<void(QWidget*, const QString&)> messenger) { m_tell = std::move(messenger); }
    // Replaces the system's print dialog, e.g. with a PDF printer in a test.
    void setPrintDialog(PrintDialog dialog) { m_printDialog = std::move(dialog); }

    // Puts `action` on the menu before `before` (at the end when null), with
    // its shortcuts working wherever the window has the focus, taking input
    // when the menu's own actions do.
    void addAction(QAction* action, QAction* before = nullptr);
    [[nodiscard]] bool isAvailable() const;

    // The actions take input while the window does (`windowTakesInput`) and
    // no frame covers the table; called whenever either may have changed.
    void setAvailable(bool windowTakesInput);

    // Opens the context menu at `position` in the view's coordinates. At
    // the mouse pointer (`atPointer`), a position on a table row chooses that
    // row; from the keyboard the menu opens below the control with the focus,
    // the chosen row stays, and the first entry is selected. The menu names the chosen row's projector,
    // and its "Projector row" submenu chooses another.
    void openMenu(QPoint position, bool atPointer = true);

    // The session's notices, for whatever else joins the menu.
    [[nodiscard]] const JobNotices& notices() const { return m_notices; }

    // The chosen row is the session's; choosing one is a notice of the Row.
    void chooseRow(std::size_t row);
    [[nodiscard]] QMenu* menu() const { return m_menu; }
    // Nothing until the diagram is first shown.
    [[nodiscard]] PlacementWindow* placementWindow() const { return m_placement; }
    // Nothing until "Fit to room..." is first chosen.
    [[nodiscard]] RoomFitDialog* roomFitDialog() const { return m_roomFit; }
    // Nothing until "Size for the audience..." is first chosen.
    [[nodiscard]] AudienceDialog* audienceDialog() const { return m_audience; }

signals:
    // The actions took or stopped taking input.
    void availabilityChanged(bool available);

private:
    QAction* addAction(const char* name, const QString& text, const QList<QKeySequence>& keys);
    [[nodiscard]] std::optional<std::size_t> rowAt(QPoint position) const;
    void showPlacement();
    void copyTable();
    void saveJobSheetAs();
    void printJobSheet();
    [[nodiscard]] QWidget* dialogParent() const;
    void showRoomFit();
    void showAudience();
    // The entries that name the chosen row, named again.
    void nameChosenRow();

    JobSession& m_session;
    const JobNotices& m_notices;
    const MainWindow& m_model;
    WindowView& m_view;
    FileChooser m_chooseFile;
    PrintDialog m_printDialog;
    ReplaceQuestion m_mayReplace;
    ReplaceQuestion m_mayReplaceReadOnly;
    std::function<QString()> m_startFolder;
    std::function<void(QWidget*, const QString&)> m_tell;
    QMenu* m_menu = nullptr;
    QAction* m_openMenu = nullptr;
    QAction* m_showPlacement = nullptr;
    QMenu* m_rowMenu = nullptr;         // "Projector row": one checkable entry per row
    std::vector<QAction*> m_rowChoices; // by row
    std::vector<QAction*> m_actions;
    std::vector<QWidget*> m_rowCaptions; // by row: the labels whose band of the window is the row
    PlacementWindow* m_placement = nullptr;
    RoomFitDialog* m_roomFit = nullptr;
    AudienceDialog* m_audience = nullptr;
};

} // namespace qvd
