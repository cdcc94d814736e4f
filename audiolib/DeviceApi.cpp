// Output devices: listing, initialisation, selection, stop, free and batches of changes.
#include "audiolib/AudioLib.h"
#include "audiolib/DeviceList.h"
#include "audiolib/Engine.h"
#include "audiolib/InsideMix.h"
#include "audiolib/LastError.h"
#include "audiolib/OutputBackend.h"

namespace audiolib {

namespace {

// One report on a device's output.
template <typename Report, typename Read> bool ReadOutputReport(int device, Report* report, Read read)
{
    if (RefusedInsideMix())
        return false;
    if (report == nullptr)
        return Fail(ErrorIllParam);
    const std::shared_ptr<Device> found = Engine::Instance().FindDevice(device);
    if (found == nullptr)
        return Fail(Engine::MissingDeviceError(device));
    *report = read(*found);
    return Succeed();
}

} // namespace

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
    return ReadOutputReport(device, counts, [](const Device& found) { return found.backend->Counts(); });
}

bool GetOutputScheduling(int device, OutputScheduling* scheduling)
{
    // Set by the output's start, which Opened() tells has happened.
    return ReadOutputReport(device, scheduling, [](const Device& found) {
        return found.Opened() ? found.backend->Scheduling() : OutputScheduling{};
    });
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
