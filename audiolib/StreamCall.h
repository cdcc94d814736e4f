#pragma once
// The frame of a public call on one stream: the stream looked up and its device's mix lock held. An
// unknown or freed handle sets code 5, a call from inside the mix code -1.
#include "audiolib/Engine.h"
#include "audiolib/LastError.h"

#include <optional>

namespace audiolib {

class SCOPED_CAPABILITY StreamCall {
public:
    explicit StreamCall(Handle handle) ACQUIRE(mixLocks);
    ~StreamCall() RELEASE();
    StreamCall(const StreamCall&) = delete;
    StreamCall& operator=(const StreamCall&) = delete;

    explicit operator bool() const { return stream_ != nullptr; }
    Stream& GetStream() { return *stream_; }
    Device& GetDevice() { return *device_; }
    std::shared_ptr<Device> SharedDevice() { return device_; }

    // Applies `change` now, or hands it to this thread's open batch on the stream's device.
    void Submit(const StreamChange& change) REQUIRES(mixLocks);
    // Waits, with the lock released meanwhile, until no procedure of the stream runs on another
    // thread. The stream may be gone afterwards: the call ends there.
    void WaitForProcedures() REQUIRES(mixLocks);
    // Releases the lock early; the stream and the device are not to be touched afterwards.
    void Unlock() RELEASE();

private:
    std::shared_ptr<Device> device_;
    Stream* stream_ = nullptr;
    std::optional<MixLock> lock_;
};

} // namespace audiolib
