// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// Tooltips on the table (row range hints, column explanations) and what
// assistive tools are told about the inputs and results.

#include "view_test_support.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

using namespace qvd;
using qvd::test::result;
using qvd::test::roles;
using qvd::test::rowCaption;
using qvd::test::WindowUnderTest;

class TableHintsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rowCaptionsTellTheirRangeAsTheWidthIsNow_data();
    void rowCaptionsTellTheirRangeAsTheWidthIsNow();
    void headersExplainTheirDistance();
    void assistiveToolsHearNameAndDescription_data();
    void assistiveToolsHearNameAndDescription();

private:
    // Hovers over the widget until its tooltip shows; returns the tooltip's text.
    QString hover(ControlId control);

    std::unique_ptr<WindowUnderTest> m_window;
};

void TableHintsTest::init()
{
    m_window = std::make_unique<WindowUnderTest>();
    QVERIFY(m_window->start());
    m_window->click(roles().continueButton());
}

void TableHintsTest::cleanup()
{
    QToolTip::hideText();
    m_window.reset();
}

QString TableHintsTest::hover(ControlId control)
{
    QWidget* target = m_window->widget(control);
    const QPoint centre = target->rect().center();
    QHelpEvent event(QEvent::ToolTip, centre, target->mapToGlobal(centre));
    QApplication::sendEvent(target, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

void TableHintsTest::rowCaptionsTellTheirRangeAsTheWidthIsNow_data()
{
    QTest::addColumn<ControlId>("caption");
    QTest::addColumn<int>("homeKeys"); // on the width bar: the first stops at 54, the second at 39
    QTest::addColumn<QString>("hint");
    QTest::newRow("Ulmo at 100 in.") << rowCaption("Ulmo") << 0 << "widths from 48 to 160 in.";
    QTest::newRow("Tovan, open above, at 100 in.") << rowCaption("Tovan") << 0 << "widths from 48 in. up";
    QTest::newRow("Corvin NRX too big at 100 in.")
        << rowCaption("Corvin NRX") << 0 << "widths from 50 to 72 in.; needs a screen at most 72 in. wide";
    QTest::newRow("Corvin NRX fits at 54 in.") << rowCaption("Corvin NRX") << 1 << "widths from 50 to 72 in.";
    QTest::newRow("Corvin NRX too small at 39 in.")
        << rowCaption("Corvin NRX") << 2 << "widths from 50 to 72 in.; needs a screen at least 50 in. wide";
}

// The hint is worked out when asked for, so it must follow the width.
void TableHintsTest::rowCaptionsTellTheirRangeAsTheWidthIsNow()
{
    QFETCH(ControlId, caption);
    QFETCH(int, homeKeys);
    QFETCH(QString, hint);
    m_window->click(roles().sizeOption(Sizing::Width));
    m_window->widget(roles().sizeBar(Sizing::Width))->setFocus();
    m_window->type(Qt::Key_Home, homeKeys);
    QTRY_COMPARE(hover(caption), hint);
}

void TableHintsTest::headersExplainTheirDistance()
{
    const ControlId headersAndExplanations[][2]
        = {{roles().columnHeader(Column::Throw), roles().columnExplanation(Column::Throw)},
            {roles().columnHeader(Column::Straight), roles().columnExplanation(Column::Straight)},
            {roles().columnHeader(Column::Offset), roles().columnExplanation(Column::Offset)}};
    for (const auto& [header, explanation] : headersAndExplanations) {
        const QString expected = m_window->held(explanation);
        QVERIFY(expected.startsWith(QStringLiteral("The ")));
        QTRY_COMPARE(hover(header), expected);
        QCOMPARE(
            QAccessible::queryAccessibleInterface(m_window->widget(header))->text(QAccessible::Description), expected);
        QToolTip::hideText();
    }
}

void TableHintsTest::assistiveToolsHearNameAndDescription_data()
{
    QTest::addColumn<ControlId>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("width option") << roles().sizeOption(Sizing::Width) << "Width"
                                  << "Size the screen by its width";
    QTest::newRow("angle bar") << roles().angleBar() << "Projection angle"
                               << "Projection angle in whole degrees, from -15 to 15";
    QTest::newRow("inches") << roles().unitOption(UnitSystem::Inches) << "Inches"
                            << "Lengths in inches";
    QTest::newRow("width box shows its value") << roles().widthCaption() << "Width"
                                               << "100";
    QTest::newRow("first result") << result("Ulmo", Column::Throw) << "Ulmo, throw distance"
                                  << "162.80";
    QTest::newRow("last result") << result("Halden WT2", Column::Offset) << "Halden WT2, vertical offset"
                                 << "Small";
}

void TableHintsTest::assistiveToolsHearNameAndDescription()
{
    QFETCH(ControlId, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(m_window->widget(control));
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(accessible->text(QAccessible::Description), description);
}

QTEST_MAIN(TableHintsTest)
#include "tst_table_hints.moc"
