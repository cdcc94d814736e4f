#include "playout/ChannelLineIn.h"

#include "foundation/Options.h"
#include "playout/AudioLayer.h"
#include "playout/ChannelPlayback.h"
#include "playout/ChannelQueue.h"
#include "playout/DeviceTables.h"

TChannelLineIn::TChannelLineIn(TChannelQueue& queue, TChannelPlayback& playback, QObject* parent)
    : QObject(parent), queue_(queue), playback_(playback), channelNo_(queue.ChannelNo())
{
    playback_.PlayLineInItem = [this](const TTemaData& entry) { PlayLineInItem(entry); };
    connect(&TTimerLineIn, &platform::ClockTimer::Timeout, this, &TChannelLineIn::TimerLineInTimer);
    connect(&playback_, &TChannelPlayback::LeavingEntry, this, &TChannelLineIn::LeaveLineIn);
}

void TChannelLineIn::PlayLineInItem(const TTemaData& entry)
{
    // In 64 bits, held by the timer at its longest; 0 s never starts it.
    TTimerLineIn.Start(entry.Duration * 1000);
    entryIndex_ = queue_.ItemIndex();
    entryToken_ = playback_.AdvanceToken();
    SetLineInDown(true);
    emit VisualiserCleared();
    StartLineIn();
}

void TChannelLineIn::StartLineIn()
{
    queue_.Paused = true;
    queue_.SetOnAir(false);
    playback_.PausePlayback();
    emit PositionTimerEnabled(false);
    ChannelPauseBoth(channelNo_);
    Switch(MixerSourceKind::Line, true);
}

void TChannelLineIn::EndLineIn()
{
    queue_.Paused = false;
    queue_.SetOnAir(true);
    emit PositionTimerEnabled(true);
    ChannelPlayBoth(channelNo_);
    Switch(MixerSourceKind::Line, false);
}

void TChannelLineIn::TimerLineInTimer()
{
    TTimerLineIn.Stop();
    // Only while its entry is still the current one: a jump or a stop since has closed it already.
    if (queue_.ItemIndex() != entryIndex_ || playback_.AdvanceToken() != entryToken_)
        return;
    SetLineInDown(false);
    EndLineIn();
    platform::PostMessage(&playback_, platform::WM_PLAYNEXT, 0, entryToken_);
}

void TChannelLineIn::LeaveLineIn()
{
    if (!TTimerLineIn.IsActive())
        return;
    TTimerLineIn.Stop();
    entryIndex_ = -1;
    if (!lineInDown_)
        return;
    SetLineInDown(false);
    queue_.Paused = false;
    Switch(MixerSourceKind::Line, false);
}

void TChannelLineIn::LineInClick(bool down)
{
    SetLineInDown(down);
    if (down) {
        emit VisualiserCleared();
        StartLineIn();
    } else {
        EndLineIn();
    }
}

void TChannelLineIn::MicClick(bool down)
{
    if (down)
        MicOn();
    else
        MicOff();
}

void TChannelLineIn::MicOn()
{
    micDown_ = true;
    SavedVolume = playback_.Volume();
    const int ducked = StationOptions.MicFadeVolMinPercent[channelNo_];
    playback_.SetDuck(ducked);
    ChannelSlide(channelNo_, KeepFrequency, ducked, KeepPan,
                 uint32_t(StationOptions.MicFadeInterval[channelNo_]) * 1000);
    Switch(MixerSourceKind::Microphone, true);
}

void TChannelLineIn::MicOff()
{
    // Only a ducked channel comes back up: closing a microphone that was never opened (the window's
    // set-up does) must not slide what plays to a volume nobody saved.
    if (micDown_)
        ChannelSlide(channelNo_, KeepFrequency, SavedVolume, KeepPan,
                     uint32_t(StationOptions.MicFadeInterval[channelNo_]) * 1000);
    micDown_ = false;
    playback_.SetDuck(-1);
    Switch(MixerSourceKind::Microphone, false);
}

void TChannelLineIn::SetMuted(bool on)
{
    const int position = on ? 0 : SavedVolume;
    SavedVolume = on ? playback_.Volume() : 0;
    playback_.SetVolume(position);
    emit KnobMoved(position);
}

void TChannelLineIn::CloseLineIn()
{
    TTimerLineIn.Stop();
    SetLineInDown(false);
    Switch(MixerSourceKind::Line, false);
}

void TChannelLineIn::SetLineInDown(bool down)
{
    if (lineInDown_ == down)
        return;
    lineInDown_ = down;
    emit LineInButtonChanged(down);
}

void TChannelLineIn::Switch(MixerSourceKind kind, bool enable)
{
    // The mixer of the device the slot really plays on: an unknown name plays on device 1.
    const QString device = GetDeviceName(OutputDevices, SlotDeviceIndex(channelNo_));
    EnableMixerSource(Mix, kind, device, enable);
}
