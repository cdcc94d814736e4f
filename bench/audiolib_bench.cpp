// The audio library against the ffmpeg program on one MP3, and the cost of one mixer block. Run by hand,
// never by ctest, from the tree root:
//   cmake -S . -B build -G Ninja && cmake --build build --target audiolib_bench && build/bench/audiolib_bench
// (--benchmark_repetitions=N and --benchmark_filter=REGEX as usual; five repetitions by default.)
//
// Mp3Render: CPU seconds (user + sys) to take a 10-minute 44.1 kHz stereo MP3 of pink noise, made once
// by ffmpeg in a temporary folder, from the file to the last frame; each repetition runs audiolib and
// then ffmpeg back to back, and its ratios compare that pair, made under the same load.
// - audiolib, on this thread on device 0's manual clock: create the stream (probe, frame walk for the
//   exact length, first frame), play it at volume 0 with a slide up to 100, NullAdvance(441) to the end
//   into a sink that drops the mix (the capture would keep all of it), free it. The decoder decodes to
//   planar float and converts it to interleaved stereo float; the mixer applies the gains and clips.
// - ffmpeg -threads 1 -filter_threads 1 -i same.mp3 -f null -, as a child process: decode to planar
//   float, convert to s16 (the null muxer's default pcm_s16le), "encode" and drop it. Measured twice: the
//   whole process (start-up, dynamic linking, probe) and its transcoding loop alone (-benchmark).
// Both sides use FFmpeg's MP3 decoder, so decoding is the floor. Goal: a ratio of at most 1.15 against
// ffmpeg's transcoding loop (against its whole process the start-up flatters us).
// Mp3Open and Mp3Decode split audiolib's side: stream creation alone, and its decoder alone read to
// the end (creation, decode, conversion), so the render less the decoder is the mixing path's share.
// Advance441: one NullAdvance(441) with four streams playing, two of them sliding as in a crossfade.
// MP3 streams decode inline on the manual clock; silent streams show the mixing path alone.
#include "audiolib/AudioLib.h"
#include "audiolib/Decoder.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace {

using namespace audiolib;

constexpr int64_t BlockFrames = 441;
constexpr int LongSeconds = 600;

double Seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

double CpuSeconds(const rusage& usage)
{
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

// CPU seconds (user + sys) the calling thread has used; the manual clock runs everything on it.
double ThreadCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return CpuSeconds(usage);
}

// Runs `ffmpeg` with `args`, no standard input and its log in `logPath`; returns the CPU seconds the
// whole process used, or -1 on failure.
double RunFfmpeg(const std::vector<std::string>& args, const std::string& logPath = "/dev/null")
{
    std::vector<std::string> all{"ffmpeg", "-nostdin", "-hide_banner", "-nostats"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "ffmpeg", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1.0;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1.0;
    return CpuSeconds(usage);
}

// The CPU seconds of ffmpeg's transcoding loop alone, from the "bench:" line -benchmark logs; -1 if absent.
double TranscodeSeconds(const std::string& logPath)
{
    std::ifstream log(logPath);
    std::string line;
    while (std::getline(log, line)) {
        double user = 0.0;
        double sys = 0.0;
        if (std::sscanf(line.c_str(), "bench: utime=%lfs stime=%lfs", &user, &sys) == 2)
            return user + sys;
    }
    return -1.0;
}

// The MP3 files of the run, made once with ffmpeg in a temporary folder removed at exit.
class Fixtures {
public:
    static Fixtures& Get()
    {
        static Fixtures fixtures;
        return fixtures;
    }
    ~Fixtures()
    {
        if (!folder_.empty())
            std::filesystem::remove_all(folder_);
    }

    // A scratch file for a child's log.
    std::string LogPath() const { return folder_ + "/ffmpeg.log"; }

    // Path of a `seconds`-long stereo MP3 of pink noise (independent channels), empty when it cannot be
    // made.
    const std::string& Mp3(int seconds)
    {
        std::string& path = files_[seconds];
        if (!path.empty() || folder_.empty())
            return path;
        const std::string candidate = folder_ + "/pink" + std::to_string(seconds) + ".mp3";
        const std::string duration = std::to_string(seconds);
        const std::string noise = "anoisesrc=color=pink:amplitude=0.5:sample_rate=44100:duration=" + duration;
        const std::string graph =
            noise + ":seed=1[l];" + noise + ":seed=2[r];[l][r]join=inputs=2:channel_layout=stereo";
        if (RunFfmpeg({"-v", "error", "-filter_complex", graph, "-c:a", "libmp3lame", "-b:a", "192k",
                       candidate}) >= 0.0)
            path = candidate;
        return path;
    }

private:
    Fixtures()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "audiolib_bench.XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            folder_ = pattern;
    }

    std::string folder_;
    std::map<int, std::string> files_;
};

// Device 0 on the manual clock for the whole run; the mix goes to a sink that drops it, so nothing
// accumulates however long the render.
class ManualDevice {
public:
    ManualDevice()
    {
        ok_ = SetConfig(ConfigNullManual, 1) && Init(0, 44100, 0);
        if (ok_)
            NullSetSink([](const float*, int64_t) {});
    }
    ~ManualDevice()
    {
        if (ok_)
            Free();
        SetConfig(ConfigNullManual, 0);
    }
    bool Ok() const { return ok_; }

private:
    bool ok_ = false;
};

// One file from creation to free, on the calling thread; false when a call fails.
bool RenderFile(const std::string& path, uint32_t slideMs)
{
    const Handle stream = StreamCreateFile(false, path.c_str(), 0, 0, 0);
    if (stream == 0)
        return false;
    // As a playout fade-in does: play at volume 0, then slide up.
    bool ok = ChannelSetAttributes(stream, KeepFreq, 0, KeepPan) && ChannelPlay(stream, false) &&
              ChannelSlideAttributes(stream, KeepFreq, 100, KeepPan, slideMs);
    const int64_t frames = ChannelGetLength(stream) / 4;
    for (int64_t done = 0; ok && done < frames; done += BlockFrames)
        ok = NullAdvance(BlockFrames);
    ok = ok && ChannelIsActive(stream) == ActiveStopped;
    return StreamFree(stream) && ok;
}

// ffmpeg on the same file: the CPU seconds of its whole process and of its transcoding loop alone.
struct FfmpegRun {
    double process = -1.0;
    double loop = -1.0;
};

FfmpegRun RunFfmpegDecode(const std::string& path)
{
    Fixtures& fixtures = Fixtures::Get();
    FfmpegRun run;
    run.process = RunFfmpeg(
        {"-v", "info", "-benchmark", "-threads", "1", "-filter_threads", "1", "-i", path, "-f", "null", "-"},
        fixtures.LogPath());
    run.loop = TranscodeSeconds(fixtures.LogPath());
    return run;
}

// Each iteration is a pair run back to back, audiolib's render then ffmpeg's, so that every ratio
// compares two runs made under the same load. The time is audiolib's; ffmpeg's figures and the ratios
// are counters.
void Mp3Render(benchmark::State& state)
{
    const std::string& path = Fixtures::Get().Mp3(LongSeconds);
    const auto slideMs = static_cast<uint32_t>(state.range(0));
    double ours = 0.0;
    FfmpegRun theirs;
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        if (path.empty() || !RenderFile(path, slideMs)) {
            state.SkipWithError("the render failed");
            break;
        }
        ours = ThreadCpuSeconds() - start;
        theirs = RunFfmpegDecode(path);
        if (theirs.process < 0.0 || theirs.loop < 0.0) {
            state.SkipWithError("ffmpeg failed");
            break;
        }
        state.SetIterationTime(ours);
    }
    state.counters["ffmpeg_s"] = theirs.process;
    state.counters["ffmpeg_loop_s"] = theirs.loop;
    state.counters["ratio_process"] = ours / theirs.process;
    state.counters["ratio_loop"] = ours / theirs.loop;
}

void Mp3OpenAudiolib(benchmark::State& state)
{
    const std::string& path = Fixtures::Get().Mp3(LongSeconds);
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        const Handle stream = path.empty() ? 0 : StreamCreateFile(false, path.c_str(), 0, 0, 0);
        if (stream == 0 || !StreamFree(stream)) {
            state.SkipWithError("the stream could not be created");
            break;
        }
        state.SetIterationTime(ThreadCpuSeconds() - start);
    }
}

// The decoder alone, read in the stream's chunks of 1024 frames: the floor under the render.
void Mp3DecodeAudiolib(benchmark::State& state)
{
    const std::string& path = Fixtures::Get().Mp3(LongSeconds);
    std::vector<float> chunk(2 * 1024);
    for (auto _ : state) {
        const double start = ThreadCpuSeconds();
        int error = 0;
        const std::unique_ptr<Decoder> decoder = path.empty() ? nullptr : OpenFileDecoder(path, error);
        int64_t frames = 0;
        for (int64_t got = 1; decoder && got > 0; frames += got)
            got = decoder->Read(chunk.data(), 1024);
        if (!decoder || frames != decoder->LengthFrames()) {
            state.SkipWithError("the decoder failed");
            break;
        }
        state.SetIterationTime(ThreadCpuSeconds() - start);
    }
}

enum class Source { Mp3, Silent };

void Advance441(benchmark::State& state, Source source)
{
    const std::string path = source == Source::Mp3 ? Fixtures::Get().Mp3(LongSeconds) : std::string();
    std::array<Handle, 4> streams{};
    bool ok = true;
    for (size_t i = 0; i < streams.size(); ++i) {
        streams[i] = source == Source::Mp3 ? StreamCreateFile(false, path.c_str(), 0, 0, 0)
                                           : StreamCreate(44100, 2, SampleFloat, nullptr, nullptr);
        ok = ok && streams[i] != 0 && ChannelSetAttributes(streams[i], KeepFreq, 80, KeepPan) &&
             ChannelPlay(streams[i], false);
    }
    // A crossfade: one stream fades out while another fades in, over longer than the run.
    ok = ok && ChannelSlideAttributes(streams[0], KeepFreq, 0, KeepPan, LongSeconds * 1000) &&
         ChannelSlideAttributes(streams[1], KeepFreq, 100, KeepPan, LongSeconds * 1000);
    // Rewind the files before they end, outside the timing.
    const int64_t blocksBeforeEnd = (LongSeconds - 1) * 44100 / BlockFrames;
    int64_t blocks = 0;
    for (auto _ : state) {
        if (!ok || !NullAdvance(BlockFrames)) {
            state.SkipWithError("the streams could not play");
            break;
        }
        if (source == Source::Mp3 && ++blocks == blocksBeforeEnd) {
            state.PauseTiming();
            for (Handle stream : streams)
                ChannelSetPosition(stream, 0);
            blocks = 0;
            state.ResumeTiming();
        }
    }
    for (Handle stream : streams)
        StreamFree(stream);
}

BENCHMARK(Mp3Render)
    ->Name("Mp3Render")
    ->ArgName("slide_ms")
    ->Arg(5000)
    ->Arg(LongSeconds * 1000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK(Mp3OpenAudiolib)
    ->Name("Mp3Open/audiolib")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK(Mp3DecodeAudiolib)
    ->Name("Mp3Decode/audiolib")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);
BENCHMARK_CAPTURE(Advance441, mp3_4streams, Source::Mp3)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Advance441, silent_4streams, Source::Silent)->Unit(benchmark::kMicrosecond);

// Shows the runs as the flags ask, and keeps the medians for the comparison at the end.
class MedianReporter : public benchmark::BenchmarkReporter {
public:
    MedianReporter() : display_(benchmark::CreateDefaultDisplayReporter()) {}

    bool ReportContext(const Context& context) override { return display_->ReportContext(context); }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" || run.error_occurred)
                continue;
            const benchmark::BenchmarkName& id = run.run_name;
            const std::string name = id.function_name + (id.args.empty() ? "" : "/" + id.args);
            medians_[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            for (const auto& [counter, value] : run.counters)
                medians_[name + "/" + counter] = value;
            repetitions_ = run.repetitions;
        }
        display_->ReportRuns(runs);
    }
    void Finalize() override { display_->Finalize(); }

    void PrintComparison() const
    {
        std::printf("\nMedians over %d repetitions, CPU seconds (user+sys), %d s 44.1 kHz stereo MP3:\n",
                    static_cast<int>(repetitions_), LongSeconds);
        if (const double open = Median("Mp3Open/audiolib"); open > 0.0)
            std::printf("  audiolib stream creation   %6.3f s  (probe, frame walk, first frame)\n", open);
        if (const double decode = Median("Mp3Decode/audiolib"); decode > 0.0)
            std::printf("  audiolib decoder alone     %6.3f s  (creation, decode, fltp->flt)\n", decode);
        for (const int slide : {5000, LongSeconds * 1000}) {
            const std::string name = "Mp3Render/slide_ms:" + std::to_string(slide);
            const double ours = Median(name);
            if (ours <= 0.0)
                continue;
            std::printf("  with a %d ms slide: audiolib render %.3f s; ffmpeg -f null process %.3f s, its "
                        "transcoding loop %.3f s;\n",
                        slide, ours, Median(name + "/ffmpeg_s"), Median(name + "/ffmpeg_loop_s"));
            std::printf("    ratio audiolib/ffmpeg (median of the pairs): %.3f to the process, %.3f to the "
                        "loop (goal <= 1.15)\n",
                        Median(name + "/ratio_process"), Median(name + "/ratio_loop"));
        }
        if (const double mp3 = Median("Advance441/mp3_4streams"); mp3 > 0.0)
            std::printf("  NullAdvance(441), 4 MP3 streams: %.1f us\n", mp3 * 1e6);
        if (const double silent = Median("Advance441/silent_4streams"); silent > 0.0)
            std::printf("  NullAdvance(441), 4 silent streams (mixing path): %.1f us\n", silent * 1e6);
    }

private:
    double Median(const std::string& name) const
    {
        const auto found = medians_.find(name);
        return found != medians_.end() ? found->second : -1.0;
    }

    std::unique_ptr<benchmark::BenchmarkReporter> display_;
    std::map<std::string, double> medians_;
    int64_t repetitions_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    // Defaults ahead of the caller's flags, which override them: five runs of each, whose repetitions
    // alternate at random, so a drift of the machine touches both sides alike.
    std::string repetitions = "--benchmark_repetitions=5";
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::string aggregates = "--benchmark_display_aggregates_only=true";
    std::vector<char*> args{argv[0], repetitions.data(), interleave.data(), aggregates.data()};
    args.insert(args.end(), argv + 1, argv + argc);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    {
        const ManualDevice device;
        if (!device.Ok()) {
            std::fprintf(stderr, "device 0 could not be initialised on the manual clock\n");
            return 1;
        }
        MedianReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        reporter.PrintComparison();
    }
    benchmark::Shutdown();
    return 0;
}
