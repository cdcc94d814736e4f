#include "audioinfo/WMAfile.h"

#include "foundation/Strings.h"
#include "platform/BinaryReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {
using Guid = std::array<uint8_t, 16>;

// GUIDs as files store them: the first three fields little-endian, the last eight bytes as written.
constexpr Guid MakeGuid(uint32_t a, uint16_t b, uint16_t c, std::array<uint8_t, 8> d)
{
    return {uint8_t(a),
            uint8_t(a >> 8),
            uint8_t(a >> 16),
            uint8_t(a >> 24),
            uint8_t(b),
            uint8_t(b >> 8),
            uint8_t(c),
            uint8_t(c >> 8),
            d[0],
            d[1],
            d[2],
            d[3],
            d[4],
            d[5],
            d[6],
            d[7]};
}

constexpr Guid kHeaderObject =
    MakeGuid(0x75B22630, 0x668E, 0x11CF, {0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C});
constexpr Guid kFileProperties =
    MakeGuid(0x8CABDCA1, 0xA947, 0x11CF, {0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65});
constexpr Guid kStreamProperties =
    MakeGuid(0xB7DC0791, 0xA9B7, 0x11CF, {0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65});
constexpr Guid kContentDescription =
    MakeGuid(0x75B22633, 0x668E, 0x11CF, {0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C});
constexpr Guid kExtendedContentDescription =
    MakeGuid(0xD2D0A440, 0xE307, 0x11D2, {0x97, 0xF0, 0x00, 0xA0, 0xC9, 0x5E, 0xA8, 0x50});

constexpr int64_t kObjectHeaderSize = 24; // identifier and 8-byte size
constexpr int64_t kHeaderObjectSize = 30; // and the object count and two reserved bytes
// Offsets inside the objects.
constexpr int64_t kPlayDuration = 64; // 100-ns units, preroll included
constexpr int64_t kPreroll = 80;      // milliseconds
constexpr int64_t kMaxBitRate = 100;
constexpr int64_t kAudioChannels = 80;
constexpr int64_t kTextCharacters = 250; // a text beyond this is skipped
constexpr uint16_t kTextValue = 0;

enum Slot { SlotTitle, SlotArtist, SlotAlbum, SlotTrack, SlotYear, SlotGenre, SlotComment, SlotCount };
constexpr std::array<const char*, SlotCount> kSlotNames = {
    "WM/TITLE", "WM/AUTHOR", "WM/ALBUMTITLE", "WM/TRACK", "WM/YEAR", "WM/GENRE", "WM/DESCRIPTION"};

struct FileData {
    uint32_t maxBitRate = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t byteRate = 0;
    uint64_t playDuration = 0;
    uint64_t preroll = 0;
    std::array<QString, SlotCount> texts;
};

// A UTF-16LE text of `length` bytes inside an object ending at `end`, up to its first zero character;
// the reader ends after it whatever part of it was kept. A length from a damaged object cannot take
// the text out of the object.
QString ReadText(platform::BinaryReader& in, uint16_t length, int64_t end)
{
    const int64_t stop = std::clamp<int64_t>(in.Tell() + length, in.Tell(), std::max(end, in.Tell()));
    const int64_t characters = std::min<int64_t>((stop - in.Tell()) / 2, kTextCharacters);
    std::vector<char16_t> units(size_t(characters), u'\0');
    in.Read(units.data(), characters * 2);
    in.Seek(stop);
    const auto zero = std::find(units.begin(), units.end(), u'\0');
    return QString::fromUtf16(units.data(), zero - units.begin());
}

// Names match after trimming and upper-casing the letters a to z only.
QString NameKey(const QString& name)
{
    QString key = TrimBlanks(name);
    for (QChar& c : key)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    return key;
}

void ReadContentDescription(platform::BinaryReader& in, int64_t end, FileData& data)
{
    uint16_t lengths[5];
    for (uint16_t& length : lengths)
        length = in.ReadU16LE();
    // Title, author, copyright, description and rating; the copyright and the rating are not kept.
    constexpr int kSlots[5] = {SlotTitle, SlotArtist, -1, SlotComment, -1};
    for (int i = 0; i < 5; ++i) {
        if (lengths[i] == 0)
            continue;
        const QString text = ReadText(in, lengths[i], end);
        if (kSlots[i] >= 0)
            data.texts[kSlots[i]] = text;
    }
}

void ReadExtendedContentDescription(platform::BinaryReader& in, int64_t end, FileData& data)
{
    const uint16_t count = in.ReadU16LE();
    for (int i = 0; i < count && in.Tell() < end; ++i) {
        const QString name = NameKey(ReadText(in, in.ReadU16LE(), end));
        const uint16_t type = in.ReadU16LE();
        const uint16_t length = in.ReadU16LE();
        if (type != kTextValue) {
            in.Skip(length);
            continue;
        }
        const QString value = ReadText(in, length, end);
        for (int slot = 0; slot < SlotCount; ++slot)
            if (name == QLatin1String(kSlotNames[slot]))
                data.texts[slot] = value;
    }
}

void ReadObject(platform::BinaryReader& in, int64_t start, int64_t end, const Guid& id, FileData& data)
{
    if (id == kFileProperties) {
        in.Seek(start + kPlayDuration);
        data.playDuration = in.ReadU64LE();
        in.Seek(start + kPreroll);
        data.preroll = in.ReadU64LE();
        in.Seek(start + kMaxBitRate);
        data.maxBitRate = in.ReadU32LE();
    } else if (id == kStreamProperties) {
        // The audio format of an audio stream; a later stream object replaces an earlier one.
        in.Seek(start + kAudioChannels);
        data.channels = in.ReadU16LE();
        data.sampleRate = in.ReadU32LE();
        data.byteRate = in.ReadU32LE();
    } else if (id == kContentDescription) {
        in.Seek(start + kObjectHeaderSize);
        ReadContentDescription(in, end, data);
    } else if (id == kExtendedContentDescription) {
        in.Seek(start + kObjectHeaderSize);
        ReadExtendedContentDescription(in, end, data);
    }
}

// Walks the header objects. A damaged count or size must not keep the walk going: it stops at
// the end of the file and at an object too small to hold its own header.
void ReadHeader(platform::BinaryReader& in, FileData& data)
{
    Guid id;
    in.Seek(0);
    in.Read(id.data(), id.size());
    if (id != kHeaderObject)
        return;
    in.Seek(kObjectHeaderSize);
    const uint32_t count = in.ReadU32LE();
    int64_t pos = kHeaderObjectSize;
    for (uint32_t i = 0; i < count && pos < in.Size(); ++i) {
        in.Seek(pos);
        in.Read(id.data(), id.size());
        const uint64_t size = in.ReadU64LE();
        if (size < uint64_t(kObjectHeaderSize))
            break;
        ReadObject(in, pos, pos + int64_t(std::min<uint64_t>(size, uint64_t(in.Size() - pos))), id, data);
        if (size >= uint64_t(in.Size() - pos))
            break;
        pos += int64_t(size);
    }
}

bool IsValid(const FileData& data)
{
    return data.maxBitRate >= 1 && data.maxBitRate <= 319999 && (data.channels == 1 || data.channels == 2) &&
           data.sampleRate >= 8000 && data.sampleRate <= 96000 && data.byteRate >= 1 &&
           data.byteRate <= 39999;
}
} // namespace

void TWMAfile::ResetData()
{
    Valid = false;
    FileSize = 0;
    Channels = 0;
    SampleRate = 0;
    Duration = 0;
    BitRate = 0;
    Title.clear();
    Artist.clear();
    Album.clear();
    Year.clear();
    Genre.clear();
    Comment.clear();
    Track = 0;
}

bool TWMAfile::ReadFromFile(const QString& path)
{
    platform::BinaryReader in(path);
    return ReadFrom(in);
}

bool TWMAfile::ReadFrom(platform::BinaryReader& in)
{
    ResetData();
    if (!in.IsOpen())
        return false;
    FileData data;
    ReadHeader(in, data);
    if (in.HasError())
        return false;
    if (!IsValid(data))
        return true;

    Valid = true;
    FileSize = in.Size();
    Channels = uint8_t(data.channels);
    SampleRate = data.sampleRate;
    // The play time the file states is exact; the estimate from the size and the maximum bit rate
    // overstates it by the header and the padding of the packets, so it only stands in.
    const double played = double(data.playDuration) / 1e7 - double(data.preroll) / 1e3;
    Duration = played > 0 ? played : double(FileSize) * 8 / data.maxBitRate;
    BitRate = data.byteRate * 8 / 1000;
    Title = TrimBlanks(data.texts[SlotTitle]);
    Artist = TrimBlanks(data.texts[SlotArtist]);
    Album = TrimBlanks(data.texts[SlotAlbum]);
    Year = TrimBlanks(data.texts[SlotYear]);
    Genre = TrimBlanks(data.texts[SlotGenre]);
    Comment = TrimBlanks(data.texts[SlotComment]);
    bool ok = false;
    const uint32_t track = TrimBlanks(data.texts[SlotTrack]).toUInt(&ok);
    Track = ok ? track : 0;
    return true;
}
