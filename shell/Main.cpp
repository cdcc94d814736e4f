#include "shell/Main.h"

#include "controls/LXListBox.h"
#include "controls/LXTrackBar.h"
#include "foundation/General.h"
#include "foundation/LastLines.h"
#include "foundation/Log.h"
#include "foundation/Options.h"
#include "foundation/SettingsWriter.h"
#include "foundation_gui/Settings.h"
#include "library/Combinations.h"
#include "library/Folders.h"
#include "library/SearchFiles.h"
#include "platform/Messages.h"
#include "platform_gui/WindowMenu.h"
#include "playout/AudioLayer.h"
#include "playout/CUEPlayer.h"
#include "playout/Channel1.h"
#include "playout/DeviceTables.h"
#include "playout/MediaError.h"
#include "playout/MediaSetup.h"
#include "shell/Clock.h"
#include "shell/DDEHandler.h"
#include "shell/ExitRoad.h"
#include "shell/Logo.h"
#include "shell/ShellNames.h"
#include "shell/Splash.h"
#include "shell/StationHooks.h"
#include "shell/Trace.h"
#include "shell/VolumeController.h"
#include "shell/WindowsBar.h"
#include "skin/SkinData.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Reading a file's information takes up to a few tenths of a millisecond: a slice of this many files
// keeps the GUI thread busy for a few milliseconds at the most.
constexpr qsizetype EnqueueSliceFiles = 25;

StationWindows PlacedWindows()
{
    return {FMain, FClock, FLogo, FChannel1, FCombinations, FFolders};
}

// A hand-edited edge outside 1..4 would leave the bar undocked wherever the window system put it.
int SavedBarPosition()
{
    const int position = SettingsIni ? SettingsIni->ReadInteger("WindowsBar", "position", 1) : 1;
    return position >= 1 && position <= 4 ? position : 1;
}

} // namespace

// A close button only: the close asks the exit question.
TFMain::TFMain()
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint)
{
    setObjectName("FMain");
    platform::RegisterWindow(this, "TFMain");
    // The skin component watches every window from now on, before the first one is activated.
    SkD = new TSkinData(this);
    SkD->setObjectName("SkD");
    SkD->Skin3rd = StoredSkinClassMap();
    SkD->finishLoading();
    ssMainVolumeController1 = new TssVolumeController(this);
    resize(480, 320);
    BuildMenu();
    connect(MExit, &QAction::triggered, this,
            [] { platform::PostMessage(platform::FindWindow("TFUserPassword"), platform::WM_CLOSE); });
    PCMain = new QTabWidget(this);
    PCMain->setObjectName("PCMain");
    // Pages that do not fit on one row scroll.
    PCMain->setUsesScrollButtons(true);
    BuildMainPage();
    BuildSoundPage();
    BuildLanguagesPage();
    BuildLogPage();
    BuildSkinPage();
    BuildLaunchersPage();
    BuildUtilsPage();
    BuildDevicesPage();
    BuildFadePage();
    ListTranslatedCaptions();
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MMenu);
    layout->addWidget(PCMain);
    // Nothing here touches the mixer: the bars' design positions are no change, and the first
    // showing applies the saved volume.
}

QStringList TFMain::StoredSkinClassMap()
{
    return {QStringLiteral("TLXTrackBar=panel")};
}

TFMain::~TFMain()
{
    Log.Memo = nullptr;
}

bool TFMain::LoadSettings()
{
    ::LoadSettings();
    if (!Hooks().CheckMediaLibrary()) {
        ShowMediaError("Right media DLLs was not loaded");
        return false;
    }
    for (int slot = 1; slot <= SlotCount; ++slot) {
        Channels[slot] = TChannel{};
        Channels[slot].SetItemIndex(0);
        Channels[slot].Device = StationOptions.DeviceOut[slot];
    }
    SetupMedia();
    LoadInputDevices(InputDevices);
    LoadOutputDevices(OutputDevices);
    ShowLogLevel();
    // The page shows the day's log, also what earlier runs of the day wrote, within its cap.
    MemoLog->setPlainText(LastLines(Log.FileName, MemoLog->maximumBlockCount()).join(u'\n'));
    Log.Memo = [this](const QString& line) { MemoLog->appendPlainText(line); };
    ListSkins();
    return true;
}

void TFMain::SaveSettings()
{
    // The device windows change the slots and the bar moves; the record is what gets written.
    StationOptions.DeviceOut[1] = Channels[1].Device;
    StationOptions.DeviceOut[CueSlot] = Channels[CueSlot].Device;
    StationOptions.Volume = TBMainVolumen->Position();
    StationOptions.Balance = TBMainBalance->Position();
    if (FCUEPlayer)
        StationOptions.ChannelVolume[CueSlot] = FCUEPlayer->VolumeCtrl->value();
    if (FWindowsBar)
        StationOptions.WindowsBarPosition = FWindowsBar->Position();
    if (FSearchFiles)
        StationOptions.LastSearchDir = FSearchFiles->GetInitialPath();
    // The folder pages go to disk in the same replace as the other settings.
    ::SaveSettings(PlacedWindows(), [](SettingsWriter& writer) {
        if (FFolders)
            FFolders->SaveFolders(writer);
    });
}

void TFMain::SetMainWindow(int choice)
{
    StationOptions.MainWindow = choice;
    FWindowsBar->SetArrangement(0);
    FWindowsBar->SetPosition(SavedBarPosition());
}

void TFMain::setVisible(bool visible)
{
    QWidget::setVisible(visible);
    if (visible && FirstShow)
        RunFirstShow();
}

void TFMain::closeEvent(QCloseEvent* event)
{
    event->ignore();
    platform::PostMessage(platform::FindWindow("TFUserPassword"), platform::WM_CLOSE);
}

void TFMain::RunFirstShow()
{
    FirstShow = false;
    Trace("S1");
    if (!LoadSettings()) {
        EndAtOnce(1);
        return;
    }
    stationUp_ = true;
    Trace("S2");
    // A saved skin that no longer loads is logged; an unattended start never waits on a box.
    if (!LoadSkin(SkinsDir + StationOptions.Skin) && !SkD->LoadError().isEmpty())
        WriteLog(1, 1, -1, -1, -1, SkD->LoadError());
    Trace("S3");
    ShowOptions();
    Trace("S4");
    MainTitle = "Sonvela Zodu";
    ShowPlayoutChannelsOnly();
    setWindowTitle(MainTitle);
    Trace("S5");
    LoadLaunchers();
    Trace("S6");
    ArrangeWindows();
    Trace("S7");
    ApplyMasterVolume();
    Trace("S8");
    if (FSplash) {
        FSplash->hide();
        delete FSplash;
        FSplash = nullptr;
    }
    Trace("S9");
    LBLanguages->SetItemIndex(static_cast<int>(LBLanguages->Items().indexOf(StationOptions.Language)));
    SetLanguage();
    Trace("S10");
    AddSetMainWindowCommand();
    // The program's first window takes the keyboard, as it always did when shown: without a window
    // manager nothing else activates it, and a skin saved in the settings waits for that activation.
    activateWindow();
    Trace("S11");
    SetDDEMacroHandler(
        [this](TDDEHandler* sender, const QStringList& macros) { TEDDdeServerExecuteMacro(sender, macros); });
}

void TFMain::ApplyMasterVolume()
{
    // The mute box shows the mixer as it is: start-up never unmutes the speakers on its own.
    ssMainVolumeController1->ReadMute();
    ssMainVolumeController1->SetVolume(StationOptions.Volume);
    ssMainVolumeController1->SetBalance(StationOptions.Balance);
    // The bars' change handlers write again only what differs: the mixer ends at the bar's volume and
    // at minus the bar's balance.
    TBMainVolumen->SetPosition(ssMainVolumeController1->Volume());
    TBMainBalance->SetPosition(ssMainVolumeController1->Balance());
    CBAll->setChecked(ssMainVolumeController1->Mute());
}

void TFMain::ShowOptions()
{
    PCMain->setCurrentIndex(0);
    CBPlayAtStartup->setChecked(StationOptions.PlayAtStartup);
    CBSetPCDatetimeAtStartup->setChecked(StationOptions.SetPCDatetimeAtStartup);
    // No saved skin shows as "(none)", the list's first entry.
    LBSkin->SetItemIndex(
        StationOptions.Skin.isEmpty() ? 0 : static_cast<int>(LBSkin->Items().indexOf(StationOptions.Skin)));
    // The spin edits clamp what they show; the record keeps what they show. A spin edit does not
    // report a value that clamps to the one it already shows, so the record is pulled in here too.
    ClampFadeOptions(StationOptions);
    for (int n = 1; n <= PlayoutChannelCount; ++n) {
        const TFadePage& fade = FadePages[n - 1];
        fade.SEFadeInterval->setValue(StationOptions.FadeInterval[n]);
        fade.CBCrossfadeEnabled->setChecked(StationOptions.CrossfadeEnabled[n]);
        fade.SECrossfadeinterval->setValue(StationOptions.CrossfadeInterval[n]);
        fade.SECrossfademin->setValue(StationOptions.CrossfadeMin[n]);
    }
}

void TFMain::ShowPlayoutChannelsOnly()
{
    // The station runs one playout channel and the pre-listen player.
    BChannel1Device->show();
    BCUEDevice->show();
    for (QWidget* control : std::array<QWidget*, 4>{BChannel2Device, BChannel3Device, CB2, CB3})
        control->hide();
    for (int n = 2; n <= PlayoutChannelCount; ++n)
        PCFade->setTabVisible(n - 1, false);
}

void TFMain::TEDDdeServerExecuteMacro(TDDEHandler*, const QStringList& macros)
{
    if (macros.isEmpty())
        return;
    // The handler has refused the rest: a line-in or label text, or a relative path, is never queued.
    for (const QString& macro : macros)
        if (const std::optional<QString> path = OpenMacroPath(macro))
            enqueueWaiting_.append(*path);
    if (!enqueueSliceQueued_)
        AppendEnqueueSlice();
}

void TFMain::AppendEnqueueSlice()
{
    enqueueSliceQueued_ = false;
    const qsizetype count = std::min(enqueueWaiting_.size(), EnqueueSliceFiles);
    for (qsizetype i = 0; i < count; ++i)
        if (FChannel1->AddItem(enqueueWaiting_[i], 1) >= 0)
            enqueueAppended_ = true;
    enqueueWaiting_.erase(enqueueWaiting_.begin(), enqueueWaiting_.begin() + count);
    if (!enqueueWaiting_.isEmpty()) {
        // The rest after the events waiting now, so the channel's own events are never held up long.
        enqueueSliceQueued_ = true;
        QTimer::singleShot(0, this, [this] { AppendEnqueueSlice(); });
        return;
    }
    // Only an idle channel is started: an entry on air or paused keeps its place, and what was queued
    // follows it.
    if (std::exchange(enqueueAppended_, false) && FChannel1->Playback().Idle())
        platform::PostMessage(FChannel1, platform::WM_PLAYNEXT);
}

void TFMain::ArrangeWindows()
{
    if (StationOptions.FirstInstall) {
        StationOptions.MainWindow = 1;
        FWindowsBar->SetArrangement(0);
    } else {
        RestoreWindows(PlacedWindows());
        FWindowsBar->SetArrangement(2);
    }
    FWindowsBar->SetPosition(SavedBarPosition());
    FWindowsBar->show();
    // What keeps the station on air must not wait for a hidden window to be shown, in the order the
    // windows would have shown: channel 1, the pre-listen player, whose volume the exit saves, then
    // the folder pages and the combinations (which channel 1 asks about), then the hour signals and the
    // start-up time setting. A window already shown has done it, and does nothing now.
    FChannel1->DoFirstShow();
    FCUEPlayer->DoFirstShow();
    connect(
        FFolders, &TFFolders::FoldersLoaded, this, [] { Trace(QStringLiteral("folders loaded")); },
        Qt::SingleShotConnection);
    FFolders->DoFirstShow();
    FCombinations->DoFirstShow();
    FClock->DoFirstShow();
}

void TFMain::AddSetMainWindowCommand()
{
    MMain->addSeparator();
    MSetMainWindow = MMain->addAction(LangMain.GetText("set as main window"));
    MSetMainWindow->setObjectName("MSetMainWindow");
    connect(MSetMainWindow, &QAction::triggered, this, [this] { SetMainWindow(0); });
    platform::AddWindowMenuItem(this, platform::SC_SETMAINWINDOW, MSetMainWindow->text(),
                                [this] { SetMainWindow(0); });
}
