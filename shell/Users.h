#pragma once
// The users file "users.dat": one section per user, named as first typed, with the scrambled
// password under the key "password". The user name also names the user's folder under "users/".
#include <QString>

namespace platform {
class IniFile;
}

// "Sonvela" + "zodu.ini": the settings file's name, in the program folder and in each user's folder.
inline const QString SettingsFileName = QStringLiteral("Sonvelazodu.ini");

// False for names that would leave the users folder or break the users file: "/", "\", "..", a lone
// ".", "[", "]", "=", ";", control characters (line breaks among them), leading or trailing blanks,
// half a surrogate pair, and names too long for a folder name (more than 255 bytes).
bool IsValidUserName(const QString& name);

// The user's section as the users file writes it (section names compare without regard to case);
// empty for a user the file does not hold.
QString StoredUserName(const platform::IniFile& users, const QString& name);
