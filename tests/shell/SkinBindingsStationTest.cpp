// Every window of the running station skinned with the staged package: each control has the binding
// its class gives it, as the table below lists window by window; the windows bar, tagged to keep its
// own look, has no skinner at all.
#include "SkinnedStationFixture.h"

#include "controls/LXListBox.h"
#include "controls/LXSpeedButton.h"
#include "library/Combinations.h"
#include "library/Folders.h"
#include "library/Message.h"
#include "library/SearchFiles.h"
#include "library/ThemeInfo.h"
#include "playout/CUEPlayer.h"
#include "playout/Channel1.h"
#include "playout/DeviceInformation.h"
#include "playout/FX.h"
#include "playout/LineInEvent.h"
#include "playout/MixerWindow.h"
#include "playout/SelectDevice.h"
#include "shell/About.h"
#include "shell/Clock.h"
#include "shell/FontsColorsChoose.h"
#include "shell/Logo.h"
#include "shell/Main.h"
#include "shell/MyAbout.h"
#include "shell/Progress.h"
#include "shell/UserPassword.h"
#include "shell/WindowsBar.h"
#include "skin/SkinManager.h"
#include "tests/skin/BindingTable.h"

#include <map>

namespace {

using SkinBindingsStationTest = SkinnedStationFixture;

} // namespace

TEST_F(SkinBindingsStationTest, EveryWindowsControlsHaveTheirBindings)
{
    std::map<QString, QStringList> actual;
    bool barSkinned = true;
    RunStation({AtFirstShowEnd([&] {
        FMain->LBSkin->SetItemIndex(1);
        FMain->BSkinLoad->Click();
        SkinManager->RunPendingAction();
        const std::vector<QWidget*> windows = {FUserPassword, FMain,        FChannel1,
                                               FCombinations, FSearchFiles, FFontsColorsChoose,
                                               FSelectDevice, FCUEPlayer,   FDeviceInformation,
                                               FMixer,        FFX,          FLineInEvent,
                                               FFolders,      FAbout,       FLogo,
                                               FClock,        FThemeInfo,   FProgress,
                                               FMessage,      FMyAbout};
        for (QWidget* window : windows) {
            // The mixer window says at its showing that the machine has no mixer.
            if (window == FMixer)
                dialogs.ExpectButton(QMessageBox::Ok);
            actual[window->objectName()] = BindingsOfWindow(window);
        }
        FWindowsBar->show();
        QCoreApplication::processEvents();
        barSkinned = SkinManager->FindSkinner(FWindowsBar) != nullptr;
    })});
    EXPECT_FALSE(barSkinned);

    // Library buttons (TLXButton) through the paint intercept, the program's own buttons (TLbButton),
    // labels and speed buttons unbound, the library's track bars a panel by the stored class map, a
    // scroll box and its inner list each with their bars, tab sheets through the paint intercept (the
    // settings window's pages scroll: their bars are bound too).
    const std::map<QString, QStringList> expected = {
        {"FAbout", {}},
        {"FCUEPlayer", {"SB: StatusBar intercept", "TB: TrackBar", "VolumeCtrl: TrackBar"}},
        {"FChannel1",
         {"LB/QScrollBar(h): ScrollBar", "LB/QScrollBar(v): ScrollBar", "LB: ScrollBar", "TB: TrackBar",
          "TBPitchShift: Box colour"}},
        {"FClock", {"CBSHActivadas: CheckBox", "LXBGetSNTPTime: Button intercept", "SESHMinutos: UpDown"}},
        {"FCombinations",
         {"TVCombinaciones/QHeaderView: Header", "TVCombinaciones/QScrollBar(h): ScrollBar",
          "TVCombinaciones/QScrollBar(v): ScrollBar", "TVCombinaciones: ScrollBar"}},
        {"FDeviceInformation",
         {"LBMemo/QScrollBar(h): ScrollBar", "LBMemo/QScrollBar(v): ScrollBar", "LBMemo: ScrollBar",
          "LXBSave: Button intercept"}},
        {"FFX",
         {"BClose: Button", "BDefaults: Button", "CBEcho: CheckBox", "CBFlanger: CheckBox",
          "CBRotate: CheckBox", "TB1000: TrackBar", "TB125: TrackBar", "TB8000: TrackBar",
          "TBReverb: TrackBar"}},
        {"FFolders", {"PC: Tab intercept"}},
        {"FFontsColorsChoose",
         {"BApply: Button intercept",
          "BColorChannels: Button",
          "BColorChannelsInfo: Button",
          "BColorChannelsPlaying: Button",
          "BColorChannelsSelected: Button",
          "BColorCombinations: Button",
          "BColorCombinationsCopied: Button",
          "BColorCombinationsCut: Button",
          "BColorCombinationsInfo: Button",
          "BColorCombinationsSelected: Button",
          "BColorFolders: Button",
          "BColorFoldersCopied: Button",
          "BColorFoldersCut: Button",
          "BColorFoldersInfo: Button",
          "BColorFoldersSelected: Button",
          "BColorProgramation: Button",
          "BColorProgramationSelected: Button",
          "BFontChannels: Button",
          "BFontChannelsInfo: Button",
          "BFontChannelsPlaying: Button",
          "BFontChannelsSelected: Button",
          "BFontCombinations: Button",
          "BFontCombinationsCopied: Button",
          "BFontCombinationsCut: Button",
          "BFontCombinationsInfo: Button",
          "BFontCombinationsSelected: Button",
          "BFontFolders: Button",
          "BFontFoldersCopied: Button",
          "BFontFoldersCut: Button",
          "BFontFoldersInfo: Button",
          "BFontFoldersSelected: Button",
          "BFontProgramation: Button",
          "BFontProgramationSelected: Button",
          "BOk: Button intercept",
          "PC/QTabBar: Tab",
          "PC: Tab",
          "ScrollLeftButton: Tab",
          "ScrollRightButton: Tab",
          "TSChannels: TabSheet intercept",
          "TSCombinations: TabSheet intercept",
          "TSFolders: TabSheet intercept",
          "TSProgramation: TabSheet intercept"}},
        {"FLineInEvent",
         {"BCancel: Button intercept", "BOk: Button intercept", "EName: Edit", "SEHours: UpDown",
          "SEMinuts: UpDown", "SESeconds: UpDown"}},
        {"FLogo", {}},
        {"FMain",
         {"BCUEDevice: Button",
          "BChannel1Device: Button",
          "BChannel2Device: Button",
          "BChannel3Device: Button",
          "BCmd10: Button",
          "BCmd11: Button",
          "BCmd12: Button",
          "BCmd1: Button",
          "BCmd2: Button",
          "BCmd3: Button",
          "BCmd4: Button",
          "BCmd5: Button",
          "BCmd6: Button",
          "BCmd7: Button",
          "BCmd8: Button",
          "BCmd9: Button",
          "CB1: CheckBox",
          "CB2: CheckBox",
          "CB3: CheckBox",
          "CBAll: CheckBox",
          "CBCUE: CheckBox",
          "CBCrossfadeEnabled1: CheckBox",
          "CBCrossfadeEnabled2: CheckBox",
          "CBCrossfadeEnabled3: CheckBox",
          "CBHourSignals: CheckBox",
          "CBPlayAtStartup: CheckBox",
          "CBSetPCDatetimeAtStartup: CheckBox",
          "GBMuteChannels: GroupBox colour",
          "LBLanguages/QScrollBar(h): ScrollBar",
          "LBLanguages/QScrollBar(h): ScrollBar",
          "LBLanguages/QScrollBar(v): ScrollBar",
          "LBLanguages/QScrollBar(v): ScrollBar",
          "LBLanguages/TLXHeaderControl: Header",
          "LBLanguages/TLXMyListBox: ScrollBar",
          "LBLanguages: ScrollBar",
          "LBSkin/QScrollBar(h): ScrollBar",
          "LBSkin/QScrollBar(h): ScrollBar",
          "LBSkin/QScrollBar(v): ScrollBar",
          "LBSkin/QScrollBar(v): ScrollBar",
          "LBSkin/TLXHeaderControl: Header",
          "LBSkin/TLXMyListBox: ScrollBar",
          "LBSkin: ScrollBar",
          "LXBDevInfo: Button intercept",
          "LXBMixer: Button intercept",
          "LXBSetFonts: Button intercept",
          "LXBSetLogo: Button intercept",
          "LXBWindowsMixer: Button intercept",
          "MemoLog/QScrollBar(h): ScrollBar",
          "MemoLog/QScrollBar(v): ScrollBar",
          "MemoLog: ScrollBar",
          "PCFade/QTabBar: Tab",
          "PCFade: Tab",
          "PCMain/QTabBar: Tab",
          "PCMain: Tab",
          "RGLogLevel0: RadioButton",
          "RGLogLevel1: RadioButton",
          "RGLogLevel2: RadioButton",
          "RGLogLevel: GroupBox colour",
          "SECrossfadeinterval1: UpDown",
          "SECrossfadeinterval2: UpDown",
          "SECrossfadeinterval3: UpDown",
          "SECrossfademin1: UpDown",
          "SECrossfademin2: UpDown",
          "SECrossfademin3: UpDown",
          "SEFadeInterval1: UpDown",
          "SEFadeInterval2: UpDown",
          "SEFadeInterval3: UpDown",
          "ScrollLeftButton: Tab",
          "ScrollLeftButton: Tab",
          "ScrollRightButton: Tab",
          "ScrollRightButton: Tab",
          "TBMainBalance: Box colour",
          "TBMainVolumen: Box colour",
          "TSDevices/QScrollBar(h): ScrollBar",
          "TSDevices/QScrollBar(v): ScrollBar",
          "TSDevices: TabSheet intercept",
          "TSFade/QScrollBar(h): ScrollBar",
          "TSFade/QScrollBar(v): ScrollBar",
          "TSFade: TabSheet intercept",
          "TSFadeChannel1/QGroupBox: GroupBox colour",
          "TSFadeChannel1/QGroupBox: GroupBox colour",
          "TSFadeChannel1: TabSheet intercept",
          "TSFadeChannel2/QGroupBox: GroupBox colour",
          "TSFadeChannel2/QGroupBox: GroupBox colour",
          "TSFadeChannel2: TabSheet intercept",
          "TSFadeChannel3/QGroupBox: GroupBox colour",
          "TSFadeChannel3/QGroupBox: GroupBox colour",
          "TSFadeChannel3: TabSheet intercept",
          "TSLanguages/QScrollBar(h): ScrollBar",
          "TSLanguages/QScrollBar(v): ScrollBar",
          "TSLanguages: TabSheet intercept",
          "TSLaunchers/QScrollBar(h): ScrollBar",
          "TSLaunchers/QScrollBar(v): ScrollBar",
          "TSLaunchers: TabSheet intercept",
          "TSLog/QScrollBar(h): ScrollBar",
          "TSLog/QScrollBar(v): ScrollBar",
          "TSLog: TabSheet intercept",
          "TSMain/QScrollBar(h): ScrollBar",
          "TSMain/QScrollBar(v): ScrollBar",
          "TSMain: TabSheet intercept",
          "TSSkin/QScrollBar(h): ScrollBar",
          "TSSkin/QScrollBar(v): ScrollBar",
          "TSSkin: TabSheet intercept",
          "TSSound/QScrollBar(h): ScrollBar",
          "TSSound/QScrollBar(v): ScrollBar",
          "TSSound: TabSheet intercept",
          "TSUtils/QScrollBar(h): ScrollBar",
          "TSUtils/QScrollBar(v): ScrollBar",
          "TSUtils: TabSheet intercept"}},
        {"FMessage", {}},
        {"FMixer",
         {"CB: CheckBox", "CBDestination: ComboBox", "CBDevices: ComboBox", "CBSources: ComboBox",
          "TB: TrackBar"}},
        {"FMyAbout",
         {"OKButton: Button", "PC: Tab intercept", "TSAuthor: TabSheet intercept",
          "TSLibraries: TabSheet intercept"}},
        {"FProgress", {"ProgressBar1: Progress"}},
        {"FSearchFiles",
         {"BInitialPath: Button", "BSearch: Button", "BStop: Button", "CBSearchSubfolders: CheckBox",
          "EFileMask: Edit", "EInitialPath: Edit", "LBSearchFiles/QScrollBar(h): ScrollBar",
          "LBSearchFiles/QScrollBar(v): ScrollBar", "LBSearchFiles: ScrollBar", "SB: StatusBar intercept"}},
        {"FSelectDevice", {"BApply: Button", "BCancel: Button", "BOk: Button", "CBOutputDevices: ComboBox"}},
        {"FThemeInfo",
         {"MInfo/QScrollBar(h): ScrollBar", "MInfo/QScrollBar(v): ScrollBar", "MInfo: ScrollBar"}},
        {"FUserPassword",
         {"BCancel: Button", "BClose: Button", "BEntrar: Button", "CBUser: ComboBox", "EPassword: Edit"}},
    };
    ExpectBindingTables(actual, expected);
}
