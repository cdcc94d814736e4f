// The library, its devices, handles, transport and positions on device 0.
#include "EngineFixture.h"

namespace engine_test {
namespace {

using namespace audiolib;

TEST(LibraryTest, VersionConfigAndPlugins)
{
    EXPECT_EQ(GetVersion(), 0x00020002u);
    struct Case {
        uint32_t option;
        uint32_t value;
        int error;
    };
    for (const Case& c : {Case{ConfigFloatDsp, 1, ErrorOk}, Case{ConfigMaxVol, 100, ErrorOk},
                          Case{ConfigUpdatePeriod, 10, ErrorOk}, Case{ConfigBuffer, 1000, ErrorOk},
                          Case{ConfigFloatDsp, 0, ErrorIllParam}, Case{ConfigBuffer, 0, ErrorIllParam},
                          Case{ConfigNullManual, 2, ErrorIllParam}, Case{77, 1, ErrorIllType}}) {
        EXPECT_EQ(SetConfig(c.option, c.value), c.error == ErrorOk) << c.option << "=" << c.value;
        EXPECT_EQ(ErrorGetCode(), c.error) << c.option << "=" << c.value;
    }
    EXPECT_NE(PluginLoad("wma"), 0u);
    EXPECT_TRUE(PluginFree(0));
}

TEST(DeviceTest, InitSelectAndFreeReportTheirErrors)
{
    EXPECT_STREQ(GetDeviceDescription(0), "No sound");
    // Tests list only ALSA's "null" PCM as device 1, so device 2 is past the end.
    EXPECT_EQ(GetDeviceDescription(2), nullptr);
    EXPECT_EQ(StreamCreate(44100, 2, SampleFloat, nullptr, nullptr), 0u);
    EXPECT_EQ(ErrorGetCode(), ErrorInit);
    EXPECT_FALSE(Init(2, 44100, 0));
    EXPECT_EQ(ErrorGetCode(), ErrorDevice);
    EXPECT_FALSE(SetDevice(0));
    EXPECT_EQ(ErrorGetCode(), ErrorInit);
    EXPECT_FALSE(Free());
    EXPECT_EQ(ErrorGetCode(), ErrorInit);

    ASSERT_TRUE(Init(0, 44100, 0));
    EXPECT_EQ(GetDevice(), 0);
    EXPECT_FALSE(Init(0, 44100, 0));
    EXPECT_EQ(ErrorGetCode(), ErrorAlready);
    EXPECT_FALSE(SetDevice(-1));
    EXPECT_EQ(ErrorGetCode(), ErrorDevice);
    EXPECT_TRUE(SetDevice(0));

    // The capabilities probe: a silent float stream.
    const Handle probe = StreamCreate(44100, 2, SampleFloat, nullptr, nullptr);
    ASSERT_NE(probe, 0u);
    EXPECT_EQ(ChannelGetLength(probe), -1);
    EXPECT_EQ(ErrorGetCode(), ErrorNotAvail);
    EXPECT_TRUE(StreamFree(probe));

    EXPECT_TRUE(Free());
    EXPECT_EQ(LiveStreamCount(), 0);
    EXPECT_FALSE(SetDevice(0));
    EXPECT_EQ(ErrorGetCode(), ErrorInit);
}

using EngineTest = ManualClockTest;

TEST_F(EngineTest, FreedHandlesAreNeverReusedAndRejectEveryCall)
{
    const Handle freed = Create(100);
    ASSERT_TRUE(StreamFree(freed));
    const Handle next = Create(100);
    EXPECT_NE(next, freed);

    const std::vector<std::pair<const char*, std::function<bool()>>> calls = {
        {"StreamFree", [&] { return StreamFree(freed); }},
        {"ChannelPlay", [&] { return ChannelPlay(freed, false); }},
        {"ChannelPause", [&] { return ChannelPause(freed); }},
        {"ChannelStop", [&] { return ChannelStop(freed); }},
        {"ChannelIsActive", [&] { return ChannelIsActive(freed) != ActiveStopped; }},
        {"ChannelGetPosition", [&] { return ChannelGetPosition(freed) != -1; }},
        {"ChannelGetLength", [&] { return ChannelGetLength(freed) != -1; }},
        {"ChannelSetPosition", [&] { return ChannelSetPosition(freed, 0); }},
        {"ChannelSetAttributes", [&] { return ChannelSetAttributes(freed, KeepFreq, 50, KeepPan); }},
        {"ChannelSlideAttributes", [&] { return ChannelSlideAttributes(freed, KeepFreq, 50, KeepPan, 10); }},
        {"ChannelRemoveSync", [&] { return ChannelRemoveSync(freed, 1); }},
    };
    for (const auto& [name, call] : calls) {
        EXPECT_FALSE(call()) << name;
        EXPECT_EQ(ErrorGetCode(), ErrorHandle) << name;
    }
    EXPECT_EQ(ChannelIsActive(next), ActiveStopped); // untouched by the calls on the freed handle
    EXPECT_EQ(LiveStreamCount(), 1);
}

TEST_F(EngineTest, TransportStates)
{
    const Handle stream = Create(10000);
    EXPECT_EQ(ChannelIsActive(stream), ActiveStopped);
    EXPECT_FALSE(ChannelPause(stream));
    EXPECT_EQ(ErrorGetCode(), ErrorNoPlay);
    ASSERT_TRUE(ChannelPlay(stream, false));
    EXPECT_EQ(ChannelIsActive(stream), ActivePlaying);
    Render(1000);
    EXPECT_TRUE(ChannelPause(stream));
    EXPECT_EQ(ChannelIsActive(stream), ActivePaused);
    EXPECT_TRUE(ChannelPlay(stream, false));
    EXPECT_EQ(ChannelGetPosition(stream), 1000 * 4);
    EXPECT_TRUE(ChannelPlay(stream, true));
    EXPECT_EQ(ChannelGetPosition(stream), 0);
    EXPECT_TRUE(Stop()); // pauses everything on the device
    EXPECT_EQ(ChannelIsActive(stream), ActivePaused);
}

TEST_F(EngineTest, AutoFreeOnStopButNotOnPause)
{
    SyncRecorder recorder;
    const Handle autoFree = Create(10000, StreamAutoFree);
    const Handle kept = Create(10000);
    for (Handle stream : {autoFree, kept}) {
        ChannelSetSync(stream, SyncEnd, 0, SyncRecorder::Proc, &recorder);
        ChannelPlay(stream, false);
    }
    Render(100);
    EXPECT_TRUE(ChannelPause(autoFree));
    EXPECT_EQ(ChannelIsActive(autoFree), ActivePaused);
    EXPECT_TRUE(ChannelStop(autoFree));
    EXPECT_TRUE(ChannelStop(kept));
    EXPECT_EQ(ChannelGetLength(autoFree), -1);
    EXPECT_EQ(ErrorGetCode(), ErrorHandle);
    EXPECT_EQ(ChannelIsActive(kept), ActiveStopped);
    EXPECT_EQ(LiveStreamCount(), 1);
    Render(20000);
    EXPECT_TRUE(recorder.Calls().empty());
}

TEST_F(EngineTest, PositionsLengthsAndConversions)
{
    const Handle stream = Create(100000);
    EXPECT_EQ(ChannelGetLength(stream), 100000 * 4);
    ChannelPlay(stream, false);
    Render(1234);
    EXPECT_EQ(ChannelGetPosition(stream), 1234 * 4);
    EXPECT_EQ(ChannelSeconds2Bytes(stream, 2.0), 352800);
    EXPECT_EQ(ChannelSeconds2Bytes(stream, 0.00001), 0);
    EXPECT_DOUBLE_EQ(ChannelBytes2Seconds(stream, 352800), 2.0);
    ChannelInfo info;
    ASSERT_TRUE(ChannelGetInfo(stream, &info));
    EXPECT_EQ(info.freq, 44100);
    EXPECT_EQ(info.chans, 2);

    EXPECT_FALSE(ChannelSetPosition(stream, 100000 * 4));
    EXPECT_EQ(ErrorGetCode(), ErrorPosition);
    EXPECT_EQ(ChannelGetPosition(stream), 1234 * 4);

    // A seek is exact to the frame and heard at once.
    ASSERT_TRUE(ChannelSetPosition(stream, 77777 * 4 + 3));
    EXPECT_EQ(ChannelGetPosition(stream), 77777 * 4);
    const std::vector<float> out = Render(2);
    EXPECT_EQ(out[0], Ramp(77777, 0));
    EXPECT_EQ(out[3], Ramp(77778, 1));
}

TEST_F(EngineTest, AttributesCheckTheirRanges)
{
    const Handle stream = Create(1000);
    struct Case {
        int freq;
        int vol;
        int pan;
        bool ok;
    };
    for (const Case& c :
         {Case{KeepFreq, KeepVol, KeepPan, true}, Case{0, 0, -100, true}, Case{100, 100, 100, true},
          Case{100000, 50, 0, true}, Case{99, KeepVol, KeepPan, false}, Case{100001, KeepVol, KeepPan, false},
          Case{KeepFreq, 101, KeepPan, false}, Case{KeepFreq, -2, KeepPan, false},
          Case{KeepFreq, KeepVol, 101, false}}) {
        EXPECT_EQ(ChannelSetAttributes(stream, c.freq, c.vol, c.pan), c.ok)
            << c.freq << " " << c.vol << " " << c.pan;
        EXPECT_EQ(ChannelSlideAttributes(stream, c.freq, c.vol, c.pan, 10), c.ok);
        EXPECT_EQ(ErrorGetCode(), c.ok ? ErrorOk : ErrorIllParam);
    }
    ASSERT_TRUE(ChannelSetAttributes(stream, 0, 40, -30));
    int freq = 0;
    float vol = 0;
    float pan = 0;
    ASSERT_TRUE(ChannelGetAttributes(stream, &freq, &vol, &pan));
    EXPECT_EQ(freq, 44100);
    EXPECT_EQ(vol, 40.0f);
    EXPECT_EQ(pan, -30.0f);
}

TEST_F(EngineTest, TheManualClockIsDeterministic)
{
    auto run = [&] {
        const Handle stream = Create(30000);
        ChannelPlay(stream, false);
        ChannelSlideAttributes(stream, KeepFreq, 30, 40, 300);
        std::vector<float> out = Render(10000);
        ChannelSetPosition(stream, 5000 * 4);
        const std::vector<float> rest = Render(30000);
        out.insert(out.end(), rest.begin(), rest.end());
        return out;
    };
    EXPECT_EQ(run(), run());
}

} // namespace
} // namespace engine_test
