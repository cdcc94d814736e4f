#pragma once
// File and folder helpers. Failures come back as false, 0 or an empty listing, except where noted.
#include <QString>
#include <QStringList>
#include <cstdint>

// Appends the names of the folder's files (hidden ones too, no folders) that match the wildcard mask
// without regard to case, sorted without regard to case. Returns how many it added; nothing when
// DriveExists fails for the folder.
int ListFiles(const QString& folder, const QString& mask, QStringList& list);

// True for an absolute path whose file system answers, probed at the path or, when that does not
// exist yet, at its nearest existing parent. False for empty or relative texts and for old drive
// ("C:\") or network ("\\server") paths.
bool DriveExists(const QString& path);

// Copies the whole source over the destination, creating or emptying it first. False when anything
// fails (a destination already emptied stays so) and when both name the same file.
bool CopyFileTo(const QString& source, const QString& destination);

// Creates the folder and its missing parents. False when it already exists, for "" and "/", and when
// creation fails; callers that only need the folder to exist ignore the result.
bool ForceFolder(const QString& folder);

// Creates an empty file when none exists (true); false when one does. Any other failure (missing
// folder, no rights) throws std::system_error.
bool CreateFileIfMissing(const QString& path);

// The file's size, 0 when there is no such file.
int64_t FileSizeByName(const QString& path);

// True when the upper-cased extension, dot included, occurs in ".MP3.WAV.OGG.WMA": so ".MP", ".W"
// and a bare trailing "." pass too. A name without extension gives false.
bool IsAudioFile(const QString& name);
