// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The one way the program writes a file. The content goes whole into a new
// file in the target's folder; every step is checked (each write, the flush of
// the last buffered bytes, the sync to the disk, the rename), and only then does
// the new file take the place of the earlier one. On any failure the earlier
// file stays byte for byte and no temporary file is left behind.

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace qvd {

// Fills the open device with the file's content; false when the content could
// not be made (a painter that failed, say).
using FileFiller = std::function<bool(QIODevice& device)>;

// Writes `path` through `fill`. Returns the reason it failed, in words ("No
// space left on device"), or an empty string when the file is in place.
[[nodiscard]] QString writeWholeFile(const QString& path, const FileFiller& fill);
[[nodiscard]] QString writeWholeFile(const QString& path, const QByteArray& bytes);

} // namespace qvd
