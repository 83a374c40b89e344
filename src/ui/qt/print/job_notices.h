// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The session's change notices as a Qt signal. One object per window; the Qt
// objects that follow the job connect to `changed` with themselves as the
// context, so each connection ends with its receiver, and all of them with
// this object. The session may go first: its connection then ends unused.

#include "ui/job/job_session.h"

#include <QObject>

namespace qvd {

class JobNotices : public QObject {
    Q_OBJECT

public:
    JobNotices(JobSession& session, QObject* parent);

signals:
    // After each change of the job, with the parts it touched; read the
    // session for what they hold now.
    void changed(qvd::JobChange change);

private:
    Connection m_forwarding;
};

} // namespace qvd
