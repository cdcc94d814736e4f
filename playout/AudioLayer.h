#pragma once
// The player slots and the per-slot operations over the audio library. Slots 1 to 3 are the playout
// channels, slot 4 the pre-listen player; callers address a player by its slot, never by a stream
// handle. GUI thread only.
#include "audiolib/AudioLib.h"
#include "foundation/Options.h"
#include "playout/PlayerSlot.h"

#include <QString>

#include <cstdint>

inline constexpr int SlotCount = 4;

// Slots 1..4 (a number outside throws std::out_of_range).
extern ChannelArray<TChannel, SlotCount> Channels;
// File entries started; advanced and logged by the channel.
extern int64_t PlayCounter;

// Values the layer's callers pass through to the library.
inline constexpr uint32_t SyncPosition = audiolib::SyncPos;
inline constexpr uint32_t SyncEndOfStream = audiolib::SyncEnd;
inline constexpr uint32_t SyncSlideEnd = audiolib::SyncSlide;
inline constexpr uint32_t SyncOnce = audiolib::SyncOneTime;
// Or-ed into SyncPosition: the parameter counts back from the end, and moves with it.
inline constexpr uint32_t SyncBeforeEnd = audiolib::SyncFromEnd;
inline constexpr uint32_t DataFFT1024 = audiolib::DataFft1024;
inline constexpr uint32_t FXParamEq = audiolib::FxParamEq;
inline constexpr uint32_t FXReverb = audiolib::FxReverb;
inline constexpr uint32_t StreamAutoFree = audiolib::StreamAutoFree;
inline constexpr uint32_t StreamFloat = audiolib::SampleFloat;
inline constexpr int64_t MsPerDay = 86400000;
inline constexpr int KeepFrequency = audiolib::KeepFreq;
inline constexpr int KeepVolume = audiolib::KeepVol;
inline constexpr int KeepPan = audiolib::KeepPan;

// The slot's current stream: the one on air. Every per-slot operation below acts on it unless it
// says "both".
audiolib::Handle ChannelStream(int slot);

bool ChannelIsActive(int slot);  // playing or paused
bool ChannelIsPlaying(int slot); // playing
bool ChannelStop(int slot);
bool ChannelPause(int slot);
bool ChannelPauseBoth(int slot);
bool ChannelPlay(int slot);
bool ChannelPlayBoth(int slot);
bool ChannelStopBoth(int slot);
// Volume 0..100; above 100 becomes 100, negatives pass on (-1 leaves it unchanged).
bool ChannelSetVolume(int slot, int volume);
// Opens path on the slot's device, puts it on air in the place of the handle the slot gives the
// next entry (freed) and plays it. On failure errorText says why: "Can not set output device" or
// "Can not play the file".
bool ChannelPlayFile(int slot, const QString& path, int& lengthSeconds, QString& errorText);
// ChannelPlayFile in its two halves, so a caller can hold the mixer only around the start and not
// while a file is opened (a long file takes a while, and the other stream must keep sounding).
bool ChannelOpenFile(int slot, const QString& path, int& lengthSeconds, QString& errorText);
bool ChannelStartFile(int slot, QString& errorText);
// The first half from a stream opened elsewhere: it goes on air as ChannelOpenFile's would.
void ChannelPutOnAir(int slot, audiolib::Handle stream, int& lengthSeconds);
// Opens a file as an auto-freeing stream of the output device `device`, stopped. Safe on any
// thread; 0 with errorText on failure.
audiolib::Handle OpenFileStream(int device, const QString& path, QString& errorText);
// The output device index of the slot's device name.
int SlotDeviceIndex(int slot);

int ChannelPositionSeconds(int slot); // truncated toward zero
int64_t ChannelLength(int slot);      // bytes
int ChannelLengthSeconds(int slot);   // truncated toward zero
bool ChannelSetPositionFraction(int slot, double fraction);
// Step -60..60 sets 17,640..70,560 Hz; 0 restores 44,100 Hz.
bool ChannelSetSpeed(int slot, float step);

audiolib::Handle ChannelSetSync(int slot, uint32_t type, int64_t parameter, audiolib::SyncProc procedure,
                                void* user);
bool ChannelRemoveSync(int slot, audiolib::Handle sync);
// Tries both handles, always; true only if both removals succeeded.
bool ChannelRemoveSyncBoth(int slot, audiolib::Handle sync);
bool ChannelSlide(int slot, int frequency, int volume, int pan, uint32_t timeMs);
int64_t ChannelSecondsToBytes(int slot, double seconds);
// The library's result: bytes copied, 4096 for DataFFT1024 (512 floats), -1 on failure.
int32_t ChannelGetData(int slot, void* buffer, uint32_t length);

// Effects live until their stream is freed; 0 on failure.
audiolib::Handle ChannelSetFX(int slot, uint32_t type, int priority);
// `parameters` is the record of the effect's type (audiolib::ParamEqParameters, ReverbParameters).
bool FXSetParameters(audiolib::Handle fx, const void* parameters);
bool FXGetParameters(audiolib::Handle fx, void* parameters);

// The procedure works in place on interleaved stereo float at the stream's own rate.
audiolib::Handle ChannelSetDSP(int slot, audiolib::DspProc procedure, void* user, int priority);
// The same with a function object that owns its state; it goes when removed or with its stream.
audiolib::Handle ChannelSetDSP(int slot, audiolib::DspFunction function, int priority);
bool ChannelRemoveDSP(int slot, audiolib::Handle dsp);
// The same on a stream named by its handle: an entry still fading out keeps its own procedures.
bool StreamRemoveDSP(audiolib::Handle stream, audiolib::Handle dsp);
