// CPU cost of the effects window's library effects on one stream (three equaliser bands and the
// reverb), and of its whole chain (those and the rotate, echo and flanger sample effects), per 10 ms
// block of 441 frames at 44.1 kHz, next to the cost of decoding that block of an MP3. The
// "real_time_fraction" counter is CPU time over the audio time processed.
#include "audiolib/Decoder.h"
#include "audiolib/ParamEq.h"
#include "audiolib/Reverb.h"
#include "playout/SampleEffects.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

using namespace audiolib;

constexpr int Rate = 44100;
constexpr int64_t BlockFrames = 441;
constexpr double BlockSeconds = 0.01;

void SetRealTimeFraction(benchmark::State& state)
{
    state.counters["real_time_fraction"] = benchmark::Counter(
        BlockSeconds, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A block of two detuned sines, a fair stand-in for music as far as the arithmetic goes.
std::vector<float> MusicBlock()
{
    std::vector<float> block(BlockFrames * 2);
    for (int64_t i = 0; i < BlockFrames; ++i) {
        const double t = static_cast<double>(i) / Rate;
        block[2 * i] = static_cast<float>(0.4 * std::sin(2 * std::numbers::pi * 220.0 * t));
        block[2 * i + 1] = static_cast<float>(0.4 * std::sin(2 * std::numbers::pi * 331.0 * t));
    }
    return block;
}

// The settings the effects window writes: bands at 125, 1000 and 8000 Hz, 18 semitones wide, and
// the reverb at 1200 ms with a high-frequency ratio of 0.1, all moved away from neutral.
struct LibraryEffects {
    ParamEq bands[3] = {ParamEq(Rate), ParamEq(Rate), ParamEq(Rate)};
    Reverb reverb{Rate};

    LibraryEffects()
    {
        const ParamEqParameters settings[] = {{125, 18, 6}, {1000, 18, -6}, {8000, 18, 3}};
        for (int i = 0; i < 3; ++i)
            bands[i].SetParameters(&settings[i]);
        const ReverbParameters reverbSettings{0, -12, 1200, 0.1f};
        reverb.SetParameters(&reverbSettings);
    }
    void Process(float* block)
    {
        for (ParamEq& band : bands)
            band.Process(block, BlockFrames);
        reverb.Process(block, BlockFrames);
    }
};

// Runs `chain` on a fresh block each time, as the mixer hands one over.
template <typename Chain> void MeasureChain(benchmark::State& state, Chain chain)
{
    const std::vector<float> input = MusicBlock();
    std::vector<float> block(input.size());
    for (auto _ : state) {
        block = input;
        chain(block.data());
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
    }
    SetRealTimeFraction(state);
}

void EqualiserAndReverb(benchmark::State& state)
{
    LibraryEffects effects;
    MeasureChain(state, [&](float* block) { effects.Process(block); });
}
BENCHMARK(EqualiserAndReverb);

// The window's whole chain in the stream's order: rotate (priority 2), the equaliser and reverb,
// echo (1, added after them), flanger (0).
void WholeWindowChain(benchmark::State& state)
{
    LibraryEffects effects;
    TRotateState rotate;
    TEchoState echo;
    TFlangerState flanger;
    constexpr auto Bytes = static_cast<uint32_t>(BlockFrames * 2 * sizeof(float));
    MeasureChain(state, [&](float* block) {
        Rotate(rotate, block, Bytes);
        effects.Process(block);
        Echo(echo, block, Bytes);
        Flanger(flanger, block, Bytes);
    });
}
BENCHMARK(WholeWindowChain);

// Ten seconds of a 128 kbit/s stereo MP3, encoded by the ffmpeg program.
std::vector<char> Mp3File()
{
    std::vector<char> file;
    FILE* pipe = popen("ffmpeg -loglevel error -f lavfi -i 'sine=frequency=440:duration=10' -ac 2 "
                       "-ar 44100 -b:a 128k -f mp3 - 2>/dev/null",
                       "r");
    if (pipe == nullptr)
        return file;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        file.insert(file.end(), buffer, buffer + n);
    pclose(pipe);
    return file;
}

void DecodeMp3(benchmark::State& state)
{
    static const std::vector<char> file = Mp3File();
    int error = 0;
    std::unique_ptr<Decoder> decoder = OpenMemoryDecoder(file.data(), file.size(), error);
    if (decoder == nullptr) {
        state.SkipWithError("cannot make or decode the MP3 fixture");
        return;
    }
    std::vector<float> block(BlockFrames * 2);
    for (auto _ : state) {
        if (decoder->Read(block.data(), BlockFrames) < BlockFrames)
            decoder->Seek(0);
        benchmark::DoNotOptimize(block.data());
    }
    SetRealTimeFraction(state);
}
BENCHMARK(DecodeMp3);

} // namespace

BENCHMARK_MAIN();
