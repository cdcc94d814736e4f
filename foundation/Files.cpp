#include "foundation/Files.h"

#include "foundation/General.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <system_error>
#include <unistd.h>

namespace {

// Copying a file onto itself would empty it before reading it.
bool IsSameFile(const QFile& opened, const QString& other)
{
    struct stat a {};
    struct stat b {};
    return ::fstat(opened.handle(), &a) == 0 && ::stat(QFile::encodeName(other).constData(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

int ListFiles(const QString& folder, const QString& mask, QStringList& list)
{
    if (!DriveExists(folder))
        return 0;
    QDir dir(folder);
    dir.setNameFilters({mask});
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    const QStringList names = dir.entryList();
    list.append(names);
    return static_cast<int>(names.size());
}

bool DriveExists(const QString& path)
{
    if (!path.startsWith(QLatin1Char('/')))
        return false;
    QString probe = path;
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

bool CopyFileTo(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly) || IsSameFile(in, destination))
        return false;
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray chunk;
    while (!(chunk = in.read(1 << 16)).isEmpty()) {
        if (out.write(chunk) != chunk.size())
            return false;
    }
    if (in.error() != QFileDevice::NoError)
        return false;
    out.close();
    return out.error() == QFileDevice::NoError;
}

bool ForceFolder(const QString& folder)
{
    QString path = folder;
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    if (path.isEmpty() || QFileInfo::exists(path))
        return false;
    return QDir().mkpath(path);
}

bool CreateFileIfMissing(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    if (errno == EEXIST)
        return false;
    throw std::system_error(errno, std::generic_category(), "Cannot create " + path.toStdString());
}

int64_t FileSizeByName(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() ? info.size() : 0;
}

bool IsAudioFile(const QString& name)
{
    static const QString known = [] {
        QString all;
        for (QLatin1String extension : AudioExtensions)
            all += extension;
        return all;
    }();
    const QString extension = platform::FileExtension(name).toUpper();
    return !extension.isEmpty() && known.contains(extension);
}
