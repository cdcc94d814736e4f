#include "audiolib/ChunkRing.h"

namespace audiolib {

ChunkRing::ChunkRing(int64_t chunkFrames, int64_t chunks)
    : chunkFrames_(chunkFrames), storage_(static_cast<size_t>(chunkFrames * chunks * 2)),
      chunks_(static_cast<size_t>(chunks))
{
    for (size_t i = 0; i < chunks_.size(); ++i)
        chunks_[i].data = storage_.data() + i * static_cast<size_t>(chunkFrames) * 2;
}

Chunk* ChunkRing::BeginWrite()
{
    const uint64_t tail = tail_.load(std::memory_order_relaxed);
    if (tail - head_.load(std::memory_order_acquire) >= chunks_.size())
        return nullptr;
    return &chunks_[tail % chunks_.size()];
}

void ChunkRing::CommitWrite()
{
    tail_.store(tail_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
}

Chunk* ChunkRing::Front()
{
    const uint64_t head = head_.load(std::memory_order_relaxed);
    if (head == tail_.load(std::memory_order_acquire))
        return nullptr;
    return &chunks_[head % chunks_.size()];
}

void ChunkRing::Pop()
{
    head_.store(head_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
}

void ChunkRing::DropAll()
{
    head_.store(tail_.load(std::memory_order_acquire), std::memory_order_release);
}

} // namespace audiolib
