// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/print/file_writer.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace qvd {

namespace {

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// The device's own words, or the system's when the device has none.
QString failure(const QSaveFile& file, int error)
{
    if (file.error() != QFileDevice::NoError && !file.errorString().isEmpty())
        return file.errorString();
    return systemError(error != 0 ? error : EIO);
}

} // namespace

QString writeWholeFile(const QString& path, const FileFiller& fill)
{
    // QSaveFile writes into a temporary file beside `path` and removes it
    // again when it is destroyed without a successful commit().
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file, errno);
    errno = 0;
    if (!fill(file) || file.error() != QFileDevice::NoError)
        return failure(file, errno);
    // commit() flushes the last buffered bytes while closing but does not
    // report a failure there, so the flush is done and checked first.
    errno = 0;
    if (!file.flush())
        return failure(file, errno);
    if (::fsync(file.handle()) != 0)
        return systemError(errno);
    errno = 0;
    if (!file.commit())
        return failure(file, errno);
    return {};
}

QString writeWholeFile(const QString& path, const QByteArray& bytes)
{
    return writeWholeFile(path, [&bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); });
}

} // namespace qvd
