#pragma once
// The pages of an Ogg file and the packets they carry, read in place: a packet is the list of byte
// ranges it spans, so one that runs over several pages (a comment header with a picture) is followed
// page by page without copying it, and every walk ends with the file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {
class BinaryReader;
}

namespace ogg {

constexpr uint64_t kNoGranule = ~uint64_t(0); // a page on which no packet ends

struct Page {
    int64_t pos = 0;
    uint8_t flags = 0; // 1 continued packet, 2 first page of a stream, 4 last page
    uint64_t granule = 0;
    uint32_t serial = 0;
    int64_t body = 0; // where the packet data start, after the segment table
    int64_t end = 0;  // where the next page starts
    size_t segmentCount = 0;
    std::array<uint8_t, 255> segments; // the lacing values
};

// The page whose header is at `pos`; false without "OggS" there.
bool ReadPage(platform::BinaryReader& in, int64_t pos, Page& page);

// Reads a range list as one run of bytes; bytes past its end read as zeros.
class PacketReader {
public:
    struct Range {
        int64_t pos;
        int64_t size;
    };
    // The ranges must outlive the reader.
    PacketReader(platform::BinaryReader& in, const std::vector<Range>& ranges);

    int64_t Size() const { return size_; }
    int64_t Tell() const { return offset_; }
    bool AtEnd() const { return offset_ >= size_; }
    void Seek(int64_t offset) { offset_ = offset; }
    void Read(void* dest, int64_t count);
    uint32_t ReadU32LE();

private:
    platform::BinaryReader& in_;
    const std::vector<Range>& ranges_;
    int64_t size_ = 0;
    int64_t offset_ = 0;
};

// The packets of one logical stream, from the first packet that starts on a given page on; pages of
// other streams in between are passed over.
class PacketWalk {
public:
    PacketWalk(platform::BinaryReader& in, int64_t pagePos);

    // The next whole packet; false when the stream or the file ends first.
    bool Next(std::vector<PacketReader::Range>& ranges);
    // The page on which the last packet ended.
    const Page& CurrentPage() const { return page_; }
    // The page after the current one in this stream; false when there is none.
    bool NextPage();

private:
    platform::BinaryReader& in_;
    Page page_;
    bool valid_ = false;
    size_t segment_ = 0;     // the next lacing value of the current page
    int64_t segmentPos_ = 0; // where its bytes start
};

} // namespace ogg
