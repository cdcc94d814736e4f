#pragma once
// One player slot (TChannel): its two stream handles, its output device and the index of its
// current entry. The stream on air is known by its handle, so stopping, pausing or jumping acts on
// what really plays. The parity rule only places streams: a stream put on air takes StreamB for an
// even index and StreamA for an odd one (and -1), so consecutive entries alternate between the
// handles and one can fade in while the previous one fades out on the other. GUI thread only.
#include "audiolib/AudioLib.h"

#include <QString>

#include <array>
#include <cstdint>

class TChannel {
public:
    QString Device; // matched against OutputDevices' Name

    int32_t ItemIndex() const { return itemIndex_; }
    // The index moved (a jump, an advance, an edit of the queue): a stream on air stays the current
    // entry's and moves to the handle the new index selects.
    void SetItemIndex(int32_t index);

    audiolib::Handle StreamA() const { return streams_[0]; }
    audiolib::Handle StreamB() const { return streams_[1]; }
    // The stream of the current entry, playing or paused; 0 when nothing is on air.
    audiolib::Handle OnAir() const { return onAir_; }
    // The handle the next stream put on air replaces: the one the index selects, unless it still
    // sounds for an earlier entry (fading out) while the other one is silent.
    audiolib::Handle ForNext() const;
    // A new stream becomes the current entry's, in the place of ForNext(), which is freed. A stream
    // that was on air goes on as it is. 0 leaves nothing on air.
    void PutOnAir(audiolib::Handle stream);
    // The current entry hands over without being stopped: it fades out or ends on its own while the
    // next one starts.
    void ReleaseAir() { onAir_ = 0; }
    // Stops the stream on air (it frees itself); nothing is on air afterwards.
    void StopOnAir();

    // Both handles, whatever is on air.
    void StopBoth();
    void PauseBoth();
    void PlayBoth();
    // Tries both handles, always; true only if both removals succeeded.
    bool RemoveSyncBoth(audiolib::Handle sync);

private:
    std::array<audiolib::Handle, 2> streams_{}; // StreamA, StreamB
    int32_t itemIndex_ = -1;
    audiolib::Handle onAir_ = 0;

    static size_t PlaceOf(int32_t index) { return index % 2 == 0 ? 1 : 0; }
    // Whether the place the index selects holds an earlier entry still sounding, and the other
    // place is free for the next stream.
    bool KeepsEarlierEntry() const;
};
