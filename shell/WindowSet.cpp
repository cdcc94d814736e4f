#include "shell/WindowSet.h"

#include "audioinfo/OFileData.h"
#include "foundation_gui/WindowHelpers.h"
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
#include "playout/StationIdMenu.h"
#include "shell/About.h"
#include "shell/Clock.h"
#include "shell/FontsColorsChoose.h"
#include "shell/Logo.h"
#include "shell/Main.h"
#include "shell/MyAbout.h"
#include "shell/Progress.h"
#include "shell/Trace.h"
#include "shell/UserPassword.h"
#include "shell/WindowsBar.h"

bool WindowSet::Create()
{
    if (!Add(FUserPassword)->Initialize())
        return false;
    Add(FMain);
    Add(FChannel1);
    Add(FCombinations);
    Add(FSearchFiles);
    Add(FFontsColorsChoose);
    Add(FWindowsBar);
    Add(FSelectDevice);
    Add(FCUEPlayer);
    Add(FDeviceInformation);
    Add(FMixer);
    Add(FFX);
    Add(FLineInEvent);
    FCombinations->SetRunMode(0);
    FCombinations->SetMainWindow = [](int choice) { FMain->SetMainWindow(choice); };
    Trace("SetRunMode(0)");
    Add(FFolders)->Channel = {
        [](const QString& path, uint8_t keep) { return FChannel1->AddItem(path, keep); },
        [](int index) { FChannel1->PlayItemAt(index); }};
    FFolders->SetAsMainWindow = [] { FMain->SetMainWindow(1); };
    FChannel1->StationIdMenu->Picker = [](int& index, bool random,
                                          bool fromSelected) -> std::optional<TStationId> {
        if (const TOFileData* file = FFolders->GetIndicativo(index, random, fromSelected))
            return TStationId{file->FileName, file->Keep};
        return std::nullopt;
    };
    Add(FAbout);
    Add(FLogo);
    Add(FClock);
    Add(FThemeInfo);
    Add(FProgress);
    Add(FMessage);
    Add(FMyAbout);
    FChannel1->Calls.ToggleSearch = [] { ToggleWindow(FSearchFiles); };
    FChannel1->Calls.CombinationExists = [](const QString& name) {
        return FCombinations->CombinationExists(name);
    };
    FChannel1->Calls.AddCombinationFromList = [](const QString& name, const QList<TTemaData>& entries) {
        FCombinations->AddCombinationFromList(name, entries);
    };
    FChannel1->Calls.ShowFileData = [](const TOFileData& data) {
        FThemeInfo->ShowFileData(data);
        FThemeInfo->ShowModal();
    };
    return true;
}
