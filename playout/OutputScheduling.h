#pragma once
// The scheduling each sound output's thread got, logged once per output when it has started: an
// output that runs without real-time priority says why, so a station can allow it (see the README).
#include "audiolib/AudioLib.h"

#include <array>
#include <functional>

class TOutputScheduling {
public:
    // Where the reports come from: the audio library, or a test's fake.
    using Source = std::function<bool(int device, audiolib::OutputScheduling& scheduling)>;
    explicit TOutputScheduling(Source source = LibraryScheduling);

    // Called now and then (the station does with its output health check): one line for the outputs
    // whose thread has started since the last call.
    void Check();

private:
    static bool LibraryScheduling(int device, audiolib::OutputScheduling& scheduling);

    Source source_;
    std::array<bool, 10> logged_{}; // by output device
};
