// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "job_document.h"

#include "job_details_dialog.h"
#include "table_actions.h"
#include "ui/table_report.h"
#include "view_logging.h"
#include "window_view.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace qvd {

namespace {

const QString kRecentKey = QStringLiteral("recentJobs");
const QString kFilter = QStringLiteral("Jobs (*.qvdjob);;All files (*)");

QString chooseJobFile(QWidget* parent, JobDocument::FileDialog kind, const QString& suggested)
{
    if (kind == JobDocument::FileDialog::Open)
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Open job"), suggested, kFilter);
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save job as"), suggested, kFilter);
}

void warn(QWidget* parent, const QString& text) { QMessageBox::warning(parent, QStringLiteral("Job"), text); }

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

JobDocument::JobDocument(MainWindow& model, WindowView& view, QSettings& settings)
    : QObject(&view)
    , m_model(model)
    , m_view(view)
    , m_settings(settings)
    , m_chooseFile(chooseJobFile)
    , m_tell(warn)
    , m_askUnsaved(askAboutUnsaved)
{
    TableActions& actions = view.tableActions();
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
    connect(m_feetAndInches, &QAction::toggled, this, [this](bool on) {
        m_model.setLengthFormat(on ? LengthFormat::FeetAndInches : LengthFormat::Decimal);
        m_view.tableActions().followModel();
    });

    for (QAction* action : {open, m_recentMenu->menuAction(), save, saveAs})
        actions.addAction(action, first);
    menu->insertSeparator(first);
    actions.addAction(details, first);
    actions.addAction(m_feetAndInches, first);
    menu->insertSeparator(first);
    actions.setJobDetails([this] { return m_details; });
    actions.addFollower([this] { followModel(); });
    view.installEventFilter(this);
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

Job JobDocument::job() const
{
    return {windowInputs(m_model), m_view.tableActions().chosenRow(),
        roomForFile(m_view.room(), m_model.numberFormat()), m_model.lengthFormat(), m_details};
}

bool JobDocument::hasUnsavedChanges() const
{
    if (!m_saved)
        return !m_details.isEmpty();
    return job() != *m_saved;
}

void JobDocument::followModel()
{
    // Feet and inches are for inches only; the choice is kept while the table is in centimetres.
    const bool inches = tableUnits(m_model) == UnitSystem::Inches;
    m_feetAndInches->setEnabled(m_view.tableActions().isAvailable() && inches);
    const QSignalBlocker blocker(m_feetAndInches);
    m_feetAndInches->setChecked(m_model.lengthFormat() == LengthFormat::FeetAndInches);
}

bool JobDocument::open(const QString& path)
{
    if (m_view.hasFailed())
        return false;
    const JobReading reading = readJobFile(QFile::encodeName(path).toStdString());
    if (!reading.ok()) {
        qCWarning(lcView) << "job file refused:" << path << QString::fromStdString(reading.error.message);
        m_tell(dialogParent(),
            QStringLiteral("The job %1 could not be opened: %2.")
                .arg(shown(path), QString::fromStdString(reading.error.message)));
        return false;
    }
    apply(*reading.job);
    if (m_view.hasFailed())
        return false;
    m_path = absolute(path);
    m_saved = job();
    remember(m_path);
    return true;
}

void JobDocument::apply(const Job& job)
{
    if (!m_view.enterInputs(job.inputs))
        return;
    m_model.setLengthFormat(job.lengthFormat);
    m_view.tableActions().chooseRow(job.projector.value_or(0));
    m_view.room() = job.room ? roomForWindow(*job.room, m_model.numberFormat()) : RoomSetting{};
    m_details = job.details;
    m_view.tableActions().followModel();
}

bool JobDocument::save()
{
    if (m_path.isEmpty())
        return saveAs();
    return writeTo(m_path);
}

bool JobDocument::saveAs()
{
    QString suggested = m_path;
    if (suggested.isEmpty()) {
        const QString name = QString::fromStdString(m_details.name)
                                 .simplified()
                                 .remove(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")));
        suggested = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                        .filePath((name.isEmpty() ? QStringLiteral("Job") : name) + QStringLiteral(".qvdjob"));
    }
    QString path = m_chooseFile(dialogParent(), FileDialog::Save, suggested);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QString::fromLatin1(kJobFileSuffix.data(), static_cast<qsizetype>(kJobFileSuffix.size()));
    return writeTo(path);
}

// Written whole to a new file beside the old one, which takes its place only
// once everything is on disk: a failed save leaves the old file as it was.
bool JobDocument::writeTo(const QString& path)
{
    const Job current = job();
    const std::string text = jobFileText(current);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())
        || !file.commit()) {
        qCWarning(lcView) << "could not save the job to" << path << file.errorString();
        m_tell(dialogParent(),
            QStringLiteral("The job could not be saved to %1: %2.").arg(shown(path), file.errorString()));
        return false;
    }
    m_path = absolute(path);
    m_saved = current;
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

bool JobDocument::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_view && event->type() == QEvent::Close && !settleChanges()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

QStringList JobDocument::recentJobs() const { return m_settings.value(kRecentKey).toStringList(); }

void JobDocument::remember(const QString& path)
{
    QStringList recent = recentJobs();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kMaxRecentJobs)
        recent.removeLast();
    m_settings.setValue(kRecentKey, recent);
}

void JobDocument::forget(const QString& path)
{
    QStringList recent = recentJobs();
    recent.removeAll(path);
    m_settings.setValue(kRecentKey, recent);
}

void JobDocument::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList recent = recentJobs();
    for (int index = 0; index < recent.size(); ++index) {
        const QString& path = recent[index];
        // &1 to &8 pick an entry from the keyboard.
        QAction* entry = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(index + 1).arg(
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
    JobDetailsDialog dialog(m_details, dialogParent());
    if (dialog.exec() == QDialog::Accepted)
        m_details = dialog.details();
}

} // namespace qvd
