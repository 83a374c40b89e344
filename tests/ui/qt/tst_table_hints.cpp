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
    QString hover(const char* name);

    std::unique_ptr<WindowUnderTest> m_window;
};

void TableHintsTest::init()
{
    m_window = std::make_unique<WindowUnderTest>();
    QVERIFY(m_window->start());
    m_window->click("Command1");
}

void TableHintsTest::cleanup()
{
    QToolTip::hideText();
    m_window.reset();
}

QString TableHintsTest::hover(const char* name)
{
    QWidget* target = m_window->widget(name);
    const QPoint centre = target->rect().center();
    QHelpEvent event(QEvent::ToolTip, centre, target->mapToGlobal(centre));
    QApplication::sendEvent(target, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

void TableHintsTest::rowCaptionsTellTheirRangeAsTheWidthIsNow_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("homeKeys"); // on the width bar: the first stops at 54, the second at 39
    QTest::addColumn<QString>("hint");
    QTest::newRow("Ulmo at 100 in.") << "Label100" << 0 << "widths from 48 to 160 in.";
    QTest::newRow("Tovan, open above, at 100 in.") << "Label101" << 0 << "widths from 48 in. up";
    QTest::newRow("Corvin NRX too big at 100 in.")
        << "Label15" << 0 << "widths from 50 to 72 in.; needs a screen at most 72 in. wide";
    QTest::newRow("Corvin NRX fits at 54 in.") << "Label15" << 1 << "widths from 50 to 72 in.";
    QTest::newRow("Corvin NRX too small at 39 in.")
        << "Label15" << 2 << "widths from 50 to 72 in.; needs a screen at least 50 in. wide";
}

// The hint is worked out when asked for, so it must follow the width.
void TableHintsTest::rowCaptionsTellTheirRangeAsTheWidthIsNow()
{
    QFETCH(QString, caption);
    QFETCH(int, homeKeys);
    QFETCH(QString, hint);
    m_window->click("Option4");
    m_window->widget("HSBM")->setFocus();
    m_window->type(Qt::Key_Home, homeKeys);
    QTRY_COMPARE(hover(caption.toLatin1().constData()), hint);
}

void TableHintsTest::headersExplainTheirDistance()
{
    const char* const headersAndExplanations[][2]
        = {{"Label21", "Label5"}, {"Label22", "Label6"}, {"Label23", "Label7"}};
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
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("width option") << "Option4"
                                  << "Width"
                                  << "Size the screen by its width";
    QTest::newRow("angle bar") << "hsbM1"
                               << "Projection angle"
                               << "Projection angle in whole degrees, from -15 to 15";
    QTest::newRow("inches") << "Option11"
                            << "Inches"
                            << "Lengths in inches";
    QTest::newRow("width box shows its value") << "Label147"
                                               << "Width"
                                               << "100";
    QTest::newRow("first result") << "Label94"
                                  << "Ulmo, throw distance"
                                  << "162.80";
    QTest::newRow("last result") << "Label82"
                                 << "Halden WT2, vertical offset"
                                 << "Small";
}

void TableHintsTest::assistiveToolsHearNameAndDescription()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(m_window->widget(qPrintable(control)));
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), name);
    QCOMPARE(accessible->text(QAccessible::Description), description);
}

QTEST_MAIN(TableHintsTest)
#include "tst_table_hints.moc"
