#pragma once
// The station's watch over its sound outputs. The audio library counts each device's underruns,
// stalls and failures; this logs what they gained at level 1, one line a minute at most, so a card
// that keeps failing is on record without flooding the log.
#include "audiolib/AudioLib.h"

#include <array>
#include <cstdint>
#include <functional>

class TOutputHealth {
public:
    // Where the counts come from: the audio library, or a test's fake.
    using CountsSource = std::function<bool(int device, audiolib::OutputCounts& counts)>;
    explicit TOutputHealth(CountsSource source = LibraryCounts);

    // Called now and then with the monotonic tick (the station does every few seconds).
    void Check(int64_t tickMs);

private:
    static bool LibraryCounts(int device, audiolib::OutputCounts& counts);

    CountsSource source_;
    std::array<audiolib::OutputCounts, 10> logged_{}; // by output device, as of the last line
    int64_t lastLineMs_ = 0;
    bool anyLine_ = false;
};
