// Stream creation and freeing.
#include "audiolib/AudioLib.h"
#include "audiolib/Engine.h"
#include "audiolib/Handles.h"
#include "audiolib/LastError.h"
#include "audiolib/StreamFactory.h"

#include <algorithm>
#include <new>

namespace audiolib {

namespace {
// The sound of a user stream without a procedure: endless silence.
class SilenceDecoder final : public Decoder {
public:
    SilenceDecoder(int rate, int channels) : rate_(rate), channels_(channels) {}
    int SampleRate() const override { return rate_; }
    int SourceChannels() const override { return channels_; }
    int64_t LengthFrames() const override { return 0; }
    int64_t Read(float* out, int64_t frames) override
    {
        std::fill(out, out + frames * 2, 0.0f);
        return frames;
    }
    bool Seek(int64_t) override { return true; }

private:
    int rate_;
    int channels_;
};
} // namespace

Handle StreamCreateFromDecoder(std::unique_ptr<Decoder> decoder, uint32_t flags, bool endless)
{
    Engine& engine = Engine::Instance();
    std::lock_guard lock(engine.mutex);
    Device* device = engine.CurrentDevice();
    if (device == nullptr) {
        SetLastError(ErrorInit);
        return 0;
    }
    if (decoder->SampleRate() <= 0 || (!endless && decoder->LengthFrames() < 0)) {
        SetLastError(ErrorDecode);
        return 0;
    }
    try {
        const int64_t bufferFrames = device->BufferFrames(decoder->SampleRate());
        auto stream = std::make_unique<Stream>(NewHandle(HandleKind::Stream), device->index, flags,
                                               std::move(decoder), endless, bufferFrames);
        stream->volume.Set(device->maxVol);
        if (!device->manual)
            stream->StartDecodeThread();
        const Handle handle = engine.AddStream(std::move(stream));
        SetLastError(ErrorOk);
        return handle;
    } catch (const std::bad_alloc&) {
        SetLastError(ErrorMem);
        return 0;
    }
}

Handle StreamCreate(int freq, int chans, uint32_t flags, StreamProc proc, void*)
{
    if (proc != nullptr) {
        SetLastError(ErrorNotAvail);
        return 0;
    }
    if (freq <= 0 || chans <= 0) {
        SetLastError(ErrorIllParam);
        return 0;
    }
    return StreamCreateFromDecoder(std::make_unique<SilenceDecoder>(freq, chans), flags, true);
}

bool StreamFree(Handle handle)
{
    std::unique_lock lock(Engine::Instance().mutex);
    if (Engine::Instance().FindStream(handle) == nullptr)
        return Fail(ErrorHandle);
    FreeStream(lock, handle);
    return Succeed();
}

} // namespace audiolib
