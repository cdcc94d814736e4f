#pragma once
// Loading and saving the station's settings file: the record StationOptions, the log level, the role
// fonts and colours, the device names and the places of the station's windows.
#include <functional>

class QWidget;
class SettingsWriter;

// The windows whose places the settings file keeps; a window not created yet is null and skipped.
struct StationWindows {
    QWidget* Main = nullptr; // the settings window
    QWidget* Clock = nullptr;
    QWidget* Logo = nullptr;
    QWidget* Channel1 = nullptr;
    QWidget* Combinations = nullptr;
    QWidget* Folders = nullptr;
};

// Opens SettingsIni on SettingsPath ("Error opening " + the path when the file exists but cannot be
// read; the defaults then apply) and reads every setting.
void LoadSettings();

// Writes every saved setting, then the window places, then what saveAlso writes, all in one replace of
// the file. Each write stands on its own; what could not be written is named in one log line.
void SaveSettings(const StationWindows& windows, const std::function<void(SettingsWriter&)>& saveAlso = {});

void SaveWindowPositions(SettingsWriter& writer, const StationWindows& windows);

// Clock and logo are only moved; the others are moved and sized. Each is shown or hidden as saved.
void RestoreWindows(const StationWindows& windows);
