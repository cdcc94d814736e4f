#pragma once
// One initialised output device: its back end, the streams it mixes, its lock and its sync thread.
// Everything but the atomics is guarded by the engine lock.
#include "audiolib/Config.h"
#include "audiolib/OutputBackend.h"
#include "audiolib/Stream.h"
#include "audiolib/SyncDispatcher.h"

#include <atomic>
#include <memory>
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

    std::unique_ptr<OutputBackend> backend;
    bool opened = false;
    std::vector<Stream*> streams; // in creation order
    bool suspended = false;       // Lock(device, true)
    bool closing = false;
    std::atomic<int64_t> framesMixed{0};
    mutable std::atomic<int64_t> heardHigh{0};
    std::vector<SyncEvent> events; // the mixer's scratch list, reserved once
    std::unique_ptr<SyncDispatcher> dispatcher;
    // The stream whose sync procedure runs now, and on which thread.
    Handle runningStream = 0;
    std::thread::id runningThread;

    int64_t SlideFrames(uint32_t ms) const { return static_cast<int64_t>(ms) * rate / 1000; }
    int64_t BufferFrames(int streamRate) const { return static_cast<int64_t>(bufferMs) * streamRate / 1000; }
    // The device frames the listener has heard; never goes back, though a card's latency may grow.
    int64_t HeardFrames() const;
    // Stops the output and the sync thread; no lock may be held.
    void Shutdown();
};

} // namespace audiolib
