// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The inputs of the working window driven as a person would: option buttons,
// scroll bar arrows, page areas, keys and thumb drags. Each case checks what
// the widgets show and what the model holds.

#include "view_test_support.h"

#include <QRadioButton>
#include <QTest>

using namespace qvd;
using qvd::test::WindowUnderTest;

namespace {

enum class Gesture { ArrowLeft, ArrowRight, PageLeft, PageRight, Key, DragToStart, DragToEnd };

const QColor kRedText(255, 0, 0);
const QColor kBlackText(0, 0, 0);

} // namespace

Q_DECLARE_METATYPE(Gesture)

class WindowInputsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void sizingOptionsShowTheirBar_data();
    void sizingOptionsShowTheirBar();
    void unitOptionsExcludeEachOtherAndRecalculateNothing();
    void scrollBarGestures_data();
    void scrollBarGestures();
    void draggingRaisesScrollThenChangeAtTheRelease();
    void unitSwitchWaitsForTheNextMove();
    void warningsRedResultsBlack_data();
    void warningsRedResultsBlack();
    void eventsReachTheModelOnce_data();
    void eventsReachTheModelOnce();
    void modelWritesAreFollowedWithoutEcho();

private:
    void perform(const char* bar, Gesture gesture, Qt::Key key, int times);
    // Counts the Change and Scroll events of `bar` that reach its handlers.
    void countEvents(const char* bar, void (MainWindow::*change)(), void (MainWindow::*scroll)());

    std::unique_ptr<WindowUnderTest> m_window;
    int m_changes = 0;
    int m_scrolls = 0;
};

void WindowInputsTest::init()
{
    m_window = std::make_unique<WindowUnderTest>();
    m_changes = 0;
    m_scrolls = 0;
    QVERIFY(m_window->start());
    m_window->click("Command1");
}

void WindowInputsTest::perform(const char* bar, Gesture gesture, Qt::Key key, int times)
{
    for (int i = 0; i < times; ++i) {
        switch (gesture) {
        case Gesture::ArrowLeft:
            m_window->clickPart(bar, QStyle::SC_ScrollBarSubLine);
            break;
        case Gesture::ArrowRight:
            m_window->clickPart(bar, QStyle::SC_ScrollBarAddLine);
            break;
        case Gesture::PageLeft:
            m_window->clickPart(bar, QStyle::SC_ScrollBarSubPage);
            break;
        case Gesture::PageRight:
            m_window->clickPart(bar, QStyle::SC_ScrollBarAddPage);
            break;
        case Gesture::Key:
            m_window->widget(bar)->setFocus();
            m_window->type(key);
            break;
        case Gesture::DragToStart:
        case Gesture::DragToEnd:
            m_window->dragThumb(bar, gesture == Gesture::DragToEnd);
            break;
        }
    }
}

void WindowInputsTest::countEvents(const char* bar, void (MainWindow::*change)(), void (MainWindow::*scroll)())
{
    ControlSet& controls = m_window->model.controls();
    MainWindow& model = m_window->model;
    const ControlId id = model.id(bar);
    controls.setHandler(id, Event::Change, [this, &model, change] {
        ++m_changes;
        (model.*change)();
    });
    controls.setHandler(id, Event::Scroll, [this, &model, scroll] {
        ++m_scrolls;
        (model.*scroll)();
    });
}

void WindowInputsTest::sizingOptionsShowTheirBar_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("visibleBar");
    QTest::newRow("width") << QStringList{"Option4"} << "HSBM";
    QTest::newRow("height") << QStringList{"Option13"} << "hig";
    QTest::newRow("diagonal") << QStringList{"Option14"} << "vert";
    QTest::newRow("diagonal then width") << QStringList{"Option14", "Option4"} << "HSBM";
    // Regression: Qt unchecks a non-exclusive radio button clicked a second time.
    QTest::newRow("height clicked twice") << QStringList{"Option13", "Option13"} << "hig";
}

void WindowInputsTest::sizingOptionsShowTheirBar()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, visibleBar);
    for (const QString& option : clicks)
        m_window->click(option.toLatin1().constData());

    const QString selected = clicks.last();
    for (const char* option : {"Option4", "Option13", "Option14"}) {
        const bool expected = selected == QLatin1String(option);
        QCOMPARE(m_window->widget<QRadioButton>(option)->isChecked(), expected);
        QCOMPARE(m_window->model.controls().isSelected(m_window->model.id(option)), expected);
    }
    for (const char* bar : {"HSBM", "hig", "vert"}) {
        const bool expected = visibleBar == QLatin1String(bar);
        QCOMPARE(m_window->widget(bar)->isVisibleTo(&m_window->view), expected);
        QCOMPARE(m_window->model.controls().isVisible(m_window->model.id(bar)), expected);
    }
    // Choosing a mode moves no value.
    QCOMPARE(m_window->shown("Label147"), QStringLiteral("100"));
    QCOMPARE(m_window->shown("Label146"), QString());
}

void WindowInputsTest::unitOptionsExcludeEachOtherAndRecalculateNothing()
{
    m_window->click("Option2");
    QVERIFY(m_window->widget<QRadioButton>("Option2")->isChecked());
    QVERIFY(!m_window->widget<QRadioButton>("Option11")->isChecked());
    QVERIFY(m_window->model.controls().isSelected(m_window->model.id("Option2")));
    QVERIFY(!m_window->model.controls().isSelected(m_window->model.id("Option11")));
    QCOMPARE(m_window->shown("Label94"), QStringLiteral("162.80"));

    // The next recalculation takes the numbers in centimetres.
    m_window->widget("hsbM1")->setFocus();
    m_window->type(Qt::Key_Left);
    QCOMPARE(m_window->shown("Label148"), QStringLiteral("9"));
    QCOMPARE(m_window->shown("Label94"), m_window->held("Label94"));
    QVERIFY(m_window->shown("Label94") != QStringLiteral("162.80"));

    m_window->click("Option11");
    QVERIFY(m_window->widget<QRadioButton>("Option11")->isChecked());
    QVERIFY(!m_window->widget<QRadioButton>("Option2")->isChecked());
}

void WindowInputsTest::scrollBarGestures_data()
{
    QTest::addColumn<bool>("centimetres");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("captions"); // Label147, Label146, Label145, Label148

    const auto row = [](const char* name, bool cm, const char* mode, const char* bar, Gesture gesture, Qt::Key key,
                         int times, int value, QStringList captions) {
        QTest::newRow(name) << cm << mode << bar << gesture << int(key) << times << value << captions;
    };
    const Qt::Key none = Qt::Key_unknown;
    row("HSBM right arrow", false, "Option4", "HSBM", Gesture::ArrowRight, none, 1, 101,
        {"101", "75.75", "126.25", "10"});
    row("HSBM page right steps 10", false, "Option4", "HSBM", Gesture::PageRight, none, 1, 110,
        {"110", "82.50", "137.50", "10"});
    row("HSBM page left steps 10", false, "Option4", "HSBM", Gesture::PageLeft, none, 2, 80,
        {"80", "60.00", "100.00", "10"});
    row("HSBM End key clamps to 240 in.", false, "Option4", "HSBM", Gesture::Key, Qt::Key_End, 1, 240,
        {"240", "180.00", "300.00", "10"});
    row("HSBM Home key stops at the design minimum", false, "Option4", "HSBM", Gesture::Key, Qt::Key_Home, 1, 54,
        {"54", "40.50", "67.50", "10"});
    row("HSBM Home key twice reaches 39", false, "Option4", "HSBM", Gesture::Key, Qt::Key_Home, 2, 39,
        {"39", "29.25", "48.75", "10"});
    row("HSBM right arrow key in cm", true, "Option4", "HSBM", Gesture::Key, Qt::Key_Right, 1, 101,
        {"101", "75.75", "126.25", "10"});
    row("hig first right arrow from design range", false, "Option13", "hig", Gesture::ArrowRight, none, 1, 30,
        {"40.00", "30", "50.00", "10"});
    row("hig right arrow twice", false, "Option13", "hig", Gesture::ArrowRight, none, 2, 31,
        {"41.33", "31", "51.67", "10"});
    row("hig first right arrow in cm", true, "Option13", "hig", Gesture::ArrowRight, none, 1, 76,
        {"101.33", "76", "126.67", "10"});
    row("hig End key", false, "Option13", "hig", Gesture::Key, Qt::Key_End, 1, 180, {"240.00", "180", "300.00", "10"});
    row("vert first right arrow", false, "Option14", "vert", Gesture::ArrowRight, none, 1, 61, {"48.8", "", "", "10"});
    row("vert End key in cm", true, "Option14", "vert", Gesture::Key, Qt::Key_End, 1, 763, {"610.4", "", "", "10"});
    row("vert End key in inches", false, "Option14", "vert", Gesture::Key, Qt::Key_End, 1, 300, {"240", "", "", "10"});
    row("angle Home key", false, "", "hsbM1", Gesture::Key, Qt::Key_Home, 1, -15, {"100", "75", "125", "-15"});
    row("angle left arrow to 0", false, "", "hsbM1", Gesture::ArrowLeft, none, 10, 0, {"100", "75", "125", "0"});
    row("angle End key", false, "", "hsbM1", Gesture::Key, Qt::Key_End, 1, 15, {"100", "75", "125", "15"});
    row("angle page left steps 1", false, "", "hsbM1", Gesture::PageLeft, none, 1, 9, {"100", "75", "125", "9"});
    row("angle Up key steps back", false, "", "hsbM1", Gesture::Key, Qt::Key_Up, 3, 7, {"100", "75", "125", "7"});
    row("angle Down key steps on", false, "", "hsbM1", Gesture::Key, Qt::Key_Down, 2, 12, {"100", "75", "125", "12"});
    row("HSBM Page Down key", false, "Option4", "HSBM", Gesture::Key, Qt::Key_PageDown, 1, 110,
        {"110", "82.50", "137.50", "10"});
    row("HSBM Page Up key", false, "Option4", "HSBM", Gesture::Key, Qt::Key_PageUp, 1, 90,
        {"90", "67.50", "112.50", "10"});
    row("angle dragged to the start", false, "", "hsbM1", Gesture::DragToStart, none, 1, -15,
        {"100", "75", "125", "-15"});
    row("HSBM dragged to the end in inches", false, "Option4", "HSBM", Gesture::DragToEnd, none, 1, 240,
        {"240", "180.00", "300.00", "10"});
}

void WindowInputsTest::scrollBarGestures()
{
    QFETCH(bool, centimetres);
    QFETCH(QString, mode);
    QFETCH(QString, bar);
    QFETCH(Gesture, gesture);
    QFETCH(int, key);
    QFETCH(int, times);
    QFETCH(int, value);
    QFETCH(QStringList, captions);
    if (centimetres)
        m_window->click("Option2");
    if (!mode.isEmpty())
        m_window->click(mode.toLatin1().constData());
    const QByteArray barName = bar.toLatin1();

    perform(barName.constData(), gesture, Qt::Key(key), times);

    QCOMPARE(m_window->heldValue(barName.constData()), value);
    QCOMPARE(m_window->widget<QScrollBar>(barName.constData())->value(), value);
    const char* labels[] = {"Label147", "Label146", "Label145", "Label148"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(m_window->shown(labels[i]), captions[i]);
        QCOMPARE(m_window->held(labels[i]), captions[i]);
    }
    // Every caption and colour on screen is the model's.
    QCOMPARE(m_window->labelsDifferingFromTheModel(), QStringList());
}

void WindowInputsTest::draggingRaisesScrollThenChangeAtTheRelease()
{
    // Before its first Change the diagonal bar keeps its design range
    // 60..763 even in inches, so the drag reaches a width of 610.4.
    countEvents("vert", &MainWindow::vert_Change, &MainWindow::vert_Scroll);
    m_window->click("Option14");
    const QPoint at = m_window->pressThumbAndMove("vert", true);
    QCOMPARE(m_window->heldValue("vert"), 763);
    QCOMPARE(m_window->shown("Label147"), QStringLiteral("610.4"));
    QVERIFY(m_scrolls >= 1);
    QCOMPARE(m_changes, 0);

    m_window->release("vert", at);
    // The Change at the release sets the inch range and so brings the value
    // to 300 with a Change of its own inside the range write.
    QCOMPARE(m_changes, 2);
    QCOMPARE(m_window->heldValue("vert"), 300);
    QCOMPARE(m_window->widget<QScrollBar>("vert")->maximum(), 300);
    QCOMPARE(m_window->shown("Label147"), QStringLiteral("240"));
    QCOMPARE(m_window->held("Label147"), QStringLiteral("240"));
}

void WindowInputsTest::unitSwitchWaitsForTheNextMove()
{
    m_window->click("Option2");
    m_window->click("Option4");
    perform("HSBM", Gesture::Key, Qt::Key_End, 1);
    perform("HSBM", Gesture::Key, Qt::Key_PageUp, 11);
    QCOMPARE(m_window->shown("Label147"), QStringLiteral("500"));
    QCOMPARE(m_window->shown("Label146"), QStringLiteral("375.00"));
    const QString throwAt500 = m_window->shown("Label94");

    m_window->click("Option11");
    auto* bar = m_window->widget<QScrollBar>("HSBM");
    QCOMPARE(bar->value(), 500);
    QCOMPARE(bar->minimum(), 99);
    QCOMPARE(m_window->shown("Label147"), QStringLiteral("500"));
    QCOMPARE(m_window->shown("Label94"), throwAt500);

    perform("HSBM", Gesture::ArrowRight, Qt::Key_unknown, 1);
    QCOMPARE(bar->value(), 240);
    QCOMPARE(bar->maximum(), 240);
    QCOMPARE(m_window->heldValue("HSBM"), 240);
    QCOMPARE(m_window->shown("Label147"), QStringLiteral("240"));
    QCOMPARE(m_window->shown("Label146"), QStringLiteral("180.00"));
    QCOMPARE(m_window->shown("Label145"), QStringLiteral("300.00"));
}

void WindowInputsTest::warningsRedResultsBlack_data()
{
    QTest::addColumn<bool>("widest");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Ulmo throw at 100 in.") << false << "Label94"
                                           << "162.80" << kBlackText;
    QTest::newRow("Corvin NRX warning at 100 in.") << false << "Label63"
                                                   << "Screen" << kRedText;
    QTest::newRow("Corvin WT2 warning at 100 in.") << false << "Label79"
                                                   << "Small" << kRedText;
    QTest::newRow("Ulmo warning at 240 in.") << true << "Label98"
                                             << "Big" << kRedText;
    QTest::newRow("Corvin WT2 back to black at 240 in.") << true << "Label65"
                                                         << "437.3" << kBlackText;
}

void WindowInputsTest::warningsRedResultsBlack()
{
    QFETCH(bool, widest);
    QFETCH(QString, label);
    QFETCH(QString, caption);
    QFETCH(QColor, colour);
    if (widest) {
        m_window->click("Option4");
        perform("HSBM", Gesture::Key, Qt::Key_End, 1);
    }
    const QByteArray name = label.toLatin1();
    QCOMPARE(m_window->shown(name.constData()), caption);
    QCOMPARE(m_window->shownColour(name.constData()), colour);
    const Colour held = m_window->model.controls().control(m_window->model.id(name.constData())).foreColor;
    QCOMPARE(held, colour == kRedText ? qvd::kRed : qvd::kBlack);
}

void WindowInputsTest::eventsReachTheModelOnce_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("value");
    // The second Change is the model's own, raised inside the range write.
    QTest::newRow("hig arrow from its design range") << "hig" << Gesture::ArrowRight << 0 << 1 << 2 << 30;
    QTest::newRow("angle arrow") << "hsbM1" << Gesture::ArrowRight << 0 << 1 << 1 << 11;
    QTest::newRow("angle page area") << "hsbM1" << Gesture::PageLeft << 0 << 2 << 2 << 8;
    QTest::newRow("angle End key, then End at the end moves nothing")
        << "hsbM1" << Gesture::Key << int(Qt::Key_End) << 2 << 1 << 15;
    QTest::newRow("angle arrow at the start moves nothing") << "hsbM1" << Gesture::ArrowLeft << 0 << 27 << 25 << -15;
}

void WindowInputsTest::eventsReachTheModelOnce()
{
    QFETCH(QString, bar);
    QFETCH(Gesture, gesture);
    QFETCH(int, key);
    QFETCH(int, times);
    QFETCH(int, changes);
    QFETCH(int, value);
    const QByteArray name = bar.toLatin1();
    countEvents("hig", &MainWindow::hig_Change, &MainWindow::hig_Scroll);
    countEvents("hsbM1", &MainWindow::hsbM1_Change, &MainWindow::hsbM1_Scroll);
    m_window->click("Option13");

    perform(name.constData(), gesture, Qt::Key(key), times);

    QCOMPARE(m_changes, changes);
    QCOMPARE(m_scrolls, 0);
    QCOMPARE(m_window->widget<QScrollBar>(name.constData())->value(), value);
    QCOMPARE(m_window->heldValue(name.constData()), value);
}

void WindowInputsTest::modelWritesAreFollowedWithoutEcho()
{
    countEvents("hsbM1", &MainWindow::hsbM1_Change, &MainWindow::hsbM1_Scroll);
    // A range write that moves the value raises Change inside the model; the
    // view only shows the result and raises nothing of its own.
    m_window->model.controls().setMin(m_window->model.id("hsbM1"), 12);
    QCOMPARE(m_changes, 1);
    auto* angle = m_window->widget<QScrollBar>("hsbM1");
    QCOMPARE(angle->minimum(), 12);
    QCOMPARE(angle->value(), 12);
    QCOMPARE(m_window->shown("Label148"), QStringLiteral("12"));
    QCOMPARE(m_window->labelsDifferingFromTheModel(), QStringList());
}

QTEST_MAIN(WindowInputsTest)
#include "tst_window_inputs.moc"
