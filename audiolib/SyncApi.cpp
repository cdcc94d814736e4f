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
    const uint32_t kind = type & ~SyncOneTime;
    if (kind != SyncPos && kind != SyncEnd && kind != SyncSlide) {
        SetLastError(ErrorIllType);
        return 0;
    }
    if (proc == nullptr || (kind == SyncPos && param < 0)) {
        SetLastError(ErrorIllParam);
        return 0;
    }
    // A byte position between two frames is reached with the frame after it.
    const int64_t frame = kind == SyncPos ? (param + 3) / 4 : 0;
    const Handle sync = NewHandle(HandleKind::Sync);
    call.GetStream().syncs.push_back({sync, kind, (type & SyncOneTime) != 0, frame, proc, user});
    SetLastError(ErrorOk);
    return sync;
}

bool ChannelRemoveSync(Handle handle, Handle sync)
{
    StreamCall call(handle);
    if (!call)
        return false;
    std::vector<SyncPoint>& syncs = call.GetStream().syncs;
    const auto it =
        std::find_if(syncs.begin(), syncs.end(), [&](const SyncPoint& s) { return s.handle == sync; });
    if (it == syncs.end())
        return Fail(ErrorHandle);
    syncs.erase(it);
    return Succeed();
}

} // namespace audiolib
