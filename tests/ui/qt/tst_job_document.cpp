// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The job as a document in the window: open, change and close asks; save as
// gives the same window back; a bad file changes nothing; the recent list;
// the job sheet printed on one page, with the details and feet and inches.

#include "view_test_support.h"

#include "ui/qt/job_details_dialog.h"
#include "ui/qt/job_document.h"
#include "ui/qt/job_sheet.h"
#include "ui/qt/table_actions.h"
#include "ui/table_report.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace qvd;
using qvd::test::result;
using qvd::test::roles;
using qvd::test::rowCaption;
using qvd::test::WindowUnderTest;

namespace {

// Every property of every control.
QString stateOf(const MainWindow& model)
{
    QString state;
    const ControlSet& controls = model.controls();
    for (ControlId id = 0; id < controls.size(); ++id) {
        const ControlState& c = controls.control(id);
        state += QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                     .arg(QString::fromStdString(c.name), QString::fromStdString(c.caption))
                     .arg(c.value)
                     .arg(c.min)
                     .arg(c.max)
                     .arg(c.foreColor)
                     .arg(c.visible);
    }
    return state;
}

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
    void recentListKeepsEightAndDropsMissingFiles();
    void roomGoesWithTheJob();
    void feetAndInchesForInchesOnly();
    void printedSheetIsOnePageWithTheDetails();
    void detailsDialogKeepsTextsToTheirLimits();

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
    m_document = new JobDocument(m_window->model, m_window->view, *m_settings);
    m_messages.clear();
    m_questions = 0;
    m_document->setMessenger([this](QWidget*, const QString& text) { m_messages << text; });
    m_document->setUnsavedQuestion([this](QWidget*) {
        ++m_questions;
        return m_answer;
    });
    m_document->setFileChooser([this](QWidget*, JobDocument::FileDialog, const QString&) { return m_chosen; });
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
    QCOMPARE(m_window->view.tableActions().chosenRow(), std::size_t{1});
    QCOMPARE(m_document->details().client, std::string("Universität"));
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
    m_document->setDetails(details);
    QVERIFY(m_document->hasUnsavedChanges()); // details not yet saved

    m_chosen = path("saal"); // the suffix is added
    m_window->rightClick(rowCaption("Corvin WT2"));
    QVERIFY(m_window->chooseFromMenu("saveJobAs"));
    const QByteArray saved = contents(path("saal.qvdjob"));
    QCOMPARE(saved, QByteArray::fromStdString(jobFileText(m_document->job())));
    QVERIFY(!m_document->hasUnsavedChanges());
    QCOMPARE(m_document->filePath(), path("saal.qvdjob"));
    const QString state = stateOf(m_window->model);

    makeWindow();
    QVERIFY(m_document->open(path("saal.qvdjob")));
    m_window->click(roles().continueButton());
    QCOMPARE(stateOf(m_window->model), state);
    QCOMPARE(m_window->view.tableActions().chosenRow(), std::size_t{5});
    QCOMPARE(m_document->details(), details);
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
    QTest::newRow("version 2") << "v2.qvdjob" << QByteArray(kJob).replace("\"version\": 1", "\"version\": 2")
                               << "version 2 is newer than this program reads (version 1)";
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
    const QString state = stateOf(m_window->model);
    const Job job = m_document->job();

    QVERIFY(!m_document->open(file));
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages[0].contains(QDir::toNativeSeparators(file)), qPrintable(m_messages[0]));
    QVERIFY2(m_messages[0].contains(problem), qPrintable(m_messages[0]));
    QCOMPARE(stateOf(m_window->model), state);
    QVERIFY(m_document->job() == job);
    QCOMPARE(m_document->filePath(), path("good.qvdjob"));
    QVERIFY(m_document->hasUnsavedChanges());
    QCOMPARE(m_document->recentJobs(), QStringList{path("good.qvdjob")});
}

void JobDocumentTest::recentListKeepsEightAndDropsMissingFiles()
{
    for (int n = 1; n <= 9; ++n) {
        QVERIFY(write(path("job%1.qvdjob").arg(n).toLatin1(), kJob));
        QVERIFY(m_document->open(path("job%1.qvdjob").arg(n).toLatin1()));
    }
    QStringList expected;
    for (int n = 9; n >= 2; --n)
        expected << path("job%1.qvdjob").arg(n).toLatin1();
    QCOMPARE(m_document->recentJobs(), expected);

    makeWindow(); // the list outlives the window
    m_window->click(roles().continueButton());
    QVERIFY(QFile::remove(path("job5.qvdjob")));
    m_window->rightClick(rowCaption("Ulmo"));
    QMenu* recent = m_document->recentMenu();
    recent->popup(QPoint());
    const QList<QAction*> entries = recent->actions();
    QCOMPARE(entries.size(), 8);
    QCOMPARE(entries[0]->text(), QStringLiteral("&1 job9.qvdjob"));
    entries[4]->trigger(); // job5, gone
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages[0].contains(QStringLiteral("job5.qvdjob is no longer there")), qPrintable(m_messages[0]));
    expected.removeAll(path("job5.qvdjob"));
    QCOMPARE(m_document->recentJobs(), expected);
    QCOMPARE(m_document->filePath(), QString());

    entries[2]->trigger(); // job7
    QCOMPARE(m_document->filePath(), path("job7.qvdjob"));
    QCOMPARE(m_document->recentJobs().first(), path("job7.qvdjob"));
    recent->close();
}

void JobDocumentTest::roomGoesWithTheJob()
{
    QVERIFY(write(path("aula.qvdjob"), kJob));
    QVERIFY(m_document->open(path("aula.qvdjob")));
    QVERIFY(m_window->view.room() == (RoomSetting{DistanceKind::Straight, "210", std::nullopt}));
    QVERIFY(!m_document->hasUnsavedChanges());

    m_window->view.room().screenBottom = "30.5"; // as the room dialog keeps it
    QVERIFY(m_document->hasUnsavedChanges());
    QVERIFY(m_document->save());
    QVERIFY(!m_document->hasUnsavedChanges());
    QVERIFY(contents(path("aula.qvdjob")).contains(R"("screen_bottom": "30.5")"));

    makeWindow();
    QVERIFY(m_document->open(path("aula.qvdjob")));
    QVERIFY(m_window->view.room() == (RoomSetting{DistanceKind::Straight, "210", "30.5"}));
}

void JobDocumentTest::feetAndInchesForInchesOnly()
{
    m_window->click(roles().continueButton());
    auto* action = m_window->view.findChild<QAction*>(QStringLiteral("lengthsInFeetAndInches"));
    QVERIFY(action->isEnabled() && action->isCheckable() && !action->isChecked());
    action->trigger();
    QCOMPARE(m_window->model.lengthFormat(), LengthFormat::FeetAndInches);
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
    m_window->view.tableActions().setPrintDialog([&pdf](QPrinter& printer, QWidget*) {
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
    QVERIFY(paintJobSheet(sheet, m_window->model, m_window->view.tableActions().chosenRow(), m_document->details()));
    QVERIFY(QDir().mkpath(QStringLiteral(QVD_RENDER_DIR)));
    QVERIFY(sheet.save(QStringLiteral(QVD_RENDER_DIR "/job-sheet-details.png")));
    // The longest details keep to the page: the notes are cut.
    JobDetails longest{std::string(kMaxJobNameLength, 'N'), "Client", "Site", "Preparer", {}};
    for (int line = 0; line < 400; ++line)
        longest.notes += "Line " + std::to_string(line) + " of the notes, long enough to wrap across the sheet.\n";
    QVERIFY(paintJobSheet(sheet, m_window->model, 0, longest));
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

QTEST_MAIN(JobDocumentTest)
#include "tst_job_document.moc"
