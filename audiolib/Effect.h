#pragma once
// An effect of the library (equaliser, reverb) as it sits in a stream's chain: it processes
// interleaved stereo float in place at the stream's native rate and keeps a parameter record.
#include <cstdint>

namespace audiolib {

class Effect {
public:
    virtual ~Effect() = default;

    virtual void Process(float* stereo, int64_t frames) = 0;
    // `record` is the effect type's parameter record; false when a value is out of range, in which
    // case nothing changes.
    virtual bool SetParameters(const void* record) = 0;
    virtual void GetParameters(void* record) const = 0;
};

} // namespace audiolib
