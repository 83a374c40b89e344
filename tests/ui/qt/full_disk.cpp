// SPDX-FileCopyrightText: 2026 The QVDTALVERN developers
// SPDX-License-Identifier: MIT
#include "full_disk.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstring>

#include <sys/mount.h>
#include <unistd.h>

namespace qvd::test {

namespace {
const QString kFiller = QStringLiteral("filler");
} // namespace

FullDisk::FullDisk(const QString& folder)
    : m_folder(folder)
{
    QDir().mkpath(folder);
    m_mounted = ::geteuid() == 0
        && ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=12k,mode=0700") == 0;
}

FullDisk::~FullDisk()
{
    if (m_limit)
        ::setrlimit(RLIMIT_FSIZE, &*m_limit);
    if (m_signal != nullptr)
        std::signal(SIGXFSZ, m_signal);
    if (m_mounted)
        ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
}

bool FullDisk::place(const QString& name, const QByteArray& bytes)
{
    QFile file(path(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

bool FullDisk::fill()
{
    if (m_mounted) {
        QFile filler(path(kFiller));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {}
        // The last bytes of a block that did not fit whole.
        while (filler.write("x", 1) == 1) {}
        return true;
    }
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return false;
    m_limit = limit;
    m_signal = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = 16;
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

QString FullDisk::reason() const { return QString::fromLocal8Bit(std::strerror(m_mounted ? ENOSPC : EFBIG)); }

QString FullDisk::path(const QString& name) const { return QDir(m_folder).filePath(name); }

QStringList FullDisk::files() const
{
    QStringList names = QDir(m_folder).entryList(QDir::Files | QDir::Hidden);
    names.removeAll(kFiller);
    return names;
}

} // namespace qvd::test
