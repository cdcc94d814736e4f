#pragma once
// Shared set-up of the engine tests: device 0 on the manual clock, streams of a known synthetic
// signal, and a recorder of sync calls.
#include "audiolib/AudioLib.h"
#include "audiolib/Decoder.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <vector>

namespace engine_test {

using Signal = std::function<float(int64_t frame, int channel)>;

// A different value on every frame and channel, so a shifted or repeated frame shows.
float Ramp(int64_t frame, int channel);
// A constant level, so the output is the gain itself.
Signal Constant(float level);

// A decoder of `frames` frames of `signal` at `rate`. With `stated` given, its container states that
// length instead and only the end of decoding tells the real one, as in a damaged file.
class TestDecoder final : public audiolib::Decoder {
public:
    TestDecoder(int64_t frames, Signal signal, int rate = 44100, int64_t stated = -1);
    int SampleRate() const override { return rate_; }
    int SourceChannels() const override { return 2; }
    int64_t LengthFrames() const override { return exact_ ? frames_ : stated_; }
    bool LengthExact() const override { return exact_; }
    int64_t Read(float* out, int64_t frames) override;
    bool Seek(int64_t frame) override;

private:
    int64_t frames_;
    Signal signal_;
    int rate_;
    int64_t stated_;
    bool exact_;
    int64_t next_ = 0;
};

// One sync call as a procedure saw it.
struct SyncCall {
    audiolib::Handle sync;
    audiolib::Handle stream;
    uint32_t data;
    int64_t frame; // device 0's clock during the call
};

// Collects sync calls; procedures get the recorder as their user value.
class SyncRecorder {
public:
    static void Proc(audiolib::Handle sync, audiolib::Handle stream, uint32_t data, void* user);
    std::vector<SyncCall> Calls();
    // Runs inside every recorded call, after it is recorded.
    std::function<void(const SyncCall&)> onCall;

private:
    std::mutex mutex_;
    std::vector<SyncCall> calls_;
};

// Each test initialises device 0 on the manual clock and frees it; nothing may outlive the test.
class ManualClockTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A stream of `frames` frames of `signal` on device 0, whose container states `stated` frames.
    audiolib::Handle Create(int64_t frames, uint32_t flags = 0, Signal signal = Ramp, int64_t stated = -1);
    // Advances the clock and returns what was mixed meanwhile (interleaved stereo).
    std::vector<float> Render(int64_t frames);
};

// Polls `done` until it holds, for up to twenty seconds: only a fault takes that long, a loaded
// machine does not.
bool WaitFor(const std::function<bool()>& done);

// Each test initialises device 0 on its real-time clock (decoder threads, the paced mixer and the
// sync thread) and frees it; nothing may outlive the test.
class RealtimeClockTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

} // namespace engine_test
