#include "platform/ThreadPriority.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <condition_variable>
#include <mutex>
#include <thread>

// Lowering a thread needs no privilege; raising it may be refused, which must leave it as it was.
TEST(ThreadPriority, AppliesToTheOneThreadNamed)
{
    std::mutex lock;
    std::condition_variable changed;
    platform::ThreadId worker = 0;
    bool release = false;
    int workerNice = 0;
    std::thread thread([&] {
        std::unique_lock guard(lock);
        worker = platform::CurrentThreadId();
        changed.notify_all();
        changed.wait(guard, [&] { return release; });
        workerNice = getpriority(PRIO_PROCESS, 0);
    });
    {
        std::unique_lock guard(lock);
        changed.wait(guard, [&] { return worker != 0; });
    }
    const int ownNice = getpriority(PRIO_PROCESS, 0);
    EXPECT_TRUE(platform::SetThreadPriority(worker, platform::ThreadPriority::Idle));
    // Refused or not, nothing breaks.
    platform::SetThreadPriority(worker, platform::ThreadPriority::TimeCritical);
    const bool raised = getpriority(PRIO_PROCESS, static_cast<id_t>(worker)) == -20;
    {
        const std::lock_guard guard(lock);
        release = true;
    }
    changed.notify_all();
    thread.join();
    EXPECT_EQ(workerNice, raised ? -20 : 19);
    EXPECT_EQ(getpriority(PRIO_PROCESS, 0), ownNice) << "the calling thread changed";
}
