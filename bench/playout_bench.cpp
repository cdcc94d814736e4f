// The GUI thread's share of moving channel 1 on to its next entry: the time from WM_PLAYNEXT to the
// entry's stream playing, for a 60-minute WMA and a 60-minute MP3 that ffmpeg makes in a temporary
// folder at start (it takes a minute). Run by hand: build/bench/playout_bench.
// - OpenedAhead: the entry was opened on the worker while the one before it played, as the channel
//   runs.
// - OpenedOnTheGuiThread: nothing was opened ahead (after Stop all, or a jump to an entry): the GUI
//   thread opens the file itself, which is what every entry cost before the worker.
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
#include <iostream>
#include <memory>

namespace {

struct Fixtures {
    QTemporaryDir folder;
    QString shortWav, longMp3, longWma;
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

// Channel 1 with a 1 s entry before the long one, on device 0.
class Channel {
public:
    explicit Channel(const QString& longFile)
    {
        queue.AddItem(files->shortWav, 1);
        queue.AddItem(longFile, 1);
        playback.SetVolume(80);
    }
    ~Channel() { playback.StopAll(); }

    // The time the GUI thread spends on one WM_PLAYNEXT, which starts the long entry.
    double TimePlayNext()
    {
        platform::PostMessage(&playback, platform::WM_PLAYNEXT);
        const auto start = std::chrono::steady_clock::now();
        QCoreApplication::sendPostedEvents(&playback, 0);
        const auto end = std::chrono::steady_clock::now();
        if (queue.ItemIndex() != 1 || !ChannelIsPlaying(1))
            std::cerr << "the long entry did not start\n";
        return std::chrono::duration<double>(end - start).count();
    }

    TChannelQueue queue{1};
    TChannelPlayback playback{queue};
};

void OpenedAhead(benchmark::State& state, const QString* const* file)
{
    Channel channel(**file);
    for (auto _ : state) {
        channel.playback.StopAll();
        channel.playback.PlayItemAt(0);
        QCoreApplication::sendPostedEvents(&channel.playback, 0); // the short entry starts
        channel.playback.NextEntry().WaitIdle();
        state.SetIterationTime(channel.TimePlayNext());
    }
}

void OpenedOnTheGuiThread(benchmark::State& state, const QString* const* file)
{
    Channel channel(**file);
    for (auto _ : state) {
        channel.playback.StopAll();
        channel.queue.SetItemIndex(0);
        state.SetIterationTime(channel.TimePlayNext());
    }
}

const QString* mp3 = nullptr;
const QString* wma = nullptr;

} // namespace

BENCHMARK_CAPTURE(OpenedAhead, Mp3_60min, &mp3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(OpenedAhead, Wma_60min, &wma)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(OpenedOnTheGuiThread, Mp3_60min, &mp3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(OpenedOnTheGuiThread, Wma_60min, &wma)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Fixtures fixtures;
    files = &fixtures;
    fixtures.shortWav = fixtures.folder.filePath("short.wav");
    fixtures.longMp3 = fixtures.folder.filePath("long.mp3");
    fixtures.longWma = fixtures.folder.filePath("long.wma");
    if (!Make(fixtures.shortWav, "1", {"-c:a", "pcm_s16le"}) ||
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
