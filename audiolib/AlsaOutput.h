#pragma once
// A sound card's output through one ALSA PCM. Its thread mixes one update period at a time and
// writes it into a short ALSA buffer, so a change of volume, pause or stop is heard within about
// 50 ms. When the card fails (a write error, a USB card pulled out) the device goes on on its own
// clock, like the null device, so positions advance and syncs fire; it tries to reopen the PCM in the
// background and resumes output once the card is back. A card missing or busy at the first play is
// handled the same way.
#include "audiolib/OutputBackend.h"
#include "audiolib/PcmPort.h"
#include "audiolib/RateConverter.h"
#include "audiolib/StopSignal.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace audiolib {

class AlsaOutput final : public OutputBackend {
public:
    explicit AlsaOutput(std::unique_ptr<PcmPort> port) : port_(std::move(port)) {}
    ~AlsaOutput() override;

    bool Open(const OutputFormat& format, RenderFn render) override;
    void Close() override;
    // Heard time: frames mixed minus frames written plus what ALSA still holds (its delay).
    int64_t LatencyFrames() const override { return latency_.load(); }
    OutputCounts Counts() const override;
    OutputScheduling Scheduling() const override { return scheduling_; }

    // Test hook: while set, the card behaves as if it were removed (writes and reopening fail).
    void SimulateCardLoss(bool lost) { lost_ = lost; }
    // The PCM is open and written to (false while the device runs on its own clock).
    bool Writing() const { return writing_.load(); }

private:
    using Clock = std::chrono::steady_clock;

    bool OpenPcm();
    void ClosePcm();
    // Writes one mixed period; false when the card failed.
    bool Write(const float* frames, int64_t count);
    // Restarts the PCM after `error`; false when it cannot (the card is gone).
    bool Recover(int error);
    // Frames ALSA holds that the listener has not heard yet, in device frames.
    int64_t Delay();
    void Run();
    bool Stopping() const { return stop_.Raised(); }

    const std::unique_ptr<PcmPort> port_;
    OutputFormat format_;
    RenderFn render_;
    std::vector<float> block_;

    // Output thread only, once open.
    bool open_ = false;
    bool takesAtOnce_ = false; // the PCM does not pace the writes: the device's own clock does
    int cardRate_ = 0;
    RateConverter toCard_; // when the card refuses the device rate, the mix is converted to its rate
    std::vector<float> cardBlock_;

    std::atomic<int64_t> latency_{0};
    std::atomic<bool> lost_{false};
    std::atomic<bool> writing_{false};
    std::atomic<uint32_t> underruns_{0};
    std::atomic<uint32_t> stalls_{0};
    std::atomic<uint32_t> failures_{0};

    std::thread thread_;
    OutputScheduling scheduling_; // set by Open, before the device counts as opened
    StopSignal stop_;
};

} // namespace audiolib
