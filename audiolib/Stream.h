#pragma once
// One stream: its decoder, the decode-ahead ring the decoder fills (on a thread of its own in real
// time, inline on the manual clock), and the state the mixer reads: transport, heard position,
// attributes with their slides, and syncs.
#include "audiolib/AudioLib.h"
#include "audiolib/ChunkRing.h"
#include "audiolib/Decoder.h"
#include "audiolib/DspChain.h"
#include "audiolib/MixLocks.h"
#include "audiolib/RateConverter.h"
#include "audiolib/SampleHistory.h"
#include "audiolib/SlidingValue.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace audiolib {

enum class StreamState { Stopped, Playing, Paused };

struct SyncPoint {
    Handle handle = 0;
    uint32_t type = SyncPos; // without SyncOneTime and SyncFromEnd
    bool oneTime = false;
    int64_t frame = 0; // POS: the first heard frame at or past the byte parameter
    SyncProc proc = nullptr;
    void* user = nullptr;
    int64_t beforeEnd = -1; // POS counted back from the end: frames before it; -1 for an absolute one
};

class Stream {
public:
    // `length` of an endless stream is INT64_MAX; `bufferFrames` sizes the decode-ahead ring. Everything
    // the mixer needs is allocated here, on the creating thread: the ring, and the rate stage when the
    // stream's rate differs from `deviceRate`. The volume starts at `volume`.
    Stream(Handle handle, int device, int deviceRate, double volume, uint32_t flags,
           std::unique_ptr<Decoder> decoder, bool endless, int64_t bufferFrames);
    ~Stream();
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    const Handle handle;
    const int device;
    const uint32_t flags;
    const bool endless;
    const int rate;
    const int sourceChannels;

    // Mixer-side state, guarded by the mix lock of the stream's device.
    // In frames: the container's statement until `lengthExact`; the end decoding really reaches after.
    int64_t length GUARDED_BY(mixLocks);
    bool lengthExact GUARDED_BY(mixLocks);
    StreamState state GUARDED_BY(mixLocks) = StreamState::Stopped;
    int64_t position GUARDED_BY(mixLocks) = 0;    // next frame to be heard
    bool atEnd GUARDED_BY(mixLocks) = false;      // playback ran to the end
    uint32_t generation GUARDED_BY(mixLocks) = 0; // bumped by every seek; older chunks are dropped
    int64_t chunkOffset GUARDED_BY(mixLocks) = 0; // frames of the ring's front chunk already mixed
    uint32_t stops GUARDED_BY(mixLocks) = 0;      // ChannelStop calls: syncs due before one are dropped
    SlidingValue freq GUARDED_BY(mixLocks);
    SlidingValue volume GUARDED_BY(mixLocks);
    SlidingValue pan GUARDED_BY(mixLocks){0.0};
    std::vector<SyncPoint> syncs GUARDED_BY(mixLocks);
    ChunkRing ring;                              // its consumer side: mix lock held
    DspChain chain GUARDED_BY(mixLocks);         // run by the mixer on what it reads from the ring
    SampleHistory history GUARDED_BY(mixLocks);  // what the chain put out, for ChannelGetData
    RateStage rateStage GUARDED_BY(mixLocks);    // to the device rate at the frequency attribute
    int64_t mixedUpTo GUARDED_BY(mixLocks) = 0;  // device frame after the last mixed segment
    int64_t heardFloor GUARDED_BY(mixLocks) = 0; // the position when mixing last (re)started or jumped

    // Drops what was decoded ahead and makes `frame` the next one heard.
    void SeekTo(int64_t frame) REQUIRES(mixLocks);
    // Takes the exact length once the decoder's side has found it: the syncs counted back from the end
    // move with it, and one that was still ahead and now lies behind the position fires at the next frame.
    void AdoptLength() REQUIRES(mixLocks);
    // Where a sync counted back from the end falls now.
    int64_t FrameBeforeEnd(int64_t beforeEnd) const REQUIRES(mixLocks);
    // Mixing went past a length that was only stated: the stream is at least this long.
    void Reach(int64_t frame) REQUIRES(mixLocks);
    // The position the listener hears once the device has played `heardFrame`.
    int64_t HeardPosition(int64_t heardFrame, int deviceRate) const REQUIRES(mixLocks);
    // Builds the rate stage if a frequency of `freq` needs it and it is not built yet; on the calling
    // thread, so the mixer never allocates.
    void PrepareRate(double freq, int deviceRate) REQUIRES(mixLocks);

    // Producer side: decodes one chunk into the ring; false when there is nothing to do now. Inline (on
    // the manual clock), the first call also makes the length exact.
    bool DecodeChunk();
    // Producer side: a slice of making the length exact; false when there is nothing left to do.
    bool RefineLength();
    // Real-time mode: keeps the ring filled from a thread of its own until the stream is destroyed, and
    // makes the length exact between chunks.
    void StartDecodeThread();
    void WakeDecoder();

private:
    void DecodeLoop();

    std::unique_ptr<Decoder> decoder_;
    std::mutex requestMutex_; // the seek request handed from the engine to the producer
    uint32_t requestGeneration_ = 0;
    int64_t requestFrame_ = 0;
    uint32_t producedGeneration_ = 0; // producer-only from here down
    int64_t nextFrame_ = 0;
    bool decodedToEnd_ = false;
    bool refined_ = false;
    bool threaded_ = false;
    // The exact length as the producer found it, for the mixer to adopt; -1 while unknown.
    std::atomic<int64_t> foundLength_{-1};
    void PublishLength();

    std::thread thread_;
    std::mutex wakeMutex_;
    std::condition_variable wake_;
    bool woken_ = false; // work may be waiting: a chunk was freed or a seek asked for
    bool quit_ = false;
};

} // namespace audiolib
