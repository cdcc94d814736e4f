// The road from the desktop to the air with the real programs under a private X server: the client hands
// files to a running station, and starts the station when none runs. The station plays on ALSA's null
// output in its own temporary folder; the test ends every process it caused by its id.
#include "TempFolder.h"
#include "WavWriter.h"
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
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < WaitMs) {
        if (condition())
            return true;
        QThread::msleep(50);
    }
    return false;
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
        environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", xvfb->Display());
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("SONVELA_APPDIR", folder.Path());
        environment.insert("SONVELA_ALSA_PCMS", "null");
        environment.insert("SONVELA_TEST_RECORD", folder.File("record.txt"));
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

    // The day's log lines that say an entry started on channel 1 (status 0, module 10, event 100).
    QStringList StartLines() const
    {
        QStringList lines;
        for (const QFileInfo& log : QDir(folder.File("logs")).entryInfoList({"*.log"}, QDir::Files))
            for (const QString& line : ReadText(log.filePath()).split("\r\n"))
                if (line.section(' ', 2, 5) == "0 10 100 1")
                    lines.append(line);
        return lines;
    }

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

} // namespace
