#pragma once
// Path texts as the system keeps them: "/" as the separator, folders ending with "/".
#include "platform/Privileges.h"

#include <QString>

namespace platform {

// The folder followed by the name with exactly one "/" between them.
QString JoinPath(const QString& folder, const QString& name);

// A leading "/" or an old "X:" drive text counts as absolute.
bool IsAbsolutePath(const QString& path);

// A relative name made absolute against the current folder, its "." and ".." parts and doubled "/"
// resolved (links are not) and a trailing "/" kept. An absolute name is kept as written, byte for byte:
// callers hand it back to code that compares it with the text it came from.
QString ExpandFileName(const QString& name);

// "\" separators of texts written on the original platform become "/".
QString ToNativeSeparators(const QString& path);

// The folder with a trailing "/".
QString WithTrailingSeparator(const QString& folder);

// Parts of a path: the name after the last "/", the folder up to and with it, and the extension
// of the name from its last "." with the dot ("" when the name has none).
QString FileNamePart(const QString& path);
QString FolderPart(const QString& path);
QString FileExtension(const QString& path);

// Names another program folder, for tests and packaged installs that keep the station's files apart
// from the executables.
inline constexpr char AppDirVariable[] = "SONVELA_APPDIR";

// The executable's folder with a trailing "/", unless the AppDirVariable environment variable names
// another folder and the program does not run elevated.
QString ProgramFolder(bool elevated = RunsElevated());

} // namespace platform
