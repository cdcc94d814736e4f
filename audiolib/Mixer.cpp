#include "audiolib/Mixer.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace audiolib {

namespace {
// Auto-free events sort after every sync of their frame.
constexpr uint64_t AutoFreeOrder = uint64_t{1} << 32;

// Linear balance: the side the pan leans to stays at full gain.
double PanLeft(double pan)
{
    return pan > 0.0 ? 1.0 - pan / 100.0 : 1.0;
}

double PanRight(double pan)
{
    return pan < 0.0 ? 1.0 + pan / 100.0 : 1.0;
}

int64_t FramesToNextEvent(const Stream& stream, int deviceRate) REQUIRES(mixLocks)
{
    // A length only stated is no boundary: the end comes with the decoder's last chunk.
    constexpr int64_t NoEvent = INT64_MAX;
    int64_t frames = stream.lengthExact ? stream.length - stream.position : NoEvent;
    for (const SyncPoint& sync : stream.syncs) {
        if (sync.type == SyncPos && sync.frame > stream.position && sync.frame < stream.length)
            frames = std::min(frames, sync.frame - stream.position);
    }
    // Syncs and the end fall on native frames, which pass faster or slower at another playback rate.
    if (frames > 0 && frames != NoEvent && !RateStage::Bypassed(stream.freq, deviceRate))
        frames = stream.rateStage.DeviceFramesFor(frames, stream.freq.Value(), deviceRate);
    for (const SlidingValue* value : {&stream.freq, &stream.volume, &stream.pan}) {
        if (value->Sliding())
            frames = std::min(frames, value->FramesLeft());
    }
    return std::max<int64_t>(frames, 0);
}

// Adds `frames` frames of `source` at the stream's gains; `ahead` frames of the segment are done.
void AddWithGains(const Stream& stream, const float* source, float* out, int64_t frames, int64_t ahead,
                  int maxVol) REQUIRES(mixLocks)
{
    if (!stream.volume.Sliding() && !stream.pan.Sliding()) {
        const double gain = stream.volume.Value() / maxVol;
        const auto left = static_cast<float>(gain * PanLeft(stream.pan.Value()));
        const auto right = static_cast<float>(gain * PanRight(stream.pan.Value()));
        for (int64_t i = 0; i < frames; ++i) {
            out[2 * i] += source[2 * i] * left;
            out[2 * i + 1] += source[2 * i + 1] * right;
        }
        return;
    }
    const SlidingValue::Line volume = stream.volume.LineFrom(ahead);
    if (!stream.pan.Sliding()) {
        const double left = PanLeft(stream.pan.Value()) / maxVol;
        const double right = PanRight(stream.pan.Value()) / maxVol;
        for (int64_t i = 0; i < frames; ++i) {
            const double gain = volume.base + volume.slope * static_cast<double>(i);
            out[2 * i] += static_cast<float>(source[2 * i] * gain * left);
            out[2 * i + 1] += static_cast<float>(source[2 * i + 1] * gain * right);
        }
        return;
    }
    const SlidingValue::Line pan = stream.pan.LineFrom(ahead);
    for (int64_t i = 0; i < frames; ++i) {
        const double gain = (volume.base + volume.slope * static_cast<double>(i)) / maxVol;
        const double panValue = pan.base + pan.slope * static_cast<double>(i);
        out[2 * i] += static_cast<float>(source[2 * i] * gain * PanLeft(panValue));
        out[2 * i + 1] += static_cast<float>(source[2 * i + 1] * gain * PanRight(panValue));
    }
}

// Pulls up to `frames` frames from the ring through the chain and hands them to `sink(source, n, done)`;
// sets `reachedEnd` when the stream's last frame was pulled. Fewer frames than asked without the end
// means the decoder fell behind.
template <typename Sink>
int64_t PullAndMix(Stream& stream, const MixContext& context, int64_t frames, bool& reachedEnd, Sink&& sink)
    REQUIRES(mixLocks)
{
    int64_t done = 0;
    for (;;) {
        Chunk* chunk = stream.ring.Front();
        if (chunk == nullptr) {
            // Filled whole, as the decoder thread keeps it: the end is found as far ahead as in real time.
            if (context.decodeInline && stream.DecodeChunk()) {
                while (stream.DecodeChunk()) {
                }
                continue;
            }
            return done;
        }
        const int64_t available = chunk->count - stream.chunkOffset;
        if (chunk->generation != stream.generation || available == 0) {
            const bool last = chunk->generation == stream.generation && chunk->last;
            stream.ring.Pop();
            stream.chunkOffset = 0;
            stream.WakeDecoder();
            if (last) {
                reachedEnd = true;
                return done;
            }
            continue;
        }
        if (done == frames)
            return done;
        // A faster playback rate pulls more than a period at once; DSPs still get a period at most.
        const int64_t n = std::min({frames - done, available, int64_t{context.periodFrames}});
        // The chain works in place on the ring's front chunk, which the decoder leaves alone until popped.
        float* source = chunk->data + 2 * stream.chunkOffset;
        stream.chain.Run(stream.handle, source, n);
        stream.history.Write(source, n);
        sink(source, n, done);
        stream.chunkOffset += n;
        done += n;
    }
}

// Mixes `frames` device frames of a stream and moves its position on. A stream that does not play 1:1
// at the device rate goes through its rate stage, after its chain and history, before its gains.
int64_t MixStream(Stream& stream, const MixContext& context, float* out, int64_t frames, bool& reachedEnd)
    REQUIRES(mixLocks)
{
    if (stream.mixedUpTo != context.startFrame)
        stream.heardFloor = stream.position; // (re)started: what is mixed from here is not heard yet
    stream.mixedUpTo = context.startFrame + frames;
    const auto add = [&](const float* source, int64_t n, int64_t ahead) REQUIRES(mixLocks) {
        AddWithGains(stream, source, out + 2 * ahead, n, ahead, context.maxVol);
    };
    if (RateStage::Bypassed(stream.freq, context.deviceRate)) {
        if (stream.rateStage.Active())
            stream.position = stream.rateStage.Leave();
        const int64_t mixed = PullAndMix(stream, context, frames, reachedEnd, add);
        stream.position += mixed;
        stream.Reach(stream.position);
        if (reachedEnd)
            stream.AdoptLength(); // the decoder found its end with the last chunk
        return mixed;
    }
    const auto pull = [&](float* to, int64_t most, bool& ended) REQUIRES(mixLocks) {
        return PullAndMix(stream, context, most, ended, [to](const float* source, int64_t n, int64_t done) {
            std::copy(source, source + 2 * n, to + 2 * done);
        });
    };
    int64_t advance = 0;
    const int64_t mixed =
        stream.rateStage.Render(frames, stream.freq, context.deviceRate, stream.position, pull, add, advance);
    stream.AdoptLength(); // the decoder may have found its end while this segment pulled
    stream.Reach(stream.position + advance);
    stream.position = std::min(stream.position + advance, stream.length);
    reachedEnd = stream.lengthExact && stream.position == stream.length;
    return mixed;
}

void CollectEvents(Stream& stream, int64_t from, const std::array<bool, 3>& slideDone, bool reachedEnd,
                   int64_t frame, std::vector<SyncEvent>& events) REQUIRES(mixLocks)
{
    for (const SyncPoint& sync : stream.syncs) {
        SyncEvent event{frame, sync.handle, sync.handle, stream.handle, 0, stream.generation, stream.stops};
        if (sync.type == SyncPos && from < sync.frame && sync.frame <= stream.position &&
            sync.frame < stream.length)
            events.push_back(event);
        else if (sync.type == SyncEnd && reachedEnd)
            events.push_back(event);
        else if (sync.type == SyncSlide) {
            for (uint32_t attribute = 0; attribute < 3; ++attribute) {
                if (slideDone[attribute]) {
                    event.data = attribute + SlideFreq;
                    events.push_back(event);
                }
            }
        }
    }
    if (reachedEnd && (stream.flags & StreamAutoFree))
        events.push_back(
            {frame, AutoFreeOrder | stream.handle, 0, stream.handle, 0, stream.generation, stream.stops});
}
} // namespace

int64_t MixSegment(const std::vector<Stream*>& streams, const MixContext& context, float* out,
                   int64_t maxFrames, std::vector<SyncEvent>& events)
{
    int64_t frames = maxFrames;
    for (Stream* stream : streams) {
        if (stream->state != StreamState::Playing)
            continue;
        stream->AdoptLength();
        frames = std::min(frames, FramesToNextEvent(*stream, context.deviceRate));
    }
    const size_t firstEvent = events.size();
    for (Stream* stream : streams) {
        if (stream->state != StreamState::Playing)
            continue;
        bool reachedEnd = false;
        const int64_t from = stream->position;
        const int64_t mixed = MixStream(*stream, context, out, frames, reachedEnd);
        const std::array<bool, 3> slideDone = {stream->freq.Advance(mixed), stream->volume.Advance(mixed),
                                               stream->pan.Advance(mixed)};
        if (reachedEnd) {
            stream->state = StreamState::Stopped;
            stream->atEnd = true;
        }
        CollectEvents(*stream, from, slideDone, reachedEnd, context.startFrame + mixed, events);
    }
    // A total order, so the sort needs no buffer of its own.
    std::sort(events.begin() + static_cast<std::ptrdiff_t>(firstEvent), events.end(),
              [](const SyncEvent& a, const SyncEvent& b) {
                  return std::tie(a.frame, a.order, a.data) < std::tie(b.frame, b.order, b.data);
              });
    return frames;
}

void ClipBlock(float* out, int64_t frames)
{
    for (int64_t i = 0; i < frames * 2; ++i)
        out[i] = std::min(std::max(out[i], -1.0f), 1.0f); // unlike std::clamp, this form vectorises
}

} // namespace audiolib
