// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window's job as a document: opened from and saved to a ".qvdjob" file,
// named by its details, remembered in the recent list, and asked about before
// unsaved changes are lost. Its actions join the table's context menu: "Open
// job..." (Ctrl+O), "Open recent", "Save job" (Ctrl+S), "Save job as..."
// (Ctrl+Shift+S), "Job details..." and "Lengths in feet and inches".
//
// The job is the session's: the model's inputs, the chosen row, the room,
// the length format and the details. It has changes when any of them differ from what was last
// opened or saved. A file is read and checked whole before anything is
// applied; a bad one leaves the window exactly as it was.

#include "ui/job/job_file.h"
#include "ui/job/job_session.h"
#include "ui/qt/print/save_dialogs.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QSettings;
class QWidget;

namespace qvd {

class TableActions;
class WindowView;

class JobDocument : public QObject {
public:
    enum class FileDialog { Open, Save };
    // Asks for a job file to open or to save to; an empty string when the
    // user cancels. `suggested` is a full path to offer.
    using FileChooser = std::function<QString(QWidget* parent, FileDialog kind, const QString& suggested)>;
    // Tells the user something went wrong.
    using Messenger = std::function<void(QWidget* parent, const QString& text)>;
    enum class Unsaved { Save, Discard, Cancel };
    // Asks what to do with unsaved changes.
    using UnsavedQuestion = std::function<Unsaved(QWidget* parent)>;
    enum class ChangedOnDisk { Overwrite, SaveAs, Cancel };
    // Asks what to do when the job's file changed on disk since it was
    // opened or saved (another program or window wrote it).
    using ChangedOnDiskQuestion = std::function<ChangedOnDisk(QWidget* parent, const QString& path)>;

    static constexpr int kMaxRecentJobs = 10;

    // Adds the actions to the menu of `actions`, over the job of `session`;
    // the recent list is kept in `settings`. All must outlive the document.
    JobDocument(JobSession& session, WindowView& view, TableActions& actions, QSettings& settings);

    // Replace the dialogs, e.g. in a test.
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void setMessenger(Messenger messenger) { m_tell = std::move(messenger); }
    void setUnsavedQuestion(UnsavedQuestion question) { m_askUnsaved = std::move(question); }
    void setReplaceQuestion(ReplaceQuestion question) { m_mayReplace = std::move(question); }
    void setReadOnlyQuestion(ReplaceQuestion question) { m_mayReplaceReadOnly = std::move(question); }
    void setChangedOnDiskQuestion(ChangedOnDiskQuestion question) { m_askChangedOnDisk = std::move(question); }

    // Reads the job at `path` and applies it as a user would enter it; on a
    // bad file tells the user what is wrong and changes nothing. True when
    // the job was applied.
    bool open(const QString& path);
    // The same for a path given as the system's bytes (a command line's),
    // which need not be valid text.
    bool openNativePath(const QByteArray& native);
    // Writes the job to its file, or asks for one first; asks first, too,
    // when the file changed on disk since it was opened or saved. True when
    // the job is on disk.
    bool save();
    bool saveAs();
    // Asks about unsaved changes and saves them if the user says so; false
    // when the user cancels (or the save fails) and nothing may be lost.
    bool settleChanges();

    [[nodiscard]] const QString& filePath() const { return m_path; }
    // Changes since the last open or save that would be lost: any at all once
    // a file is open; before that, what the user entered beyond the window's
    // own inputs (a room, the details).
    [[nodiscard]] bool hasUnsavedChanges() const;
    [[nodiscard]] QStringList recentJobs() const;
    [[nodiscard]] QMenu* recentMenu() const { return m_recentMenu; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* createAction(const char* name, const QString& text, const QList<QKeySequence>& keys);
    [[nodiscard]] QWidget* dialogParent() const;
    void apply(const Job& job);
    bool writeTo(const QString& path);
    [[nodiscard]] bool changedOnDisk() const;
    void openDropped(const QString& path);
    void warnAboutSettings(const char* what) const;
    void remember(const QString& path);
    void forget(const QString& path);
    // Changes the recent list as it stands in the settings file now: another
    // window may have written it since.
    void changeRecent(const std::function<void(QStringList&)>& change);
    void fillRecentMenu();
    void openRecent(const QString& path);
    void editDetails();
    void followModel();

    JobSession& m_session;
    WindowView& m_view;
    TableActions& m_actions;
    QSettings& m_settings;
    FileChooser m_chooseFile;
    Messenger m_tell;
    UnsavedQuestion m_askUnsaved;
    ReplaceQuestion m_mayReplace;
    ReplaceQuestion m_mayReplaceReadOnly;
    ChangedOnDiskQuestion m_askChangedOnDisk;
    QMenu* m_recentMenu = nullptr;
    QAction* m_feetAndInches = nullptr;
    QString m_path;             // the open job's file; empty before one is opened or saved
    std::optional<Job> m_saved; // the job as last opened or saved
    // The file's bytes as last read or written, to see another writer's changes.
    struct DiskState {
        QByteArray bytes;
        QDateTime modified;
        bool operator==(const DiskState&) const = default;
    };
    [[nodiscard]] static std::optional<DiskState> diskState(const QString& path);
    std::optional<DiskState> m_onDisk;
    mutable bool m_settingsWarned = false; // a settings problem is said once in the log
};

} // namespace qvd
