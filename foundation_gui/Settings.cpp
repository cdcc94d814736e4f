#include "foundation_gui/Settings.h"

#include "foundation/General.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation/SettingsWriter.h"
#include "foundation_gui/DisplayRoles.h"
#include "foundation_gui/FormPosition.h"
#include "platform/Paths.h"
#include "platform_gui/Dialogs.h"

#include <utility>

namespace {

const QString DefaultSntpServer = QStringLiteral("pool.ntp.org");

QString ChannelSection(int channel)
{
    return QStringLiteral("channel%1").arg(channel);
}

void LoadOptions(const platform::IniFile& ini, TOptions& o)
{
    o.FirstInstall = ini.ReadBool("main", "firstinstall", true);
    o.Language = ini.ReadString("main", "language", "english");
    o.LastSearchDir = platform::ToNativeSeparators(ini.ReadString("main", "lastsearchdir", QString()));
    o.ListLineBelow = true;
    o.ListLineRight = true;
    o.ShowTags = false;
    o.ShowExtension = true;
    o.Skin = ini.ReadString("main", "skin", QString());
    o.MainWindow = ini.ReadInteger("main", "mainwindow", 0);
    o.BeepFile = AppDir + "beeps6.wav";
    o.BeepMinutes = ini.ReadInteger("main", "beepminutes", 0);
    o.BeepNumber = ini.ReadInteger("main", "beepnumber", 5);
    o.PlayAtStartup = ini.ReadBool("main", "playatstartup", false);
    o.ProgramationEnabled = ini.ReadBool("programation", "enabled", false);
    o.BeepActive = ini.ReadBool("main", "beepactive", false);
    o.Volume = ini.ReadInteger("main", "Volume", 10);
    o.Balance = ini.ReadInteger("main", "Balance", 0);
    o.FolderColumns = ini.ReadInteger("folders", "columns", 3);
    o.SetPCDatetimeAtStartup = ini.ReadBool("sntp", "SetPCDatetimeAtStartup", false);
    o.SntpServer = ini.ReadString("sntp", "server", DefaultSntpServer);
    o.SntpPort = ini.ReadInteger("sntp", "port", 123);
    o.SntpTimeout = ini.ReadInteger("sntp", "timeout", 2000);
    for (int channel = 1; channel <= PlayoutChannelCount; ++channel)
        o.ChannelVolume[channel] = ini.ReadInteger(ChannelSection(channel), "volume", 100);
    o.ChannelVolume[CueSlot] = ini.ReadInteger("CUE", "volume", 100);
    for (int channel = 1; channel <= PlayoutChannelCount; ++channel) {
        const QString section = ChannelSection(channel);
        o.FadeInterval[channel] = ini.ReadInteger(section, "fadeinterval", 5);
        o.CrossfadeEnabled[channel] = ini.ReadBool(section, "crossfadeenabled", false);
        o.CrossfadeInterval[channel] = ini.ReadInteger(section, "crossfadeinterval", 5);
        o.CrossfadeMin[channel] = ini.ReadInteger(section, "crossfademin", 60);
    }
    for (int channel = 1; channel <= PlayoutChannelCount; ++channel) {
        const QString section = ChannelSection(channel);
        o.MicFadeInterval[channel] = ini.ReadInteger(section, "MicFadeInterval", 1);
        o.MicFadeVolMinPercent[channel] = ini.ReadInteger(section, "MicFadeVolMinPercent", 10);
    }
    for (int channel = 1; channel <= PlayoutChannelCount; ++channel)
        o.DeviceOut[channel] = ini.ReadString(ChannelSection(channel), "device_out", QString());
    o.DeviceOut[CueSlot] = ini.ReadString("cue", "device_out", QString());
    o.WindowsBarPosition = ini.ReadInteger("WindowsBar", "position", 1);
}

// Only channel 1 and the pre-listen player are saved: the station runs one playout channel.
void SaveOptions(SettingsWriter& w, const TOptions& o)
{
    w.WriteInteger("log", "level", Log.Level);
    // Empty until the logo window has shown; writing it then would lose the chosen picture.
    if (!LogoFile.isEmpty())
        w.WriteString("logo", "file", LogoFile);
    w.WriteBool("main", "firstinstall", false);
    w.WriteString("main", "language", o.Language);
    w.WriteString("main", "lastsearchdir", o.LastSearchDir);
    w.WriteString("main", "skin", o.Skin);
    w.WriteInteger("main", "mainwindow", o.MainWindow);
    w.WriteInteger("main", "beepminutes", o.BeepMinutes);
    w.WriteInteger("main", "beepnumber", o.BeepNumber);
    w.WriteBool("main", "beepactive", o.BeepActive);
    w.WriteInteger("main", "Volume", o.Volume);
    w.WriteInteger("main", "Balance", o.Balance);
    w.WriteBool("main", "playatstartup", o.PlayAtStartup);
    w.WriteInteger("folders", "columns", o.FolderColumns);
    w.WriteBool("sntp", "SetPCDatetimeAtStartup", o.SetPCDatetimeAtStartup);
    w.WriteInteger("channel1", "fadeinterval", o.FadeInterval[1]);
    w.WriteBool("channel1", "crossfadeenabled", o.CrossfadeEnabled[1]);
    w.WriteInteger("channel1", "crossfadeinterval", o.CrossfadeInterval[1]);
    w.WriteInteger("channel1", "crossfademin", o.CrossfadeMin[1]);
    w.WriteInteger("channel1", "volume", o.ChannelVolume[1]);
    w.WriteInteger("cue", "volume", o.ChannelVolume[CueSlot]);
    w.WriteString("channel1", "device_out", o.DeviceOut[1]);
    w.WriteString("cue", "device_out", o.DeviceOut[CueSlot]);
}

} // namespace

void LoadSettings()
{
    SettingsIni = std::make_unique<platform::IniFile>(SettingsPath);
    const platform::IniFile& ini = *SettingsIni;
    const platform::IniReadPass pass(ini);
    // An unreadable file reads as empty, so every value below takes its default.
    if (!ini.IsReadable())
        platform::ShowMessage("Error opening " + SettingsPath);
    Log.Level = ini.ReadInteger("log", "level", 1);
    CreateFonts();
    LoadFonts();
    LoadColors();
    CombinationsPath = AppDir + "combinations.dat";
    SkinsDir = AppDir + "skins/";
    LoadOptions(ini, StationOptions);
}

void SaveSettings(const StationWindows& windows, const std::function<void(SettingsWriter&)>& saveAlso)
{
    SettingsWriter writer(SettingsIni.get());
    SaveFonts(writer);
    SaveColors(writer);
    SaveOptions(writer, StationOptions);
    SaveWindowPositions(writer, windows);
    if (saveAlso)
        saveAlso(writer);
    writer.Commit();
    writer.LogFailures();
}

void SaveWindowPositions(SettingsWriter& writer, const StationWindows& windows)
{
    writer.WriteInteger("WindowsBar", "position", StationOptions.WindowsBarPosition);
    const std::pair<QWidget*, const char*> places[] = {
        {windows.Main, "Main"},
        {windows.Clock, "Clock"},
        {windows.Logo, "Logo"},
        {windows.Channel1, "channel1"},
        {windows.Combinations, "combinations"},
        {windows.Folders, "folders"},
    };
    for (const auto& [window, section] : places)
        if (window)
            SaveFormPosition(writer, *window, section);
}

void RestoreWindows(const StationWindows& windows)
{
    if (!SettingsIni)
        return;
    const platform::IniReadPass pass(*SettingsIni);
    const std::pair<QWidget*, const char*> movedOnly[] = {{windows.Clock, "Clock"}, {windows.Logo, "Logo"}};
    const std::pair<QWidget*, const char*> movedAndSized[] = {{windows.Main, "main"},
                                                              {windows.Channel1, "channel1"},
                                                              {windows.Folders, "folders"},
                                                              {windows.Combinations, "combinations"}};
    for (const auto& [window, section] : movedOnly)
        if (window)
            RestoreFormPosition(0, *SettingsIni, *window, section);
    for (const auto& [window, section] : movedAndSized)
        if (window)
            RestoreFormPosition(1, *SettingsIni, *window, section);
}
