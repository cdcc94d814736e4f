#pragma once
// Reading and writing the combinations file, which both programs share. A load replaces the tree only
// when the whole file was read; a save replaces the file in one step, and a version of the file this
// program has not read is kept beside it before it is replaced.
#include "platform/FileStamp.h"

#include <QString>
#include <QTreeWidget>
#include <cstdint>

namespace library {

enum class LoadStatus { Loaded, Missing, Unreadable, Damaged };

struct LoadResult {
    LoadStatus status = LoadStatus::Missing;
    QString error; // empty when loaded or missing
};

struct SaveResult {
    bool ok = false;
    QString error;
    QString backup; // the kept earlier version, when one was made
};

// On anything but Loaded the tree is exactly as it was. Never writes.
LoadResult LoadTreeFromFile(QTreeWidget* tree, const QString& path);
// Every node of the tree in pre-order, written atomically.
SaveResult SaveTreeToFile(const QTreeWidget* tree, const QString& path);

using platform::FileStamp;

// How many versions replaced by a save stay beside the combinations file.
inline constexpr size_t BackupsKept = 10;

// The combinations file as one program knows it: the version it last read or wrote.
class TCombinationsFile {
public:
    explicit TCombinationsFile(QString path) : path_(std::move(path)) {}

    const QString& Path() const { return path_; }
    const FileStamp& Known() const { return known_; }

    LoadResult Load(QTreeWidget* tree);
    // A file that differs from the known version (another program wrote it, or it failed to load) is
    // first kept as "<name>.<yyyyMMdd-HHmmss>.bak"; the save is refused when that fails. The newest
    // BackupsKept backups stay, older ones go.
    SaveResult Save(const QTreeWidget* tree);
    // The user agreed to replace what is there now (the save dialog asked before overwriting): the next
    // save keeps no backup of it.
    void AcceptPresent() { known_ = platform::StampOf(path_); }
    bool ChangedOnDisk() const { return platform::StampOf(path_) != known_; }

private:
    QString path_;
    FileStamp known_; // "missing" until the file is read or written
};

} // namespace library
