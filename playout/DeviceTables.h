#pragma once
// The playback and recording device tables, filled at start-up from the audio library's devices,
// and the lookups by device name that the slots and the device windows use. GUI thread only.
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// One input of a recording device.
struct TSource {
    QString Name;
    int32_t Input = -1; // the input setting the library reports; -1 when cleared
};
using TSources = std::array<TSource, 10>;

struct TDevice {
    QString Description; // as the audio library reports it
    QString Name;        // the system's device name; for playback entry 0 the Description itself
    int32_t Flag = -1;   // -1 empty, 0 playback device present, 1 recording device present
    uint32_t Caps = 0;   // 0x100 when a 44,100 Hz stereo float stream could be created on it
    TSources Sources;    // inputs of a recording device; cleared for playback devices
};
using TDevices = std::array<TDevice, 10>;

inline constexpr uint32_t CapsFloat = 0x100;

// In the library's recording- and playback-device numbering; playback number 0 is "No sound".
extern TDevices InputDevices;
extern TDevices OutputDevices;

// Where the tables get their devices: the audio library, or a test's fake. The system names pair
// with the library's playback devices from number 1 and with its recording devices from number 0.
class DeviceSystem {
public:
    virtual ~DeviceSystem() = default;
    virtual QStringList OutputNames() = 0;
    virtual QStringList InputNames() = 0;
    virtual const char* OutputDescription(int device) = 0; // null past the last device
    virtual bool InitOutput(int device) = 0;
    virtual bool SetOutput(int device) = 0;
    virtual bool CanCreateFloatStream() = 0; // on the current playback device
    virtual const char* InputDescription(int device) = 0;
    virtual bool InitInput(int device) = 0;
    virtual bool SetInput(int device) = 0;
    virtual const char* InputSourceName(int source) = 0; // of the current recording device
    virtual int32_t InputSourceSetting(int source) = 0;
};

// Puts a device system in place of the audio library's (nullptr: the library's again) and returns
// the one it replaces.
DeviceSystem* InstallDeviceSystem(DeviceSystem* system);

void ListOutputDeviceNames(QStringList& list);
void ListInputDeviceNames(QStringList& list);
// Fill the table, initialising each listed device; listing stops at the first device that cannot be
// initialised or selected, after its "Media Error" box.
void LoadOutputDevices(TDevices& table);
void LoadInputDevices(TDevices& table);

// False when the library refused; code 14 (already initialised) is success for every caller.
bool InitOutputDevice(int index);
bool InitInputDevice(int index);
bool SetOutputDevice(int index);

QString GetDeviceName(const TDevices& table, int index);
// The first entry 0..9 whose Name equals name exactly; 1 when none does (an empty name finds the
// first empty entry).
int GetDeviceIndex(const TDevices& table, const QString& name);
// The device a slot plays on: as GetDeviceIndex, but an empty name counts as unknown, and an unknown
// name falls back to "No sound" (0) when there is no device 1.
int PlaybackDeviceIndex(const TDevices& table, const QString& name);
// The Names of entries 0, 1, ... up to the first empty one, at most ten.
void FillDeviceList(const TDevices& table, QStringList& list);
