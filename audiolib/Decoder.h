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
    // Length in frames at the native rate: what Read delivers in all once LengthExact(); before that
    // the container's statement (a header's duration or frame count), which decoding may prove wrong.
    virtual int64_t LengthFrames() const = 0;
    virtual bool LengthExact() const { return true; }
    // A slice of the work that makes the length exact (a walk over the frames or a decode of the whole
    // file, on a reader of its own, so Read and Seek go on undisturbed): at most a few milliseconds.
    // True once LengthExact(). Called on the thread that reads, between reads.
    virtual bool RefineLength() { return true; }

    // Decodes up to `frames` frames as interleaved stereo float (L, R) into `out`. Returns the frames
    // written: fewer than asked only where decoding ends (0 there), which may come before a stated
    // length (a damaged file): the length is then exact, and the end is never padded with silence.
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
