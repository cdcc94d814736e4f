// The GUI thread's share of starting a 60-minute WMA or MP3 on channel 1, which ffmpeg makes in a
// temporary folder at start (it takes a minute): the time from the call to the long entry's stream
// playing. Run by hand: build/bench/playout_bench.
// - Advance: WM_PLAYNEXT to the long entry, opened ahead on the worker while the one before it played.
// - JumpTo: a jump (PlayItemAt) to the long entry while another plays; nothing was opened ahead for it.
// - FirstPlay: Play with nothing on air (after Stop all), the long entry first in the queue.
// - Emergency: what Ctrl+F12 does, as the folders window does it: the long file appended with Keep 0
//   (its information read) and started at once with PlayItemAt.
// Device 0 on the manual clock, so no sound card is involved.
#include "audiolib/AudioLib.h"
#include "foundation/Options.h"
#include "platform/Messages.h"
#include "playout/AudioLayer.h"
#include "playout/ChannelPlayback.h"
#include "playout/ChannelQueue.h"
#include "playout/DeviceTables.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>

namespace {

struct Fixtures {
    QTemporaryDir folder;
    QString shortWav, otherWav, longMp3, longWma;
};

Fixtures* files = nullptr;

bool Make(const QString& path, const QString& seconds, const QStringList& codec)
{
    QStringList arguments{"-nostdin", "-v",    "error", "-y",
                          "-f",       "lavfi", "-i",    "sine=frequency=440:sample_rate=44100",
                          "-t",       seconds, "-ac",   "2"};
    arguments << codec << path;
    return QProcess::execute(QStringLiteral("ffmpeg"), arguments) == 0;
}

// Channel 1 on device 0 with a queue of the given files.
class Channel {
public:
    explicit Channel(const QStringList& queued)
    {
        for (const QString& file : queued)
            queue.AddItem(file, 1);
        playback.SetVolume(80);
    }
    ~Channel() { playback.StopAll(); }

    // Delivers what the channel posted to itself.
    void Deliver() { QCoreApplication::sendPostedEvents(&playback, 0); }
    // Starts entry `index` and lets the worker open what follows it.
    void PlayFirst(int index)
    {
        playback.StopAll();
        playback.PlayItemAt(index);
        Deliver();
        playback.NextEntry().WaitIdle();
    }
    // The time of `start` and the messages it posts, until entry `index` plays.
    double Time(int index, const std::function<void()>& start)
    {
        const auto begin = std::chrono::steady_clock::now();
        start();
        for (int round = 0; round < 1000 && !(queue.ItemIndex() == index && ChannelIsPlaying(1)); ++round)
            Deliver();
        const auto end = std::chrono::steady_clock::now();
        if (queue.ItemIndex() != index || !ChannelIsPlaying(1))
            std::cerr << "the long entry did not start\n";
        return std::chrono::duration<double>(end - begin).count();
    }

    TChannelQueue queue{1};
    TChannelPlayback playback{queue};
};

void Advance(benchmark::State& state, const QString* const* file)
{
    Channel channel({files->shortWav, **file});
    for (auto _ : state) {
        channel.PlayFirst(0);
        state.SetIterationTime(
            channel.Time(1, [&] { platform::PostMessage(&channel.playback, platform::WM_PLAYNEXT); }));
    }
}

void JumpTo(benchmark::State& state, const QString* const* file)
{
    // The entry after the one on air is opened ahead; the jump goes past it.
    Channel channel({files->shortWav, files->otherWav, **file});
    for (auto _ : state) {
        channel.PlayFirst(0);
        state.SetIterationTime(channel.Time(2, [&] { channel.playback.PlayItemAt(2); }));
    }
}

void FirstPlay(benchmark::State& state, const QString* const* file)
{
    Channel channel({**file, files->shortWav});
    for (auto _ : state) {
        channel.playback.StopAll();
        channel.playback.NextEntry().WaitIdle();
        state.SetIterationTime(channel.Time(0, [&] { channel.playback.PlayPauseClick(true); }));
    }
}

void Emergency(benchmark::State& state, const QString* const* file)
{
    Channel channel({files->shortWav, files->otherWav});
    for (auto _ : state) {
        channel.PlayFirst(0);
        const int index = channel.queue.Count();
        state.SetIterationTime(channel.Time(index, [&] {
            if (channel.queue.AddItem(**file, 0) == index)
                channel.playback.PlayItemAt(index);
        }));
        channel.playback.StopAll();
        channel.queue.RecomputeTotal(); // the emergency entry is not kept
    }
}

const QString* mp3 = nullptr;
const QString* wma = nullptr;

#define SZ_PLAYOUT_BENCH(function, iterations)                                                               \
    BENCHMARK_CAPTURE(function, Mp3_60min, &mp3)                                                             \
        ->UseManualTime()                                                                                    \
        ->Unit(benchmark::kMillisecond)                                                                      \
        ->Iterations(iterations);                                                                            \
    BENCHMARK_CAPTURE(function, Wma_60min, &wma)                                                             \
        ->UseManualTime()                                                                                    \
        ->Unit(benchmark::kMillisecond)                                                                      \
        ->Iterations(iterations)

SZ_PLAYOUT_BENCH(Advance, 20);
SZ_PLAYOUT_BENCH(JumpTo, 10);
SZ_PLAYOUT_BENCH(FirstPlay, 10);
SZ_PLAYOUT_BENCH(Emergency, 10);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Fixtures fixtures;
    files = &fixtures;
    fixtures.shortWav = fixtures.folder.filePath("short.wav");
    fixtures.otherWav = fixtures.folder.filePath("other.wav");
    fixtures.longMp3 = fixtures.folder.filePath("long.mp3");
    fixtures.longWma = fixtures.folder.filePath("long.wma");
    if (!Make(fixtures.shortWav, "1", {"-c:a", "pcm_s16le"}) ||
        !Make(fixtures.otherWav, "1", {"-c:a", "pcm_s16le"}) ||
        !Make(fixtures.longMp3, "3600", {"-c:a", "libmp3lame", "-b:a", "128k"}) ||
        !Make(fixtures.longWma, "3600", {"-c:a", "wmav2", "-b:a", "128k"})) {
        std::cerr << "ffmpeg could not make the fixtures\n";
        return 1;
    }
    mp3 = &fixtures.longMp3;
    wma = &fixtures.longWma;

    audiolib::SetConfig(audiolib::ConfigNullManual, 1);
    audiolib::Init(0, 44100, 0);
    OutputDevices[0] = TDevice{"No sound", "No sound", 0, CapsFloat, {}};
    Channels[1].Device = QStringLiteral("No sound");
    StationOptions.CrossfadeEnabled[1] = true;
    StationOptions.CrossfadeInterval[1] = 5;
    StationOptions.CrossfadeMin[1] = 10;
    StationOptions.FadeInterval[1] = 5;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    audiolib::Free();
    return 0;
}
