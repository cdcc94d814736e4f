#include "PlaybackFixture.h"
#include "audiolib/AudioLib.h"
#include "platform/Messages.h"
#include "platform/Random.h"

#include "controls/LbSpeedButton.h"
#include "playout/Channel1.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>

namespace {

constexpr int64_t S = PlaybackFixture::Second;
constexpr int64_t Margin = 10 * PlaybackFixture::Block; // silence after the end

using Step = std::function<void(PlaybackFixture&)>;

// The acceptance run's entries as heard: a and b cross, c plays whole (3 s is not above the 3 s
// minimum), the label is passed over, d fades in and out.
const THeard A{0, 0.25, 0, 6 * S, true, 4 * S};
const THeard B{1, 0.25, 4 * S, 10 * S, true, 8 * S};
const THeard C{0, 0.5, 8 * S, 11 * S};
const THeard D{1, 0.5, 11 * S, 17 * S, true, 15 * S};

void TwoEntries(PlaybackFixture& f, int firstSeconds = 6, int secondSeconds = 6)
{
    f.queue.AddItem(f.ConstantWav("a.wav", firstSeconds, 0, 0.25), 1);
    f.queue.AddItem(f.ConstantWav("b.wav", secondSeconds, 1, 0.25), 1);
}

// a, b, an entry whose file is gone, d.
void JumpQueue(PlaybackFixture& f)
{
    f.queue.AddItem(f.ConstantWav("a.wav", 6, 0, 0.25), 1);
    f.queue.AddItem(f.ConstantWav("b.wav", 6, 1, 0.25), 1);
    f.DropEntry(f.File("missing.wav"), 6);
    f.queue.AddItem(f.ConstantWav("d.wav", 6, 1, 0.5), 1);
}

// a, b, and a again.
void CopyQueued(PlaybackFixture& f)
{
    TwoEntries(f);
    f.queue.AddItem(f.File("a.wav"), 1);
}

void TwoAndAShortOne(PlaybackFixture& f)
{
    TwoEntries(f);
    f.queue.AddItem(f.ConstantWav("c.wav", 3, 0, 0.5), 1);
}

Step DeleteRows(const QList<int>& rows)
{
    return [rows](PlaybackFixture& f) {
        f.SelectRows(rows);
        f.queue.DeleteSelected();
    };
}

void ExpectOneStream(PlaybackFixture&)
{
    EXPECT_EQ(audiolib::LiveStreamCount(), 1);
}

using ChannelPlaybackTest = PlaybackFixture;

} // namespace

TEST_F(ChannelPlaybackTest, CrossfadedQueueToItsEnd)
{
    QueueFiveEntries();
    EXPECT_EQ(queue.TotalMs(), 21000);
    // The 17 s of air: the first entry and c take nothing off for a crossfade.
    EXPECT_EQ(queue.RemainingMs(), 17000);

    RunUntil(17 * S + Margin, {{0, [&] { playback.PlayItemAt(0); }}});

    ExpectHeard({A, B, C, D});
    EXPECT_EQ(indexes, (QList<int>{-1, 0, 1, 2, 3, 4, -1}));
    EXPECT_EQ(onB, (std::map<int, bool>{{0, true}, {1, false}, {2, true}, {4, true}}));
    EXPECT_TRUE(logLines.contains("01/03/2024 10:00:00 0 10 100 1 " + File("a.wav") + " (1)"))
        << logLines.join('\n').toStdString();
    EXPECT_EQ(LogCount(File("b.wav") + " (2)"), 1);
    EXPECT_EQ(LogCount(File("c.wav") + " (3)"), 1);
    EXPECT_EQ(LogCount(File("d.wav") + " (4)"), 1);
    for (const char* absent : {"BAD theme?", "No such file", "pausing", "resuming"})
        EXPECT_FALSE(logLines.join('\n').contains(absent)) << absent;
    EXPECT_EQ(PlayCounter, 4);
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_EQ(playButtonRaised, 1);
    EXPECT_FALSE(queue.OnAir());
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
}

namespace {

struct Variant {
    const char* name;
    Step build;
    std::map<int64_t, Step> actions; // besides PlayItemAt(0) at frame 0
    int64_t frames;
    std::vector<THeard> heard;
    QList<int> indexes;
    Step check = [](PlaybackFixture&) {};
};

std::vector<Variant> Variants()
{
    const Step five = [](PlaybackFixture& f) { f.QueueFiveEntries(); };
    const Step two = [](PlaybackFixture& f) { TwoEntries(f); };
    const QList<int> fiveSteps{-1, 0, 1, 2, 3, 4, -1};
    return {
        {"CrossfadeOff",
         [](PlaybackFixture& f) {
             StationOptions.CrossfadeEnabled[1] = false;
             f.QueueFiveEntries();
         },
         {},
         21 * S + Margin,
         {{0, 0.25, 0, 6 * S}, {1, 0.25, 6 * S, 12 * S}, {0, 0.5, 12 * S, 15 * S}, {1, 0.5, 15 * S, 21 * S}},
         fiveSteps},
        {"RepeatDropsTheEntryNotKept",
         [](PlaybackFixture& f) {
             f.playback.Repeat = true;
             f.QueueFiveEntries(0);
         },
         {},
         18 * S,
         // The start-over crossfades at d's point like any next entry.
         {A, B, C, D, {1, 0.25, 15 * S, 21 * S, true, 19 * S}},
         {-1, 0, 1, 2, 3, 4, 0},
         [](PlaybackFixture& f) {
             EXPECT_EQ(f.LogCount(" 0 200 1 -1 Repeating themes"), 1);
             ASSERT_EQ(f.queue.Count(), 4);
             EXPECT_EQ(f.queue.Entry(0).FileName, f.File("b.wav"));
             EXPECT_EQ(f.queue.TotalMs(), 15000);
             // Taken after the drop: a is not ahead any more.
             EXPECT_EQ(f.queue.RemainingMs(), 15000);
         }},
        {"FadeOutBeforeThePointLeavesTheNextEntryAlone",
         five,
         {{299880, [](PlaybackFixture& f) { f.playback.FadeOut(); }}},
         740880 + Margin,
         {A,
          {1, 0.25, 4 * S, 10 * S, true, 299880},
          {0, 0.5, 343980, 476280},
          {1, 0.5, 476280, 740880, true, 652680}},
         fiveSteps},
        {"SeekPastThePointStillAdvances",
         five,
         {{4 * S, [](PlaybackFixture&) { ChannelSetPositionFraction(1, 0.75); }}},
         639450 + Margin,
         {A,
          {1, 0.25, 4 * S, 242550, true},
          {0, 0.5, 242550, 374850},
          {1, 0.5, 374850, 639450, true, 551250}},
         fiveSteps},
        {"PauseAndResume",
         five,
         {{2 * S, [](PlaybackFixture& f) { f.playback.PlayPauseClick(true); }},
          {3 * S, [](PlaybackFixture& f) { f.playback.PlayPauseClick(true); }}},
         18 * S + Margin,
         {{0, 0.25, 0, 7 * S, true, 5 * S, 2 * S, S},
          {1, 0.25, 5 * S, 11 * S, true, 9 * S},
          {0, 0.5, 9 * S, 12 * S},
          {1, 0.5, 12 * S, 18 * S, true, 16 * S}},
         fiveSteps,
         [](PlaybackFixture& f) {
             EXPECT_EQ(f.LogCount(" 0 10 103 1 pausing"), 1);
             EXPECT_EQ(f.LogCount(" 0 10 101 1 resuming"), 1);
             EXPECT_EQ(f.LogCount("stopping"), 0);
         }},
        {"AppendWhileTheLastEntryPlays",
         five,
         {{12 * S, [](PlaybackFixture& f) { f.queue.AddItem(f.ConstantWav("e.wav", 6, 0, 0.125), 1); }}},
         21 * S + Margin,
         {A, B, C, D, {0, 0.125, 15 * S, 21 * S, true, 19 * S}},
         {-1, 0, 1, 2, 3, 4, 5, -1}},
        {"IdentificationInsertedBeforeThePlayingEntry",
         five,
         {{5 * S,
           [](PlaybackFixture& f) { f.queue.InsertItem(1, f.ConstantWav("sid.wav", 3, 0, 0.75), 0); }}},
         17 * S + Margin,
         {A, B, C, D},
         {-1, 0, 1, 3, 4, 5, -1}},
        {"StartOverBesideAnEntryFadingOut",
         [](PlaybackFixture& f) {
             f.playback.Repeat = true;
             f.queue.AddItem(f.ConstantWav("a.wav", 4, 0, 0.25), 1);
             f.queue.AddItem(f.ConstantWav("b.wav", 4, 1, 0.25), 1);
             f.queue.AddItem(f.ConstantWav("c.wav", 4, 0, 0.5), 1);
             f.queue.AddItem("[LABEL end ]", 1);
         },
         {},
         7 * S + S / 2,
         {{0, 0.25, 0, 4 * S, true, 2 * S},
          {1, 0.25, 2 * S, 6 * S, true, 4 * S},
          {0, 0.5, 4 * S, 8 * S, true, 6 * S},
          {0, 0.25, 6 * S, 10 * S, true, 8 * S}},
         {-1, 0, 1, 2, 3, 0}},
        {"ThreeSecondsIsNotAboveTheMinimum",
         [](PlaybackFixture& f) { TwoEntries(f, 3, 3); },
         {},
         6 * S + Margin,
         {{0, 0.25, 0, 3 * S}, {1, 0.25, 3 * S, 6 * S}},
         {-1, 0, 1, -1}},
        {"FourSecondsFadeIn",
         [](PlaybackFixture& f) { TwoEntries(f, 4, 3); },
         {},
         5 * S + Margin,
         {{0, 0.25, 0, 4 * S, true, 2 * S}, {1, 0.25, 2 * S, 5 * S}},
         {-1, 0, 1, -1}},
        {"PlayNextWithoutCrossfadeStopsTheEntry",
         [](PlaybackFixture& f) {
             StationOptions.CrossfadeEnabled[1] = false;
             TwoEntries(f);
         },
         {{S, [](PlaybackFixture& f) { platform::PostMessage(&f.playback, platform::WM_PLAYNEXT); }}},
         7 * S + Margin,
         {{0, 0.25, 0, S}, {1, 0.25, S, 7 * S}},
         {-1, 0, 1, -1}},
        {"NextEntryDeletedBeforeThePoint",
         two,
         {{S,
           [](PlaybackFixture& f) {
               f.SelectRows({1});
               f.queue.DeleteSelected();
           }}},
         6 * S + Margin,
         {A},
         {-1, 0, -1},
         [](PlaybackFixture& f) { EXPECT_EQ(f.playButtonRaised, 1); }},
        {"CrossfadeDisabledWhilePlaying",
         two,
         {{S, [](PlaybackFixture&) { StationOptions.CrossfadeEnabled[1] = false; }}},
         12 * S + Margin,
         {{0, 0.25, 0, 6 * S, true}, {1, 0.25, 6 * S, 12 * S}},
         {-1, 0, 1, -1}},
        {"StopAllDuringACrossfade",
         two,
         {{198450, [](PlaybackFixture& f) { f.playback.StopAll(); }}},
         7 * S,
         {A, {1, 0.25, 4 * S, 198450, true}},
         {-1, 0, 1, -1},
         [](PlaybackFixture& f) {
             EXPECT_EQ(f.queue.Count(), 2);
             EXPECT_EQ(f.playButtonRaised, 0);
             EXPECT_EQ(audiolib::LiveStreamCount(), 0);
         }},
        {"TwoFadeOutPressesAdvanceOnce",
         [](PlaybackFixture& f) {
             TwoEntries(f);
             f.queue.AddItem(f.ConstantWav("c.wav", 3, 0, 0.5), 1);
         },
         {{2 * S,
           [](PlaybackFixture& f) {
               f.playback.FadeOut();
               f.playback.FadeOut();
           }}},
         10 * S + Margin,
         {{0, 0.25, 0, 6 * S, true, 2 * S}, {1, 0.25, 3 * S, 9 * S, true, 7 * S}, {0, 0.5, 7 * S, 10 * S}},
         {-1, 0, 1, 2, -1}},
        // Pressed again near the end of the fade: the fade goes on, and the next entry comes when it ends.
        {"FadeOutPressedAgainDuringTheFadeChangesNothing",
         [](PlaybackFixture& f) {
             TwoEntries(f);
             f.queue.AddItem(f.ConstantWav("c.wav", 3, 0, 0.5), 1);
         },
         {{2 * S, [](PlaybackFixture& f) { f.playback.FadeOut(); }},
          {127890, [](PlaybackFixture& f) { f.playback.FadeOut(); }}},
         10 * S + Margin,
         {{0, 0.25, 0, 6 * S, true, 2 * S}, {1, 0.25, 3 * S, 9 * S, true, 7 * S}, {0, 0.5, 7 * S, 10 * S}},
         {-1, 0, 1, 2, -1}},
        {"StopStartsTheNextEntry",
         two,
         {{S, [](PlaybackFixture& f) { f.playback.StopClick(); }}},
         7 * S + Margin,
         {{0, 0.25, 0, S, true}, {1, 0.25, S, 7 * S, true, 5 * S}},
         {-1, 0, 1, -1}},
        {"StopOnTheLastEntryEmptiesTheList",
         [](PlaybackFixture& f) { f.queue.AddItem(f.ConstantWav("a.wav", 6, 0, 0.25), 1); },
         {{S, [](PlaybackFixture& f) { f.playback.StopClick(); }}},
         2 * S,
         {{0, 0.25, 0, S, true}},
         {-1, 0, -1},
         [](PlaybackFixture& f) {
             EXPECT_EQ(f.queue.Count(), 0);
             EXPECT_EQ(f.playButtonRaised, 1);
         }},
        {"MissingAndUnreadableFilesAreLoggedAndPassed",
         [](PlaybackFixture& f) {
             f.queue.AddItem(f.ConstantWav("a.wav", 3, 0, 0.25), 1);
             f.DropEntry("/music/gone.wav", 5);
             QFile bad(f.File("bad.wav"));
             ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
             bad.write("not a sound at all");
             bad.close();
             f.DropEntry(f.File("bad.wav"), 2);
             f.queue.AddItem(f.ConstantWav("c.wav", 3, 1, 0.25), 1);
             ASSERT_EQ(f.queue.RemainingMs(), 11000);
         },
         {{4 * S, [](PlaybackFixture& f) { EXPECT_EQ(f.queue.RemainingMs(), 11000 - 5000); }}},
         6 * S + Margin,
         {{0, 0.25, 0, 3 * S}, {1, 0.25, 3 * S, 6 * S}},
         {-1, 0, 1, 2, 3, -1},
         [](PlaybackFixture& f) {
             EXPECT_EQ(
                 f.LogCount(" 1 10 100 1 Opening theme. No such file \"/music/gone.wav\". Go to next theme."),
                 1);
             EXPECT_EQ(f.LogCount(" 1 10 100 1 Opening theme. BAD theme? \"" + f.File("bad.wav") + "\""), 1);
             EXPECT_EQ(f.LogCount(f.File("c.wav") + " (2)"), 1);
         }},
        // The jump stops the entry on air although the index it leaves selects the other handle,
        // and the entry after the missing one plays alone.
        {"JumpOverAMissingEntryWhilePlaying",
         JumpQueue,
         {{S, [](PlaybackFixture& f) { f.playback.PlayItemAt(2); }}, {2 * S, ExpectOneStream}},
         7 * S + Margin,
         {{0, 0.25, 0, S, true}, {1, 0.5, S, 7 * S, true, 5 * S}},
         {-1, 0, 1, 2, 3, -1}},
        {"JumpOverAMissingEntryWhilePaused",
         JumpQueue,
         {{S / 2, [](PlaybackFixture& f) { f.playback.PlayPauseClick(true); }},
          {S, [](PlaybackFixture& f) { f.playback.PlayItemAt(2); }},
          {2 * S, ExpectOneStream}},
         7 * S + Margin,
         {{0, 0.25, 0, S / 2, true}, {1, 0.5, S, 7 * S, true, 5 * S}},
         {-1, 0, 1, 2, 3, -1}},
        // A stopped channel is not paused: Play starts the entry that took the deleted one's place.
        {"PlayAfterThePausedEntryWasDeleted",
         [](PlaybackFixture& f) {
             f.queue.AddItem(f.ConstantWav("a.wav", 16, 0, 0.25), 1);
             f.queue.AddItem(f.ConstantWav("b.wav", 6, 1, 0.25), 1);
             f.queue.AddItem(f.ConstantWav("c.wav", 6, 0, 0.5), 1);
         },
         {{10 * S, [](PlaybackFixture& f) { f.playback.PlayPauseClick(true); }},
          {11 * S, DeleteRows({0})},
          {12 * S, [](PlaybackFixture& f) { f.playback.PlayPauseClick(true); }}},
         17 * S,
         {{0, 0.25, 0, 10 * S, true},
          {1, 0.25, 12 * S, 18 * S, true, 16 * S},
          {0, 0.5, 16 * S, 22 * S, true}},
         {-1, 0, 0, 1},
         [](PlaybackFixture& f) {
             EXPECT_TRUE(f.queue.OnAir());
             EXPECT_EQ(f.LogCount("resuming"), 0);
         }},
        // The same file queued twice: deleting the other copy leaves the paused entry to resume.
        {"ResumeAfterAnotherCopyOfThePausedFileWasDeleted",
         CopyQueued,
         {{2 * S, [](PlaybackFixture& f) { f.playback.PlayPauseClick(true); }},
          {3 * S, DeleteRows({2})},
          {4 * S, [](PlaybackFixture& f) { f.playback.PlayPauseClick(true); }}},
         7 * S,
         {{0, 0.25, 0, 8 * S, true, 6 * S, 2 * S, 2 * S}, {1, 0.25, 6 * S, 12 * S, true}},
         {-1, 0, 1},
         [](PlaybackFixture& f) { EXPECT_EQ(f.LogCount(" 0 10 101 1 resuming"), 1); }},
        {"DeletingAnotherCopyOfTheFileOnAirKeepsItOnAir",
         CopyQueued,
         {{S, DeleteRows({2})}},
         7 * S,
         {A, {1, 0.25, 4 * S, 10 * S, true}},
         {-1, 0, 1}},
        // A crossfade longer than the fade-out: the start-over begins at the last entry's point.
        {"RepeatStartsOverAtTheLastEntrysPoint",
         [](PlaybackFixture& f) {
             f.playback.Repeat = true;
             TwoEntries(f);
         },
         {},
         11 * S,
         {A, {1, 0.25, 4 * S, 10 * S, true, 8 * S}, {0, 0.25, 8 * S, 14 * S, true, 12 * S}},
         {-1, 0, 1, 0}},
        // Appended after the last entry's point: it starts as the fade ends, not at the old end.
        {"AnEntryAppendedAfterTheLastPointStartsWhenTheFadeEnds",
         two,
         {{374850, [](PlaybackFixture& f) { f.queue.AddItem(f.ConstantWav("c.wav", 6, 0, 0.5), 1); }}},
         12 * S,
         {A, {1, 0.25, 4 * S, 10 * S, true, 8 * S}, {0, 0.5, 9 * S, 15 * S, true, 13 * S}},
         {-1, 0, 1, 2}},
        // Fade out pressed half a second into a fade-in: it fades over that half second.
        {"FadeOutDuringAFadeInFadesOverItsRise",
         TwoAndAShortOne,
         {{S, [](PlaybackFixture& f) { f.playback.StopClick(); }},
          {66150, [](PlaybackFixture& f) { f.playback.FadeOut(); }}},
         5 * S + Margin,
         {{0, 0.25, 0, S, true}, {1, 0.25, S, 7 * S, true, 66150, -1, 0, S / 2}, {0, 0.5, 2 * S, 5 * S}},
         {-1, 0, 1, 2, -1}},
        {"FadeOutAtTheStartOfAFadeInAdvancesAtOnce",
         TwoAndAShortOne,
         {{S, [](PlaybackFixture& f) { f.playback.StopClick(); }},
          {S + PlaybackFixture::Block, [](PlaybackFixture& f) { f.playback.FadeOut(); }}},
         4 * S + PlaybackFixture::Block + Margin,
         {{0, 0.25, 0, S, true},
          {1, 0.25, S, S + PlaybackFixture::Block, true},
          {0, 0.5, S + PlaybackFixture::Block, 4 * S + PlaybackFixture::Block}},
         {-1, 0, 1, 2, -1}},
        // The knob moved during a fade-out: the fade completes, and the next entry takes the new volume.
        {"VolumeKnobDuringAFadeOutIsForTheNextEntry",
         two,
         {{2 * S, [](PlaybackFixture& f) { f.playback.FadeOut(); }},
          {110250, [](PlaybackFixture& f) { f.playback.SetVolume(50); }}},
         7 * S,
         {{0, 0.25, 0, 6 * S, true, 2 * S}, {1, 0.25 * 50 / 80, 3 * S, 9 * S, true}},
         {-1, 0, 1}},
        {"EmptyPathIsPassedLikeAMissingFile",
         [](PlaybackFixture& f) {
             f.queue.AddItem(f.ConstantWav("a.wav", 3, 0, 0.25), 1);
             f.DropEntry("", 4);
             f.queue.AddItem(f.ConstantWav("c.wav", 3, 1, 0.25), 1);
         },
         {},
         6 * S + Margin,
         {{0, 0.25, 0, 3 * S}, {1, 0.25, 3 * S, 6 * S}},
         {-1, 0, 1, 2, -1},
         [](PlaybackFixture& f) {
             EXPECT_EQ(f.LogCount(" 1 10 100 1 Opening theme. No such file \"\". Go to next theme."), 1);
         }},
    };
}

void PrintTo(const Variant& variant, std::ostream* os)
{
    *os << variant.name;
}

class PlaybackVariant : public PlaybackFixture, public ::testing::WithParamInterface<Variant> {};

} // namespace

TEST_P(PlaybackVariant, Run)
{
    const Variant& variant = GetParam();
    variant.build(*this);
    std::map<int64_t, std::function<void()>> actions{{0, [this] { playback.PlayItemAt(0); }}};
    for (const auto& [frame, step] : variant.actions)
        actions[frame] = [this, step = step] { step(*this); };
    RunUntil(variant.frames, actions);

    ExpectHeard(variant.heard);
    EXPECT_EQ(indexes, variant.indexes);
    variant.check(*this);
}

INSTANTIATE_TEST_SUITE_P(Table, PlaybackVariant, ::testing::ValuesIn(Variants()),
                         [](const ::testing::TestParamInfo<Variant>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ChannelPlaybackTest, RepeatWithRandomStartsTheShuffledFirstEntry)
{
    StationOptions.CrossfadeEnabled[1] = false;
    playback.Repeat = true;
    playback.Random = true;
    for (const char* name : {"one.wav", "two.wav", "three.wav", "four.wav"})
        queue.AddItem(ConstantWav(name, 1, 0, 0.25), 1);
    platform::SeedRandom(4);

    const auto firstEntryPlays = [&] {
        EXPECT_EQ(queue.ItemIndex(), 0);
        EXPECT_EQ(queue.LastFile, queue.Entry(0).FileName);
    };
    const QString firstBefore = queue.Entry(0).FileName;
    RunUntil(Block, {{0, [&] { playback.PlayItemAt(0); }}});
    EXPECT_EQ(LogCount(" 0 200 1 -1 Randomizing themes"), 1);
    firstEntryPlays();

    const QString firstOfFirstPass = queue.Entry(0).FileName;
    RunUntil(4 * S + Block);
    EXPECT_EQ(LogCount(" 0 200 1 -1 Repeating themes"), 1);
    EXPECT_EQ(LogCount(" 0 200 1 -1 Randomizing themes"), 2);
    // The shuffles moved the first entry, so starting where it went would start mid-queue.
    EXPECT_NE(firstBefore, firstOfFirstPass);
    EXPECT_NE(firstOfFirstPass, queue.Entry(0).FileName);
    firstEntryPlays();
    EXPECT_EQ(indexes, (QList<int>{-1, 0, 1, 2, 3, 0}));
}

// With repeat on, a queue that cannot start anything any more stops like the end without repeat.
TEST_F(ChannelPlaybackTest, RepeatOverMissingFilesStopsOnce)
{
    playback.Repeat = true;
    DropEntry("/music/gone1.wav", 4);
    queue.AddItem("[LABEL between ]", 1);
    DropEntry("/music/gone2.wav", 4);
    RunUntil(Block, {{0, [&] { playback.PlayItemAt(0); }}});

    EXPECT_EQ(queue.Count(), 0);
    EXPECT_EQ(queue.ItemIndex(), -1);
    EXPECT_EQ(playButtonRaised, 1);
    EXPECT_EQ(LogCount(". Go to next theme."), 2);
    EXPECT_EQ(LogCount(" 1 10 100 1 Repeating themes stopped: no theme could be played."), 1);
}

TEST_F(ChannelPlaybackTest, RepeatDroppingEveryEntryStops)
{
    playback.Repeat = true;
    queue.AddItem(ConstantWav("once.wav", 1, 0, 0.25), 0);
    RunUntil(S + Block, {{0, [&] { playback.PlayItemAt(0); }}});

    ExpectHeard({{0, 0.25, 0, S}});
    EXPECT_EQ(LogCount("Repeating themes"), 1);
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_EQ(queue.ItemIndex(), -1);
    EXPECT_EQ(playButtonRaised, 1);
}

TEST_F(ChannelPlaybackTest, JumpsAndThePlayButton)
{
    const QString three = ConstantWav("three.wav", 3, 0, 0.25);
    for (int i = 0; i < 6; ++i)
        queue.AddItem(three, 1);
    RunUntil(10 * Block, {{0, [&] { playback.PlayItemAt(5); }}});
    ASSERT_EQ(queue.ItemIndex(), 5);
    ASSERT_EQ(ChannelStream(1), Channels[1].StreamA());

    playback.PlayItemAt(0);
    Deliver();
    EXPECT_EQ(ChannelStream(1), Channels[1].StreamB());
    // Entry 0, and entry 1 opened ahead: entry 5 went with the jump.
    EXPECT_EQ(audiolib::LiveStreamCount(), 2);
    RunUntil(2 * S);
    // Entry 5 went with the jump: from the next block on only entry 0 is heard.
    ExpectHeard({{0, 0.25, 0, 10 * Block}, {0, 0.25, 10 * Block, 2 * S}});
    EXPECT_EQ(indexes, (QList<int>{4, 5, -1, 0}));

    // The device window's Apply moves a playing channel on.
    EXPECT_TRUE(playback.InitOutputDevice());
    Deliver();
    EXPECT_EQ(queue.ItemIndex(), 1);

    playback.StopAll();
    EXPECT_EQ(queue.ItemIndex(), -1);
    EXPECT_FALSE(queue.OnAir());
    // Entries after the index were deleted meanwhile: Play starts the first entry.
    queue.SetItemIndex(9);
    playback.PlayPauseClick(true);
    EXPECT_EQ(queue.ItemIndex(), 0);
    EXPECT_TRUE(queue.OnAir());
    EXPECT_TRUE(ChannelIsPlaying(1));
    EXPECT_NE(ChannelStream(1), 0u);
}

// On a device mixing on its own clock, a fading-in entry rises from silence from its first frame.
TEST_F(ChannelPlaybackTest, FadeInStartsFromSilenceInRealTime)
{
    ASSERT_TRUE(audiolib::SetDevice(0));
    ASSERT_TRUE(audiolib::Free());
    ASSERT_TRUE(audiolib::SetConfig(audiolib::ConfigNullManual, 0));
    ASSERT_TRUE(audiolib::Init(0, 44100, 0));
    std::mutex lock;
    std::vector<float> heard;
    audiolib::NullSetSink([&](const float* stereo, int64_t frames) {
        const std::lock_guard guard(lock);
        heard.insert(heard.end(), stereo, stereo + 2 * frames);
    });
    queue.AddItem(ConstantWav("a.wav", 6, 0, 0.25), 1);
    playback.PlayItemAt(0);
    Deliver();
    ASSERT_NE(ChannelStream(1), 0u);

    const auto firstSound = [&] {
        const std::lock_guard guard(lock);
        size_t frame = 0;
        while (2 * frame < heard.size() && heard[2 * frame] == 0.0f)
            ++frame;
        return std::pair{frame, heard.size() / 2};
    };
    for (int wait = 0; wait < 600; ++wait) {
        const auto [first, frames] = firstSound();
        if (frames >= first + 4410)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    audiolib::NullSetSink(nullptr);
    playback.StopAll();

    const auto [first, frames] = firstSound();
    ASSERT_GE(frames, first + 4410) << "the device rendered too little";
    for (size_t frame = first; frame < frames; ++frame) {
        // The ramp's k-th frame is 0.25 × 0.8 × k / 88200; the first frame heard is its first or second.
        const double most = 0.2 * static_cast<double>(frame - first + 1) / 88200.0 + 1e-6;
        ASSERT_LE(heard[2 * frame], most) << "frame " << frame - first << " of the entry";
    }
}

TEST_F(ChannelPlaybackTest, WindowKeepsTheQueueAtItsFirstShowing)
{
    StationOptions.ChannelVolume[1] = 80;
    TFChannel1 window;
    window.DoFirstShow(); // at start-up, with the window's place hidden
    EXPECT_EQ(window.Playback().Volume(), 80);
    TChannelQueue& own = window.Queue();
    own.AddItem(ConstantWav("a.wav", 6, 0, 0.25), 1);
    own.AddItem(ConstantWav("b.wav", 6, 1, 0.25), 1);
    window.PlayItemAt(0);
    QCoreApplication::sendPostedEvents(&window.Playback(), 0);
    ASSERT_TRUE(ChannelIsPlaying(1));

    window.show();
    EXPECT_EQ(own.Count(), 2);
    EXPECT_TRUE(ChannelIsPlaying(1));
    EXPECT_TRUE(own.OnAir());

    // A message posted to the window from outside moves the channel on.
    platform::PostMessage(&window, platform::WM_PLAYNEXT);
    QCoreApplication::sendPostedEvents(&window, 0);
    EXPECT_EQ(own.ItemIndex(), 1);
    // Had the worker not yet opened b, it starts once the worker is done.
    window.Playback().NextEntry().WaitIdle();
    QCoreApplication::sendPostedEvents(&window.Playback(), 0);
    ASSERT_TRUE(ChannelIsPlaying(1));

    QTest::mouseClick(window.BPlayPause, Qt::LeftButton);
    EXPECT_TRUE(own.Paused);
    EXPECT_EQ(audiolib::ChannelIsActive(ChannelStream(1)), audiolib::ActivePaused);
    // Stop on the last entry ends the queue: the list empties and Play is up again.
    QTest::mouseClick(window.BStop, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(&window.Playback(), 0);
    EXPECT_EQ(own.Count(), 0);
    EXPECT_FALSE(window.BPlayPause->Down());
    EXPECT_TRUE(window.BStop->Down());
    window.hide();
}

// The channel's own advance past an entry it could not start, still queued when the operator stops
// or jumps, must not start anything afterwards.
TEST_F(ChannelPlaybackTest, StopAllAndJumpsCancelAQueuedAdvancePastAMissingEntry)
{
    for (const bool jump : {false, true}) {
        SCOPED_TRACE(jump ? "jump" : "stop all");
        queue.ResetChannel();
        DropEntry(folder.File("missing.wav"), 3);
        queue.AddItem(ConstantWav("a.wav", 6, 0, 0.25), 1);
        queue.AddItem(ConstantWav("b.wav", 6, 1, 0.25), 1);
        playback.PlayItemAt(0);
        // One round: the missing entry is passed over and its advance is queued.
        QCoreApplication::sendPostedEvents(&playback, 0);
        ASSERT_EQ(queue.ItemIndex(), 0);
        ASSERT_EQ(ChannelStream(1), 0u);
        if (jump)
            playback.PlayItemAt(2);
        else
            playback.StopAll();
        Deliver();
        EXPECT_EQ(queue.ItemIndex(), jump ? 2 : -1);
        EXPECT_EQ(ChannelIsPlaying(1), jump);
        playback.StopAll();
    }
}

// The next file entry is opened while the current one plays, and that stream is the one that starts:
// a file replaced on disk after the open still plays as it was opened.
TEST_F(ChannelPlaybackTest, TheNextEntryIsOpenedAheadAndFreedWhenNotWanted)
{
    StationOptions.CrossfadeEnabled[1] = false;
    queue.AddItem(ConstantWav("a.wav", 1, 0, 0.25), 1);
    queue.AddItem(ConstantWav("b.wav", 3, 1, 0.25), 1);
    queue.AddItem(ConstantWav("c.wav", 1, 0, 0.5), 1);
    RunUntil(Block, {{0, [&] { playback.PlayItemAt(0); }}});
    EXPECT_EQ(audiolib::LiveStreamCount(), 2) << "a on air, b opened ahead";

    QFile garbage(File("b.tmp"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, '\x5a'));
    garbage.close();
    ASSERT_TRUE(QFile::remove(File("b.wav")) && QFile::rename(File("b.tmp"), File("b.wav")));
    RunUntil(2 * S);
    ExpectHeard({{0, 0.25, 0, S}, {1, 0.25, S, 2 * S}});
    EXPECT_EQ(LogCount("BAD theme?"), 0);
    EXPECT_EQ(LogCount(File("b.wav") + " (2)"), 1);

    // The queue changes: c, opened ahead, gives way to the entry now next.
    queue.InsertItem(2, ConstantWav("d.wav", 1, 1, 0.5), 1);
    Deliver();
    EXPECT_EQ(audiolib::LiveStreamCount(), 2) << "b on air, d opened ahead, c freed";
    playback.StopAll();
    Deliver();
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
}

// The GUI thread is late: an entry ends, and its advance waits behind the operator's Pause. The
// next entry then waits paused instead of going on air.
TEST_F(ChannelPlaybackTest, APauseWhileAnEndIsHandledKeepsTheNextEntryPaused)
{
    TwoEntries(*this, 3, 3);
    RunUntil(Block, {{0, [&] { playback.PlayItemAt(0); }}});
    ASSERT_TRUE(audiolib::NullAdvance(3 * S));
    playback.PlayPauseClick(true);
    Deliver();
    EXPECT_EQ(queue.ItemIndex(), 1);
    EXPECT_TRUE(queue.Paused);
    EXPECT_FALSE(queue.OnAir());
    EXPECT_EQ(audiolib::ChannelIsActive(ChannelStream(1)), audiolib::ActivePaused);
    EXPECT_EQ(LogCount(File("b.wav") + " (2)"), 1);

    playback.PlayPauseClick(true);
    EXPECT_TRUE(queue.OnAir());
    EXPECT_TRUE(ChannelIsPlaying(1));
}

// The advance comes while the worker still opens the next entry (a slow disk, a hung mount): the
// GUI thread does not wait for the worker, and the entry starts as soon as it is opened, neither
// skipped as a bad one nor opened a second time.
TEST_F(ChannelPlaybackTest, AnAdvanceWhileTheNextEntryIsStillOpenedStartsItWhenReady)
{
    TwoEntries(*this, 3, 3);
    HoldOpens();
    RunUntil(Block, {{0, [&] { playback.PlayItemAt(0); }}});
    ASSERT_TRUE(OpenHeld()) << "b is opened ahead while a plays";
    RunUntil(3 * S + Block);
    EXPECT_EQ(queue.ItemIndex(), 1);
    EXPECT_EQ(ChannelStream(1), 0u) << "b waits for its open";
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);

    const int64_t released = 4 * S;
    RunUntil(7 * S + Margin, {{released, [&] { ReleaseOpens(); }}});
    EXPECT_FALSE(OpensTimedOut()) << "the GUI thread waited for the worker";
    ExpectHeard({{0, 0.25, 0, 3 * S}, {1, 0.25, released, released + 3 * S}});
    EXPECT_EQ(LogCount("BAD theme?"), 0);
    EXPECT_EQ(LogCount(File("b.wav") + " (2)"), 1);
    EXPECT_EQ(indexes, (QList<int>{-1, 0, 1, -1}));
    EXPECT_EQ(audiolib::LiveStreamCount(), 0);
}
