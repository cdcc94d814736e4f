#pragma once
// Output threads ask for real-time scheduling, so a busy desktop or a decoder cannot make them late.
#include <thread>

namespace audiolib {

// Moves `thread` to SCHED_FIFO where the system allows it (root, or an rtprio limit); elsewhere it
// stays as it is, without a word: the output still works, only with less margin.
void RaiseToRealTime(std::thread& thread);

} // namespace audiolib
