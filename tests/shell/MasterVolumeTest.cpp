// The master volume on the running station: nothing reaches the mixer before step 7, which applies
// the saved volume and balance so that restarts keep them exactly; the Sound page's bars, labels and
// "All" box drive the mixer.
#include "StationFixture.h"

#include "FakeMixer.h"
#include "controls/LXTrackBar.h"
#include "platform/IniFile.h"
#include "shell/Main.h"
#include "shell/Trace.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>

using namespace platform;

namespace {

class MasterVolumeTest : public StationFixture {
protected:
    void SetUp() override
    {
        StationFixture::SetUp();
        WriteProgramFile("nologin.txt", "");
        const int card = mixer.AddDevice("Card");
        const uint32_t speakers = mixer.AddDestination(card, "Master", MixerLineSpeakers);
        volume = mixer.AddControl(card, speakers, MixerControlVolume, {65535, 65535});
        mute = mixer.AddControl(card, speakers, MixerControlMute, {1});
        mixer.OnWrite = [this](const FakeMixer::Write&) {
            const QStringList& markers = TraceMarkers();
            markersAtWrites.append(markers.isEmpty() ? QStringLiteral("before S1") : markers.last());
        };
    }

    void Save(int savedVolume, int savedBalance) const
    {
        IniFile ini(folder.File("Sonvelazodu.ini"));
        ini.WriteInteger("main", "Volume", savedVolume);
        ini.WriteInteger("main", "Balance", savedBalance);
    }

    // One run: the first showing, the look, a save, then the exit.
    void RunAndSave(const std::function<void()>& look)
    {
        dialogs.ExpectButton(QMessageBox::Yes);
        RunStation({{"S11", [look] {
                         look();
                         FMain->SaveSettings();
                         CloseSettingsWindow();
                     }}});
    }

    std::vector<int32_t> Levels() const { return mixer.Values(0, volume); }

    FakeMixer mixer;
    uint32_t volume = 0, mute = 0;
    QStringList markersAtWrites;
};

} // namespace

TEST_F(StationFixture, WithoutAMixerStepSevenCompletesAndTheSavedValuesStay)
{
    WriteProgramFile("nologin.txt", "");
    {
        IniFile ini(folder.File("Sonvelazodu.ini"));
        ini.WriteInteger("main", "Volume", 35);
        ini.WriteInteger("main", "Balance", -20);
    }
    FakeMixer none;
    dialogs.ExpectButton(QMessageBox::Yes);
    RunStation({{"S11", [] {
                     FMain->SaveSettings();
                     CloseSettingsWindow();
                 }}});
    EXPECT_TRUE(TraceMarkers().contains("S8"));
    EXPECT_EQ(SettingsValue("main", "Volume"), "35");
    EXPECT_EQ(SettingsValue("main", "Balance"), "-20");
    EXPECT_TRUE(none.Writes().empty());
}

TEST_F(MasterVolumeTest, StepSevenAloneWritesAndThreeRestartsKeepTheSavedValues)
{
    Save(10, 40);
    for (int run = 1; run <= 3; ++run) {
        SCOPED_TRACE(run);
        markersAtWrites.clear();
        RunAndSave([this] {
            // The bar shows the saved balance; the mixer gets minus it, which lowers the right side.
            EXPECT_EQ(FMain->TBMainVolumen->Position(), 10);
            EXPECT_EQ(FMain->TBMainBalance->Position(), 40);
            EXPECT_EQ(Levels(), (std::vector<int32_t>{6553, 3931}));
            // The mute box shows the speakers as they are; start-up did not unmute them.
            EXPECT_TRUE(FMain->CBAll->isChecked());
        });
        EXPECT_FALSE(markersAtWrites.isEmpty());
        EXPECT_EQ(markersAtWrites.count("S7"), markersAtWrites.size())
            << markersAtWrites.join(' ').toStdString();
        EXPECT_EQ(SettingsValue("main", "Volume"), "10");
        EXPECT_EQ(SettingsValue("main", "Balance"), "40");
    }
    for (const FakeMixer::Write& write : mixer.Writes())
        EXPECT_NE(write.controlId, mute);
}

TEST_F(MasterVolumeTest, TheSoundPageDrivesTheMixer)
{
    Save(100, 0);
    RunAndSave([this] {
        FMain->TBMainBalance->SetPosition(40);
        EXPECT_EQ(Levels(), (std::vector<int32_t>{65535, 39321}));
        QTest::mouseClick(FMain->LVolume, Qt::LeftButton);
        EXPECT_EQ(FMain->TBMainVolumen->Position(), 50);
        EXPECT_EQ(Levels(), (std::vector<int32_t>{32767, 19660}));
        QTest::mouseClick(FMain->LBalance, Qt::LeftButton);
        EXPECT_EQ(FMain->TBMainBalance->Position(), 0);
        EXPECT_EQ(Levels(), (std::vector<int32_t>{32767, 32767}));

        FMain->CBAll->click();
        EXPECT_EQ(mixer.Values(0, mute), std::vector<int32_t>{0});
        FMain->CBAll->click();
        EXPECT_EQ(mixer.Values(0, mute), std::vector<int32_t>{1});
    });
    EXPECT_EQ(SettingsValue("main", "Volume"), "50");
    EXPECT_EQ(SettingsValue("main", "Balance"), "0");
}
