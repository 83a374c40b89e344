// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The job as a document in the window: open, change and close asks; save as
// gives the same window back; a bad file changes nothing; the recent list;
// the job sheet printed on one page, with the details and feet and inches.

#include "full_disk.h"
#include "view_test_support.h"

#include "ui/job/table_report.h"
#include "ui/qt/job/job_details_dialog.h"
#include "ui/qt/job/job_document.h"
#include "ui/qt/job/table_actions.h"
#include "ui/qt/print/job_sheet.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qvd;
using qvd::test::result;
using qvd::test::roles;
using qvd::test::rowCaption;
using qvd::test::WindowUnderTest;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const QByteArray kJob = R"({"format": "qvdtalvern-job", "version": 1, "units": "in",
  "size": {"by": "diagonal", "value": 150}, "angle": -5, "projector": "Tovan",
  "room": {"kind": "straight", "distance": "210"}, "length_format": "ft-in",
  "job": {"name": "Aula Magna", "client": "Universität", "notes": "Ceiling at 4 m.\nBring the long cable."}})";

} // namespace

class JobDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openShowsTheJobAndCloseAsksAfterAChange();
    void saveAsGivesTheSameWindowAndTheSameBytes();
    void badFileLeavesTheWindowAsItWas_data();
    void badFileLeavesTheWindowAsItWas();
    void recentListKeepsTenAndDropsMissingFiles();
    void recentListKeepsWhatAnotherProcessAdded();
    void longestNameSavesAgain();
    void readOnlyJobIsReplacedOnlyWhenAskedAndKeepsItsMode();
    void sheetStartsBesideTheJobAndAReadOnlyFolderIsNamed();
    void roomGoesWithTheJob();
    void feetAndInchesForInchesOnly();
    void printedSheetIsOnePageWithTheDetails();
    void detailsDialogKeepsTextsToTheirLimits();
    void failedWriteKeepsTheEarlierFile_data();
    void failedWriteKeepsTheEarlierFile();
    void completedNameIsAskedAboutBeforeReplacing_data();
    void completedNameIsAskedAboutBeforeReplacing();
    void jobChangedOnDiskIsNotOverwrittenUnasked();
    void detailsComeBackAsGiven();
    void closeAsksAboutARoomNeverSaved();
    void droppedJobOpensAfterAskingAboutChanges();
    void recentListSurvivesABadSettingsFile();
    void nameThatIsNoTextOpens();

private:
    // A fresh window with its document, the dialogs answered by the test.
    void makeWindow();
    [[nodiscard]] QString path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<WindowUnderTest> m_window;
    JobDocument* m_document = nullptr;
    QStringList m_messages;
    int m_questions = 0;
    JobDocument::Unsaved m_answer = JobDocument::Unsaved::Cancel;
    QString m_chosen;
    QStringList m_replaceAsked;
    QStringList m_readOnlyAsked;
    bool m_replace = false;
    JobDocument::ChangedOnDisk m_onDisk = JobDocument::ChangedOnDisk::Cancel;
};

void JobDocumentTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_settings = std::make_unique<QSettings>(path("settings.ini"), QSettings::IniFormat);
    makeWindow();
}

void JobDocumentTest::makeWindow()
{
    m_window.reset();
    m_window = std::make_unique<WindowUnderTest>();
    m_document = new JobDocument(m_window->session, m_window->view, m_window->actions, *m_settings);
    m_messages.clear();
    m_questions = 0;
    m_document->setMessenger([this](QWidget*, const QString& text) { m_messages << text; });
    m_document->setUnsavedQuestion([this](QWidget*) {
        ++m_questions;
        return m_answer;
    });
    m_document->setFileChooser([this](QWidget*, JobDocument::FileDialog, const QString&) { return m_chosen; });
    m_document->setReplaceQuestion([this](QWidget*, const QString& path) {
        m_replaceAsked << path;
        return m_replace;
    });
    m_document->setReadOnlyQuestion([this](QWidget*, const QString& path) {
        m_readOnlyAsked << path;
        return m_replace;
    });
    m_readOnlyAsked.clear();
    m_document->setChangedOnDiskQuestion([this](QWidget*, const QString&) {
        ++m_questions;
        return m_onDisk;
    });
    TableActions& actions = m_window->actions;
    actions.setFileChooser([this](QWidget*, const QString&) { return m_chosen; });
    actions.setReplaceQuestion([this](QWidget*, const QString& path) {
        m_replaceAsked << path;
        return m_replace;
    });
    actions.setMessenger([this](QWidget*, const QString& text) { m_messages << text; });
    m_replaceAsked.clear();
    QVERIFY(m_window->start());
}

void JobDocumentTest::cleanup()
{
    m_window.reset();
    m_settings.reset();
    m_dir.reset();
}

void JobDocumentTest::openShowsTheJobAndCloseAsksAfterAChange()
{
    QVERIFY(write(path("aula.qvdjob"), kJob));
    QVERIFY(m_document->open(path("aula.qvdjob")));
    // Behind the introduction, as the user would have entered it.
    QVERIFY(m_window->model.controls().isVisible(m_window->model.introduction()));
    QCOMPARE(m_window->held(roles().diagonalCaption()), QStringLiteral("150"));
    QCOMPARE(m_window->held(roles().widthCaption()), QStringLiteral("120"));
    QCOMPARE(m_window->held(roles().angleCaption()), QStringLiteral("-5"));
    QVERIFY(m_window->widgetsDifferingFromTheModel().isEmpty());
    QCOMPARE(m_window->session.chosenRow(), std::size_t{1});
    QCOMPARE(m_window->session.details().client, std::string("Universität"));
    QVERIFY(!m_document->hasUnsavedChanges());

    m_window->click(roles().continueButton());
    QVERIFY(m_window->view.close()); // nothing changed: no question
    QCOMPARE(m_questions, 0);

    m_window->view.show();
    m_window->widget(roles().angleBar())->setFocus();
    m_window->type(Qt::Key_Right);
    QVERIFY(m_document->hasUnsavedChanges());
    m_answer = JobDocument::Unsaved::Cancel;
    QVERIFY(!m_window->view.close());
    QCOMPARE(m_questions, 1);
    QVERIFY(m_window->view.isVisible());
    m_answer = JobDocument::Unsaved::Discard;
    QVERIFY(m_window->view.close());
    QCOMPARE(m_questions, 2);
    QCOMPARE(contents(path("aula.qvdjob")), kJob); // discarded, never written
}

void JobDocumentTest::saveAsGivesTheSameWindowAndTheSameBytes()
{
    m_window->click(roles().continueButton());
    m_window->click(roles().unitOption(UnitSystem::Centimetres));
    m_window->click(roles().sizeOption(Sizing::Height));
    m_window->widget(roles().heightBar())->setFocus();
    m_window->type(Qt::Key_End);
    // The angle last, as a job is entered: its recalculation writes the
    // diagonal from the width, not from the height as the height bar does.
    m_window->widget(roles().angleBar())->setFocus();
    m_window->type(Qt::Key_Left);
    JobDetails details{"Saal \"B\"", "Łukasz & Co", "Line\tsite", "", "first\nsecond \"quoted\"\n"};
    m_window->session.setDetails(details);
    QVERIFY(m_document->hasUnsavedChanges()); // details not yet saved

    m_chosen = path("saal"); // the suffix is added
    m_window->rightClick(rowCaption("Corvin WT2"));
    QVERIFY(m_window->chooseFromMenu("saveJobAs"));
    const QByteArray saved = contents(path("saal.qvdjob"));
    QCOMPARE(saved, QByteArray::fromStdString(jobFileText(m_window->session.job())));
    QVERIFY(!m_document->hasUnsavedChanges());
    QCOMPARE(m_document->filePath(), path("saal.qvdjob"));
    const test::WindowDump state = test::modelDump(m_window->model);

    makeWindow();
    QVERIFY(m_document->open(path("saal.qvdjob")));
    m_window->click(roles().continueButton());
    QCOMPARE(test::writtenSince(m_window->model, state), QString());
    QCOMPARE(m_window->session.chosenRow(), std::size_t{5});
    QCOMPARE(m_window->session.details(), details);
    m_window->typeWith(Qt::ControlModifier, Qt::Key_S); // the same file, the same bytes
    QCOMPARE(contents(path("saal.qvdjob")), saved);
    QVERIFY(QDir(m_dir->path()).entryList({QStringLiteral("saal*")}, QDir::Files).size() == 1);
}

void JobDocumentTest::badFileLeavesTheWindowAsItWas_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem");
    QTest::newRow("empty") << "empty.qvdjob" << QByteArray() << "empty";
    QTest::newRow("not JSON") << "text.qvdjob" << QByteArray("projector: Ulmo") << "not valid JSON at line 1";
    QTest::newRow("truncated") << "cut.qvdjob" << kJob.left(80) << "not valid JSON at line 2";
    QTest::newRow("wrong type") << "type.qvdjob" << QByteArray(kJob).replace("-5", "\"-5\"")
                                << "\"angle\" must be a whole number from -15 to 15, not \"-5\"";
    QTest::newRow("off range") << "range.qvdjob" << QByteArray(kJob).replace("150", "301")
                               << "\"size.value\" must be a whole number from 49 to 300";
    QTest::newRow("unknown projector") << "row.qvdjob" << QByteArray(kJob).replace("Tovan", "Tovan X")
                                       << "\"projector\" must be one of";
    QTest::newRow("version 3") << "v3.qvdjob" << QByteArray(kJob).replace("\"version\": 1", "\"version\": 3")
                               << "version 3 is newer than this program reads (version 2)";
    QTest::newRow("1 MB + 1 byte") << "big.qvdjob" << kJob + QByteArray(int(kMaxJobFileBytes) + 1 - kJob.size(), ' ')
                                   << "larger than 1 MB";
    QTest::newRow("invalid UTF-8") << "utf8.qvdjob" << QByteArray(kJob).replace("ä", "\xe4")
                                   << "not UTF-8 text: a byte that is no character at line 4";
    QTest::newRow("directory") << "folder.qvdjob" << QByteArray() << "a folder, not a job file";
    QTest::newRow("missing") << "missing.qvdjob" << QByteArray() << "cannot be read: No such file or directory";
    QTest::newRow("unreadable") << "locked.qvdjob" << kJob << "cannot be read: Permission denied";
}

void JobDocumentTest::badFileLeavesTheWindowAsItWas()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    const QString file = m_dir->filePath(name);
    if (name == QStringLiteral("folder.qvdjob"))
        QVERIFY(QDir().mkdir(file));
    else if (name != QStringLiteral("missing.qvdjob"))
        QVERIFY(write(file, bytes));
    if (name == QStringLiteral("locked.qvdjob")) {
        if (::geteuid() == 0)
            QSKIP("permissions do not stop root; the reader's own tests cover an unreadable path");
        QVERIFY(QFile::setPermissions(file, {}));
    }
    // A job open, with details and a chosen row and feet and inches.
    QVERIFY(write(path("good.qvdjob"), kJob));
    QVERIFY(m_document->open(path("good.qvdjob")));
    m_window->click(roles().continueButton());
    m_window->widget(roles().angleBar())->setFocus();
    m_window->type(Qt::Key_Left);
    const test::WindowDump state = test::modelDump(m_window->model);
    const Job job = m_window->session.job();

    QVERIFY(!m_document->open(file));
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages[0].contains(QDir::toNativeSeparators(file)), qPrintable(m_messages[0]));
    QVERIFY2(m_messages[0].contains(problem), qPrintable(m_messages[0]));
    QCOMPARE(test::writtenSince(m_window->model, state), QString());
    QVERIFY(m_window->session.job() == job);
    QCOMPARE(m_document->filePath(), path("good.qvdjob"));
    QVERIFY(m_document->hasUnsavedChanges());
    QCOMPARE(m_document->recentJobs(), QStringList{path("good.qvdjob")});
}

void JobDocumentTest::recentListKeepsTenAndDropsMissingFiles()
{
    for (int n = 1; n <= 11; ++n) {
        QVERIFY(write(path("job%1.qvdjob").arg(n).toLatin1(), kJob));
        QVERIFY(m_document->open(path("job%1.qvdjob").arg(n).toLatin1()));
    }
    QStringList expected;
    for (int n = 11; n >= 2; --n)
        expected << path("job%1.qvdjob").arg(n).toLatin1();
    QCOMPARE(m_document->recentJobs(), expected);

    makeWindow(); // the list outlives the window
    m_window->click(roles().continueButton());
    QVERIFY(QFile::remove(path("job5.qvdjob")));
    m_window->rightClick(rowCaption("Ulmo"));
    QMenu* recent = m_document->recentMenu();
    recent->popup(QPoint());
    const QList<QAction*> entries = recent->actions();
    QCOMPARE(entries.size(), 10);
    QCOMPARE(entries[0]->text(), QStringLiteral("&1 job11.qvdjob"));
    QCOMPARE(entries[9]->text(), QStringLiteral("1&0 job2.qvdjob"));
    entries[6]->trigger(); // job5, gone
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages[0].contains(QStringLiteral("job5.qvdjob is no longer there")), qPrintable(m_messages[0]));
    expected.removeAll(path("job5.qvdjob"));
    QCOMPARE(m_document->recentJobs(), expected);
    QCOMPARE(m_document->filePath(), QString());

    entries[4]->trigger(); // job7
    QCOMPARE(m_document->filePath(), path("job7.qvdjob"));
    QCOMPARE(m_document->recentJobs().first(), path("job7.qvdjob"));
    recent->close();
}

// Another process (a second window) adds to the recent list after this one
// read it: both entries stay.
void JobDocumentTest::recentListKeepsWhatAnotherProcessAdded()
{
    const QString settings = path("settings.ini");
    const auto start = [&](QProcess& process, const QString& job) {
        QVERIFY(write(job, kJob));
        process.setProgram(QCoreApplication::applicationFilePath());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QVD_REMEMBER_IN"), settings);
        environment.insert(QStringLiteral("QVD_REMEMBER_JOB"), job);
        process.setProcessEnvironment(environment);
        process.start();
        QVERIFY(process.waitForReadyRead(30000)); // it has read the list
    };
    QProcess first;
    QProcess second;
    start(first, path("first.qvdjob"));
    start(second, path("second.qvdjob"));
    for (QProcess* process : {&first, &second}) {
        process->write("go\n");
        process->closeWriteChannel();
        QVERIFY(process->waitForFinished(30000));
        QCOMPARE(process->exitCode(), 0);
    }
    QSettings written(settings, QSettings::IniFormat);
    QCOMPARE(written.value(QStringLiteral("recentJobs")).toStringList(),
        QStringList({path("second.qvdjob"), path("first.qvdjob")}));
}

// A name of 255 bytes, the most a folder takes: saved, then saved again.
void JobDocumentTest::longestNameSavesAgain()
{
    const QString name = QString(255 - 7, QLatin1Char('n')) + QStringLiteral(".qvdjob");
    m_chosen = m_dir->filePath(name);
    QVERIFY(m_document->saveAs());
    m_window->click(roles().continueButton());
    m_window->widget(roles().widthBar())->setFocus();
    m_window->type(Qt::Key_Right);
    QVERIFY(m_document->save());
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    const JobReading reading = readJobFile(QFile::encodeName(m_chosen).toStdString());
    QVERIFY(reading.ok());
    QCOMPARE(reading.job->window, m_window->session.job().window);
    QCOMPARE(
        QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".qvdtalvern")), QStringList());
}

// A job protected with mode 444 (and, as root, owned by another user) is
// replaced only after the question, and keeps its mode and owner.
void JobDocumentTest::readOnlyJobIsReplacedOnlyWhenAskedAndKeepsItsMode()
{
    const QString job = path("kept.qvdjob");
    QVERIFY(write(job, kJob));
    const QByteArray native = QFile::encodeName(job);
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(native.constData(), 1234, 1234), 0);
    QCOMPARE(::chmod(native.constData(), 0444), 0);
    QVERIFY(m_document->open(job));
    m_window->click(roles().continueButton());
    m_window->widget(roles().widthBar())->setFocus();
    m_window->type(Qt::Key_Right);

    m_replace = false;
    QVERIFY(!m_document->save());
    QCOMPARE(m_readOnlyAsked, QStringList{job});
    QCOMPARE(contents(job), kJob);

    m_replace = true;
    QVERIFY(m_document->save());
    QVERIFY(contents(job) != kJob);
    struct stat after {};
    QCOMPARE(::stat(native.constData(), &after), 0);
    QCOMPARE(after.st_mode & 07777, mode_t{0444});
    if (root)
        QCOMPARE(after.st_uid, uid_t{1234});
}

// Export PDF offers the job's folder; a folder that takes no file is named
// as the reason, with the system's words.
void JobDocumentTest::sheetStartsBesideTheJobAndAReadOnlyFolderIsNamed()
{
    const QString folder = path("mounted");
    QVERIFY(QDir().mkpath(folder));
    if (::geteuid() != 0 || ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP("mounting a read-only folder needs root");
    const auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH); });
    const QString job = QDir(folder).filePath(QStringLiteral("aula.qvdjob"));
    QVERIFY(write(job, kJob));
    QVERIFY(::mount(nullptr, QFile::encodeName(folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0);
    QVERIFY(m_document->open(job));
    m_window->click(roles().continueButton());

    QString suggested;
    m_window->actions.setFileChooser([&suggested](QWidget*, const QString& offered) {
        suggested = offered;
        return QString();
    });
    m_window->rightClick(rowCaption("Ulmo"));
    QVERIFY(m_window->chooseFromMenu("exportJobSheet"));
    QCOMPARE(QFileInfo(suggested).absolutePath(), folder);

    m_window->widget(roles().angleBar())->setFocus();
    m_window->type(Qt::Key_Left);
    QVERIFY(!m_document->save());
    QCOMPARE(m_messages.size(), 1);
    const QString reason = QString::fromLocal8Bit(std::strerror(EROFS));
    QVERIFY2(m_messages[0].contains(QStringLiteral("the folder %1 takes no new file (%2)").arg(folder, reason)),
        qPrintable(m_messages[0]));
    QCOMPARE(contents(job), kJob);
}

void JobDocumentTest::roomGoesWithTheJob()
{
    QVERIFY(write(path("aula.qvdjob"), kJob));
    QVERIFY(m_document->open(path("aula.qvdjob")));
    QVERIFY(m_window->session.room() == (RoomSetting{DistanceKind::Straight, "210", std::nullopt}));
    QVERIFY(!m_document->hasUnsavedChanges());

    RoomSetting room = m_window->session.room();
    room.screenBottom = "30.5"; // as the room dialog keeps it
    m_window->session.setRoom(room);
    QVERIFY(m_document->hasUnsavedChanges());
    QVERIFY(m_document->save());
    QVERIFY(!m_document->hasUnsavedChanges());
    QVERIFY(contents(path("aula.qvdjob")).contains(R"("screen_bottom": "30.5")"));

    makeWindow();
    QVERIFY(m_document->open(path("aula.qvdjob")));
    QVERIFY(m_window->session.room() == (RoomSetting{DistanceKind::Straight, "210", "30.5"}));
}

void JobDocumentTest::feetAndInchesForInchesOnly()
{
    m_window->click(roles().continueButton());
    auto* action = m_window->view.findChild<QAction*>(QStringLiteral("lengthsInFeetAndInches"));
    QVERIFY(action->isEnabled() && action->isCheckable() && !action->isChecked());
    action->trigger();
    QCOMPARE(m_window->session.lengthFormat(), LengthFormat::FeetAndInches);
    m_window->typeWith(Qt::ControlModifier, Qt::Key_C);
    QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("Ulmo\t13' 6 3/4\"\t")));
    QCOMPARE(m_window->shown(result("Ulmo", Column::Throw)), QStringLiteral("162.80")); // the window's captions stay
    QVERIFY(m_document->hasUnsavedChanges() == false); // no job, no details: nothing to ask about

    m_window->click(roles().unitOption(UnitSystem::Centimetres));
    m_window->click(roles().sizeOption(Sizing::Width));
    m_window->widget(roles().widthBar())->setFocus();
    m_window->type(Qt::Key_Right);
    QVERIFY(!action->isEnabled());
    QVERIFY(!QGuiApplication::clipboard()->text().isEmpty());
    m_window->typeWith(Qt::ControlModifier, Qt::Key_C);
    QVERIFY(!QGuiApplication::clipboard()->text().contains(QLatin1Char('\'')));
    m_window->click(roles().unitOption(UnitSystem::Inches));
    m_window->widget(roles().widthBar())->setFocus();
    m_window->type(Qt::Key_Right);
    QVERIFY(action->isEnabled() && action->isChecked());
}

void JobDocumentTest::printedSheetIsOnePageWithTheDetails()
{
    QVERIFY(write(path("aula.qvdjob"), kJob));
    QVERIFY(m_document->open(path("aula.qvdjob")));
    m_window->click(roles().continueButton());
    const QString pdf = path("printed.pdf");
    m_window->actions.setPrintDialog([&pdf](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    m_window->typeWith(Qt::ControlModifier, Qt::Key_P);
    const QByteArray printed = contents(pdf);
    QVERIFY(printed.startsWith("%PDF-"));
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    QCOMPARE(QString::fromLatin1(printed).count(page), 1);

    // The same painting as an image, for a person to look at.
    QImage sheet(1240, 1754, QImage::Format_RGB32); // A4 at 150 dpi
    sheet.setDotsPerMeterX(5906);
    sheet.setDotsPerMeterY(5906);
    QVERIFY(paintJobSheet(sheet, m_window->session));
    QVERIFY(QDir().mkpath(QStringLiteral(QVD_RENDER_DIR)));
    QVERIFY(sheet.save(QStringLiteral(QVD_RENDER_DIR "/job-sheet-details.png")));
    // The longest details keep to the page: the notes are cut.
    JobDetails longest{std::string(kMaxJobNameLength, 'N'), "Client", "Site", "Preparer", {}};
    for (int line = 0; line < 400; ++line)
        longest.notes += "Line " + std::to_string(line) + " of the notes, long enough to wrap across the sheet.\n";
    m_window->session.setDetails(longest);
    QVERIFY(paintJobSheet(sheet, m_window->session));
    QVERIFY(sheet.save(QStringLiteral(QVD_RENDER_DIR "/job-sheet-long-notes.png")));
}

// Limits count characters as the file does: 200 letters of two UTF-16 units
// each are within the name's limit.
void JobDocumentTest::detailsDialogKeepsTextsToTheirLimits()
{
    const QString astral = QString::fromUcs4(U"\U0001F4FD"); // a film projector
    JobDetailsDialog dialog({"", "Client", "", "", "a\nb"}, nullptr);
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("jobName"));
    name->setText(astral.repeated(int(kMaxJobNameLength)));
    QVERIFY(ok->isEnabled());
    name->setText(astral.repeated(int(kMaxJobNameLength) + 1));
    QVERIFY(!ok->isEnabled());
    name->setText(QStringLiteral("Aula \"B\""));
    dialog.findChild<QPlainTextEdit*>(QStringLiteral("jobNotes"))
        ->setPlainText(QString(int(kMaxJobNotesLength) + 1, QLatin1Char('x')));
    QVERIFY(!ok->isEnabled());
    dialog.findChild<QPlainTextEdit*>(QStringLiteral("jobNotes"))->setPlainText(QStringLiteral("a\nb"));
    QVERIFY(ok->isEnabled());
    QVERIFY(dialog.details() == (JobDetails{"Aula \"B\"", "Client", "", "", "a\nb"}));
}

// On a disk with no room left, every way of writing a file leaves the earlier
// file byte for byte, leaves no temporary file, says why, and reports nothing
// as saved.
void JobDocumentTest::failedWriteKeepsTheEarlierFile_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("target");
    QTest::newRow("save job") << "saveJob"
                              << "aula.qvdjob";
    QTest::newRow("save job as, over another job") << "saveJobAs"
                                                   << "other.qvdjob";
    QTest::newRow("export job sheet over an earlier sheet") << "exportJobSheet"
                                                            << "sheet.pdf";
}

void JobDocumentTest::failedWriteKeepsTheEarlierFile()
{
    QFETCH(QString, action);
    QFETCH(QString, target);
    test::FullDisk disk(path("disk"));
    const bool sheet = target.endsWith(QStringLiteral(".pdf"));
    const QByteArray earlier = sheet              ? QByteArray("%PDF-1.4 an earlier sheet\n")
        : target == QStringLiteral("aula.qvdjob") ? kJob
                                                  : QByteArray(kJob).replace("-5", "3");
    QVERIFY(disk.place(QStringLiteral("aula.qvdjob"), kJob));
    QVERIFY(disk.place(target, earlier));
    QVERIFY(m_document->open(disk.path(QStringLiteral("aula.qvdjob"))));
    m_window->click(roles().continueButton());
    m_window->widget(roles().widthBar())->setFocus();
    m_window->type(Qt::Key_Right);
    const QStringList files = disk.files();
    QVERIFY(disk.fill());

    m_chosen = disk.path(target);
    m_replace = true;
    m_window->rightClick(rowCaption("Ulmo"));
    QVERIFY(m_window->chooseFromMenu(action.toLatin1()));

    QCOMPARE(contents(disk.path(target)), earlier);
    QCOMPARE(disk.files(), files);
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages[0].contains(QDir::toNativeSeparators(disk.path(target))), qPrintable(m_messages[0]));
    QVERIFY2(m_messages[0].contains(disk.reason()), qPrintable(m_messages[0]));
    QVERIFY(m_document->hasUnsavedChanges());
    QCOMPARE(m_document->filePath(), disk.path(QStringLiteral("aula.qvdjob")));
}

// "existing" typed in the dialog stands for existing.qvdjob or existing.pdf:
// replacing it is asked about, and No keeps it.
void JobDocumentTest::completedNameIsAskedAboutBeforeReplacing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("replace");
    QTest::newRow("job, kept") << "saveJobAs"
                               << ".qvdjob" << false;
    QTest::newRow("job, replaced") << "saveJobAs"
                                   << ".qvdjob" << true;
    QTest::newRow("sheet, kept") << "exportJobSheet"
                                 << ".pdf" << false;
    QTest::newRow("sheet, replaced") << "exportJobSheet"
                                     << ".pdf" << true;
}

void JobDocumentTest::completedNameIsAskedAboutBeforeReplacing()
{
    QFETCH(QString, action);
    QFETCH(QString, suffix);
    QFETCH(bool, replace);
    const QString existing = path("existing") + suffix;
    QVERIFY(write(existing, "earlier"));
    m_window->click(roles().continueButton());
    m_chosen = path("existing");
    m_replace = replace;
    m_window->rightClick(rowCaption("Ulmo"));
    QVERIFY(m_window->chooseFromMenu(action.toLatin1()));
    QCOMPARE(m_replaceAsked, QStringList{existing});
    QCOMPARE(contents(existing) == "earlier", !replace);
    QVERIFY(m_messages.isEmpty());
}

void JobDocumentTest::jobChangedOnDiskIsNotOverwrittenUnasked()
{
    QVERIFY(write(path("aula.qvdjob"), kJob));
    QVERIFY(m_document->open(path("aula.qvdjob")));
    m_window->click(roles().continueButton());
    m_window->widget(roles().widthBar())->setFocus();
    m_window->type(Qt::Key_Right);
    const QByteArray theirs = QByteArray(kJob).replace("Aula Magna", "Aula Minor");
    QVERIFY(write(path("aula.qvdjob"), theirs)); // another window saved meanwhile

    m_onDisk = JobDocument::ChangedOnDisk::Cancel;
    QVERIFY(!m_document->save());
    QCOMPARE(m_questions, 1);
    QCOMPARE(contents(path("aula.qvdjob")), theirs);

    m_onDisk = JobDocument::ChangedOnDisk::SaveAs;
    m_chosen = path("mine.qvdjob");
    QVERIFY(m_document->save());
    QCOMPARE(contents(path("aula.qvdjob")), theirs);
    QCOMPARE(m_document->filePath(), path("mine.qvdjob"));

    QVERIFY(write(path("mine.qvdjob"), theirs));
    m_onDisk = JobDocument::ChangedOnDisk::Overwrite;
    QVERIFY(m_document->save());
    QCOMPARE(contents(path("mine.qvdjob")), QByteArray::fromStdString(jobFileText(m_window->session.job())));
    const int asked = m_questions;
    QVERIFY(m_document->save()); // unchanged on disk since: no question
    QCOMPARE(m_questions, asked);
}

// Line endings, separators and no-break spaces the editor shows as plain new
// lines and spaces stay as given, and an edit changes only what it touches.
void JobDocumentTest::detailsComeBackAsGiven()
{
    const JobDetails given{
        "Aula\u00a0B", "Client", "", "", "first\r\nsecond\u2028third\u2029fourth\rfifth\u00a0\U0001F4FD\ttab\r\n"};
    {
        JobDetailsDialog dialog(given, nullptr);
        QVERIFY(dialog.details() == given);
    }
    JobDetailsDialog dialog(given, nullptr);
    auto* notes = dialog.findChild<QPlainTextEdit*>(QStringLiteral("jobNotes"));
    QTextCursor cursor = notes->textCursor();
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(QStringLiteral("zeroth "));
    JobDetails edited = given;
    edited.notes = "zeroth " + given.notes;
    QVERIFY(dialog.details() == edited);

    QVERIFY(write(path("aula.qvdjob"), kJob));
    QVERIFY(m_document->open(path("aula.qvdjob")));
    m_window->session.setDetails(given);
    QVERIFY(m_document->save());
    makeWindow();
    QVERIFY(m_document->open(path("aula.qvdjob")));
    QVERIFY(m_window->session.details() == given);
}

void JobDocumentTest::closeAsksAboutARoomNeverSaved()
{
    m_window->click(roles().continueButton());
    QVERIFY(!m_document->hasUnsavedChanges());
    m_window->session.setRoom({DistanceKind::Throw, "150", std::nullopt});
    QVERIFY(m_document->hasUnsavedChanges());
    m_answer = JobDocument::Unsaved::Cancel;
    QVERIFY(!m_window->view.close());
    QCOMPARE(m_questions, 1);
}

void JobDocumentTest::droppedJobOpensAfterAskingAboutChanges()
{
    QVERIFY(write(path("aula.qvdjob"), kJob));
    m_window->click(roles().continueButton());
    m_window->session.setDetails({"Unsaved", "", "", "", ""});
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path("aula.qvdjob"))});
    const QPoint at = m_window->view.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&m_window->view, &enter);
    QVERIFY(enter.isAccepted());
    m_answer = JobDocument::Unsaved::Discard;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&m_window->view, &drop);
    QCOMPARE(m_questions, 1);
    QCOMPARE(m_document->filePath(), path("aula.qvdjob"));
    QCOMPARE(m_window->session.details().name, std::string("Aula Magna"));

    data.setUrls({QUrl::fromLocalFile(path("notes.txt"))}); // not a job: refused
    QDragEnterEvent other(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    other.setAccepted(false);
    QApplication::sendEvent(&m_window->view, &other);
    QVERIFY(!other.isAccepted());
}

// A settings file that cannot be written, or holds no list, is said in the
// log; the job is saved all the same, and the list keeps at most eight.
void JobDocumentTest::recentListSurvivesABadSettingsFile()
{
    QVERIFY(write(path("blocker"), "a file where a folder would be"));
    m_settings = std::make_unique<QSettings>(path("blocker/settings.ini"), QSettings::IniFormat);
    makeWindow();
    QVERIFY(write(path("aula.qvdjob"), kJob));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("recent jobs list.*cannot be written")));
    QVERIFY(m_document->open(path("aula.qvdjob")));
    m_window->session.setDetails({"Changed", "", "", "", ""});
    QVERIFY(m_document->save()); // said once only
    QCOMPARE(contents(path("aula.qvdjob")), QByteArray::fromStdString(jobFileText(m_window->session.job())));

    QByteArray many = "[General]\nrecentJobs=";
    for (int n = 0; n < 20; ++n)
        many += (n > 0 ? ", " : "") + path("job%1.qvdjob").arg(n).toLatin1();
    QVERIFY(write(path("many.ini"), many + "\n"));
    m_settings = std::make_unique<QSettings>(path("many.ini"), QSettings::IniFormat);
    makeWindow();
    QCOMPARE(m_document->recentJobs().size(), JobDocument::kMaxRecentJobs);

    QVERIFY(write(path("corrupt.ini"), "[General\nrecentJobs=\"unclosed\n\xff\xfe"));
    m_settings = std::make_unique<QSettings>(path("corrupt.ini"), QSettings::IniFormat);
    makeWindow();
    QVERIFY(m_document->recentJobs().size() <= JobDocument::kMaxRecentJobs);
    QVERIFY(m_document->open(path("aula.qvdjob")));
}

// A name whose bytes are no valid UTF-8 opens as it does on the command line;
// saving then asks where to rather than write to a look-alike name.
void JobDocumentTest::nameThatIsNoTextOpens()
{
    const QByteArray native = QFile::encodeName(m_dir->path()) + "/aula\xff.qvdjob";
    {
        FILE* file = std::fopen(native.constData(), "wb");
        QVERIFY(file != nullptr);
        QCOMPARE(std::fwrite(kJob.constData(), 1, std::size_t(kJob.size()), file), std::size_t(kJob.size()));
        QCOMPARE(std::fclose(file), 0);
    }
    QVERIFY(m_document->openNativePath(native));
    QCOMPARE(m_window->session.details().name, std::string("Aula Magna"));
    QVERIFY(m_document->filePath().isEmpty());
}

// Run as a second process by recentListKeepsWhatAnotherProcessAdded: reads
// the recent list, says so, and on "go" opens (and so remembers) a job.
int rememberInAnotherProcess(int argc, char** argv)
{
    QApplication application(argc, argv);
    QSettings settings(qEnvironmentVariable("QVD_REMEMBER_IN"), QSettings::IniFormat);
    WindowUnderTest window;
    auto* document = new JobDocument(window.session, window.view, window.actions, settings);
    document->setMessenger([](QWidget*, const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    if (!window.start())
        return 2;
    (void)document->recentJobs();
    std::printf("ready\n");
    std::fflush(stdout);
    char line[8] = {};
    if (std::fgets(line, sizeof line, stdin) == nullptr)
        return 3;
    return document->open(qEnvironmentVariable("QVD_REMEMBER_JOB")) ? 0 : 4;
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("QVD_REMEMBER_IN"))
        return rememberInAnotherProcess(argc, argv);
    QApplication application(argc, argv);
    JobDocumentTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_job_document.moc"
