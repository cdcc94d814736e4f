#pragma once
// One initialised output device: its back end, the streams it mixes, its mix lock and its sync
// thread. The mixer holds the mix lock for one period at a time; calls on the device's streams hold
// it briefly. Slow work (opening the output, starting threads) is done before it is taken.
#include "audiolib/Config.h"
#include "audiolib/MixLocks.h"
#include "audiolib/Mutex.h"
#include "audiolib/OutputBackend.h"
#include "audiolib/Stream.h"
#include "audiolib/SyncDispatcher.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace audiolib {

class Device {
public:
    Device(int index, int rate, const Config& config, std::unique_ptr<OutputBackend> backend);

    const int index;
    const int rate;
    const int periodFrames;
    const int bufferMs;
    const int maxVol;
    const bool manual; // the manual clock: no threads, syncs delivered inside the advance
    const std::unique_ptr<OutputBackend> backend;

    std::vector<Stream*> streams GUARDED_BY(mixLocks); // in creation order
    bool closing GUARDED_BY(mixLocks) = false;
    std::vector<SyncEvent> events GUARDED_BY(mixLocks);    // the mixer's list, reserved once
    std::vector<SyncEvent> delivered GUARDED_BY(mixLocks); // the manual clock's, likewise
    // The stream whose sync procedure runs now, and on which thread.
    Handle runningStream GUARDED_BY(mixLocks) = 0;
    std::thread::id runningThread GUARDED_BY(mixLocks);
    CondVar procedureDone; // signalled with the mix lock held when a procedure returns
    std::atomic<int64_t> framesMixed{0};

    // The listed stream `handle` of this device, or null.
    Stream* FindStream(Handle handle) const REQUIRES(mixLocks);
    int64_t SlideFrames(uint32_t ms) const { return static_cast<int64_t>(ms) * rate / 1000; }
    int64_t BufferFrames(int streamRate) const { return static_cast<int64_t>(bufferMs) * streamRate / 1000; }
    // The device frames the listener has heard; never goes back, though a card's latency may grow.
    int64_t HeardFrames() const;

    // Starts the output and the sync thread, once; no engine lock may be held (it takes a while).
    // `render` mixes, `deliver` runs a due event.
    bool Open(RenderFn render, SyncDispatcher::DeliverFn deliver);
    bool Opened() const { return opened_.load(); }
    // Real time: hands events the mixer found due to the sync thread.
    void Dispatch(const std::vector<SyncEvent>& due) REQUIRES(mixLocks) { dispatcher_->Push(due); }
    // Stops the output and the sync thread; no engine lock may be held.
    void Shutdown();

private:
    friend class MixLock;
    Mutex mix_;
    std::mutex openMutex_; // serialises Open and Shutdown
    std::atomic<bool> opened_{false};
    std::unique_ptr<SyncDispatcher> dispatcher_; // set once by Open, before the output starts
    mutable std::atomic<int64_t> heardHigh_{0};
};

// Holds a device's mix lock. The analysis sees every device's lock as the one capability `mixLocks`.
class SCOPED_CAPABILITY MixLock {
public:
    explicit MixLock(Device& device) ACQUIRE(mixLocks);
    ~MixLock() RELEASE();
    MixLock(const MixLock&) = delete;
    MixLock& operator=(const MixLock&) = delete;

    void Unlock() RELEASE();
    void Lock() ACQUIRE();
    // Waits for `done` with the lock released meanwhile.
    void Wait(CondVar& done) REQUIRES(mixLocks);

private:
    Device& device_;
    bool held_ = false;
};

} // namespace audiolib
