// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The window program's window put together: the view of the session's window
// model, and beside it the table's menu with its shortcuts and the table's
// hints. The view knows none of them; they meet through Qt signals, the
// session's notices among them (JobNotices). The job document, which needs the user's settings, is
// added by whoever builds the window (the program's entry point, a test).

#include "ui/job/job_session.h"
#include "ui/qt/job/table_actions.h"
#include "ui/qt/print/job_notices.h"
#include "ui/qt/window/window_view.h"

namespace qvd {

class JobWindow {
public:
    // `session` must outlive the window.
    explicit JobWindow(JobSession& session);
    JobWindow(const JobWindow&) = delete;
    JobWindow& operator=(const JobWindow&) = delete;

    [[nodiscard]] WindowView& view() { return m_view; }
    [[nodiscard]] TableActions& actions() { return *m_actions; }

private:
    WindowView m_view;
    JobNotices* m_notices = nullptr; // owned by the view, as the actions and the hints are
    TableActions* m_actions = nullptr;
};

} // namespace qvd
