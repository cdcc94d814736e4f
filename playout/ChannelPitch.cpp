#include "playout/ChannelPitch.h"

#include "playout/AudioLayer.h"
#include "playout/ChannelPlayback.h"

#include <algorithm>

TChannelPitch::TChannelPitch(TChannelPlayback& playback, int channelNo, QObject* parent)
    : QObject(parent), channelNo_(channelNo)
{
    // A new entry plays at its own rate: the pitch shown is the one heard.
    connect(&playback, &TChannelPlayback::FileEntryStarted, this, [this] { Show(0); });
}

void TChannelPitch::Step(int delta)
{
    Apply(std::clamp(position_ + delta, Min, Max));
}

QString TChannelPitch::Label(int position)
{
    return QString::asprintf("Pitch: %.0fx", position * 100.0 / 60.0);
}

void TChannelPitch::Apply(int position)
{
    Show(position);
    ChannelSetSpeed(channelNo_, static_cast<float>(position));
}

void TChannelPitch::Show(int position)
{
    position_ = position;
    emit PitchShown(position, Label(position));
}
