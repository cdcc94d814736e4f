#pragma once
// The sound card's mixer as the station sees it: numbered mixer devices, each with destination lines
// (where sound goes: the speakers, the recording), their source lines (connections) and the controls
// of every line, read and written as values. The ALSA back-end serves the program; a test installs a
// back-end of its own in its place, so no test reads or sets the machine's mixer.
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// Control types.
inline constexpr uint32_t MixerControlMute = 0x20010002;
inline constexpr uint32_t MixerControlVolume = 0x50030001;
inline constexpr uint32_t MixerControlMux = 0x70010001;
inline constexpr uint32_t MixerControlMixer = 0x71010001;

// Control flags.
inline constexpr uint32_t MixerControlUniform = 0x00000001;  // one value serves every channel
inline constexpr uint32_t MixerControlMultiple = 0x00000002; // one value per item (MUX, MIXER)
inline constexpr uint32_t MixerControlDisabled = 0x80000000;

// Line component types.
inline constexpr uint32_t MixerLineSpeakers = 4;           // destination: playback
inline constexpr uint32_t MixerLineWaveIn = 7;             // destination: recording
inline constexpr uint32_t MixerSourceUndefined = 0x1000;   // source lines from here on
inline constexpr uint32_t MixerSourceLine = 0x1002;        // the line input
inline constexpr uint32_t MixerSourceMicrophone = 0x1003;  // the microphone input
inline constexpr uint32_t MixerSourceCompactDisc = 0x1005; // the CD input
inline constexpr uint32_t MixerSourceWaveOut = 0x1008;     // what the programs play
inline constexpr uint32_t MixerSourceAuxiliary = 0x1009;   // the auxiliary input

// Line target types.
inline constexpr uint32_t MixerTargetNone = 0;
inline constexpr uint32_t MixerTargetWaveOut = 1;
inline constexpr uint32_t MixerTargetWaveIn = 2;

// The line id of an item that selects no line of the device.
inline constexpr uint32_t MixerNoLine = 0xFFFFFFFF;

struct MixerCaps {
    QString productName;
    uint16_t manufacturerId = 0;
    uint16_t productId = 0;
    uint32_t driverVersion = 0;
    uint32_t destinations = 0;
};

struct MixerLine {
    uint32_t destination = 0;
    uint32_t source = 0; // source lines only
    uint32_t lineId = 0;
    uint32_t componentType = 0;
    uint32_t channels = 0;
    uint32_t connections = 0; // destination lines only
    uint32_t controls = 0;
    QString shortName;
    QString name;
    uint32_t targetType = MixerTargetNone;
    QString targetName;
};

struct MixerControl {
    uint32_t controlId = 0;
    uint32_t type = 0;
    uint32_t flags = 0;
    uint32_t channels = 1; // of its values: 1 for a uniform control, else its line's
    uint32_t items = 0;    // of a multiple-item control; 0 otherwise
    QString shortName;
    QString name;
    int32_t minimum = 0;
    int32_t maximum = 0;
};

// One item of a multiple-item control: the line it stands for and its name.
struct MixerItem {
    uint32_t lineId = MixerNoLine;
    QString name;
};

// A control holds ValueCount(control) values, channel by channel, each channel with one value per
// item ([channel * items + item]) or a single one.
inline size_t ValueCount(const MixerControl& control)
{
    return size_t{control.channels} * (control.items > 0 ? control.items : 1);
}

// Told of the changes of an open device. A back-end may call it on any thread.
class MixerListener {
public:
    virtual ~MixerListener() = default;
    virtual void LineChanged(uint32_t lineId) = 0;
    virtual void ControlChanged(uint32_t controlId) = 0;
};

// An open mixer device; destroying it closes the device, and no listener call follows.
class MixerDevice {
public:
    virtual ~MixerDevice() = default;
    virtual bool GetCaps(MixerCaps& caps) = 0;
    virtual bool GetLineByDestination(uint32_t destination, MixerLine& line) = 0;
    virtual bool GetLineBySource(uint32_t destination, uint32_t source, MixerLine& line) = 0;
    virtual bool GetLineControls(uint32_t lineId, std::vector<MixerControl>& controls) = 0;
    virtual bool GetLineControlByType(uint32_t lineId, uint32_t type, MixerControl& control) = 0;
    virtual bool GetValues(uint32_t controlId, std::vector<int32_t>& values) = 0;
    // values holds ValueCount(control) values, or the write is refused.
    virtual bool SetValues(uint32_t controlId, const std::vector<int32_t>& values) = 0;
    virtual bool GetItems(uint32_t controlId, std::vector<MixerItem>& items) = 0;
};

class MixerBackend {
public:
    virtual ~MixerBackend() = default;
    virtual int DeviceCount() = 0;
    // Null when the device does not open. With a listener the device reports its changes to it and
    // fails to open when it cannot; without one it reports nothing.
    virtual std::unique_ptr<MixerDevice> Open(int device, MixerListener* listener) = 0;
};

// Puts a back-end in place of the program's own (nullptr: the program's again) and returns the one
// it replaces, so a test's back-end stands for the whole process while it lives. GUI thread only.
MixerBackend* InstallMixerBackend(MixerBackend* backend);
// The installed back-end, or null.
MixerBackend* InstalledMixerBackend();

} // namespace platform
