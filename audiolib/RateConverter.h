#pragma once
// Sample-rate conversion of interleaved stereo float through libsamplerate: the plain converter, and
// the rate stage of a stream, which turns its native frames into device frames at its playback rate
// (the frequency attribute) and keeps its position in native frames.
#include "audiolib/MixLocks.h"
#include "audiolib/SlidingValue.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

struct SRC_STATE_tag;

namespace audiolib {

class RateConverter {
public:
    RateConverter() = default;
    ~RateConverter();
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    // libsamplerate converts between 1/256 and 256 (output rate / input rate); beyond, the ratio is
    // held at the limit, so a stream asked to play slower than that plays at the limit.
    static double ClampRatio(double ratio);

    struct Result {
        int64_t used = 0;      // input frames consumed
        int64_t generated = 0; // output frames written
    };
    // Allocates the filter; false when out of memory. Process does nothing before.
    bool Prepare();
    // Converts as much of `in` as fits into `out`; `last`: no input follows, flush the filter.
    Result Process(const float* in, int64_t inFrames, float* out, int64_t outFrames, double ratio, bool last);
    // Forgets the filter's state, for a jump in the input.
    void Reset();

private:
    SRC_STATE_tag* state_ = nullptr;
};

class RateStage {
public:
    // The stream plays 1:1 at the device rate: its samples must pass untouched (bit-exact).
    static bool Bypassed(const SlidingValue& freq, int deviceRate)
    {
        return !freq.Sliding() && freq.Value() == deviceRate;
    }

    bool Active() const { return active_; }
    bool Prepared() const { return !output_.empty(); }
    // Allocates the buffers and the filter (on the calling thread, never the mixer's); the stage
    // renders nothing before.
    void Prepare();
    // Device frames after which the position has advanced by at least `nativeFrames` (at least 1).
    int64_t DeviceFramesFor(int64_t nativeFrames, double freq, int deviceRate) const;
    // Heard lag: native frames played in `deviceFrames` device frames at `freq`.
    static int64_t NativeFramesIn(int64_t deviceFrames, double freq, int deviceRate);
    // Back to bypass: the native frame the stream's ring continues with.
    int64_t Leave();
    // A jump in the stream (seek): the next frames start from `position`.
    void Reset(int64_t position);

    // Renders up to `frames` device frames. `pull(float* to, int64_t max, bool& ended)` reads native
    // frames of the stream; `add(const float* from, int64_t n, int64_t ahead)` mixes n device frames
    // that start `ahead` frames into the segment. Returns the frames rendered (fewer when the decoder
    // fell behind) and adds the native frames played to `advance`.
    template <typename Pull, typename Add>
    int64_t Render(int64_t frames, const SlidingValue& freq, int deviceRate, int64_t position, Pull&& pull,
                   Add&& add, int64_t& advance) REQUIRES(mixLocks);

private:
    static constexpr int64_t BlockFrames = 256;
    static constexpr int64_t InputFrames = 8192;
    static double EffectiveFreq(double freq, int deviceRate);
    // Rolls the unread input to the front of the buffer and returns the free room behind it.
    int64_t CompactInput();
    void Enter(int64_t position);

    RateConverter converter_;
    bool active_ = false;
    std::vector<float> input_;  // native frames pulled and not yet converted
    std::vector<float> output_; // one block of device frames
    int64_t inputBegin_ = 0;
    int64_t inputEnd_ = 0;
    bool inputEnded_ = false;
    int64_t pulled_ = 0; // native frame that the next pull reads
    double carry_ = 0.0; // fraction of a native frame already played beyond the position
};

template <typename Pull, typename Add>
int64_t RateStage::Render(int64_t frames, const SlidingValue& freq, int deviceRate, int64_t position,
                          Pull&& pull, Add&& add, int64_t& advance)
{
    if (!Prepared())
        return 0; // out of memory when it was built: as if the decoder fell behind
    if (!active_)
        Enter(position);
    int64_t done = 0;
    while (done < frames) {
        const int64_t block = std::min(BlockFrames, frames - done);
        // libsamplerate moves the ratio linearly to the one given over the block: give the block's end
        // during a slide, and move the position on at the rate of the middle of what it made.
        const double ratio = deviceRate / EffectiveFreq(freq.ValueAt(done + block), deviceRate);
        // Enough input for this block and the filter's reach, without reading far ahead.
        const auto wanted = static_cast<int64_t>(std::ceil(static_cast<double>(block) / ratio)) + 64;
        int64_t got = 0;
        if (!inputEnded_ && inputEnd_ - inputBegin_ < wanted) {
            const int64_t room = CompactInput();
            // The chain sees blocks no longer than the device's.
            const int64_t most = std::min({room, wanted, std::max<int64_t>(block, 64)});
            got = pull(input_.data() + 2 * inputEnd_, most, inputEnded_);
            inputEnd_ += got;
            pulled_ += got;
        }
        const RateConverter::Result result =
            converter_.Process(input_.data() + 2 * inputBegin_, inputEnd_ - inputBegin_, output_.data(),
                               block, ratio, inputEnded_);
        inputBegin_ += result.used;
        int64_t generated = result.generated;
        if (generated == 0) {
            if (result.used > 0 || got > 0)
                continue; // the filter is still filling
            if (!inputEnded_)
                break; // the decoder fell behind
            // The filter is drained; the few frames left to the end are silence.
            std::fill(output_.begin(), output_.begin() + 2 * block, 0.0f);
            generated = block;
        }
        add(output_.data(), generated, done);
        const double rate = EffectiveFreq(freq.ValueAt(done + generated / 2), deviceRate);
        carry_ += static_cast<double>(generated) * rate / deviceRate;
        const double whole = std::floor(carry_);
        carry_ -= whole;
        advance += static_cast<int64_t>(whole);
        done += generated;
    }
    return done;
}

} // namespace audiolib
