#include "audiolib/Device.h"

#include <algorithm>

namespace audiolib {

MixLocks mixLocks;

namespace {
constexpr size_t EventReserve = 256;
}

Device::Device(int index, int rate, const Config& config, std::unique_ptr<OutputBackend> backend)
    : index(index), rate(rate), periodFrames(config.updatePeriodMs * rate / 1000), bufferMs(config.bufferMs),
      maxVol(config.maxVol), manual(config.nullManual && index == 0), backend(std::move(backend))
{
    // Not yet shared with any other thread.
    MixLock lock(*this);
    events.reserve(EventReserve);
    delivered.reserve(EventReserve);
}

Stream* Device::FindStream(Handle handle) const
{
    const auto it = std::find_if(streams.begin(), streams.end(),
                                 [handle](const Stream* stream) { return stream->handle == handle; });
    return it == streams.end() ? nullptr : *it;
}

int64_t Device::HeardFrames() const
{
    const int64_t heard = framesMixed.load() - backend->LatencyFrames();
    int64_t high = heardHigh_.load();
    while (heard > high && !heardHigh_.compare_exchange_weak(high, heard)) {
    }
    return std::max(high, heard);
}

bool Device::Open(RenderFn render, SyncDispatcher::DeliverFn deliver)
{
    std::lock_guard lock(openMutex_);
    if (opened_)
        return true;
    if (!manual)
        dispatcher_ = std::make_unique<SyncDispatcher>(std::move(deliver), [this] { return HeardFrames(); });
    if (!backend->Open({rate, periodFrames}, std::move(render))) {
        dispatcher_.reset();
        return false;
    }
    opened_ = true;
    return true;
}

void Device::Shutdown()
{
    std::lock_guard lock(openMutex_);
    backend->Close();
    if (dispatcher_)
        dispatcher_->Stop();
}

MixLock::MixLock(Device& device) : device_(device)
{
    Lock();
}

MixLock::~MixLock()
{
    if (held_)
        Unlock();
}

void MixLock::Unlock() NO_THREAD_SAFETY_ANALYSIS
{
    held_ = false;
    device_.mix_.Unlock();
}

void MixLock::Lock() NO_THREAD_SAFETY_ANALYSIS
{
    device_.mix_.Lock();
    held_ = true;
}

void MixLock::Wait(CondVar& done) NO_THREAD_SAFETY_ANALYSIS
{
    done.Wait(device_.mix_);
}

} // namespace audiolib
