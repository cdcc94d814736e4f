#pragma once
// The calls the ALSA output makes on its PCM, behind an interface so tests can put a fake card in
// its place (one that underruns, stalls or disappears on demand). Results follow ALSA's: a count or
// 0 on success, a negative errno on failure.
#include <cstdint>
#include <memory>
#include <string>

namespace audiolib {

struct PcmSetup {
    int rate = 44100; // asked for; the card may choose another near it
    int64_t periodFrames = 441;
};

struct PcmOpened {
    int cardRate = 44100;
    bool takesAtOnce = false; // the PCM takes frames as fast as they come (ALSA's `null`): pace it
};

class PcmPort {
public:
    virtual ~PcmPort() = default;
    // Opens the PCM non-blocking for float stereo, with a buffer of a few periods.
    virtual int Open(const PcmSetup& setup, PcmOpened& opened) = 0;
    virtual void Close() = 0;
    // Frames written, or -EAGAIN when the buffer is full, or another error.
    virtual int64_t Write(const float* frames, int64_t count) = 0;
    // Waits up to `ms` for room: 1 when there is, 0 on time-out, or an error.
    virtual int Wait(int ms) = 0;
    // Restarts after `error` (an underrun, a suspend); fails for a card that is gone.
    virtual int Recover(int error) = 0;
    // Frames written that the card has not played yet, in its own frames.
    virtual int64_t Delay() = 0;
};

// The ALSA PCM of that name.
std::unique_ptr<PcmPort> AlsaPcmPort(const std::string& name);

} // namespace audiolib
