#pragma once
// The audio library's public interface: devices, streams, transport, positions, attributes with
// slides, syncs, DSPs and effects, sample data and batches of changes. Every call sets the calling
// thread's last error (ErrorGetCode): 0 on success, else a code of audiolib/Errors.h. All calls are
// thread-safe, except from inside a DSP procedure, where they fail at once with -1.
#include "audiolib/Errors.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace audiolib {

// Opaque handle of a stream, sync or plug-in; never reused during the process, 0 means failure.
using Handle = uint32_t;

// Sync procedure: (sync, stream, data, user). It runs on the device's sync thread (or inside
// NullAdvance on the manual clock), never while the library holds a lock its own calls need. It may
// call the library, but a device waits for its running procedure when a stream of it is stopped or
// freed: two devices whose procedures stop each other's streams would wait on each other (ours only
// post a message).
using SyncProc = void (*)(Handle sync, Handle stream, uint32_t data, void* user);
// Procedure of a user stream; only null (a silent stream) is available.
using StreamProc = uint32_t (*)(Handle stream, void* buffer, uint32_t length, void* user);

// Sync types, or-ed with SyncOneTime to remove the sync just before its call. SyncPos or-ed with
// SyncFromEnd counts its parameter back from the end: it moves with the end when the exact length
// becomes known (ChannelGetLength gives the container's statement until then).
constexpr uint32_t SyncPos = 0;
constexpr uint32_t SyncEnd = 2;
constexpr uint32_t SyncSlide = 5;
constexpr uint32_t SyncOneTime = 0x80000000;
constexpr uint32_t SyncFromEnd = 0x40000000;

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
// The device's name for the settings: stable across boots (built from the card's id), at most 32
// characters; device 0's is "No sound". Null past the last device.
const char* GetDeviceName(int device);
// The ALSA control device of the device's card ("hw:CARD=<id>", or "default" for device 1), which holds
// its mixer; empty for a device without one (device 0, PCMs such as "null"). Null past the last device.
const char* GetDeviceControl(int device);
bool Init(int device, int freq, uint32_t flags);
bool SetDevice(int device); // for the calling thread only; Init selects it too
int GetDevice();
bool Stop(); // pauses every stream of the current device
bool Free(); // frees the current device and its streams (no END syncs)
// A batch: from BeginBatch to EndBatch, this thread's ChannelPlay, ChannelPause, attribute and slide
// changes and sync additions and removals on streams of `device` are held back, then applied together
// between two mixed periods, so they are heard as one (a stream never starts before its volume is
// set). The device goes on mixing meanwhile. Other calls, and reads, act at once.
bool BeginBatch(int device);
bool EndBatch(int device);

// How a device's output has fared since Init.
struct OutputCounts {
    uint32_t underruns = 0; // the card ran dry (the mix came late) and was restarted
    uint32_t stalls = 0;    // the card took nothing for 100 ms
    uint32_t failures = 0;  // the output fell back to the device's own clock (card missing or lost)
};
bool GetOutputCounts(int device, OutputCounts* counts);

// The scheduling a device's output thread got when the device started.
struct OutputScheduling {
    bool thread = false; // the device mixes on a thread of its own (not device 0 on the manual clock)
    int priority = 0;    // its real-time (SCHED_FIFO) priority; 0: the normal scheduling
    int refusal = 0;     // when not real-time: the error the system refused it with (EPERM: not allowed)
};
bool GetOutputScheduling(int device, OutputScheduling* scheduling);

// Recording devices: listed with their inputs, never captured from. Device 0 is the first capture
// PCM. RecordGetInput gives the volume 0..100 in the low 16 bits, InputOff, and the kind in the top
// byte (InputType*), or -1 on error.
constexpr int32_t InputOff = 0x10000;
constexpr int32_t InputTypeMask = static_cast<int32_t>(0xff000000);
constexpr int32_t InputTypeUndef = 0;
constexpr int32_t InputTypeDigital = 0x01000000;
constexpr int32_t InputTypeLine = 0x02000000;
constexpr int32_t InputTypeMic = 0x03000000;
constexpr int32_t InputTypeCd = 0x04000000;
constexpr int32_t InputTypeAux = 0x05000000;
const char* RecordGetDeviceDescription(int device); // null past the last device
const char* RecordGetDeviceName(int device);        // stable, like GetDeviceName
bool RecordInit(int device);
bool RecordSetDevice(int device);
bool RecordFree();                         // frees the current recording device
const char* RecordGetInputName(int input); // inputs of the current recording device; null past the last
int32_t RecordGetInput(int input);

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

// DSP procedure: (dsp, stream, buffer, length in bytes, user). It processes in place a block of at
// most one update period of interleaved stereo float at the stream's native rate, on the device's
// mixer thread (inside NullAdvance on the manual clock), with the device's mix lock held: it touches
// only its buffer and its own state. A library call from there fails at once with -1 (it would wait
// for the lock its own mixer holds), and stops a Debug build.
using DspProc = void (*)(Handle dsp, Handle stream, void* buffer, uint32_t length, void* user);
// The same as a function object, which owns its state: it is destroyed when it is removed or when
// its stream is freed.
using DspFunction = std::function<void(Handle dsp, Handle stream, float* buffer, uint32_t length)>;

// DSPs and effects form one chain per stream: higher priority first, equal ones in the order added.
Handle ChannelSetDSP(Handle stream, DspProc proc, void* user, int priority);
Handle ChannelSetDSP(Handle stream, DspFunction function, int priority);
// When it returns, the procedure is not running and will not run again.
bool ChannelRemoveDSP(Handle stream, Handle dsp);

// Effect types; an effect lives until its stream is freed.
constexpr uint32_t FxParamEq = 7;
constexpr uint32_t FxReverb = 8;

// Parameter record of FxParamEq, with its defaults (neutral).
struct ParamEqParameters {
    float centre = 8000.0f;  // Hz, 80..16000 (held below 0.45 × the stream's rate)
    float bandwidth = 12.0f; // semitones, 1..36
    float gain = 0.0f;       // dB, -15..15
};

// Parameter record of FxReverb, with its defaults (silent). Output = dry × inputGain + reverb × mix;
// -96 dB, the floor of both gains, means none at all.
struct ReverbParameters {
    float inputGain = 0.0f;       // dB, -96..0
    float mix = -96.0f;           // dB, -96..0
    float time = 1000.0f;         // ms, 0.001..3000
    float highFreqRatio = 0.001f; // high-frequency reverb time as a fraction of `time`, 0.001..0.999
};

Handle ChannelSetFX(Handle stream, uint32_t type, int priority);
// `parameters` points to the record of the effect's type.
bool FXSetParameters(Handle fx, const void* parameters);
bool FXGetParameters(Handle fx, void* parameters);

// ChannelGetData: a byte count copies the most recent frames mixed (one update period plus the
// output's buffer ahead of what is heard), after the chain and before volume and pan, as signed 16-bit stereo
// (float for a SampleFloat stream); DataFft1024 writes 512 magnitudes of the last 1024 frames. Returns the
// bytes copied (4096 for the FFT), or -1.
constexpr uint32_t DataFft1024 = 0x80000001;
int32_t ChannelGetData(Handle stream, void* buffer, uint32_t length);

// Device 0 test interface and leak check.
using NullSink = std::function<void(const float* stereo, int64_t frames)>;
bool NullAdvance(int64_t frames); // manual clock: render exactly `frames` frames on this thread
std::vector<float> NullCapture(); // manual clock: the mixed stereo output since the last call
void NullSetSink(NullSink sink);  // every mixed block goes to `sink` instead (null: back to capture)
int64_t NullFramesRendered();     // device 0's clock, -1 when not initialised
int LiveStreamCount();

} // namespace audiolib
