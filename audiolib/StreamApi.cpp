// Stream creation and freeing.
#include "audiolib/AudioLib.h"
#include "audiolib/Engine.h"
#include "audiolib/Handles.h"
#include "audiolib/InsideMix.h"
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
    if (RefusedInsideMix())
        return 0;
    Engine& engine = Engine::Instance();
    const std::shared_ptr<Device> device = engine.CurrentDevice();
    if (device == nullptr) {
        SetLastError(ErrorInit);
        return 0;
    }
    if (decoder->SampleRate() <= 0 || (!endless && decoder->LengthFrames() < 0)) {
        SetLastError(ErrorDecode);
        return 0;
    }
    try {
        // Built with no lock held (the ring, the rate stage, the decoder thread), then listed.
        const int64_t bufferFrames = device->BufferFrames(decoder->SampleRate());
        auto stream =
            std::make_unique<Stream>(NewHandle(HandleKind::Stream), device->index, device->rate,
                                     device->maxVol, flags, std::move(decoder), endless, bufferFrames);
        if (!device->manual)
            stream->StartDecodeThread();
        return engine.AddStream(device, std::move(stream));
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
    if (RefusedInsideMix())
        return false;
    return Report(Engine::Instance().FreeStream(handle));
}

} // namespace audiolib
