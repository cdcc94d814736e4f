#include "library/CombinationsFile.h"

#include "library/CombinationsNodes.h"
#include "platform/BinaryReader.h"
#include "platform/Clock.h"
#include "platform/FileReplace.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace library {

namespace {

QString ErrnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Keeps the file's present version beside it: a hard link when the file system allows one, else a copy.
bool KeepBackup(const QString& path, QString& backup, QString& error)
{
    const QString stem = path + u'.' + platform::Now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1; n < 1000; ++n) {
        backup = stem + (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) + QStringLiteral(".bak");
        if (QFileInfo::exists(backup) || QFileInfo(backup).isSymLink())
            continue;
        if (::link(QFile::encodeName(path).constData(), QFile::encodeName(backup).constData()) == 0)
            return true;
        if (errno == EEXIST)
            continue;
        QFile source(path);
        if (source.copy(backup))
            return true;
        error = "Cannot keep " + path + " as " + backup + ": " + source.errorString();
        return false;
    }
    error = "Cannot keep " + path + ": every backup name is taken";
    return false;
}

// Drops all but the newest BackupsKept of the file's backups: each save over another program's version
// adds one, and a station runs for years. Their names order them: the time, then the number in it.
void PruneBackups(const QString& path)
{
    const QFileInfo file(path);
    static const QRegularExpression name(QStringLiteral("^\\.(\\d{8}-\\d{6})(?:-(\\d+))?\\.bak$"));
    std::vector<std::pair<std::pair<QString, int>, QString>> backups;
    const QDir folder = file.dir();
    const QString prefix = file.fileName();
    for (const QString& entry :
         folder.entryList({prefix + QStringLiteral(".*.bak")}, QDir::Files | QDir::System)) {
        const QRegularExpressionMatch match = name.match(entry.mid(prefix.size()));
        if (match.hasMatch())
            backups.push_back(
                {{match.captured(1), match.captured(2).isEmpty() ? 1 : match.captured(2).toInt()}, entry});
    }
    if (backups.size() <= BackupsKept)
        return;
    std::sort(backups.begin(), backups.end());
    for (size_t i = 0; i < backups.size() - BackupsKept; ++i)
        QFile::remove(folder.filePath(backups[i].second));
}

} // namespace

LoadResult LoadTreeFromFile(QTreeWidget* tree, const QString& path)
{
    errno = 0;
    platform::BinaryReader reader(path);
    if (!reader.IsOpen()) {
        const int error = errno;
        if (error == ENOENT)
            return {LoadStatus::Missing, {}};
        const QString reason = error                     ? ErrnoText(error)
                               : QFileInfo(path).isDir() ? ErrnoText(EISDIR)
                                                         : QStringLiteral("not a regular file");
        return {LoadStatus::Unreadable, "Cannot read " + path + ": " + reason};
    }
    const QByteArray bytes = reader.ReadBytes(reader.Size());
    if (reader.HasError() || bytes.size() != reader.Size())
        return {LoadStatus::Unreadable, "Cannot read " + path + ": " + ErrnoText(EIO)};
    std::vector<CombiRecord> records;
    DecodeError error;
    if (!DecodeCombinations(bytes, records, error))
        return {LoadStatus::Damaged, QStringLiteral("Combinations file damaged: %1: %2 at byte %3")
                                         .arg(path, error.reason)
                                         .arg(error.offset)};
    const std::vector<TCombiItem*> nodes = BuildNodes(records);
    QList<QTreeWidgetItem*> topLevel;
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (records[i].parent < 0)
            topLevel.append(nodes[i]);
    }
    // One step, one repaint: the old items go and the new ones come while the view does not draw.
    const bool updates = tree->updatesEnabled();
    tree->setUpdatesEnabled(false);
    tree->clear();
    tree->addTopLevelItems(topLevel);
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (records[i].expanded)
            nodes[i]->setExpanded(true);
    }
    tree->setUpdatesEnabled(updates);
    return {LoadStatus::Loaded, {}};
}

SaveResult SaveTreeToFile(const QTreeWidget* tree, const QString& path)
{
    QString reason;
    if (!platform::ReplaceFile(path, EncodeTree(*tree->invisibleRootItem()), reason))
        return {false, "Cannot write " + path + ": " + reason, {}};
    return {true, {}, {}};
}

LoadResult TCombinationsFile::Load(QTreeWidget* tree)
{
    const FileStamp before = platform::StampOf(path_);
    LoadResult result = LoadTreeFromFile(tree, path_);
    // Only a version read whole counts as known; a damaged one is kept before it is ever replaced.
    if (result.status == LoadStatus::Loaded || result.status == LoadStatus::Missing)
        known_ = before;
    return result;
}

SaveResult TCombinationsFile::Save(const QTreeWidget* tree)
{
    QString backup;
    const FileStamp present = platform::StampOf(path_);
    if (present.exists && present != known_) {
        QString error;
        if (!KeepBackup(path_, backup, error))
            return {false, error, {}};
        PruneBackups(path_);
    }
    SaveResult result = SaveTreeToFile(tree, path_);
    result.backup = backup;
    if (result.ok)
        known_ = platform::StampOf(path_);
    return result;
}

} // namespace library
