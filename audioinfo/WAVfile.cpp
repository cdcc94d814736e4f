#include "audioinfo/WAVfile.h"

#include "platform/BinaryReader.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int64_t kMinimumSize = 40;
constexpr int64_t kChunkHeaderSize = 8;
constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagAdpcm = 2;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xFFFE;
// An extensible format chunk names its real format by a GUID: the 2-byte tag, then this fixed tail.
constexpr uint32_t kExtensibleSize = 40;
constexpr int kSubFormatOffset = 24;
constexpr uint8_t kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

bool Is(const char* id, const char* expected)
{
    return std::memcmp(id, expected, 4) == 0;
}

// Chunk identifiers are printable: anything else is no chunk, and walking on would only read noise.
bool IsChunkId(const char* id)
{
    return std::all_of(id, id + 4, [](char c) { return c >= 0x20 && c <= 0x7E; });
}

// The format an extensible chunk carries, or 0 when the chunk is too short or its GUID unknown.
uint16_t SubFormat(platform::BinaryReader& in, int64_t body, uint32_t size)
{
    if (size < kExtensibleSize)
        return 0;
    in.Seek(body + kSubFormatOffset);
    const uint16_t tag = in.ReadU16LE();
    uint8_t tail[sizeof kSubFormatTail];
    in.Read(tail, sizeof tail);
    return std::memcmp(tail, kSubFormatTail, sizeof tail) == 0 ? tag : 0;
}

bool IsPlayable(uint16_t tag, uint16_t subFormat)
{
    if (tag == kTagExtensible)
        return subFormat == kTagPcm || subFormat == kTagFloat;
    return tag == kTagPcm || tag == kTagAdpcm || tag == kTagFloat;
}
} // namespace

void TWAVfile::ResetData()
{
    Valid = false;
    FormatTag = 0;
    Channels = 0;
    BitsPerSample = 0;
    SampleRate = 0;
    BytesPerSecond = 0;
    SampleCount = 0;
    BlockAlign = 0;
    HeaderSize = 0;
    FileSize = 0;
}

bool TWAVfile::ReadFromFile(const QString& path)
{
    platform::BinaryReader in(path);
    return ReadFrom(in);
}

bool TWAVfile::ReadFrom(platform::BinaryReader& in)
{
    ResetData();
    if (!in.IsOpen() || in.Size() < kMinimumSize)
        return false;
    char riff[4];
    char wave[4];
    in.Seek(0);
    in.Read(riff, 4);
    const uint32_t riffSize = in.ReadU32LE();
    in.Read(wave, 4);
    if (!Is(riff, "RIFF") || !Is(wave, "WAVE"))
        return !in.HasError();

    // The chunks are walked rather than taken at fixed places: writers put LIST, bext or JUNK
    // chunks before the format or the data, and only a fact chunk holds a sample count.
    TWAVfile found;
    bool hasFormat = false;
    bool hasData = false;
    uint16_t subFormat = 0;
    int64_t pos = 12;
    while (!hasData && pos + 4 <= in.Size()) {
        char id[4];
        in.Seek(pos);
        in.Read(id, 4);
        const uint32_t size = in.ReadU32LE();
        if (!IsChunkId(id))
            break;
        const int64_t body = pos + kChunkHeaderSize;
        if (Is(id, "fmt ")) {
            hasFormat = true;
            found.FormatTag = in.ReadU16LE();
            found.Channels = uint8_t(in.ReadU16LE());
            found.SampleRate = in.ReadU32LE();
            found.BytesPerSecond = in.ReadU32LE();
            found.BlockAlign = in.ReadU16LE();
            found.BitsPerSample = uint8_t(in.ReadU16LE());
            if (found.FormatTag == kTagExtensible)
                subFormat = SubFormat(in, body, size);
        } else if (Is(id, "fact")) {
            found.SampleCount = in.ReadU32LE();
        } else if (Is(id, "data")) {
            found.HeaderSize = body;
            hasData = true;
        }
        pos = body + int64_t(size) + (size & 1); // chunks are padded to an even length
    }
    if (in.HasError())
        return false;

    if (hasFormat && hasData && IsPlayable(found.FormatTag, subFormat)) {
        *this = found;
        Valid = true;
        FileSize = int64_t(riffSize) + kChunkHeaderSize;
        HeaderSize = std::min(HeaderSize, FileSize);
    }
    return true;
}

double TWAVfile::GetDuration() const
{
    if (!Valid)
        return 0;
    if (SampleCount > 0 && SampleRate > 0)
        return double(SampleCount) / SampleRate;
    if (BytesPerSecond > 0)
        return double(FileSize - HeaderSize) / BytesPerSecond;
    return 0;
}
