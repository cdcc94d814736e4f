// The road from the desktop to the air with the real programs under a private X server: the client hands
// files to a running station, and starts the station when none runs; Ctrl+F12 pressed by another X
// client puts the emergency item on air. The station plays on ALSA's null
// output in its own temporary folder; the test ends every process it caused by its id.
#include "FileBytes.h"
#include "PollUntil.h"
#include "StationEnvironment.h"
#include "TempFolder.h"
#include "WavWriter.h"
#include "XTestInput.h"
#include "XvfbServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>
#include <signal.h>

#include <memory>

namespace {

constexpr int WaitMs = 30000;

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool WaitFor(const std::function<bool()>& condition)
{
    return PollUntil(condition, WaitMs);
}

// A process that is gone, or a zombie nobody reaps, has ended.
bool Ended(qint64 pid)
{
    const QString stat = ReadText(QString("/proc/%1/stat").arg(pid));
    return stat.isEmpty() || stat.section(") ", 1, 1).startsWith('Z');
}

class EnqueueEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(folder.IsValid());
        for (const char* name : {"Sonvelazodu", "sonvela-open"})
            ASSERT_TRUE(
                QFile::copy(QString(name) == "Sonvelazodu" ? SONVELAZODU_PROGRAM : SONVELA_OPEN_PROGRAM,
                            folder.File(name)));
        QFile(folder.File("nologin.txt")).open(QIODevice::WriteOnly);
        for (const char* name : {"one.wav", "two.wav"})
            ASSERT_TRUE(testing_support::WriteWav(folder.File(name), {}, 13230,
                                                  testing_support::Sine(440, 0.5, 44100)));
        xvfb = std::make_unique<testing_support::XvfbServer>(1024, 768);
        ASSERT_TRUE(xvfb->Running()) << qPrintable(xvfb->Error());
        environment = StationEnvironment(xvfb->Display(), folder.Path());
    }

    void TearDown() override
    {
        // A station a failed test left running is ended too.
        if (const qint64 pid = RecordedPid(); pid > 0 && !Ended(pid)) {
            ::kill(pid_t(pid), SIGTERM);
            WaitFor([pid] { return Ended(pid); });
        }
        xvfb.reset();
    }

    int RunClient(const QStringList& files)
    {
        QProcess client;
        client.setProcessEnvironment(environment);
        client.setProcessChannelMode(QProcess::ForwardedChannels);
        client.start(folder.File("sonvela-open"), files);
        client.waitForFinished(WaitMs + 5000);
        return client.exitStatus() == QProcess::NormalExit ? client.exitCode() : -1;
    }

    // The day's log lines whose status, module, event and channel are these ("0 10 100 1": an entry
    // started on channel 1).
    QStringList LogLines(const QString& codes = QStringLiteral("0 10 100 1")) const
    {
        QStringList lines;
        for (const QFileInfo& log : QDir(folder.File("logs")).entryInfoList({"*.log"}, QDir::Files))
            for (const QString& line : ReadText(log.filePath()).split("\r\n"))
                if (line.section(' ', 2, 5) == codes)
                    lines.append(line);
        return lines;
    }
    QStringList StartLines() const { return LogLines(); }

    bool Started(const QStringList& files) const
    {
        const QStringList lines = StartLines();
        if (lines.size() < files.size())
            return false;
        for (int i = 0; i < files.size(); ++i)
            if (!lines[i].contains(files[i]))
                return false;
        return true;
    }

    qint64 RecordedPid() const
    {
        for (const QString& line : ReadText(folder.File("record.txt")).split('\n'))
            if (line.startsWith("pid "))
                return line.mid(4).toLongLong();
        return 0;
    }

    bool Recorded(const QString& line) const
    {
        return ReadText(folder.File("record.txt")).split('\n').contains(line);
    }

    TempFolder folder;
    std::unique_ptr<testing_support::XvfbServer> xvfb;
    QProcessEnvironment environment;
};

TEST_F(EnqueueEndToEndTest, TheClientHandsTwoFilesToTheRunningStationWhichPlaysThemInOrder)
{
    QProcess station;
    station.setProcessEnvironment(environment);
    station.setProcessChannelMode(QProcess::ForwardedChannels);
    station.start(folder.File("Sonvelazodu"), {});
    ASSERT_TRUE(station.waitForStarted());
    ASSERT_TRUE(WaitFor([this] { return Recorded("trace S11"); }))
        << qPrintable(ReadText(folder.File("record.txt")));
    const QStringList files{folder.File("one.wav"), folder.File("two.wav")};
    EXPECT_EQ(RunClient(files), 0);
    EXPECT_TRUE(WaitFor([&] { return Started(files); })) << qPrintable(StartLines().join('\n'));
    station.terminate();
    EXPECT_TRUE(station.waitForFinished(WaitMs));
    EXPECT_EQ(station.exitCode(), 0);
}

TEST_F(EnqueueEndToEndTest, TheClientStartsTheStationWhichPlaysTheFileOnceItIsUp)
{
    const QStringList files{folder.File("one.wav")};
    EXPECT_EQ(RunClient(files), 0);
    const qint64 pid = RecordedPid();
    ASSERT_GT(pid, 0) << "the station was not started";
    EXPECT_TRUE(WaitFor([&] { return Started(files); })) << qPrintable(StartLines().join('\n'));
    EXPECT_TRUE(Recorded("trace S11"));
    ::kill(pid_t(pid), SIGTERM);
    EXPECT_TRUE(WaitFor([pid] { return Ended(pid); }));
    EXPECT_TRUE(Recorded("trace X4 DDE"));
}

TEST_F(EnqueueEndToEndTest, CtrlF12PressedInAnotherClientPutsTheEmergencyItemOnAir)
{
    ASSERT_TRUE(QFile::copy(SZ_TASTREL_LIBRARY, folder.File("libTastrel.so")));
    ASSERT_TRUE(WriteBytes(
        folder.File("Sonvelazodu.ini"),
        "[log]\nlevel=2\n[channel1]\ndevice_out=No sound\n[Folder0]\nname=JINGLES\n[FolderDirs0]\n" +
            folder.Path().toUtf8() + "=\n"));
    QProcess station;
    station.setProcessEnvironment(environment);
    station.setProcessChannelMode(QProcess::ForwardedChannels);
    station.start(folder.File("Sonvelazodu"), {});
    ASSERT_TRUE(station.waitForStarted());
    ASSERT_TRUE(WaitFor([this] { return Recorded("trace S11") && Recorded("trace folders loaded"); }))
        << qPrintable(ReadText(folder.File("record.txt")));
    EXPECT_TRUE(LogLines("1 12 -1 -1").isEmpty())
        << "the key is system-wide: " << qPrintable(LogLines("1 12 -1 -1").join('\n'));

    XTestInput keys(xvfb->Display());
    ASSERT_TRUE(keys.Connected());
    keys.Key("Control_L", true);
    keys.TypeKey("F12");
    keys.Key("Control_L", false);
    EXPECT_TRUE(WaitFor([&] { return !StartLines().isEmpty(); }))
        << qPrintable(ReadText(folder.File("record.txt")));
    const QStringList emergency = LogLines("0 12 105 -1");
    ASSERT_EQ(emergency.size(), 1);
    ASSERT_EQ(StartLines().size(), 1);
    EXPECT_TRUE(StartLines()[0].contains("one.wav")) << qPrintable(StartLines()[0]);
    // The emergency line comes first: same second or earlier.
    EXPECT_LE(emergency[0].section(' ', 0, 1), StartLines()[0].section(' ', 0, 1));
    station.terminate();
    EXPECT_TRUE(station.waitForFinished(WaitMs));
    EXPECT_EQ(station.exitCode(), 0);
}

} // namespace
