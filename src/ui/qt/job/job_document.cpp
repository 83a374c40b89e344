// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/job/job_document.h"
#include "ui/qt/window/qt_text.h"

#include "ui/job/table_report.h"
#include "ui/qt/job/job_details_dialog.h"
#include "ui/qt/job/table_actions.h"
#include "ui/qt/print/file_writer.h"
#include "ui/qt/window/view_logging.h"
#include "ui/qt/window/window_view.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLockFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace qvd {

namespace {

const QString kRecentKey = QStringLiteral("recentJobs");
QString jobSuffix() { return toQString(kJobFileSuffix); }

// The file dialogs' filter: jobs by their suffix, or any file.
QString jobFilter() { return QStringLiteral("Jobs (*") + jobSuffix() + QStringLiteral(");;All files (*)"); }

QString chooseJobFile(QWidget* parent, JobDocument::FileDialog kind, const QString& suggested)
{
    if (kind == JobDocument::FileDialog::Open)
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Open job"), suggested, jobFilter());
    return askSavePath(parent, QStringLiteral("Save job as"), suggested, jobFilter(), jobSuffix());
}

void warn(QWidget* parent, const QString& text) { QMessageBox::warning(parent, QStringLiteral("Job"), text); }

JobDocument::ChangedOnDisk askAboutChangedOnDisk(QWidget* parent, const QString& path)
{
    const bool deleted = !QFileInfo::exists(path);
    const QString text = deleted
        ? QStringLiteral("The job %1 was deleted since it was opened or saved. Save it there again?")
        : QStringLiteral("The job %1 was changed on disk since it was opened or saved. Overwrite those changes?");
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Job"), text.arg(QDir::toNativeSeparators(path)),
        QMessageBox::Cancel, parent);
    QPushButton* overwrite
        = box.addButton(deleted ? QStringLiteral("&Save") : QStringLiteral("&Overwrite"), QMessageBox::DestructiveRole);
    QPushButton* saveAs = box.addButton(QStringLiteral("Save &as..."), QMessageBox::AcceptRole);
    box.setDefaultButton(saveAs);
    box.exec();
    if (box.clickedButton() == overwrite)
        return JobDocument::ChangedOnDisk::Overwrite;
    return box.clickedButton() == saveAs ? JobDocument::ChangedOnDisk::SaveAs : JobDocument::ChangedOnDisk::Cancel;
}

JobDocument::Unsaved askAboutUnsaved(QWidget* parent)
{
    const auto answer = QMessageBox::question(parent, QStringLiteral("Job"),
        QStringLiteral("The job has changes that are not saved. Save them?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return JobDocument::Unsaved::Save;
    return answer == QMessageBox::Discard ? JobDocument::Unsaved::Discard : JobDocument::Unsaved::Cancel;
}

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString absolute(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

} // namespace

JobDocument::JobDocument(JobSession& session, WindowView& view, TableActions& actions, QSettings& settings)
    : QObject(&view)
    , m_session(session)
    , m_view(view)
    , m_actions(actions)
    , m_settings(settings)
    , m_chooseFile(chooseJobFile)
    , m_tell(warn)
    , m_askUnsaved(askAboutUnsaved)
    , m_mayReplace(askToReplace)
    , m_mayReplaceReadOnly(askToReplaceReadOnly)
    , m_askChangedOnDisk(askAboutChangedOnDisk)
{
    QMenu* menu = actions.menu();
    QAction* first = menu->actions().value(0);

    QAction* open
        = createAction("openJob", QStringLiteral("Open job..."), QKeySequence::keyBindings(QKeySequence::Open));
    connect(open, &QAction::triggered, this, [this] {
        if (!settleChanges())
            return;
        const QString start = m_path.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                               : QFileInfo(m_path).absolutePath();
        const QString path = m_chooseFile(dialogParent(), FileDialog::Open, start);
        if (!path.isEmpty())
            this->open(path);
    });
    m_recentMenu = new QMenu(QStringLiteral("Open recent"), menu);
    m_recentMenu->setObjectName(QStringLiteral("recentJobs"));
    m_recentMenu->menuAction()->setObjectName(QStringLiteral("openRecentJob"));
    connect(m_recentMenu, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
    QAction* save = createAction("saveJob", QStringLiteral("Save job"), QKeySequence::keyBindings(QKeySequence::Save));
    connect(save, &QAction::triggered, this, [this] { this->save(); });
    QAction* saveAs
        = createAction("saveJobAs", QStringLiteral("Save job as..."), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
    connect(saveAs, &QAction::triggered, this, [this] { this->saveAs(); });
    QAction* details = createAction("jobDetails", QStringLiteral("Job details..."), {});
    connect(details, &QAction::triggered, this, [this] { editDetails(); });
    m_feetAndInches = createAction("lengthsInFeetAndInches", QStringLiteral("Lengths in feet and inches"), {});
    m_feetAndInches->setCheckable(true);
    connect(m_feetAndInches, &QAction::toggled, this,
        [this](bool on) { m_session.setLengthFormat(on ? LengthFormat::FeetAndInches : LengthFormat::Decimal); });

    for (QAction* action : {open, m_recentMenu->menuAction(), save, saveAs})
        actions.addAction(action, first);
    menu->insertSeparator(first);
    actions.addAction(details, first);
    actions.addAction(m_feetAndInches, first);
    menu->insertSeparator(first);
    connect(&actions, &TableActions::availabilityChanged, this, [this] { followModel(); });
    connect(&actions.notices(), &JobNotices::changed, this, [this] { followModel(); });
    // The job sheet's PDF goes beside the job by default.
    actions.setStartFolder([this] { return m_path.isEmpty() ? QString() : QFileInfo(m_path).absolutePath(); });
    view.installEventFilter(this);
    // Job files dropped on the window open as Open job does.
    view.setAcceptDrops(true);
    followModel();
}

QAction* JobDocument::createAction(const char* name, const QString& text, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    return action;
}

QWidget* JobDocument::dialogParent() const
{
    return QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : &m_view;
}

bool JobDocument::hasUnsavedChanges() const
{
    if (!m_saved)
        return m_session.hasAdditions();
    return m_session.job() != *m_saved;
}

void JobDocument::followModel()
{
    // Feet and inches are for inches only; the choice is kept while the table is in centimetres.
    m_feetAndInches->setEnabled(m_actions.isAvailable() && m_session.feetAndInchesApply());
    const QSignalBlocker blocker(m_feetAndInches);
    m_feetAndInches->setChecked(m_session.lengthFormat() == LengthFormat::FeetAndInches);
}

bool JobDocument::open(const QString& path) { return openNativePath(QFile::encodeName(path)); }

bool JobDocument::openNativePath(const QByteArray& native)
{
    if (m_view.hasFailed())
        return false;
    const QString path = QFile::decodeName(native);
    const JobReading reading = readJobFile(native.toStdString());
    if (!reading.ok()) {
        qCWarning(lcView) << "job file refused:" << path << toQString(reading.error.message);
        m_tell(dialogParent(),
            QStringLiteral("The job %1 could not be opened: %2.").arg(shown(path), toQString(reading.error.message)));
        return false;
    }
    apply(*reading.job);
    if (m_view.hasFailed())
        return false;
    m_saved = m_session.job();
    // A name the program cannot spell back (bytes that are no text in the
    // user's encoding) is read, but saving asks where to, rather than write
    // to a look-alike name.
    if (QFile::encodeName(path) != native) {
        m_path.clear();
        m_onDisk.reset();
        return true;
    }
    m_path = absolute(path);
    m_onDisk = diskState(m_path);
    remember(m_path);
    return true;
}

void JobDocument::apply(const Job& job)
{
    m_view.enter([this, &job] { m_session.apply(job); });
}

bool JobDocument::save()
{
    if (m_path.isEmpty())
        return saveAs();
    if (changedOnDisk()) {
        switch (m_askChangedOnDisk(dialogParent(), m_path)) {
        case ChangedOnDisk::Overwrite:
            break;
        case ChangedOnDisk::SaveAs:
            return saveAs();
        case ChangedOnDisk::Cancel:
            return false;
        }
    }
    return writeTo(m_path);
}

std::optional<JobDocument::DiskState> JobDocument::diskState(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return DiskState{file.readAll(), QFileInfo(file).fileTime(QFileDevice::FileModificationTime)};
}

// Another program (or a second window) wrote, replaced or removed the file
// since this window last read or wrote it.
bool JobDocument::changedOnDisk() const
{
    if (!m_onDisk)
        return false;
    return diskState(m_path) != m_onDisk;
}

bool JobDocument::saveAs()
{
    QString suggested = m_path;
    if (suggested.isEmpty()) {
        suggested = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                        .filePath(toQString(m_session.suggestedFileName()));
    }
    QWidget* parent = dialogParent();
    const QString path
        = completedSavePath(parent, m_chooseFile(parent, FileDialog::Save, suggested), jobSuffix(), m_mayReplace);
    if (path.isEmpty())
        return false;
    return writeTo(path);
}

// Written whole to a new file beside the old one, which takes its place only
// once everything is on disk: a failed save leaves the old file as it was,
// and the job unsaved.
bool JobDocument::writeTo(const QString& path)
{
    if (isReadOnlyFile(path) && !m_mayReplaceReadOnly(dialogParent(), path))
        return false;
    const Job current = m_session.job();
    const std::string text = jobFileText(current);
    const QString problem = writeWholeFile(path, QByteArray::fromStdString(text));
    if (!problem.isEmpty()) {
        qCWarning(lcView) << "could not save the job to" << path << problem;
        m_tell(dialogParent(), QStringLiteral("The job could not be saved to %1: %2.").arg(shown(path), problem));
        return false;
    }
    m_path = absolute(path);
    m_saved = current;
    m_onDisk = diskState(m_path);
    remember(m_path);
    return true;
}

bool JobDocument::settleChanges()
{
    if (!hasUnsavedChanges())
        return true;
    switch (m_askUnsaved(dialogParent())) {
    case Unsaved::Save:
        return save();
    case Unsaved::Discard:
        return true;
    case Unsaved::Cancel:
        break;
    }
    return false;
}

namespace {

// The local job file a drag brings, if it brings exactly one.
QString droppedJob(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().first();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    return QFileInfo(path).suffix().compare(jobSuffix().mid(1), Qt::CaseInsensitive) == 0 ? path : QString();
}

} // namespace

bool JobDocument::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_view)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Close:
        if (!settleChanges()) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!droppedJob(drag->mimeData()).isEmpty() && !m_view.hasFailed()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedJob(drop->mimeData());
        if (!path.isEmpty()) {
            drop->acceptProposedAction();
            openDropped(path);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void JobDocument::openDropped(const QString& path)
{
    if (settleChanges())
        open(path);
}

// The settings file is a convenience: a list that cannot be read or written
// is said once in the log, and the job goes on as if there were none.
void JobDocument::warnAboutSettings(const char* what) const
{
    if (m_settingsWarned)
        return;
    m_settingsWarned = true;
    qCWarning(lcView) << "the recent jobs list" << what << m_settings.fileName();
}

QStringList JobDocument::recentJobs() const
{
    if (m_settings.status() != QSettings::NoError) {
        warnAboutSettings("cannot be read from");
        return {};
    }
    const QVariant value = m_settings.value(kRecentKey);
    QStringList recent;
    if (value.isValid() && !value.canConvert<QStringList>())
        warnAboutSettings("is not a list of files in");
    for (const QString& path : value.toStringList()) {
        if (!path.isEmpty() && !recent.contains(path))
            recent << path;
        if (recent.size() == kMaxRecentJobs)
            break;
    }
    return recent;
}

void JobDocument::changeRecent(const std::function<void(QStringList&)>& change)
{
    // One window at a time: read the list again, change it, write it.
    QLockFile lock(m_settings.fileName() + QStringLiteral(".recent-lock"));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(5000))
        qCWarning(lcView) << "the recent jobs list is locked by another window; changing it anyway";
    m_settings.sync();
    QStringList recent = recentJobs();
    change(recent);
    while (recent.size() > kMaxRecentJobs)
        recent.removeLast();
    m_settings.setValue(kRecentKey, recent);
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        warnAboutSettings("cannot be written to");
}

void JobDocument::remember(const QString& path)
{
    changeRecent([&path](QStringList& recent) {
        recent.removeAll(path);
        recent.prepend(path);
    });
}

void JobDocument::forget(const QString& path)
{
    changeRecent([&path](QStringList& recent) { recent.removeAll(path); });
}

void JobDocument::fillRecentMenu()
{
    m_recentMenu->clear();
    m_settings.sync(); // what another window added since
    const QStringList recent = recentJobs();
    for (int index = 0; index < recent.size(); ++index) {
        const QString& path = recent[index];
        // &1 to &9, then 1&0, pick an entry from the keyboard.
        const QString number = index < 9 ? QStringLiteral("&%1").arg(index + 1) : QStringLiteral("1&0");
        QAction* entry = m_recentMenu->addAction(QStringLiteral("%1 %2").arg(number).arg(
            QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))));
        entry->setToolTip(shown(path));
        entry->setStatusTip(shown(path));
        entry->setData(path);
        connect(entry, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    if (recent.isEmpty())
        m_recentMenu->addAction(QStringLiteral("No recent jobs"))->setEnabled(false);
}

void JobDocument::openRecent(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        forget(path);
        m_tell(dialogParent(),
            QStringLiteral("The job %1 is no longer there; it has been taken off the recent jobs.").arg(shown(path)));
        return;
    }
    if (settleChanges())
        open(path);
}

void JobDocument::editDetails()
{
    JobDetailsDialog dialog(m_session.details(), dialogParent());
    if (dialog.exec() == QDialog::Accepted && dialog.details() != m_session.details())
        m_session.setDetails(dialog.details());
}

} // namespace qvd
