// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// The one way the program writes a file. The content is made whole in memory,
// then goes into a new file with a short name of its own in the target's
// folder (so that any name the folder accepts can be saved again); every step
// is checked (each write, the sync to the disk, the close, the rename), and
// only then does the new file take the place of the earlier one, with the
// earlier file's mode and, where the process may give it, its owner. On any
// failure the earlier file stays byte for byte, no temporary file is left
// behind, and the reason is the system's own words.

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
