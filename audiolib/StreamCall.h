#pragma once
// The frame of a public call on one stream: the engine locked and the stream looked up; an unknown
// or freed handle sets code 5.
#include "audiolib/Engine.h"
#include "audiolib/LastError.h"

namespace audiolib {

class StreamCall {
public:
    explicit StreamCall(Handle handle)
        : engine_(Engine::Instance()), lock_(engine_.mutex), stream_(engine_.FindStream(handle))
    {
        if (stream_ == nullptr)
            SetLastError(ErrorHandle);
    }

    explicit operator bool() const { return stream_ != nullptr; }
    Stream& GetStream() { return *stream_; }
    Device& GetDevice() { return *engine_.FindDevice(stream_->device); }
    std::unique_lock<std::mutex>& Lock() { return lock_; }

private:
    Engine& engine_;
    std::unique_lock<std::mutex> lock_;
    Stream* stream_;
};

} // namespace audiolib
