// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window QVDTALVERN on screen: one widget per control of the model, laid
// out from the design-time data. What the user does becomes a model event
// (clickOption, press, moveScrollBar, dragScrollBar); the model's observer
// then brings each changed widget back in step. The view computes nothing.
// Beyond the controls, a context menu with shortcuts (TableActions) and the
// table's tooltips (TableHints) read the model back without changing it.

#include "error_reporting.h"
#include "ui/main_window.h"
#include "ui/room_fit.h"

#include <QWidget>

#include <optional>
#include <vector>

class QScrollBar;

namespace qvd {

class TableActions;

class WindowView : public QWidget {
public:
    // Builds the widgets on `model`, which must outlive the view. Errors go
    // to programErrorReporter(this) until setErrorReporter replaces it.
    explicit WindowView(MainWindow& model, QWidget* parent = nullptr);
    ~WindowView() override;
    WindowView(const WindowView&) = delete;
    WindowView& operator=(const WindowView&) = delete;

    void setErrorReporter(ErrorReporter reporter);

    // Runs Form_Load, then shows the window with the keyboard focus on the
    // first control that can take it. False when an error stopped the load.
    bool start();

    // The user's steps of MainWindow::enterInputs, for a job opened: taken
    // behind the introduction as well; false when the window has failed or an
    // untrapped error stopped them.
    bool enterInputs(const WindowInputs& inputs);

    // True once an untrapped error has stopped a handler; from then on the
    // window takes no more input.
    [[nodiscard]] bool hasFailed() const { return m_failed; }

    // The widget of a control, or nullptr for an id the window does not have.
    [[nodiscard]] QWidget* widget(ControlId id) const;
    // The widget of the control with design name `name`, or nullptr.
    [[nodiscard]] QWidget* controlWidget(std::string_view name) const;

    // The context menu and its shortcuts.
    [[nodiscard]] TableActions& tableActions() const { return *m_actions; }

    // The room the user describes in "Fit to room...", kept with the window:
    // the diagram, the copied table and the job sheet read its height.
    [[nodiscard]] RoomSetting& room() { return m_room; }
    [[nodiscard]] const RoomSetting& room() const { return m_room; }

    // Shows a screen `width` wide as the user's steps would: the Width
    // option, the width bar to `width`, then the angle bar's Change at its
    // value, so that the table is recalculated as after unit, sizing, size
    // and angle were entered in that order.
    void useScreenWidth(int width);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildWidgets();
    void connectInputs();
    void connectScrollBar(ControlId id, QScrollBar* bar);
    void setTabOrderFromDesign();
    void focusFirstControl();

    // Brings the widget of `id` in step with every model property of it.
    void mirror(ControlId id);
    void mirrorFrame(ControlId id);
    void updateCovers();
    // A visible frame laid over the control takes its input.
    [[nodiscard]] bool isCovered(ControlId id) const;
    // The user can reach the control: it and its containers are visible and
    // no frame covers them.
    [[nodiscard]] bool takesInput(ControlId id) const;
    // The context menu takes input while the table does.
    void updateActions();

    // Hands a user action to the model; an untrapped error stops the window
    // here instead of unwinding into Qt's event loop.
    template <typename Action> void deliver(ControlId id, const char* event, Action&& action);
    void fail(const RuntimeError& error);

    MainWindow& m_model;
    RoomSetting m_room;
    ErrorReporter m_reporter;
    TableActions* m_actions = nullptr;
    std::vector<QWidget*> m_widgets; // indexed by ControlId, in design order
    // For each control, the frames laid over it: a visible one takes its input.
    std::vector<std::vector<ControlId>> m_coveredBy;
    std::vector<std::optional<ControlId>> m_container; // none: the window's client area
    int m_updating = 0;                                // > 0 while widgets are set from the model
    bool m_dragMoved = false;                          // the thumb being dragged has raised Scroll
    bool m_failed = false;
};

// The window program: starts the view and runs the event loop. Returns the
// program's exit status.
int runWindow(WindowView& view);

} // namespace qvd
