// The desktop's client as a real process, copied beside a stand-in for the station so it can never start
// the real one: the names it refuses, the one request it sends, the desktop running it through the
// registered entry, and giving up when nobody answers.
#include "ServeWhile.h"
#include "TempFolder.h"

#include "platform/Dde.h"
#include "platform/Registry.h"
#include "shell/FileAssociations.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

struct ClientRun {
    int exitCode = -1;
    QString errors;
};

class OpenClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.IsValid());
        ASSERT_TRUE(QFile::copy(SONVELA_OPEN_PROGRAM, folder.File("sonvela-open")));
        // The station it would start: it only says that it was started.
        QFile station(folder.File("Sonvelazodu"));
        ASSERT_TRUE(station.open(QIODevice::WriteOnly));
        station.write("#!/bin/sh\necho started >> \"$(dirname \"$0\")/started\"\n");
        station.close();
        station.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    ClientRun RunClient(const QStringList& arguments, const QString& waitMs = "2000") const
    {
        return ServeWhile([&] {
            QProcess client;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("SONVELA_OPEN_WAIT_MS", waitMs);
            client.setProcessEnvironment(environment);
            client.setWorkingDirectory(folder.Path());
            client.start(folder.File("sonvela-open"), arguments);
            client.waitForFinished(20000);
            return ClientRun{client.exitStatus() == QProcess::NormalExit ? client.exitCode() : -1,
                             QString::fromUtf8(client.readAllStandardError())};
        });
    }

    TempFolder folder;
};

TEST_F(OpenClientTest, NamesAMacroCannotCarryAreRefusedAndTheRestGoInOrderInOneRequest)
{
    QStringList executed;
    platform::DdeServer station("Sonvelazodu", "Macros",
                                [&](const QStringList& lines) {
                                    executed += lines;
                                    return QString();
                                },
                                {});
    QString error;
    ASSERT_TRUE(station.Listen(&error)) << qPrintable(error);
    const QString quoted = folder.File("say \"hi\".mp3");
    const QString broken = folder.File("two\nlines.wav");
    const ClientRun run = RunClient({folder.File("b b.mp3"), quoted, "a.wav", broken, "/c.ogg"});
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.errors);
    EXPECT_EQ(executed, QStringList{"[Open(\"" + folder.File("b b.mp3") + "\")][Open(\"" + folder.Path() +
                                    "a.wav\")][Open(\"/c.ogg\")]"});
    EXPECT_TRUE(run.errors.contains(quoted)) << qPrintable(run.errors);
    EXPECT_TRUE(run.errors.contains("two")) << qPrintable(run.errors);
    EXPECT_FALSE(QFile::exists(folder.File("started")));

    const ClientRun nothing = RunClient({quoted});
    EXPECT_EQ(nothing.exitCode, 2) << qPrintable(nothing.errors);
    EXPECT_EQ(executed.size(), 1);
}

TEST_F(OpenClientTest, WhatTheStationRefusesMakesTheClientSayWhyAndFail)
{
    struct Case {
        const char* refused; // the station's answer: empty when it took everything
        int exitCode;
        const char* said;
    };
    const Case cases[] = {
        {"", 0, ""},
        {"2 file(s) not queued: 3 file(s) already wait for the station to start", 4,
         "sonvela-open: the station refused: 2 file(s) not queued: 3 file(s) already wait for the station to "
         "start\n"},
    };
    for (const Case& c : cases) {
        platform::DdeServer station("Sonvelazodu", "Macros",
                                    [&](const QStringList&) { return QString(c.refused); }, {});
        QString error;
        ASSERT_TRUE(station.Listen(&error)) << qPrintable(error);
        const ClientRun run = RunClient({"/a.mp3", "/b.mp3"});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.refused;
        EXPECT_EQ(run.errors, c.said) << c.refused;
    }
}

TEST_F(OpenClientTest, TheDesktopOpensAFileThroughTheRegisteredEntry)
{
    const QString gio = QStandardPaths::findExecutable("gio");
    if (gio.isEmpty())
        GTEST_SKIP() << "gio is not installed";
    platform::Registry registry(folder.File("registry.json"));
    RegisterAudioFileTypes(registry, folder.File("Sonvelazodu"));
    QStringList executed;
    platform::DdeServer station("Sonvelazodu", "Macros",
                                [&](const QStringList& lines) {
                                    executed += lines;
                                    return QString();
                                },
                                {});
    QString error;
    ASSERT_TRUE(station.Listen(&error)) << qPrintable(error);
    const QString song = folder.File("a b.mp3");
    // An empty file would be sniffed as text: a tag header makes it what its name says.
    QFile file(song);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("ID3\x03\x00\x00\x00\x00\x00\x00", 10) + QByteArray(512, '\0'));
    file.close();
    QProcess open;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_DIRS", "/usr/share");
    open.setProcessEnvironment(environment);
    open.start(gio, {"open", song});
    QElapsedTimer timer;
    timer.start();
    while (executed.isEmpty() && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    open.waitForFinished(5000);
    EXPECT_EQ(executed, QStringList{"[Open(\"" + song + "\")]"}) << open.readAllStandardError().constData();
}

TEST_F(OpenClientTest, AStationThatNeverAnswersIsStartedOnceThenGivenUpInTime)
{
    QElapsedTimer timer;
    timer.start();
    const ClientRun run = RunClient({"/a.mp3"}, "600");
    EXPECT_EQ(run.exitCode, 5) << qPrintable(run.errors);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(run.errors.contains("did not answer")) << qPrintable(run.errors);
    QFile started(folder.File("started"));
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(started.readAll(), "started\n");
}

} // namespace
