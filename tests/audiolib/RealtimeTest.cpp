// Device 0 on its real-time clock: decoder threads, the paced mixer and the sync thread.
#include "EngineFixture.h"

#include "audiolib/StreamFactory.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <pthread.h>
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
};

// A loaded machine may mix late, never early: the position stays behind the wall clock.
TEST_F(RealtimeTest, PositionAdvancesButNeverAheadOfTheWallClock)
{
    const Handle stream = Create(44100 * 10);
    ASSERT_NE(stream, 0u);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(ChannelPlay(stream, false));
    ASSERT_TRUE(WaitFor([&] { return ChannelGetPosition(stream) > 0; }));
    const int64_t first = ChannelGetPosition(stream);
    ASSERT_TRUE(WaitFor([&] { return ChannelGetPosition(stream) > first; }));
    std::this_thread::sleep_for(200ms);
    const int64_t heard = ChannelGetPosition(stream) / 4;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LE(heard, static_cast<int64_t>(seconds * 44100) + 441);
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

// The next entry is opened ahead on a worker thread while the device plays, then started here.
TEST_F(RealtimeTest, AStreamMadeOnAWorkerThreadWhileTheDevicePlaysStartsHere)
{
    const Handle playing = Create(44100 * 10);
    ASSERT_TRUE(ChannelPlay(playing, false));
    Handle next = 0;
    std::thread worker([&next] {
        if (SetDevice(0))
            next = Create(4410, StreamAutoFree);
    });
    worker.join();
    ASSERT_NE(next, 0u);
    SyncRecorder recorder;
    ASSERT_NE(ChannelSetSync(next, SyncEnd, 0, SyncRecorder::Proc, &recorder), 0u);
    ASSERT_TRUE(ChannelPlay(next, false));
    EXPECT_TRUE(WaitFor([&] { return recorder.Calls().size() == 1; }));
    EXPECT_EQ(ChannelIsActive(playing), ActivePlaying);
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

// What a decoder whose seek lasts until it is interrupted went through.
struct SeekLog {
    std::mutex mutex;
    std::condition_variable changed;
    bool seeking = false;
    bool interrupted = false;
};

// A decoder whose seeks last until Interrupt (or half a minute), like a long seek in a WMA file.
class EndlessSeekDecoder final : public Decoder {
public:
    explicit EndlessSeekDecoder(std::shared_ptr<SeekLog> log) : log_(std::move(log)) {}
    int SampleRate() const override { return 44100; }
    int SourceChannels() const override { return 2; }
    int64_t LengthFrames() const override { return 44100 * 60; }
    int64_t Read(float* out, int64_t frames) override
    {
        std::fill(out, out + frames * 2, 0.0f);
        return frames;
    }
    bool Seek(int64_t) override
    {
        std::unique_lock lock(log_->mutex);
        log_->seeking = true;
        log_->changed.notify_all();
        return !log_->changed.wait_for(lock, 30s, [this] { return log_->interrupted; });
    }
    void Interrupt() override
    {
        std::lock_guard lock(log_->mutex);
        log_->interrupted = true;
        log_->changed.notify_all();
    }

private:
    std::shared_ptr<SeekLog> log_;
};

TEST_F(RealtimeTest, FreeingAStreamInterruptsItsDecodersSeek)
{
    auto log = std::make_shared<SeekLog>();
    const Handle stream = StreamCreateFromDecoder(std::make_unique<EndlessSeekDecoder>(log), 0);
    ASSERT_NE(stream, 0u);
    ASSERT_TRUE(ChannelSetPosition(stream, 44100 * 4 * 30));
    {
        std::unique_lock lock(log->mutex);
        ASSERT_TRUE(log->changed.wait_for(lock, 10s, [&] { return log->seeking; }));
    }
    EXPECT_TRUE(StreamFree(stream));
    std::lock_guard lock(log->mutex);
    EXPECT_TRUE(log->interrupted);
}

// The output thread asks for real-time scheduling and reports what the system answered, as the
// system answers any thread of this process; device 0 on the manual clock has no thread to report.
TEST_F(RealtimeTest, TheOutputThreadReportsTheSchedulingTheSystemGaveIt)
{
    std::atomic<bool> asked = false;
    std::thread probe([&asked] {
        while (!asked)
            std::this_thread::sleep_for(1ms);
    });
    sched_param parameters{};
    parameters.sched_priority = 20;
    const int answer = pthread_setschedparam(probe.native_handle(), SCHED_FIFO, &parameters);
    asked = true;
    probe.join();

    // The output starts with the first play.
    OutputScheduling scheduling;
    ASSERT_TRUE(GetOutputScheduling(0, &scheduling));
    EXPECT_FALSE(scheduling.thread);
    const Handle stream = Create(44100);
    ASSERT_TRUE(ChannelPlay(stream, false));
    ASSERT_TRUE(GetOutputScheduling(0, &scheduling));
    EXPECT_TRUE(scheduling.thread);
    EXPECT_EQ(scheduling.refusal, answer);
    EXPECT_EQ(scheduling.priority, answer == 0 ? 20 : 0);

    ASSERT_TRUE(Free());
    ASSERT_TRUE(SetConfig(ConfigNullManual, 1));
    ASSERT_TRUE(Init(0, 44100, 0));
    ASSERT_TRUE(ChannelPlay(Create(44100), false));
    ASSERT_TRUE(GetOutputScheduling(0, &scheduling));
    EXPECT_FALSE(scheduling.thread);
    EXPECT_TRUE(SetConfig(ConfigNullManual, 0));
}

} // namespace
} // namespace engine_test
