#pragma once
// The file-system questions Qt does not answer: whether a volume answers at a path, whether two names
// are one file, and creating a file only when none exists.
#include <QByteArray>
#include <QString>

#include <system_error>

class QFile;

namespace platform {

// True when the file system holding the absolute path answers, probed at the path or, when that does
// not exist yet, at its nearest existing parent.
bool VolumeAnswers(const QString& absolutePath);

// True when the open file and the file named other are the same file (same device and inode), by
// whatever names.
bool IsSameFile(const QFile& opened, const QString& other);

// Creates an empty file in one step that fails when one exists: no error when it was created,
// std::errc::file_exists when one was there, the system's error for any other failure.
std::error_code CreateNewFile(const QString& path);

// The whole file, or false with the reason. Only a regular file is read, without a wait: a FIFO, device,
// socket or folder is refused at once (OpenRegularFile). A file that ends before the size it had when it
// was opened (a read error part way, or a file cut short meanwhile) is an error, never taken for the
// whole file.
bool ReadWholeFile(const QString& path, QByteArray& bytes, QString& reason);

} // namespace platform
