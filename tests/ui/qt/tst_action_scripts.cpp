// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The conformance table on the desktop: each script's steps done on the real
// widgets (mouse clicks, keys, Tab, a bar's arrows, trough and thumb), and
// after each step what the widgets show and where the focus is equal the
// model's own replay of the same steps.

#include "view_test_support.h"

#include <QTest>

using namespace qvd;
using qvd::test::ActionScript;
using qvd::test::ActionStep;
using qvd::test::WindowUnderTest;

namespace {

Qt::Key qtKey(Key key)
{
    switch (key) {
    case Key::Left:
        return Qt::Key_Left;
    case Key::Right:
        return Qt::Key_Right;
    case Key::Up:
        return Qt::Key_Up;
    case Key::Down:
        return Qt::Key_Down;
    case Key::PageUp:
        return Qt::Key_PageUp;
    case Key::PageDown:
        return Qt::Key_PageDown;
    case Key::Home:
        return Qt::Key_Home;
    case Key::End:
        return Qt::Key_End;
    case Key::Space:
        return Qt::Key_Space;
    case Key::Enter:
        return Qt::Key_Return;
    }
    return Qt::Key_unknown;
}

void perform(WindowUnderTest& window, const ActionStep& step)
{
    switch (step.kind) {
    case ActionStep::Kind::None:
        break;
    case ActionStep::Kind::Click:
        window.click(step.control);
        break;
    case ActionStep::Kind::Key:
        window.type(qtKey(step.key));
        break;
    case ActionStep::Kind::Tab:
        window.type(step.forward ? Qt::Key_Tab : Qt::Key_Backtab);
        break;
    case ActionStep::Kind::Arrow:
        window.clickPart(step.control, step.forward ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine);
        break;
    case ActionStep::Kind::Page:
        window.clickPart(step.control, step.forward ? QStyle::SC_ScrollBarAddPage : QStyle::SC_ScrollBarSubPage);
        break;
    case ActionStep::Kind::Drag:
        window.dragThumb(step.control, step.forward);
        break;
    }
}

} // namespace

class ActionScriptsTest : public QObject {
    Q_OBJECT

private slots:
    void viewEqualsTheModelsReplay_data();
    void viewEqualsTheModelsReplay();
};

void ActionScriptsTest::viewEqualsTheModelsReplay_data()
{
    QTest::addColumn<int>("script");
    const std::vector<ActionScript> scripts = qvd::test::actionScripts();
    for (std::size_t i = 0; i < scripts.size(); ++i)
        QTest::newRow(scripts[i].name.c_str()) << static_cast<int>(i);
}

void ActionScriptsTest::viewEqualsTheModelsReplay()
{
    QFETCH(int, script);
    const ActionScript actions = qvd::test::actionScripts().at(static_cast<std::size_t>(script));
    const std::vector<qvd::test::WindowDump> held = qvd::test::replayScript(actions);
    WindowUnderTest window;
    QVERIFY(window.start());
    QCOMPARE(qvd::test::described(qvd::test::differences(held[0], window.shownDump())), QString());
    for (std::size_t step = 0; step < actions.steps.size(); ++step) {
        perform(window, actions.steps[step]);
        const QString found = qvd::test::described(qvd::test::differences(held[step + 1], window.shownDump()));
        QVERIFY2(found.isEmpty(), qPrintable(QStringLiteral("step %1: %2").arg(step).arg(found)));
    }
}

QTEST_MAIN(ActionScriptsTest)
#include "tst_action_scripts.moc"
