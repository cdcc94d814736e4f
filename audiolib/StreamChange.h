#pragma once
// A change to a stream that a batch can hold back: play, pause, attributes and their slides, syncs.
// Applied at once outside a batch; inside one, together with the rest of the batch.
#include "audiolib/Stream.h"

#include <optional>

namespace audiolib {

struct StreamChange {
    enum class Kind { Play, Pause, Attributes, AddSync, RemoveSync };
    Kind kind = Kind::Play;
    bool restart = false;       // Play
    std::optional<double> freq; // Attributes: the values to set or slide to
    std::optional<double> volume;
    std::optional<double> pan;
    int64_t slideFrames = -1; // Attributes: -1 sets them, else slides over that many frames
    SyncPoint sync;           // AddSync; RemoveSync uses its handle

    static StreamChange Play(bool restart)
    {
        StreamChange change;
        change.restart = restart;
        return change;
    }
    static StreamChange Pause() { return Of(Kind::Pause); }
    static StreamChange Attributes() { return Of(Kind::Attributes); }
    static StreamChange AddSync(const SyncPoint& sync)
    {
        StreamChange change = Of(Kind::AddSync);
        change.sync = sync;
        return change;
    }
    static StreamChange RemoveSync(Handle sync)
    {
        StreamChange change = Of(Kind::RemoveSync);
        change.sync.handle = sync;
        return change;
    }

private:
    static StreamChange Of(Kind kind)
    {
        StreamChange change;
        change.kind = kind;
        return change;
    }
};

void ApplyChange(Stream& stream, const StreamChange& change, int deviceRate) REQUIRES(mixLocks);

} // namespace audiolib
