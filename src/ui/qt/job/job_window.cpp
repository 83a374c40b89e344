// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/job/job_window.h"

#include "ui/qt/job/table_hints.h"

namespace qvd {

JobWindow::JobWindow(JobSession& session)
    : m_view(session.window())
    , m_notices(new JobNotices(session, &m_view))
    , m_actions(new TableActions(session, m_view, *m_notices))
{
    new TableHints(session, m_view);
    // Each user action is a change of the job for everything that follows it.
    QObject::connect(&m_view, &WindowView::userActed, m_actions, [&session] { session.inputsChanged(); });
}

} // namespace qvd
