#include "audiolib/PcmPort.h"

#include <alsa/asoundlib.h>

namespace audiolib {

namespace {
constexpr snd_pcm_uframes_t BufferPeriods = 4; // 40 ms at the 10 ms update period

int Configure(snd_pcm_t* pcm, const PcmSetup& setup, unsigned& cardRate)
{
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    snd_pcm_uframes_t period = static_cast<snd_pcm_uframes_t>(setup.periodFrames);
    snd_pcm_uframes_t buffer = period * BufferPeriods;
    cardRate = static_cast<unsigned>(setup.rate);
    int rateDirection = 0;
    int periodDirection = 0;
    int error = 0;
    if ((error = snd_pcm_hw_params_any(pcm, hw)) < 0 ||
        (error = snd_pcm_hw_params_set_access(pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED)) < 0 ||
        (error = snd_pcm_hw_params_set_format(pcm, hw, SND_PCM_FORMAT_FLOAT)) < 0 ||
        (error = snd_pcm_hw_params_set_channels(pcm, hw, 2)) < 0 ||
        (error = snd_pcm_hw_params_set_rate_near(pcm, hw, &cardRate, &rateDirection)) < 0 ||
        (error = snd_pcm_hw_params_set_period_size_near(pcm, hw, &period, &periodDirection)) < 0 ||
        (error = snd_pcm_hw_params_set_buffer_size_near(pcm, hw, &buffer)) < 0 ||
        (error = snd_pcm_hw_params(pcm, hw)) < 0)
        return error;
    snd_pcm_sw_params_t* sw = nullptr;
    snd_pcm_sw_params_alloca(&sw);
    // Starts once the buffer is full, so the first periods do not underrun.
    if ((error = snd_pcm_sw_params_current(pcm, sw)) < 0 ||
        (error = snd_pcm_sw_params_set_start_threshold(pcm, sw, buffer)) < 0 ||
        (error = snd_pcm_sw_params_set_avail_min(pcm, sw, period)) < 0 ||
        (error = snd_pcm_sw_params(pcm, sw)) < 0)
        return error;
    return 0;
}

class AlsaPort final : public PcmPort {
public:
    explicit AlsaPort(std::string name) : name_(std::move(name)) {}
    ~AlsaPort() override { Close(); }

    int Open(const PcmSetup& setup, PcmOpened& opened) override
    {
        Close();
        // Non-blocking: a busy card fails at once instead of holding the caller.
        if (const int error = snd_pcm_open(&pcm_, name_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
            error < 0) {
            pcm_ = nullptr;
            return error;
        }
        unsigned cardRate = 0;
        if (const int error = Configure(pcm_, setup, cardRate); error < 0) {
            Close();
            return error;
        }
        opened.cardRate = static_cast<int>(cardRate);
        opened.takesAtOnce = snd_pcm_type(pcm_) == SND_PCM_TYPE_NULL;
        return 0;
    }

    void Close() override
    {
        if (pcm_ == nullptr)
            return;
        snd_pcm_drop(pcm_);
        snd_pcm_close(pcm_);
        pcm_ = nullptr;
    }

    int64_t Write(const float* frames, int64_t count) override
    {
        return snd_pcm_writei(pcm_, frames, static_cast<snd_pcm_uframes_t>(count));
    }

    int Wait(int ms) override { return snd_pcm_wait(pcm_, ms); }

    int Recover(int error) override { return snd_pcm_recover(pcm_, error, 1); }

    int64_t Delay() override
    {
        snd_pcm_sframes_t delay = 0;
        const int error = snd_pcm_delay(pcm_, &delay);
        return error < 0 ? error : delay;
    }

private:
    const std::string name_;
    snd_pcm_t* pcm_ = nullptr;
};
} // namespace

std::unique_ptr<PcmPort> AlsaPcmPort(const std::string& name)
{
    return std::make_unique<AlsaPort>(name);
}

} // namespace audiolib
