// Output devices: listing, initialisation, selection, stop, free and batches of changes.
#include "audiolib/AudioLib.h"
#include "audiolib/DeviceList.h"
#include "audiolib/Engine.h"
#include "audiolib/InsideMix.h"
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
    if (RefusedInsideMix())
        return false;
    return Report(Engine::Instance().Init(device, freq));
}

bool SetDevice(int device)
{
    if (RefusedInsideMix())
        return false;
    return Report(Engine::Instance().Select(device));
}

int GetDevice()
{
    if (RefusedInsideMix())
        return -1;
    const int current = Engine::Instance().CurrentIndex();
    SetLastError(current >= 0 ? ErrorOk : ErrorInit);
    return current;
}

bool Stop()
{
    if (RefusedInsideMix())
        return false;
    return Report(Engine::Instance().PauseCurrent());
}

bool Free()
{
    if (RefusedInsideMix())
        return false;
    return Report(Engine::Instance().FreeCurrent());
}

bool GetOutputCounts(int device, OutputCounts* counts)
{
    if (RefusedInsideMix())
        return false;
    if (counts == nullptr)
        return Fail(ErrorIllParam);
    const std::shared_ptr<Device> found = Engine::Instance().FindDevice(device);
    if (found == nullptr)
        return Fail(Engine::MissingDeviceError(device));
    *counts = found->backend->Counts();
    return Succeed();
}

bool BeginBatch(int device)
{
    if (RefusedInsideMix())
        return false;
    return Report(Engine::Instance().BeginBatch(device));
}

bool EndBatch(int device)
{
    if (RefusedInsideMix())
        return false;
    return Report(Engine::Instance().EndBatch(device));
}

} // namespace audiolib
