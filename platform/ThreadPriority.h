#pragma once
// Scheduling priorities of our own worker threads, in the seven steps the components name. Raising a
// thread above normal needs a privilege on Linux (CAP_SYS_NICE or a nice limit); without it the
// thread stays as it was.
namespace platform {

enum class ThreadPriority { Idle, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

// The kernel's id of the calling thread, so another thread can change its priority.
using ThreadId = int;
ThreadId CurrentThreadId();

// False when the system refused.
bool SetThreadPriority(ThreadId thread, ThreadPriority priority);

} // namespace platform
