// Line-in entries, the line-in button and the microphone on channel 1, on device 0 and the manual
// clock together (441 frames = 10 ms), with a scripted mixer whose device is the slot's.
#include "playout/ChannelLineIn.h"

#include "FakeMixer.h"
#include "PlaybackFixture.h"
#include "foundation/QueueEntryText.h"
#include "playout/AudioLayer.h"
#include "playout/DeviceTables.h"
#include "playout/StationIds.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class ChannelLineInTest : public PlaybackFixture {
protected:
    ChannelLineInTest()
    {
        StationOptions.CrossfadeEnabled[1] = false;
        StationOptions.MicFadeInterval[1] = 1;
        StationOptions.MicFadeVolMinPercent[1] = 10;
        // A card of another name first: the channel's own device's mixer is the one switched.
        const int other = fake.AddDevice("Other card");
        otherLine =
            fake.AddControl(other,
                            fake.AddSource(other, fake.AddDestination(other, "Playback", MixerLineSpeakers),
                                           "Line", MixerSourceLine),
                            MixerControlMute, {1});
        const int own = fake.AddDevice(GetDeviceName(OutputDevices, SlotDeviceIndex(1)));
        const uint32_t speakers = fake.AddDestination(own, "Playback", MixerLineSpeakers);
        line = fake.AddControl(own, fake.AddSource(own, speakers, "Line", MixerSourceLine), MixerControlMute,
                               {1});
        mic = fake.AddControl(own, fake.AddSource(own, speakers, "Mic", MixerSourceMicrophone),
                              MixerControlMute, {1});
        lineIn = std::make_unique<TChannelLineIn>(queue, playback);
    }
    ~ChannelLineInTest() override { lineIn.reset(); }

    int64_t Frames() const { return static_cast<int64_t>(output.size() / 2); }

    // Device 0 and the clock move on together: the clock reads the time of the frames rendered so far
    // when the timers' firings and the channel's messages are handled after each block.
    void BlockRendered() override
    {
        clock.Advance(10);
        QCoreApplication::sendPostedEvents(&lineIn->TTimerLineIn, 0);
    }

    float Left(int64_t frame) const { return output[static_cast<size_t>(2 * frame)]; }
    float Right(int64_t frame) const { return output[static_cast<size_t>(2 * frame + 1)]; }
    int32_t Muted(uint32_t control) const { return fake.Values(1, control).at(0); }

    FakeMixer fake;
    uint32_t otherLine = 0, line = 0, mic = 0;
    std::unique_ptr<TChannelLineIn> lineIn;
};

} // namespace

TEST_F(ChannelLineInTest, ATimedLineInEntryHandsTheAirToTheLineInputThenTheQueueGoesOn)
{
    queue.AddItem(ConstantWav("f1.wav", 1, 0, 0.5), 1);
    queue.AddItem("[LINEIN 2 Studio ]", 1);
    queue.AddItem(ConstantWav("f2.wav", 1, 1, 0.5), 1);
    QList<bool> button;
    QObject::connect(lineIn.get(), &TChannelLineIn::LineInButtonChanged, [&](bool down) { button << down; });

    RunUntil(Second / 2, {{0, [&] { playback.PlayItemAt(0); }}});
    EXPECT_NEAR(Left(Second / 4), 0.4, 1e-5);
    EXPECT_EQ(Muted(line), 1);
    RunUntil(2 * Second);
    // F1 ended; the line input has the air, the streams are paused, the queue waits on the entry.
    EXPECT_EQ(queue.ItemIndex(), 1);
    EXPECT_TRUE(lineIn->LineInDown());
    EXPECT_TRUE(queue.Paused);
    EXPECT_EQ(Muted(line), 0);
    EXPECT_EQ(Muted(mic), 1);
    EXPECT_EQ(fake.Values(0, otherLine), (std::vector<int32_t>{1})) << "the other card";
    EXPECT_EQ(LogCount("pausing"), 1);
    for (int64_t frame = Second + Block; frame < 2 * Second; frame += Block)
        ASSERT_EQ(Left(frame) + Right(frame), 0.0f) << frame;

    RunUntil(4 * Second + Second / 2);
    // Two seconds later F2, then the end of the queue.
    EXPECT_EQ(Muted(line), 1);
    EXPECT_FALSE(lineIn->LineInDown());
    EXPECT_EQ(button, (QList<bool>{true, false}));
    EXPECT_NEAR(Right(3 * Second + Second / 2), 0.4, 1e-5);
    EXPECT_EQ(Right(3 * Second - 3 * Block), 0.0f);
    EXPECT_EQ(indexes, (QList<int>{-1, 0, 1, 2, -1}));
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
}

// A station's hour in small: files, a label, a timed line-in and two identifications inserted every
// three entries, with the microphone open over the last file entries. Each file holds its own level
// on one side (a level a 16-bit file holds exactly), so every frame tells which entry sounds and how
// loud.
TEST_F(ChannelLineInTest, AnHourOfEveryKindOfEntryPlaysInTurnAndTheMicrophoneDucksIt)
{
    const QString id = ConstantWav("id.wav", 1, 0, 0.125);
    queue.AddItem(ConstantWav("f1.wav", 2, 0, 0.25), 1);
    queue.AddItem("[LABEL News ]", 1);
    queue.AddItem(ConstantWav("f2.wav", 2, 1, 0.5), 1);
    queue.AddItem("[LINEIN 3 Studio ]", 1);
    queue.AddItem(ConstantWav("f3.wav", 2, 1, 0.375), 1);
    queue.AddItem(ConstantWav("f4.wav", 1, 0, 0.4375), 1);
    const TStationIdPicker oneIdentification = [&](int&, bool, bool) { return TStationId{id, 1}; };
    InsertEveryEntries(queue, 3, oneIdentification, false, false);
    ASSERT_EQ(queue.Count(), 8);
    EXPECT_EQ(queue.Entry(3).FileName, id);
    EXPECT_EQ(queue.Entry(4).Kind, ItemKindLineIn);
    EXPECT_EQ(queue.Entry(7).FileName, id);

    using Switched = std::tuple<int64_t, uint32_t, int32_t>; // frame, control, muted
    std::vector<Switched> writes;
    fake.OnWrite = [&](const FakeMixer::Write& write) {
        EXPECT_EQ(write.device, 1);
        writes.emplace_back(Frames(), write.controlId, write.values.at(0));
    };
    logLines.clear();
    RunUntil(12 * Second + 2 * Block, {{0, [&] { playback.PlayItemAt(0); }},
                                       {374850, [&] { lineIn->MicClick(true); }},
                                       {463050, [&] { lineIn->MicClick(false); }}});

    ExpectHeard({
        {.side = 0, .level = 0.25, .start = 0, .end = 88200},
        {.side = 1, .level = 0.5, .start = 88200, .end = 176400},
        {.side = 0, .level = 0.125, .start = 176400, .end = 220500},
        // The line input has the air: silence from the channel.
        {.side = 1,
         .level = 0.375,
         .start = 352800,
         .end = 441000,
         .volumes = {{374850, 0.8}, {418950, 0.1}}},
        {.side = 0,
         .level = 0.4375,
         .start = 441000,
         .end = 485100,
         .volumes = {{463050, 0.1}, {507150, 0.8}}},
        {.side = 0, .level = 0.125, .start = 485100, .end = 529200},
    });
    EXPECT_EQ(writes, (std::vector<Switched>{
                          {220500, line, 0}, {352800, line, 1}, {374850, mic, 0}, {463050, mic, 1}}));
    EXPECT_EQ(indexes, (QList<int>{-1, 0, 1, 2, 3, 4, 5, 6, 7, -1}));
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_EQ(playButtonRaised, 1);
    // The clock kept time with the audio: each line is stamped with its entry's second.
    const QString at = QStringLiteral("01/03/2024 10:00:%1 0 10 ");
    EXPECT_EQ(
        logLines.join('\n').toStdString(),
        (QStringList{at.arg("00") + "100 1 " + File("f1.wav") + " (1)",
                     at.arg("02") + "100 1 " + File("f2.wav") + " (2)", at.arg("04") + "100 1 " + id + " (3)",
                     at.arg("05") + "103 1 pausing", at.arg("08") + "100 1 " + File("f3.wav") + " (4)",
                     at.arg("10") + "100 1 " + File("f4.wav") + " (5)", at.arg("11") + "100 1 " + id + " (6)",
                     at.arg("12") + "102 1 already stopped"})
            .join('\n')
            .toStdString());
}

TEST_F(ChannelLineInTest, LeavingATimedLineInOtherwiseClosesItWithoutASecondAdvance)
{
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"jump", [&] { playback.PlayItemAt(2); }},
        {"stop all", [&] { playback.StopAll(); }},
    };
    for (const auto& [name, leave] : ways) {
        queue.ResetChannel();
        indexes.clear();
        queue.AddItem("[LINEIN 2 Studio ]", 1);
        queue.AddItem(ConstantWav("f1.wav", 1, 0, 0.5), 1);
        queue.AddItem(ConstantWav("f2.wav", 5, 1, 0.5), 1);
        const int64_t start = Frames();
        RunUntil(start + Second / 2, {{start, [&] { playback.PlayItemAt(0); }}});
        ASSERT_TRUE(lineIn->LineInDown()) << name;
        ASSERT_EQ(Muted(line), 0) << name;
        RunUntil(start + Second, {{start + Second / 2, leave}});
        EXPECT_FALSE(lineIn->LineInDown()) << name;
        EXPECT_FALSE(lineIn->TTimerLineIn.IsActive()) << name;
        EXPECT_FALSE(queue.Paused) << name;
        EXPECT_EQ(Muted(line), 1) << name;
        const QList<int> before = indexes;
        const bool onAir = queue.OnAir();
        // The line-in entry's time passes: nothing moves, nothing is resumed.
        RunUntil(start + 4 * Second);
        EXPECT_EQ(indexes, before) << name;
        EXPECT_EQ(queue.OnAir(), onAir) << name;
        EXPECT_EQ(Muted(line), 1) << name;
    }
    playback.StopAll();
    Deliver();
}

// The transport during a timed line-in entry of 2 s followed by f1 and f2: Play gives the air back to
// the channel without restarting the countdown, so f1 still starts when the 2 s are over; Stop goes on
// at once; Stop all stops; a jump starts its entry at once.
TEST_F(ChannelLineInTest, TheTransportDuringATimedLineInDecidesWhenTheNextEntryStarts)
{
    constexpr int64_t At = 35280; // 0.8 s into the line-in
    struct Case {
        const char* name;
        std::function<void(TChannelPlayback&)> press;
        std::vector<THeard> heard;
    };
    const Case cases[] = {
        {"play",
         [](TChannelPlayback& p) { p.PlayPauseClick(true); },
         {{0, 0.5, 2 * Second, 3 * Second}, {1, 0.5, 3 * Second, 4 * Second}}},
        {"stop",
         [](TChannelPlayback& p) { p.StopClick(); },
         {{0, 0.5, At, At + Second}, {1, 0.5, At + Second, At + 2 * Second}}},
        {"stop all", [](TChannelPlayback& p) { p.StopAll(); }, {}},
        {"jump", [](TChannelPlayback& p) { p.PlayItemAt(2); }, {{1, 0.5, At, At + Second}}},
    };
    for (const Case& c : cases) {
        playback.StopAll();
        queue.ResetChannel();
        output.clear();
        logLines.clear();
        queue.AddItem("[LINEIN 2 Studio ]", 1);
        queue.AddItem(ConstantWav("f1.wav", 1, 0, 0.5), 1);
        queue.AddItem(ConstantWav("f2.wav", 1, 1, 0.5), 1);
        RunUntil(4 * Second + Second / 2,
                 {{0, [&] { playback.PlayItemAt(0); }}, {At, [&] { c.press(playback); }}});
        SCOPED_TRACE(c.name);
        ExpectHeard(c.heard);
        EXPECT_EQ(LogCount("pausing"), 1);
        EXPECT_FALSE(lineIn->LineInDown());
        EXPECT_EQ(Muted(line), 1);
    }
}

TEST_F(ChannelLineInTest, AZeroSecondLineInWaitsForTheButtonAndDoesNotAdvance)
{
    queue.AddItem("[LINEIN 0 Open ]", 1);
    queue.AddItem(ConstantWav("f1.wav", 1, 0, 0.5), 1);
    RunUntil(3 * Second, {{0, [&] { playback.PlayItemAt(0); }}});
    EXPECT_FALSE(lineIn->TTimerLineIn.IsActive());
    EXPECT_TRUE(lineIn->LineInDown());
    EXPECT_EQ(Muted(line), 0);
    RunUntil(5 * Second, {{3 * Second, [&] { lineIn->LineInClick(false); }}});
    EXPECT_EQ(Muted(line), 1);
    EXPECT_FALSE(queue.Paused);
    EXPECT_EQ(queue.ItemIndex(), 0);
}

TEST_F(ChannelLineInTest, TheMicrophoneDucksTheChannelAndEntriesStartingMeanwhile)
{
    queue.AddItem(ConstantWav("f1.wav", 2, 0, 0.5), 1);
    queue.AddItem(ConstantWav("f2.wav", 4, 1, 0.5), 1);
    RunUntil(4 * Second,
             {{0, [&] { playback.PlayItemAt(0); }}, {Second / 2, [&] { lineIn->MicClick(true); }}});
    EXPECT_EQ(Muted(mic), 0);
    EXPECT_EQ(lineIn->SavedVolume, 80);
    // The linear slide from 0.8 to 0.1 over a second, then F2 comes in ducked.
    EXPECT_NEAR(Left(Second), 0.5 * 0.45, 1e-3);
    EXPECT_NEAR(Left(Second + Second / 2 + Block), 0.05, 1e-5);
    EXPECT_NEAR(Right(3 * Second), 0.05, 1e-5);

    // The knob moved meanwhile; closing the microphone slides back to the volume it saved.
    playback.SetVolume(50);
    RunUntil(6 * Second, {{4 * Second, [&] { lineIn->MicClick(false); }}});
    EXPECT_EQ(Muted(mic), 1);
    EXPECT_NEAR(Right(5 * Second + Block), 0.4, 1e-5);
}
