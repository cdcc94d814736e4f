#include "playout/AudioLayer.h"

#include "playout/DeviceTables.h"

#include <QByteArray>

#include <algorithm>
#include <utility>

ChannelArray<TChannel, SlotCount> Channels;
int64_t PlayCounter = 0;

namespace {

// The playback rate for a speed step: one step is 1 % of the stream's own rate, so a 48 kHz file at
// step 0 keeps its pitch. Single precision, as the knob's steps were tuned.
int SpeedFrequency(float step, int nativeRate)
{
    const auto rate = static_cast<float>(nativeRate);
    const float frequency = rate / 100.0f * step + rate;
    return static_cast<int>(std::clamp(frequency, 100.0f, 100000.0f));
}

int NativeRate(audiolib::Handle stream)
{
    audiolib::ChannelInfo info{};
    return audiolib::ChannelGetInfo(stream, &info) && info.freq > 0 ? static_cast<int>(info.freq) : 44100;
}

// Byte counts of the slot's stream in whole seconds, truncated toward zero.
int BytesToWholeSeconds(audiolib::Handle stream, int64_t bytes)
{
    return static_cast<int>(audiolib::ChannelBytes2Seconds(stream, bytes));
}

} // namespace

audiolib::Handle ChannelStream(int slot)
{
    return Channels[slot].OnAir();
}

bool ChannelIsActive(int slot)
{
    const uint32_t state = audiolib::ChannelIsActive(ChannelStream(slot));
    return state == audiolib::ActivePlaying || state == audiolib::ActivePaused;
}

bool ChannelIsPlaying(int slot)
{
    return audiolib::ChannelIsActive(ChannelStream(slot)) == audiolib::ActivePlaying;
}

bool ChannelStop(int slot)
{
    Channels[slot].StopOnAir();
    return true;
}

bool ChannelPause(int slot)
{
    audiolib::ChannelPause(ChannelStream(slot));
    return true;
}

bool ChannelPauseBoth(int slot)
{
    Channels[slot].PauseBoth();
    return true;
}

bool ChannelPlay(int slot)
{
    audiolib::ChannelPlay(ChannelStream(slot), false);
    return true;
}

bool ChannelPlayBoth(int slot)
{
    Channels[slot].PlayBoth();
    return true;
}

bool ChannelStopBoth(int slot)
{
    Channels[slot].StopBoth();
    return true;
}

bool ChannelSetVolume(int slot, int volume)
{
    audiolib::ChannelSetAttributes(ChannelStream(slot), KeepFrequency, std::min(volume, 100), KeepPan);
    return true;
}

bool ChannelPlayFile(int slot, const QString& path, int& lengthSeconds, QString& errorText)
{
    return ChannelOpenFile(slot, path, lengthSeconds, errorText) && ChannelStartFile(slot, errorText);
}

bool ChannelOpenFile(int slot, const QString& path, int& lengthSeconds, QString& errorText)
{
    errorText.clear();
    const int device = SlotDeviceIndex(slot);
    if (!SetOutputDevice(device)) {
        errorText = QStringLiteral("Can not set output device");
        return false;
    }
    const audiolib::Handle stream = OpenFileStream(device, path, errorText);
    if (stream == 0) {
        // The handle the file would have taken is freed all the same.
        Channels[slot].PutOnAir(0);
        return false;
    }
    ChannelPutOnAir(slot, stream, lengthSeconds);
    return true;
}

void ChannelPutOnAir(int slot, audiolib::Handle stream, int& lengthSeconds)
{
    Channels[slot].PutOnAir(stream);
    lengthSeconds = ChannelLengthSeconds(slot);
}

audiolib::Handle OpenFileStream(int device, const QString& path, QString& errorText)
{
    const QByteArray file = path.toUtf8();
    // Selected on this thread only: another thread's choice of device is not touched.
    const audiolib::Handle stream =
        audiolib::SetDevice(device)
            ? audiolib::StreamCreateFile(false, file.constData(), 0, 0, StreamAutoFree)
            : 0;
    if (stream == 0)
        errorText = QStringLiteral("Can not play the file");
    return stream;
}

int SlotDeviceIndex(int slot)
{
    return PlaybackDeviceIndex(OutputDevices, Channels[slot].Device);
}

bool ChannelStartFile(int slot, QString& errorText)
{
    const audiolib::Handle stream = ChannelStream(slot);
    // A stream that never starts would never reach its end sync and stall the channel on air.
    if (!audiolib::ChannelPlay(stream, false)) {
        Channels[slot].PutOnAir(0); // frees it
        errorText = QStringLiteral("Can not play the file");
        return false;
    }
    return true;
}

int ChannelPositionSeconds(int slot)
{
    const audiolib::Handle stream = ChannelStream(slot);
    return BytesToWholeSeconds(stream, audiolib::ChannelGetPosition(stream));
}

int64_t ChannelLength(int slot)
{
    return audiolib::ChannelGetLength(ChannelStream(slot));
}

int ChannelLengthSeconds(int slot)
{
    const audiolib::Handle stream = ChannelStream(slot);
    return BytesToWholeSeconds(stream, audiolib::ChannelGetLength(stream));
}

bool ChannelSetPositionFraction(int slot, double fraction)
{
    const audiolib::Handle stream = ChannelStream(slot);
    const auto position =
        static_cast<int64_t>(static_cast<double>(audiolib::ChannelGetLength(stream)) * fraction);
    return audiolib::ChannelSetPosition(stream, position);
}

bool ChannelSetSpeed(int slot, float step)
{
    const audiolib::Handle stream = ChannelStream(slot);
    return audiolib::ChannelSetAttributes(stream, SpeedFrequency(step, NativeRate(stream)), KeepVolume,
                                          KeepPan);
}

audiolib::Handle ChannelSetSync(int slot, uint32_t type, int64_t parameter, audiolib::SyncProc procedure,
                                void* user)
{
    return audiolib::ChannelSetSync(ChannelStream(slot), type, parameter, procedure, user);
}

bool ChannelRemoveSync(int slot, audiolib::Handle sync)
{
    return audiolib::ChannelRemoveSync(ChannelStream(slot), sync);
}

bool ChannelRemoveSyncBoth(int slot, audiolib::Handle sync)
{
    return Channels[slot].RemoveSyncBoth(sync);
}

bool ChannelSlide(int slot, int frequency, int volume, int pan, uint32_t timeMs)
{
    return audiolib::ChannelSlideAttributes(ChannelStream(slot), frequency, volume, pan, timeMs);
}

int64_t ChannelSecondsToBytes(int slot, double seconds)
{
    return audiolib::ChannelSeconds2Bytes(ChannelStream(slot), static_cast<float>(seconds));
}

int32_t ChannelGetData(int slot, void* buffer, uint32_t length)
{
    return audiolib::ChannelGetData(ChannelStream(slot), buffer, length);
}

audiolib::Handle ChannelSetFX(int slot, uint32_t type, int priority)
{
    return audiolib::ChannelSetFX(ChannelStream(slot), type, priority);
}

bool FXSetParameters(audiolib::Handle fx, const void* parameters)
{
    return audiolib::FXSetParameters(fx, parameters);
}

bool FXGetParameters(audiolib::Handle fx, void* parameters)
{
    return audiolib::FXGetParameters(fx, parameters);
}

audiolib::Handle ChannelSetDSP(int slot, audiolib::DspProc procedure, void* user, int priority)
{
    return audiolib::ChannelSetDSP(ChannelStream(slot), procedure, user, priority);
}

audiolib::Handle ChannelSetDSP(int slot, audiolib::DspFunction function, int priority)
{
    return audiolib::ChannelSetDSP(ChannelStream(slot), std::move(function), priority);
}

bool ChannelRemoveDSP(int slot, audiolib::Handle dsp)
{
    return StreamRemoveDSP(ChannelStream(slot), dsp);
}

bool StreamRemoveDSP(audiolib::Handle stream, audiolib::Handle dsp)
{
    return audiolib::ChannelRemoveDSP(stream, dsp);
}
