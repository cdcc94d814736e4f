#include "audioinfo/OggVorbis.h"

#include "audioinfo/ID3v2.h"
#include "audioinfo/OggPages.h"
#include "platform/BinaryReader.h"
#include "platform/Numbers.h"

#include <QByteArray>
#include <algorithm>
#include <array>
#include <cstring>

namespace {
constexpr int kIdentificationSize = 30;
constexpr int kBlockSizesOffset = 28;
constexpr int kFlagFirstPage = 2;
// The modes stand at the end of the setup header: 64 modes of 41 bits and their count fit here.
constexpr int64_t kSetupTail = 512;
constexpr uint32_t kCommentBuffer = 250; // the part of a comment that is kept
// The last page is searched in windows of 251 bytes stepping 241 back from the end, far enough back to
// reach the start of the largest page an Ogg stream can hold (27 + 255 + 255 * 255 bytes): encoders
// that write one-second pages end files with pages of well over 12 KB.
constexpr int kWindowCount = 272;
constexpr int kWindowStep = 241;
constexpr int kWindowEndGap = 10;
constexpr int64_t kTailChunk = 4096;

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
// must not keep the loop going once the packet has ended.
void ReadComments(ogg::PacketReader& packet, Fields& fields)
{
    uint64_t count = 0;
    for (uint64_t index = 0; index <= count && !packet.AtEnd(); ++index) {
        const uint32_t length = packet.ReadU32LE();
        const int64_t start = packet.Tell();
        QByteArray text(qsizetype(std::min<int64_t>({length, kCommentBuffer, packet.Size() - start})), '\0');
        packet.Read(text.data(), text.size());
        SetItem(TrimmedBytes(text), fields);
        packet.Seek(start + length);
        if (index == 0)
            count = packet.ReadU32LE();
    }
}

// The last page that starts in the final stretch of the file a page can span, its header ending at
// least 10 bytes before the end; false when there is none. Searched backwards a chunk at a time, each
// chunk overlapping the next by a marker's length less one.
bool LastPage(platform::BinaryReader& in, ogg::Page& page)
{
    const int64_t reach =
        std::max<int64_t>(0, in.Size() - kWindowEndGap - int64_t(kWindowStep) * kWindowCount);
    uint8_t chunk[kTailChunk];
    for (int64_t end = in.Size() - kWindowEndGap + 4; end - reach >= 4; end -= kTailChunk - 3) {
        const int64_t from = std::max(reach, end - kTailChunk);
        in.Seek(from);
        in.Read(chunk, end - from);
        for (size_t n = size_t(end - from) - 3; n > 0;) {
            const auto* hit = static_cast<const uint8_t*>(memrchr(chunk, 'O', n));
            if (!hit)
                break;
            n = size_t(hit - chunk);
            if (std::memcmp(hit, "OggS", 4) == 0)
                return ogg::ReadPage(in, from + int64_t(n), page);
        }
    }
    return false;
}

// The block flag of each mode, read backwards from the end of the setup header, where the modes stand
// after the codebooks: each is a block flag, 32 zero bits (its window and transform types) and a
// mapping number, and a 6-bit count precedes them. Empty when they cannot be made out.
std::vector<bool> ModeBlockFlags(const QByteArray& tail)
{
    const auto bit = [&tail](int64_t i) { return (uint8_t(tail[qsizetype(i >> 3)]) >> (i & 7) & 1) != 0; };
    const auto bits = [&bit](int64_t from, int count) {
        uint32_t value = 0;
        for (int k = count - 1; k >= 0; --k)
            value = value << 1 | (bit(from + k) ? 1 : 0);
        return value;
    };
    int64_t end = int64_t(tail.size()) * 8 - 1;
    while (end >= 0 && !bit(end))
        --end;               // the framing bit ends the header
    std::vector<bool> found; // from the last mode back
    for (int64_t start = end - 41; start >= 0 && bits(start + 1, 16) == 0 && bits(start + 17, 16) == 0;
         start -= 41)
        found.push_back(bit(start));
    // Earlier bits may look like modes too: the count in front of the modes tells where they begin.
    for (size_t k = found.size(); k > 0; --k) {
        const int64_t first = end - 41 * int64_t(k);
        if (first >= 6 && bits(first - 6, 6) == k - 1)
            return std::vector<bool>(found.rend() - std::ptrdiff_t(k), found.rend());
    }
    return {};
}

// Samples before the first one of a stream whose granule positions do not start at 0 (one cut from a
// longer stream): the first audio page's granule less what its packets decode to. 0 when unknown.
// The walk stands after the comment header; `blockSizes` is the identification header's byte.
uint64_t GranuleBase(platform::BinaryReader& in, ogg::PacketWalk& walk, uint8_t blockSizes)
{
    const int shortBlock = 1 << (blockSizes & 0x0F);
    const int longBlock = 1 << (blockSizes >> 4);
    std::vector<ogg::PacketReader::Range> ranges;
    if (!walk.Next(ranges)) // the setup header
        return 0;
    ogg::PacketReader setup(in, ranges);
    QByteArray tail(qsizetype(std::min(setup.Size(), kSetupTail)), '\0');
    setup.Seek(setup.Size() - tail.size());
    setup.Read(tail.data(), tail.size());
    const std::vector<bool> modes = ModeBlockFlags(tail);
    if (modes.empty())
        return 0;
    int modeBits = 0;
    while ((size_t(1) << modeBits) < modes.size())
        ++modeBits;

    // Each packet after the first decodes to a quarter of its block and a quarter of the one before.
    uint64_t decoded = 0;
    int previous = 0;
    int64_t page = -1;
    uint64_t granule = ogg::kNoGranule;
    while (walk.Next(ranges)) {
        if (page >= 0 && walk.CurrentPage().pos != page)
            break;
        page = walk.CurrentPage().pos;
        granule = walk.CurrentPage().granule;
        uint8_t first = 0;
        ogg::PacketReader(in, ranges).Read(&first, 1);
        const size_t mode = first >> 1 & ((1u << modeBits) - 1);
        if ((first & 1) != 0 || mode >= modes.size())
            return 0; // not an audio packet
        const int block = modes[mode] ? longBlock : shortBlock;
        decoded += previous > 0 ? uint64_t(previous / 4 + block / 4) : 0;
        previous = block;
    }
    return granule != ogg::kNoGranule && granule > decoded ? granule - decoded : 0;
}

// The same for the stream whose first page is at `firstPage`.
uint64_t GranuleBase(platform::BinaryReader& in, int64_t firstPage)
{
    ogg::PacketWalk walk(in, firstPage);
    std::vector<ogg::PacketReader::Range> ranges;
    uint8_t id[kIdentificationSize] = {};
    if (!walk.Next(ranges))
        return 0;
    ogg::PacketReader(in, ranges).Read(id, kIdentificationSize);
    return walk.Next(ranges) ? GranuleBase(in, walk, id[kBlockSizesOffset]) : 0;
}

uint64_t Granule(const ogg::Page& page)
{
    return page.granule == ogg::kNoGranule ? 0 : page.granule;
}

// The samples the stream plays: its last page's granule position from its base (`firstBase` for the
// first stream), or for a chain of streams (one file after another, each starting over) the sum of
// every link's.
int64_t PlayedSamples(platform::BinaryReader& in, const ogg::Page& first, uint64_t firstBase)
{
    ogg::Page page;
    if (!LastPage(in, page))
        return 0;
    // Each link and the chain's sum stay under a quarter of the range, so damaged granules in many
    // links cannot overflow the total.
    constexpr int64_t kMaxSamples = INT64_MAX / 4;
    const auto played = [&](int64_t start, uint64_t granule) {
        const uint64_t base = start == first.pos ? firstBase : GranuleBase(in, start);
        return int64_t(std::min<uint64_t>(granule - std::min(granule, base), kMaxSamples));
    };
    if (page.serial == first.serial)
        return played(first.pos, Granule(page));
    int64_t total = 0;
    int64_t link = first.pos;
    uint32_t serial = first.serial;
    uint64_t granule = 0;
    for (int64_t pos = first.pos; ogg::ReadPage(in, pos, page); pos = page.end) {
        if ((page.flags & kFlagFirstPage) && page.serial != serial) {
            total = std::min(total + played(link, granule), kMaxSamples);
            link = page.pos;
            serial = page.serial;
            granule = 0;
        }
        if (page.serial == serial && page.granule != ogg::kNoGranule)
            granule = page.granule;
    }
    return std::min(total + played(link, granule), kMaxSamples);
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

    ogg::Page first;
    if (!ogg::ReadPage(in, ID3v2Size, first))
        return false;
    ogg::PacketWalk walk(in, ID3v2Size);
    std::vector<ogg::PacketReader::Range> ranges;
    uint8_t id[kIdentificationSize] = {};
    if (walk.Next(ranges))
        ogg::PacketReader(in, ranges).Read(id, kIdentificationSize);
    if (!IsPacket(id, 1))
        return false;
    Channels = id[11];
    SampleRate = uint32_t(LittleEndian32(id + 12));
    const int32_t nominal = LittleEndian32(id + 20); // 0 or negative when the encoder gave none
    BitRateNominal = uint16_t(std::clamp<int64_t>(platform::RoundHalfEven(nominal / 1000.0), 0, 0xFFFF));

    // The comment header is the second packet, over as many pages as it takes.
    uint64_t base = 0;
    if (walk.Next(ranges)) {
        ogg::PacketReader packet(in, ranges);
        uint8_t type[7];
        packet.Read(type, sizeof type);
        if (IsPacket(type, 3)) {
            Fields fields;
            ReadComments(packet, fields);
            Title = fields[SlotTitle];
            Artist = fields[SlotArtist].isEmpty() ? fields[SlotPerformer] : fields[SlotArtist];
            Album = fields[SlotAlbum];
            Genre = fields[SlotGenre];
            Comment = fields[SlotComment].isEmpty() ? fields[SlotDescription] : fields[SlotComment];
        }
        base = GranuleBase(in, walk, id[kBlockSizesOffset]);
    }
    Samples = PlayedSamples(in, first, base);
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
