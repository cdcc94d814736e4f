// Device 0 on its real-time clock: decoder threads, the paced mixer and the sync thread.
#include "EngineFixture.h"

#include "audiolib/StreamFactory.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace engine_test {
namespace {

using namespace audiolib;
using namespace std::chrono_literals;

class RealtimeTest : public RealtimeClockTest {
protected:
    static Handle Create(int64_t frames, uint32_t flags = 0)
    {
        return StreamCreateFromDecoder(std::make_unique<TestDecoder>(frames, Ramp), flags);
    }
    // Polls `done` for up to two seconds.
    static bool WaitFor(const std::function<bool()>& done)
    {
        for (int i = 0; i < 200 && !done(); ++i)
            std::this_thread::sleep_for(10ms);
        return done();
    }
};

TEST_F(RealtimeTest, PositionAdvancesAtRealSpeed)
{
    const Handle stream = Create(44100 * 10);
    ASSERT_NE(stream, 0u);
    ASSERT_TRUE(ChannelPlay(stream, false));
    ASSERT_TRUE(WaitFor([&] { return ChannelGetPosition(stream) > 0; }));
    const auto start = std::chrono::steady_clock::now();
    const int64_t startBytes = ChannelGetPosition(stream);
    std::this_thread::sleep_for(500ms);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double heard = static_cast<double>(ChannelGetPosition(stream) - startBytes) / (44100 * 4);
    EXPECT_NEAR(heard / seconds, 1.0, 0.2);
    EXPECT_EQ(ChannelIsActive(stream), ActivePlaying);
}

TEST_F(RealtimeTest, EndSyncRunsOnTheSyncThreadThenTheStreamIsFreed)
{
    const Handle stream = Create(4410, StreamAutoFree);
    SyncRecorder recorder;
    std::atomic<bool> otherThread = false;
    const std::thread::id test = std::this_thread::get_id();
    recorder.onCall = [&](const SyncCall&) { otherThread = std::this_thread::get_id() != test; };
    ChannelSetSync(stream, SyncEnd, 0, SyncRecorder::Proc, &recorder);
    ASSERT_TRUE(ChannelPlay(stream, false));
    ASSERT_TRUE(WaitFor([] { return LiveStreamCount() == 0; }));
    ASSERT_EQ(recorder.Calls().size(), 1u);
    EXPECT_GE(recorder.Calls()[0].frame, 4410);
    EXPECT_TRUE(otherThread);
}

TEST_F(RealtimeTest, FreeingAStreamWaitsForItsRunningSync)
{
    const Handle stream = Create(44100);
    SyncRecorder recorder;
    std::atomic<bool> running = false;
    std::atomic<bool> finished = false;
    recorder.onCall = [&](const SyncCall&) {
        running = true;
        std::this_thread::sleep_for(100ms);
        finished = true;
    };
    ChannelSetSync(stream, SyncPos, 441 * 4, SyncRecorder::Proc, &recorder);
    ASSERT_TRUE(ChannelPlay(stream, false));
    ASSERT_TRUE(WaitFor([&] { return running.load(); }));
    EXPECT_TRUE(StreamFree(stream));
    EXPECT_TRUE(finished);
}

TEST_F(RealtimeTest, LockSuspendsMixing)
{
    const Handle stream = Create(44100 * 10);
    ASSERT_TRUE(ChannelPlay(stream, false));
    ASSERT_TRUE(WaitFor([&] { return ChannelGetPosition(stream) > 0; }));
    ASSERT_TRUE(Lock(0, true));
    const int64_t held = ChannelGetPosition(stream);
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(ChannelGetPosition(stream), held);
    ASSERT_TRUE(Lock(0, false));
    EXPECT_TRUE(WaitFor([&] { return ChannelGetPosition(stream) > held; }));
}

} // namespace
} // namespace engine_test
