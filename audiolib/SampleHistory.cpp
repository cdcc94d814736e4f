#include "audiolib/SampleHistory.h"

#include <algorithm>

namespace audiolib {

SampleHistory::SampleHistory() : ring_(static_cast<size_t>(CapacityFrames) * 2, 0.0f) {}

void SampleHistory::Write(const float* stereo, int64_t frames)
{
    // Only the last CapacityFrames frames of a long block can survive.
    if (frames > CapacityFrames) {
        stereo += (frames - CapacityFrames) * 2;
        frames = CapacityFrames;
    }
    while (frames > 0) {
        const int64_t n = std::min(frames, CapacityFrames - next_);
        std::copy(stereo, stereo + n * 2, ring_.begin() + next_ * 2);
        stereo += n * 2;
        frames -= n;
        next_ = (next_ + n) % CapacityFrames;
    }
}

void SampleHistory::Latest(float* out, int64_t frames) const
{
    frames = std::min(frames, CapacityFrames);
    int64_t from = (next_ - frames + CapacityFrames) % CapacityFrames;
    while (frames > 0) {
        const int64_t n = std::min(frames, CapacityFrames - from);
        std::copy(ring_.begin() + from * 2, ring_.begin() + (from + n) * 2, out);
        out += n * 2;
        frames -= n;
        from = (from + n) % CapacityFrames;
    }
}

} // namespace audiolib
