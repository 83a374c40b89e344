// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The job sheet: one page for the crew with the job's details, the inputs,
// the nine rows as the window shows them and the placement diagram of one
// row. One function paints it onto any paint device (a PDF page, a printer,
// an image); every number on it is a caption of the model, in feet and inches
// when the job's length format asks for them.

#include "ui/job/job_session.h"

#include <QPageSize>
#include <QString>

#include <cstddef>

class QLocale;
class QPaintDevice;

namespace qvd {

// The paper of the place `locale` stands for: Letter where lengths are
// measured in US customary units, A4 everywhere else.
[[nodiscard]] QPageSize::PageSizeId jobSheetPaper(const QLocale& locale);

// Paints the sheet of the session's job for its chosen row over the whole of
// `device`, margins included, sized by the device's resolution, with the
// job's details at the top (long notes are cut to keep to one page). False
// when the device cannot be painted on (a PDF file that cannot be opened).
// With a screen-bottom height in the job's room, the sheet carries it, the
// base heights and the room's floor in the diagram.
bool paintJobSheet(QPaintDevice& device, const JobSession& session);

// Writes the sheet as a one-page PDF file at `path` on `paper`, through the
// program's one file writer: the reason in words when the file could not be
// written (the earlier file at `path` is then as it was), else empty.
[[nodiscard]] QString saveJobSheet(const QString& path, const JobSession& session, QPageSize::PageSizeId paper);

} // namespace qvd
