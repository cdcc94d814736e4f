#pragma once
// A window's place in the settings file: keys left, top, width, height and visible of one section.
#include "platform/IniFile.h"

#include <QString>

class QWidget;
class SettingsWriter;

// Writes the frame's left and top, the client width and height, and whether the window is shown.
void SaveFormPosition(SettingsWriter& writer, const QWidget& window, const QString& section);

// Mode 1 places the window and sizes its client area; any other mode only moves it. Missing keys keep
// the window's left and top and its outer size; visible defaults to shown.
void RestoreFormPosition(int mode, const platform::IniFile& ini, QWidget& window, const QString& section);
