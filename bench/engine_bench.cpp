// How long the engine keeps the output threads waiting. A timed tool, run by hand, never by ctest:
//   cmake --build build --target engine_bench && build/bench/engine_bench
//
// Crossfade: on device 1 (ALSA's `null` PCM, initialised afresh each round, so the round's first play
// opens the PCM) one 44.1 kHz WAV plays; the calling thread, standing in for the GUI, then opens a
// 48 kHz WAV, starts it at volume 0 grouped with its fade-in, the other's fade-out and two syncs, and
// frees the old one. Meanwhile a probe thread, real-time like an output thread where the system
// allows it, calls ChannelIsActive on a silent stream of the same device every 200 us: the longest
// such call is the longest the device's lock was held from it, which is what an output thread would
// have waited (a lock holder put aside by a busy machine included). Reported: the longest probe call
// and the longest GUI call of every round, median and maximum over the rounds.
//
// MixPeriod: device 0 on its real-time clock with four WAV streams (two of them at 48 kHz, so they go
// through their rate stage), each with three equaliser bands and the reverb, two of them sliding.
// A DSP first in the first stream's chain marks the start of each period's mix, the device's sink its
// end: p50, p99 and maximum of that time over ten seconds, with the periods' lateness against their
// schedule (what the ALSA buffer has to absorb).
#include "audiolib/AlsaDevices.h"
#include "audiolib/AudioLib.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <pthread.h>
#include <sched.h>
#include <unistd.h>

namespace {

using namespace audiolib;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// A stereo 16-bit WAV of a sine, `seconds` long.
void WriteWav(const std::string& path, int rate, int seconds, double hz)
{
    const uint32_t frames = static_cast<uint32_t>(rate * seconds);
    const uint32_t dataBytes = frames * 4;
    std::ofstream out(path, std::ios::binary);
    const auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(2);
    u32(static_cast<uint32_t>(rate));
    u32(static_cast<uint32_t>(rate) * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    std::vector<int16_t> block(2 * static_cast<size_t>(rate));
    for (uint32_t done = 0; done < frames;) {
        const uint32_t n = std::min<uint32_t>(frames - done, static_cast<uint32_t>(rate));
        for (uint32_t i = 0; i < n; ++i) {
            const auto v = static_cast<int16_t>(12000 * std::sin(2 * M_PI * hz * (done + i) / rate));
            block[2 * i] = v;
            block[2 * i + 1] = v;
        }
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n * 4));
        done += n;
    }
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())))];
}

void NoSync(Handle, Handle, uint32_t, void*) {}

// Times one call of the GUI stand-in and keeps the longest.
template <typename F> auto Timed(double& longest, F&& call)
{
    const auto start = Clock::now();
    auto result = call();
    longest = std::max(longest, Ms(Clock::now() - start));
    return result;
}

void Crossfade(const std::string& folder)
{
    const std::string first = folder + "/first.wav";
    const std::string next = folder + "/next.wav";
    WriteWav(first, 44100, 20, 440);
    WriteWav(next, 48000, 20, 660);
    SetConfig(ConfigNullManual, 0);
    std::vector<double> probeMax;
    std::vector<double> guiMax;
    for (int round = 0; round < 20; ++round) {
        if (!Init(1, 44100, 0)) {
            std::printf("device 1 does not start (code %d)\n", ErrorGetCode());
            return;
        }
        const Handle probe = StreamCreate(44100, 2, 0, nullptr, nullptr);
        std::atomic<bool> stop = false;
        std::atomic<bool> measure = false;
        double longestProbe = 0.0;
        std::thread prober([&] {
            while (!stop) {
                const auto start = Clock::now();
                ChannelIsActive(probe);
                const double ms = Ms(Clock::now() - start);
                if (measure)
                    longestProbe = std::max(longestProbe, ms);
                std::this_thread::sleep_for(200us);
            }
        });
        sched_param realTime{};
        realTime.sched_priority = 20;
        const bool probeRealTime = pthread_setschedparam(prober.native_handle(), SCHED_FIFO, &realTime) == 0;
        if (round == 0)
            std::printf("probe thread %s\n", probeRealTime ? "real-time" : "of normal priority");
        measure = true;
        double longestGui = 0.0;
        const Handle old = Timed(longestGui, [&] { return StreamCreateFile(false, first.c_str(), 0, 0, 0); });
        Timed(longestGui, [&] { return ChannelPlay(old, false); });
        Timed(longestGui, [&] { return ChannelSetAttributes(old, KeepFreq, 100, KeepPan); });
        std::this_thread::sleep_for(200ms);
        const Handle fresh =
            Timed(longestGui, [&] { return StreamCreateFile(false, next.c_str(), 0, 0, 0); });
        Timed(longestGui, [&] { return BeginBatch(1); });
        Timed(longestGui, [&] { return ChannelPlay(fresh, false); });
        Timed(longestGui, [&] { return ChannelSetAttributes(fresh, KeepFreq, 0, KeepPan); });
        Timed(longestGui, [&] { return ChannelSlideAttributes(fresh, KeepFreq, 100, KeepPan, 500); });
        Timed(longestGui, [&] { return ChannelSlideAttributes(old, KeepFreq, 0, KeepPan, 500); });
        Timed(longestGui, [&] { return ChannelSetSync(fresh, SyncPos, 44100 * 4, NoSync, nullptr); });
        Timed(longestGui, [&] { return ChannelSetSync(fresh, SyncEnd | SyncOneTime, 0, NoSync, nullptr); });
        Timed(longestGui, [&] { return EndBatch(1); });
        std::this_thread::sleep_for(600ms);
        Timed(longestGui, [&] { return StreamFree(old); });
        std::this_thread::sleep_for(50ms);
        measure = false;
        stop = true;
        prober.join();
        SetDevice(1);
        Free();
        probeMax.push_back(longestProbe);
        guiMax.push_back(longestGui);
    }
    std::printf("Crossfade, 20 rounds: longest wait of a call on the device: median %.3f ms, max %.3f ms\n",
                Percentile(probeMax, 0.5), *std::max_element(probeMax.begin(), probeMax.end()));
    std::printf("                      longest GUI call:                      median %.3f ms, max %.3f ms\n",
                Percentile(guiMax, 0.5), *std::max_element(guiMax.begin(), guiMax.end()));
}

void MixPeriod(const std::string& folder)
{
    SetConfig(ConfigNullManual, 0);
    if (!Init(0, 44100, 0))
        return;
    const int rates[] = {44100, 48000, 44100, 48000};
    std::vector<Handle> streams;
    for (int i = 0; i < 4; ++i) {
        const std::string path = folder + "/mix" + std::to_string(i) + ".wav";
        WriteWav(path, rates[i], 15, 220.0 * (i + 1));
        streams.push_back(StreamCreateFile(false, path.c_str(), 0, 0, 0));
    }
    std::mutex mutex;
    std::vector<double> durations;
    std::vector<Clock::time_point> ends;
    durations.reserve(2000);
    ends.reserve(2000);
    Clock::time_point periodStart{};
    bool started = false;
    ChannelSetDSP(
        streams[0],
        [&](Handle, Handle, float*, uint32_t) {
            if (!started) {
                periodStart = Clock::now();
                started = true;
            }
        },
        1000);
    NullSetSink([&](const float*, int64_t) {
        const auto now = Clock::now();
        std::lock_guard lock(mutex);
        if (started)
            durations.push_back(Ms(now - periodStart));
        ends.push_back(now);
        started = false;
    });
    const ParamEqParameters bands[] = {{125, 18, 6}, {1000, 18, -6}, {8000, 18, 3}};
    const ReverbParameters reverb{0, -12, 1200, 0.1f};
    for (const Handle stream : streams) {
        for (const ParamEqParameters& band : bands)
            FXSetParameters(ChannelSetFX(stream, FxParamEq, 0), &band);
        FXSetParameters(ChannelSetFX(stream, FxReverb, 0), &reverb);
        ChannelPlay(stream, false);
    }
    ChannelSlideAttributes(streams[1], KeepFreq, 0, KeepPan, 10000);
    ChannelSlideAttributes(streams[2], 47000, KeepVol, KeepPan, 10000);
    std::this_thread::sleep_for(10s);
    NullSetSink(nullptr);
    std::lock_guard lock(mutex);
    // Lateness of each period's end against a clock that started with the earliest-running period.
    std::vector<double> lateness;
    double base = 1e300;
    for (size_t k = 0; k < ends.size(); ++k)
        base = std::min(base, Ms(ends[k] - ends[0]) - static_cast<double>(k) * 10.0);
    for (size_t k = 0; k < ends.size(); ++k)
        lateness.push_back(Ms(ends[k] - ends[0]) - static_cast<double>(k) * 10.0 - base);
    std::printf("MixPeriod, 4 streams with effects, %zu periods: mix p50 %.3f ms, p99 %.3f ms, max %.3f ms\n",
                durations.size(), Percentile(durations, 0.5), Percentile(durations, 0.99),
                *std::max_element(durations.begin(), durations.end()));
    std::printf("                                       lateness p99 %.3f ms, max %.3f ms\n",
                Percentile(lateness, 0.99), *std::max_element(lateness.begin(), lateness.end()));
    SetDevice(0);
    Free();
}

} // namespace

int main()
{
    setenv(AlsaPcmsVariable, "null", 1);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("engine_bench." + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    Crossfade(folder.string());
    MixPeriod(folder.string());
    std::filesystem::remove_all(folder);
    return 0;
}
