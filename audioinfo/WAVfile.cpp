#include "audioinfo/WAVfile.h"

#include "platform/BinaryReader.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int64_t kMinimumSize = 40;
constexpr int64_t kChunkHeaderSize = 8;
constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xFFFE;
// A size field that says "see the ds64 chunk" in RF64, or "not known when written" from a pipe.
constexpr uint32_t kUnknownSize = 0xFFFFFFFF;
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

// What the decoder plays: integer PCM of whole bytes and 32- or 64-bit floating point, with a
// block of one sample per channel.
bool IsPlayable(const TWAVfile& format, uint16_t subFormat)
{
    const uint16_t tag = format.FormatTag == kTagExtensible ? subFormat : format.FormatTag;
    const int bits = format.BitsPerSample;
    const bool sampleFormat = (tag == kTagPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) ||
                              (tag == kTagFloat && (bits == 32 || bits == 64));
    return sampleFormat && format.Channels > 0 && format.SampleRate > 0 &&
           format.BlockAlign == format.Channels * bits / 8;
}

// The RF64 sizes that stand in for the 32-bit fields marked unknown.
struct Ds64 {
    bool found = false;
    uint64_t riffSize = 0;
    uint64_t dataSize = 0;
};
} // namespace

void TWAVfile::ResetData()
{
    Valid = false;
    FormatTag = 0;
    Channels = 0;
    BitsPerSample = 0;
    SampleRate = 0;
    BytesPerSecond = 0;
    BlockAlign = 0;
    HeaderSize = 0;
    DataSize = 0;
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
    const bool rf64 = Is(riff, "RF64");
    if (!(Is(riff, "RIFF") || rf64) || !Is(wave, "WAVE"))
        return !in.HasError();

    // The chunks are walked rather than taken at fixed places: writers put LIST, bext or JUNK
    // chunks before the format or the data.
    TWAVfile found;
    Ds64 ds64;
    bool hasFormat = false;
    bool hasData = false;
    uint16_t subFormat = 0;
    uint32_t dataSize = 0;
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
            found.Channels = uint8_t(std::min<uint16_t>(in.ReadU16LE(), 255));
            found.SampleRate = in.ReadU32LE();
            found.BytesPerSecond = in.ReadU32LE();
            found.BlockAlign = in.ReadU16LE();
            found.BitsPerSample = uint8_t(std::min<uint16_t>(in.ReadU16LE(), 255));
            if (found.FormatTag == kTagExtensible)
                subFormat = SubFormat(in, body, size);
        } else if (Is(id, "ds64") && rf64 && pos == 12) {
            ds64.found = true;
            ds64.riffSize = in.ReadU64LE();
            ds64.dataSize = in.ReadU64LE();
        } else if (Is(id, "data")) {
            found.HeaderSize = body;
            dataSize = size;
            hasData = true;
        }
        pos = body + int64_t(size) + (size & 1); // chunks are padded to an even length
    }
    if (in.HasError())
        return false;
    if (!hasFormat || !hasData || !IsPlayable(found, subFormat))
        return true;

    // A size is bounded by the bytes that follow; a size the writer could not know (a pipe, a
    // recording never finalised) means "to the end of the file".
    const int64_t held = std::max<int64_t>(0, in.Size() - found.HeaderSize);
    const bool fromDs64 = rf64 && ds64.found && dataSize == kUnknownSize;
    uint64_t stated = fromDs64 ? ds64.dataSize : dataSize;
    if (!fromDs64 && (dataSize == 0 || dataSize == kUnknownSize))
        stated = uint64_t(held);
    found.DataSize = int64_t(std::min(stated, uint64_t(held)));
    if (found.DataSize < found.BlockAlign)
        return true; // not one frame of sound
    *this = found;
    Valid = true;
    const uint64_t wrapped = rf64 && ds64.found && riffSize == kUnknownSize ? ds64.riffSize : riffSize;
    FileSize = int64_t(std::min<uint64_t>(wrapped, INT64_MAX - kChunkHeaderSize)) + kChunkHeaderSize;
    return true;
}

double TWAVfile::GetDuration() const
{
    if (!Valid)
        return 0;
    return double(DataSize / BlockAlign) / SampleRate;
}
