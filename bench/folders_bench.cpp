// Loading the folder pages of a station: 10 folders of 1,000 audio files each (short MP3, WAV, Ogg
// Vorbis and WMA files with tags, made once with the ffmpeg program and copied under 10,000 names), one
// page per folder in the settings file, the page cache warm. BM_LoadFolders times the folders window's
// load from its call to its loaded signal, with the event loop running and the pages' lists filled;
// BM_FileDataCreate reads the same 10,000 file records with tags on one thread. The ratio of their
// files per second is printed last. BM_LoadManyFolderEntries times the same load for pages that list
// many folders: 30 pages of 1,000 empty folders each.
// Run by hand, not by ctest:
//   cmake --build build --target folders_bench && build/bench/folders_bench
#include "audioinfo/OFileData.h"
#include "foundation/General.h"
#include "library/Folders.h"
#include "library/TabFolder.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

constexpr int FolderCount = 10;
constexpr int FilesPerFolder = 1000;

// The settings file of the station in the folder, made the one the program reads.
void UseSettings(const QTemporaryDir& dir, const QByteArray& settings)
{
    QFile file(QDir(dir.path()).filePath("Sonvelazodu.ini"));
    if (!file.open(QIODevice::WriteOnly) || file.write(settings) != settings.size())
        std::exit(1);
    file.close();
    AppDir = dir.path() + '/';
    SettingsPath = file.fileName();
    SettingsIni = std::make_unique<platform::IniFile>(SettingsPath);
}

// The folders window's first load, timed from its call to its loaded signal; the pages' items.
int LoadOnce(benchmark::State& state)
{
    TFFolders folders;
    folders.show();
    QEventLoop loop;
    QObject::connect(&folders, &TFFolders::FoldersLoaded, &loop, &QEventLoop::quit);
    folders.LoadFolders();
    loop.exec();
    state.PauseTiming();
    int listed = 0;
    for (int i = 0; i < folders.PageCount(); ++i)
        listed += folders.Page(i)->ItemCount();
    state.ResumeTiming();
    return listed;
}

// The station folder with its settings file and music; made once for both benchmarks.
struct Station {
    QTemporaryDir dir;
    QStringList files;

    Station()
    {
        const QDir root(dir.path());
        const std::map<QString, QStringList> encodings = {
            {"mp3", {"-c:a", "libmp3lame", "-b:a", "128k"}},
            {"wav", {"-c:a", "pcm_s16le"}},
            {"ogg", {"-c:a", "libvorbis", "-q:a", "4"}},
            {"wma", {"-c:a", "wmav2", "-b:a", "128k"}},
        };
        for (const auto& [extension, options] : encodings) {
            QProcess ffmpeg;
            ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
            ffmpeg.start("ffmpeg", QStringList{"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                                               "anoisesrc=color=pink:amplitude=0.2:duration=3", "-ar",
                                               "44100", "-ac", "2"} +
                                       options +
                                       QStringList{"-metadata", "title=Station identification", "-metadata",
                                                   "artist=The Band", "-metadata", "album=Jingles",
                                                   root.filePath("base." + extension)});
            if (!ffmpeg.waitForFinished(-1) || ffmpeg.exitCode() != 0) {
                std::fprintf(stderr, "ffmpeg failed: %s\n", ffmpeg.readAll().constData());
                std::exit(1);
            }
        }
        QByteArray settings;
        const QStringList extensions = {"mp3", "wav", "ogg", "wma"};
        for (int folder = 0; folder < FolderCount; ++folder) {
            const QString path = root.filePath(QStringLiteral("music/folder%1").arg(folder));
            root.mkpath(path);
            for (int n = 0; n < FilesPerFolder; ++n) {
                const QString& extension = extensions[n % extensions.size()];
                const QString file =
                    QStringLiteral("%1/song %2.%3").arg(path).arg(n, 4, 10, QChar('0')).arg(extension);
                if (!QFile::copy(root.filePath("base." + extension), file)) {
                    std::fprintf(stderr, "cannot copy to %s\n", qPrintable(file));
                    std::exit(1);
                }
                files.append(file);
            }
            settings += QStringLiteral("[Folder%1]\nname=PAGE %1\n[FolderDirs%1]\n%2=\n")
                            .arg(folder)
                            .arg(path)
                            .toUtf8();
        }
        UseSettings(dir, settings);
        // Warm the page cache.
        for (const QString& path : std::as_const(files))
            benchmark::DoNotOptimize(TOFileData::Create(path, true));
    }
};

Station& TheStation()
{
    static Station station;
    return station;
}

void BM_LoadFolders(benchmark::State& state)
{
    TheStation();
    int listed = 0;
    for (auto _ : state)
        listed = LoadOnce(state);
    if (listed != FolderCount * FilesPerFolder)
        state.SkipWithError("not every file was listed");
    state.SetItemsProcessed(state.iterations() * FolderCount * FilesPerFolder);
}
BENCHMARK(BM_LoadFolders)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// Pages that list many folders: each added folder is checked against the page's others.
void BM_LoadManyFolderEntries(benchmark::State& state)
{
    constexpr int Pages = 30;
    constexpr int FoldersPerPage = 1000;
    QTemporaryDir dir;
    QByteArray settings;
    for (int page = 0; page < Pages; ++page) {
        settings += QStringLiteral("[Folder%1]\nname=MANY %1\n[FolderDirs%1]\n").arg(page).toUtf8();
        for (int folder = 0; folder < FoldersPerPage; ++folder) {
            const QString path = QStringLiteral("%1/many/p%2/f%3").arg(dir.path()).arg(page).arg(folder);
            QDir().mkpath(path);
            settings += path.toUtf8() + "=\n";
        }
    }
    UseSettings(dir, settings);
    int listed = -1;
    for (auto _ : state)
        listed = LoadOnce(state);
    if (listed != 0)
        state.SkipWithError("the folders hold no files");
    state.counters["folders"] = Pages * FoldersPerPage;
}
BENCHMARK(BM_LoadManyFolderEntries)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_FileDataCreate(benchmark::State& state)
{
    const QStringList& files = TheStation().files;
    for (auto _ : state)
        for (const QString& path : files)
            benchmark::DoNotOptimize(TOFileData::Create(path, true));
    state.SetItemsProcessed(state.iterations() * files.size());
}
BENCHMARK(BM_FileDataCreate)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

// The console report, keeping the last files per second of each benchmark for the ratio.
class RateReporter : public benchmark::ConsoleReporter {
public:
    RateReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (const auto rate = run.counters.find("items_per_second"); rate != run.counters.end())
                rates[run.run_name.function_name] = rate->second.value;
    }
    std::map<std::string, double> rates;
};

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double load = reporter.rates["BM_LoadFolders"];
    const double records = reporter.rates["BM_FileDataCreate"];
    if (load > 0 && records > 0)
        std::printf("load: %.0f files/s; records alone: %.0f files/s; ratio %.2f\n", load, records,
                    load / records);
    benchmark::Shutdown();
    return 0;
}
