// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
// The window as assistive technology reaches it, through Qt's accessible
// interfaces: values set, actions done, roles, states and names heard. After
// each, the model holds what the widgets show, and each activation has
// raised exactly one event of the model.

#include "view_test_support.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

using namespace qvd;
using qvd::test::WindowUnderTest;

using Events = std::vector<std::pair<ControlId, Event>>;

class AssistiveToolsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void accessibleValueIsOneChange_data();
    void accessibleValueIsOneChange();
    void everyOptionActionIsOneClick();
    void toolCallsOnAnOptionAreOneClick_data();
    void toolCallsOnAnOptionAreOneClick();
    void continueByEveryKeyAndAction_data();
    void continueByEveryKeyAndAction();
    void rolesAndStatesAreTheModels();
    void noDesignNameIsSpoken();

private:
    QAccessibleInterface* accessible(ControlId id) const
    {
        return QAccessible::queryAccessibleInterface(m_window->widget(id));
    }
    void verifyInStep() const { QCOMPARE(m_window->widgetsDifferingFromTheModel(), QStringList()); }

    std::unique_ptr<WindowUnderTest> m_window;
};

void AssistiveToolsTest::init()
{
    m_window = std::make_unique<WindowUnderTest>();
    QVERIFY(m_window->start());
    m_window->recordEvents();
}

enum class Bar { Angle, Width, Height };
Q_DECLARE_METATYPE(Bar)

void AssistiveToolsTest::accessibleValueIsOneChange_data()
{
    QTest::addColumn<bool>("continued");
    QTest::addColumn<Bar>("bar");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("changes");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("angle");
    QTest::newRow("angle to -5") << true << Bar::Angle << -5 << -5 << 1 << "100"
                                 << "-5";
    QTest::newRow("angle past its end stops at 15") << true << Bar::Angle << 40 << 15 << 1 << "100"
                                                    << "15";
    QTest::newRow("width to 150 in.") << true << Bar::Width << 150 << 150 << 1 << "150"
                                      << "10";
    // The first Change sets the inch range, which moves the value again.
    QTest::newRow("width to 500 ends at 240 in.") << true << Bar::Width << 500 << 240 << 2 << "240"
                                                  << "10";
    QTest::newRow("hidden height bar takes nothing") << true << Bar::Height << 50 << 0 << 0 << "100"
                                                     << "10";
    QTest::newRow("angle under the introduction takes nothing") << false << Bar::Angle << -5 << 10 << 0 << "100"
                                                                << "10";
}

void AssistiveToolsTest::accessibleValueIsOneChange()
{
    QFETCH(bool, continued);
    QFETCH(Bar, bar);
    QFETCH(int, set);
    QFETCH(int, value);
    QFETCH(int, changes);
    QFETCH(QString, width);
    QFETCH(QString, angle);
    MainWindow& model = m_window->model;
    if (continued) {
        m_window->click(model.continueButton());
        m_window->click(model.sizeOption(Sizing::Width));
    }
    m_window->events.clear();
    const ControlId id = bar == Bar::Angle ? model.angleBar()
        : bar == Bar::Width                ? model.sizeBar(Sizing::Width)
                                           : model.sizeBar(Sizing::Height);

    QAccessibleValueInterface* access = accessible(id)->valueInterface();
    QVERIFY(access != nullptr);
    access->setCurrentValue(set);

    QCOMPARE(m_window->events, Events(changes, {id, Event::Change}));
    QCOMPARE(m_window->heldValue(id), value);
    QCOMPARE(access->currentValue().toInt(), value);
    QCOMPARE(access->minimumValue().toInt(), model.controls().control(id).min);
    QCOMPARE(access->maximumValue().toInt(), model.controls().control(id).max);
    QCOMPARE(m_window->shown(model.widthCaption()), width);
    QCOMPARE(m_window->shown(model.angleCaption()), angle);
    verifyInStep();
}

// Press and Toggle (and SetFocus, which clicks nothing) on every option
// button, from every state the buttons can be in.
void AssistiveToolsTest::everyOptionActionIsOneClick()
{
    MainWindow& model = m_window->model;
    m_window->click(model.continueButton());
    const ControlId options[]
        = {model.sizeOption(Sizing::Width), model.sizeOption(Sizing::Height), model.sizeOption(Sizing::Diagonal),
            model.unitOption(UnitSystem::Inches), model.unitOption(UnitSystem::Centimetres)};
    for (const ControlId option : options) {
        QAccessibleActionInterface* actions = accessible(option)->actionInterface();
        QVERIFY(actions != nullptr);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        for (const QString& action : actions->actionNames()) {
            const QByteArray what = QString(m_window->name(option) + QLatin1Char(' ') + action).toUtf8();
            m_window->events.clear();
            actions->doAction(action);
            const bool clicks = action != QAccessibleActionInterface::setFocusAction();
            QVERIFY2(m_window->events == (clicks ? Events{{option, Event::Click}} : Events{}), what);
            if (clicks)
                QVERIFY2(model.controls().isSelected(option), what);
            QVERIFY2(accessible(option)->state().checked == model.controls().isSelected(option), what);
            verifyInStep();
        }
    }
    // The last size option chosen shows its bar; the unit last chosen is the only one checked.
    QVERIFY(m_window->widget(model.sizeBar(Sizing::Diagonal))->isVisibleTo(&m_window->view));
    QVERIFY(!m_window->widget<QRadioButton>(model.unitOption(UnitSystem::Inches))->isChecked());
}

enum class ToolCall { Click, Toggle, CheckOn, CheckOff };
Q_DECLARE_METATYPE(ToolCall)

void AssistiveToolsTest::toolCallsOnAnOptionAreOneClick_data()
{
    QTest::addColumn<ToolCall>("call");
    QTest::addColumn<bool>("onSelected");
    QTest::addColumn<int>("clicks");
    QTest::newRow("click()") << ToolCall::Click << false << 1;
    QTest::newRow("toggle()") << ToolCall::Toggle << false << 1;
    QTest::newRow("setChecked(true)") << ToolCall::CheckOn << false << 1;
    QTest::newRow("setChecked(false) on an unchecked one changes nothing") << ToolCall::CheckOff << false << 0;
    QTest::newRow("toggle() on the selected one keeps it") << ToolCall::Toggle << true << 1;
    QTest::newRow("setChecked(false) on the selected one keeps it") << ToolCall::CheckOff << true << 1;
}

void AssistiveToolsTest::toolCallsOnAnOptionAreOneClick()
{
    QFETCH(ToolCall, call);
    QFETCH(bool, onSelected);
    QFETCH(int, clicks);
    MainWindow& model = m_window->model;
    m_window->click(model.continueButton());
    const ControlId inches = model.unitOption(UnitSystem::Inches);
    const ControlId option = onSelected ? inches : model.unitOption(UnitSystem::Centimetres);
    auto* button = m_window->widget<QRadioButton>(option);
    m_window->events.clear();
    switch (call) {
    case ToolCall::Click:
        button->click();
        break;
    case ToolCall::Toggle:
        button->toggle();
        break;
    case ToolCall::CheckOn:
        button->setChecked(true);
        break;
    case ToolCall::CheckOff:
        button->setChecked(false);
        break;
    }
    QCOMPARE(m_window->events, Events(clicks, {option, Event::Click}));
    // One unit is selected, as the model says.
    QCOMPARE(model.controls().isSelected(inches), onSelected || clicks == 0);
    verifyInStep();
}

void AssistiveToolsTest::continueByEveryKeyAndAction_data()
{
    QTest::addColumn<int>("key"); // 0: the accessible Press action
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Press") << 0;
}

void AssistiveToolsTest::continueByEveryKeyAndAction()
{
    QFETCH(int, key);
    MainWindow& model = m_window->model;
    const ControlId button = model.continueButton();
    QCOMPARE(QApplication::focusWidget(), m_window->widget(button));
    // Nothing beneath the introduction takes an action meanwhile.
    accessible(model.unitOption(UnitSystem::Centimetres))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(m_window->events.empty());
    if (key == 0)
        accessible(button)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    else
        QTest::keyClick(
            m_window->widget(button), Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(m_window->events, Events({{button, Event::Click}}));
    QVERIFY(!model.controls().isVisible(model.introduction()));
    verifyInStep();
}

void AssistiveToolsTest::rolesAndStatesAreTheModels()
{
    MainWindow& model = m_window->model;
    m_window->click(model.continueButton());
    m_window->click(model.unitOption(UnitSystem::Centimetres));
    m_window->click(model.sizeOption(Sizing::Height));
    accessible(model.sizeBar(Sizing::Height))->valueInterface()->setCurrentValue(200);
    const ControlSet& controls = model.controls();
    for (ControlId id = 0; id < controls.size(); ++id) {
        const ControlState& state = controls.control(id);
        QAccessibleInterface* access = accessible(id);
        const QByteArray name = state.name.c_str();
        switch (state.kind) {
        case ControlKind::OptionButton:
            QCOMPARE(access->role(), QAccessible::RadioButton);
            QVERIFY2(access->state().checkable, name);
            QCOMPARE(access->state().checked, controls.isSelected(id));
            break;
        case ControlKind::HScrollBar:
            QCOMPARE(access->role(), QAccessible::ScrollBar);
            QCOMPARE(access->valueInterface()->currentValue().toInt(), state.value);
            QCOMPARE(access->valueInterface()->minimumValue().toInt(), state.min);
            QCOMPARE(access->valueInterface()->maximumValue().toInt(), state.max);
            QCOMPARE(access->state().invisible, !state.visible);
            break;
        case ControlKind::Label:
            QCOMPARE(access->role(), QAccessible::StaticText);
            QCOMPARE(access->text(QAccessible::Value), QString::fromStdString(state.caption));
            QCOMPARE(access->textInterface()->text(0, -1), QString::fromStdString(state.caption));
            break;
        case ControlKind::PushButton:
            QCOMPARE(access->role(), QAccessible::Button);
            break;
        case ControlKind::Frame:
            QCOMPARE(access->role(), QAccessible::Grouping);
            break;
        }
    }
    QCOMPARE(m_window->heldValue(model.sizeBar(Sizing::Height)), 200);
    QCOMPARE(m_window->shown(model.heightCaption()), QStringLiteral("200"));
    verifyInStep();
}

// Every name, description and value the window's accessible tree gives, and
// every widget's own, is free of design names.
void AssistiveToolsTest::noDesignNameIsSpoken()
{
    QStringList designNames{QString::fromLatin1(formDesign().name.data(), formDesign().name.size())};
    for (const ControlDesign& design : controlDesigns())
        designNames << QString::fromLatin1(design.name.data(), design.name.size());
    const QRegularExpression anyName(QStringLiteral("\\b(%1)\\b").arg(designNames.join(QLatin1Char('|'))));
    QStringList heard;
    const auto listen = [&heard](const QString& text) {
        heard << text;
        return text;
    };
    std::vector<QAccessibleInterface*> pending{QAccessible::queryAccessibleInterface(&m_window->view)};
    int interfaces = 0;
    while (!pending.empty()) {
        QAccessibleInterface* access = pending.back();
        pending.pop_back();
        ++interfaces;
        for (const auto text : {QAccessible::Name, QAccessible::Description, QAccessible::Value, QAccessible::Help})
            listen(access->text(text));
        for (int i = 0; i < access->childCount(); ++i)
            pending.push_back(access->child(i));
    }
    QVERIFY(interfaces > static_cast<int>(controlDesigns().size()));
    for (const QWidget* widget : m_window->view.findChildren<QWidget*>()) {
        listen(widget->accessibleName());
        listen(widget->accessibleDescription());
    }
    for (ControlId id = 0; id < m_window->model.controls().size(); ++id)
        QVERIFY2(!m_window->widget(id)->accessibleName().isEmpty(), m_window->name(id));
    QCOMPARE(heard.filter(anyName), QStringList());
    QVERIFY(heard.contains(QStringLiteral("Introduction")));
}

QTEST_MAIN(AssistiveToolsTest)
#include "tst_assistive_tools.moc"
