// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "view_test_support.h"

#include "ui/qt/control_widgets.h"
#include "ui/qt/table_actions.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStyleOptionSlider>
#include <QTest>

namespace qvd::test {

WindowUnderTest::WindowUnderTest()
    : model(NumberFormat{})
    , view(model)
{
    view.setErrorReporter([this](const RuntimeError& error) { errors.push_back(error.kind()); });
}

bool WindowUnderTest::start() { return view.start() && QTest::qWaitForWindowActive(&view); }

QString WindowUnderTest::shown(const char* label) const { return widget<QLabel>(label)->text(); }

QString WindowUnderTest::held(const char* label) const
{
    return QString::fromStdString(model.controls().caption(model.id(label)));
}

QColor WindowUnderTest::shownColour(const char* label) const { return widget<CaptionLabel>(label)->textColour(); }

int WindowUnderTest::heldValue(const char* bar) const { return model.controls().value(model.id(bar)); }

QStringList WindowUnderTest::labelsDifferingFromTheModel() const
{
    QStringList differing;
    const ControlSet& controls = model.controls();
    for (ControlId id = 0; id < controls.size(); ++id) {
        const ControlState& state = controls.control(id);
        if (state.kind != ControlKind::Label)
            continue;
        const auto* label = static_cast<const CaptionLabel*>(view.controlWidget(state.name));
        if (label->text() != QString::fromStdString(state.caption) || label->textColour() != toQColor(state.foreColor))
            differing << QString::fromStdString(state.name);
    }
    return differing;
}

void WindowUnderTest::click(const char* name) const { QTest::mouseClick(widget(name), Qt::LeftButton); }

void WindowUnderTest::clickPart(const char* bar, QStyle::SubControl part) const
{
    auto* scrollBar = widget<QScrollBar>(bar);
    QTest::mouseClick(scrollBar, Qt::LeftButton, {}, scrollBarPart(scrollBar, part).center());
}

QPoint WindowUnderTest::pressThumbAndMove(const char* bar, bool toEnd, int steps) const
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

void WindowUnderTest::release(const char* bar, QPoint at) const
{
    QTest::mouseRelease(widget<QScrollBar>(bar), Qt::LeftButton, {}, at);
}

void WindowUnderTest::dragThumb(const char* bar, bool toEnd, int steps) const
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
void WindowUnderTest::rightClick(const char* name) const
{
    const QWidget* target = widget(name);
    const QWidget* window = target->window();
    QTest::mousePress(window->windowHandle(), Qt::RightButton, {}, target->mapTo(window, target->rect().center()));
}

bool WindowUnderTest::chooseFromMenu(const char* action) const
{
    QMenu* menu = view.tableActions().menu();
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
