// Transport, positions and attributes of a stream.
#include "audiolib/AudioLib.h"
#include "audiolib/StreamCall.h"

#include <cmath>

namespace audiolib {

namespace {
constexpr int64_t BytesPerFrame = 4; // the stereo 16-bit presentation

bool ValidFreq(int freq)
{
    return freq == KeepFreq || freq == 0 || (freq >= 100 && freq <= 100000);
}

bool ValidAttributes(int freq, int vol, int pan, int maxVol)
{
    return ValidFreq(freq) && (vol == KeepVol || (vol >= 0 && vol <= maxVol)) &&
           (pan == KeepPan || (pan >= -100 && pan <= 100));
}

double FreqValue(const Stream& stream, int freq)
{
    return freq == 0 ? stream.rate : freq;
}
} // namespace

bool ChannelPlay(Handle handle, bool restart)
{
    StreamCall call(handle);
    if (!call)
        return false;
    Stream& stream = call.GetStream();
    if (stream.state == StreamState::Playing && !restart)
        return Succeed();
    if (!Engine::Instance().OpenOutput(call.GetDevice()))
        return Fail(ErrorStart);
    // A stream that played to its end starts again from the beginning.
    if (restart || stream.atEnd)
        stream.SeekTo(0);
    stream.state = StreamState::Playing;
    return Succeed();
}

bool ChannelPause(Handle handle)
{
    StreamCall call(handle);
    if (!call)
        return false;
    if (call.GetStream().state != StreamState::Playing)
        return Fail(ErrorNoPlay);
    call.GetStream().state = StreamState::Paused;
    return Succeed();
}

bool ChannelStop(Handle handle)
{
    StreamCall call(handle);
    if (!call)
        return false;
    Stream& stream = call.GetStream();
    stream.state = StreamState::Stopped;
    ++stream.stops;
    if (stream.flags & StreamAutoFree)
        FreeStream(call.Lock(), handle);
    else
        Engine::Instance().WaitForProcedures(call.Lock(), stream.device, handle);
    return Succeed();
}

uint32_t ChannelIsActive(Handle handle)
{
    StreamCall call(handle);
    if (!call)
        return ActiveStopped;
    SetLastError(ErrorOk);
    switch (call.GetStream().state) {
    case StreamState::Playing:
        return ActivePlaying;
    case StreamState::Paused:
        return ActivePaused;
    default:
        return ActiveStopped;
    }
}

int64_t ChannelGetPosition(Handle handle)
{
    StreamCall call(handle);
    if (!call)
        return -1;
    SetLastError(ErrorOk);
    const Device& device = call.GetDevice();
    return call.GetStream().HeardPosition(device.HeardFrames(), device.rate) * BytesPerFrame;
}

int64_t ChannelGetLength(Handle handle)
{
    StreamCall call(handle);
    if (!call)
        return -1;
    if (call.GetStream().endless) {
        SetLastError(ErrorNotAvail);
        return -1;
    }
    SetLastError(ErrorOk);
    return call.GetStream().length * BytesPerFrame;
}

bool ChannelSetPosition(Handle handle, int64_t bytes)
{
    StreamCall call(handle);
    if (!call)
        return false;
    Stream& stream = call.GetStream();
    if (stream.endless)
        return Fail(ErrorNotAvail);
    if (bytes < 0 || bytes / BytesPerFrame >= stream.length)
        return Fail(ErrorPosition);
    stream.SeekTo(bytes / BytesPerFrame);
    return Succeed();
}

double ChannelBytes2Seconds(Handle handle, int64_t bytes)
{
    StreamCall call(handle);
    if (!call)
        return -1.0;
    SetLastError(ErrorOk);
    return static_cast<double>(bytes) / (static_cast<double>(call.GetStream().rate) * BytesPerFrame);
}

int64_t ChannelSeconds2Bytes(Handle handle, double seconds)
{
    StreamCall call(handle);
    if (!call)
        return -1;
    SetLastError(ErrorOk);
    const double frames = std::floor(seconds * call.GetStream().rate);
    return frames > 0.0 ? static_cast<int64_t>(frames) * BytesPerFrame : 0;
}

bool ChannelGetInfo(Handle handle, ChannelInfo* info)
{
    StreamCall call(handle);
    if (!call)
        return false;
    if (info == nullptr)
        return Fail(ErrorIllParam);
    const Stream& stream = call.GetStream();
    *info = ChannelInfo{stream.rate, 2, stream.sourceChannels, stream.flags};
    return Succeed();
}

bool ChannelSetAttributes(Handle handle, int freq, int vol, int pan)
{
    StreamCall call(handle);
    if (!call)
        return false;
    Stream& stream = call.GetStream();
    if (!ValidAttributes(freq, vol, pan, call.GetDevice().maxVol))
        return Fail(ErrorIllParam);
    if (freq != KeepFreq)
        stream.freq.Set(FreqValue(stream, freq));
    if (vol != KeepVol)
        stream.volume.Set(vol);
    if (pan != KeepPan)
        stream.pan.Set(pan);
    return Succeed();
}

bool ChannelGetAttributes(Handle handle, int* freq, float* vol, float* pan)
{
    StreamCall call(handle);
    if (!call)
        return false;
    const Stream& stream = call.GetStream();
    if (freq != nullptr)
        *freq = static_cast<int>(std::lround(stream.freq.Value()));
    if (vol != nullptr)
        *vol = static_cast<float>(stream.volume.Value());
    if (pan != nullptr)
        *pan = static_cast<float>(stream.pan.Value());
    return Succeed();
}

bool ChannelSlideAttributes(Handle handle, int freq, int vol, int pan, uint32_t ms)
{
    StreamCall call(handle);
    if (!call)
        return false;
    Stream& stream = call.GetStream();
    const Device& device = call.GetDevice();
    if (!ValidAttributes(freq, vol, pan, device.maxVol))
        return Fail(ErrorIllParam);
    const int64_t frames = device.SlideFrames(ms);
    if (freq != KeepFreq)
        stream.freq.SlideTo(FreqValue(stream, freq), frames);
    if (vol != KeepVol)
        stream.volume.SlideTo(vol, frames);
    if (pan != KeepPan)
        stream.pan.SlideTo(pan, frames);
    return Succeed();
}

} // namespace audiolib
