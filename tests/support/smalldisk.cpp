#include "support/smalldisk.h"

#include <QByteArray>
#include <QDir>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace keruna::test {

namespace {
const QString kFillName = QStringLiteral(".fill");
}

SmallDisk::SmallDisk(int kilobytes)
{
    if (geteuid() != 0) {
        m_whyNot = QStringLiteral("mounting a small file system needs root");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    if (::mount(
            "tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options.constData())
        != 0) {
        m_whyNot = QStringLiteral("mount tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_mounted = true;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString SmallDisk::path(const QString& name) const
{
    return m_dir.filePath(name);
}

void SmallDisk::fill()
{
    const int fd = ::open(
        QFile::encodeName(path(kFillName)).constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0)
        return;
    // Big pieces first, then single bytes, until not one more fits.
    const QByteArray block(64 * 1024, 'x');
    for (qsizetype size = block.size(); size >= 1; size /= 2) {
        while (::write(fd, block.constData(), size_t(size)) == size) { }
    }
    ::close(fd);
}

void SmallDisk::removeFill()
{
    QFile::remove(path(kFillName));
}

bool SmallDisk::makeReadOnly()
{
    return ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
               MS_REMOUNT | MS_RDONLY, nullptr)
        == 0;
}

} // namespace keruna::test
