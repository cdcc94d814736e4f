// The ALSA output and recording devices, on ALSA's `null` PCM only: no test opens a sound card.
#include "EngineFixture.h"
#include "TempFolder.h"
#include "WavWriter.h"

#include "audiolib/AlsaCapture.h"
#include "audiolib/AlsaDevices.h"
#include "audiolib/AlsaOutput.h"
#include "audiolib/Engine.h"
#include "audiolib/StreamFactory.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace engine_test {
namespace {

using namespace audiolib;
using namespace std::chrono_literals;

// Set before main, so before anything of this program lists the devices (once per process): its only
// ALSA device, for every test, is the `null` PCM.
const bool onlyNullPcm = setenv(AlsaPcmsVariable, "null", 1) == 0;

TEST(AlsaListTest, TheNullPcmIsDeviceOneUnderAStableName)
{
    ASSERT_TRUE(onlyNullPcm);
    EXPECT_STREQ(GetDeviceDescription(0), "No sound");
    EXPECT_STREQ(GetDeviceName(0), "No sound");
    EXPECT_STREQ(GetDeviceDescription(1), "null");
    EXPECT_STREQ(GetDeviceName(1), "null");
    EXPECT_EQ(GetDeviceDescription(2), nullptr);
    EXPECT_EQ(ErrorGetCode(), ErrorDevice);
    EXPECT_EQ(GetDeviceName(2), nullptr);
    // Neither has a card's control, so neither has a mixer.
    EXPECT_STREQ(GetDeviceControl(0), "");
    EXPECT_STREQ(GetDeviceControl(1), "");
    EXPECT_EQ(GetDeviceControl(2), nullptr);

    // A second enumeration, as at the next start of the program, names the devices alike.
    const std::vector<AlsaPcm> first = ListAlsaPcms(AlsaDirection::Playback);
    const std::vector<AlsaPcm> second = ListAlsaPcms(AlsaDirection::Playback);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), first.size());
    EXPECT_EQ(second[0].name, first[0].name);
    EXPECT_EQ(first[0].pcm, "null");
}

TEST(AlsaListTest, NamesComeFromTheCardIdAndFitTheSettings)
{
    EXPECT_EQ(CardPcmName("PCH", 0, "ALC892 Analog"), "PCH,0: ALC892 Analog");
    // Cut to 32 characters, the card id and device number stay whole, so names stay distinct.
    const std::string cut = CardPcmName("CODEC_USB_Long1", 12, "USB Audio Interface Output Stage");
    EXPECT_EQ(cut.size(), MaxDeviceNameLength);
    EXPECT_EQ(cut.rfind("CODEC_USB_Long1,12: ", 0), 0u);

    EXPECT_EQ(ParsePcmList(" null ;default;;plughw:CARD=PCH,DEV=0; "),
              (std::vector<std::string>{"null", "default", "plughw:CARD=PCH,DEV=0"}));
    EXPECT_TRUE(ParsePcmList("").empty());

    struct Case {
        const char* pcm;
        const char* control;
    };
    for (const Case& c : {Case{"default", "default"}, Case{"plughw:CARD=PCH,DEV=3", "hw:CARD=PCH"},
                          Case{"hw:CARD=Device", "hw:CARD=Device"}, Case{"null", ""}})
        EXPECT_EQ(ControlOfPcm(c.pcm), c.control) << c.pcm;
}

TEST(HeardPositionTest, FramesStillInTheCardsBufferAreNotHeard)
{
    struct Case {
        int64_t heard; // device frames the listener has heard
        int freq;
        int64_t floor;
        int64_t position;
    };
    // The stream's mix reached native frame 10000 at device frame 5000.
    for (const Case& c : {Case{5000, 44100, 0, 10000}, Case{4000, 44100, 0, 9000}, Case{4000, 88200, 0, 8000},
                          Case{4000, 44100, 9500, 9500}, Case{6000, 44100, 0, 10000}}) {
        Stream stream(1, 0, 44100, 100, 0, std::make_unique<TestDecoder>(20000, Ramp), false, 4096);
        stream.freq.Set(c.freq);
        stream.position = 10000;
        stream.mixedUpTo = 5000;
        stream.heardFloor = c.floor;
        EXPECT_EQ(stream.HeardPosition(c.heard, 44100), c.position) << c.heard << " at " << c.freq;
    }
}

class AlsaDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Init(1, 44100, 0)); }
    void TearDown() override
    {
        ASSERT_TRUE(SetDevice(1));
        EXPECT_TRUE(Free());
        EXPECT_EQ(LiveStreamCount(), 0);
    }
    static AlsaOutput& Output()
    {
        return static_cast<AlsaOutput&>(*Engine::Instance().FindDevice(1)->backend);
    }
    static uint32_t Failures()
    {
        OutputCounts counts;
        EXPECT_TRUE(GetOutputCounts(1, &counts));
        return counts.failures;
    }
};

TEST_F(AlsaDeviceTest, AWavFilePlaysToItsEndAndIsFreed)
{
    // Listing and Init leave the PCM closed; the first play opens it.
    EXPECT_FALSE(Output().Writing());

    TempFolder folder;
    const QString path = folder.File("tone.wav");
    ASSERT_TRUE(testing_support::WriteWav(path, {}, 44100 / 4, testing_support::Sine(440, 0.5, 44100)));
    const Handle stream = StreamCreateFile(false, path.toUtf8().constData(), 0, 0, StreamAutoFree);
    ASSERT_NE(stream, 0u);
    SyncRecorder recorder;
    ASSERT_NE(ChannelSetSync(stream, SyncEnd, 0, SyncRecorder::Proc, &recorder), 0u);
    ASSERT_TRUE(ChannelPlay(stream, false));
    EXPECT_TRUE(Output().Writing());

    EXPECT_TRUE(WaitFor([&] { return ChannelGetPosition(stream) > 0; }));
    EXPECT_TRUE(WaitFor([] { return LiveStreamCount() == 0; }));
    EXPECT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(ChannelIsActive(stream), ActiveStopped);
    EXPECT_EQ(Failures(), 0u);
}

TEST_F(AlsaDeviceTest, ALostCardKeepsTheClockRunningAndOutputResumesWhenItIsBack)
{
    const Handle stream =
        StreamCreateFromDecoder(std::make_unique<TestDecoder>(44100 * 3 / 10, Ramp), StreamAutoFree);
    ASSERT_NE(stream, 0u);
    SyncRecorder recorder;
    ChannelSetSync(stream, SyncEnd, 0, SyncRecorder::Proc, &recorder);
    ASSERT_TRUE(ChannelPlay(stream, false));
    ASSERT_TRUE(Output().Writing());

    Output().SimulateCardLoss(true);
    ASSERT_TRUE(WaitFor([] { return LiveStreamCount() == 0; }));
    EXPECT_EQ(recorder.Calls().size(), 1u);
    EXPECT_EQ(Failures(), 1u);
    EXPECT_FALSE(Output().Writing());

    Output().SimulateCardLoss(false);
    EXPECT_TRUE(WaitFor([] { return Output().Writing(); }));
}

TEST_F(AlsaDeviceTest, ACardMissingAtTheFirstPlayStillRunsTheClockAndOutputStartsWhenItComes)
{
    Output().SimulateCardLoss(true);
    const Handle stream =
        StreamCreateFromDecoder(std::make_unique<TestDecoder>(44100 * 3 / 10, Ramp), StreamAutoFree);
    ASSERT_NE(stream, 0u);
    SyncRecorder recorder;
    ChannelSetSync(stream, SyncEnd, 0, SyncRecorder::Proc, &recorder);
    ASSERT_TRUE(ChannelPlay(stream, false));
    EXPECT_FALSE(Output().Writing());
    EXPECT_EQ(Failures(), 1u);

    ASSERT_TRUE(WaitFor([] { return LiveStreamCount() == 0; }));
    EXPECT_EQ(recorder.Calls().size(), 1u);
    EXPECT_FALSE(Output().Writing());

    Output().SimulateCardLoss(false);
    EXPECT_TRUE(WaitFor([] { return Output().Writing(); }));
}

TEST(AlsaRecordTest, CaptureDevicesAreListedAndInitialisedButNeverRecord)
{
    ASSERT_TRUE(onlyNullPcm);
    EXPECT_STREQ(RecordGetDeviceDescription(0), "null");
    EXPECT_STREQ(RecordGetDeviceName(0), "null");
    EXPECT_EQ(RecordGetDeviceDescription(1), nullptr);
    EXPECT_EQ(ErrorGetCode(), ErrorDevice);

    EXPECT_EQ(RecordGetInputName(0), nullptr);
    EXPECT_EQ(ErrorGetCode(), ErrorInit);
    EXPECT_FALSE(RecordInit(1));
    EXPECT_EQ(ErrorGetCode(), ErrorDevice);
    EXPECT_FALSE(RecordSetDevice(0));
    EXPECT_EQ(ErrorGetCode(), ErrorInit);

    ASSERT_TRUE(RecordInit(0));
    EXPECT_FALSE(RecordInit(0));
    EXPECT_EQ(ErrorGetCode(), ErrorAlready);
    EXPECT_TRUE(RecordSetDevice(0));
    // The `null` PCM belongs to no card, so it has no inputs.
    EXPECT_EQ(RecordGetInputName(0), nullptr);
    EXPECT_EQ(ErrorGetCode(), ErrorIllParam);
    EXPECT_EQ(RecordGetInput(0), -1);

    EXPECT_TRUE(RecordFree());
    EXPECT_FALSE(RecordFree());
    EXPECT_EQ(ErrorGetCode(), ErrorInit);
    EXPECT_FALSE(RecordSetDevice(0));
}

TEST(AlsaRecordTest, InputKindsComeFromTheElementNames)
{
    struct Case {
        const char* name;
        int32_t type;
    };
    for (const Case& c : {Case{"Mic", InputTypeMic}, Case{"Front Mic Boost", InputTypeMic},
                          Case{"Line", InputTypeLine}, Case{"CD", InputTypeCd}, Case{"Aux", InputTypeAux},
                          Case{"IEC958", InputTypeDigital}, Case{"Capture", InputTypeUndef}})
        EXPECT_EQ(AlsaCapture::InputType(c.name), c.type) << c.name;
}

} // namespace
} // namespace engine_test
