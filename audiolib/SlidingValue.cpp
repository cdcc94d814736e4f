#include "audiolib/SlidingValue.h"

#include <algorithm>

namespace audiolib {

double SlidingValue::ValueAt(int64_t ahead) const
{
    if (!sliding_ || frames_ == 0)
        return sliding_ ? to_ : from_;
    const int64_t k = std::min(done_ + ahead, frames_);
    return from_ + (to_ - from_) * static_cast<double>(k) / static_cast<double>(frames_);
}

SlidingValue::Line SlidingValue::LineFrom(int64_t ahead) const
{
    if (!sliding_ || frames_ == 0)
        return {ValueAt(ahead), 0.0};
    return {ValueAt(ahead), (to_ - from_) / static_cast<double>(frames_)};
}

void SlidingValue::Set(double value)
{
    from_ = to_ = value;
    sliding_ = false;
}

void SlidingValue::SlideTo(double target, int64_t frames)
{
    from_ = Value();
    to_ = target;
    frames_ = frames;
    done_ = 0;
    sliding_ = true;
}

bool SlidingValue::Advance(int64_t frames)
{
    if (!sliding_)
        return false;
    done_ += frames;
    if (done_ < frames_)
        return false;
    Set(to_);
    return true;
}

} // namespace audiolib
