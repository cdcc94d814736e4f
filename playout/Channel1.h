#pragma once
// The playout channel window: the queue list with its popup menu and drops, the time displays and
// the transport controls. The queue and its bookkeeping live in TChannelQueue, the playback in
// TChannelPlayback; this window shows them. Controls that other windows and later features read
// keep their names as objectName.
#include "playout/Channel1Calls.h"
#include "playout/ChannelLineIn.h"
#include "playout/ChannelPitch.h"
#include "playout/ChannelPlayback.h"
#include "playout/ChannelPosition.h"
#include "playout/ChannelQueue.h"
#include "playout/ChannelVisualiser.h"

#include <QWidget>

#include <cstdint>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QSlider;
class QTimer;
class TThreadedTimer;
class TVisualBox;
class TLXTrackBar;
class TKnob;
class TLbButton;
class TLbSpeedButton;
class TLXLEDLabel;
class TNKScrollLabel;
class TQueueListView;
class TStationIdMenu;

class TFChannel1 : public QWidget {
    Q_OBJECT
public:
    explicit TFChannel1(QWidget* parent = nullptr);
    ~TFChannel1() override;

    TChannelQueue& Queue() { return queue_; }
    TChannelPlayback& Playback() { return playback_; }
    TChannelLineIn& LineIn() { return lineIn_; }
    TChannelPosition& Position() { return position_; }
    TChannelPitch& Pitch() { return pitch_; }

    // The windows above the playout engine, as the window set hands them over.
    TChannel1Calls Calls;

    // The append the folders, combinations and shell windows call: the new index, or -1.
    int AddItem(const QString& text, uint8_t keep) { return queue_.AddItem(text, keep); }
    // List font, colour and row height from the channel display roles; also after the fonts dialog.
    void ApplyListFonts();
    // The set-up of the first showing; runs once, also when start-up keeps the window hidden.
    void DoFirstShow();
    // Makes entry index the next to start (the emergency item, the start-up page).
    void PlayItemAt(int index) { playback_.PlayItemAt(index); }
    // The slot's output device, at the set-up and after the device window's Apply.
    bool InitOutputDevice() { return playback_.InitOutputDevice(); }

    void PMInsertFileClick();
    // A label entry from an input box, and a line-in entry from the line-in event dialog, at the end.
    void PMInsertLabelClick();
    void PMInsertLineinClick();
    void PMDelThemesClick();
    void PMDelAllThemesClick();
    void PMRandomizeSelectionClick();
    void PMSelectAllClick();
    void PMRemoveSelectionClick();
    void PMStopAllClick();
    // Pre-listen and information act on the list's focus item, and only with a selection.
    void PMThemeCUEClick();
    void PMThemeInformationClick();
    void PMThemeSearchClick();
    void PMSaveListAsCombinationClick();

    // The settings window's mute of the channels.
    void SetMuted(bool on) { lineIn_.SetMuted(on); }

    // The position timer's tick (every 500 ms on the GUI thread).
    void TSongTimer();
    // The visualiser timer's tick (every 33 ms): a frame only while the channel plays and someone can
    // see it; the last one stays when the channel pauses.
    void TDrawSoundTimer();
    // 2 spectrum, 0 circle, 1 oscilloscope; a click on PSound moves on to the next.
    int VisualMode() const { return visual_.VisualMode(); }
    void PSoundClick() { visual_.NextMode(); }

    QLabel* STCanal;
    QLabel* STOnAir;
    TNKScrollLabel* LInfo; // the scrolling title
    QLabel* LBitRate;
    QLabel* LTotal;
    TLXLEDLabel* LEDTheTiempoTotal; // total queue time
    TLXLEDLabel* LEDTiempoTotal;    // remaining queue time
    QLabel* LParcial;
    TLXLEDLabel* LEDTiempoCuentaAtras; // countdown of the current entry
    QSlider* TB;                       // position of the playing entry, 0..100
    TLXTrackBar* TBPitchShift;
    TLbButton* BMenos;
    TLbButton* BMas;
    QLabel* LPitch;
    TLbButton* BFx;
    TLbSpeedButton* BPlayPause;
    TLbSpeedButton* BStop;
    TLbSpeedButton* BFadeOut;
    TLbSpeedButton* BRepeat;
    TLbSpeedButton* BRnd;
    TLbSpeedButton* BMic;
    TLbSpeedButton* BLinein;
    TLbButton* BInsert; // opens the station-identification menu
    QLabel* LVol;
    TKnob* VolumeCtrl; // channel volume 0..100
    QLabel* LVol2;
    TVisualBox* PSound; // the visualiser's area
    TThreadedTimer* TSong;
    QTimer* TDrawSound;
    TQueueListView* LB;

    QMenu* PMCanal;
    QMenu* PMInsert;
    QAction* PMInsertFile;
    QAction* PMInsertLabel;
    QAction* PMInsertLinein;
    QAction* PMDelThemes;
    QAction* PMDelAllThemes;
    QAction* PMRandomizeSelection;
    QAction* PMSelectAll;
    QAction* PMRemoveSelection;
    QAction* PMStopAll;
    TStationIdMenu* StationIdMenu; // PMIndicativos and its items
    QAction* PMThemeCUE;
    QAction* PMThemeInformation;
    QAction* PMThemeSearch;
    QAction* PMSaveListAsCombination;

protected:
    // WM_PLAYNEXT and WM_CROSSFADEPOINT posted to the window from outside go to the playback.
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The clicks of LPitch and PSound, and PSound's size.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TChannelQueue queue_;
    TChannelPlayback playback_{queue_};
    TChannelLineIn lineIn_{queue_, playback_};
    TChannelPosition position_{queue_};
    TChannelPitch pitch_{playback_, queue_.ChannelNo()};
    bool firstShow_ = true;
    TChannelVisualiser visual_;

    void CreateControls();
    void CreateMenu();
    void ConnectQueue();
    void ConnectPlayback();
    // The "Fx" button and the effects each new entry gets, through the effects window.
    void ConnectEffects();
    void ConnectControls();
    void TranslateWindow();
    // The file of the list's focus item (empty for a label or line-in entry) when at least one item is
    // selected; none otherwise.
    std::optional<QString> FocusFile();
    void ShowOnAir(bool on);
};

// The one channel window, created at start-up.
extern TFChannel1* FChannel1;
