#pragma once
// A channel's line-in and microphone: a line-in entry pauses both streams and opens the sound card's
// line input for its seconds, then the queue goes on; the line-in button does the same by hand
// without advancing; the microphone button ducks the channel and opens the microphone input. The
// window mirrors BLinein and BMic from here.
#include "platform/ClockTimer.h"
#include "platform/Messages.h"
#include "playout/AudioMixer.h"
#include "playout/MixerSource.h"
#include "playout/TemaData.h"

#include <QObject>

class TChannelPlayback;
class TChannelQueue;

class TChannelLineIn : public QObject {
    Q_OBJECT
public:
    // Takes the playback's line-in entries.
    TChannelLineIn(TChannelQueue& queue, TChannelPlayback& playback, QObject* parent = nullptr);

    TAudioMixer Mix;
    platform::ClockTimer TTimerLineIn;
    // The knob position when the microphone opened or the channel was muted, whichever came later.
    int SavedVolume = 0;

    bool LineInDown() const { return lineInDown_; } // BLinein
    bool MicDown() const { return micDown_; }       // BMic

    void PlayLineInItem(const TTemaData& entry);
    void StartLineIn();
    void EndLineIn();
    // BLinein and BMic clicked into the state `down`.
    void LineInClick(bool down);
    void MicClick(bool down);
    void MicOn();
    void MicOff();
    // The settings window's mute: on keeps the knob's position and turns it to 0, off turns it back
    // and keeps 0 (muting twice therefore keeps 0).
    void SetMuted(bool on);
    // Leaves the card's line input muted and its button up, touching nothing that plays: the
    // window's set-up and its destruction close it so (with MicOff), where EndLineIn would resume
    // streams nobody asked for.
    void CloseLineIn();

signals:
    void LineInButtonChanged(bool down);
    // The knob goes to the position; the window moves it and the channel takes it as its volume.
    void KnobMoved(int position);
    void VisualiserCleared();
    // The position timer stops while the line input has the air.
    void PositionTimerEnabled(bool enabled);

private:
    void TimerLineInTimer();
    // The channel leaves a timed line-in entry by another way: the line input closes, the paused
    // streams stay paused.
    void LeaveLineIn();
    void SetLineInDown(bool down);
    void Switch(MixerSourceKind kind, bool enable);

    TChannelQueue& queue_;
    TChannelPlayback& playback_;
    int channelNo_;
    bool lineInDown_ = false;
    bool micDown_ = false;
    // The timed line-in entry: its index and the advance token it started under.
    int entryIndex_ = -1;
    platform::LParam entryToken_ = 0;
};
