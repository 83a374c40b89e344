// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// A seeded storm of user actions of every kind on the window, from the
// introduction on: mouse clicks routed as the screen routes them (so a
// covered control is never hit), arrows, page areas, thumb drags, keys, the
// wheel, accessible values and actions, and the calls a test tool makes on
// the widgets. After every action every widget shows what the model holds.

#include "view_test_support.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTest>
#include <QWheelEvent>

using namespace qvd;
using qvd::test::scrollBarPart;
using qvd::test::WindowUnderTest;

class InputStormTest : public QObject {
    Q_OBJECT

private slots:
    void widgetsFollowTheModelThroughAStorm_data();
    void widgetsFollowTheModelThroughAStorm();
};

namespace {

constexpr int kActions = 2000;
// The first actions spare the introduction's button, so that a good many
// land on the covered controls before the storm goes on to everything.
constexpr int kCoveredActions = 300;

class Storm {
public:
    Storm(WindowUnderTest& window, quint32 seed)
        : m_window(window)
        , m_model(window.model)
        , m_random(seed)
    {
        for (std::size_t s = 0; s < kSizingCount; ++s) {
            m_options.push_back(m_model.sizeOption(static_cast<Sizing>(s)));
            m_bars.push_back(m_model.sizeBar(static_cast<Sizing>(s)));
        }
        m_options.push_back(m_model.unitOption(UnitSystem::Inches));
        m_options.push_back(m_model.unitOption(UnitSystem::Centimetres));
        m_bars.push_back(m_model.angleBar());
        spareTheIntroduction(false);
    }

    // Aims nothing at the introduction's button: no click on it, no key
    // that would press it.
    void spareTheIntroduction(bool spare)
    {
        m_spare = spare;
        m_buttons = m_options;
        if (!spare)
            m_buttons.push_back(m_model.continueButton());
    }

    // Does one action chosen at random; returns what it did.
    QString act()
    {
        switch (m_random.bounded(11)) {
        case 0:
            return clickAt(pick(m_buttons));
        case 1:
            return clickBarPart();
        case 2:
            return drag();
        case 3:
            return key();
        case 4:
            return wheel();
        case 5:
            return accessibleValue();
        case 6:
            return accessibleAction();
        case 7:
            return toolCall();
        case 8:
            return clickAt(pick(m_options));
        case 9:
            return m_random.bounded(8) == 0 && !m_spare ? clickAt(m_model.continueButton()) : clickBarPart();
        default:
            return key();
        }
    }

private:
    ControlId pick(const std::vector<ControlId>& ids) { return ids[m_random.bounded(static_cast<int>(ids.size()))]; }
    QWidget* widget(ControlId id) const { return m_window.widget(id); }
    QWindow* window() const { return m_window.view.windowHandle(); }
    QPoint inWindow(ControlId id, QPoint at) const { return widget(id)->mapTo(&m_window.view, at); }
    QString named(const char* what, ControlId id) const
    {
        return QStringLiteral("%1 %2").arg(QLatin1String(what), QLatin1String(m_window.name(id)));
    }

    // A mouse click where the control lies on screen; whatever is on top there takes it.
    QString clickAt(ControlId id)
    {
        QTest::mouseClick(window(), Qt::LeftButton, {}, inWindow(id, widget(id)->rect().center()));
        return named("click", id);
    }

    QString clickBarPart()
    {
        static constexpr QStyle::SubControl kParts[] = {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine,
            QStyle::SC_ScrollBarSubPage, QStyle::SC_ScrollBarAddPage};
        const ControlId bar = pick(m_bars);
        const QStyle::SubControl part = kParts[m_random.bounded(4)];
        const QRect rect = scrollBarPart(m_window.widget<QScrollBar>(bar), part);
        if (rect.isEmpty())
            return named("no part to click on", bar);
        QTest::mouseClick(window(), Qt::LeftButton, {}, inWindow(bar, rect.center()));
        return named("click a part of", bar) + QString::number(part);
    }

    // Presses the thumb, moves it in a few steps to random points (each a
    // Scroll), and releases it (a Change).
    QString drag()
    {
        const ControlId bar = pick(m_bars);
        auto* scrollBar = m_window.widget<QScrollBar>(bar);
        QPoint at = inWindow(bar, scrollBarPart(scrollBar, QStyle::SC_ScrollBarSlider).center());
        QTest::mousePress(window(), Qt::LeftButton, {}, at);
        const int steps = m_random.bounded(1, 5);
        for (int step = 0; step < steps; ++step) {
            at = inWindow(bar, QPoint(m_random.bounded(-20, scrollBar->width() + 20), scrollBar->height() / 2));
            QTest::mouseMove(window(), at);
        }
        QTest::mouseRelease(window(), Qt::LeftButton, {}, at);
        return named("drag", bar);
    }

    // A key to whatever has the focus, after a click or Tab has perhaps moved it.
    QString key()
    {
        static constexpr Qt::Key kKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
            Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter};
        // The last three press a focused button.
        const int keys = static_cast<int>(std::size(kKeys)) - (m_spare ? 3 : 0);
        const Qt::Key key = kKeys[m_random.bounded(keys)];
        if (m_random.bounded(3) == 0)
            widget(pick(m_bars))->setFocus();
        QTest::keyClick(window(), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        const QWidget* focus = QApplication::focusWidget();
        return QStringLiteral("key %1 on %2").arg(key).arg(focus != nullptr ? focus->objectName() : QString());
    }

    // A wheel turn over the bar, to whatever is on top there.
    QString wheel()
    {
        const ControlId bar = pick(m_bars);
        const QPoint at = inWindow(bar, widget(bar)->rect().center());
        QWidget* target = m_window.view.childAt(at);
        if (target == nullptr)
            return named("wheel over nothing at", bar);
        const int notches = m_random.bounded(-3, 4);
        QWheelEvent event(target->mapFrom(&m_window.view, QPointF(at)), target->mapToGlobal(QPointF(0, 0)), {},
            QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
        return named("wheel", bar) + QString::number(notches);
    }

    // Any bar, shown or not, covered or not, to a value in or out of its range.
    QString accessibleValue()
    {
        const ControlId bar = pick(m_bars);
        const ControlState& state = m_model.controls().control(bar);
        const int value = m_random.bounded(state.min - 20, state.max + 21);
        QAccessible::queryAccessibleInterface(widget(bar))->valueInterface()->setCurrentValue(value);
        return named("accessible value", bar) + QString::number(value);
    }

    QString accessibleAction()
    {
        const ControlId button = pick(m_buttons);
        QAccessibleActionInterface* actions = QAccessible::queryAccessibleInterface(widget(button))->actionInterface();
        const QStringList names = actions->actionNames();
        const QString action = names[m_random.bounded(static_cast<int>(names.size()))];
        actions->doAction(action);
        return named("accessible action", button) + QLatin1Char(' ') + action;
    }

    QString toolCall()
    {
        switch (m_random.bounded(4)) {
        case 0: {
            const ControlId bar = pick(m_bars);
            const int value = m_random.bounded(-100, 800);
            m_window.widget<QScrollBar>(bar)->setValue(value);
            return named("setValue", bar) + QString::number(value);
        }
        case 1: {
            const ControlId option = pick(m_options);
            const bool checked = m_random.bounded(2) == 0;
            m_window.widget<QRadioButton>(option)->setChecked(checked);
            return named(checked ? "setChecked(true)" : "setChecked(false)", option);
        }
        case 2: {
            const ControlId option = pick(m_options);
            m_window.widget<QRadioButton>(option)->toggle();
            return named("toggle", option);
        }
        default: {
            const ControlId button = pick(m_buttons);
            m_window.widget<QAbstractButton>(button)->click();
            return named("click()", button);
        }
        }
    }

    WindowUnderTest& m_window;
    MainWindow& m_model;
    QRandomGenerator m_random;
    std::vector<ControlId> m_options;
    std::vector<ControlId> m_bars;
    std::vector<ControlId> m_buttons;
    bool m_spare = false;
};

} // namespace

void InputStormTest::widgetsFollowTheModelThroughAStorm_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::newRow("seed 1") << 1u;
    QTest::newRow("seed 20261208") << 20261208u;
}

void InputStormTest::widgetsFollowTheModelThroughAStorm()
{
    QFETCH(quint32, seed);
    WindowUnderTest window;
    QVERIFY(window.start());
    Storm storm(window, seed);
    const ControlSet& controls = window.model.controls();
    const auto introduced = [&controls, &window] { return controls.isVisible(window.model.introduction()); };
    int covered = 0;
    for (int step = 0; step < kActions; ++step) {
        storm.spareTheIntroduction(step < kCoveredActions);
        const bool wasIntroduced = introduced();
        const test::WindowDump before = wasIntroduced ? test::modelDump(window.model) : test::WindowDump{};
        covered += wasIntroduced ? 1 : 0;
        const QString action = storm.act();
        const QStringList differing = window.widgetsDifferingFromTheModel();
        if (!differing.isEmpty())
            QFAIL(qPrintable(QStringLiteral("after action %1 (%2): %3").arg(step).arg(action, differing.join(' '))));
        // Beneath the introduction nothing takes input: only its own button changes anything.
        if (wasIntroduced && introduced()) {
            const QString written = test::writtenSince(window.model, before);
            if (!written.isEmpty())
                QFAIL(qPrintable(
                    QStringLiteral("action %1 (%2) reached a covered control: %3").arg(step).arg(action, written)));
        }
    }
    QVERIFY(window.errors.empty());
    // The storm met the introduction, and went on past it.
    QVERIFY(covered >= kCoveredActions);
    QVERIFY(covered < kActions);
}

QTEST_MAIN(InputStormTest)
#include "tst_input_storm.moc"
