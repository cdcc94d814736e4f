// File records per second: our audio readers (the file record, tags and duration) against TagLib
// (tags and audio properties), over a few hundred MP3, WAV, Ogg Vorbis and WMA files that the benchmark
// first makes with the ffmpeg program, with varied encodings and tags, in a temporary folder.
// Run by hand, not by ctest:
//   cmake --build build --target readers_bench && build/bench/readers_bench
// The last lines give the ratio of the two rates per format (ours / TagLib's).
#include "audioinfo/OFileData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// How one format's files are made: a few encoded base files, then each file a stream copy of one of
// them with its own tags.
struct Format {
    QString name;
    QString extension;
    int count;
    std::vector<QStringList> encodings; // ffmpeg output options of each base file
    bool coverArt;                      // some files carry a picture, as real MP3 files do
};

const std::vector<Format>& Formats()
{
    static const std::vector<Format> formats = {
        {"MP3",
         "mp3",
         300,
         {{"-ar", "44100", "-ac", "2", "-c:a", "libmp3lame", "-b:a", "128k"},
          {"-ar", "48000", "-ac", "2", "-c:a", "libmp3lame", "-b:a", "192k", "-write_xing", "0"},
          {"-ar", "44100", "-ac", "2", "-c:a", "libmp3lame", "-q:a", "2"},
          {"-ar", "22050", "-ac", "1", "-c:a", "libmp3lame", "-q:a", "6"},
          {"-ar", "44100", "-ac", "2", "-c:a", "libmp3lame", "-b:a", "320k"},
          {"-ar", "44100", "-ac", "1", "-c:a", "libmp3lame", "-b:a", "64k"}},
         true},
        {"WAV",
         "wav",
         200,
         {{"-ar", "44100", "-ac", "2", "-c:a", "pcm_s16le"},
          {"-ar", "48000", "-ac", "2", "-c:a", "pcm_s24le"},
          {"-ar", "22050", "-ac", "1", "-c:a", "pcm_s16le", "-bitexact"}},
         false},
        {"Ogg",
         "ogg",
         200,
         {{"-ar", "44100", "-ac", "2", "-c:a", "libvorbis", "-q:a", "4"},
          {"-ar", "48000", "-ac", "2", "-c:a", "libvorbis", "-q:a", "7"},
          {"-ar", "22050", "-ac", "1", "-c:a", "libvorbis", "-q:a", "1"}},
         false},
        {"WMA",
         "wma",
         200,
         {{"-ar", "44100", "-ac", "2", "-c:a", "wmav2", "-b:a", "128k"},
          {"-ar", "22050", "-ac", "1", "-c:a", "wmav2", "-b:a", "48k"},
          {"-ar", "44100", "-ac", "2", "-c:a", "wmav1", "-b:a", "96k"}},
         false},
    };
    return formats;
}

// Tags of the n-th file: texts of several lengths and scripts, some fields left out.
QStringList TagOptions(const Format& format, int n)
{
    static const char* const artists[] = {"The Band",   "Élodie Martin", "Orchestra of the North",
                                          "DJ Ünïcode", "Ирина",         "坂本"};
    static const char* const albums[] = {"Greatest Hits", "Live at the Hall", "Nocturnes, Vol. 2",
                                         "Sommerlieder"};
    static const char* const genres[] = {"Pop", "Rock", "Jazz", "Electronic", "Classical"};
    QStringList options = {"-metadata", QStringLiteral("title=Song number %1 (radio edit)").arg(n),
                           "-metadata", QString::fromUtf8(artists[n % 6]).prepend("artist="),
                           "-metadata", QStringLiteral("track=%1/20").arg(n % 20 + 1),
                           "-metadata", QStringLiteral("date=%1").arg(1960 + n % 60)};
    if (n % 4 != 3)
        options << "-metadata" << QString::fromUtf8(albums[n % 4]).prepend("album=");
    if (n % 3 != 2)
        options << "-metadata" << QString::fromLatin1(genres[n % 5]).prepend("genre=");
    if (n % 5 == 0)
        options << "-metadata"
                << QStringLiteral("comment=") + QString("Played at the spring fair. ").repeated(8);
    if (format.extension == "mp3") {
        options += {"-id3v2_version", n % 2 ? "4" : "3"};
        if (n % 3 == 0)
            options += {"-write_id3v1", "1"};
    }
    return options;
}

// Runs the ffmpeg jobs a few at a time; exits with its message when one fails.
void RunAll(const std::vector<QStringList>& jobs)
{
    std::atomic<size_t> next = 0;
    auto worker = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++) {
            QProcess process;
            process.setProcessChannelMode(QProcess::MergedChannels);
            process.start("ffmpeg", QStringList{"-nostdin", "-v", "error", "-y"} + jobs[i]);
            if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
                process.exitCode() != 0) {
                std::fprintf(stderr, "ffmpeg %s failed:\n%s\n", qPrintable(jobs[i].join(' ')),
                             process.readAll().constData());
                std::exit(1);
            }
        }
    };
    std::vector<std::thread> threads;
    for (int i = 0; i < QThread::idealThreadCount(); ++i)
        threads.emplace_back(worker);
    for (std::thread& thread : threads)
        thread.join();
}

// Makes every format's files under `folder`; returns their paths by format name.
std::map<QString, QStringList> MakeFiles(const QDir& folder)
{
    const QString cover = folder.filePath("cover.jpg");
    std::vector<QStringList> bases = {{"-f", "lavfi", "-i", "testsrc=size=500x500", "-frames:v", "1", cover}};
    for (const Format& format : Formats())
        for (size_t e = 0; e < format.encodings.size(); ++e) {
            // Noise, so variable-bit-rate encoders vary; 6 to 10 seconds.
            const QString source =
                QStringLiteral("anoisesrc=color=pink:amplitude=0.2:duration=%1").arg(6 + e % 5);
            bases.push_back(
                QStringList{"-f", "lavfi", "-i", source} + format.encodings[e] +
                QStringList{folder.filePath(QStringLiteral("base%1.%2").arg(e).arg(format.extension))});
        }
    RunAll(bases);

    std::vector<QStringList> copies;
    std::map<QString, QStringList> files;
    for (const Format& format : Formats())
        for (int n = 0; n < format.count; ++n) {
            const QString base = folder.filePath(
                QStringLiteral("base%1.%2").arg(n % format.encodings.size()).arg(format.extension));
            const QString file =
                folder.filePath(QStringLiteral("file%1.%2").arg(n, 4, 10, QChar('0')).arg(format.extension));
            QStringList job = {"-i", base};
            if (format.coverArt && n % 4 == 1)
                job += {"-i", cover, "-map", "0", "-map", "1", "-disposition:v:0", "attached_pic"};
            job += {"-c", "copy", "-map_metadata", "-1"};
            copies.push_back(job + TagOptions(format, n) + QStringList{file});
            files[format.name] << file;
        }
    RunAll(copies);
    return files;
}

// What a TagLib user keeps of a file: the same texts and numbers our record has.
struct TagLibRecord {
    QString title, artist, album, comment, genre;
    unsigned year = 0, track = 0;
    int seconds = 0, bitrate = 0, sampleRate = 0;
};

TagLibRecord ReadTagLib(const QString& path)
{
    TagLibRecord record;
    const TagLib::FileRef file(QFile::encodeName(path).constData());
    if (const TagLib::Tag* tag = file.tag()) {
        record.title = TStringToQString(tag->title());
        record.artist = TStringToQString(tag->artist());
        record.album = TStringToQString(tag->album());
        record.comment = TStringToQString(tag->comment());
        record.genre = TStringToQString(tag->genre());
        record.year = tag->year();
        record.track = tag->track();
    }
    if (const TagLib::AudioProperties* properties = file.audioProperties()) {
        record.seconds = properties->lengthInSeconds();
        record.bitrate = properties->bitrate();
        record.sampleRate = properties->sampleRate();
    }
    return record;
}

// The untimed first pass: warms the page cache and checks that both sides read every file.
void Check(const QString& format, const QStringList& files)
{
    int durationsApart = 0;
    QString example;
    for (const QString& path : files) {
        const auto ours = TOFileData::Create(path, true);
        const TagLibRecord theirs = ReadTagLib(path);
        if (ours->Status != FileStatusOk || theirs.seconds <= 0) {
            std::fprintf(stderr, "%s: status %d, TagLib %d s\n", qPrintable(path), ours->Status,
                         theirs.seconds);
            std::exit(1);
        }
        if (std::abs(ours->Duration - theirs.seconds) > 1 && durationsApart++ == 0)
            example = QStringLiteral(" (%1: ours %2 s, TagLib %3 s)")
                          .arg(path)
                          .arg(ours->Duration)
                          .arg(theirs.seconds);
    }
    std::printf("%s: %lld files, durations more than 1 s apart: %d%s\n", qPrintable(format),
                static_cast<long long>(files.size()), durationsApart, qPrintable(example));
}

void ReadOurs(benchmark::State& state, const QStringList& files)
{
    for (auto _ : state)
        for (const QString& path : files)
            benchmark::DoNotOptimize(TOFileData::Create(path, true));
    state.SetItemsProcessed(state.iterations() * files.size());
}

void ReadWithTagLib(benchmark::State& state, const QStringList& files)
{
    for (auto _ : state)
        for (const QString& path : files)
            benchmark::DoNotOptimize(ReadTagLib(path));
    state.SetItemsProcessed(state.iterations() * files.size());
}

// The console report, keeping each run's records per second for the ratios.
class RateReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so a saved report stays plain text.
    RateReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("items_per_second");
            if (run.run_type == Run::RT_Iteration && rate != run.counters.end()) {
                Rate& sum = rates[run.run_name.function_name];
                sum.total += rate->second.value;
                ++sum.runs;
            }
        }
    }

    double Mean(const std::string& name) const
    {
        const auto rate = rates.find(name);
        return rate == rates.end() || rate->second.runs == 0 ? 0 : rate->second.total / rate->second.runs;
    }

private:
    struct Rate {
        double total = 0;
        int runs = 0;
    };
    std::map<std::string, Rate> rates;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }
    std::printf("Making the files in %s ...\n", qPrintable(folder.path()));
    std::fflush(stdout);
    const std::map<QString, QStringList> files = MakeFiles(QDir(folder.path()));

    for (const Format& format : Formats()) {
        const QStringList& list = files.at(format.name);
        Check(format.name, list);
        benchmark::RegisterBenchmark(qPrintable(format.name + "/ours"), ReadOurs, list)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(qPrintable(format.name + "/TagLib"), ReadWithTagLib, list)
            ->Unit(benchmark::kMillisecond);
    }
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    for (const Format& format : Formats()) {
        const double ours = reporter.Mean(qPrintable(format.name + "/ours"));
        const double theirs = reporter.Mean(qPrintable(format.name + "/TagLib"));
        if (ours > 0 && theirs > 0)
            std::printf("%s: %.0f records/s ours, %.0f TagLib's: ratio %.2f\n", qPrintable(format.name), ours,
                        theirs, ours / theirs);
    }
    return 0;
}
