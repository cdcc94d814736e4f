#include "audiolib/DeviceList.h"

#include "audiolib/AlsaDevices.h"
#include "audiolib/AlsaOutput.h"
#include "audiolib/AudioLib.h"
#include "audiolib/LastError.h"
#include "audiolib/NullOutput.h"

#include <functional>
#include <string>
#include <vector>

namespace audiolib {

namespace {
struct DeviceEntry {
    std::string description;
    std::string name;
    std::string control;
    std::function<std::unique_ptr<OutputBackend>(const Config&)> create;
};

const std::vector<DeviceEntry>& Entries()
{
    static const std::vector<DeviceEntry> entries = [] {
        std::vector<DeviceEntry> list = {
            {"No sound", "No sound", "",
             [](const Config& config) { return std::make_unique<NullOutput>(config.nullManual); }},
        };
        for (const AlsaPcm& pcm : ListAlsaPcms(AlsaDirection::Playback)) {
            list.push_back({pcm.description, pcm.name, pcm.control, [pcm = pcm.pcm](const Config&) {
                                return std::make_unique<AlsaOutput>(AlsaPcmPort(pcm));
                            }});
        }
        return list;
    }();
    return entries;
}
} // namespace

int OutputDeviceCount()
{
    return static_cast<int>(Entries().size());
}

const char* OutputDeviceDescription(int index)
{
    if (index < 0 || index >= OutputDeviceCount())
        return nullptr;
    return Entries()[static_cast<size_t>(index)].description.c_str();
}

const char* OutputDeviceName(int index)
{
    if (index < 0 || index >= OutputDeviceCount())
        return nullptr;
    return Entries()[static_cast<size_t>(index)].name.c_str();
}

const char* GetDeviceName(int device)
{
    const char* name = OutputDeviceName(device);
    SetLastError(name != nullptr ? ErrorOk : ErrorDevice);
    return name;
}

const char* GetDeviceControl(int device)
{
    if (device < 0 || device >= OutputDeviceCount()) {
        SetLastError(ErrorDevice);
        return nullptr;
    }
    SetLastError(ErrorOk);
    return Entries()[static_cast<size_t>(device)].control.c_str();
}

std::unique_ptr<OutputBackend> CreateOutputBackend(int index, const Config& config)
{
    return Entries()[static_cast<size_t>(index)].create(config);
}

} // namespace audiolib
