#pragma once
// One attribute (volume, pan or frequency) with its linear slide, counted in output frames: the
// k-th frame after the start has from + (to - from) * min(k, N) / N.
#include <cstdint>

namespace audiolib {

class SlidingValue {
public:
    explicit SlidingValue(double value = 0.0) : from_(value), to_(value) {}

    bool Sliding() const { return sliding_; }
    double Target() const { return to_; }
    // Value of the frame `ahead` frames after the next one to be rendered.
    double ValueAt(int64_t ahead) const;
    double Value() const { return ValueAt(0); }

    // The value of the frames from `ahead` on as base + slope * i, exact until the slide completes (the
    // mixer never renders past that frame in one piece), so the per-frame loop needs no division.
    struct Line {
        double base;
        double slope;
    };
    Line LineFrom(int64_t ahead) const;
    // Frames until the slide completes (0 for a slide completing at the next frame boundary).
    int64_t FramesLeft() const { return frames_ - done_; }

    // Sets the value at once, cancelling a running slide.
    void Set(double value);
    // Starts a slide from the current value; 0 frames completes at the next frame boundary.
    void SlideTo(double target, int64_t frames);
    // Moves the slide on by rendered frames; true when that completed it.
    bool Advance(int64_t frames);

private:
    double from_;
    double to_;
    int64_t frames_ = 0;
    int64_t done_ = 0;
    bool sliding_ = false;
};

} // namespace audiolib
