#include "audiolib/Stream.h"

#include <algorithm>

namespace audiolib {

namespace {
constexpr int64_t ChunkFrames = 1024;

int64_t ChunksFor(int64_t bufferFrames)
{
    return std::max<int64_t>(2, (bufferFrames + ChunkFrames - 1) / ChunkFrames);
}
} // namespace

// Not shared with any other thread yet: no lock is needed.
Stream::Stream(Handle handle, int device, int deviceRate, double volume, uint32_t flags,
               std::unique_ptr<Decoder> decoder, bool endless, int64_t bufferFrames) NO_THREAD_SAFETY_ANALYSIS
    : handle(handle),
      device(device),
      flags(flags),
      endless(endless),
      rate(decoder->SampleRate()),
      sourceChannels(decoder->SourceChannels()),
      length(endless ? INT64_MAX : decoder->LengthFrames()),
      lengthExact(endless || decoder->LengthExact()),
      freq(decoder->SampleRate()),
      volume(volume),
      ring(ChunkFrames, ChunksFor(bufferFrames)),
      decoder_(std::move(decoder))
{
    PrepareRate(rate, deviceRate);
}

void Stream::PrepareRate(double value, int deviceRate)
{
    if (value != deviceRate && !rateStage.Prepared())
        rateStage.Prepare();
}

Stream::~Stream()
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(wakeMutex_);
        quit_ = true;
    }
    decoder_->Interrupt();
    wake_.notify_one();
    thread_.join();
}

void Stream::SeekTo(int64_t frame)
{
    ++generation;
    position = frame;
    heardFloor = frame;
    atEnd = false;
    chunkOffset = 0;
    ring.DropAll();
    rateStage.Reset(frame);
    {
        std::lock_guard lock(requestMutex_);
        requestGeneration_ = generation;
        requestFrame_ = frame;
    }
    WakeDecoder();
}

void Stream::AdoptLength()
{
    const int64_t found = foundLength_.load(std::memory_order_acquire);
    if (found < 0 || (lengthExact && found == length))
        return;
    length = found;
    lengthExact = true;
    for (SyncPoint& sync : syncs) {
        if (sync.beforeEnd < 0)
            continue;
        const int64_t moved = FrameBeforeEnd(sync.beforeEnd);
        // Still ahead and now behind the position: it fires at the next frame rather than never.
        sync.frame = sync.frame > position && moved <= position ? position + 1 : moved;
    }
}

int64_t Stream::FrameBeforeEnd(int64_t beforeEnd) const
{
    return std::max<int64_t>(0, length - beforeEnd);
}

void Stream::Reach(int64_t frame)
{
    if (!lengthExact && frame > length)
        length = frame;
}

int64_t Stream::HeardPosition(int64_t heardFrame, int deviceRate) const
{
    // Frames mixed but still in the output's buffer are not heard yet.
    const int64_t unheard = std::max<int64_t>(0, mixedUpTo - heardFrame);
    return std::max(heardFloor, position - RateStage::NativeFramesIn(unheard, freq.Value(), deviceRate));
}

bool Stream::DecodeChunk()
{
    if (!threaded_) // the manual clock: the length is exact before the first frame is heard
        while (RefineLength()) {
        }
    bool seek = false;
    {
        std::lock_guard lock(requestMutex_);
        if (requestGeneration_ != producedGeneration_) {
            producedGeneration_ = requestGeneration_;
            nextFrame_ = requestFrame_;
            seek = true;
        }
    }
    bool lost = false;
    if (seek) {
        decodedToEnd_ = false;
        // A failed seek ends the stream there rather than playing from the wrong place.
        lost = !decoder_->Seek(nextFrame_);
    }
    if (decodedToEnd_)
        return false;
    Chunk* chunk = ring.BeginWrite();
    if (chunk == nullptr)
        return false;
    const int64_t limit = endless || !decoder_->LengthExact() ? INT64_MAX : decoder_->LengthFrames();
    const int64_t want = lost ? 0 : std::min(ring.ChunkFrames(), limit - nextFrame_);
    const int64_t got = want > 0 ? std::max<int64_t>(0, decoder_->Read(chunk->data, want)) : 0;
    chunk->generation = producedGeneration_;
    chunk->start = nextFrame_;
    chunk->count = got;
    chunk->last = lost || got < want || nextFrame_ + got >= limit;
    nextFrame_ += got;
    // Where decoding ends, the length is known: in time for the mixer to move its syncs before the end.
    if (chunk->last && !lost)
        PublishLength();
    ring.CommitWrite();
    decodedToEnd_ = chunk->last;
    return true;
}

bool Stream::RefineLength()
{
    if (refined_ || endless)
        return false;
    refined_ = decoder_->RefineLength();
    if (refined_)
        PublishLength();
    return true;
}

void Stream::PublishLength()
{
    if (decoder_->LengthExact())
        foundLength_.store(decoder_->LengthFrames(), std::memory_order_release);
}

void Stream::StartDecodeThread()
{
    threaded_ = true;
    thread_ = std::thread([this] { DecodeLoop(); });
}

void Stream::WakeDecoder()
{
    if (!thread_.joinable())
        return;
    // Set under the mutex, so a decoder about to sleep cannot miss it.
    {
        std::lock_guard lock(wakeMutex_);
        woken_ = true;
    }
    wake_.notify_one();
}

void Stream::DecodeLoop()
{
    std::unique_lock lock(wakeMutex_);
    while (!quit_) {
        woken_ = false;
        lock.unlock();
        // Filling the ring comes first; the length is made exact in slices while it is full.
        const bool worked = DecodeChunk() || RefineLength();
        lock.lock();
        // Nothing to do until the mixer frees a chunk, a seek is asked for or the stream goes.
        if (!worked)
            wake_.wait(lock, [this] { return woken_ || quit_; });
    }
}

} // namespace audiolib
