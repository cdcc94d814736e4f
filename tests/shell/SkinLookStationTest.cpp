// What the operator sees of the staged skin on the running station: the settings window's tabs,
// buttons and log scroll bar, channel 1's queue scroll bar and the folders window's page tabs are
// painted with the colours of the skin's own images for them.
#include "SkinnedStationFixture.h"

#include "controls/LXListBox.h"
#include "controls/LXSpeedButton.h"
#include "library/Folders.h"
#include "library/TabFolder.h"
#include "platform_gui/PageControl.h"
#include "playout/Channel1.h"
#include "playout/QueueListView.h"
#include "shell/Main.h"
#include "skin/SkinData.h"
#include "skin/SkinManager.h"
#include "skin/WindowSkinner.h"
#include "tests/skin/ControlsFound.h"
#include "tests/skin/SkinPixels.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>

#include <map>

namespace {

using SkinLookStationTest = SkinnedStationFixture;

void ShowSkinned(QWidget* window)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(WaitForControlsFound(window));
}

} // namespace

TEST_F(SkinLookStationTest, ButtonsTabsListsAndScrollBarsWearTheSkinsColours)
{
    // Each place's picture, without and with the skin.
    std::map<QString, QImage> plain;
    std::map<QString, QImage> skinned;
    std::map<QString, QSet<QRgb>> skinColours;
    RunStation({AtFirstShowEnd([&] {
        // Enough lines and entries that the log and the queue scroll.
        for (int i = 0; i < 200; ++i) {
            FMain->MemoLog->appendPlainText(QStringLiteral("line %1").arg(i));
            FChannel1->AddItem(QStringLiteral("[LABEL entry %1 ]").arg(i), 1);
        }
        new TTabFolder(0, FFolders->PC, QStringLiteral("Music"));
        const auto look = [](std::map<QString, QImage>& pictures) {
            FMain->PCMain->setCurrentWidget(FMain->TSLaunchers);
            pictures["settings: launcher button"] = FMain->BCmd[0]->grab().toImage();
            pictures["settings: page tabs"] = FMain->PCMain->tabBar()->grab().toImage();
            FMain->PCMain->setCurrentWidget(FMain->TSLog);
            pictures["settings: log scroll bar"] = FMain->MemoLog->verticalScrollBar()->grab().toImage();
            FMain->PCMain->setCurrentIndex(0);
            pictures["channel 1: queue scroll bar"] = FChannel1->LB->verticalScrollBar()->grab().toImage();
            pictures["folders: page tabs"] = FFolders->PC->grab().toImage();
        };
        for (QWidget* window : {static_cast<QWidget*>(FChannel1), static_cast<QWidget*>(FFolders)})
            window->show();
        look(plain);
        FMain->LBSkin->SetItemIndex(1);
        FMain->BSkinLoad->Click();
        SkinManager->RunPendingAction();
        for (QWidget* window : {static_cast<QWidget*>(FMain), static_cast<QWidget*>(FChannel1),
                                static_cast<QWidget*>(FFolders)})
            ShowSkinned(window);
        look(skinned);
        const TSkinDescription& skin = FMain->SkD->Description();
        const QSet<QRgb> tabs = ColoursOf({&skin.Tabs->Image, &skin.Tabs->Image2});
        const QSet<QRgb> bars =
            ColoursOf({&skin.Scrollbar->Image, &skin.VertScroll->Image, &skin.VertScrollThumb->Image});
        skinColours = {{"settings: launcher button", ColoursOf({&skin.Buttons.Image})},
                       {"settings: page tabs", tabs},
                       {"settings: log scroll bar", bars},
                       {"channel 1: queue scroll bar", bars},
                       {"folders: page tabs", tabs}};
    })});
    ASSERT_EQ(skinned.size(), 5u);
    for (const auto& [place, picture] : skinned) {
        // The skin image's colours that the base look does not use.
        const QSet<QRgb> own = skinColours[place] - ColoursOf(plain[place]);
        EXPECT_GE(PixelsIn(picture, own), 40) << qPrintable(place);
    }
}
