// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// "Size for the audience...": the dialog answers the worked example at the
// window's unit and angle, refuses bad input naming the field and changing
// nothing, never changes the job on Return, and "Use this size" enters the
// screen as the user's steps and chooses the row.

#include "view_test_support.h"

#include "ui/job/job_file.h"
#include "ui/qt/job/audience_dialog.h"
#include "ui/qt/job/table_actions.h"
#include "ui/qt/print/job_sheet.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <string>
#include <vector>

using namespace qvd;
using qvd::test::WindowUnderTest;

namespace {

enum { RoomCell = 0, ThrowCell = 1, BaseCell = 4 };

} // namespace

class AudienceDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void answersTheWorkedExampleAndEntersTheScreen();
    void refusesBadInputNamingTheFieldAndChangesNothing();

private:
    [[nodiscard]] AudienceDialog* dialog() const { return m_window->actions.audienceDialog(); }
    [[nodiscard]] QString label(const char* name) const
    {
        return dialog()->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    void open()
    {
        m_window->typeWith(Qt::ControlModifier, Qt::Key_U);
        QTRY_VERIFY(dialog() != nullptr && dialog()->isVisible());
    }
    void enter(const char* field, const QString& text) const
    {
        auto* edit = dialog()->findChild<QLineEdit*>(QString::fromLatin1(field));
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    std::unique_ptr<WindowUnderTest> m_window;
};

void AudienceDialogTest::init()
{
    m_window = std::make_unique<WindowUnderTest>();
    QVERIFY(m_window->start());
    m_window->click(m_window->model.continueButton());
}

void AudienceDialogTest::answersTheWorkedExampleAndEntersTheScreen()
{
    MainWindow& model = m_window->model;
    m_window->click(model.unitOption(UnitSystem::Centimetres));
    const qvd::test::WindowDump before = qvd::test::modelDump(model);
    open();
    // The focus starts on the farthest viewer.
    QCOMPARE(QApplication::focusWidget(), dialog()->findChild<QWidget*>(QStringLiteral("audienceFarthest")));
    enter("audienceFarthest", QStringLiteral("1050"));
    enter("audienceElementHeight", QStringLiteral("3.5"));
    enter("audienceScreenBottom", QStringLiteral("140"));
    enter("audienceEyeHeight", QStringLiteral("120"));
    enter("audienceDistance", QStringLiteral("420"));
    QCOMPARE(qvd::test::writtenSince(model, before), QString());
    QCOMPARE(label("audienceSummary"),
        QStringLiteral("Basic decision making, element height 3.5 %: image at least 150 cm high"));
    QCOMPARE(label("audienceScreen"),
        QStringLiteral("Smallest screen the window offers: Width 200, Height 150, Diagional 250 cm"));
    QVERIFY(label("audienceViewers").startsWith(QStringLiteral("Closest viewer 294.45 cm from the screen")));
    QCOMPARE(dialog()->table()->verticalHeaderItem(0)->text(), QStringLiteral("Ulmo"));
    QCOMPARE(dialog()->table()->item(0, RoomCell)->text(), QStringLiteral("fits"));
    QCOMPARE(dialog()->table()->item(3, RoomCell)->text(), QStringLiteral("out of range"));
    auto* useCorvin = dialog()->findChild<QPushButton*>(QStringLiteral("audienceUse3"));
    QVERIFY(!useCorvin->isEnabled());
    QCOMPARE(useCorvin->accessibleName(), QStringLiteral("Use this size with Corvin NRX"));

    // Return in a field presses nothing: the job stays as it was.
    QTest::keyClick(dialog()->findChild<QLineEdit*>(QStringLiteral("audienceFarthest")), Qt::Key_Return);
    QVERIFY(dialog()->isVisible());
    QCOMPARE(qvd::test::writtenSince(model, before), QString());

    const QString throwShown = dialog()->table()->item(1, ThrowCell)->text();
    QTest::mouseClick(dialog()->findChild<QPushButton*>(QStringLiteral("audienceUse1")), Qt::LeftButton);
    QVERIFY(model.controls().isSelected(model.sizeOption(Sizing::Width)));
    QCOMPARE(model.controls().value(model.widthBar()), 200);
    QCOMPARE(m_window->shown(model.heightCaption()), QStringLiteral("150"));
    QCOMPARE(m_window->shown(model.resultLabel(1, Column::Throw)), throwShown);
    QCOMPARE(m_window->session.chosenRow(), std::size_t{1});
    QVERIFY(m_window->widgetsDifferingFromTheModel().isEmpty());

    // The job keeps the audience; the sheet prints the rule and its figures.
    const Job job = m_window->session.job();
    QVERIFY(job.audience.has_value());
    QCOMPARE(QString::fromStdString(job.audience->farthest), QStringLiteral("1050"));
    const QDir renders(QStringLiteral(QVD_RENDER_DIR));
    QVERIFY(renders.mkpath(QStringLiteral(".")));
    QVERIFY(dialog()->grab().save(renders.filePath(QStringLiteral("audience.png"))));
    QImage sheet(910, 1286, QImage::Format_RGB32);
    sheet.setDotsPerMeterX(4331);
    sheet.setDotsPerMeterY(4331);
    QVERIFY(paintJobSheet(sheet, m_window->session));
    QVERIFY(sheet.save(renders.filePath(QStringLiteral("job-sheet-audience.png"))));

    // Escape closes it.
    QTest::keyClick(dialog(), Qt::Key_Escape);
    QVERIFY(!dialog()->isVisible());
}

void AudienceDialogTest::refusesBadInputNamingTheFieldAndChangesNothing()
{
    open();
    auto* analytical = dialog()->findChild<QWidget*>(QStringLiteral("audienceAnalytical"));
    QTest::mouseClick(analytical, Qt::LeftButton, {}, QPoint(8, analytical->height() / 2));
    enter("audienceFarthest", QStringLiteral("188"));
    auto* resolution = dialog()->findChild<QComboBox*>(QStringLiteral("audienceResolution"));
    resolution->clearEditText();
    QTest::keyClicks(resolution, QStringLiteral("1080.5"));
    QCOMPARE(
        dialog()->problem(), QStringLiteral("Resolution: give a whole number of lines from 1 to 99999, not '1080.5'"));
    QVERIFY(resolution->property("invalidEntry").toBool());
    QVERIFY(!dialog()->answer().has_value());
    for (int row = 0; row < 9; ++row)
        QVERIFY(!dialog()->findChild<QPushButton*>(QStringLiteral("audienceUse%1").arg(row))->isEnabled());

    resolution->clearEditText();
    QTest::keyClicks(resolution, QStringLiteral("1080"));
    QVERIFY(dialog()->problem().isEmpty());
    QVERIFY(!resolution->property("invalidEntry").toBool());
    QCOMPARE(label("audienceSummary"),
        QStringLiteral("Analytical decision making, 1080 lines: image at least 59.06 in. high"));

    enter("audienceScreenBottom", QStringLiteral("-3"));
    QVERIFY(dialog()->problem().startsWith(QStringLiteral("Screen bottom: give the height")));
    // The job keeps the audience as it last read.
    QCOMPARE(QString::fromStdString(m_window->session.job().audience.value().resolution), QStringLiteral("1080"));
}

QTEST_MAIN(AudienceDialogTest)
#include "tst_audience_dialog.moc"
