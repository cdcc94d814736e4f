#pragma once
// The settings window. Its first showing sets up the whole station from the settings file, in a
// fixed order; its close box asks the exit question instead of closing. Its pages edit the settings
// record at once; the file gets them at the next save.
#include "foundation/Options.h"
#include "foundation_gui/Language.h"

#include <QStringList>
#include <QWidget>

#include <array>

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class TssVolumeController;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TDDEHandler;
class TLbButton;
class TLXButton;
class TLXListBox;
class TLXSpeedButton;
class TLXTrackBar;
class TSkinData;

// The controls of one channel's fade page.
struct TFadePage {
    QWidget* TSFadeChannel = nullptr;
    QSpinBox* SEFadeInterval = nullptr;
    QCheckBox* CBCrossfadeEnabled = nullptr;
    QSpinBox* SECrossfadeinterval = nullptr;
    QSpinBox* SECrossfademin = nullptr;
};

class TFMain : public QWidget {
    Q_OBJECT
public:
    TFMain();
    ~TFMain() override;

    // The class map the window gives its skin component: the controls library's classes that exist
    // here, without the library's button, so that its buttons are skinned as push buttons.
    static QStringList StoredSkinClassMap();

    QMenuBar* MMenu;
    QMenu* MMain;
    QAction* MExit;
    QMenu* MUtils;
    QAction* MSearchFiles;
    QMenu* MHelp;
    QAction* MHomePage;
    QAction* MAbout;
    // "set as main window", added by the first showing.
    QAction* MSetMainWindow = nullptr;
    TLanguage LangMain;
    // The master volume, balance and mute; it touches no mixer before the first showing's step 7.
    TssVolumeController* ssMainVolumeController1;

    QTabWidget* PCMain;
    QWidget* TSMain;
    QCheckBox* CBPlayAtStartup;

    QWidget* TSSound;
    // The master controls, kept in the middle of the page.
    QWidget* PSonido;
    QLabel* LVolume;
    QLabel* LBalance;
    TLXTrackBar* TBMainVolumen;
    TLXTrackBar* TBMainBalance;
    QGroupBox* GBMuteChannels;
    QCheckBox* CBAll;
    QCheckBox* CB1;
    QCheckBox* CB2;
    QCheckBox* CB3;
    QCheckBox* CBHourSignals;
    QCheckBox* CBCUE;

    QWidget* TSLanguages;
    TLXListBox* LBLanguages;
    TLbButton* BLanguageSet;

    QWidget* TSLog;
    QPlainTextEdit* MemoLog;
    TLbButton* BViewLog;
    TLbButton* BClearLog;
    QGroupBox* RGLogLevel;
    QButtonGroup* RGLogLevelItems;

    QWidget* TSSkin;
    // "(none)" first, then the skin packages of the skins folder.
    TLXListBox* LBSkin;
    TLXSpeedButton* BSkinLoad;
    // The skin component: every window of the station wears its skin while it is active.
    TSkinData* SkD;

    QWidget* TSLaunchers;
    // BCmd1 ... BCmd12 at index 0 ... 11.
    std::array<QPushButton*, 12> BCmd;

    QWidget* TSUtils;
    TLXButton* LXBSetLogo;
    TLXButton* LXBSetFonts;
    QCheckBox* CBSetPCDatetimeAtStartup;

    QWidget* TSDevices;
    QPushButton* BChannel1Device;
    QPushButton* BChannel2Device;
    QPushButton* BChannel3Device;
    QPushButton* BCUEDevice;
    TLXButton* LXBWindowsMixer;
    TLXButton* LXBMixer;
    TLXButton* LXBDevInfo;

    QWidget* TSFade;
    QTabWidget* PCFade;
    // Channel N's page at index N - 1.
    std::array<TFadePage, PlayoutChannelCount> FadePages;

    // True once the first showing has loaded the settings and set up the audio: from then on the
    // exit saves the settings and frees the audio.
    bool StationUp() const { return stationUp_; }

    // The settings, then the audio library and the device tables; false when the audio library is
    // not the right one (after its "Media Error" box).
    bool LoadSettings();
    void SaveSettings();
    // choice: 0 this window, 1 folders, 2 combinations (4 channel 1); the windows are tiled around
    // it with the windows bar at its saved edge.
    void SetMainWindow(int choice);
    // BLanguageSet: TOptions.Language = the selected language, then every translated window takes its
    // file. With none selected, the stored language's file when it exists, else english.
    void SetLanguage();

    // A mute box's click, by its Tag: -1 the master mute, 0 the hour signals, 1 channel 1, 4 the
    // pre-listen player.
    void CBSilenciarCanalesClick(int tag, bool checked);
    // BClearLog: the memo, then the file.
    void BClearLogClick();
    // BSkinLoad: the selected skin package becomes TOptions.Skin and the windows wear it; "(none)" gives
    // them their plain frames back. Nothing without a selection.
    void BSkinLoadClick();
    // LXBSetLogo: a chosen picture becomes the logo.
    void LXBSetLogoClick();
    // The output-device window on the slot: 1 to 3 the channels, 4 the pre-listen player.
    void ShowDeviceWindow(int slot);
    // What the Home Page item opens: the station folder's README.
    static QString HomePage();
    // The launcher buttons' visibility and captions from the settings file.
    void LoadLaunchers();
    // Launcher N runs launchers/cmdN; when it cannot start, the operator may choose the program.
    void BCmdClick(int n);

    // The DDE consumer: each Open macro's file appended to channel 1 (kept on repeat), then an idle
    // channel 1 goes on when anything was queued. A long list is appended a slice per event, in order,
    // with at most one WM_PLAYNEXT after the last slice.
    void TEDDdeServerExecuteMacro(TDDEHandler* sender, const QStringList& macros);
    // Files handed over and not appended yet.
    qsizetype FilesWaitingToEnqueue() const { return enqueueWaiting_.size(); }

    // The first showing runs once the window is on screen, so the windows it places (this one too)
    // may be shown or hidden as saved.
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The clicks of the labels LVolume and LBalance.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunFirstShow();
    // Step 7: the saved master volume and balance on the mixer.
    void ApplyMasterVolume();
    // S3: the record's values into the pages; S4: the controls of channels 2 and 3 hidden.
    void ShowOptions();
    void ShowPlayoutChannelsOnly();
    void ShowLogLevel();
    void ListSkins();
    // The package on the skin component, which is made active when it is not; false when the package
    // is there but does not load (the skin in use stays).
    bool LoadSkin(const QString& skinFile);
    void ListTranslatedCaptions();
    void BuildMenu();
    void BuildMainPage();
    void BuildSoundPage();
    void BuildLanguagesPage();
    void BuildLogPage();
    void BuildSkinPage();
    void BuildLaunchersPage();
    void BuildUtilsPage();
    void BuildDevicesPage();
    void BuildFadePage();
    void ArrangeWindows();
    void AddSetMainWindowCommand();
    void AppendEnqueueSlice();

    bool FirstShow = true;
    bool stationUp_ = false;
    QStringList enqueueWaiting_;
    bool enqueueSliceQueued_ = false;
    // An append of the current hand-over succeeded: an idle channel 1 goes on after the last slice.
    bool enqueueAppended_ = false;
};

inline TFMain* FMain = nullptr;
