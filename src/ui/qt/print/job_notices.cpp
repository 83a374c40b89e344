// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/print/job_notices.h"

namespace qvd {

JobNotices::JobNotices(JobSession& session, QObject* parent)
    : QObject(parent)
    , m_forwarding(session.onChange([this](JobChange change) { emit changed(change); }))
{
    setObjectName(QStringLiteral("jobNotices"));
}

} // namespace qvd
