#pragma once
// The settings window. Its first showing sets up the whole station from the settings file, in a
// fixed order; its close box asks the exit question instead of closing. Its pages are not built yet.
#include "foundation_gui/Language.h"

#include <QStringList>
#include <QWidget>

class QAction;
class TDDEHandler;
class TssVolumeController;
class QMenu;
class QMenuBar;

class TFMain : public QWidget {
    Q_OBJECT
public:
    TFMain();
    ~TFMain() override;

    QMenuBar* MMenu;
    QMenu* MMain;
    QAction* MExit;
    // "set as main window", added by the first showing.
    QAction* MSetMainWindow = nullptr;
    TLanguage LangMain;
    // The master volume, balance and mute; it touches no mixer before the first showing's step 7.
    TssVolumeController* ssMainVolumeController1;

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
    // Every translated window takes the language file of TOptions.Language.
    void SetLanguage();

    // The DDE consumer: each Open macro's file appended to channel 1 (kept on repeat), then channel 1
    // goes on when anything was queued. Other macros are refused and logged. A long list is appended a
    // slice per event, in order, with one WM_PLAYNEXT after the last slice.
    void TEDDdeServerExecuteMacro(TDDEHandler* sender, const QStringList& macros);
    // Files handed over and not appended yet.
    qsizetype FilesWaitingToEnqueue() const { return enqueueWaiting_.size(); }

    // The first showing runs once the window is on screen, so the windows it places (this one too)
    // may be shown or hidden as saved.
    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RunFirstShow();
    // Step 7: the saved master volume and balance on the mixer.
    void ApplyMasterVolume();
    void ArrangeWindows();
    void AddSetMainWindowCommand();
    void AppendEnqueueSlice();

    bool FirstShow = true;
    bool stationUp_ = false;
    QStringList enqueueWaiting_;
    bool enqueueSliceQueued_ = false;
    // An append of the current hand-over succeeded: channel 1 goes on after the last slice.
    bool enqueueAppended_ = false;
};

inline TFMain* FMain = nullptr;
