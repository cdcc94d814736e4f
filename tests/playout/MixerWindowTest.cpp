// The mixer window over a scripted mixer: lists filled at the first showing, a line's volume and mute
// or select state shown and written, changes made elsewhere followed; and the box when there is no
// mixer at all, at the showing and not before.
#include "playout/MixerWindow.h"
#include "DialogAnswerer.h"
#include "FakeMixer.h"
#include "playout/AudioMixer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

namespace {

QStringList Items(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items.append(combo.itemText(i));
    return items;
}

void Choose(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// Card A: a playback destination (stereo volume, mute) with a line input (mono volume, mute) and a
// microphone (volume only); a capture destination whose MUX chooses its line (with a disabled
// volume) or its microphone. Card B: one bare destination.
class MixerWindowTest : public ::testing::Test {
protected:
    MixerWindowTest()
    {
        a = fake.AddDevice("Card A");
        const uint32_t playback = fake.AddDestination(a, "Playback", MixerLineSpeakers);
        playbackVolume = fake.AddControl(a, playback, MixerControlVolume, {1000, 2000});
        playbackMute = fake.AddControl(a, playback, MixerControlMute, {1}, MixerControlUniform);
        const uint32_t line = fake.AddSource(a, playback, "Line", MixerSourceLine, 1);
        fake.SetLineTarget(a, line, MixerTargetWaveIn, "");
        lineVolume = fake.AddControl(a, line, MixerControlVolume, {500});
        lineMute = fake.AddControl(a, line, MixerControlMute, {0}, MixerControlUniform);
        const uint32_t mic = fake.AddSource(a, playback, "Mic", MixerSourceMicrophone);
        fake.AddControl(a, mic, MixerControlVolume, {300, 400});

        const uint32_t capture = fake.AddDestination(a, "Capture", MixerLineWaveIn);
        const uint32_t captureLine = fake.AddSource(a, capture, "Line", MixerSourceLine);
        fake.AddControl(a, captureLine, MixerControlVolume, {700, 700}, MixerControlDisabled);
        const uint32_t captureMic = fake.AddSource(a, capture, "Mic", MixerSourceMicrophone);
        mux = fake.AddItemControl(a, capture, MixerControlMux, {captureLine, captureMic}, {1, 0});

        const int b = fake.AddDevice("Card B");
        fake.AddDestination(b, "Speakers", MixerLineSpeakers);
    }

    // What the window shows of the chosen line: the volume (or "cannot set") and the mute or select
    // box (or "cannot set").
    struct Shown {
        bool volume;
        int position;
        bool muteSelect;
        bool checked;
    };
    Shown ShownLine() const
    {
        EXPECT_NE(window.TB->isHidden(), window.LCannotsetvolume->isHidden());
        EXPECT_EQ(window.TB->isHidden(), window.LVolume->isHidden());
        EXPECT_NE(window.CB->isHidden(), window.LCannotsetMuteSelect->isHidden());
        EXPECT_EQ(window.CB->isHidden(), window.LMuteSelect->isHidden());
        return {!window.TB->isHidden(), window.TB->value(), !window.CB->isHidden(), window.CB->isChecked()};
    }
    static std::string Describe(const Shown& s)
    {
        return "volume " + std::to_string(s.volume) + " at " + std::to_string(s.position) + ", mute/select " +
               std::to_string(s.muteSelect) + " checked " + std::to_string(s.checked);
    }

    FakeMixer fake;
    ScriptedDialogAnswerer dialogs;
    TFMixer window;
    int a = 0;
    uint32_t playbackVolume = 0, playbackMute = 0, lineVolume = 0, lineMute = 0, mux = 0;
};

} // namespace

TEST_F(MixerWindowTest, TheFirstShowingListsTheMixersAndShowsTheDestinationItself)
{
    EXPECT_EQ(window.objectName(), "FMixer");
    EXPECT_EQ(window.windowTitle(), "Mixer");
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.palette().color(QPalette::Window), Qt::black);
    EXPECT_EQ(window.TB->minimum(), 0);
    EXPECT_EQ(window.TB->maximum(), 65535);
    EXPECT_EQ(window.TB->tickPosition(), QSlider::NoTicks);
    // Nothing is opened before the window is shown.
    EXPECT_EQ(window.Mixer(), nullptr);
    EXPECT_TRUE(fake.OpenAttempts().empty());

    window.show();
    EXPECT_EQ(Items(*window.CBDevices), QStringList({"Card A", "Card B"}));
    EXPECT_EQ(window.CBDevices->currentIndex(), 0);
    EXPECT_EQ(window.Mixer()->MixerId(), 0);
    EXPECT_EQ(Items(*window.CBDestination), QStringList({"Playback", "Capture"}));
    EXPECT_EQ(Items(*window.CBSources), QStringList({"Playback", "Line  (4098, 2)", "Mic  (4099, 0)"}));
    EXPECT_EQ(window.CBSources->currentIndex(), 0);
    EXPECT_EQ(Describe(ShownLine()), Describe({true, 1000, true, true}));
    // Showing the line wrote nothing back.
    EXPECT_TRUE(fake.Writes().empty());

    // A later showing keeps the lists and the open device as they are.
    const size_t opened = fake.OpenAttempts().size();
    window.hide();
    window.show();
    EXPECT_EQ(fake.OpenAttempts().size(), opened);
    EXPECT_EQ(Items(*window.CBDevices), QStringList({"Card A", "Card B"}));
    QTest::keyClick(window.CBSources, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MixerWindowTest, EachChosenLineShowsItsVolumeAndMuteOrSelectState)
{
    window.show();
    const struct {
        int destination, source;
        Shown shown;
    } cases[] = {
        {0, 1, {true, 500, true, false}}, // the line input
        {0, 2, {true, 300, false, true}}, // no mute: it cannot be set
        {1, 1, {false, 700, true, true}}, // chosen in the MUX; its volume is disabled
        {1, 2, {false, 0, true, false}},  // not chosen; no volume at all
        {1, 0, {false, 0, false, true}},  // the capture destination has neither of its own
        {0, 0, {true, 1000, true, true}},
    };
    for (const auto& c : cases) {
        if (window.CBDestination->currentIndex() != c.destination)
            Choose(window.CBDestination, c.destination);
        Choose(window.CBSources, c.source);
        EXPECT_EQ(Describe(ShownLine()), Describe(c.shown)) << c.destination << "," << c.source;
    }
    EXPECT_TRUE(fake.Writes().empty());

    Choose(window.CBDevices, 1);
    EXPECT_EQ(window.Mixer()->MixerId(), 1);
    EXPECT_EQ(Items(*window.CBDestination), QStringList({"Speakers"}));
    EXPECT_EQ(Items(*window.CBSources), QStringList({"Speakers"}));
    EXPECT_EQ(Describe(ShownLine()), Describe({false, 0, false, true}));
}

TEST_F(MixerWindowTest, MovingTheBarOrClickingTheBoxWritesVolumeAndMuteTogether)
{
    window.show();
    Choose(window.CBSources, 1);
    window.TB->setValue(30000);
    EXPECT_EQ(fake.Values(a, lineVolume), (std::vector<int32_t>{30000}));
    EXPECT_EQ(fake.Values(a, lineMute), (std::vector<int32_t>{0}));
    window.CB->click();
    EXPECT_EQ(fake.Values(a, lineMute), (std::vector<int32_t>{1}));
    EXPECT_EQ(fake.Writes().back().controlId, lineMute);
    EXPECT_EQ(fake.Writes()[fake.Writes().size() - 2].controlId, lineVolume);

    // On the capture side the box chooses the line in the MUX.
    Choose(window.CBDestination, 1);
    Choose(window.CBSources, 2);
    window.CB->click();
    EXPECT_EQ(fake.Values(a, mux), (std::vector<int32_t>{0, 1}));
}

TEST_F(MixerWindowTest, AChangeMadeElsewhereIsShownAndNotWrittenBack)
{
    window.show();
    const size_t writes = fake.Writes().size();
    fake.SetValues(a, playbackVolume, {5000, 6000});
    fake.SetValues(a, playbackMute, {0});
    fake.RaiseControlChange(a, playbackVolume);
    QCoreApplication::processEvents();
    EXPECT_EQ(Describe(ShownLine()), Describe({true, 5000, true, false}));
    EXPECT_EQ(fake.Writes().size(), writes);
    EXPECT_EQ(fake.Values(a, playbackVolume), (std::vector<int32_t>{5000, 6000}));
}

TEST(MixerWindowWithoutMixer, TheBoxComesOnceWhenTheWindowIsShown)
{
    ScriptedDialogAnswerer dialogs;
    TFMixer window;
    ASSERT_TRUE(dialogs.Shown().empty());
    dialogs.ExpectButton(QMessageBox::Ok);
    window.show();
    ASSERT_EQ(dialogs.Shown().size(), 1);
    EXPECT_EQ(dialogs.Shown()[0].caption, "Error");
    EXPECT_EQ(dialogs.Shown()[0].text, "No mixer present in the system !");
    EXPECT_EQ(dialogs.Shown()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(window.CBDevices->count(), 0);
    EXPECT_EQ(window.CBDestination->count(), 0);
    EXPECT_EQ(window.CBSources->count(), 0);

    // The line controls do nothing from now on, and a later showing asks nothing.
    window.TB->setValue(1000);
    window.CB->click();
    window.hide();
    window.show();
    EXPECT_EQ(dialogs.Shown().size(), 1);
}
