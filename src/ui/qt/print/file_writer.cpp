// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "ui/qt/print/file_writer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qvd {

namespace {

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error != 0 ? error : EIO)); }

// The file that the new content replaces: where a link points, so that the
// link stays a link.
QString targetOf(const QString& path)
{
    const QFileInfo info(path);
    const QString resolved = info.isSymLink() ? info.canonicalFilePath() : QString();
    return resolved.isEmpty() ? info.absoluteFilePath() : resolved;
}

// Writes all of `bytes` to `fd`; 0 or the reason it stopped.
int writeAll(int fd, const QByteArray& bytes)
{
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<std::size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        next += written;
        left -= written;
    }
    return 0;
}

// An open temporary file, removed again unless it took the target's place.
class TemporaryFile {
public:
    explicit TemporaryFile(const QString& folder)
        // A short name of its own, whatever the target's length: a name
        // of 250 bytes plus a suffix would be longer than a folder allows.
        : m_path(QFile::encodeName(QDir(folder).filePath(QStringLiteral(".qvdtalvern-XXXXXX"))))
    {
        m_fd = ::mkstemp(m_path.data());
        m_error = m_fd < 0 ? errno : 0;
        m_created = m_fd >= 0;
    }
    ~TemporaryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (m_created && !m_placed)
            ::unlink(m_path.constData());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] int fd() const { return m_fd; }
    [[nodiscard]] int openError() const { return m_error; }
    [[nodiscard]] int close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }
    [[nodiscard]] int replace(const QByteArray& target)
    {
        if (::rename(m_path.constData(), target.constData()) != 0)
            return errno;
        m_placed = true;
        return 0;
    }

private:
    QByteArray m_path;
    int m_fd = -1;
    int m_error = 0;
    bool m_created = false;
    bool m_placed = false;
};

} // namespace

QString writeWholeFile(const QString& path, const QByteArray& bytes)
{
    const QString target = targetOf(path);
    const QByteArray native = QFile::encodeName(target);
    const QString folder = QFileInfo(target).absolutePath();
    struct stat earlier {};
    const bool replacing = ::stat(native.constData(), &earlier) == 0;
    if (replacing && S_ISDIR(earlier.st_mode))
        return systemError(EISDIR);

    TemporaryFile file(folder);
    if (file.fd() < 0) {
        // The folder refused a new file: say which folder.
        return QStringLiteral("the folder %1 takes no new file (%2)")
            .arg(QDir::toNativeSeparators(folder), systemError(file.openError()));
    }
    // The earlier file's mode, and its owner where the process may give
    // it; a new file the mode the user's umask leaves of 0666.
    mode_t mode = 0;
    if (replacing) {
        mode = earlier.st_mode & 07777;
        if (::fchown(file.fd(), earlier.st_uid, earlier.st_gid) != 0 && errno != EPERM)
            return systemError(errno);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(file.fd(), mode) != 0)
        return systemError(errno);
    if (const int error = writeAll(file.fd(), bytes); error != 0)
        return systemError(error);
    if (::fsync(file.fd()) != 0)
        return systemError(errno);
    if (const int error = file.close(); error != 0)
        return systemError(error);
    if (const int error = file.replace(native); error != 0)
        return systemError(error);
    // The new name on disk too.
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

QString writeWholeFile(const QString& path, const FileFiller& fill)
{
    // The content is made whole in memory first: a failed write then says
    // the system's reason, not a painter's or a device's.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!fill(buffer))
        return QStringLiteral("its content could not be made");
    buffer.close();
    return writeWholeFile(path, buffer.data());
}

} // namespace qvd
