#include "audiolib/NullOutput.h"

#include "audiolib/RealTimePriority.h"

#include <algorithm>
#include <chrono>

namespace audiolib {

NullOutput::~NullOutput()
{
    Close();
}

bool NullOutput::Open(const OutputFormat& format, RenderFn render)
{
    format_ = format;
    render_ = std::move(render);
    block_.assign(static_cast<size_t>(format.periodFrames) * 2, 0.0f);
    if (!manual_) {
        thread_ = std::thread([this] { RunClock(); });
        scheduling_ = RaiseToRealTime(thread_);
    }
    return true;
}

void NullOutput::Close()
{
    if (!thread_.joinable())
        return;
    stop_.Raise();
    thread_.join();
}

void NullOutput::Advance(int64_t frames)
{
    while (frames > 0) {
        const int64_t n = std::min<int64_t>(frames, format_.periodFrames);
        render_(block_.data(), n);
        Output(n);
        frames -= n;
    }
}

std::vector<float> NullOutput::TakeCapture()
{
    std::lock_guard lock(outputMutex_);
    std::vector<float> out;
    out.swap(capture_);
    return out;
}

void NullOutput::SetSink(NullSink sink)
{
    std::lock_guard lock(outputMutex_);
    sink_ = std::move(sink);
}

void NullOutput::Output(int64_t frames)
{
    std::lock_guard lock(outputMutex_);
    if (sink_)
        sink_(block_.data(), frames);
    else if (manual_) // in real time the mix is discarded, or it would grow without end
        capture_.insert(capture_.end(), block_.begin(), block_.begin() + frames * 2);
}

void NullOutput::RunClock()
{
    using Clock = std::chrono::steady_clock;
    const int64_t period = format_.periodFrames;
    const int64_t rate = format_.rate;
    Clock::time_point start = Clock::now();
    int64_t scheduled = 0; // frames rendered since `start`
    while (!stop_.Raised()) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start);
        const int64_t due = elapsed.count() * rate / 1000000000;
        // After a stall of more than a second (a suspended machine) the clock resumes from now.
        if (due - scheduled > rate) {
            start = Clock::now();
            scheduled = 0;
            continue;
        }
        while (scheduled + period <= due && !stop_.Raised()) {
            render_(block_.data(), period);
            Output(period);
            scheduled += period;
        }
        stop_.WaitUntil(start + std::chrono::nanoseconds((scheduled + period) * 1000000000 / rate));
    }
}

} // namespace audiolib
