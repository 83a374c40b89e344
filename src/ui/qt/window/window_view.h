// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window QVDTALVERN on screen: one widget per control of the model, laid
// out from the design-time data. What the user does becomes a model event
// (clickOption, press, moveScrollBar, dragScrollBar); the model's change
// notices then bring each changed widget back in step. The view computes nothing.
// It knows nothing of what is built beside it (the table's menu, its hints,
// the job document): it tells them through its signals.

#include "ui/qt/window/error_reporting.h"
#include "ui/window/main_window.h"
#include "ui/window/window_input.h"

#include <QWidget>

#include <functional>

#include <optional>
#include <vector>

class QScrollBar;

namespace qvd {

class WindowView : public QWidget {
    Q_OBJECT

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
    // Any such steps through the model's events ("Use this size", a job
    // applied), with the same rules.
    bool enter(const std::function<void()>& steps);

    // True once an untrapped error has stopped a handler; from then on the
    // window takes no more input.
    [[nodiscard]] bool hasFailed() const { return m_input.hasFailed(); }
    // The window's input rules, shared with every view: what takes input,
    // the keys, the focus order.
    [[nodiscard]] const WindowInput& input() const { return m_input; }

    // The widget of a control, or nullptr for an id the window does not have.
    [[nodiscard]] QWidget* widget(ControlId id) const;
    // The widget of the control with design name `name`, or nullptr.
    [[nodiscard]] QWidget* controlWidget(std::string_view name) const;

signals:
    // After each user action, or steps entered, that reached the model.
    void userActed();
    // Whether the window takes input; false for good after an untrapped error.
    void inputAvailabilityChanged(bool takesInput);
    // The user asked for the context menu at `position`, in the view's
    // coordinates: at the mouse pointer, or (`atPointer` false) from the
    // keyboard, where the position says nothing about a row.
    void menuRequested(QPoint position, bool atPointer);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A key on a control goes to the model's table of keys.
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    // The context menu takes input while the table does.
    void updateActions();

    // Hands a user action to the model through the window's input, unless
    // the control takes no input now.
    template <typename Action> void deliver(ControlId id, const char* event, Action&& action);
    // Tells of an action or steps that reached the model, or of the
    // untrapped error that stopped the window during them.
    void settle();
    void fail(const RuntimeError& error);

    MainWindow& m_model;
    WindowInput m_input;
    ErrorReporter m_reporter;
    std::vector<QWidget*> m_widgets; // indexed by ControlId, in design order
    int m_updating = 0;              // > 0 while widgets are set from the model
    bool m_dragMoved = false;        // the thumb being dragged has raised Scroll
    bool m_reported = false;         // the untrapped error has been reported
    Connection m_mirroring;          // the model's notices; ends first, as the view goes
};

// The window program: starts the view and runs the event loop. Returns the
// program's exit status.
int runWindow(WindowView& view);

} // namespace qvd
