#include "audiolib/StreamChange.h"

#include <algorithm>

namespace audiolib {

namespace {
void Change(SlidingValue& value, const std::optional<double>& target, int64_t slideFrames)
{
    if (!target)
        return;
    if (slideFrames < 0)
        value.Set(*target);
    else
        value.SlideTo(*target, slideFrames);
}
} // namespace

void ApplyChange(Stream& stream, const StreamChange& change, int deviceRate)
{
    switch (change.kind) {
    case StreamChange::Kind::Play:
        if (stream.state == StreamState::Playing && !change.restart)
            return;
        // A stream that played to its end starts again from the beginning.
        if (change.restart || stream.atEnd)
            stream.SeekTo(0);
        stream.state = StreamState::Playing;
        return;
    case StreamChange::Kind::Pause:
        if (stream.state == StreamState::Playing)
            stream.state = StreamState::Paused;
        return;
    case StreamChange::Kind::Attributes:
        if (change.freq)
            stream.PrepareRate(*change.freq, deviceRate);
        Change(stream.freq, change.freq, change.slideFrames);
        Change(stream.volume, change.volume, change.slideFrames);
        Change(stream.pan, change.pan, change.slideFrames);
        return;
    case StreamChange::Kind::AddSync:
        stream.syncs.push_back(change.sync);
        if (change.sync.beforeEnd >= 0) // placed by the length the stream has when it takes the sync
            stream.syncs.back().frame = stream.FrameBeforeEnd(change.sync.beforeEnd);
        return;
    case StreamChange::Kind::RemoveSync:
        std::erase_if(stream.syncs, [&](const SyncPoint& sync) { return sync.handle == change.sync.handle; });
        return;
    }
}

} // namespace audiolib
