// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// Hints on the result table. A row caption's tooltip names the screen widths
// its row covers and, on a row that shows a range warning, what would make it
// fit; it is worked out when the tooltip is asked for, so the recalculations
// that run at every step of a drag pay nothing for it. Each column header
// carries the introduction's explanation of its distance as its tooltip and
// accessible description.

#include "ui/job/job_session.h"

#include <QObject>

#include <vector>

namespace qvd {

class WindowView;

class TableHints : public QObject {
public:
    // Installs the hints on the widgets of `view`; `session` must outlive them.
    TableHints(const JobSession& session, WindowView& view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const JobSession& m_session;
    std::vector<QObject*> m_rowCaptions; // by row
};

} // namespace qvd
