// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "view_test_support.h"

#include "ui/qt/job/table_actions.h"
#include "ui/qt/window/control_widgets.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStyleOptionSlider>
#include <QTest>

#include <algorithm>

namespace qvd::test {

WindowUnderTest::WindowUnderTest()
    : session(NumberFormat{})
    , model(session.window())
    , window(session)
    , view(window.view())
    , actions(window.actions())
{
    view.setErrorReporter([this](const RuntimeError& error) { errors.push_back(error.kind()); });
}

bool WindowUnderTest::start() { return view.start() && QTest::qWaitForWindowActive(&view); }

QString WindowUnderTest::shown(ControlId label) const { return widget<QLabel>(label)->text(); }

QString WindowUnderTest::held(ControlId label) const { return QString::fromStdString(model.controls().caption(label)); }

QColor WindowUnderTest::shownColour(ControlId label) const { return widget<CaptionLabel>(label)->textColour(); }

int WindowUnderTest::heldValue(ControlId bar) const { return model.controls().value(bar); }

QStringList WindowUnderTest::widgetsDifferingFromTheModel() const
{
    QStringList differing;
    const ControlSet& controls = model.controls();
    const QWidget* intro = view.widget(model.introduction());
    for (ControlId id = 0; id < controls.size(); ++id) {
        const ControlState& state = controls.control(id);
        QWidget* widget = view.widget(id);
        const QString caption = QString::fromStdString(state.caption);
        QStringList what;
        switch (state.kind) {
        case ControlKind::Label: {
            const auto* label = static_cast<const CaptionLabel*>(widget);
            if (label->text() != caption)
                what << "caption";
            if (label->textColour() != toQColor(state.foreColor))
                what << "colour";
            break;
        }
        case ControlKind::OptionButton: {
            const auto* button = static_cast<const QAbstractButton*>(widget);
            if (button->isChecked() != (state.value == kTrue))
                what << "checked";
            if (button->text() != caption)
                what << "caption";
            break;
        }
        case ControlKind::HScrollBar: {
            const auto* bar = static_cast<const QScrollBar*>(widget);
            if (bar->value() != state.value)
                what << "value";
            if (bar->minimum() != std::min(state.min, state.max) || bar->maximum() != std::max(state.min, state.max))
                what << "range";
            break;
        }
        case ControlKind::PushButton:
            if (static_cast<const QAbstractButton*>(widget)->text() != caption)
                what << "caption";
            break;
        case ControlKind::Frame:
            break;
        }
        if (widget->isHidden() == state.visible)
            what << "visible";
        // The introduction, while shown, covers every control of the client
        // area that it overlaps; the window takes nothing after an error.
        const QWidget* top = widget;
        while (top->parentWidget() != &view)
            top = top->parentWidget();
        const bool covered = !intro->isHidden() && top != intro && top->geometry().intersects(intro->geometry());
        if (widget->isEnabled() != (!covered && !view.hasFailed()))
            what << "enabled";
        if (!what.isEmpty())
            differing << QString::fromStdString(state.name) + QLatin1Char(':') + what.join(QLatin1Char(','));
    }
    return differing;
}

WindowDump WindowUnderTest::shownDump() const
{
    WindowDump dump;
    std::optional<ControlId> focus;
    const ControlSet& controls = model.controls();
    for (ControlId id = 0; id < controls.size(); ++id) {
        QWidget* widget = view.widget(id);
        const std::string at = std::to_string(id) + ".";
        if (widget == QApplication::focusWidget())
            focus = id;
        switch (controls.control(id).kind) {
        case ControlKind::Label:
            dump[at + "Caption"] = static_cast<const CaptionLabel*>(widget)->text().toStdString();
            break;
        case ControlKind::OptionButton:
            dump[at + "Value"]
                = std::to_string(static_cast<const QAbstractButton*>(widget)->isChecked() ? kTrue : kFalse);
            break;
        case ControlKind::HScrollBar: {
            const auto* bar = static_cast<const QScrollBar*>(widget);
            dump[at + "Value"] = std::to_string(bar->value());
            dump[at + "Min"] = std::to_string(bar->minimum());
            dump[at + "Max"] = std::to_string(bar->maximum());
            dump[at + "Visible"] = bar->isHidden() ? "false" : "true";
            break;
        }
        case ControlKind::Frame:
            dump[at + "Visible"] = widget->isHidden() ? "false" : "true";
            break;
        case ControlKind::PushButton:
            break;
        }
    }
    dump["Focus"] = focus ? std::to_string(*focus) : "-1";
    return dump;
}

const MainWindow& roles()
{
    static const MainWindow window(NumberFormat{});
    return window;
}

namespace {

std::size_t rowOf(std::string_view projector)
{
    for (std::size_t row = 0; row < kRowCount; ++row) {
        if (roles().controls().caption(roles().rowCaption(row)) == projector)
            return row;
    }
    qFatal("no projector row %s", std::string(projector).c_str());
}

} // namespace

ControlId rowCaption(std::string_view projector) { return roles().rowCaption(rowOf(projector)); }

ControlId result(std::string_view projector, Column column) { return roles().resultLabel(rowOf(projector), column); }

void WindowUnderTest::recordEvents()
{
    using Handler = void (MainWindow::*)();
    struct Entry {
        ControlId id;
        Event event;
        Handler handler; // none: the control has no handler of its own
    };
    const Entry entries[] = {
        {model.sizeOption(Sizing::Width), Event::Click, &MainWindow::Option4_Click},
        {model.sizeOption(Sizing::Height), Event::Click, &MainWindow::Option13_Click},
        {model.sizeOption(Sizing::Diagonal), Event::Click, &MainWindow::Option14_Click},
        {model.unitOption(UnitSystem::Inches), Event::Click, nullptr},
        {model.unitOption(UnitSystem::Centimetres), Event::Click, nullptr},
        {model.continueButton(), Event::Click, &MainWindow::Command1_Click},
        {model.sizeBar(Sizing::Width), Event::Change, &MainWindow::HSBM_Change},
        {model.sizeBar(Sizing::Width), Event::Scroll, &MainWindow::HSBM_Scroll},
        {model.sizeBar(Sizing::Height), Event::Change, &MainWindow::hig_Change},
        {model.sizeBar(Sizing::Height), Event::Scroll, &MainWindow::hig_Scroll},
        {model.sizeBar(Sizing::Diagonal), Event::Change, &MainWindow::vert_Change},
        {model.sizeBar(Sizing::Diagonal), Event::Scroll, &MainWindow::vert_Scroll},
        {model.angleBar(), Event::Change, &MainWindow::hsbM1_Change},
        {model.angleBar(), Event::Scroll, &MainWindow::hsbM1_Scroll},
    };
    for (const Entry& entry : entries) {
        model.controls().setHandler(entry.id, entry.event, [this, entry] {
            events.emplace_back(entry.id, entry.event);
            if (entry.handler != nullptr)
                (model.*entry.handler)();
        });
    }
}

void WindowUnderTest::click(ControlId id) const { QTest::mouseClick(widget(id), Qt::LeftButton); }

void WindowUnderTest::clickPart(ControlId bar, QStyle::SubControl part) const
{
    auto* scrollBar = widget<QScrollBar>(bar);
    QTest::mouseClick(scrollBar, Qt::LeftButton, {}, scrollBarPart(scrollBar, part).center());
}

QPoint WindowUnderTest::pressThumbAndMove(ControlId bar, bool toEnd, int steps) const
{
    auto* scrollBar = widget<QScrollBar>(bar);
    const QPoint start = scrollBarPart(scrollBar, QStyle::SC_ScrollBarSlider).center();
    const int end = toEnd ? scrollBar->width() + 20 : -20;
    QTest::mousePress(scrollBar, Qt::LeftButton, {}, start);
    QPoint at = start;
    for (int step = 1; step <= steps; ++step) {
        at = QPoint(start.x() + (end - start.x()) * step / steps, start.y());
        QTest::mouseMove(scrollBar, at);
    }
    return at;
}

void WindowUnderTest::release(ControlId bar, QPoint at) const
{
    QTest::mouseRelease(widget<QScrollBar>(bar), Qt::LeftButton, {}, at);
}

void WindowUnderTest::dragThumb(ControlId bar, bool toEnd, int steps) const
{
    release(bar, pressThumbAndMove(bar, toEnd, steps));
}

void WindowUnderTest::type(Qt::Key key, int times) const
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(view.windowHandle(), key);
}

void WindowUnderTest::typeWith(Qt::KeyboardModifiers modifiers, Qt::Key key) const
{
    // The active window, which may be the diagram's.
    const QWidget* window = QApplication::activeWindow() != nullptr ? QApplication::activeWindow() : &view;
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

// Through the window, where Qt turns the right button's press into the
// context menu event.
void WindowUnderTest::rightClick(ControlId id) const
{
    const QWidget* target = widget(id);
    const QWidget* window = target->window();
    QTest::mousePress(window->windowHandle(), Qt::RightButton, {}, target->mapTo(window, target->rect().center()));
}

bool WindowUnderTest::chooseFromMenu(const char* action) const
{
    QMenu* menu = actions.menu();
    if (!menu->isVisible())
        return false;
    for (QAction* item : menu->actions()) {
        if (item->objectName() == QLatin1String(action)) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
            return true;
        }
    }
    return false;
}

QString described(const std::vector<std::string>& differences)
{
    QStringList lines;
    for (const std::string& line : differences)
        lines << QString::fromStdString(line);
    return lines.join(QStringLiteral("; "));
}

QString writtenSince(const MainWindow& model, const WindowDump& before)
{
    return described(differences(before, modelDump(model)));
}

QRect scrollBarPart(const QScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

} // namespace qvd::test
