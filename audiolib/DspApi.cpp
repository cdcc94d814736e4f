// DSP procedures and effects on a stream.
#include "audiolib/AudioLib.h"
#include "audiolib/Handles.h"
#include "audiolib/InsideMix.h"
#include "audiolib/ParamEq.h"
#include "audiolib/Reverb.h"
#include "audiolib/StreamCall.h"

#include <new>

namespace audiolib {

namespace {
std::unique_ptr<Effect> MakeEffect(uint32_t type, int rate)
{
    if (type == FxParamEq)
        return std::make_unique<ParamEq>(rate);
    return std::make_unique<Reverb>(rate);
}
} // namespace

Handle ChannelSetDSP(Handle handle, DspProc proc, void* user, int priority)
{
    if (proc == nullptr)
        return ChannelSetDSP(handle, DspFunction{}, priority);
    return ChannelSetDSP(
        handle,
        [proc, user](Handle dsp, Handle stream, float* buffer, uint32_t length) {
            proc(dsp, stream, buffer, length, user);
        },
        priority);
}

Handle ChannelSetDSP(Handle handle, DspFunction function, int priority)
{
    StreamCall call(handle);
    if (!call)
        return 0;
    if (!function) {
        SetLastError(ErrorIllParam);
        return 0;
    }
    try {
        // Procedures and effects share the numbering of the other things attached to a stream.
        const Handle dsp = NewHandle(HandleKind::Dsp);
        call.GetStream().chain.AddProcedure(dsp, priority, std::move(function));
        SetLastError(ErrorOk);
        return dsp;
    } catch (const std::bad_alloc&) {
        SetLastError(ErrorMem);
        return 0;
    }
}

bool ChannelRemoveDSP(Handle handle, Handle dsp)
{
    // Declared before the call, so the procedure's state is destroyed after the lock is released.
    DspFunction removed;
    StreamCall call(handle);
    if (!call)
        return false;
    // The mixer runs the chain only under the mix lock, held here: the procedure is not running.
    if (!call.GetStream().chain.RemoveProcedure(dsp, removed))
        return Fail(ErrorHandle);
    return Succeed();
}

Handle ChannelSetFX(Handle handle, uint32_t type, int priority)
{
    StreamCall call(handle);
    if (!call)
        return 0;
    if (type != FxParamEq && type != FxReverb) {
        SetLastError(ErrorIllType);
        return 0;
    }
    try {
        Stream& stream = call.GetStream();
        const Handle fx = NewHandle(HandleKind::Fx);
        stream.chain.AddEffect(fx, priority, MakeEffect(type, stream.rate));
        SetLastError(ErrorOk);
        return fx;
    } catch (const std::bad_alloc&) {
        SetLastError(ErrorMem);
        return 0;
    }
}

bool FXSetParameters(Handle fx, const void* parameters)
{
    if (RefusedInsideMix())
        return false;
    bool accepted = false;
    const int error = Engine::Instance().WithEffect(
        fx, [&](Effect& effect) { accepted = parameters != nullptr && effect.SetParameters(parameters); });
    return Report(error != ErrorOk ? error : accepted ? ErrorOk : ErrorIllParam);
}

bool FXGetParameters(Handle fx, void* parameters)
{
    if (RefusedInsideMix())
        return false;
    const int error = Engine::Instance().WithEffect(fx, [&](Effect& effect) {
        if (parameters != nullptr)
            effect.GetParameters(parameters);
    });
    return Report(error != ErrorOk ? error : parameters != nullptr ? ErrorOk : ErrorIllParam);
}

} // namespace audiolib
