#include "audiolib/StreamCall.h"

#include "audiolib/InsideMix.h"

namespace audiolib {

StreamCall::StreamCall(Handle handle) NO_THREAD_SAFETY_ANALYSIS
{
    if (RefusedInsideMix())
        return;
    Engine& engine = Engine::Instance();
    MutexLock table(engine.tableMutex_);
    const auto it = engine.streams_.find(handle);
    if (it == engine.streams_.end()) {
        SetLastError(ErrorHandle);
        return;
    }
    stream_ = it->second.get();
    device_ = engine.devices_[static_cast<size_t>(stream_->device)];
    // Taken before the table lock is released, so the stream cannot be freed in between.
    lock_.emplace(*device_);
}

StreamCall::~StreamCall() NO_THREAD_SAFETY_ANALYSIS {}

void StreamCall::Submit(const StreamChange& change)
{
    if (!Engine::Batched(stream_->device, stream_->handle, change))
        ApplyChange(*stream_, change, device_->rate);
}

void StreamCall::WaitForProcedures() NO_THREAD_SAFETY_ANALYSIS
{
    audiolib::WaitForProcedures(*device_, *lock_, stream_->handle);
    stream_ = nullptr;
}

void StreamCall::Unlock() NO_THREAD_SAFETY_ANALYSIS
{
    lock_.reset();
    stream_ = nullptr;
}

} // namespace audiolib
