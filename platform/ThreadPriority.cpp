#include "platform/ThreadPriority.h"

#include <sys/resource.h>
#include <unistd.h>

namespace platform {

namespace {

// Ordinary threads share the CPU by their nice value; the steps are spread over its range.
int NiceValue(ThreadPriority priority)
{
    switch (priority) {
    case ThreadPriority::Idle:
        return 19;
    case ThreadPriority::Lowest:
        return 10;
    case ThreadPriority::Lower:
        return 5;
    case ThreadPriority::Normal:
        break;
    case ThreadPriority::Higher:
        return -5;
    case ThreadPriority::Highest:
        return -10;
    case ThreadPriority::TimeCritical:
        return -20;
    }
    return 0;
}

} // namespace

ThreadId CurrentThreadId()
{
    return static_cast<ThreadId>(gettid());
}

bool SetThreadPriority(ThreadId thread, ThreadPriority priority)
{
    // On Linux a thread id names that one thread here, not the whole process.
    return setpriority(PRIO_PROCESS, static_cast<id_t>(thread), NiceValue(priority)) == 0;
}

} // namespace platform
