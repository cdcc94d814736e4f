// The master volume at start-up: nothing reaches the mixer before step 7, which applies the saved
// volume and balance; restarts keep them exactly.
#include "StationFixture.h"

#include "FakeMixer.h"
#include "platform/IniFile.h"
#include "shell/Main.h"
#include "shell/Trace.h"

using namespace platform;

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
