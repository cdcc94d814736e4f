#pragma once
// A decoder turns one audio file (on disk or in memory) into stereo float frames at the file's own
// rate. The mixer only sees this interface; FFmpeg stays behind it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace audiolib {

class Decoder {
public:
    virtual ~Decoder() = default;

    // The file's native sample rate in Hz.
    virtual int SampleRate() const = 0;
    // Channels of the source before the stereo presentation (mono is duplicated, more are downmixed).
    virtual int SourceChannels() const = 0;
    // Exact length in frames at the native rate.
    virtual int64_t LengthFrames() const = 0;

    // Decodes up to `frames` frames as interleaved stereo float (L, R) into `out`. Returns the frames
    // written: fewer than asked only at the end of the stream (0 there).
    virtual int64_t Read(float* out, int64_t frames) = 0;

    // Positions the next Read exactly at `frame` (0 <= frame < LengthFrames()); false when it cannot.
    virtual bool Seek(int64_t frame) = 0;

    // Called from another thread before the decoder is destroyed: a Read or Seek in progress gives up
    // soon (within a packet), so freeing a stream never waits out a long seek.
    virtual void Interrupt() {}
};

// Open a file by UTF-8 path, or a file image held in memory (the caller keeps `data` alive for the
// decoder's lifetime). On failure they return null and set `error` to an ErrorCode: ErrorFileOpen,
// ErrorFileForm (not MP3, WAV, Ogg Vorbis or WMA), ErrorDecode or ErrorMem.
std::unique_ptr<Decoder> OpenFileDecoder(const std::string& path, int& error);
std::unique_ptr<Decoder> OpenMemoryDecoder(const void* data, size_t size, int& error);

} // namespace audiolib
