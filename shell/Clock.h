#pragma once
// The clock window: a small frameless LED clock on top of the others that folds out its options, plays
// the hour signal a few seconds before the hour or each quarter, and sets the PC clock from a time
// server. Its set-up runs once at start-up whether the window is shown or not.
#include "foundation_gui/Language.h"

#include <QDateTime>
#include <QWidget>

class QCheckBox;
class QLabel;
class QSpinBox;
class TLXButton;
class TLXLEDLabel;
class TLXWaveComp;
class TLbButton;
class TThreadedTimer;
namespace platform {
class SntpClient;
struct SntpResult;
} // namespace platform

class TFClock : public QWidget {
    Q_OBJECT
public:
    TFClock();
    ~TFClock() override;

    // The set-up: the time server, the start-up time setting, the hour-signal settings, the fold and
    // the signal sound. Runs once, from the first showing or from start-up, whichever comes first.
    void DoFirstShow();
    // The settings window's mute box: the hour-signal box unchecked while muted.
    void SetHourSignalsMuted(bool muted);
    // Set the PC clock from the time server, the result in the log or in a box once the answer is in.
    void SyncTimeAndLog();
    void SyncTimeAndShow();

    bool BeepLoaded() const { return beepLoaded_; }
    bool Folded() const;
    void Fold();
    void Unfold();

    QWidget* PTop;
    QWidget* PBottom;
    TLXLEDLabel* LEDClock;
    TLbButton* BClockOptions;
    QLabel* LMinutesSH;
    QCheckBox* CBSHActivadas;
    QSpinBox* SESHMinutos;
    TLXButton* LXBGetSNTPTime;
    TLXWaveComp* LXWaveComp1;
    TThreadedTimer* TimerDate;
    platform::SntpClient* SNTPClient1;
    TLanguage LangClock;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool firstShow_ = true;
    bool beepLoaded_ = false;
    QDateTime lastTick_;

    void CreateControls();
    void TimerDateTimer();
    void SESHMinutosChange();
    void LoadHourSignal();
    // Starts one request; report gets the result on the GUI thread.
    void SyncTime(void (TFClock::*report)(const platform::SntpResult&));
    void LogSyncResult(const platform::SntpResult& result);
    void ShowSyncResult(const platform::SntpResult& result);
};

inline TFClock* FClock = nullptr;
