#include "audioinfo/OggVorbis.h"

#include "audioinfo/ID3v2.h"
#include "platform/BinaryReader.h"
#include "platform/Numbers.h"

#include <QByteArray>
#include <algorithm>
#include <array>
#include <cstring>

namespace {
constexpr int kPageHeaderSize = 27; // up to the segment count, the segment table follows
constexpr int kGranuleOffset = 6;
constexpr int kIdentificationSize = 30;
constexpr uint32_t kCommentBuffer = 250; // the part of a comment that is kept
// The last page is searched in windows of 251 bytes stepping 241 back from the end, far enough back to
// reach the start of the largest page an Ogg stream can hold (27 + 255 + 255 * 255 bytes): encoders
// that write one-second pages end files with pages of well over 12 KB.
constexpr int kWindowCount = 272;
constexpr int kWindowStep = 241;
constexpr int kWindowSize = 251;
constexpr int kWindowEndGap = 10;

enum Slot {
    SlotTitle,
    SlotArtist,
    SlotAlbum,
    SlotGenre,
    SlotComment,
    SlotPerformer,
    SlotDescription,
    SlotCount
};
constexpr std::array<const char*, SlotCount> kSlotNames = {"TITLE",   "ARTIST",    "ALBUM",      "GENRE",
                                                           "COMMENT", "PERFORMER", "DESCRIPTION"};
using Fields = std::array<QString, SlotCount>;

bool IsPacket(const uint8_t* bytes, uint8_t type)
{
    return bytes[0] == type && std::memcmp(bytes + 1, "vorbis", 6) == 0;
}

// Reads the page header at `pos`; returns where its segment table ends, or -1 without "OggS".
int64_t PageBody(platform::BinaryReader& in, int64_t pos)
{
    uint8_t header[kPageHeaderSize];
    in.Seek(pos);
    in.Read(header, kPageHeaderSize);
    if (std::memcmp(header, "OggS", 4) != 0)
        return -1;
    return pos + kPageHeaderSize + header[kPageHeaderSize - 1];
}

QByteArray TrimmedBytes(const QByteArray& bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && uint8_t(bytes[begin]) <= 32)
        ++begin;
    while (end > begin && uint8_t(bytes[end - 1]) <= 32)
        --end;
    return bytes.mid(begin, end - begin);
}

// The well-formed UTF-8 at the start of the bytes: decoding stops at a malformed byte or at a
// sequence cut short, keeping what came before (a comment cut at 250 bytes may end mid-character).
QString Utf8Prefix(const QByteArray& bytes)
{
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const uint8_t lead = b[i];
        int length = 1;
        uint8_t low = 0x80; // the range of the second byte, narrower after some leads
        uint8_t high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : low;   // no overlong forms
            high = lead == 0xED ? 0x9F : high; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : low;
            high = lead == 0xF4 ? 0x8F : high; // nothing above U+10FFFF
        } else if (lead >= 0x80) {
            break;
        }
        if (i + length > n)
            break;
        bool wellFormed = true;
        for (int k = 1; k < length; ++k) {
            const uint8_t c = b[i + k];
            wellFormed = wellFormed && c >= (k == 1 ? low : 0x80) && c <= (k == 1 ? high : 0xBF);
        }
        if (!wellFormed)
            break;
        i += length;
    }
    return QString::fromUtf8(bytes.constData(), i);
}

// "NAME=value": the name is upper-cased but not trimmed, so "ARTIST =x" names no field.
void SetItem(const QByteArray& text, Fields& fields)
{
    const qsizetype equals = text.indexOf('=');
    if (equals < 0)
        return;
    const QByteArray name = text.left(equals).toUpper();
    for (int slot = 0; slot < SlotCount; ++slot)
        if (name == kSlotNames[slot])
            fields[slot] = Utf8Prefix(TrimmedBytes(text.mid(equals + 1)));
}

// The vendor text, then the counted comments, each a 4-byte length and its bytes. A damaged count
// must not keep the loop going once the file has ended.
void ReadComments(platform::BinaryReader& in, Fields& fields)
{
    uint64_t count = 0;
    for (uint64_t index = 0; index <= count && !in.AtEnd(); ++index) {
        const uint32_t length = in.ReadU32LE();
        const int64_t start = in.Tell();
        SetItem(TrimmedBytes(in.ReadBytes(std::min(length, kCommentBuffer))), fields);
        in.Seek(start + length);
        if (index == 0)
            count = in.ReadU32LE();
    }
}

// The granule position of the last page found near the end of the file, or 0.
int64_t LastGranule(platform::BinaryReader& in)
{
    for (int i = 1; i <= kWindowCount; ++i) {
        const int64_t pos = in.Size() - int64_t(kWindowStep) * i - kWindowEndGap;
        if (pos < 0)
            break; // the windows only move further back
        uint8_t window[kWindowSize];
        in.Seek(pos);
        in.Read(window, kWindowSize);
        for (int offset = kWindowStep; offset >= 0; --offset) {
            if (std::memcmp(window + offset, "OggS", 4) == 0) {
                in.Seek(pos + offset + kGranuleOffset);
                return int64_t(in.ReadU64LE());
            }
        }
    }
    return 0;
}

int32_t LittleEndian32(const uint8_t* b)
{
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}
} // namespace

void TOggVorbis::ResetData()
{
    FileSize = 0;
    Channels = 0;
    SampleRate = 0;
    BitRateNominal = 0;
    Samples = 0;
    ID3v2Size = 0;
    Title.clear();
    Artist.clear();
    Album.clear();
    Genre.clear();
    Comment.clear();
}

bool TOggVorbis::ReadFromFile(const QString& path)
{
    platform::BinaryReader in(path);
    return ReadFrom(in);
}

bool TOggVorbis::ReadFrom(platform::BinaryReader& in)
{
    ResetData();
    if (!in.IsOpen())
        return false;
    FileSize = in.Size();
    uint8_t tagHeader[10];
    in.Seek(0);
    in.Read(tagHeader, sizeof tagHeader);
    ID3v2Size = TID3v2::TagSize(tagHeader, FileSize);

    const int64_t identification = PageBody(in, ID3v2Size);
    if (identification < 0)
        return false;
    uint8_t id[kIdentificationSize];
    in.Seek(identification);
    in.Read(id, kIdentificationSize);
    if (!IsPacket(id, 1))
        return false;
    Channels = id[11];
    SampleRate = uint32_t(LittleEndian32(id + 12));
    const int32_t nominal = LittleEndian32(id + 20); // 0 or negative when the encoder gave none
    BitRateNominal = uint16_t(std::clamp<int64_t>(platform::RoundHalfEven(nominal / 1000.0), 0, 0xFFFF));

    // The comment header is expected at the start of the second page.
    const int64_t comments = PageBody(in, identification + kIdentificationSize);
    if (comments >= 0) {
        uint8_t packet[7];
        in.Seek(comments);
        in.Read(packet, sizeof packet);
        if (IsPacket(packet, 3)) {
            Fields fields;
            ReadComments(in, fields);
            Title = fields[SlotTitle];
            Artist = fields[SlotArtist].isEmpty() ? fields[SlotPerformer] : fields[SlotArtist];
            Album = fields[SlotAlbum];
            Genre = fields[SlotGenre];
            Comment = fields[SlotComment].isEmpty() ? fields[SlotDescription] : fields[SlotComment];
        }
    }
    Samples = LastGranule(in);
    return !in.HasError();
}

double TOggVorbis::GetDuration() const
{
    if (Samples > 0)
        return SampleRate > 0 ? double(Samples) / SampleRate : 0;
    if (BitRateNominal > 0 && Channels > 0)
        return double(FileSize - ID3v2Size) / BitRateNominal / Channels / 125 * 2;
    return 0;
}

uint16_t TOggVorbis::GetBitRate() const
{
    const double duration = GetDuration();
    if (duration <= 0)
        return 0;
    const double kbits = double(FileSize - ID3v2Size) / duration / 125;
    return uint16_t(platform::RoundHalfEven(std::clamp(kbits, 0.0, 65535.0)));
}

bool TOggVorbis::GetValid() const
{
    return (Channels == 1 || Channels == 2) && SampleRate > 0 && GetDuration() > 0.1 && GetBitRate() > 0;
}
