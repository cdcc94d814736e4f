// Position, end and slide syncs of a stream.
#include "audiolib/AudioLib.h"
#include "audiolib/Handles.h"
#include "audiolib/StreamCall.h"

#include <algorithm>

namespace audiolib {

Handle ChannelSetSync(Handle handle, uint32_t type, int64_t param, SyncProc proc, void* user)
{
    StreamCall call(handle);
    if (!call)
        return 0;
    const bool fromEnd = (type & SyncFromEnd) != 0;
    const uint32_t kind = type & ~(SyncOneTime | SyncFromEnd);
    if ((kind != SyncPos && kind != SyncEnd && kind != SyncSlide) || (fromEnd && kind != SyncPos)) {
        SetLastError(ErrorIllType);
        return 0;
    }
    if (proc == nullptr || (kind == SyncPos && param < 0)) {
        SetLastError(ErrorIllParam);
        return 0;
    }
    // A byte position between two frames is reached with the frame after it; one counted back from the
    // end is placed when the stream takes the sync.
    const int64_t frame = kind == SyncPos && !fromEnd ? (param + 3) / 4 : 0;
    const SyncPoint point{NewHandle(HandleKind::Sync), kind, (type & SyncOneTime) != 0, frame, proc, user,
                          fromEnd ? param / 4 : -1};
    call.Submit(StreamChange::AddSync(point));
    SetLastError(ErrorOk);
    return point.handle;
}

bool ChannelRemoveSync(Handle handle, Handle sync)
{
    StreamCall call(handle);
    if (!call)
        return false;
    const std::vector<SyncPoint>& syncs = call.GetStream().syncs;
    if (std::none_of(syncs.begin(), syncs.end(), [&](const SyncPoint& s) { return s.handle == sync; }))
        return Fail(ErrorHandle);
    call.Submit(StreamChange::RemoveSync(sync));
    return Succeed();
}

} // namespace audiolib
