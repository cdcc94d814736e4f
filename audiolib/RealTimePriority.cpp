#include "audiolib/RealTimePriority.h"

#include <pthread.h>
#include <sched.h>

namespace audiolib {

namespace {
// Above every ordinary thread and low among real-time ones, below the system's own (the kernel's
// interrupt threads run at 50).
constexpr int OutputPriority = 20;
} // namespace

OutputScheduling RaiseToRealTime(std::thread& thread)
{
    sched_param parameters{};
    parameters.sched_priority = OutputPriority;
    const int refusal = pthread_setschedparam(thread.native_handle(), SCHED_FIFO, &parameters);
    return {true, refusal == 0 ? OutputPriority : 0, refusal};
}

} // namespace audiolib
