// How ALSA simple elements become mixer lines and controls, without a sound card.
#include "platform/AlsaMixerLayout.h"

#include <gtest/gtest.h>

#include <set>

using namespace platform;

namespace {

AlsaElement Playback(const std::string& name, bool volume, bool mute, bool mono = false)
{
    AlsaElement element;
    element.name = name;
    element.playbackVolume = volume;
    element.playbackSwitch = mute;
    element.playbackMono = mono;
    return element;
}

AlsaElement Capture(const std::string& name, bool volume, bool mute)
{
    AlsaElement element;
    element.name = name;
    element.captureVolume = volume;
    element.captureSwitch = mute;
    return element;
}

// The type of each control of a line, in order.
std::vector<uint32_t> ControlTypes(const AlsaMixerLayout& layout, const MixerLine& line)
{
    std::vector<uint32_t> types;
    for (const AlsaControl* control : layout.ControlsOf(line.lineId))
        types.push_back(control->control.type);
    return types;
}

} // namespace

TEST(AlsaMixerLayoutTest, AnAnalogCardGivesPlaybackAndCaptureWithTheirSources)
{
    AlsaElement line = Playback("Line", true, true);
    line.captureSwitch = true;
    AlsaElement source;
    source.name = "Capture Source";
    source.captureSource = true;
    source.items = {"Mic", "Line", "Digital"};
    AlsaElement mic = Playback("Mic", true, true, true);
    mic.captureSwitch = true;
    AlsaElement micBoost = Playback("Mic Boost", true, false, true);
    micBoost.active = false;
    const std::vector<AlsaElement> elements = {
        Playback("PCM", true, false),
        Playback("Master", true, true),
        line,
        mic,
        micBoost,
        Capture("Capture", true, true),
        source,
    };
    const AlsaMixerLayout layout = BuildAlsaMixerLayout(elements, "PCH,0: ALC892 Analog");

    ASSERT_EQ(layout.DestinationCount(), 2u);
    const MixerLine* playback = layout.Destination(0);
    ASSERT_NE(playback, nullptr);
    EXPECT_EQ(playback->name, "Playback");
    EXPECT_EQ(playback->componentType, MixerLineSpeakers);
    EXPECT_EQ(playback->targetType, MixerTargetWaveOut);
    EXPECT_EQ(playback->targetName, "PCH,0: ALC892 Analog");
    EXPECT_EQ(ControlTypes(layout, *playback), (std::vector<uint32_t>{MixerControlVolume, MixerControlMute}));
    EXPECT_EQ(layout.ControlsOf(playback->lineId)[0]->element, 1u); // Master's
    ASSERT_EQ(playback->connections, 4u);

    struct Expected {
        QString name;
        uint32_t type;
        uint32_t channels;
        std::vector<uint32_t> controls;
    };
    const std::vector<Expected> playbackSources = {
        {"PCM", MixerSourceWaveOut, 2, {MixerControlVolume}},
        {"Line", MixerSourceLine, 2, {MixerControlVolume, MixerControlMute}},
        {"Mic", MixerSourceMicrophone, 1, {MixerControlVolume, MixerControlMute}},
        {"Mic Boost", MixerSourceUndefined, 1, {MixerControlVolume}},
    };
    for (uint32_t s = 0; s < playbackSources.size(); ++s) {
        const MixerLine* found = layout.Source(0, s);
        ASSERT_NE(found, nullptr) << s;
        EXPECT_EQ(found->name, playbackSources[s].name);
        EXPECT_EQ(found->componentType, playbackSources[s].type) << s;
        EXPECT_EQ(found->channels, playbackSources[s].channels) << s;
        EXPECT_EQ(found->controls, playbackSources[s].controls.size()) << s;
        EXPECT_EQ(ControlTypes(layout, *found), playbackSources[s].controls) << s;
    }
    EXPECT_EQ(layout.Source(0, 4), nullptr);
    // An inactive element's controls are there, disabled.
    EXPECT_NE(layout.ControlsOf(layout.Source(0, 3)->lineId)[0]->control.flags & MixerControlDisabled, 0u);
    EXPECT_EQ(layout.ControlsOf(layout.Source(0, 1)->lineId)[0]->control.flags & MixerControlDisabled, 0u);

    const MixerLine* capture = layout.Destination(1);
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(capture->name, "Capture");
    EXPECT_EQ(capture->componentType, MixerLineWaveIn);
    EXPECT_EQ(capture->targetType, MixerTargetWaveIn);
    ASSERT_EQ(capture->connections, 3u);
    EXPECT_EQ(layout.Source(1, 0)->name, "Line");
    EXPECT_EQ(ControlTypes(layout, *layout.Source(1, 0)), (std::vector<uint32_t>{MixerControlMute}));
    EXPECT_EQ(layout.Source(1, 1)->name, "Mic");
    EXPECT_EQ(layout.Source(1, 1)->componentType, MixerSourceMicrophone);
    EXPECT_EQ(layout.Source(1, 2)->name, "Capture");

    // The MUX: one item per element item, each standing for the capture connection of its name.
    const std::vector<const AlsaControl*> captureControls = layout.ControlsOf(capture->lineId);
    ASSERT_EQ(captureControls.size(), 1u);
    const AlsaControl& mux = *captureControls[0];
    EXPECT_EQ(mux.control.type, MixerControlMux);
    EXPECT_EQ(mux.control.flags, MixerControlUniform | MixerControlMultiple);
    EXPECT_EQ(mux.control.items, 3u);
    EXPECT_EQ(ValueCount(mux.control), 3u);
    EXPECT_EQ(mux.binding, AlsaBinding::CaptureSource);
    ASSERT_EQ(mux.items.size(), 3u);
    EXPECT_EQ(mux.items[0].lineId, layout.Source(1, 1)->lineId);
    EXPECT_EQ(mux.items[1].lineId, layout.Source(1, 0)->lineId);
    EXPECT_EQ(mux.items[2].lineId, MixerNoLine);
    EXPECT_EQ(mux.items[2].name, "Digital");

    // Ids: every line and control has its own, and each control is found by it.
    std::set<uint32_t> lineIds;
    for (const MixerLine& each : layout.lines)
        lineIds.insert(each.lineId);
    EXPECT_EQ(lineIds.size(), layout.lines.size());
    for (const AlsaControl& control : layout.controls) {
        ASSERT_EQ(layout.Control(control.control.controlId), &control);
        EXPECT_NE(layout.Line(control.lineId), nullptr);
    }
    EXPECT_EQ(layout.Control(0), nullptr);
    EXPECT_EQ(layout.Control(static_cast<uint32_t>(layout.controls.size() + 1)), nullptr);
}

TEST(AlsaMixerLayoutTest, ASoundServerGivesMasterAndOneCaptureConnection)
{
    const AlsaMixerLayout layout =
        BuildAlsaMixerLayout({Playback("Master", true, true), Capture("Capture", true, true)}, "default");
    ASSERT_EQ(layout.DestinationCount(), 2u);
    EXPECT_EQ(layout.Destination(0)->connections, 0u);
    EXPECT_EQ(layout.Destination(0)->controls, 2u);
    ASSERT_EQ(layout.Destination(1)->connections, 1u);
    EXPECT_EQ(layout.Destination(1)->controls, 0u);
    EXPECT_EQ(layout.Source(1, 0)->componentType, MixerSourceUndefined);
    const std::vector<const AlsaControl*> volume = layout.ControlsOf(layout.Source(1, 0)->lineId);
    ASSERT_EQ(volume.size(), 2u);
    EXPECT_EQ(volume[0]->binding, AlsaBinding::CaptureVolume);
    EXPECT_EQ(volume[0]->control.channels, 2u);
    EXPECT_EQ(volume[1]->binding, AlsaBinding::CaptureMute);
    EXPECT_EQ(volume[1]->control.channels, 1u);
}

TEST(AlsaMixerLayoutTest, ACardWithoutMasterOrCaptureHasOnlyAnEmptyPlaybackDestination)
{
    const AlsaMixerLayout nothing = BuildAlsaMixerLayout({}, "x");
    ASSERT_EQ(nothing.DestinationCount(), 1u);
    EXPECT_EQ(nothing.Destination(0)->controls, 0u);
    EXPECT_EQ(nothing.Destination(1), nullptr);

    // A digital output: one PCM element, which is a connection of its own.
    const AlsaMixerLayout digital = BuildAlsaMixerLayout({Playback("IEC958", false, true)}, "x");
    ASSERT_EQ(digital.DestinationCount(), 1u);
    EXPECT_EQ(digital.Destination(0)->controls, 0u);
    ASSERT_EQ(digital.Destination(0)->connections, 1u);
    EXPECT_EQ(ControlTypes(digital, *digital.Source(0, 0)), (std::vector<uint32_t>{MixerControlMute}));
}

TEST(AlsaMixerLayoutTest, ComponentTypeComesFromTheWholeElementName)
{
    const std::pair<const char*, uint32_t> cases[] = {
        {"Line", MixerSourceLine},           {"Mic", MixerSourceMicrophone},
        {"CD", MixerSourceCompactDisc},      {"PCM", MixerSourceWaveOut},
        {"Aux", MixerSourceAuxiliary},       {"Mic Boost", MixerSourceUndefined},
        {"Front Mic", MixerSourceUndefined}, {"line", MixerSourceUndefined},
        {"", MixerSourceUndefined},
    };
    for (const auto& [name, type] : cases)
        EXPECT_EQ(ComponentTypeOfElement(name), type) << name;
    EXPECT_TRUE(IsCaptureSourceName("Capture Source"));
    EXPECT_TRUE(IsCaptureSourceName("Input Source"));
    EXPECT_FALSE(IsCaptureSourceName("Capture"));
}

TEST(AlsaMixerLayoutTest, VolumesScaleToTheMixerRangeAndBack)
{
    struct Case {
        long raw, minimum, maximum;
        int32_t scaled;
    };
    const Case cases[] = {
        {0, 0, 31, 0},
        {31, 0, 31, 65535},
        {16, 0, 31, 33825},
        {-5, 0, 31, 0},
        {40, 0, 31, 65535},
        {-6000, -6000, 0, 0},
        {0, -6000, 0, 65535},
        {7, 7, 7, 0},
        {65536, 0, 65536, 65535},
        {32768, 0, 65536, 32768},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToMixerVolume(c.raw, c.minimum, c.maximum), c.scaled)
            << c.raw << " in " << c.minimum << ".." << c.maximum;
    EXPECT_EQ(FromMixerVolume(65535, 0, 31), 31);
    EXPECT_EQ(FromMixerVolume(70000, 0, 31), 31);
    EXPECT_EQ(FromMixerVolume(-1, -6000, 0), -6000);
    EXPECT_EQ(FromMixerVolume(100, 7, 7), 7);
    // Through a range at least as fine as the mixer's, every value comes back as written.
    for (int32_t value = 0; value <= 65535; value += 97)
        ASSERT_EQ(ToMixerVolume(FromMixerVolume(value, 0, 65536), 0, 65536), value);
}
