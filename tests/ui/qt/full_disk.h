// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#pragma once

// A folder where writing fails for real. As root, a 12 KiB tmpfs is mounted
// there and filled to the last byte, so a write fails with "No space left on
// device"; where mounting is not allowed, the process may not write a file
// past a few bytes (RLIMIT_FSIZE, SIGXFSZ ignored), so a write fails with
// "File too large". Files put there with `place()` are written before the
// disk is full. Everything is undone when the object goes.

#include <QByteArray>
#include <QString>

#include <sys/resource.h>

#include <optional>

namespace qvd::test {

class FullDisk {
public:
    explicit FullDisk(const QString& folder);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // Writes `bytes` to `name` in the folder while there is still room.
    [[nodiscard]] bool place(const QString& name, const QByteArray& bytes);
    // From now on, no write in the folder finds room.
    [[nodiscard]] bool fill();
    // What a failed write says.
    [[nodiscard]] QString reason() const;
    [[nodiscard]] QString path(const QString& name) const;
    // The folder's files, but for the filler.
    [[nodiscard]] QStringList files() const;

private:
    QString m_folder;
    bool m_mounted = false;
    std::optional<rlimit> m_limit; // the limit in force before, while it is lowered
    void (*m_signal)(int) = nullptr;
};

} // namespace qvd::test
