#pragma once
// The audio library's public interface: devices, streams, transport, positions, attributes with
// slides, syncs and the mixer lock. Every call sets the calling thread's last error (ErrorGetCode):
// 0 on success, else a code of audiolib/Errors.h. All calls are thread-safe.
#include "audiolib/Errors.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace audiolib {

// Opaque handle of a stream, sync or plug-in; never reused during the process, 0 means failure.
using Handle = uint32_t;

// Sync procedure: (sync, stream, data, user). It runs on the device's sync thread (or inside
// NullAdvance on the manual clock), never while the library holds a lock its own calls need.
using SyncProc = void (*)(Handle sync, Handle stream, uint32_t data, void* user);
// Procedure of a user stream; only null (a silent stream) is available.
using StreamProc = uint32_t (*)(Handle stream, void* buffer, uint32_t length, void* user);

// Sync types, or-ed with SyncOneTime to remove the sync just before its call.
constexpr uint32_t SyncPos = 0;
constexpr uint32_t SyncEnd = 2;
constexpr uint32_t SyncSlide = 5;
constexpr uint32_t SyncOneTime = 0x80000000;

// Data passed to a SYNC_SLIDE procedure: the attribute whose slide completed.
constexpr uint32_t SlideFreq = 1;
constexpr uint32_t SlideVol = 2;
constexpr uint32_t SlidePan = 3;

// Stream flags.
constexpr uint32_t SampleFloat = 0x100;
constexpr uint32_t StreamAutoFree = 0x40000;

// Configuration options (SetConfig); they apply to devices initialised afterwards.
constexpr uint32_t ConfigBuffer = 0;           // decode-ahead per stream, ms (10..5000, default 1000)
constexpr uint32_t ConfigUpdatePeriod = 1;     // mixer block, ms (5..100, default 10)
constexpr uint32_t ConfigMaxVol = 3;           // volume scale (1..10000, default 100)
constexpr uint32_t ConfigFloatDsp = 9;         // 1: DSP on 32-bit float (the only mode)
constexpr uint32_t ConfigNullManual = 0x10000; // 1: device 0 runs on the manual clock (NullAdvance)

// "Leave unchanged" values of ChannelSetAttributes / ChannelSlideAttributes.
constexpr int KeepFreq = -1;
constexpr int KeepVol = -1;
constexpr int KeepPan = -101;

// ChannelIsActive results.
constexpr uint32_t ActiveStopped = 0;
constexpr uint32_t ActivePlaying = 1;
constexpr uint32_t ActivePaused = 3;

struct ChannelInfo {
    int freq = 0;        // native sample rate
    int chans = 2;       // presented channels (always stereo)
    int sourceChans = 0; // channels of the source before the stereo presentation
    uint32_t flags = 0;
};

// Library and configuration.
uint32_t GetVersion(); // 0x00020002
bool SetConfig(uint32_t option, uint32_t value);
uint32_t PluginLoad(const char* file); // a no-op: every format is built in
bool PluginFree(uint32_t plugin);
int ErrorGetCode();

// Output devices. Device 0 is "No sound"; the list is stable for the process.
const char* GetDeviceDescription(int device); // null past the last device
bool Init(int device, int freq, uint32_t flags);
bool SetDevice(int device);
int GetDevice();
bool Stop();                      // pauses every stream of the current device
bool Free();                      // frees the current device and its streams (no END syncs)
bool Lock(int device, bool lock); // suspends the device's mixing between lock and unlock

// Streams, created on the current device, stopped.
Handle StreamCreateFile(bool mem, const void* file, int64_t offset, int64_t length, uint32_t flags);
Handle StreamCreate(int freq, int chans, uint32_t flags, StreamProc proc, void* user);
bool StreamFree(Handle stream);

// Transport.
bool ChannelPlay(Handle stream, bool restart);
bool ChannelPause(Handle stream);
bool ChannelStop(Handle stream);
uint32_t ChannelIsActive(Handle stream);

// Positions and lengths in bytes of the stereo 16-bit presentation (4 bytes a frame, native rate).
int64_t ChannelGetPosition(Handle stream); // heard position, -1 on error
int64_t ChannelGetLength(Handle stream);   // -1 on error
bool ChannelSetPosition(Handle stream, int64_t bytes);
double ChannelBytes2Seconds(Handle stream, int64_t bytes);   // negative on error
int64_t ChannelSeconds2Bytes(Handle stream, double seconds); // -1 on error
bool ChannelGetInfo(Handle stream, ChannelInfo* info);

// Attributes: freq 0 = native or 100..100000, vol 0..MAXVOL, pan -100..100.
bool ChannelSetAttributes(Handle stream, int freq, int vol, int pan);
bool ChannelGetAttributes(Handle stream, int* freq, float* vol, float* pan);
bool ChannelSlideAttributes(Handle stream, int freq, int vol, int pan, uint32_t ms);

// Syncs.
Handle ChannelSetSync(Handle stream, uint32_t type, int64_t param, SyncProc proc, void* user);
bool ChannelRemoveSync(Handle stream, Handle sync);

// Device 0 test interface and leak check.
using NullSink = std::function<void(const float* stereo, int64_t frames)>;
bool NullAdvance(int64_t frames); // manual clock: render exactly `frames` frames on this thread
std::vector<float> NullCapture(); // manual clock: the mixed stereo output since the last call
void NullSetSink(NullSink sink);  // every mixed block goes to `sink` instead (null: back to capture)
int64_t NullFramesRendered();     // device 0's clock, -1 when not initialised
int LiveStreamCount();

} // namespace audiolib
