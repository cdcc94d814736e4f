// The effects window on channel 1: what its controls write, what each new entry gets, its failures,
// and what is heard with a sample effect on and off.
#include "EffectsFixture.h"
#include "WavWriter.h"
#include "playout/SampleEffects.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <cmath>
#include <string>

namespace {

constexpr int64_t S = PlaybackFixture::Second;

using EffectsWindow = EffectsFixture;

class EffectsAtRate : public EffectsFixture, public ::testing::WithParamInterface<int> {};

std::vector<uint32_t> Types(const std::vector<EffectsFixture::Added>& added)
{
    std::vector<uint32_t> types;
    for (const EffectsFixture::Added& a : added)
        types.push_back(a.type);
    return types;
}

const std::vector<uint32_t> OneSet{audiolib::FxParamEq, audiolib::FxParamEq, audiolib::FxParamEq,
                                   audiolib::FxReverb};

} // namespace

TEST_P(EffectsAtRate, BarsWriteTheirGainsAndTheReverbItsMixToTheStreamPlaying)
{
    // A low-rate file too: its 8000 Hz band is held below the stream's limit, not refused.
    const int rate = GetParam();
    const QString path = File("tone.wav");
    ASSERT_TRUE(
        testing_support::WriteWav(path, {rate, 2, 16}, 6 * rate, testing_support::Sine(440, 0.3, rate)));
    queue.AddItem(path, 1);
    RunUntil(Block, {{0, [&] { playback.PlayItemAt(0); }}});
    window.ShowForChannel(1);
    ASSERT_EQ(Types(added), OneSet);
    for (int band = 0; band < 3; ++band) {
        EXPECT_EQ(ReadBand(band).centre, TChannelEffects::BandCentres[band]);
        EXPECT_EQ(ReadBand(band).bandwidth, 18.0f);
    }

    struct BandCase {
        QSlider* bar;
        int band;
        int position;
        float gain;
    };
    for (const BandCase& c : {BandCase{window.TB125, 0, 0, 15}, BandCase{window.TB1000, 1, 30, -15},
                              BandCase{window.TB8000, 2, 0, 15}, BandCase{window.TB8000, 2, 15, 0},
                              BandCase{window.TB125, 0, 30, -15}}) {
        c.bar->setValue(c.position);
        EXPECT_EQ(ReadBand(c.band).gain, c.gain) << c.bar->objectName().toStdString() << " at " << c.position;
        EXPECT_EQ(ReadBand(c.band).centre, TChannelEffects::BandCentres[c.band]);
    }
    struct ReverbCase {
        int position;
        float mix;
        QString label;
    };
    for (const ReverbCase& c :
         {ReverbCase{10, -12, "10"}, ReverbCase{0, 0, "20"}, ReverbCase{20, -96, "0"}}) {
        window.TBReverb->setValue(c.position);
        EXPECT_NEAR(ReadReverb().mix, c.mix, 1e-4) << c.position;
        EXPECT_EQ(ReadReverb().time, 1200.0f);
        EXPECT_NEAR(ReadReverb().highFreqRatio, 0.1, 1e-7);
        EXPECT_EQ(window.Label5->text(), c.label);
    }
    EXPECT_EQ(added.size(), 4u);
    EXPECT_TRUE(dialogs.Shown().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rates, EffectsAtRate, ::testing::Values(44100, 22050));

TEST_F(EffectsWindow, AMoveWhileNothingPlaysWritesNothingAndTheNextEntryGetsIt)
{
    for (const bool paused : {false, true}) {
        SCOPED_TRACE(paused ? "paused" : "stopped");
        window.BDefaultsClick();
        window.ShowForChannel(1);
        if (paused) {
            StartEntry(QStringLiteral("paused.wav"));
            playback.PausePlayback();
        }
        const size_t addedBefore = added.size();
        writes = 0;
        window.TB125->setValue(0);
        window.TB8000->setValue(25);
        window.TBReverb->setValue(10);
        EXPECT_EQ(writes, 0);
        EXPECT_EQ(added.size(), addedBefore);
        EXPECT_EQ(window.Label5->text(), "10");

        StartEntry(QStringLiteral("next.wav"));
        ASSERT_EQ(added.size(), addedBefore + 4);
        EXPECT_EQ(ReadBand(0).gain, 15.0f);
        EXPECT_EQ(ReadBand(1).gain, 0.0f);
        EXPECT_EQ(ReadBand(2).gain, -10.0f);
        EXPECT_NEAR(ReadReverb().mix, -12, 1e-4);
        playback.StopClick();
    }
    EXPECT_TRUE(dialogs.Shown().isEmpty());
}

TEST_F(EffectsWindow, EachEntryGetsOneSetInOrderWhileTheWindowIsShown)
{
    window.CBRotate->setChecked(true); // nothing plays: it only changes the setting
    window.TB1000->setValue(5);

    StartEntry(QStringLiteral("hidden.wav"));
    EXPECT_TRUE(added.empty());
    EXPECT_EQ(effects.AttachedTo(ChannelStream(1), TSampleEffect::Rotate), 0);

    // Shown while it plays: the stream gets the set now, and keeps one set when shown again.
    for (int show = 0; show < 2; ++show) {
        window.ShowForChannel(1);
        EXPECT_EQ(Types(added), OneSet);
        EXPECT_EQ(ReadBand(1).gain, 10.0f);
        EXPECT_EQ(effects.AttachedTo(ChannelStream(1), TSampleEffect::Rotate), 1);
    }
    EXPECT_EQ(window.LChannel->text(), "Channel 1");
    for (const EffectsFixture::Added& a : added)
        EXPECT_EQ(a.priority, 1);

    window.CBEcho->setChecked(true);
    StartEntry(QStringLiteral("shown.wav"));
    ASSERT_EQ(added.size(), 8u);
    EXPECT_EQ(Types(std::vector<EffectsFixture::Added>(added.begin() + 4, added.end())), OneSet);
    EXPECT_EQ(ReadBand(1).gain, 10.0f);
    for (const TSampleEffect effect : {TSampleEffect::Rotate, TSampleEffect::Echo})
        EXPECT_EQ(effects.AttachedTo(ChannelStream(1), effect), 1);
    EXPECT_EQ(effects.AttachedTo(ChannelStream(1), TSampleEffect::Flanger), 0);

    window.BClose->click();
    EXPECT_FALSE(effects.FXShown);
    StartEntry(QStringLiteral("closed.wav"));
    EXPECT_EQ(added.size(), 8u);
    EXPECT_EQ(effects.AttachedTo(ChannelStream(1), TSampleEffect::Rotate), 0);
    EXPECT_TRUE(dialogs.Shown().isEmpty());
}

namespace {

// Each refusal carries a real code of the library: a type it has no effect of (19), a record out of
// range (20). The first value is out of range for the equaliser (centre) and the reverb (input
// gain) alike, and the record is long enough for either.
bool Refuse(audiolib::Handle fx)
{
    const float outOfRange[4] = {99999, 18, 0, 0.5f};
    return FXSetParameters(fx, outOfRange);
}

struct Failure {
    const char* name;
    void (*failure)(EffectsFixture&);
    void (*action)(EffectsFixture&);
    const char* text;
    void (*check)(EffectsFixture&);
};

const Failure Failures[] = {
    {"SecondEffectAdded",
     [](EffectsFixture& f) {
         f.effects.Calls.SetFX = [&f](int slot, uint32_t type, int priority) {
             f.added.push_back({type, priority, 0});
             return ChannelSetFX(slot, f.added.size() == 2 ? 99 : type, priority);
         };
     },
     [](EffectsFixture& f) { f.StartEntry(QStringLiteral("b.wav")); },
     "Can not set FX\n\nError Code: 19 ERROR_ILLTYPE",
     [](EffectsFixture& f) {
         EXPECT_EQ(f.added.size(), 2u);
         EXPECT_EQ(f.writes, 0);
         EXPECT_EQ(f.effects.AttachedTo(ChannelStream(1), TSampleEffect::Rotate), 0);
     }},
    {"BandRead",
     [](EffectsFixture& f) {
         f.effects.Calls.GetParameters = [](audiolib::Handle fx, void*) { return Refuse(fx); };
     },
     [](EffectsFixture& f) { f.window.TB1000->setValue(3); },
     "Can not get parameters\n\nError Code: 20 ERROR_ILLPARAM",
     [](EffectsFixture& f) {
         EXPECT_EQ(f.window.TB1000->value(), 3);
         EXPECT_EQ(f.writes, 0);
     }},
    {"ReverbWrite",
     [](EffectsFixture& f) {
         f.effects.Calls.SetParameters = [](audiolib::Handle fx, const void*) { return Refuse(fx); };
     },
     [](EffectsFixture& f) { f.window.TBReverb->setValue(10); },
     "Can not set parameters\n\nError Code: 20 ERROR_ILLPARAM",
     [](EffectsFixture& f) {
         EXPECT_EQ(f.window.TBReverb->value(), 10);
         EXPECT_EQ(f.window.Label5->text(), "0");
     }},
};

class EffectsFailure : public EffectsFixture, public ::testing::WithParamInterface<Failure> {};

} // namespace

TEST_P(EffectsFailure, ShowsOneBoxAndStopsThere)
{
    window.CBRotate->setChecked(true);
    window.ShowForChannel(1);
    StartEntry(QStringLiteral("a.wav"));
    added.clear();
    writes = 0;
    GetParam().failure(*this);
    dialogs.ExpectButton(QMessageBox::Ok);
    GetParam().action(*this);
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].caption, "Media Error");
    EXPECT_EQ(dialogs.Shown()[0].text, GetParam().text);
    GetParam().check(*this);
}

INSTANTIATE_TEST_SUITE_P(Calls, EffectsFailure, ::testing::ValuesIn(Failures),
                         [](const ::testing::TestParamInfo<Failure>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(EffectsWindow, AnEntryThatEndedJustBeforeTheCallIsNoError)
{
    // The entry frees itself between the "playing" check and the library call.
    const TFXCalls layer = LayerFXCalls();
    StartEntry(QStringLiteral("a.wav"));
    window.ShowForChannel(1);
    const auto ended = [] { audiolib::ChannelStop(ChannelStream(1)); };
    effects.Calls.GetParameters = [&](audiolib::Handle fx, void* parameters) {
        ended();
        return layer.GetParameters(fx, parameters);
    };
    window.TB125->setValue(0);
    window.TBReverb->setValue(10);
    EXPECT_EQ(window.Label5->text(), "10");

    effects.Calls.SetFX = [&](int slot, uint32_t type, int priority) {
        ended();
        return layer.SetFX(slot, type, priority);
    };
    StartEntry(QStringLiteral("b.wav"));
    EXPECT_TRUE(dialogs.Shown().isEmpty());
}

TEST_F(EffectsWindow, RotateScalesWhatIsHeardUntilItsBoxIsCleared)
{
    StationOptions.CrossfadeEnabled[1] = false; // the knob's 0.8 throughout
    window.ShowForChannel(1);
    window.CBRotate->setChecked(true);
    StartEntry(QStringLiteral("a.wav"));
    RunUntil(S);
    // Left × |sin a| from a quarter turn, one step a frame; the right side is silent.
    TRotateState reference;
    for (int64_t frame = 0; frame < S; ++frame) {
        float ones[2] = {1.0f, 1.0f};
        Rotate(reference, ones, sizeof ones);
        ASSERT_NEAR(output[2 * frame], 0.25 * 0.8 * ones[0], 1e-5) << frame;
        ASSERT_EQ(output[2 * frame + 1], 0.0f) << frame;
    }
    window.CBRotate->setChecked(false);
    EXPECT_EQ(effects.AttachedTo(ChannelStream(1), TSampleEffect::Rotate), 0);
    RunUntil(2 * S);
    ExpectHeard({THeard{0, 0.25, 0, 6 * S}}, S);
    EXPECT_TRUE(dialogs.Shown().isEmpty());
}

TEST_F(EffectsWindow, ClearingABoxDuringACrossfadeTakesTheEffectOffBothStreams)
{
    // a fades out from 4 s while b fades in; both carry their own flanger.
    window.ShowForChannel(1);
    window.CBFlanger->setChecked(true);
    queue.AddItem(ConstantWav("a.wav", 6, 0, 0.25), 1);
    queue.AddItem(ConstantWav("b.wav", 6, 1, 0.25), 1);
    const int64_t cleared = 4 * S + 50 * Block;
    audiolib::Handle a = 0;
    audiolib::Handle b = 0;
    RunUntil(cleared, {{0, [&] { playback.PlayItemAt(0); }}, {Block, [&] { a = ChannelStream(1); }}});
    b = ChannelStream(1);
    ASSERT_NE(a, b);
    EXPECT_EQ(effects.AttachedTo(a, TSampleEffect::Flanger), 1);
    EXPECT_EQ(effects.AttachedTo(b, TSampleEffect::Flanger), 1);

    window.CBFlanger->setChecked(false);
    EXPECT_EQ(effects.AttachedTo(a, TSampleEffect::Flanger), 0);
    EXPECT_EQ(effects.AttachedTo(b, TSampleEffect::Flanger), 0);
    RunUntil(10 * S);
    ExpectHeard({THeard{0, 0.25, 0, 6 * S, true, 4 * S}, THeard{1, 0.25, 4 * S, 10 * S, true, 8 * S}},
                cleared);
    EXPECT_TRUE(dialogs.Shown().isEmpty());
}

TEST_F(EffectsWindow, IsABlackToolWindowOnTopWhoseDefaultsRunEveryHandler)
{
    EXPECT_EQ(window.windowTitle(), "FX");
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::black));
    struct Bar {
        QSlider* bar;
        int max;
        int position;
    };
    for (const Bar& b : {Bar{window.TB125, 30, 15}, Bar{window.TB1000, 30, 15}, Bar{window.TB8000, 30, 15},
                         Bar{window.TBReverb, 20, 20}}) {
        EXPECT_EQ(b.bar->orientation(), Qt::Vertical);
        EXPECT_TRUE(b.bar->invertedAppearance()); // 0, the loudest, at the top
        EXPECT_EQ(b.bar->minimum(), 0);
        EXPECT_EQ(b.bar->maximum(), b.max);
        EXPECT_EQ(b.bar->value(), b.position);
    }
    EXPECT_EQ(window.Label5->text(), "0");

    window.ShowForChannel(1);
    StartEntry(QStringLiteral("a.wav"));
    window.TB125->setValue(2);
    window.TB1000->setValue(28);
    window.TBReverb->setValue(5);
    for (QCheckBox* box : {window.CBRotate, window.CBEcho, window.CBFlanger})
        box->setChecked(true);
    window.BDefaults->click();
    for (QSlider* bar : {window.TB125, window.TB1000, window.TB8000})
        EXPECT_EQ(bar->value(), 15);
    EXPECT_EQ(window.TBReverb->value(), 20);
    EXPECT_EQ(window.Label5->text(), "0");
    for (int band = 0; band < 3; ++band)
        EXPECT_EQ(ReadBand(band).gain, 0.0f);
    EXPECT_EQ(ReadReverb().mix, -96.0f);
    for (const TSampleEffect effect : {TSampleEffect::Rotate, TSampleEffect::Echo, TSampleEffect::Flanger}) {
        EXPECT_FALSE(effects.SampleEffectOn(effect));
        EXPECT_EQ(effects.AttachedTo(ChannelStream(1), effect), 0);
    }
    EXPECT_TRUE(dialogs.Shown().isEmpty());
}
