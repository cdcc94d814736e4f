#include "audiolib/Device.h"

#include <algorithm>

namespace audiolib {

namespace {
constexpr size_t EventReserve = 256;
}

Device::Device(int index, int rate, const Config& config, std::unique_ptr<OutputBackend> backend)
    : index(index), rate(rate), periodFrames(config.updatePeriodMs * rate / 1000), bufferMs(config.bufferMs),
      maxVol(config.maxVol), manual(config.nullManual && index == 0), backend(std::move(backend))
{
    events.reserve(EventReserve);
}

int64_t Device::HeardFrames() const
{
    const int64_t heard = framesMixed.load() - backend->LatencyFrames();
    int64_t high = heardHigh.load();
    while (heard > high && !heardHigh.compare_exchange_weak(high, heard)) {
    }
    return std::max(high, heard);
}

void Device::Shutdown()
{
    backend->Close();
    if (dispatcher)
        dispatcher->Stop();
}

} // namespace audiolib
