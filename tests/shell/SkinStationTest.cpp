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

#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>

#include <algorithm>
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
        ASSERT_GE(index, 0);
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

// A package that does not load keeps what the operator had: the skin on every window and the stored
// choice; at a start the log says why nothing is worn, and no box waits.
class DamagedSkinStationTest : public SkinStationTest {
protected:
    void SetUp() override
    {
        SkinStationTest::SetUp();
        QByteArray damaged = ReadProgramFile("skins/Sonvela.skn");
        damaged.truncate(damaged.size() / 3);
        WriteProgramFile("skins/Damaged.skn", damaged);
    }

    qsizetype DamageBoxes() const
    {
        return std::count_if(dialogs.Shown().begin(), dialogs.Shown().end(),
                             [](const auto& box) { return box.text.startsWith("Damaged skin package: "); });
    }
};

TEST_F(DamagedSkinStationTest, LoadSkinKeepsTheSkinAndTheStoredChoice)
{
    int skinnedAfterDamaged = -1;
    QString storedAfterDamaged;
    RunStation({AtFirstShowEnd([&] {
        LoadListed(static_cast<int>(FMain->LBSkin->Items().indexOf("Sonvela.skn")));
        dialogs.ExpectButton(QMessageBox::Ok);
        LoadListed(static_cast<int>(FMain->LBSkin->Items().indexOf("Damaged.skn")));
        skinnedAfterDamaged = Skinned();
        storedAfterDamaged = StationOptions.Skin;
    })});
    EXPECT_EQ(DamageBoxes(), 1);
    EXPECT_EQ(skinnedAfterDamaged, 4);
    EXPECT_EQ(storedAfterDamaged, "Sonvela.skn");
    EXPECT_EQ(SettingsValue("main", "skin"), "Sonvela.skn");
}

TEST_F(DamagedSkinStationTest, ASavedPackageThatNoLongerLoadsIsLogged)
{
    WriteProgramFile("Sonvelazodu.ini", "[main]\r\nskin=Damaged.skn\r\n");
    int skinned = -1;
    bool logged = false;
    RunStation({AtFirstShowEnd([&] {
        SkinManager->RunPendingAction();
        skinned = Skinned();
        logged = FMain->MemoLog->toPlainText().contains("Damaged skin package: ");
    })});
    EXPECT_EQ(skinned, 0);
    EXPECT_TRUE(logged);
    EXPECT_EQ(DamageBoxes(), 0);
}

} // namespace
