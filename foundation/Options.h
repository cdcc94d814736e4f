#pragma once
// The station's settings record, filled from the settings file and edited by the windows.
#include <QString>
#include <array>
#include <cstdint>

// Indexed by channel number, from 1; a number outside 1..Count throws std::out_of_range.
template <typename T, int Count> class ChannelArray {
public:
    T& operator[](int channel) { return values_.at(static_cast<size_t>(channel - 1)); }
    const T& operator[](int channel) const { return values_.at(static_cast<size_t>(channel - 1)); }
    bool operator==(const ChannelArray&) const = default;

private:
    std::array<T, Count> values_{};
};

inline constexpr int PlayoutChannelCount = 3;
inline constexpr int CueSlot = 4; // the pre-listen player's slot after the three channels

struct TOptions {
    bool FirstInstall = false;
    bool ListLineBelow = false;
    bool ListLineRight = false;
    bool SetPCDatetimeAtStartup = false;
    bool PlayAtStartup = false;
    bool ShowTags = false;
    bool ShowExtension = false;
    bool BeepActive = false;
    bool ProgramationEnabled = false;
    QString Language;
    QString Skin;
    QString BeepFile;
    QString LastSearchDir;
    QString SntpServer;
    int32_t Volume = 0;
    int32_t Balance = 0; // the balance track bar's position, minus the mixer's balance
    int32_t MainWindow = 0;
    int32_t BeepMinutes = 0;
    int32_t BeepNumber = 0;
    int32_t FolderColumns = 0;
    int32_t SntpPort = 0;
    int32_t SntpTimeout = 0;
    ChannelArray<int32_t, CueSlot> ChannelVolume;
    ChannelArray<int32_t, PlayoutChannelCount> FadeInterval;
    ChannelArray<bool, PlayoutChannelCount> CrossfadeEnabled;
    ChannelArray<int32_t, PlayoutChannelCount> CrossfadeInterval;
    ChannelArray<int32_t, PlayoutChannelCount> CrossfadeMin;
    ChannelArray<int32_t, PlayoutChannelCount> MicFadeInterval;
    ChannelArray<int32_t, PlayoutChannelCount> MicFadeVolMinPercent;

    // Kept here until their owners exist: the output-device names of the player slots (channels 1
    // to 3, then the pre-listen player) and the windows bar's screen edge.
    ChannelArray<QString, CueSlot> DeviceOut;
    int32_t WindowsBarPosition = 0;

    bool operator==(const TOptions&) const = default;
};

extern TOptions StationOptions;

// The range of a spin edit that shows a setting; values outside it are pulled to its nearer end.
struct SpinRange {
    int Min;
    int Max;
    int Clamp(int value) const { return value < Min ? Min : (value > Max ? Max : value); }
};

inline constexpr SpinRange FadeIntervalRange{1, 10};
inline constexpr SpinRange CrossfadeIntervalRange{1, 10};
inline constexpr SpinRange CrossfadeMinRange{10, 300};
inline constexpr SpinRange BeepMinutesRange{15, 60};

// Pulls the fade and crossfade lengths into the settings window's ranges. Its spin edits do not
// report a value that clamps to the one they already show, so the window writes back through here.
void ClampFadeOptions(TOptions& options);
