#pragma once
// The library's shared state: the initialised devices, the streams by handle and the one lock that
// guards them. The mixer takes the lock for one segment at a time and never while it decodes a file
// (real time) or calls a sync procedure; DSP procedures and effects run under it, as part of the mix,
// so changing a chain needs no lock of its own. Public calls hold it only briefly.
#include "audiolib/Device.h"
#include "audiolib/Stream.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace audiolib {

class Engine {
public:
    static Engine& Instance();
    ~Engine(); // releases every device still open at process exit

    std::mutex mutex;

    // The rest: engine lock held.
    Device* FindDevice(int index);
    Device* CurrentDevice() { return FindDevice(current); }
    Stream* FindStream(Handle handle);
    int current = -1;
    std::vector<std::unique_ptr<Device>> devices; // by device number, null when not initialised
    size_t StreamCount() const { return streams_.size(); }

    Handle AddStream(std::unique_ptr<Stream> stream);
    // Unlists a stream and waits until none of its procedures runs on another thread. The caller
    // destroys the result after unlocking (that joins its decoder thread).
    std::unique_ptr<Stream> DetachStream(std::unique_lock<std::mutex>& lock, Handle handle);
    // Waits until no procedure of the stream runs on another thread.
    void WaitForProcedures(std::unique_lock<std::mutex>& lock, int device, Handle handle);
    // Unlists a device and its streams; the caller unlocks, then shuts the device down.
    std::unique_ptr<Device> DetachDevice(int index, std::vector<std::unique_ptr<Stream>>& streams);
    // Starts the device's output at its first play; false when it cannot start.
    bool OpenOutput(Device& device);
    // Lock(device, false) or Free: a mixer waiting on the device goes on.
    void ResumeMixing() { mixResume_.notify_all(); }

    // No lock held: the back end pulls `frames` mixed frames.
    void Render(Device& device, float* out, int64_t frames);
    // No lock held: delivers one due event (a sync procedure, or an auto-free after END).
    void Deliver(Device& device, const SyncEvent& event);

private:
    Engine();
    std::unordered_map<Handle, std::unique_ptr<Stream>> streams_;
    std::condition_variable mixResume_;
    std::condition_variable callbackDone_;
};

// Frees a stream; the lock is released on return.
void FreeStream(std::unique_lock<std::mutex>& lock, Handle handle);

} // namespace audiolib
