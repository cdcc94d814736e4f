#include "platform/FileStamp.h"

#include <QFile>

#include <sys/stat.h>

namespace platform {

FileStamp StampOf(const QString& path)
{
    FileStamp stamp;
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = info.st_size;
    stamp.modifiedNs = int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    stamp.changedNs = int64_t(info.st_ctim.tv_sec) * 1'000'000'000 + info.st_ctim.tv_nsec;
    stamp.inode = info.st_ino;
    stamp.device = info.st_dev;
    stamp.mode = info.st_mode;
    return stamp;
}

} // namespace platform
