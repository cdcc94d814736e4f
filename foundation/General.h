#pragma once
// Process-wide state both programs read: where the program lives, which settings and users files are
// open, the caption prefix, and the constants shared by several windows. GUI thread only.
#include "platform/IniFile.h"
#include "platform/Paths.h"

#include <QLatin1String>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

// Folders end with "/". Each text stays empty until the window that owns it sets it.
extern QString AppDir;
extern QString SettingsPath;
extern QString UsersPath;
extern QString LogDir;
extern QString CombinationsPath;
extern QString SkinsDir;
extern QString LogoFile;
extern QString MainTitle;

// Created by their owners once SettingsPath and UsersPath are fixed; empty before.
extern std::unique_ptr<platform::IniFile> SettingsIni;
extern std::unique_ptr<platform::IniFile> UsersIni;

// In the order the shell associations are registered.
inline constexpr std::array<QLatin1String, 4> AudioExtensions{QLatin1String(".MP3"), QLatin1String(".WAV"),
                                                              QLatin1String(".OGG"), QLatin1String(".WMA")};
inline constexpr int64_t MSecsPerDay = 86400000;

using platform::JoinPath;

using platform::AppDirVariable;
using platform::ProgramFolder;
