#pragma once
// What identifies one version of a file on disk, so a program can tell whether the file it read is
// still the one there.
#include <QString>

#include <cstdint>

namespace platform {

struct FileStamp {
    bool exists = false;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    int64_t changedNs = 0;
    uint64_t inode = 0;
    uint64_t device = 0;
    uint32_t mode = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at path now; not `exists` when it cannot be looked at or path is empty.
FileStamp StampOf(const QString& path);

} // namespace platform
