// ChannelGetData: the most recent frames heard, after the chain and before volume, and their spectrum.
#include "EngineFixture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace engine_test {
namespace {

using namespace audiolib;

using GetDataTest = ManualClockTest;

// 16-bit stereo frames of a signal, with `zeros` silent frames first.
std::vector<int16_t> Expected(const Signal& signal, int64_t zeros, int64_t from, int64_t to)
{
    std::vector<int16_t> frames(static_cast<size_t>(zeros) * 2, 0);
    for (int64_t frame = from; frame < to; ++frame) {
        for (int channel = 0; channel < 2; ++channel)
            frames.push_back(static_cast<int16_t>(std::lround(signal(frame, channel) * 32768.0f)));
    }
    return frames;
}

std::vector<int16_t> Bytes(Handle stream, uint32_t length)
{
    std::vector<int16_t> data(length / 2, 1);
    EXPECT_EQ(ChannelGetData(stream, data.data(), length), static_cast<int32_t>(length));
    return data;
}

TEST_F(GetDataTest, ByteModeReturnsTheLatestFramesBeforeVolume)
{
    const Handle stream = Create(44100);
    ChannelSetAttributes(stream, KeepFreq, 0, KeepPan);
    EXPECT_EQ(Bytes(stream, 2048), Expected(Ramp, 512, 0, 0)) << "silence before the start";

    ChannelPlay(stream, false);
    Render(300);
    EXPECT_EQ(Bytes(stream, 2048), Expected(Ramp, 212, 0, 300));
    const std::vector<float> out = Render(700);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](float v) { return v == 0.0f; })) << "volume 0";
    const std::vector<int16_t> latest = Bytes(stream, 2048);
    EXPECT_EQ(latest, Expected(Ramp, 0, 488, 1000));

    ChannelPause(stream);
    Render(441);
    EXPECT_EQ(Bytes(stream, 2048), latest) << "paused";
}

TEST_F(GetDataTest, TheDataFollowsTheChainAndIsClipped)
{
    const Handle stream = Create(1000, 0, Constant(0.25f));
    ChannelSetDSP(
        stream,
        [](Handle, Handle, float* buffer, uint32_t length) {
            for (uint32_t i = 0; i < length / sizeof(float); i += 2) {
                buffer[i] *= -2.0f;
                buffer[i + 1] *= 8.0f;
            }
        },
        0);
    ChannelPlay(stream, false);
    Render(100);
    const std::vector<int16_t> data = Bytes(stream, 8);
    EXPECT_EQ(data, (std::vector<int16_t>{-16384, 32767, -16384, 32767}));
}

TEST_F(GetDataTest, FloatStreamsGiveFloats)
{
    const Handle stream = Create(1000, SampleFloat);
    ChannelPlay(stream, false);
    Render(1000);
    std::vector<float> data(1024);
    ASSERT_EQ(ChannelGetData(stream, data.data(), 4096), 4096);
    for (int64_t frame = 488; frame < 1000; ++frame)
        ASSERT_EQ(data[static_cast<size_t>(frame - 488) * 2], Ramp(frame, 0)) << frame;
}

TEST_F(GetDataTest, Errors)
{
    const Handle stream = Create(1000);
    std::array<float, 512> data{};
    EXPECT_EQ(ChannelGetData(stream + 1000, data.data(), 2048), -1);
    EXPECT_EQ(ErrorGetCode(), ErrorHandle);
    EXPECT_EQ(ChannelGetData(stream, data.data(), 0x80000002), -1);
    EXPECT_EQ(ErrorGetCode(), ErrorIllParam);
    EXPECT_EQ(ChannelGetData(stream, nullptr, 2048), -1);
    EXPECT_EQ(ErrorGetCode(), ErrorIllParam);
}

TEST_F(GetDataTest, FftOfAFullScaleSineCentredOnBin16PeaksThereAtAboutOneHalf)
{
    const Handle stream = Create(44100, 0, [](int64_t frame, int) {
        return static_cast<float>(
            std::sin(2.0 * std::numbers::pi * 16.0 * static_cast<double>(frame) / 1024.0));
    });
    ChannelPlay(stream, false);
    Render(1500);
    std::array<float, 512> bins{};
    ASSERT_EQ(ChannelGetData(stream, bins.data(), DataFft1024), 4096);
    EXPECT_EQ(std::max_element(bins.begin(), bins.end()) - bins.begin(), 16);
    EXPECT_NEAR(bins[16], 0.5f, 0.01f);
    EXPECT_NEAR(bins[15], 0.25f, 0.01f); // the Hann window's neighbours
    EXPECT_LT(*std::max_element(bins.begin() + 18, bins.end()), 1e-3f);

    ChannelPause(stream);
    Render(441);
    std::array<float, 512> paused{};
    ASSERT_EQ(ChannelGetData(stream, paused.data(), DataFft1024), 4096);
    EXPECT_EQ(paused, bins);
}

} // namespace
} // namespace engine_test
