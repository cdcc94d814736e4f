#include "audioinfo/OggPages.h"

#include "platform/BinaryReader.h"

#include <algorithm>
#include <cstring>

namespace ogg {

namespace {
constexpr int kHeaderSize = 27; // up to the segment count, the segment table follows
}

bool ReadPage(platform::BinaryReader& in, int64_t pos, Page& page)
{
    uint8_t header[kHeaderSize];
    in.Seek(pos);
    if (in.Read(header, kHeaderSize) < kHeaderSize || std::memcmp(header, "OggS", 4) != 0)
        return false;
    page.pos = pos;
    page.flags = header[5];
    page.granule = 0;
    for (int i = 7; i >= 0; --i)
        page.granule = page.granule << 8 | header[6 + i];
    page.serial = uint32_t(header[14]) | uint32_t(header[15]) << 8 | uint32_t(header[16]) << 16 |
                  uint32_t(header[17]) << 24;
    page.segmentCount = header[26];
    in.Read(page.segments.data(), int64_t(page.segmentCount));
    page.body = pos + kHeaderSize + int64_t(page.segmentCount);
    int64_t size = 0;
    for (size_t i = 0; i < page.segmentCount; ++i)
        size += page.segments[i];
    page.end = page.body + size;
    return true;
}

PacketReader::PacketReader(platform::BinaryReader& in, const std::vector<Range>& ranges)
    : in_(in), ranges_(ranges)
{
    for (const Range& range : ranges_)
        size_ += range.size;
}

void PacketReader::Read(void* dest, int64_t count)
{
    auto* out = static_cast<uint8_t*>(dest);
    int64_t start = 0; // packet offset of the current range
    for (const Range& range : ranges_) {
        if (count <= 0)
            break;
        const int64_t from = offset_ - start;
        if (from < range.size) {
            const int64_t take = std::min(count, range.size - from);
            in_.Seek(range.pos + from);
            in_.Read(out, take);
            out += take;
            count -= take;
            offset_ += take;
        }
        start += range.size;
    }
    std::memset(out, 0, size_t(std::max<int64_t>(count, 0)));
    offset_ += std::max<int64_t>(count, 0);
}

uint32_t PacketReader::ReadU32LE()
{
    uint8_t b[4];
    Read(b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

PacketWalk::PacketWalk(platform::BinaryReader& in, int64_t pagePos) : in_(in)
{
    valid_ = ReadPage(in_, pagePos, page_);
    segmentPos_ = page_.body;
}

bool PacketWalk::NextPage()
{
    // Pages only move forward, so the walk ends with the file whatever the pages say.
    const uint32_t serial = page_.serial;
    int64_t pos = page_.end;
    Page next;
    while (ReadPage(in_, pos, next)) {
        if (next.serial == serial) {
            page_ = next;
            segment_ = 0;
            segmentPos_ = page_.body;
            return true;
        }
        pos = next.end;
    }
    valid_ = false;
    return false;
}

bool PacketWalk::Next(std::vector<PacketReader::Range>& ranges)
{
    ranges.clear();
    while (valid_) {
        if (segment_ == page_.segmentCount) {
            if (!NextPage())
                return false;
            // A packet that began before this walk started is not ours to return.
            if (ranges.empty() && (page_.flags & 1)) {
                while (segment_ < page_.segmentCount && page_.segments[segment_] == 255)
                    segmentPos_ += page_.segments[segment_++];
                if (segment_ < page_.segmentCount)
                    segmentPos_ += page_.segments[segment_++];
            }
            continue;
        }
        const uint8_t lacing = page_.segments[segment_++];
        if (!ranges.empty() && ranges.back().pos + ranges.back().size == segmentPos_)
            ranges.back().size += lacing;
        else
            ranges.push_back({segmentPos_, lacing});
        segmentPos_ += lacing;
        if (lacing < 255)
            return true;
    }
    return false;
}

} // namespace ogg
