#include "platform/Privileges.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/auxv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

bool RunsElevated()
{
    return getauxval(AT_SECURE) != 0;
}

QString LibraryLoadRefusal(const QString& path, bool elevated)
{
    if (!elevated)
        return {};
    // The real place, so a link cannot lead the check somewhere else than the loader.
    const QString real = QFileInfo(path).canonicalFilePath();
    if (real.isEmpty())
        return QStringLiteral("%1 does not exist").arg(path);
    const QString folder = QFileInfo(real).path();
    for (QString at = real;; at = QFileInfo(at).path()) {
        struct stat status {};
        if (::stat(QFile::encodeName(at).constData(), &status) != 0)
            return QStringLiteral("cannot inspect %1: %2")
                .arg(at, QString::fromLocal8Bit(std::strerror(errno)));
        // Higher up, a folder such as /tmp is safe: its sticky bit keeps others from moving ours away.
        const bool sharedButSticky =
            at != real && at != folder && status.st_uid == 0 && (status.st_mode & S_ISVTX);
        if (status.st_uid != 0 && status.st_uid != ::getuid())
            return QStringLiteral("%1 belongs to another user").arg(at);
        if ((status.st_mode & (S_IWGRP | S_IWOTH)) != 0 && !sharedButSticky)
            return QStringLiteral("other users may write %1").arg(at);
        if (at == QDir::rootPath())
            return {};
    }
}

} // namespace platform
