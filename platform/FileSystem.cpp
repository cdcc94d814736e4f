#include "platform/FileSystem.h"

#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace platform {

bool VolumeAnswers(const QString& absolutePath)
{
    QString probe = absolutePath;
    for (;;) {
        struct statvfs info {};
        if (::statvfs(QFile::encodeName(probe).constData(), &info) == 0)
            return true;
        if ((errno != ENOENT && errno != ENOTDIR) || probe == QLatin1String("/"))
            return false;
        const qsizetype slash = probe.lastIndexOf(QLatin1Char('/'));
        probe = slash > 0 ? probe.left(slash) : QStringLiteral("/");
    }
}

bool IsSameFile(const QFile& opened, const QString& other)
{
    struct stat a {};
    struct stat b {};
    return ::fstat(opened.handle(), &a) == 0 && ::stat(QFile::encodeName(other).constData(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::error_code CreateNewFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return {errno, std::generic_category()};
    ::close(fd);
    return {};
}

bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& reason)
{
    bytes.clear();
    const RegularFile file = OpenRegularFile(QFile::encodeName(path).constData());
    if (file.fd < 0) {
        reason = QString::fromStdString(file.failure);
        return false;
    }
    bool whole = true;
    bytes.resize(file.size);
    qsizetype got = 0;
    while (whole && got < bytes.size()) {
        const ssize_t n = ::read(file.fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            reason = n < 0 ? QString::fromLocal8Bit(std::strerror(errno))
                           : QStringLiteral("it ended after %1 of its %2 bytes").arg(got).arg(bytes.size());
            whole = false;
        } else {
            got += n;
        }
    }
    ::close(file.fd);
    if (!whole)
        bytes.clear();
    return whole;
}

} // namespace platform
