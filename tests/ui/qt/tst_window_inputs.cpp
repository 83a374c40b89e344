// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The inputs of the working window driven as a person would: option buttons,
// scroll bar arrows, page areas, keys and thumb drags. Each case checks what
// the widgets show and what the model holds.

#include "view_test_support.h"

#include <QRadioButton>
#include <QTest>

using namespace qvd;
using qvd::test::result;
using qvd::test::roles;
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
    void perform(ControlId bar, Gesture gesture, Qt::Key key, int times);
    // Counts the Change and Scroll events of `bar` that reach its handlers.
    void countEvents(ControlId bar, void (MainWindow::*change)(), void (MainWindow::*scroll)());

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
    m_window->click(roles().continueButton());
}

void WindowInputsTest::perform(ControlId bar, Gesture gesture, Qt::Key key, int times)
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

void WindowInputsTest::countEvents(ControlId bar, void (MainWindow::*change)(), void (MainWindow::*scroll)())
{
    ControlSet& controls = m_window->model.controls();
    MainWindow& model = m_window->model;
    const ControlId id = bar;
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
    QTest::addColumn<QList<ControlId>>("clicks");
    QTest::addColumn<ControlId>("visibleBar");
    QTest::newRow("width") << QList<ControlId>{roles().sizeOption(Sizing::Width)} << roles().sizeBar(Sizing::Width);
    QTest::newRow("height") << QList<ControlId>{roles().sizeOption(Sizing::Height)} << roles().sizeBar(Sizing::Height);
    QTest::newRow("diagonal") << QList<ControlId>{roles().sizeOption(Sizing::Diagonal)}
                              << roles().sizeBar(Sizing::Diagonal);
    QTest::newRow("diagonal then width") << QList<ControlId>{roles().sizeOption(Sizing::Diagonal),
        roles().sizeOption(Sizing::Width)}
                                         << roles().sizeBar(Sizing::Width);
    // Regression: Qt unchecks a non-exclusive radio button clicked a second time.
    QTest::newRow("height clicked twice")
        << QList<ControlId>{roles().sizeOption(Sizing::Height), roles().sizeOption(Sizing::Height)}
        << roles().sizeBar(Sizing::Height);
}

void WindowInputsTest::sizingOptionsShowTheirBar()
{
    QFETCH(QList<ControlId>, clicks);
    QFETCH(ControlId, visibleBar);
    for (const ControlId option : clicks)
        m_window->click(option);

    const ControlId selected = clicks.last();
    for (const ControlId option :
        {roles().sizeOption(Sizing::Width), roles().sizeOption(Sizing::Height), roles().sizeOption(Sizing::Diagonal)}) {
        const bool expected = selected == option;
        QCOMPARE(m_window->widget<QRadioButton>(option)->isChecked(), expected);
        QCOMPARE(m_window->model.controls().isSelected(option), expected);
    }
    for (const ControlId bar :
        {roles().sizeBar(Sizing::Width), roles().sizeBar(Sizing::Height), roles().sizeBar(Sizing::Diagonal)}) {
        const bool expected = visibleBar == bar;
        QCOMPARE(m_window->widget(bar)->isVisibleTo(&m_window->view), expected);
        QCOMPARE(m_window->model.controls().isVisible(bar), expected);
    }
    // Choosing a mode moves no value.
    QCOMPARE(m_window->shown(roles().widthCaption()), QStringLiteral("100"));
    QCOMPARE(m_window->shown(roles().heightCaption()), QString());
}

void WindowInputsTest::unitOptionsExcludeEachOtherAndRecalculateNothing()
{
    m_window->click(roles().unitOption(UnitSystem::Centimetres));
    QVERIFY(m_window->widget<QRadioButton>(roles().unitOption(UnitSystem::Centimetres))->isChecked());
    QVERIFY(!m_window->widget<QRadioButton>(roles().unitOption(UnitSystem::Inches))->isChecked());
    QVERIFY(m_window->model.controls().isSelected(roles().unitOption(UnitSystem::Centimetres)));
    QVERIFY(!m_window->model.controls().isSelected(roles().unitOption(UnitSystem::Inches)));
    QCOMPARE(m_window->shown(result("Ulmo", Column::Throw)), QStringLiteral("162.80"));

    // The next recalculation takes the numbers in centimetres.
    m_window->widget(roles().angleBar())->setFocus();
    m_window->type(Qt::Key_Left);
    QCOMPARE(m_window->shown(roles().angleCaption()), QStringLiteral("9"));
    QCOMPARE(m_window->shown(result("Ulmo", Column::Throw)), m_window->held(result("Ulmo", Column::Throw)));
    QVERIFY(m_window->shown(result("Ulmo", Column::Throw)) != QStringLiteral("162.80"));

    m_window->click(roles().unitOption(UnitSystem::Inches));
    QVERIFY(m_window->widget<QRadioButton>(roles().unitOption(UnitSystem::Inches))->isChecked());
    QVERIFY(!m_window->widget<QRadioButton>(roles().unitOption(UnitSystem::Centimetres))->isChecked());
}

void WindowInputsTest::scrollBarGestures_data()
{
    QTest::addColumn<bool>("centimetres");
    QTest::addColumn<QList<ControlId>>("mode"); // the sizing option clicked first, if any
    QTest::addColumn<ControlId>("bar");
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("captions"); // width, height, diagonal, angle

    const auto row = [](const char* name, bool cm, QList<ControlId> mode, ControlId bar, Gesture gesture, Qt::Key key,
                         int times, int value, QStringList captions) {
        QTest::newRow(name) << cm << mode << bar << gesture << int(key) << times << value << captions;
    };
    const Qt::Key none = Qt::Key_unknown;
    row("width bar right arrow", false, {roles().sizeOption(Sizing::Width)}, roles().sizeBar(Sizing::Width),
        Gesture::ArrowRight, none, 1, 101, {"101", "75.75", "126.25", "10"});
    row("width bar page right steps 10", false, {roles().sizeOption(Sizing::Width)}, roles().sizeBar(Sizing::Width),
        Gesture::PageRight, none, 1, 110, {"110", "82.50", "137.50", "10"});
    row("width bar page left steps 10", false, {roles().sizeOption(Sizing::Width)}, roles().sizeBar(Sizing::Width),
        Gesture::PageLeft, none, 2, 80, {"80", "60.00", "100.00", "10"});
    row("width bar End key clamps to 240 in.", false, {roles().sizeOption(Sizing::Width)},
        roles().sizeBar(Sizing::Width), Gesture::Key, Qt::Key_End, 1, 240, {"240", "180.00", "300.00", "10"});
    row("width bar Home key stops at the design minimum", false, {roles().sizeOption(Sizing::Width)},
        roles().sizeBar(Sizing::Width), Gesture::Key, Qt::Key_Home, 1, 54, {"54", "40.50", "67.50", "10"});
    row("width bar Home key twice reaches 39", false, {roles().sizeOption(Sizing::Width)},
        roles().sizeBar(Sizing::Width), Gesture::Key, Qt::Key_Home, 2, 39, {"39", "29.25", "48.75", "10"});
    row("width bar right arrow key in cm", true, {roles().sizeOption(Sizing::Width)}, roles().sizeBar(Sizing::Width),
        Gesture::Key, Qt::Key_Right, 1, 101, {"101", "75.75", "126.25", "10"});
    row("height bar first right arrow from design range", false, {roles().sizeOption(Sizing::Height)},
        roles().sizeBar(Sizing::Height), Gesture::ArrowRight, none, 1, 30, {"40.00", "30", "50.00", "10"});
    row("height bar right arrow twice", false, {roles().sizeOption(Sizing::Height)}, roles().sizeBar(Sizing::Height),
        Gesture::ArrowRight, none, 2, 31, {"41.33", "31", "51.67", "10"});
    row("height bar first right arrow in cm", true, {roles().sizeOption(Sizing::Height)},
        roles().sizeBar(Sizing::Height), Gesture::ArrowRight, none, 1, 76, {"101.33", "76", "126.67", "10"});
    row("height bar End key", false, {roles().sizeOption(Sizing::Height)}, roles().sizeBar(Sizing::Height),
        Gesture::Key, Qt::Key_End, 1, 180, {"240.00", "180", "300.00", "10"});
    row("diagonal bar first right arrow", false, {roles().sizeOption(Sizing::Diagonal)},
        roles().sizeBar(Sizing::Diagonal), Gesture::ArrowRight, none, 1, 61, {"48.8", "", "", "10"});
    row("diagonal bar End key in cm", true, {roles().sizeOption(Sizing::Diagonal)}, roles().sizeBar(Sizing::Diagonal),
        Gesture::Key, Qt::Key_End, 1, 763, {"610.4", "", "", "10"});
    row("diagonal bar End key in inches", false, {roles().sizeOption(Sizing::Diagonal)},
        roles().sizeBar(Sizing::Diagonal), Gesture::Key, Qt::Key_End, 1, 300, {"240", "", "", "10"});
    row("angle Home key", false, {}, roles().angleBar(), Gesture::Key, Qt::Key_Home, 1, -15,
        {"100", "75", "125", "-15"});
    row("angle left arrow to 0", false, {}, roles().angleBar(), Gesture::ArrowLeft, none, 10, 0,
        {"100", "75", "125", "0"});
    row("angle End key", false, {}, roles().angleBar(), Gesture::Key, Qt::Key_End, 1, 15, {"100", "75", "125", "15"});
    row("angle page left steps 1", false, {}, roles().angleBar(), Gesture::PageLeft, none, 1, 9,
        {"100", "75", "125", "9"});
    row("angle Up key steps back", false, {}, roles().angleBar(), Gesture::Key, Qt::Key_Up, 3, 7,
        {"100", "75", "125", "7"});
    row("angle Down key steps on", false, {}, roles().angleBar(), Gesture::Key, Qt::Key_Down, 2, 12,
        {"100", "75", "125", "12"});
    row("width bar Page Down key", false, {roles().sizeOption(Sizing::Width)}, roles().sizeBar(Sizing::Width),
        Gesture::Key, Qt::Key_PageDown, 1, 110, {"110", "82.50", "137.50", "10"});
    row("width bar Page Up key", false, {roles().sizeOption(Sizing::Width)}, roles().sizeBar(Sizing::Width),
        Gesture::Key, Qt::Key_PageUp, 1, 90, {"90", "67.50", "112.50", "10"});
    row("angle dragged to the start", false, {}, roles().angleBar(), Gesture::DragToStart, none, 1, -15,
        {"100", "75", "125", "-15"});
    row("width bar dragged to the end in inches", false, {roles().sizeOption(Sizing::Width)},
        roles().sizeBar(Sizing::Width), Gesture::DragToEnd, none, 1, 240, {"240", "180.00", "300.00", "10"});
}

void WindowInputsTest::scrollBarGestures()
{
    QFETCH(bool, centimetres);
    QFETCH(QList<ControlId>, mode);
    QFETCH(ControlId, bar);
    QFETCH(Gesture, gesture);
    QFETCH(int, key);
    QFETCH(int, times);
    QFETCH(int, value);
    QFETCH(QStringList, captions);
    if (centimetres)
        m_window->click(roles().unitOption(UnitSystem::Centimetres));
    for (const ControlId option : mode)
        m_window->click(option);

    perform(bar, gesture, Qt::Key(key), times);

    QCOMPARE(m_window->heldValue(bar), value);
    QCOMPARE(m_window->widget<QScrollBar>(bar)->value(), value);
    const ControlId labels[]
        = {roles().widthCaption(), roles().heightCaption(), roles().diagonalCaption(), roles().angleCaption()};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(m_window->shown(labels[i]), captions[i]);
        QCOMPARE(m_window->held(labels[i]), captions[i]);
    }
    // Every caption and colour on screen is the model's.
    QCOMPARE(m_window->widgetsDifferingFromTheModel(), QStringList());
}

void WindowInputsTest::draggingRaisesScrollThenChangeAtTheRelease()
{
    // Before its first Change the diagonal bar keeps its design range
    // 60..763 even in inches, so the drag reaches a width of 610.4.
    countEvents(roles().sizeBar(Sizing::Diagonal), &MainWindow::vert_Change, &MainWindow::vert_Scroll);
    m_window->click(roles().sizeOption(Sizing::Diagonal));
    const QPoint at = m_window->pressThumbAndMove(roles().sizeBar(Sizing::Diagonal), true);
    QCOMPARE(m_window->heldValue(roles().sizeBar(Sizing::Diagonal)), 763);
    QCOMPARE(m_window->shown(roles().widthCaption()), QStringLiteral("610.4"));
    QVERIFY(m_scrolls >= 1);
    QCOMPARE(m_changes, 0);

    m_window->release(roles().sizeBar(Sizing::Diagonal), at);
    // The Change at the release sets the inch range and so brings the value
    // to 300 with a Change of its own inside the range write.
    QCOMPARE(m_changes, 2);
    QCOMPARE(m_window->heldValue(roles().sizeBar(Sizing::Diagonal)), 300);
    QCOMPARE(m_window->widget<QScrollBar>(roles().sizeBar(Sizing::Diagonal))->maximum(), 300);
    QCOMPARE(m_window->shown(roles().widthCaption()), QStringLiteral("240"));
    QCOMPARE(m_window->held(roles().widthCaption()), QStringLiteral("240"));
}

void WindowInputsTest::unitSwitchWaitsForTheNextMove()
{
    m_window->click(roles().unitOption(UnitSystem::Centimetres));
    m_window->click(roles().sizeOption(Sizing::Width));
    perform(roles().sizeBar(Sizing::Width), Gesture::Key, Qt::Key_End, 1);
    perform(roles().sizeBar(Sizing::Width), Gesture::Key, Qt::Key_PageUp, 11);
    QCOMPARE(m_window->shown(roles().widthCaption()), QStringLiteral("500"));
    QCOMPARE(m_window->shown(roles().heightCaption()), QStringLiteral("375.00"));
    const QString throwAt500 = m_window->shown(result("Ulmo", Column::Throw));

    m_window->click(roles().unitOption(UnitSystem::Inches));
    auto* bar = m_window->widget<QScrollBar>(roles().sizeBar(Sizing::Width));
    QCOMPARE(bar->value(), 500);
    QCOMPARE(bar->minimum(), 99);
    QCOMPARE(m_window->shown(roles().widthCaption()), QStringLiteral("500"));
    QCOMPARE(m_window->shown(result("Ulmo", Column::Throw)), throwAt500);

    perform(roles().sizeBar(Sizing::Width), Gesture::ArrowRight, Qt::Key_unknown, 1);
    QCOMPARE(bar->value(), 240);
    QCOMPARE(bar->maximum(), 240);
    QCOMPARE(m_window->heldValue(roles().sizeBar(Sizing::Width)), 240);
    QCOMPARE(m_window->shown(roles().widthCaption()), QStringLiteral("240"));
    QCOMPARE(m_window->shown(roles().heightCaption()), QStringLiteral("180.00"));
    QCOMPARE(m_window->shown(roles().diagonalCaption()), QStringLiteral("300.00"));
}

void WindowInputsTest::warningsRedResultsBlack_data()
{
    QTest::addColumn<bool>("widest");
    QTest::addColumn<ControlId>("label");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Ulmo throw at 100 in.") << false << result("Ulmo", Column::Throw) << "162.80" << kBlackText;
    QTest::newRow("Corvin NRX warning at 100 in.")
        << false << result("Corvin NRX", Column::Throw) << "Screen" << kRedText;
    QTest::newRow("Corvin WT2 warning at 100 in.")
        << false << result("Corvin WT2", Column::Offset) << "Small" << kRedText;
    QTest::newRow("Ulmo warning at 240 in.") << true << result("Ulmo", Column::Offset) << "Big" << kRedText;
    QTest::newRow("Corvin WT2 back to black at 240 in.")
        << true << result("Corvin WT2", Column::Throw) << "437.3" << kBlackText;
}

void WindowInputsTest::warningsRedResultsBlack()
{
    QFETCH(bool, widest);
    QFETCH(ControlId, label);
    QFETCH(QString, caption);
    QFETCH(QColor, colour);
    if (widest) {
        m_window->click(roles().sizeOption(Sizing::Width));
        perform(roles().sizeBar(Sizing::Width), Gesture::Key, Qt::Key_End, 1);
    }
    QCOMPARE(m_window->shown(label), caption);
    QCOMPARE(m_window->shownColour(label), colour);
    const Colour held = m_window->model.controls().control(label).foreColor;
    QCOMPARE(held, colour == kRedText ? qvd::kRed : qvd::kBlack);
}

void WindowInputsTest::eventsReachTheModelOnce_data()
{
    QTest::addColumn<ControlId>("bar");
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("value");
    // The second Change is the model's own, raised inside the range write.
    QTest::newRow("height bar arrow from its design range")
        << roles().sizeBar(Sizing::Height) << Gesture::ArrowRight << 0 << 1 << 2 << 30;
    QTest::newRow("angle arrow") << roles().angleBar() << Gesture::ArrowRight << 0 << 1 << 1 << 11;
    QTest::newRow("angle page area") << roles().angleBar() << Gesture::PageLeft << 0 << 2 << 2 << 8;
    QTest::newRow("angle End key, then End at the end moves nothing")
        << roles().angleBar() << Gesture::Key << int(Qt::Key_End) << 2 << 1 << 15;
    QTest::newRow("angle arrow at the start moves nothing")
        << roles().angleBar() << Gesture::ArrowLeft << 0 << 27 << 25 << -15;
}

void WindowInputsTest::eventsReachTheModelOnce()
{
    QFETCH(ControlId, bar);
    QFETCH(Gesture, gesture);
    QFETCH(int, key);
    QFETCH(int, times);
    QFETCH(int, changes);
    QFETCH(int, value);
    countEvents(roles().sizeBar(Sizing::Height), &MainWindow::hig_Change, &MainWindow::hig_Scroll);
    countEvents(roles().angleBar(), &MainWindow::hsbM1_Change, &MainWindow::hsbM1_Scroll);
    m_window->click(roles().sizeOption(Sizing::Height));

    perform(bar, gesture, Qt::Key(key), times);

    QCOMPARE(m_changes, changes);
    QCOMPARE(m_scrolls, 0);
    QCOMPARE(m_window->widget<QScrollBar>(bar)->value(), value);
    QCOMPARE(m_window->heldValue(bar), value);
}

void WindowInputsTest::modelWritesAreFollowedWithoutEcho()
{
    countEvents(roles().angleBar(), &MainWindow::hsbM1_Change, &MainWindow::hsbM1_Scroll);
    // A range write that moves the value raises Change inside the model; the
    // view only shows the result and raises nothing of its own.
    m_window->model.controls().setMin(roles().angleBar(), 12);
    QCOMPARE(m_changes, 1);
    auto* angle = m_window->widget<QScrollBar>(roles().angleBar());
    QCOMPARE(angle->minimum(), 12);
    QCOMPARE(angle->value(), 12);
    QCOMPARE(m_window->shown(roles().angleCaption()), QStringLiteral("12"));
    QCOMPARE(m_window->widgetsDifferingFromTheModel(), QStringList());
}

QTEST_MAIN(WindowInputsTest)
#include "tst_window_inputs.moc"
