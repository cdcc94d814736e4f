#include "audiolib/Config.h"

#include "audiolib/AudioLib.h"
#include "audiolib/Handles.h"
#include "audiolib/LastError.h"

#include <mutex>

namespace audiolib {

namespace {
std::mutex configMutex;
Config config;

bool InRange(uint32_t value, uint32_t low, uint32_t high)
{
    return value >= low && value <= high;
}
} // namespace

Config CurrentConfig()
{
    std::lock_guard lock(configMutex);
    return config;
}

uint32_t GetVersion()
{
    SetLastError(ErrorOk);
    return 0x00020002;
}

bool SetConfig(uint32_t option, uint32_t value)
{
    std::lock_guard lock(configMutex);
    switch (option) {
    case ConfigBuffer:
        if (!InRange(value, 10, 5000))
            return Fail(ErrorIllParam);
        config.bufferMs = static_cast<int>(value);
        return Succeed();
    case ConfigUpdatePeriod:
        if (!InRange(value, 5, 100))
            return Fail(ErrorIllParam);
        config.updatePeriodMs = static_cast<int>(value);
        return Succeed();
    case ConfigMaxVol:
        if (!InRange(value, 1, 10000))
            return Fail(ErrorIllParam);
        config.maxVol = static_cast<int>(value);
        return Succeed();
    case ConfigFloatDsp:
        // DSP buffers are always float; the integer mode is not offered.
        return value == 1 ? Succeed() : Fail(ErrorIllParam);
    case ConfigNullManual:
        if (value > 1)
            return Fail(ErrorIllParam);
        config.nullManual = value == 1;
        return Succeed();
    default:
        return Fail(ErrorIllType);
    }
}

uint32_t PluginLoad(const char*)
{
    SetLastError(ErrorOk);
    return NewHandle(HandleKind::Plugin);
}

bool PluginFree(uint32_t)
{
    return Succeed();
}

} // namespace audiolib
