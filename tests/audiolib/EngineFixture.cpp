#include "EngineFixture.h"

#include "audiolib/StreamFactory.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace engine_test {

using namespace audiolib;

float Ramp(int64_t frame, int channel)
{
    const float value = static_cast<float>(frame % 2000) / 4000.0f + 0.01f;
    return channel == 0 ? value : -value;
}

Signal Constant(float level)
{
    return [level](int64_t, int) { return level; };
}

TestDecoder::TestDecoder(int64_t frames, Signal signal, int rate, int64_t stated)
    : frames_(frames), signal_(std::move(signal)), rate_(rate), stated_(stated), exact_(stated < 0)
{
}

int64_t TestDecoder::Read(float* out, int64_t frames)
{
    const int64_t n = std::min(frames, frames_ - next_);
    for (int64_t i = 0; i < n; ++i) {
        out[2 * i] = signal_(next_ + i, 0);
        out[2 * i + 1] = signal_(next_ + i, 1);
    }
    next_ += n;
    exact_ = exact_ || n < frames;
    return n;
}

bool TestDecoder::Seek(int64_t frame)
{
    next_ = frame;
    return frame >= 0 && frame < LengthFrames();
}

void SyncRecorder::Proc(Handle sync, Handle stream, uint32_t data, void* user)
{
    auto* recorder = static_cast<SyncRecorder*>(user);
    const SyncCall call{sync, stream, data, NullFramesRendered()};
    {
        std::lock_guard lock(recorder->mutex_);
        recorder->calls_.push_back(call);
    }
    if (recorder->onCall)
        recorder->onCall(call);
}

std::vector<SyncCall> SyncRecorder::Calls()
{
    std::lock_guard lock(mutex_);
    return calls_;
}

void ManualClockTest::SetUp()
{
    ASSERT_TRUE(SetConfig(ConfigNullManual, 1));
    ASSERT_TRUE(Init(0, 44100, 0));
}

void ManualClockTest::TearDown()
{
    EXPECT_TRUE(Free());
    EXPECT_EQ(LiveStreamCount(), 0);
    SetConfig(ConfigNullManual, 0);
}

bool WaitFor(const std::function<bool()>& done)
{
    for (int i = 0; i < 2000 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
}

void RealtimeClockTest::SetUp()
{
    ASSERT_TRUE(SetConfig(ConfigNullManual, 0));
    ASSERT_TRUE(Init(0, 44100, 0));
}

void RealtimeClockTest::TearDown()
{
    EXPECT_TRUE(Free());
    EXPECT_EQ(LiveStreamCount(), 0);
}

Handle ManualClockTest::Create(int64_t frames, uint32_t flags, Signal signal, int64_t stated)
{
    const Handle handle = StreamCreateFromDecoder(
        std::make_unique<TestDecoder>(frames, std::move(signal), 44100, stated), flags);
    EXPECT_NE(handle, 0u);
    return handle;
}

std::vector<float> ManualClockTest::Render(int64_t frames)
{
    NullCapture();
    EXPECT_TRUE(NullAdvance(frames));
    return NullCapture();
}

} // namespace engine_test
