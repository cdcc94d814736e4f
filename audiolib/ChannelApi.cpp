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

// The change that sets (slideFrames -1) or slides the attributes given.
StreamChange AttributesChange(const Stream& stream, int freq, int vol, int pan, int64_t slideFrames)
{
    StreamChange change = StreamChange::Attributes();
    if (freq != KeepFreq)
        change.freq = freq == 0 ? stream.rate : freq;
    if (vol != KeepVol)
        change.volume = vol;
    if (pan != KeepPan)
        change.pan = pan;
    change.slideFrames = slideFrames;
    return change;
}
} // namespace

bool ChannelPlay(Handle handle, bool restart)
{
    std::shared_ptr<Device> device;
    {
        StreamCall call(handle);
        if (!call)
            return false;
        if (call.GetDevice().Opened()) {
            call.Submit(StreamChange::Play(restart));
            return Succeed();
        }
        device = call.SharedDevice();
    }
    // The device's first play opens its output, with no lock held: that takes a while.
    if (!Engine::Instance().OpenOutput(*device))
        return Fail(ErrorStart);
    return ChannelPlay(handle, restart);
}

bool ChannelPause(Handle handle)
{
    StreamCall call(handle);
    if (!call)
        return false;
    if (call.GetStream().state != StreamState::Playing)
        return Fail(ErrorNoPlay);
    call.Submit(StreamChange::Pause());
    return Succeed();
}

bool ChannelStop(Handle handle)
{
    {
        StreamCall call(handle);
        if (!call)
            return false;
        Stream& stream = call.GetStream();
        stream.state = StreamState::Stopped;
        ++stream.stops;
        if (!(stream.flags & StreamAutoFree)) {
            call.WaitForProcedures();
            return Succeed();
        }
    }
    Engine::Instance().FreeStream(handle);
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
    call.GetStream().AdoptLength();
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
    stream.AdoptLength();
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
    if (!ValidAttributes(freq, vol, pan, call.GetDevice().maxVol))
        return Fail(ErrorIllParam);
    call.Submit(AttributesChange(call.GetStream(), freq, vol, pan, -1));
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
    const Device& device = call.GetDevice();
    if (!ValidAttributes(freq, vol, pan, device.maxVol))
        return Fail(ErrorIllParam);
    call.Submit(AttributesChange(call.GetStream(), freq, vol, pan, device.SlideFrames(ms)));
    return Succeed();
}

} // namespace audiolib
