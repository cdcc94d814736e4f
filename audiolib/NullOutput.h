#pragma once
// Device 0, "No sound": consumes the mix on its own clock. In real time a thread paced by the steady
// clock renders one period per period and discards it; on the manual clock nothing runs until the
// caller advances it, and the mix is kept for the caller to inspect.
#include "audiolib/AudioLib.h"
#include "audiolib/OutputBackend.h"
#include "audiolib/StopSignal.h"

#include <mutex>
#include <thread>
#include <vector>

namespace audiolib {

class NullOutput final : public OutputBackend {
public:
    explicit NullOutput(bool manual) : manual_(manual) {}
    ~NullOutput() override;

    bool Open(const OutputFormat& format, RenderFn render) override;
    void Close() override;
    int64_t LatencyFrames() const override { return 0; }
    OutputScheduling Scheduling() const override { return scheduling_; }

    bool Manual() const { return manual_; }
    // Manual clock: renders exactly `frames` frames on the calling thread.
    void Advance(int64_t frames);
    std::vector<float> TakeCapture();
    void SetSink(NullSink sink);

private:
    void RunClock();
    void Output(int64_t frames);

    const bool manual_;
    OutputFormat format_;
    RenderFn render_;
    std::vector<float> block_;

    std::thread thread_;
    OutputScheduling scheduling_; // set by Open, before the device counts as opened
    StopSignal stop_;

    std::mutex outputMutex_;
    std::vector<float> capture_;
    NullSink sink_;
};

} // namespace audiolib
