#pragma once
// Replacing a whole file in one step: the new bytes go to a temporary file beside it, reach the disk
// and are renamed over it, so a crash or a full disk leaves the old file or the new one, never a part.
#include <QByteArray>
#include <QString>

namespace platform {

// The temporary file keeps the replaced file's permissions (a new file gets the usual ones); a symbolic
// link keeps pointing at the file, which is replaced. A read-only file (no write permission for its owner
// or for us) is refused. False with the reason when the file could not be replaced; it is then unchanged.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString& error);

// Removes the temporary files that replaces of this file cut short by a kill or a power loss left beside
// it. Only those: every other file keeps its place, whatever its name.
void RemoveReplaceLeftovers(const QString& path);

} // namespace platform
