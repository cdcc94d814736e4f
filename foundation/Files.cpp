#include "foundation/Files.h"

#include "foundation/General.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <system_error>

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
    return path.startsWith(QLatin1Char('/')) && platform::VolumeAnswers(path);
}

bool CopyFileTo(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly) || platform::IsSameFile(in, destination))
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
    const std::error_code error = platform::CreateNewFile(path);
    if (!error)
        return true;
    if (error == std::errc::file_exists)
        return false;
    throw std::system_error(error, "Cannot create " + path.toStdString());
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
