#pragma once
// A bounded reader of binary files and byte buffers, shared by every format reader. Reads past the
// end (or after an input/output error) give zero bytes instead of failing, so a damaged or truncated
// file can never make a reader crash; each read reports how many bytes were really there.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class BinaryReader {
public:
    BinaryReader() = default;
    // Opens a regular file for reading, never waiting on it; IsOpen() tells whether that worked and
    // OpenFailure() why not (a FIFO, a missing file, ...).
    explicit BinaryReader(const QString& path);
    // Reads from a copy of the bytes (implicitly shared, so no real copy is made).
    explicit BinaryReader(const QByteArray& bytes);
    ~BinaryReader();
    BinaryReader(const BinaryReader&) = delete;
    BinaryReader& operator=(const BinaryReader&) = delete;

    bool IsOpen() const { return fd_ >= 0 || isBuffer_; }
    const QString& OpenFailure() const { return failure_; }
    // True once a read failed with an input/output error (not merely at the end of the data).
    bool HasError() const { return error_; }

    int64_t Size() const { return size_; }
    int64_t Tell() const { return pos_; }
    bool AtEnd() const { return pos_ >= size_; }
    int64_t Remaining() const { return pos_ < size_ ? size_ - pos_ : 0; }
    // Any position may be set; one below 0 becomes 0, one past the end reads as zeros.
    void Seek(int64_t pos);
    void Skip(int64_t count);

    // Fills `count` bytes at `dest` and moves on by `count`; bytes past the end are zeros.
    // Returns how many bytes came from the data.
    int64_t Read(void* dest, int64_t count);
    // Up to `count` bytes, only those that are really there: a length read from a damaged file
    // can never make this allocate more than the data holds. Moves on by `count`.
    QByteArray ReadBytes(int64_t count);
    // How many bytes the last read of any kind really got.
    int64_t LastReadCount() const { return lastCount_; }

    uint8_t ReadU8();
    uint16_t ReadU16LE();
    uint16_t ReadU16BE();
    uint32_t ReadU24BE();
    uint32_t ReadU32LE();
    uint32_t ReadU32BE();
    uint64_t ReadU64LE();
    // Four bytes of seven bits each, most significant first (the top bit of each byte is ignored).
    uint32_t ReadSynchSafe32();
    static uint32_t SynchSafeValue(uint32_t bigEndian);

private:
    // A window holds the few KB a reader takes from a file's start or end: an MP3's tag header and
    // first frames, or its last frames and ID3v1 tag.
    static constexpr int64_t WindowBytes = 4096;
    static constexpr int64_t WindowAlign = 512;

    int64_t ReadAt(int64_t pos, char* dest, int64_t count);
    int64_t PreadAll(int64_t pos, char* dest, int64_t count);
    int64_t ReadThroughWindow(int64_t pos, char* dest, int64_t count);

    int fd_ = -1;
    bool isBuffer_ = false;
    QByteArray buffer_;
    int64_t size_ = 0;
    int64_t pos_ = 0;
    int64_t lastCount_ = 0;
    bool error_ = false;
    QString failure_;
    // Two windows: the readers go back and forth between a file's start and its end.
    struct Window {
        char* bytes = nullptr;
        int64_t start = 0;
        int64_t size = 0;
    };
    std::unique_ptr<char[]> windowBytes_; // both windows, left uninitialised
    std::array<Window, 2> windows_;
    size_t recent_ = 0; // the window used last
};

} // namespace platform
