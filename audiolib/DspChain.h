#pragma once
// One stream's chain of DSP procedures and effects, run by the mixer on each block it reads from the
// stream, in priority order: higher first, equal priorities in the order they were added. The chain
// is changed and run only under its device's mix lock, so a removal waits for a running block by itself.
#include "audiolib/AudioLib.h"
#include "audiolib/Effect.h"

#include <memory>
#include <vector>

namespace audiolib {

class DspChain {
public:
    void AddProcedure(Handle handle, int priority, DspFunction function);
    void AddEffect(Handle handle, int priority, std::unique_ptr<Effect> effect);
    // Takes the procedure out of the chain into `removed` (so the caller can destroy it unlocked);
    // false when `handle` is no procedure of this chain.
    bool RemoveProcedure(Handle handle, DspFunction& removed);
    Effect* FindEffect(Handle handle) const;

    // Runs the whole chain in place on `frames` frames of the stream's interleaved stereo.
    void Run(Handle stream, float* stereo, int64_t frames);

private:
    struct Entry {
        Handle handle = 0;
        int priority = 0;
        DspFunction function;           // a procedure, or
        std::unique_ptr<Effect> effect; // an effect
    };
    void Insert(Entry entry);

    std::vector<Entry> entries_;
};

} // namespace audiolib
