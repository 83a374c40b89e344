// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window under test: the model, its view, and the reporter that records
// untrapped errors instead of opening a modal box. Helpers reach the parts of
// a scroll bar the way a person aims at them.

#include "action_scripts.h"
#include "ui/job/job_session.h"
#include "ui/qt/job/job_window.h"
#include "ui/window/main_window.h"

#include <QLabel>
#include <QScrollBar>
#include <QStyle>

#include <string_view>
#include <utility>
#include <vector>

namespace qvd::test {

// The window's controls by role, to name them in tests and in tables of
// cases: a control has the same id in every window.
[[nodiscard]] const MainWindow& roles();
// The row caption and the result labels of the row captioned `projector` ("Ulmo").
[[nodiscard]] ControlId rowCaption(std::string_view projector);
[[nodiscard]] ControlId result(std::string_view projector, Column column);

class WindowUnderTest {
public:
    WindowUnderTest();

    // Form_Load and show; true once the window is shown and active.
    [[nodiscard]] bool start();

    template <typename Widget = QWidget> [[nodiscard]] Widget* widget(ControlId id) const
    {
        return dynamic_cast<Widget*>(view.widget(id));
    }
    // Records every event that reaches an input's handler (the model's own
    // nested events included), the handlers still running.
    void recordEvents();
    std::vector<std::pair<ControlId, Event>> events;

    // The caption the label's widget shows, and the one the model holds.
    [[nodiscard]] QString shown(ControlId label) const;
    [[nodiscard]] QString held(ControlId label) const;
    [[nodiscard]] QColor shownColour(ControlId label) const;
    [[nodiscard]] int heldValue(ControlId bar) const;
    // Every widget that differs from its control in the model: caption,
    // colour, checked, value, range, shown or hidden, enabled (a control is
    // disabled while the introduction covers it, or after an error); each
    // entry names the control and what differs.
    [[nodiscard]] QStringList widgetsDifferingFromTheModel() const;
    // What the widgets show, in the dump every view's test compares with
    // the model's replay (action_scripts.h); the focus as Qt has it.
    [[nodiscard]] WindowDump shownDump() const;

    // A mouse click on a named widget, and on a scroll bar's part.
    void click(ControlId id) const;
    void clickPart(ControlId bar, QStyle::SubControl part) const;
    // Presses the thumb and moves it in steps past the far end (or the
    // start) of the bar, without releasing it; returns where the mouse is.
    QPoint pressThumbAndMove(ControlId bar, bool toEnd, int steps = 4) const;
    void release(ControlId bar, QPoint at) const;
    // The whole drag: press, move, release.
    void dragThumb(ControlId bar, bool toEnd, int steps = 4) const;

    // A key as a person types it: to whatever has the focus.
    void type(Qt::Key key, int times = 1) const;
    // A key with modifiers, to the active window (the diagram's, or this).
    void typeWith(Qt::KeyboardModifiers modifiers, Qt::Key key) const;

    // The window's context menu: a right click on a named widget, and a
    // click on one of the menu's actions, named by its objectName (false
    // when the menu is not open or has no such action).
    void rightClick(ControlId id) const;
    [[nodiscard]] bool chooseFromMenu(const char* action) const;

    // The job, its window model, and the window with its menu and hints.
    JobSession session;
    MainWindow& model;
    // The design name of a control, the objectName of its widget.
    [[nodiscard]] const char* name(ControlId id) const { return model.controls().control(id).name.c_str(); }
    JobWindow window;
    WindowView& view;
    TableActions& actions;
    std::vector<ErrorKind> errors;
};

// The differences of two dumps (see differences()) on one line, separated by
// "; "; empty when the dumps agree.
[[nodiscard]] QString described(const std::vector<std::string>& differences);
// What `model` holds now that differs from `before`, a modelDump() of it,
// described; empty while nothing has been written.
[[nodiscard]] QString writtenSince(const MainWindow& model, const WindowDump& before);

// The rectangle of `part` in `bar`'s coordinates, as the style draws it.
[[nodiscard]] QRect scrollBarPart(const QScrollBar* bar, QStyle::SubControl part);

} // namespace qvd::test
