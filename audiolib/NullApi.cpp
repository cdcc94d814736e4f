// Device 0's test interface: the manual clock, the captured mix, and the leak check.
#include "audiolib/AudioLib.h"
#include "audiolib/Engine.h"
#include "audiolib/InsideMix.h"
#include "audiolib/LastError.h"
#include "audiolib/NullOutput.h"

namespace audiolib {

namespace {
// Device 0, its output opened if need be; null (code 8) when device 0 is not initialised. The device
// is kept alive by the pointer, so its output can be used with no lock held.
std::shared_ptr<Device> NullDevice()
{
    if (RefusedInsideMix())
        return nullptr;
    Engine& engine = Engine::Instance();
    std::shared_ptr<Device> device = engine.FindDevice(0);
    if (device == nullptr || !engine.OpenOutput(*device)) {
        SetLastError(ErrorInit);
        return nullptr;
    }
    SetLastError(ErrorOk);
    return device;
}

NullOutput& Output(Device& device)
{
    return static_cast<NullOutput&>(*device.backend);
}
} // namespace

bool NullAdvance(int64_t frames)
{
    const std::shared_ptr<Device> device = NullDevice();
    if (device == nullptr)
        return false;
    if (!Output(*device).Manual() || frames < 0)
        return Fail(ErrorNotAvail);
    Output(*device).Advance(frames);
    return Succeed();
}

std::vector<float> NullCapture()
{
    const std::shared_ptr<Device> device = NullDevice();
    return device != nullptr ? Output(*device).TakeCapture() : std::vector<float>{};
}

void NullSetSink(NullSink sink)
{
    if (const std::shared_ptr<Device> device = NullDevice())
        Output(*device).SetSink(std::move(sink));
}

int64_t NullFramesRendered()
{
    const std::shared_ptr<Device> device = NullDevice();
    return device != nullptr ? device->framesMixed.load() : -1;
}

int LiveStreamCount()
{
    if (RefusedInsideMix())
        return -1;
    SetLastError(ErrorOk);
    return Engine::Instance().StreamCount();
}

} // namespace audiolib
