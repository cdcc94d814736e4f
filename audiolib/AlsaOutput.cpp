#include "audiolib/AlsaOutput.h"

#include "audiolib/RealTimePriority.h"

#include <cerrno>

namespace audiolib {

namespace {
constexpr int WaitMs = 100;
constexpr int StallLimitMs = 1000; // a card that takes nothing for this long counts as failed
constexpr auto RetryInterval = std::chrono::milliseconds(500);
constexpr auto CatchUpLimit = std::chrono::seconds(1);

std::chrono::nanoseconds FramesTime(int64_t frames, int rate)
{
    return std::chrono::nanoseconds(frames * 1000000000 / rate);
}
} // namespace

AlsaOutput::~AlsaOutput()
{
    Close();
}

bool AlsaOutput::Open(const OutputFormat& format, RenderFn render)
{
    format_ = format;
    render_ = std::move(render);
    block_.assign(static_cast<size_t>(format.periodFrames) * 2, 0.0f);
    // A card missing or busy at the first play is treated like one lost during play: the device
    // starts on its own clock and keeps retrying, so the queue moves on and sound returns with the card.
    if (!OpenPcm())
        ++failures_;
    thread_ = std::thread([this] { Run(); });
    scheduling_ = RaiseToRealTime(thread_);
    return true;
}

void AlsaOutput::Close()
{
    if (!thread_.joinable())
        return;
    stop_.Raise();
    thread_.join();
    ClosePcm();
}

OutputCounts AlsaOutput::Counts() const
{
    return {underruns_.load(), stalls_.load(), failures_.load()};
}

bool AlsaOutput::OpenPcm()
{
    if (lost_)
        return false;
    PcmOpened opened;
    if (port_->Open({format_.rate, format_.periodFrames}, opened) < 0)
        return false;
    cardRate_ = opened.cardRate;
    takesAtOnce_ = opened.takesAtOnce;
    if (cardRate_ != format_.rate) {
        if (!toCard_.Prepare()) {
            port_->Close();
            return false;
        }
        toCard_.Reset();
        cardBlock_.assign(static_cast<size_t>(format_.periodFrames * cardRate_ / format_.rate + 64) * 2,
                          0.0f);
    }
    open_ = true;
    writing_ = true;
    return true;
}

void AlsaOutput::ClosePcm()
{
    writing_ = false;
    if (!open_)
        return;
    port_->Close();
    open_ = false;
}

bool AlsaOutput::Recover(int error)
{
    // An underrun: the mix came too late and the card ran dry.
    if (error == -EPIPE)
        ++underruns_;
    return port_->Recover(error) >= 0;
}

bool AlsaOutput::Write(const float* frames, int64_t count)
{
    if (lost_)
        return false;
    if (cardRate_ != format_.rate) {
        const RateConverter::Result result =
            toCard_.Process(frames, count, cardBlock_.data(), static_cast<int64_t>(cardBlock_.size() / 2),
                            static_cast<double>(cardRate_) / format_.rate, false);
        frames = cardBlock_.data();
        count = result.generated;
    }
    int stalledMs = 0;
    while (count > 0 && !Stopping()) {
        const int64_t written = port_->Write(frames, count);
        if (written == -EAGAIN) {
            const int ready = port_->Wait(WaitMs);
            if (ready == 0) {
                // A stall: the card took nothing for a whole wait.
                ++stalls_;
                if ((stalledMs += WaitMs) >= StallLimitMs)
                    return false;
            } else if (ready < 0 && !Recover(ready)) {
                return false;
            }
            continue;
        }
        // An underrun or a suspend recovers; a removed card does not.
        if (written < 0) {
            if (!Recover(static_cast<int>(written)))
                return false;
            continue;
        }
        frames += written * 2;
        count -= written;
        stalledMs = 0;
    }
    return true;
}

int64_t AlsaOutput::Delay()
{
    const int64_t delay = port_->Delay();
    return delay <= 0 ? 0 : delay * format_.rate / cardRate_;
}

void AlsaOutput::Run()
{
    const int64_t period = format_.periodFrames;
    // The device's own clock, used while the card is gone and for a PCM that takes frames as fast as
    // they come (the `null` PCM): one period per period of steady time.
    Clock::time_point start = Clock::now();
    int64_t clocked = 0;
    int64_t delay = 0;
    Clock::time_point retry = start + RetryInterval;
    while (!Stopping()) {
        if (!open_ || takesAtOnce_) {
            Clock::time_point due = start + FramesTime(clocked + period, format_.rate);
            if (Clock::now() - due > CatchUpLimit) { // after a stall, such as a suspended machine
                start = Clock::now();
                clocked = 0;
                due = start + FramesTime(period, format_.rate);
            }
            if (stop_.WaitUntil(due))
                break;
            clocked += period;
        }
        // Until the write, the whole period counts as not heard.
        latency_ = delay + period;
        render_(block_.data(), period);
        if (!open_) {
            latency_ = 0;
            if (Clock::now() >= retry) {
                retry = Clock::now() + RetryInterval;
                if (OpenPcm())
                    delay = 0;
            }
            continue;
        }
        if (!Write(block_.data(), period)) {
            ClosePcm();
            ++failures_;
            latency_ = delay = 0;
            retry = Clock::now() + RetryInterval;
            start = Clock::now();
            clocked = 0;
            continue;
        }
        delay = Delay();
        latency_ = delay;
    }
}

} // namespace audiolib
