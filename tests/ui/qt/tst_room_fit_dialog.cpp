// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// "Fit to room...": the dialog answers at the window's unit and angle, follows
// them, writes nothing into the model by itself, and "Use this size" leaves
// the main table showing the row's distances at that width.

#include "view_test_support.h"

#include "runtime/length_format.h"

#include "ui/job/job_file.h"
#include "ui/job/placement_diagram.h"
#include "ui/qt/job/audience_dialog.h"
#include "ui/qt/job/room_fit_dialog.h"
#include "ui/qt/job/table_actions.h"
#include "ui/qt/print/job_sheet.h"
#include "ui/qt/print/placement_window.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <string>
#include <vector>

using namespace qvd;
using qvd::test::WindowUnderTest;

namespace {

// The table's columns, after the projectors heading the rows: limit, width,
// height, diagonal, throw, straight line, vertical offset, base height.
enum { LimitCell = 0, WidthCell = 1, ThrowCell = 4, StraightCell = 5, OffsetCell = 6, BaseCell = 7 };

// What a fresh window shows in `row`'s throw column after the user's steps.
QString freshThrow(UnitSystem units, int width, int angle, std::size_t row)
{
    MainWindow window(NumberFormat{});
    window.load();
    window.enterInputs({units, Sizing::Width, width, angle});
    return QString::fromStdString(window.placement().result(row).throwDistance);
}

} // namespace

class RoomFitDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void fillsFromTheWindowAndFollowsItsUnit();
    void useThisSizeShowsTheRowsDistancesAtItsWidth();
    void feetAndInchesForAnAnswerInInches();
    void takesTheLengthsTheJobFileKeeps();
    void showsChangesMadeElsewhereWhileOpen();

private:
    [[nodiscard]] RoomFitDialog* dialog() const { return m_window->actions.roomFitDialog(); }
    [[nodiscard]] QString cell(int row, int column) const { return dialog()->table()->item(row, column)->text(); }
    // A row's "Use this size": whether it can be pressed, and a click on it.
    [[nodiscard]] bool usable(int row) const
    {
        return (dialog()->table()->item(row, RoomFitDialog::useColumn())->flags() & Qt::ItemIsEnabled) != 0;
    }
    void useSize(int row) const
    {
        QTableWidget* table = dialog()->table();
        const QModelIndex cell = table->model()->index(row, RoomFitDialog::useColumn());
        table->scrollTo(cell);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(cell).center());
    }
    void open()
    {
        m_window->typeWith(Qt::ControlModifier, Qt::Key_F);
        QTRY_VERIFY(dialog() != nullptr && dialog()->isVisible());
    }
    [[nodiscard]] QLineEdit* field(const char* name) const
    {
        return dialog()->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    void enter(const char* name, const QString& text) const
    {
        QLineEdit* edit = field(name);
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    std::unique_ptr<WindowUnderTest> m_window;
};

void RoomFitDialogTest::init()
{
    m_window = std::make_unique<WindowUnderTest>();
    QVERIFY(m_window->start());
    m_window->click(m_window->model.continueButton());
}

void RoomFitDialogTest::fillsFromTheWindowAndFollowsItsUnit()
{
    const qvd::test::WindowDump before = qvd::test::modelDump(m_window->model);
    open();
    enter("roomDistance", QStringLiteral("250"));
    enter("roomScreenBottom", QStringLiteral("0"));
    QCOMPARE(qvd::test::writtenSince(m_window->model, before), QString());

    // At the start-up angle of 10 degrees in inches: Ulmo's widest screen,
    // and what a fresh window shows at that width; its base stands above the
    // floor (its offset is negative there).
    const int inches = cell(0, WidthCell).toInt();
    QVERIFY(inches >= 39 && inches < 240);
    QCOMPARE(cell(0, LimitCell), QStringLiteral("room"));
    QCOMPARE(cell(0, ThrowCell), freshThrow(UnitSystem::Inches, inches, 10, 0));
    QVERIFY(cell(0, ThrowCell).toDouble() <= 250);
    QVERIFY(!cell(0, BaseCell).endsWith(QStringLiteral("below the floor")));
    QCOMPARE(cell(3, LimitCell), QStringLiteral("lens or bar range")); // Corvin NRX's lens ends first
    QVERIFY(usable(5));

    m_window->click(m_window->model.unitOption(UnitSystem::Centimetres)); // centimetres: 250 cm now
    QCOMPARE(dialog()->findChild<QLabel*>(QStringLiteral("roomSetting"))->text(),
        QStringLiteral("At the window's angle of 10 degrees, in cm"));
    const int centimetres = cell(0, WidthCell).toInt();
    QVERIFY(centimetres >= 99 && centimetres < inches);
    QCOMPARE(cell(0, ThrowCell), freshThrow(UnitSystem::Centimetres, centimetres, 10, 0));
    QVERIFY(cell(0, BaseCell).endsWith(QStringLiteral("below the floor")));
    QCOMPARE(dialog()->table()->item(0, BaseCell)->foreground().color(), QColor(0xcc, 0x00, 0x00));
    QCOMPARE(cell(5, LimitCell), QStringLiteral("does not fit")); // Corvin WT2 needs a larger room
    QCOMPARE(cell(5, WidthCell), QString());
    QVERIFY(!usable(5));

    const QDir renders(QStringLiteral(QVD_RENDER_DIR));
    QVERIFY(renders.mkpath(QStringLiteral(".")));
    QVERIFY(dialog()->grab().save(renders.filePath(QStringLiteral("room-fit-centimetres.png"))));
    // The table still shows inches until a recalculation: the diagram takes
    // no height in centimetres for them. At Ulmo's size its base is below
    // the floor.
    m_window->view.activateWindow();
    m_window->typeWith(Qt::ControlModifier, Qt::Key_D);
    PlacementWindow* placement = m_window->actions.placementWindow();
    QTRY_VERIFY(placement != nullptr && placement->isVisible());
    QVERIFY(!placement->diagram().room.has_value());
    useSize(0);
    QVERIFY(placement->diagram().room.has_value() && placement->diagram().room->belowFloor);
    QVERIFY(placement->grab().save(renders.filePath(QStringLiteral("diagram-below-floor.png"))));
}

void RoomFitDialogTest::feetAndInchesForAnAnswerInInches()
{
    open();
    enter("roomDistance", QStringLiteral("250"));
    const QString decimal = cell(0, ThrowCell);
    m_window->session.setLengthFormat(LengthFormat::FeetAndInches); // heard by the open dialog
    QCOMPARE(cell(0, ThrowCell),
        QString::fromStdString(feetAndInches(decimal.toStdString(), m_window->model.numberFormat()).value()));
    QCOMPARE(cell(3, LimitCell), QStringLiteral("lens or bar range"));    // words unchanged
    m_window->click(m_window->model.unitOption(UnitSystem::Centimetres)); // centimetres stay decimal
    QVERIFY(!cell(0, ThrowCell).contains(QLatin1Char('\'')));
}

void RoomFitDialogTest::useThisSizeShowsTheRowsDistancesAtItsWidth()
{
    MainWindow& model = m_window->model;
    m_window->widget(model.angleBar())->setFocus();
    m_window->type(Qt::Key_Left, 13); // -3 degrees
    open();
    enter("roomDistance", QStringLiteral("180.5"));
    auto* straight = dialog()->findChild<QWidget*>(QStringLiteral("roomStraight"));
    QTest::mouseClick(straight, Qt::LeftButton, {}, QPoint(8, straight->height() / 2));
    enter("roomScreenBottom", QStringLiteral("24"));
    constexpr int kRow = 6; // Halden NRX
    const QString width = cell(kRow, WidthCell);
    QVERIFY(!width.isEmpty());
    QVERIFY(cell(kRow, StraightCell).toDouble() <= 180.5);
    const QString shown[] = {cell(kRow, ThrowCell), cell(kRow, StraightCell), cell(kRow, OffsetCell)};

    useSize(kRow);
    QVERIFY(model.controls().isSelected(model.sizeOption(Sizing::Width)));
    QCOMPARE(model.controls().value(model.widthBar()), width.toInt());
    QCOMPARE(model.controls().value(model.angleBar()), -3);
    const Column columns[] = {Column::Throw, Column::Straight, Column::Offset};
    for (int c = 0; c < 3; ++c)
        QCOMPARE(m_window->shown(model.resultLabel(kRow, columns[c])), shown[c]);
    QVERIFY(m_window->widgetsDifferingFromTheModel().isEmpty());
    QCOMPARE(cell(kRow, WidthCell), width); // same unit and angle: the same answer

    // For a person to look at: the dialog, and the diagram and the sheet with
    // the room's floor.
    const QDir renders(QStringLiteral(QVD_RENDER_DIR));
    QVERIFY(renders.mkpath(QStringLiteral(".")));
    QVERIFY(dialog()->grab().save(renders.filePath(QStringLiteral("room-fit.png"))));
    m_window->view.activateWindow();
    m_window->rightClick(model.rowCaption(kRow));
    QVERIFY(m_window->chooseFromMenu("showPlacementDiagram"));
    PlacementWindow* placement = m_window->actions.placementWindow();
    QTRY_VERIFY(placement != nullptr && placement->isVisible());
    QVERIFY(placement->diagram().room.has_value());
    QVERIFY(placement->grab().save(renders.filePath(QStringLiteral("diagram-room.png"))));
    enter("roomScreenBottom", QStringLiteral("30"));
    QCOMPARE(QString::fromStdString(placement->diagram().room->baseHeight.label), cell(kRow, BaseCell) + " in.");
    QImage sheet(910, 1286, QImage::Format_RGB32);
    sheet.setDotsPerMeterX(4331);
    sheet.setDotsPerMeterY(4331);
    QCOMPARE(m_window->session.chosenRow(), kRow);
    QVERIFY(paintJobSheet(sheet, m_window->session));
    QVERIFY(sheet.save(renders.filePath(QStringLiteral("job-sheet-room.png"))));
}

// With a comma as the separator, the dialog fits a length exactly when the
// job file keeps it, and the saved job opens with the same length.
void RoomFitDialogTest::takesTheLengthsTheJobFileKeeps()
{
    JobSession session(NumberFormat{","});
    MainWindow& model = session.window();
    model.load();
    const JobNotices notices(session, nullptr);
    RoomFitDialog fit(
        session, notices, [](int) {}, nullptr);
    auto* distance = fit.findChild<QLineEdit*>(QStringLiteral("roomDistance"));
    const struct {
        const char* typed;
        bool fitted;
    } cases[] = {{",5", true}, {"150,", true}, {"0000150", true}, {"999999,99", true}, {"1234567", false},
        {"150.5", false}, {"1,234", false}, {"0", false}};
    for (const auto& c : cases) {
        distance->clear();
        QTest::keyClicks(distance, QString::fromLatin1(c.typed));
        QCOMPARE(fit.answer().has_value(), c.fitted);
        const QLabel* status = fit.findChild<QLabel*>(QStringLiteral("roomStatus"));
        QCOMPARE(status->isVisibleTo(&fit), !c.fitted);
        QCOMPARE(status->text().toStdString(), session.roomProblem()); // the session's words, as on the page
        const std::optional<RoomSetting> written = roomForFile(session.room(), model.numberFormat());
        QCOMPARE(written.has_value(), c.fitted);
        if (!written)
            continue;
        Job job;
        job.inputs = windowInputs(model);
        job.room = written;
        const JobReading reading = parseJob(jobFileText(job));
        QVERIFY2(reading.ok(), reading.error.message.c_str());
        const RoomSetting shown = roomForWindow(*reading.job->room, model.numberFormat());
        QCOMPARE(parseRoomLength(shown.distance, model.numberFormat()), parseRoomLength(c.typed, model.numberFormat()));
    }
}

// The dialog stays open while the room, the job and the window change
// elsewhere, and shows each change as the session holds it, at once.
void RoomFitDialogTest::showsChangesMadeElsewhereWhileOpen()
{
    JobSession& session = m_window->session;
    open();
    enter("roomDistance", QStringLiteral("250"));
    const QString at250 = cell(0, WidthCell);
    m_window->typeWith(Qt::ControlModifier, Qt::Key_U);
    AudienceDialog* audience = m_window->actions.audienceDialog();
    QTRY_VERIFY(audience != nullptr && audience->isVisible());
    QCOMPARE(audience->findChild<QLineEdit*>(QStringLiteral("audienceDistance"))->text(), QStringLiteral("250"));

    // The room's distance and kind typed in the audience's dialog.
    auto* distance = audience->findChild<QLineEdit*>(QStringLiteral("audienceDistance"));
    distance->clear();
    QTest::keyClicks(distance, QStringLiteral("320"));
    auto* straight = audience->findChild<QWidget*>(QStringLiteral("audienceStraight"));
    QTest::mouseClick(straight, Qt::LeftButton, {}, QPoint(8, straight->height() / 2));
    QCOMPARE(field("roomDistance")->text(), QStringLiteral("320"));
    QVERIFY(dialog()->findChild<QRadioButton*>(QStringLiteral("roomStraight"))->isChecked());
    QVERIFY(cell(0, WidthCell) != at250);
    QCOMPARE(cell(0, WidthCell), QString::fromStdString((*session.roomFit())[0].widthCaption));

    // A job opened, with another room.
    Job job = session.job();
    job.room = RoomSetting{DistanceKind::Throw, "180", "12"};
    QVERIFY(m_window->view.enter([&] { session.apply(job); }));
    QCOMPARE(field("roomDistance")->text(), QStringLiteral("180"));
    QCOMPARE(field("roomScreenBottom")->text(), QStringLiteral("12"));
    QVERIFY(dialog()->findChild<QRadioButton*>(QStringLiteral("roomThrow"))->isChecked());
    QCOMPARE(audience->findChild<QLineEdit*>(QStringLiteral("audienceDistance"))->text(), QStringLiteral("180"));
    QCOMPARE(cell(0, WidthCell), QString::fromStdString((*session.roomFit())[0].widthCaption));
    QVERIFY(cell(0, BaseCell).startsWith(QString::fromStdString((*session.roomFit())[0].baseHeight->text)));

    // The window's angle, a key away.
    m_window->view.activateWindow();
    m_window->widget(m_window->model.angleBar())->setFocus();
    m_window->type(Qt::Key_Right);
    QVERIFY(dialog()
                ->findChild<QLabel*>(QStringLiteral("roomSetting"))
                ->text()
                .startsWith(QStringLiteral("At the window's angle of 11 degrees")));
    QCOMPARE(cell(0, WidthCell), QString::fromStdString((*session.roomFit())[0].widthCaption));
}

QTEST_MAIN(RoomFitDialogTest)
#include "tst_room_fit_dialog.moc"
