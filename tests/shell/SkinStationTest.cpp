// The skin on the running station: "Load skin" on the skins page frames every shown window with the
// staged package, keeping client areas and places; "(none)" gives the plain frames back; the choice is
// saved, and a saved skin is worn from the start.
#include "SkinnedStationFixture.h"

#include "controls/LXListBox.h"
#include "controls/LXSpeedButton.h"
#include "foundation/Options.h"
#include "library/Combinations.h"
#include "library/Folders.h"
#include "playout/Channel1.h"
#include "shell/Main.h"
#include "skin/SkinManager.h"
#include "skin/WindowSkinner.h"

#include <QTest>

#include <array>

namespace {

class SkinStationTest : public SkinnedStationFixture {
protected:

    static std::array<QWidget*, 4> LargeWindows() { return {FMain, FChannel1, FFolders, FCombinations}; }

    static int Skinned()
    {
        int count = 0;
        for (QWidget* window : LargeWindows())
            count += SkinManager->FindSkinner(window) ? 1 : 0;
        return count;
    }

    static void LoadListed(int index)
    {
        FMain->LBSkin->SetItemIndex(index);
        FMain->BSkinLoad->Click();
        SkinManager->RunPendingAction();
    }
};

TEST_F(SkinStationTest, LoadSkinFramesTheWindowsAndNoneGivesTheirPlainFramesBack)
{
    QList<QSize> clients;
    QList<QRect> outer;
    int skinnedAfterLoad = -1;
    int skinnedAfterNone = -1;
    QString savedAfterLoad;
    RunStation({AtFirstShowEnd([&] {
        EXPECT_EQ(FMain->LBSkin->Items(), QStringList({"(none)", "Sonvela.skn"}));
        EXPECT_EQ(FMain->LBSkin->ItemIndex(), 0); // a new station has no skin
        for (QWidget* window : LargeWindows())
            clients.append(window->contentsRect().size());
        LoadListed(1);
        skinnedAfterLoad = Skinned();
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(LargeWindows()[i]->contentsRect().size(), clients[i]) << i;
            outer.append(LargeWindows()[i]->frameGeometry());
        }
        savedAfterLoad = StationOptions.Skin;
        LoadListed(0);
        skinnedAfterNone = Skinned();
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(LargeWindows()[i]->size(), clients[i]) << i;
            EXPECT_EQ(LargeWindows()[i]->pos(), outer[i].topLeft()) << i;
        }
    })});
    EXPECT_EQ(skinnedAfterLoad, 4);
    EXPECT_EQ(savedAfterLoad, "Sonvela.skn");
    EXPECT_EQ(skinnedAfterNone, 0);
    EXPECT_EQ(SettingsValue("main", "skin"), "");
}

TEST_F(SkinStationTest, ASavedSkinIsWornFromTheStart)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nskin=Sonvela.skn\r\n");
    int skinned = -1;
    int selected = -1;
    RunStation({AtFirstShowEnd([&] {
        // Windows shown after the skin loaded wear it from their showing; the settings window,
        // already on screen, from its first activation.
        SkinManager->RunPendingAction();
        EXPECT_TRUE(QTest::qWaitFor([] { return Skinned() == 4; }));
        skinned = Skinned();
        selected = FMain->LBSkin->ItemIndex();
    })});
    EXPECT_EQ(skinned, 4);
    EXPECT_EQ(selected, 1);
}

} // namespace
