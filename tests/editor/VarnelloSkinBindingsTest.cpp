// The editor's windows skinned with the staged package by a skin component as the editor makes it
// (with the built-in class map): each control has the binding the table lists, window by window, and
// the standalone combinations window's menu bar and menus and the search window's buttons are drawn
// from the skin.
#include "TempFolder.h"
#include "editor/Varnello.h"
#include "foundation/General.h"
#include "library/Combinations.h"
#include "library/SearchFiles.h"
#include "library/ThemeInfo.h"
#include "shell/About.h"
#include "shell/MyAbout.h"
#include "shell/WindowList.h"
#include "skin/SkinData.h"
#include "skin/SkinManager.h"
#include "skin/SkinMenus.h"
#include "tests/skin/BindingTable.h"
#include "tests/skin/SkinPixels.h"

#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>

#include <map>

TEST(VarnelloSkin, EveryWindowsControlsHaveTheirBindings)
{
    TempFolder station;
    const QString savedAppDir = AppDir;
    AppDir = station.Path() + u'/';
    TSkinManage::SetActionDelay(0);
    std::map<QString, QStringList> actual;
    bool menusSkinned = false;
    int barPixels = 0;
    int buttonPixels = 0;
    {
        TSkinData skin;
        skin.finishLoading();
        WindowList windows;
        AddVarnelloWindows(windows);
        FCombinations->show();
        const QImage plainBar = FCombinations->menuBar()->grab().toImage();
        FCombinations->hide();
        auto* search = FSearchFiles->findChild<QPushButton*>("BSearch");
        FSearchFiles->show();
        const QImage plainButton = search->grab().toImage();
        FSearchFiles->hide();
        skin.SetSkinFile(SONVELA_SKIN_PACKAGE);
        skin.SetActive(true);
        SkinManager->RunPendingAction();
        for (QWidget* window :
             std::initializer_list<QWidget*>{FCombinations, FSearchFiles, FThemeInfo, FAbout, FMyAbout})
            actual[window->objectName()] = BindingsOfWindow(window);
        FCombinations->show();
        QMenuBar* bar = FCombinations->menuBar();
        menusSkinned = MenuSkinOf(bar).has_value() && !bar->actions().isEmpty() &&
                       MenuSkinOf(bar->actions().first()->menu()).has_value();
        // What the operator sees: the bar and the search window's button in the colours of their images,
        // which the base look does not use.
        const TSkinDescription& description = skin.Description();
        const auto own = [](const QImage& image, QWidget* widget, const QImage& plain) {
            return PixelsIn(widget->grab().toImage(), ColoursOf(image) - ColoursOf(plain));
        };
        barPixels = own(description.MenuBar->Image, bar, plainBar);
        FCombinations->hide();
        FSearchFiles->show();
        buttonPixels = own(description.Buttons.Image, search, plainButton);
        FSearchFiles->hide();
        windows.Destroy();
    }
    delete SkinManager;
    TSkinManage::SetActionDelay(250);
    AppDir = savedAppDir;
    EXPECT_TRUE(menusSkinned);
    EXPECT_GE(barPixels, 40);
    EXPECT_GE(buttonPixels, 40);

    // The same classes as the station's windows; the standalone combinations window adds its menu bar.
    const std::map<QString, QStringList> expected = {
        {"FAbout", {}},
        {"FCombinations",
         {"TVCombinaciones/QHeaderView: Header", "TVCombinaciones/QScrollBar(h): ScrollBar",
          "TVCombinaciones/QScrollBar(v): ScrollBar", "TVCombinaciones: ScrollBar"}},
        {"FMyAbout",
         {"OKButton: Button", "PC: Tab intercept", "TSAuthor: TabSheet intercept",
          "TSLibraries: TabSheet intercept"}},
        {"FSearchFiles",
         {"BInitialPath: Button", "BSearch: Button", "BStop: Button", "CBSearchSubfolders: CheckBox",
          "EFileMask: Edit", "EInitialPath: Edit", "LBSearchFiles/QScrollBar(h): ScrollBar",
          "LBSearchFiles/QScrollBar(v): ScrollBar", "LBSearchFiles: ScrollBar", "SB: StatusBar intercept"}},
        {"FThemeInfo",
         {"MInfo/QScrollBar(h): ScrollBar", "MInfo/QScrollBar(v): ScrollBar", "MInfo: ScrollBar"}},
    };
    ExpectBindingTables(actual, expected);
}
