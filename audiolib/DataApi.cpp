// ChannelGetData: the most recent frames a stream had heard, as samples or as a spectrum.
#include "audiolib/AudioLib.h"
#include "audiolib/FftMagnitudes.h"
#include "audiolib/StreamCall.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>

namespace audiolib {

namespace {
constexpr uint32_t DataModeFlag = 0x80000000;

// The scale of the decoders' 16-bit to float conversion, so 16-bit sources come back exactly.
int16_t ToInt16(float sample)
{
    return static_cast<int16_t>(std::clamp<long>(std::lround(sample * 32768.0f), -32768, 32767));
}

using FftFrames = std::array<float, FftMagnitudes::Size * 2>;

int32_t Fft1024(const FftFrames& frames, float* out)
{
    try {
        thread_local FftMagnitudes spectrum;
        spectrum.Magnitudes(frames.data(), out);
    } catch (const std::bad_alloc&) {
        SetLastError(ErrorMem);
        return -1;
    }
    SetLastError(ErrorOk);
    return FftMagnitudes::Size * 4;
}

int32_t Samples(const Stream& stream, void* buffer, uint32_t length) REQUIRES(mixLocks)
{
    const bool isFloat = (stream.flags & SampleFloat) != 0;
    const int64_t bytesPerFrame = isFloat ? 8 : 4;
    const int64_t frames = std::min<int64_t>(length / bytesPerFrame, SampleHistory::CapacityFrames);
    if (isFloat) {
        stream.history.Latest(static_cast<float*>(buffer), frames);
    } else {
        std::array<float, SampleHistory::CapacityFrames * 2> samples;
        stream.history.Latest(samples.data(), frames);
        std::transform(samples.begin(), samples.begin() + frames * 2, static_cast<int16_t*>(buffer), ToInt16);
    }
    SetLastError(ErrorOk);
    return static_cast<int32_t>(frames * bytesPerFrame);
}
} // namespace

int32_t ChannelGetData(Handle handle, void* buffer, uint32_t length)
{
    StreamCall call(handle);
    if (!call)
        return -1;
    const bool validMode = (length & DataModeFlag) == 0 || length == DataFft1024;
    if (buffer == nullptr || !validMode) {
        SetLastError(ErrorIllParam);
        return -1;
    }
    if (length == DataFft1024) {
        FftFrames frames;
        call.GetStream().history.Latest(frames.data(), FftMagnitudes::Size);
        call.Unlock(); // the transform needs no lock
        return Fft1024(frames, static_cast<float*>(buffer));
    }
    return Samples(call.GetStream(), buffer, length);
}

} // namespace audiolib
