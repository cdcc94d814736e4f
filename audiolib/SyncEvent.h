#pragma once
// A sync that became due while mixing, to be delivered once its frame has been heard.
#include "audiolib/AudioLib.h"

#include <cstdint>

namespace audiolib {

struct SyncEvent {
    int64_t frame = 0;  // device frame at which it became due
    uint64_t order = 0; // delivery order among events of the same frame
    Handle sync = 0;    // 0: the stream's auto-free, after its END syncs
    Handle stream = 0;
    uint32_t data = 0;
    uint32_t generation = 0; // the stream's seek generation when it became due
    uint32_t stops = 0;      // the stream's stop count when it became due
};

} // namespace audiolib
