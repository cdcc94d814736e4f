// DSP procedures: the buffers they get, their priority order, and their removal.
#include "EngineFixture.h"

#include "audiolib/StreamFactory.h"

#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <utility>

namespace engine_test {
namespace {

using namespace audiolib;
using namespace std::chrono_literals;

using DspTest = ManualClockTest;

constexpr uint32_t PeriodBytes = 441 * 8; // one 10 ms update period of float stereo

struct Block {
    uint32_t length;
    float first;
};

// A C-style procedure that remembers every block it was given.
void RecordBlock(Handle, Handle, void* buffer, uint32_t length, void* user)
{
    static_cast<std::vector<Block>*>(user)->push_back({length, static_cast<float*>(buffer)[0]});
}

void Double(Handle, Handle, void* buffer, uint32_t length, void*)
{
    auto* samples = static_cast<float*>(buffer);
    for (uint32_t i = 0; i < length / sizeof(float); ++i)
        samples[i] *= 2.0f;
}

TEST_F(DspTest, BlocksAreTheDecodedFloatStereoBeforeVolumeInPeriodsAtMost)
{
    const Handle stream = Create(5000);
    ChannelSetAttributes(stream, KeepFreq, 30, KeepPan);
    std::vector<float> seen;
    std::vector<uint32_t> lengths;
    ASSERT_NE(ChannelSetDSP(
                  stream,
                  [&](Handle, Handle, float* buffer, uint32_t length) {
                      lengths.push_back(length);
                      seen.insert(seen.end(), buffer, buffer + length / sizeof(float));
                  },
                  0),
              0u);
    ChannelPlay(stream, false);
    Render(3000);

    ASSERT_EQ(seen.size(), 3000u * 2);
    for (int64_t frame = 0; frame < 3000; ++frame) {
        ASSERT_EQ(seen[2 * frame], Ramp(frame, 0)) << "frame " << frame;
        ASSERT_EQ(seen[2 * frame + 1], Ramp(frame, 1)) << "frame " << frame;
    }
    for (const uint32_t length : lengths) {
        EXPECT_EQ(length % 8, 0u);
        EXPECT_LE(length, PeriodBytes);
    }
}

TEST_F(DspTest, AFasterPlaybackRateStillHandsAPeriodAtMost)
{
    const Handle stream = Create(20000);
    ChannelSetAttributes(stream, 100000, KeepVol, KeepPan);
    uint32_t longest = 0;
    int64_t frames = 0;
    ASSERT_NE(ChannelSetDSP(
                  stream,
                  [&](Handle, Handle, float*, uint32_t length) {
                      longest = std::max(longest, length);
                      frames += length / 8;
                  },
                  0),
              0u);
    ChannelPlay(stream, false);
    Render(4410);
    EXPECT_GE(frames, 2 * 4410); // more than twice the device's frames went through
    EXPECT_LE(longest, PeriodBytes);
}

TEST_F(DspTest, HigherPrioritiesRunFirstAndEqualOnesInTheOrderAdded)
{
    struct Attached {
        int id;
        int priority;
    };
    const Handle stream = Create(5000);
    std::vector<int> order;
    for (const Attached a : {Attached{1, 1}, Attached{2, 3}, Attached{3, 1}, Attached{4, 2}, Attached{5, -7}})
        ChannelSetDSP(
            stream, [&order, a](Handle, Handle, float*, uint32_t) { order.push_back(a.id); }, a.priority);
    ChannelPlay(stream, false);
    Render(441);
    EXPECT_EQ(order, (std::vector<int>{2, 4, 1, 3, 5}));
}

TEST_F(DspTest, ALowerPriorityProcedureSeesTheOutputOfAHigherOne)
{
    const Handle stream = Create(5000, 0, Constant(0.25f));
    std::vector<Block> blocks;
    ChannelSetDSP(stream, RecordBlock, &blocks, 0);
    ChannelSetDSP(stream, Double, nullptr, 5);
    ChannelPlay(stream, false);
    const std::vector<float> out = Render(441);
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(blocks[0].first, 0.5f);
    EXPECT_EQ(out[0], 0.5f);
}

TEST_F(DspTest, RemovalStopsTheCallsAndWrongHandlesAreRefused)
{
    const Handle stream = Create(44100);
    const Handle other = Create(44100);
    std::vector<Block> blocks;
    const Handle dsp = ChannelSetDSP(stream, RecordBlock, &blocks, 0);
    const Handle fx = ChannelSetFX(stream, FxParamEq, 0);
    ChannelPlay(stream, false);
    Render(441);
    const size_t calls = blocks.size();
    ASSERT_GT(calls, 0u);

    EXPECT_FALSE(ChannelRemoveDSP(other, dsp));
    EXPECT_EQ(ErrorGetCode(), ErrorHandle);
    EXPECT_FALSE(ChannelRemoveDSP(stream, fx)); // effects are not removed
    EXPECT_EQ(ErrorGetCode(), ErrorHandle);
    EXPECT_TRUE(ChannelRemoveDSP(stream, dsp));
    EXPECT_FALSE(ChannelRemoveDSP(stream, dsp));
    EXPECT_EQ(ErrorGetCode(), ErrorHandle);
    EXPECT_EQ(ChannelSetDSP(stream, DspProc{nullptr}, nullptr, 0), 0u);
    EXPECT_EQ(ErrorGetCode(), ErrorIllParam);

    Render(4410);
    EXPECT_EQ(blocks.size(), calls);
}

TEST_F(DspTest, AFunctionsStateIsReleasedWithTheStreamOrOnRemoval)
{
    const Handle freed = Create(44100);
    const Handle removedFrom = Create(44100);
    auto first = std::make_shared<int>(0);
    auto second = std::make_shared<int>(0);
    const std::weak_ptr<int> firstAlive = first;
    const std::weak_ptr<int> secondAlive = second;
    ChannelSetDSP(
        freed, [state = std::move(first)](Handle, Handle, float*, uint32_t) { ++*state; }, 0);
    const Handle dsp = ChannelSetDSP(
        removedFrom, [state = std::move(second)](Handle, Handle, float*, uint32_t) { ++*state; }, 0);
    ASSERT_FALSE(firstAlive.expired());
    ASSERT_FALSE(secondAlive.expired());

    StreamFree(freed);
    ChannelRemoveDSP(removedFrom, dsp);
    EXPECT_TRUE(firstAlive.expired());
    EXPECT_TRUE(secondAlive.expired());
}

// On the real-time clock, with the mixer on its own thread: once RemoveDSP returns, the procedure
// is not inside a call and is never called again.
using DspRealtimeTest = RealtimeClockTest;

// What the procedures of one test saw; the procedures share it, so it outlives whichever ends last.
template <size_t Rounds> struct DspCalls {
    std::array<std::atomic<int>, Rounds> calls{};
    std::atomic<bool> inside = false;
};

// Removes a procedure when it goes out of scope, so a failed assertion never leaves it installed.
class InstalledDsp {
public:
    InstalledDsp(Handle stream, Handle dsp) : stream_(stream), dsp_(dsp) {}
    ~InstalledDsp() { Remove(); }
    InstalledDsp(const InstalledDsp&) = delete;
    InstalledDsp& operator=(const InstalledDsp&) = delete;
    bool Remove()
    {
        const Handle dsp = std::exchange(dsp_, 0);
        return dsp != 0 && ChannelRemoveDSP(stream_, dsp);
    }

private:
    Handle stream_;
    Handle dsp_;
};

TEST_F(DspRealtimeTest, NoCallRunsOrFollowsOnceRemovalReturns)
{
    constexpr size_t Rounds = 25;
    const Handle stream = StreamCreateFromDecoder(std::make_unique<TestDecoder>(44100 * 60, Ramp), 0);
    ASSERT_TRUE(ChannelPlay(stream, false));
    const auto seen = std::make_shared<DspCalls<Rounds>>();
    std::array<int, Rounds> callsAtRemoval{};
    for (size_t round = 0; round < Rounds; ++round) {
        const Handle handle = ChannelSetDSP(
            stream,
            [seen, round](Handle, Handle, float*, uint32_t) {
                seen->inside = true;
                std::this_thread::sleep_for(200us); // widen the window a removal could slip into
                ++seen->calls[round];
                seen->inside = false;
            },
            static_cast<int>(round % 3));
        ASSERT_NE(handle, 0u);
        InstalledDsp dsp(stream, handle);
        for (int wait = 0; wait < 10000 && seen->calls[round] == 0; ++wait)
            std::this_thread::sleep_for(1ms);
        ASSERT_GT(seen->calls[round], 0) << "round " << round;
        ASSERT_TRUE(dsp.Remove());
        EXPECT_FALSE(seen->inside) << "round " << round;
        callsAtRemoval[round] = seen->calls[round];
    }
    std::this_thread::sleep_for(50ms);
    for (size_t round = 0; round < Rounds; ++round)
        EXPECT_EQ(seen->calls[round], callsAtRemoval[round]) << round;
}

} // namespace
} // namespace engine_test
