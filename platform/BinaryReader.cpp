#include "platform/BinaryReader.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <unistd.h>

namespace platform {

namespace {
constexpr int64_t kMaxPos = std::numeric_limits<int64_t>::max();

int64_t SaturatingAdd(int64_t pos, int64_t count)
{
    if (count > 0 && pos > kMaxPos - count)
        return kMaxPos;
    return std::max<int64_t>(0, pos + count);
}
} // namespace

BinaryReader::BinaryReader(const QString& path)
{
    RegularFile file = OpenRegularFile(QFile::encodeName(path).constData());
    fd_ = file.fd;
    size_ = file.size;
    failure_ = QString::fromStdString(file.failure);
}

BinaryReader::BinaryReader(const QByteArray& bytes) : isBuffer_(true), buffer_(bytes), size_(bytes.size()) {}

BinaryReader::~BinaryReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void BinaryReader::Seek(int64_t pos)
{
    pos_ = std::max<int64_t>(0, pos);
}

void BinaryReader::Skip(int64_t count)
{
    pos_ = SaturatingAdd(pos_, count);
}

int64_t BinaryReader::PreadAll(int64_t pos, char* dest, int64_t count)
{
    int64_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd_, dest + done, size_t(count - done), off_t(pos + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error_ = true;
        if (got <= 0)
            break; // an error, or the file shrank since it was opened
        done += got;
    }
    return done;
}

int64_t BinaryReader::ReadThroughWindow(int64_t pos, char* dest, int64_t count)
{
    const auto holds = [&](const Window& w) { return pos >= w.start && pos + count <= w.start + w.size; };
    if (!holds(windows_[recent_])) {
        recent_ = 1 - recent_;
        Window& window = windows_[recent_];
        if (!holds(window)) {
            if (!windowBytes_) {
                windowBytes_.reset(new char[2 * WindowBytes]);
                windows_[0].bytes = windowBytes_.get();
                windows_[1].bytes = windowBytes_.get() + WindowBytes;
            }
            // Aligned below the request, so backward scans hit the same window; near the end it
            // ends with the file, so the reads of a file's last blocks share one.
            int64_t start = pos & ~(WindowAlign - 1);
            if (start + WindowBytes < pos + count)
                start = pos;
            window.start = std::max<int64_t>(0, std::min(start, size_ - WindowBytes));
            window.size = PreadAll(window.start, window.bytes, std::min(WindowBytes, size_ - window.start));
        }
    }
    const Window& window = windows_[recent_];
    const int64_t there = std::clamp<int64_t>(window.start + window.size - pos, 0, count);
    std::memcpy(dest, window.bytes + (pos - window.start), size_t(there));
    return there;
}

int64_t BinaryReader::ReadAt(int64_t pos, char* dest, int64_t count)
{
    const int64_t available = pos < size_ ? std::min(count, size_ - pos) : 0;
    int64_t done = 0;
    if (isBuffer_) {
        if (available > 0)
            std::memcpy(dest, buffer_.constData() + pos, size_t(available));
        done = available;
    } else if (fd_ >= 0 && available > 0) {
        // The readers ask for a few bytes at a time: one system call per window, not per field.
        done = available <= WindowBytes ? ReadThroughWindow(pos, dest, available)
                                        : PreadAll(pos, dest, available);
    }
    if (count > done) // an empty read may come with no buffer at all
        std::memset(dest + done, 0, size_t(count - done));
    return done;
}

int64_t BinaryReader::Read(void* dest, int64_t count)
{
    count = std::max<int64_t>(0, count);
    lastCount_ = ReadAt(pos_, static_cast<char*>(dest), count);
    pos_ = SaturatingAdd(pos_, count);
    return lastCount_;
}

QByteArray BinaryReader::ReadBytes(int64_t count)
{
    count = std::max<int64_t>(0, count);
    QByteArray bytes(qsizetype(std::min(count, Remaining())), Qt::Uninitialized);
    lastCount_ = ReadAt(pos_, bytes.data(), bytes.size());
    bytes.truncate(qsizetype(lastCount_));
    pos_ = SaturatingAdd(pos_, count);
    return bytes;
}

uint8_t BinaryReader::ReadU8()
{
    uint8_t b = 0;
    Read(&b, 1);
    return b;
}

uint16_t BinaryReader::ReadU16LE()
{
    uint8_t b[2];
    Read(b, 2);
    return uint16_t(b[0] | b[1] << 8);
}

uint16_t BinaryReader::ReadU16BE()
{
    uint8_t b[2];
    Read(b, 2);
    return uint16_t(b[0] << 8 | b[1]);
}

uint32_t BinaryReader::ReadU24BE()
{
    uint8_t b[3];
    Read(b, 3);
    return uint32_t(b[0]) << 16 | uint32_t(b[1]) << 8 | b[2];
}

uint32_t BinaryReader::ReadU32LE()
{
    uint8_t b[4];
    Read(b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

uint32_t BinaryReader::ReadU32BE()
{
    uint8_t b[4];
    Read(b, 4);
    return uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
}

uint64_t BinaryReader::ReadU64LE()
{
    const uint64_t low = ReadU32LE();
    const int64_t lowCount = lastCount_;
    const uint64_t high = ReadU32LE();
    lastCount_ += lowCount;
    return low | high << 32;
}

uint32_t BinaryReader::ReadSynchSafe32()
{
    return SynchSafeValue(ReadU32BE());
}

uint32_t BinaryReader::SynchSafeValue(uint32_t bigEndian)
{
    return (bigEndian >> 3 & 0x0FE00000) | (bigEndian >> 2 & 0x001FC000) | (bigEndian >> 1 & 0x00003F80) |
           (bigEndian & 0x7F);
}

} // namespace platform
