#include "audioinfo/ID3v2.h"

#include "audioinfo/ID3v2Text.h"
#include "platform/BinaryReader.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {
constexpr int kHeaderSize = 10;
constexpr int kValueSize = 500; // a frame's data beyond this is not kept
constexpr int kSlotCount = 16;

// Frame identifiers per slot: versions 3 and 4, then version 2.
constexpr const char* kFrameIds[kSlotCount][2] = {
    {"TIT2", "TT2"}, {"TPE1", "TP1"}, {"TALB", "TAL"}, {"TRCK", "TRK"}, {"TYER", "TYE"}, {"TCON", "TCO"},
    {"COMM", "COM"}, {"TCOM", "TCM"}, {"TENC", "TEN"}, {"TCOP", "TCR"}, {"TLAN", "TLA"}, {"WXXX", "WXX"},
    {"TDRC", "TOR"}, {"TOPE", "TOA"}, {"TIT1", "TT1"}, {"TOAL", "TOT"}};
enum SlotIndex {
    SlotTitle,
    SlotArtist,
    SlotAlbum,
    SlotTrack,
    SlotYear,
    SlotGenre,
    SlotComment,
    SlotComposer,
    SlotEncoder,
    SlotCopyright,
    SlotLanguage,
    SlotLink,
    SlotYearAlt,
    SlotArtistAlt,
    SlotTitleAlt,
    SlotAlbumAlt
};

constexpr uint8_t kFlagUnsynchronised = 0x80;
constexpr uint8_t kFlagExtendedHeader = 0x40;
constexpr uint8_t kFlagFooter = 0x10;

using SlotValues = std::array<QByteArray, kSlotCount>;

// How the second flag byte of a frame header lays out its data, per version.
struct FrameFormat {
    uint8_t compressed;
    uint8_t encrypted;
    uint8_t grouped; // one group byte precedes the data
    uint8_t unsynchronised;
    uint8_t lengthPrefix; // a 4-byte data length precedes the data
};
constexpr FrameFormat kFormatV23{0x80, 0x40, 0x20, 0, 0};
constexpr FrameFormat kFormatV24{0x08, 0x04, 0x40, 0x02, 0x01};

bool IsIdChar(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Undoes the unsynchronisation scheme: every 0x00 that follows a 0xFF was inserted by the writer.
QByteArray Resynchronised(const QByteArray& bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out.append(bytes[i]);
        if (uint8_t(bytes[i]) == 0xFF && i + 1 < bytes.size() && bytes[i + 1] == 0)
            ++i;
    }
    return out;
}

class FrameReader {
public:
    FrameReader(platform::BinaryReader& in, int64_t end, uint8_t version, bool unsynchronised)
        : in_(in), end_(std::min(end, in.Size())), version_(version), unsynchronised_(unsynchronised)
    {
    }

    // Reads frames from `begin` until the tag's end, a non-frame identifier or a read error.
    void ReadFrames(int64_t begin, SlotValues& values)
    {
        int64_t pos = begin;
        while (pos < end_ && !in_.HasError()) {
            in_.Seek(pos);
            char id[4] = {};
            uint32_t size = 0;
            uint8_t flags = 0;
            if (version_ == 2) {
                in_.Read(id, 3);
                size = in_.ReadU24BE();
            } else {
                in_.Read(id, 4);
                size = in_.ReadU32BE();
                in_.ReadU8();
                flags = in_.ReadU8();
            }
            if (id[0] < 'A' || id[0] > 'Z')
                break;
            const int64_t dataStart = in_.Tell();
            if (version_ == 4)
                size = V24FrameSize(size, dataStart);
            Store(id, dataStart, size, flags, values);
            pos = dataStart + size;
        }
    }

private:
    // Sizes are synch-safe in version 2.4, but some writers put plain numbers there: when the
    // synch-safe step lands nowhere sensible and the plain one lands on a frame, plain it is.
    uint32_t V24FrameSize(uint32_t plain, int64_t dataStart)
    {
        if (plain & 0x80808080)
            return plain;
        const uint32_t synchSafe = platform::BinaryReader::SynchSafeValue(plain);
        if (synchSafe == plain)
            return plain;
        const int64_t synchEnd = dataStart + synchSafe;
        const bool synchFits = IsFrameStart(synchEnd) || (synchEnd < end_ && PeekByte(synchEnd) == 0);
        return !synchFits && IsFrameStart(dataStart + plain) ? plain : synchSafe;
    }

    bool IsFrameStart(int64_t pos)
    {
        if (pos == end_)
            return true;
        if (pos + 4 > end_)
            return false;
        uint8_t id[4];
        in_.Seek(pos);
        in_.Read(id, 4);
        return std::all_of(id, id + 4, IsIdChar);
    }

    uint8_t PeekByte(int64_t pos)
    {
        in_.Seek(pos);
        return in_.ReadU8();
    }

    void Store(const char* id, int64_t dataStart, uint32_t size, uint8_t flags, SlotValues& values)
    {
        const int slot = SlotOf(id);
        if (slot < 0)
            return;
        const FrameFormat& format = version_ == 4 ? kFormatV24 : kFormatV23;
        if (version_ != 2 && (flags & (format.compressed | format.encrypted)))
            return;
        int64_t skip = 0;
        if (version_ != 2) {
            skip += (flags & format.grouped) ? 1 : 0;
            skip += (flags & format.lengthPrefix) ? 4 : 0;
        }
        const int64_t length = int64_t(size) - skip;
        if (length <= 0)
            return;
        const bool unsynchronised = version_ == 4 && (unsynchronised_ || (flags & format.unsynchronised));
        // Undoing unsynchronisation at most halves the data, so twice the kept size is enough.
        const int64_t wanted = std::min<int64_t>(length, unsynchronised ? 2 * kValueSize : kValueSize);
        in_.Seek(dataStart + skip);
        // Zero-filled to its kept size at once: the value is always that long.
        QByteArray data(qsizetype(std::max<int64_t>(wanted, kValueSize)), '\0');
        in_.Read(data.data(), wanted);
        if (unsynchronised)
            data = Resynchronised(data.left(qsizetype(wanted)));
        data.resize(kValueSize, '\0');
        if (id3v2::IsKnownEncoding(uint8_t(data[0])))
            values[slot] = data; // a later duplicate replaces an earlier one
    }

    int SlotOf(const char* id) const
    {
        const int column = version_ == 2 ? 1 : 0;
        const size_t length = version_ == 2 ? 3 : 4;
        for (int slot = 0; slot < kSlotCount; ++slot)
            if (std::memcmp(kFrameIds[slot][column], id, length) == 0)
                return slot;
        return -1;
    }

    platform::BinaryReader& in_;
    const int64_t end_;
    const uint8_t version_;
    const bool unsynchronised_;
};

// Where the frames start after the header, past an extended header when there is one.
int64_t FramesStart(platform::BinaryReader& in, int64_t headerEnd, uint8_t version, uint8_t flags)
{
    if (version == 2 || !(flags & kFlagExtendedHeader))
        return headerEnd;
    in.Seek(headerEnd);
    // Version 2.3 counts the bytes after the size field; 2.4 counts the whole extended header.
    return version == 3 ? headerEnd + 4 + in.ReadU32BE() : headerEnd + in.ReadSynchSafe32();
}

uint16_t TrackNumber(const QString& text)
{
    bool ok = false;
    const int number = text.section('/', 0, 0).toInt(&ok);
    return ok && number >= 0 && number <= 0xFFFF ? uint16_t(number) : 0;
}

// Leading "(n)" genre references go; the rest of the text stays, so "Rock (live)" keeps its words.
QString GenreText(QString text)
{
    while (text.startsWith('(') && !text.startsWith("((")) {
        const qsizetype close = text.indexOf(')');
        if (close < 0)
            break;
        text.remove(0, close + 1);
    }
    return text;
}
} // namespace

void TID3v2::ResetData()
{
    Exists = false;
    VersionID = 0;
    Size = 0;
    Title.clear();
    Artist.clear();
    Album.clear();
    Track = 0;
    TrackString.clear();
    Year.clear();
    Genre.clear();
    Comment.clear();
    Composer.clear();
    Encoder.clear();
    Copyright.clear();
    Language.clear();
    Link.clear();
}

int64_t TID3v2::TagSize(const uint8_t* header, int64_t fileSize)
{
    if (std::memcmp(header, "ID3", 3) != 0)
        return 0;
    int64_t size = (int64_t(header[6]) << 21) + (int64_t(header[7]) << 14) + (int64_t(header[8]) << 7) +
                   header[9] + kHeaderSize;
    if (header[5] & kFlagFooter)
        size += kHeaderSize;
    return size > fileSize ? 0 : size;
}

bool TID3v2::ReadFromFile(const QString& path)
{
    platform::BinaryReader reader(path);
    return ReadFrom(reader);
}

bool TID3v2::ReadFrom(platform::BinaryReader& reader)
{
    ResetData();
    uint8_t header[kHeaderSize];
    reader.Seek(0);
    if (!reader.IsOpen() || reader.Read(header, kHeaderSize) < kHeaderSize || reader.HasError())
        return false;
    if (std::memcmp(header, "ID3", 3) != 0)
        return true;

    Exists = true;
    VersionID = header[3];
    Size = TagSize(header, reader.Size());
    if (VersionID < 2 || VersionID > 4 || Size <= 0)
        return true;

    const uint8_t flags = header[5];
    SlotValues values;
    if (VersionID < 4 && (flags & kFlagUnsynchronised)) {
        // Up to 2.3 the whole tag is unsynchronised and frame sizes count the restored bytes.
        reader.Seek(kHeaderSize);
        platform::BinaryReader body(Resynchronised(reader.ReadBytes(Size - kHeaderSize)));
        FrameReader(body, body.Size(), VersionID, false)
            .ReadFrames(FramesStart(body, 0, VersionID, flags), values);
    } else {
        FrameReader(reader, Size, VersionID, flags & kFlagUnsynchronised)
            .ReadFrames(FramesStart(reader, kHeaderSize, VersionID, flags), values);
    }

    auto text = [&values](SlotIndex slot) { return id3v2::FrameText(values[slot]); };
    auto textOr = [&text](SlotIndex slot, SlotIndex fallback) {
        const QString value = text(slot);
        return value.isEmpty() ? text(fallback) : value;
    };
    Title = textOr(SlotTitle, SlotTitleAlt);
    Artist = textOr(SlotArtist, SlotArtistAlt);
    Album = textOr(SlotAlbum, SlotAlbumAlt);
    TrackString = text(SlotTrack);
    Track = TrackNumber(TrackString);
    Year = text(SlotYear);
    if (Year.isEmpty())
        Year = text(SlotYearAlt).left(4);
    Genre = GenreText(text(SlotGenre));
    Comment = id3v2::CommentText(values[SlotComment]);
    Composer = text(SlotComposer);
    Encoder = text(SlotEncoder);
    Copyright = text(SlotCopyright);
    Language = text(SlotLanguage);
    Link = id3v2::LinkText(values[SlotLink]);
    return true;
}
