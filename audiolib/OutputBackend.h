#pragma once
// Where a device's mix goes: the null device or a sound card. A back end pulls mixed blocks from
// the device through the render function and says how far behind the mix the listener is.
#include "audiolib/AudioLib.h"

#include <cstdint>
#include <functional>

namespace audiolib {

// Mixes `frames` frames of interleaved stereo float into `out`.
using RenderFn = std::function<void(float* out, int64_t frames)>;

struct OutputFormat {
    int rate = 44100;
    int periodFrames = 441;
};

class OutputBackend {
public:
    virtual ~OutputBackend() = default;
    // Starts pulling from `render`; false when the output cannot start.
    virtual bool Open(const OutputFormat& format, RenderFn render) = 0;
    // Stops pulling; when it returns, `render` is not running and will not be called again.
    virtual void Close() = 0;
    // Frames mixed but not yet heard.
    virtual int64_t LatencyFrames() const = 0;
    // How the output has fared so far; an output that cannot fail counts nothing.
    virtual OutputCounts Counts() const { return {}; }
    // What its thread got from the scheduler; an output without a thread has none.
    virtual OutputScheduling Scheduling() const { return {}; }
};

} // namespace audiolib
