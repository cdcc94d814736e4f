#pragma once
// The most recent frames the mixer took from a stream, after its DSP chain and before volume and pan,
// for ChannelGetData. They are written at mix time, so they run ahead of what is heard by one update
// period plus the output's buffer (about 50 ms on a sound card). Written by the mixer and read by the
// caller, both under the mix lock; it starts as silence, so a stream that has not played
// long enough reads as zeros before its first frame.
#include <cstdint>
#include <vector>

namespace audiolib {

class SampleHistory {
public:
    static constexpr int64_t CapacityFrames = 4096;

    SampleHistory();

    void Write(const float* stereo, int64_t frames);
    // Copies the most recent `frames` frames (at most the capacity), oldest first, into `out`.
    void Latest(float* out, int64_t frames) const;

private:
    std::vector<float> ring_; // interleaved stereo
    int64_t next_ = 0;        // frame slot written next
};

} // namespace audiolib
