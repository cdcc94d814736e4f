#include "playout/PlayerSlot.h"

#include <utility>

namespace {

bool Sounds(audiolib::Handle stream)
{
    const uint32_t state = audiolib::ChannelIsActive(stream);
    return state == audiolib::ActivePlaying || state == audiolib::ActivePaused;
}

} // namespace

void TChannel::SetItemIndex(int32_t index)
{
    const size_t place = PlaceOf(index);
    if (onAir_ != 0 && streams_[place] != onAir_ && streams_[1 - place] == onAir_)
        std::swap(streams_[0], streams_[1]);
    itemIndex_ = index;
}

bool TChannel::KeepsEarlierEntry() const
{
    const size_t place = PlaceOf(itemIndex_);
    return streams_[place] != onAir_ && Sounds(streams_[place]) && !Sounds(streams_[1 - place]);
}

audiolib::Handle TChannel::ForNext() const
{
    const size_t place = PlaceOf(itemIndex_);
    return streams_[KeepsEarlierEntry() ? 1 - place : place];
}

void TChannel::PutOnAir(audiolib::Handle stream)
{
    // The earlier entry changes handles, so the new stream still sits where its index points.
    if (KeepsEarlierEntry())
        std::swap(streams_[0], streams_[1]);
    audiolib::Handle& place = streams_[PlaceOf(itemIndex_)];
    if (place != 0 && place != stream)
        audiolib::StreamFree(place);
    place = stream;
    onAir_ = stream;
}

void TChannel::StopOnAir()
{
    audiolib::ChannelStop(onAir_);
    onAir_ = 0;
}

void TChannel::StopBoth()
{
    audiolib::ChannelStop(streams_[0]);
    audiolib::ChannelStop(streams_[1]);
}

void TChannel::PauseBoth()
{
    audiolib::ChannelPause(streams_[0]);
    audiolib::ChannelPause(streams_[1]);
}

void TChannel::PlayBoth()
{
    audiolib::ChannelPlay(streams_[0], false);
    audiolib::ChannelPlay(streams_[1], false);
}

bool TChannel::RemoveSyncBoth(audiolib::Handle sync)
{
    const bool removedA = audiolib::ChannelRemoveSync(streams_[0], sync);
    const bool removedB = audiolib::ChannelRemoveSync(streams_[1], sync);
    return removedA && removedB;
}
