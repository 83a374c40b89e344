// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The window "Placement": opened on a row, following the main window's
// inputs, showing a warned row's warning; and renders of it for a person to
// look at.

#include "view_test_support.h"

#include "ui/qt/job/table_actions.h"
#include "ui/qt/print/job_sheet.h"
#include "ui/qt/print/placement_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QTest>

using namespace qvd;
using qvd::test::result;
using qvd::test::roles;
using qvd::test::rowCaption;
using qvd::test::WindowUnderTest;

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

} // namespace

class PlacementWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void contextMenuOfARowOpensItsDiagram_data();
    void contextMenuOfARowOpensItsDiagram();
    void diagramFollowsWidthAndAngle();
    void warnedRowShowsItsWarningUntilItFits();
    void rowPickedInTheDiagramIsTheChosenRow();
    void renders_data();
    void renders();

private:
    [[nodiscard]] PlacementWindow* placement() const { return m_window->actions.placementWindow(); }
    [[nodiscard]] bool placementShown() const { return placement() != nullptr && placement()->isVisible(); }
    // The caption the model holds, with the unit the diagram gives it.
    [[nodiscard]] QString heldLength(ControlId label) const { return m_window->held(label) + " in."; }
    void typeTo(ControlId bar, Qt::Key key, int times)
    {
        m_window->view.activateWindow();
        m_window->widget(bar)->setFocus();
        m_window->type(key, times);
    }

    std::unique_ptr<WindowUnderTest> m_window;
};

void PlacementWindowTest::init()
{
    m_window = std::make_unique<WindowUnderTest>();
    QVERIFY(m_window->start());
    m_window->click(roles().continueButton());
}

void PlacementWindowTest::contextMenuOfARowOpensItsDiagram_data()
{
    QTest::addColumn<ControlId>("clicked");
    QTest::addColumn<QString>("projector");
    QTest::newRow("first row's caption") << rowCaption("Ulmo") << "Ulmo";
    QTest::newRow("second row's caption, narrower and further right") << rowCaption("Tovan") << "Tovan";
    QTest::newRow("result box of the last row") << result("Halden WT2", Column::Offset) << "Halden WT2";
}

void PlacementWindowTest::contextMenuOfARowOpensItsDiagram()
{
    QFETCH(ControlId, clicked);
    QFETCH(QString, projector);
    m_window->rightClick(clicked);
    QVERIFY(m_window->chooseFromMenu("showPlacementDiagram"));
    QTRY_VERIFY(placementShown());
    QCOMPARE(placement()->windowTitle(), QStringLiteral("Placement"));
    QCOMPARE(placement()->findChild<QComboBox*>("placementRow")->currentText(), projector);
    QCOMPARE(q(placement()->diagram().projector), projector);
}

void PlacementWindowTest::diagramFollowsWidthAndAngle()
{
    m_window->typeWith(Qt::ControlModifier, Qt::Key_D); // the first row until another is chosen
    QTRY_VERIFY(placementShown());
    const PlacementDiagram before = placement()->diagram();
    QCOMPARE(q(before.projector), QStringLiteral("Ulmo"));

    m_window->click(roles().sizeOption(Sizing::Width));
    typeTo(roles().sizeBar(Sizing::Width), Qt::Key_PageDown, 1); // 110 in.
    const PlacementDiagram wider = placement()->diagram();
    QCOMPARE(q(wider.throwDistance.label), heldLength(result("Ulmo", Column::Throw)));
    QCOMPARE(q(wider.straightLine.label), heldLength(result("Ulmo", Column::Straight)));
    QCOMPARE(q(wider.verticalOffset.label), heldLength(result("Ulmo", Column::Offset)));
    QVERIFY(wider.throwDistance.label != before.throwDistance.label);
    QCOMPARE(wider.screenTop.y - wider.screenBottom.y, 82.5); // three quarters of 110

    typeTo(roles().angleBar(), Qt::Key_Left, 12); // from 10 to -2 degrees
    const PlacementDiagram lower = placement()->diagram();
    QCOMPARE(q(lower.tiltLabel), QStringLiteral("-2\u00b0"));
    QCOMPARE(q(lower.straightLine.label), heldLength(result("Ulmo", Column::Straight)));
    QCOMPARE(q(lower.verticalOffset.label), heldLength(result("Ulmo", Column::Offset)));
    QVERIFY(lower.verticalOffset.label != wider.verticalOffset.label);
}

void PlacementWindowTest::warnedRowShowsItsWarningUntilItFits()
{
    m_window->rightClick(rowCaption("Corvin NRX")); // Corvin NRX: 50 to 72 in., too big at 100
    QVERIFY(m_window->chooseFromMenu("showPlacementDiagram"));
    QTRY_VERIFY(placementShown());
    QCOMPARE(q(placement()->diagram().notice), QStringLiteral("Screen Too Big"));
    const QImage warning = placement()->grab().toImage();
    QVERIFY(QDir().mkpath(QStringLiteral(QVD_RENDER_DIR)));
    QVERIFY(warning.save(QStringLiteral(QVD_RENDER_DIR "/diagram-warning.png")));

    m_window->click(roles().sizeOption(Sizing::Width));
    typeTo(roles().sizeBar(Sizing::Width), Qt::Key_PageUp, 3); // 70 in.
    QVERIFY(placement()->diagram().isDrawable());
    QCOMPARE(q(placement()->diagram().throwDistance.label), heldLength(result("Corvin NRX", Column::Throw)));
    QVERIFY(placement()->grab().toImage() != warning);
}

// The row picked in the diagram's window is the chosen row; Escape closes it.
void PlacementWindowTest::rowPickedInTheDiagramIsTheChosenRow()
{
    m_window->typeWith(Qt::ControlModifier, Qt::Key_D);
    QTRY_VERIFY(placementShown() && QApplication::activeWindow() == placement());
    auto* rows = placement()->findChild<QComboBox*>("placementRow");
    rows->setFocus();
    QTest::keyClick(rows, Qt::Key_Down);
    QCOMPARE(q(placement()->diagram().projector), QStringLiteral("Tovan"));
    QCOMPARE(m_window->session.chosenRow(), std::size_t{1});

    m_window->typeWith(Qt::NoModifier, Qt::Key_Escape);
    QTRY_VERIFY(!placement()->isVisible());
    QVERIFY(m_window->view.isVisible());
}

void PlacementWindowTest::renders_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("stepsLeft"); // of the angle bar, from 10 degrees
    QTest::newRow("angle up") << "diagram-up.png" << 0;
    QTest::newRow("angle level") << "diagram-level.png" << 10;
    QTest::newRow("angle down") << "diagram-down.png" << 20;
}

// The drawing at the window's default size: every part inside the picture,
// the beam from the lens to the screen's ends, no label over another. The
// renders, and the job sheet's, are for a person to look at.
void PlacementWindowTest::renders()
{
    QFETCH(QString, file);
    QFETCH(int, stepsLeft);
    typeTo(roles().angleBar(), Qt::Key_Left, stepsLeft);
    m_window->typeWith(Qt::ControlModifier, Qt::Key_D);
    QTRY_VERIFY(placementShown());
    QVERIFY(placement()->diagram().isDrawable());
    const QDir renders(QStringLiteral(QVD_RENDER_DIR));
    QVERIFY(renders.mkpath(QStringLiteral(".")));
    QVERIFY(placement()->grab().save(renders.filePath(file)));

    const PaintedDiagram& painted = placement()->paintedDiagram();
    const QRectF picture = placement()->canvasRect();
    QCOMPARE(painted.beam.size(), 3);
    QVERIFY(picture.contains(painted.beam.boundingRect()));
    QCOMPARE(painted.beam[1], painted.screen.p2());
    QCOMPARE(painted.beam[2], painted.screen.p1());
    QVERIFY(painted.screen.length() > picture.height() / 10);
    const PlacementDiagram& diagram = placement()->diagram();
    QStringList texts;
    for (const auto& label : painted.labels)
        texts << label.text;
    QCOMPARE(texts,
        QStringList({q(diagram.throwDistance.label), q(diagram.straightLine.label), q(diagram.verticalOffset.label),
            q(diagram.tiltLabel), "Screen", q(diagram.projector)}));
    for (std::size_t i = 0; i < painted.labels.size(); ++i) {
        const auto& label = painted.labels[i];
        QVERIFY2(picture.contains(label.box), qPrintable(label.text));
        QVERIFY2(!label.box.intersects(QRectF(painted.screen.p1(), painted.screen.p2()).adjusted(-1, 0, 1, 0)),
            qPrintable(label.text));
        for (std::size_t j = i + 1; j < painted.labels.size(); ++j)
            QVERIFY2(
                !label.box.intersects(painted.labels[j].box), qPrintable(label.text + " / " + painted.labels[j].text));
    }
    if (stepsLeft > 0)
        return;
    QImage sheet(910, 1286, QImage::Format_RGB32); // A4 at 110 dots per inch
    sheet.setDotsPerMeterX(4331);
    sheet.setDotsPerMeterY(4331);
    QVERIFY(paintJobSheet(sheet, m_window->session));
    QVERIFY(sheet.save(renders.filePath(QStringLiteral("job-sheet.png"))));
}

QTEST_MAIN(PlacementWindowTest)
#include "tst_placement_window.moc"
