#include "foundation/General.h"

QString AppDir;
QString SettingsPath;
QString UsersPath;
QString LogDir;
QString CombinationsPath;
QString SkinsDir;
QString LogoFile;
QString MainTitle;

std::unique_ptr<platform::IniFile> SettingsIni;
std::unique_ptr<platform::IniFile> UsersIni;
