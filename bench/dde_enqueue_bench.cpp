// Files from the desktop into channel 1: the real client hands 1,000 one-second MP3 files with ID3v2
// tags (made once with ffmpeg) to the real station, which runs offscreen on ALSA's null output in a
// temporary station folder with throw-away home and XDG folders. Each run is timed from the client's
// start to its exit; its ACK comes once the station's consumer has checked the 1,000 macros and appended
// its first slice of files (the rest follow a slice per event). The split:
// - ClientOneFile: the client's start and connection (one file, a server that only answers);
// - ClientToNullServer: the same plus the transfer of 1,000 names;
// - ClientToStation: everything; minus the one above, the consumer's share before the ACK (with every
//   file appended before the ACK, as the consumer first did, that share was its whole time).
// Run by hand: build/bench/dde_enqueue_bench (medians of 5 runs).
#include "platform/Dde.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

constexpr int FileCount = 1000;

struct Fixtures {
    QTemporaryDir root;
    QString station; // the station folder with both programs
    QString bare;    // the client alone, beside a station that is never started
    QStringList files;
    QProcessEnvironment environment;
    std::unique_ptr<QProcess> program;
};

Fixtures* fixtures = nullptr;

bool MakeFixtures(Fixtures& f)
{
    const QString root = f.root.path();
    for (const char* sub : {"home", "config", "data", "cache", "runtime", "station", "bare", "music"})
        QDir(root).mkpath(sub);
    QFile::setPermissions(root + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Never the real desktop: the station registers its file types at every start.
    for (const auto& [variable, sub] : {std::pair{"HOME", "home"},
                                        {"XDG_CONFIG_HOME", "config"},
                                        {"XDG_DATA_HOME", "data"},
                                        {"XDG_CACHE_HOME", "cache"},
                                        {"XDG_RUNTIME_DIR", "runtime"}})
        qputenv(variable, QFile::encodeName(root + "/" + sub));
    f.station = root + "/station/";
    f.bare = root + "/bare/";
    if (!QFile::copy(SONVELAZODU_PROGRAM, f.station + "Sonvelazodu") ||
        !QFile::copy(SONVELA_OPEN_PROGRAM, f.station + "sonvela-open") ||
        !QFile::copy(SONVELA_OPEN_PROGRAM, f.bare + "sonvela-open"))
        return false;
    QFile(f.station + "nologin.txt").open(QIODevice::WriteOnly);
    const QString first = root + "/music/take 0000.mp3";
    if (QProcess::execute("ffmpeg",
                          {"-v", "error", "-y", "-f", "lavfi", "-i", "sine=frequency=440:duration=1", "-b:a",
                           "128k", "-id3v2_version", "3", "-metadata", "title=Take", "-metadata",
                           "artist=Bench", "-metadata", "album=Enqueue", first}) != 0)
        return false;
    f.files.append(first);
    for (int i = 1; i < FileCount; ++i) {
        f.files.append(QString("%1/music/take %2.mp3").arg(root).arg(i, 4, 10, QChar('0')));
        if (!QFile::copy(first, f.files.last()))
            return false;
    }
    f.environment = QProcessEnvironment::systemEnvironment();
    f.environment.insert("QT_QPA_PLATFORM", "offscreen");
    f.environment.insert("SONVELA_ALSA_PCMS", "null");
    f.environment.insert("SONVELA_APPDIR", f.station);
    f.environment.insert("SONVELA_TEST_RECORD", f.station + "record.txt");
    f.program = std::make_unique<QProcess>();
    f.program->setProcessEnvironment(f.environment);
    f.program->start(f.station + "Sonvelazodu", {});
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 30000) {
        QFile record(f.station + "record.txt");
        if (record.open(QIODevice::ReadOnly) && record.readAll().contains("trace S11\n"))
            return true;
        QThread::msleep(50);
    }
    return false;
}

// Runs the client to its end while this thread serves; the seconds it took, or -1 when it failed.
double RunClient(const QString& client, const QStringList& files)
{
    QProcess process;
    process.setProcessEnvironment(fixtures->environment);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    process.start(client, files);
    loop.exec();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return seconds;
    std::cerr << process.readAllStandardError().constData();
    return -1;
}

void Measure(benchmark::State& state, const QString& client, const QStringList& files)
{
    for (auto _ : state) {
        const double seconds = RunClient(client, files);
        if (seconds < 0) {
            state.SkipWithError("the client failed");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

// A server under the station's service that only answers, for the clients beside no station.
void WithNullServer(benchmark::State& state, const QStringList& files)
{
    platform::DdeServer server("Sonvelazodu", "Macros", [](const QStringList&) { return QString(); }, {});
    QString error;
    // The station serves the same name: it is stopped for the null server's runs in another folder.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(fixtures->root.path() + "/runtime-null"));
    QDir().mkpath(fixtures->root.path() + "/runtime-null");
    QFile::setPermissions(fixtures->root.path() + "/runtime-null",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    fixtures->environment.insert("XDG_RUNTIME_DIR", fixtures->root.path() + "/runtime-null");
    if (!server.Listen(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    Measure(state, fixtures->bare + "sonvela-open", files);
    fixtures->environment.insert("XDG_RUNTIME_DIR", fixtures->root.path() + "/runtime");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(fixtures->root.path() + "/runtime"));
}

void ClientOneFile(benchmark::State& state)
{
    WithNullServer(state, fixtures->files.mid(0, 1));
}

void ClientToNullServer(benchmark::State& state)
{
    WithNullServer(state, fixtures->files);
}

void ClientToStation(benchmark::State& state)
{
    Measure(state, fixtures->station + "sonvela-open", fixtures->files);
}

} // namespace

BENCHMARK(ClientOneFile)->Iterations(1)->Repetitions(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ClientToNullServer)->Iterations(1)->Repetitions(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ClientToStation)->Iterations(1)->Repetitions(5)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Fixtures f;
    fixtures = &f;
    if (!f.root.isValid() || !MakeFixtures(f)) {
        std::cerr << "dde_enqueue_bench: the fixtures or the station could not be set up\n";
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    f.program->terminate();
    f.program->waitForFinished(10000);
    return 0;
}
