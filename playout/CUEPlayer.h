#pragma once
// The pre-listen (CUE) window: a small window on top of the others that shows the file playing on the
// pre-listen player, its position bar and its volume. The player itself is TCUEPlayback; this window
// shows it. Controls that other windows read keep their names as objectName.
#include "playout/CUEPlayback.h"

#include <QWidget>

class QSlider;
class QStatusBar;
class QToolButton;
class TThreadedTimer;

class TFCUEPlayer : public QWidget {
    Q_OBJECT
public:
    explicit TFCUEPlayer(QWidget* parent = nullptr);
    ~TFCUEPlayer() override;

    TCUEPlayback& Playback() { return playback_; }

    // Plays path from its start, showing this window (the folders, combinations and channel windows).
    void PlayFile(const QString& path) { playback_.PlayFile(path); }
    // The settings window's mute of the channels.
    void SetMuted(bool on) { playback_.SetMuted(on); }
    // The device window's Apply for the pre-listen slot.
    bool InitOutputDevice() { return playback_.InitOutputDevice(); }
    // The set-up of the first showing; runs once, also when start-up keeps the window hidden.
    void DoFirstShow();

    QStatusBar* SB;
    QToolButton* SBStop;
    QToolButton* SBReload;
    QSlider* VolumeCtrl; // 0..100; the settings save reads it as the cue volume
    QSlider* TB;         // position of the file in percent, 1..100
    TThreadedTimer* TSong;

protected:
    // WM_CUEEND posted to the window goes to the player.
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    TCUEPlayback playback_;
    bool firstShow_ = true;

    void CreateControls();
    void ConnectPlayback();
};

// The one pre-listen window, created at start-up.
extern TFCUEPlayer* FCUEPlayer;
