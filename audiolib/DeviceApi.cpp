// Output devices: listing, initialisation, selection, stop, free and the mixer lock.
#include "audiolib/AudioLib.h"
#include "audiolib/DeviceList.h"
#include "audiolib/Engine.h"
#include "audiolib/LastError.h"

namespace audiolib {

const char* GetDeviceDescription(int device)
{
    const char* description = OutputDeviceDescription(device);
    SetLastError(description != nullptr ? ErrorOk : ErrorDevice);
    return description;
}

bool Init(int device, int freq, uint32_t)
{
    Engine& engine = Engine::Instance();
    std::lock_guard lock(engine.mutex);
    if (device < 0 || device >= OutputDeviceCount())
        return Fail(ErrorDevice);
    if (engine.FindDevice(device) != nullptr)
        return Fail(ErrorAlready);
    if (freq <= 0)
        return Fail(ErrorIllParam);
    const Config config = CurrentConfig();
    engine.devices[static_cast<size_t>(device)] =
        std::make_unique<Device>(device, freq, config, CreateOutputBackend(device, config));
    engine.current = device;
    return Succeed();
}

bool SetDevice(int device)
{
    Engine& engine = Engine::Instance();
    std::lock_guard lock(engine.mutex);
    if (device < 0 || device >= OutputDeviceCount())
        return Fail(ErrorDevice);
    if (engine.FindDevice(device) == nullptr)
        return Fail(ErrorInit);
    engine.current = device;
    return Succeed();
}

int GetDevice()
{
    Engine& engine = Engine::Instance();
    std::lock_guard lock(engine.mutex);
    if (engine.CurrentDevice() == nullptr) {
        SetLastError(ErrorInit);
        return -1;
    }
    SetLastError(ErrorOk);
    return engine.current;
}

bool Stop()
{
    Engine& engine = Engine::Instance();
    std::lock_guard lock(engine.mutex);
    Device* device = engine.CurrentDevice();
    if (device == nullptr)
        return Fail(ErrorInit);
    for (Stream* stream : device->streams) {
        if (stream->state == StreamState::Playing)
            stream->state = StreamState::Paused;
    }
    return Succeed();
}

bool Free()
{
    Engine& engine = Engine::Instance();
    std::vector<std::unique_ptr<Stream>> streams;
    std::unique_lock lock(engine.mutex);
    Device* current = engine.CurrentDevice();
    if (current == nullptr)
        return Fail(ErrorInit);
    // From inside one of its own sync procedures the device cannot wait for that procedure.
    if (current->runningStream != 0 && current->runningThread == std::this_thread::get_id())
        return Fail(ErrorUnknown);
    std::unique_ptr<Device> device = engine.DetachDevice(engine.current, streams);
    lock.unlock();
    device->Shutdown();
    streams.clear();
    return Succeed();
}

bool Lock(int device, bool lock)
{
    Engine& engine = Engine::Instance();
    std::lock_guard guard(engine.mutex);
    if (device < 0 || device >= OutputDeviceCount())
        return Fail(ErrorDevice);
    Device* target = engine.FindDevice(device);
    if (target == nullptr)
        return Fail(ErrorInit);
    target->suspended = lock;
    if (!lock)
        engine.ResumeMixing();
    return Succeed();
}

} // namespace audiolib
