// Device 0's test interface: the manual clock, the captured mix, and the leak check.
#include "audiolib/AudioLib.h"
#include "audiolib/Engine.h"
#include "audiolib/LastError.h"
#include "audiolib/NullOutput.h"

namespace audiolib {

namespace {
// Device 0's output, opened if need be; null (code 8) when device 0 is not initialised.
NullOutput* NullDevice(Engine& engine)
{
    Device* device = engine.FindDevice(0);
    if (device == nullptr || !engine.OpenOutput(*device)) {
        SetLastError(ErrorInit);
        return nullptr;
    }
    SetLastError(ErrorOk);
    return static_cast<NullOutput*>(device->backend.get());
}
} // namespace

bool NullAdvance(int64_t frames)
{
    Engine& engine = Engine::Instance();
    std::unique_lock lock(engine.mutex);
    NullOutput* output = NullDevice(engine);
    if (output == nullptr)
        return false;
    if (!output->Manual() || frames < 0)
        return Fail(ErrorNotAvail);
    lock.unlock();
    output->Advance(frames);
    return Succeed();
}

std::vector<float> NullCapture()
{
    Engine& engine = Engine::Instance();
    std::lock_guard lock(engine.mutex);
    NullOutput* output = NullDevice(engine);
    return output != nullptr ? output->TakeCapture() : std::vector<float>{};
}

void NullSetSink(NullSink sink)
{
    Engine& engine = Engine::Instance();
    std::lock_guard lock(engine.mutex);
    if (NullOutput* output = NullDevice(engine))
        output->SetSink(std::move(sink));
}

int64_t NullFramesRendered()
{
    Engine& engine = Engine::Instance();
    std::lock_guard lock(engine.mutex);
    if (NullDevice(engine) == nullptr)
        return -1;
    return engine.FindDevice(0)->framesMixed.load();
}

int LiveStreamCount()
{
    Engine& engine = Engine::Instance();
    std::lock_guard lock(engine.mutex);
    SetLastError(ErrorOk);
    return static_cast<int>(engine.StreamCount());
}

} // namespace audiolib
