#pragma once
// Mixes a device's playing streams: pulls each from its decode-ahead ring through its DSP chain and
// into its sample history, applies volume and pan with their per-frame slides, sums into the block,
// and finds the syncs that become due. A segment stops at the first frame boundary where a sync
// falls, so syncs are exact to the frame.
#include "audiolib/Stream.h"
#include "audiolib/SyncEvent.h"

#include <vector>

namespace audiolib {

struct MixContext {
    int64_t startFrame = 0; // device frame of out[0]
    int maxVol = 100;
    bool decodeInline = false; // manual clock: decode on this thread when a ring runs dry
    int deviceRate = 44100;
    int periodFrames = 441; // the most frames a DSP procedure is handed at once
};

// Adds up to `maxFrames` frames of `streams` into `out` (interleaved stereo) and returns how many it
// rendered; appends the events due at the segment's end in delivery order.
int64_t MixSegment(const std::vector<Stream*>& streams, const MixContext& context, float* out,
                   int64_t maxFrames, std::vector<SyncEvent>& events) REQUIRES(mixLocks);

// Clips a finished block to [-1, 1].
void ClipBlock(float* out, int64_t frames);

} // namespace audiolib
