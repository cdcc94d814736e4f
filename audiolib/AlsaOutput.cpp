#include "audiolib/AlsaOutput.h"

#include <alsa/asoundlib.h>

namespace audiolib {

namespace {
constexpr int64_t BufferPeriods = 4; // the ALSA buffer: 40 ms at the 10 ms update period
constexpr int WaitMs = 100;
constexpr int StallLimitMs = 1000; // a card that takes nothing for this long counts as failed
constexpr auto RetryInterval = std::chrono::milliseconds(500);
constexpr auto CatchUpLimit = std::chrono::seconds(1);

std::chrono::nanoseconds FramesTime(int64_t frames, int rate)
{
    return std::chrono::nanoseconds(frames * 1000000000 / rate);
}

bool Configure(snd_pcm_t* pcm, int rate, int64_t periodFrames, unsigned& cardRate)
{
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    snd_pcm_uframes_t period = static_cast<snd_pcm_uframes_t>(periodFrames);
    snd_pcm_uframes_t buffer = period * BufferPeriods;
    cardRate = static_cast<unsigned>(rate);
    int direction = 0;
    if (snd_pcm_hw_params_any(pcm, hw) < 0 ||
        snd_pcm_hw_params_set_access(pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED) < 0 ||
        snd_pcm_hw_params_set_format(pcm, hw, SND_PCM_FORMAT_FLOAT) < 0 ||
        snd_pcm_hw_params_set_channels(pcm, hw, 2) < 0 ||
        snd_pcm_hw_params_set_rate_near(pcm, hw, &cardRate, &direction) < 0 ||
        snd_pcm_hw_params_set_period_size_near(pcm, hw, &period, &direction) < 0 ||
        snd_pcm_hw_params_set_buffer_size_near(pcm, hw, &buffer) < 0 || snd_pcm_hw_params(pcm, hw) < 0)
        return false;
    snd_pcm_sw_params_t* sw = nullptr;
    snd_pcm_sw_params_alloca(&sw);
    // Starts once the buffer is full, so the first periods do not underrun.
    return snd_pcm_sw_params_current(pcm, sw) == 0 &&
           snd_pcm_sw_params_set_start_threshold(pcm, sw, buffer) == 0 &&
           snd_pcm_sw_params_set_avail_min(pcm, sw, period) == 0 && snd_pcm_sw_params(pcm, sw) == 0;
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
    if (!OpenPcm())
        return false;
    thread_ = std::thread([this] { Run(); });
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

bool AlsaOutput::OpenPcm()
{
    if (lost_)
        return false;
    snd_pcm_t* pcm = nullptr;
    // Non-blocking: a busy card fails at once instead of holding the caller.
    if (snd_pcm_open(&pcm, pcmName_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return false;
    unsigned cardRate = 0;
    if (!Configure(pcm, format_.rate, format_.periodFrames, cardRate)) {
        snd_pcm_close(pcm);
        return false;
    }
    pcm_ = pcm;
    cardRate_ = static_cast<int>(cardRate);
    if (cardRate_ != format_.rate) {
        toCard_.Reset();
        cardBlock_.assign(static_cast<size_t>(format_.periodFrames * cardRate_ / format_.rate + 64) * 2,
                          0.0f);
    }
    writing_ = true;
    return true;
}

void AlsaOutput::ClosePcm()
{
    writing_ = false;
    if (pcm_ == nullptr)
        return;
    snd_pcm_drop(pcm_);
    snd_pcm_close(pcm_);
    pcm_ = nullptr;
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
        const snd_pcm_sframes_t written = snd_pcm_writei(pcm_, frames, static_cast<snd_pcm_uframes_t>(count));
        if (written == -EAGAIN) {
            const int ready = snd_pcm_wait(pcm_, WaitMs);
            if (ready == 0 && (stalledMs += WaitMs) >= StallLimitMs)
                return false;
            if (ready < 0 && snd_pcm_recover(pcm_, ready, 1) < 0)
                return false;
            continue;
        }
        // An underrun (the mixer was held by the mixer lock) or a suspend recovers; a removed card does not.
        if (written < 0) {
            if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0)
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
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_delay(pcm_, &delay) < 0 || delay < 0)
        return 0;
    return static_cast<int64_t>(delay) * format_.rate / cardRate_;
}

void AlsaOutput::Run()
{
    const int64_t period = format_.periodFrames;
    // The device's own clock, used while the card is gone and for a PCM that takes frames as fast as
    // they come (the `null` PCM): one period per period of steady time.
    Clock::time_point start = Clock::now();
    int64_t clocked = 0;
    bool ownClock = false;
    int64_t delay = 0;
    Clock::time_point retry = start;
    while (!Stopping()) {
        if (pcm_ == nullptr || ownClock) {
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
        if (pcm_ == nullptr) {
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
        const bool takesAtOnce = delay == 0;
        if (takesAtOnce && !ownClock) {
            start = Clock::now();
            clocked = 0;
        }
        ownClock = takesAtOnce;
    }
}

} // namespace audiolib
