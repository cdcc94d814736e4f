#pragma once
// Single-producer/single-consumer ring of decoded chunks between a stream's decoder and the mixer.
// Each chunk is tagged with the seek generation it was decoded for and its first source frame, so
// the mixer drops chunks decoded before a seek without any lock between the two sides.
#include <atomic>
#include <cstdint>
#include <vector>

namespace audiolib {

struct Chunk {
    uint32_t generation = 0;
    int64_t start = 0;     // source frame of data[0]
    int64_t count = 0;     // frames held
    bool last = false;     // the stream ends after these frames
    float* data = nullptr; // interleaved stereo
};

class ChunkRing {
public:
    ChunkRing(int64_t chunkFrames, int64_t chunks);
    ChunkRing(const ChunkRing&) = delete;
    ChunkRing& operator=(const ChunkRing&) = delete;

    int64_t ChunkFrames() const { return chunkFrames_; }

    // Producer side: a free chunk to fill (null when full), then publish it.
    Chunk* BeginWrite();
    void CommitWrite();

    // Consumer side: the oldest published chunk (null when empty), then release it.
    Chunk* Front();
    void Pop();
    void DropAll();

private:
    int64_t chunkFrames_;
    std::vector<float> storage_;
    std::vector<Chunk> chunks_;
    std::atomic<uint64_t> head_{0}; // next chunk the consumer reads
    std::atomic<uint64_t> tail_{0}; // next chunk the producer writes
};

} // namespace audiolib
