#include "playout/DeviceTables.h"

#include "audiolib/AudioLib.h"
#include "playout/MediaError.h"

TDevices InputDevices;
TDevices OutputDevices;

namespace {

constexpr int TableSize = 10;
constexpr int DeviceRate = 44100;

// The library's stable device names serve as the system's names: Linux has no separate wave-device
// list. Playback names start at device 1, as "No sound" has no system device of its own.
class AudioLibDeviceSystem : public DeviceSystem {
public:
    QStringList OutputNames() override { return Names(audiolib::GetDeviceName, 1); }
    QStringList InputNames() override { return Names(audiolib::RecordGetDeviceName, 0); }
    const char* OutputDescription(int device) override { return audiolib::GetDeviceDescription(device); }
    bool InitOutput(int device) override { return audiolib::Init(device, DeviceRate, 0); }
    bool SetOutput(int device) override { return audiolib::SetDevice(device); }
    bool CanCreateFloatStream() override
    {
        const audiolib::Handle probe =
            audiolib::StreamCreate(DeviceRate, 2, audiolib::SampleFloat, nullptr, nullptr);
        if (probe == 0)
            return false;
        audiolib::StreamFree(probe);
        return true;
    }
    const char* InputDescription(int device) override { return audiolib::RecordGetDeviceDescription(device); }
    bool InitInput(int device) override { return audiolib::RecordInit(device); }
    bool SetInput(int device) override { return audiolib::RecordSetDevice(device); }
    const char* InputSourceName(int source) override { return audiolib::RecordGetInputName(source); }
    int32_t InputSourceSetting(int source) override { return audiolib::RecordGetInput(source); }

private:
    static QStringList Names(const char* (*name)(int), int first)
    {
        QStringList names;
        for (int device = first; const char* text = name(device); ++device)
            names.append(QString::fromUtf8(text));
        return names;
    }
};

AudioLibDeviceSystem audioLibDevices;
DeviceSystem* currentSystem = &audioLibDevices;

} // namespace

DeviceSystem* InstallDeviceSystem(DeviceSystem* system)
{
    DeviceSystem* previous = currentSystem;
    currentSystem = system != nullptr ? system : &audioLibDevices;
    return previous;
}

void ListOutputDeviceNames(QStringList& list)
{
    list = currentSystem->OutputNames();
}

void ListInputDeviceNames(QStringList& list)
{
    list = currentSystem->InputNames();
}

void LoadOutputDevices(TDevices& table)
{
    QStringList names;
    ListOutputDeviceNames(names);
    table.fill(TDevice{});
    // A device that cannot be initialised or selected stays out of the table, like those after it;
    // one initialised before (code 14) is usable.
    for (int i = 0; i < TableSize; ++i) {
        const char* description = currentSystem->OutputDescription(i);
        if (description == nullptr)
            break;
        TDevice& entry = table[i];
        entry.Description = QString::fromUtf8(description);
        entry.Name = i == 0 ? entry.Description : names.value(i - 1);
        entry.Flag = 0;
        if (!InitOutputDevice(i) && MediaErrorCode() != audiolib::ErrorAlready) {
            ShowMediaError(QStringLiteral("Error initializating output device"));
            entry = TDevice{};
            break;
        }
        if (!SetOutputDevice(i)) {
            ShowMediaError(QStringLiteral("Error setting output device"));
            entry = TDevice{};
            break;
        }
        entry.Caps = currentSystem->CanCreateFloatStream() ? CapsFloat : 0;
    }
}

void LoadInputDevices(TDevices& table)
{
    QStringList names;
    ListInputDeviceNames(names);
    table.fill(TDevice{});
    // A device that cannot be initialised or selected stays out of the table, like those after it;
    // one initialised before (code 14) is usable.
    for (int i = 0; i < TableSize; ++i) {
        const char* description = currentSystem->InputDescription(i);
        if (description == nullptr)
            break;
        TDevice& entry = table[i];
        entry.Description = QString::fromUtf8(description);
        entry.Name = names.value(i);
        entry.Flag = 1;
        if (!InitInputDevice(i) && MediaErrorCode() != audiolib::ErrorAlready) {
            ShowMediaError(QStringLiteral("Error initializating input device"));
            entry = TDevice{};
            break;
        }
        if (!currentSystem->SetInput(i)) {
            ShowMediaError(QStringLiteral("Error setting input device"));
            entry = TDevice{};
            break;
        }
        for (int j = 0; j < TableSize; ++j) {
            const char* source = currentSystem->InputSourceName(j);
            if (source == nullptr)
                break;
            entry.Sources[j].Name = QString::fromUtf8(source);
            entry.Sources[j].Input = currentSystem->InputSourceSetting(j);
        }
    }
}

bool InitOutputDevice(int index)
{
    return currentSystem->InitOutput(index);
}

bool InitInputDevice(int index)
{
    return currentSystem->InitInput(index);
}

bool SetOutputDevice(int index)
{
    return currentSystem->SetOutput(index);
}

QString GetDeviceName(const TDevices& table, int index)
{
    return table.at(static_cast<size_t>(index)).Name;
}

int GetDeviceIndex(const TDevices& table, const QString& name)
{
    for (int i = 0; i < TableSize; ++i) {
        if (table[i].Name == name)
            return i;
    }
    return 1;
}

int PlaybackDeviceIndex(const TDevices& table, const QString& name)
{
    const int index = name.isEmpty() ? 1 : GetDeviceIndex(table, name);
    // On a machine without a sound card only "No sound" is listed.
    return index == 1 && table[1].Flag == -1 ? 0 : index;
}

void FillDeviceList(const TDevices& table, QStringList& list)
{
    list.clear();
    for (const TDevice& entry : table) {
        if (entry.Name.isEmpty())
            break;
        list.append(entry.Name);
    }
}
