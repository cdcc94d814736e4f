#pragma once
// The capability "this thread holds a device's mix lock", for the thread-safety analysis. Each device
// has a lock of its own (Device.h); the analysis cannot tell them apart, so it checks that mixer-side
// state is touched only under a mix lock, and the engine sees to it that it is the right device's:
// a stream is reached only through its own device's list, or through StreamCall, which locks it.
#include "audiolib/ThreadSafety.h"

namespace audiolib {

class CAPABILITY("mutex") MixLocks {};
extern MixLocks mixLocks;

} // namespace audiolib
