#pragma once
// The bytes a decoder reads, as FFmpeg's custom I/O: a file opened by us (so FFmpeg's protocol layer never
// interprets a path such as "concat:..." or "a:b.mp3") or a caller's buffer in memory.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct AVIOContext;

namespace audiolib {

class FfmpegInput {
public:
    ~FfmpegInput();
    FfmpegInput(const FfmpegInput&) = delete;
    FfmpegInput& operator=(const FfmpegInput&) = delete;

    // Null with `error` = ErrorFileOpen when the file cannot be opened for reading, ErrorMem when out of
    // memory.
    static std::unique_ptr<FfmpegInput> OpenFile(const std::string& path, int& error);
    static std::unique_ptr<FfmpegInput> OpenMemory(const void* data, size_t size, int& error);
    // A second reader of the same bytes with a position of its own (the memory stays the caller's); null
    // when out of descriptors or memory.
    std::unique_ptr<FfmpegInput> Share() const;

    AVIOContext* Context() const { return context_; }
    int64_t Size() const { return size_; }

    // Direct access for probing, independent of the context's buffer: reads up to `count` bytes at
    // `offset`, returns the bytes read.
    int64_t ReadAt(int64_t offset, uint8_t* buffer, int64_t count);

private:
    FfmpegInput() = default;
    bool CreateContext();
    static int ReadPacket(void* opaque, uint8_t* buffer, int size);
    static int64_t SeekTo(void* opaque, int64_t offset, int whence);

    int fd_ = -1;
    const uint8_t* memory_ = nullptr;
    int64_t size_ = 0;
    int64_t position_ = 0;
    AVIOContext* context_ = nullptr;
};

} // namespace audiolib
