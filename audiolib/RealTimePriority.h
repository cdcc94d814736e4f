#pragma once
// Output threads ask for real-time scheduling, so a busy desktop or a decoder cannot make them late.
#include "audiolib/AudioLib.h"

#include <thread>

namespace audiolib {

// Moves `thread` to SCHED_FIFO where the system allows it (root, an rtprio limit, or a real-time
// policy such as rtkit's); elsewhere it stays as it is and the output still works, with less margin.
// Says which it got, for the station to log.
OutputScheduling RaiseToRealTime(std::thread& thread);

} // namespace audiolib
