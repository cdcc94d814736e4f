#include "playout/ChannelPosition.h"

#include "playout/AudioLayer.h"
#include "playout/ChannelQueue.h"

TChannelPosition::TChannelPosition(TChannelQueue& queue, QObject* parent)
    : QObject(parent), queue_(queue), channelNo_(queue.ChannelNo())
{
}

void TChannelPosition::Tick()
{
    if (!ChannelIsActive(channelNo_))
        return;
    // The length stated when the file opened may since have become the exact one.
    queue_.LengthSec = ChannelLengthSeconds(channelNo_);
    const int64_t position = ChannelPositionSeconds(channelNo_);
    if (queue_.LengthSec > 0)
        emit PositionShown(static_cast<int>(position * 1000 / (int64_t(queue_.LengthSec) * 10)));
    if (ChannelIsPlaying(channelNo_))
        queue_.UpdateTimes(TimeTick, position * 1000);
    else
        queue_.ShowCountdown(int64_t(queue_.LengthSec) * 1000 - position * 1000);
}

void TChannelPosition::Seek(int percent)
{
    if (ChannelIsActive(channelNo_))
        ChannelSetPositionFraction(channelNo_, percent / 100.0);
}
