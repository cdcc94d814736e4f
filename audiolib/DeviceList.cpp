#include "audiolib/DeviceList.h"

#include "audiolib/NullOutput.h"

#include <functional>
#include <string>
#include <vector>

namespace audiolib {

namespace {
struct DeviceEntry {
    std::string description;
    std::function<std::unique_ptr<OutputBackend>(const Config&)> create;
};

const std::vector<DeviceEntry>& Entries()
{
    static const std::vector<DeviceEntry> entries = {
        {"No sound", [](const Config& config) { return std::make_unique<NullOutput>(config.nullManual); }},
    };
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

std::unique_ptr<OutputBackend> CreateOutputBackend(int index, const Config& config)
{
    return Entries()[static_cast<size_t>(index)].create(config);
}

} // namespace audiolib
