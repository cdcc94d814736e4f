#include "audiolib/Device.h"

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

void Device::Shutdown()
{
    backend->Close();
    if (dispatcher)
        dispatcher->Stop();
}

} // namespace audiolib
