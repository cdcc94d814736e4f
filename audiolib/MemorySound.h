#pragma once
// The process's one "sound from memory": a whole sound file held by the caller, decoded and played
// on one output device. A new sound, MemorySoundStop and a failed start end the previous one. The
// menus' sounds and the library's in-memory wave play through here.
#include <cstdint>
#include <memory>

namespace audiolib {

enum class MemorySoundMode {
    Sync,  // returns when the sound has ended (or was stopped)
    Async, // returns at once
    Loop,  // returns at once; the sound starts again from its start at each end
};

// Plays size bytes at data; owner keeps them alive for as long as the stream reads them (memory
// streams do not copy). False, with nothing playing, when the device is not listed or cannot be
// initialised, or the bytes do not decode.
bool MemorySoundPlay(std::shared_ptr<const void> owner, const void* data, int64_t size, MemorySoundMode mode);
// Ends the current sound, if any, and lets go of its bytes.
void MemorySoundStop();
// The output device the sounds go to: 1 (the desktop's default output) unless set otherwise.
// The player initialises it when needed and selects it only while creating a stream.
void MemorySoundSetDevice(int device);
int MemorySoundDevice();
// The stream of the current sound, 0 when none is playing.
uint32_t MemorySoundStream();

} // namespace audiolib
