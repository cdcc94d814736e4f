#pragma once
// The library's state: the initialised devices and the streams by handle. Two kinds of lock guard it:
// the table lock, held briefly to find a device or a stream, and one mix lock per device (Device.h),
// held by its mixer for one period at a time and by calls on its streams. A call takes the table lock
// first and the mix lock second; the mixers take only their own. Slow work (opening an output,
// building a stream, joining its threads) is done with neither held, and its result published under
// them. Sync procedures and the freeing of streams run with no lock held.
#include "audiolib/Device.h"
#include "audiolib/Mutex.h"
#include "audiolib/StreamChange.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace audiolib {

class Engine {
public:
    static Engine& Instance();
    ~Engine(); // releases every device still open at process exit

    // Each returns an error code of Errors.h; ErrorOk on success.
    int Init(int index, int freq) EXCLUDES(tableMutex_);
    int Select(int index) EXCLUDES(tableMutex_);
    int CurrentIndex() EXCLUDES(tableMutex_); // -1 when no device is selected
    int PauseCurrent() EXCLUDES(tableMutex_);
    int FreeCurrent() EXCLUDES(tableMutex_);

    // The device, null when it is not initialised.
    std::shared_ptr<Device> FindDevice(int index) EXCLUDES(tableMutex_);
    // Why FindDevice gave nothing: no such device, or not initialised.
    static int MissingDeviceError(int index);
    std::shared_ptr<Device> CurrentDevice() EXCLUDES(tableMutex_);
    // Starts the device's output at its first play, with no engine lock held; false when it cannot.
    bool OpenOutput(Device& device);

    // Lists a stream built for `device`; 0 with ErrorInit set when the device was freed meanwhile.
    Handle AddStream(const std::shared_ptr<Device>& device, std::unique_ptr<Stream> stream)
        EXCLUDES(tableMutex_);
    int FreeStream(Handle handle) EXCLUDES(tableMutex_);
    int StreamCount() EXCLUDES(tableMutex_);

    // Batches: this thread's changes to streams of `device` are held back until EndBatch applies them
    // together, between two mixed periods.
    int BeginBatch(int index) EXCLUDES(tableMutex_);
    int EndBatch(int index) EXCLUDES(tableMutex_);
    // The open batch of this thread on `device`, if any, takes `change`.
    static bool Batched(int device, Handle stream, const StreamChange& change);

    // Runs `use(effect)` under its device's mix lock; ErrorHandle when no stream has effect `fx`.
    template <typename Use> int WithEffect(Handle fx, Use&& use) EXCLUDES(tableMutex_);

private:
    friend class StreamCall;
    Engine();

    // The back end pulls `frames` mixed frames; no lock held.
    void Render(Device& device, float* out, int64_t frames);
    // Delivers one due event (a sync procedure, or an auto-free after END); no lock held.
    void Deliver(Device& device, const SyncEvent& event);
    // Unlists a stream if `keep` does not object, waits until none of its procedures runs on another
    // thread and hands it over for destroying with no lock held; null when there is no such stream.
    template <typename Keep> std::unique_ptr<Stream> Unlist(Handle handle, Keep&& keep) EXCLUDES(tableMutex_);
    // Unlists a device and its streams, for the caller to shut down and destroy with no lock held.
    std::shared_ptr<Device> DetachDevice(int index, std::vector<std::unique_ptr<Stream>>& streams)
        REQUIRES(tableMutex_);

    Mutex tableMutex_;
    std::vector<std::shared_ptr<Device>> devices_ GUARDED_BY(tableMutex_); // by number; null: not initialised
    std::unordered_map<Handle, std::unique_ptr<Stream>> streams_ GUARDED_BY(tableMutex_);
    // SetDevice's choice belongs to the thread that made it, so a thread opening a file ahead of
    // time never moves another thread's calls to its own device.
    static thread_local int current_;
};

// Waits, with the mix lock released meanwhile, until no procedure of `handle` runs on a thread other
// than this one (a stream stopping or freeing itself from its own sync is left to finish).
void WaitForProcedures(Device& device, MixLock& lock, Handle handle) REQUIRES(mixLocks);

template <typename Use> int Engine::WithEffect(Handle fx, Use&& use)
{
    MutexLock table(tableMutex_);
    for (const std::shared_ptr<Device>& device : devices_) {
        if (device == nullptr)
            continue;
        MixLock mix(*device);
        for (Stream* stream : device->streams) {
            if (Effect* effect = stream->chain.FindEffect(fx)) {
                use(*effect);
                return ErrorOk;
            }
        }
    }
    return ErrorHandle;
}

} // namespace audiolib
