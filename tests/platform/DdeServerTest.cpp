// The DDE server on real local sockets in the test's private runtime folder: what it executes, what it
// refuses, who may reach it, and how it treats a socket left behind or a server already there.
#include "platform/Dde.h"

#include "ServeWhile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

using namespace platform;

namespace {

// A server of the topic "Macros" under a service of its own that records what it executes and refuses.
class DdeServerTest : public ::testing::Test {
protected:
    std::unique_ptr<DdeServer> MakeServer(const QString& service, uid_t allowed = ::getuid(),
                                          int timeoutMs = 10000)
    {
        return std::make_unique<DdeServer>(
            service, "Macros",
            [this](const QStringList& lines) {
                executed.append(lines);
                return handlerRefuses;
            },
            [this](const QString& reason) { refused.append(reason); },
            DdeServer::Options{allowed, timeoutMs});
    }

    // Sends the bytes from another thread and returns everything the server wrote before it closed, while
    // this thread serves.
    static QByteArray Talk(const QString& socketPath, const QByteArray& request)
    {
        return ServeWhile([&] {
            QByteArray reply;
            QLocalSocket socket;
            socket.connectToServer(socketPath);
            if (!socket.waitForConnected(2000))
                return reply;
            socket.write(request);
            socket.waitForBytesWritten(2000);
            while (socket.state() == QLocalSocket::ConnectedState && socket.waitForReadyRead(5000))
                reply += socket.readAll();
            return reply + socket.readAll();
        });
    }

    static QByteArray Execute(const QByteArray& text)
    {
        return "EXECUTE " + QByteArray::number(text.size()) + '\n' + text;
    }

    QStringList executed;
    QStringList refused;
    // What the handler answers: empty when it takes the whole request.
    QString handlerRefuses;
};

mode_t Mode(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

} // namespace

TEST_F(DdeServerTest, AGoodRequestIsExecutedLineByLineThenAcknowledged)
{
    auto server = MakeServer("Good");
    QString error;
    ASSERT_TRUE(server->Listen(&error)) << qPrintable(error);
    EXPECT_EQ(Talk(server->SocketPath(), Execute("[Open(\"/a b.mp3\")]\r\n[Open(\"/\xc3\xa9.wav\")]")),
              "ACK\n");
    EXPECT_EQ(executed,
              (QStringList{"[Open(\"/a b.mp3\")]", QString::fromUtf8("[Open(\"/\xc3\xa9.wav\")]")}));
    EXPECT_EQ(Talk(server->SocketPath(), Execute("")), "ACK\n");
    EXPECT_EQ(executed.size(), 2) << "no bytes, no lines";
    EXPECT_TRUE(refused.isEmpty()) << qPrintable(refused.join('\n'));
    // Only the user enters the folder, and the socket is the user's alone.
    EXPECT_EQ(Mode(DdeSocketFolder()), 0700u);
    EXPECT_EQ(Mode(server->SocketPath()), 0600u);
    const QString path = server->SocketPath();
    server.reset();
    EXPECT_FALSE(QFileInfo::exists(path)) << "the socket goes with the server";
}

TEST_F(DdeServerTest, MalformedOversizedOrStalledRequestsAreRefusedAndNothingExecuted)
{
    struct Case {
        const char* name;
        QByteArray request;
        const char* reason;
    };
    const Case cases[] = {
        {"not the header", "HELLO 3\nabc", "malformed header"},
        {"a negative length", "EXECUTE -3\nabc", "malformed header"},
        {"a header without its end", QByteArray(40, 'E'), "header longer than 32 bytes"},
        {"too large", "EXECUTE 4194305\n", "4194305 bytes announced, more than 4194304"},
        {"more than announced", "EXECUTE 2\nabc", "more bytes than announced"},
        {"not UTF-8", "EXECUTE 4\n[\xff\xfe]", "the text is not UTF-8"},
        {"stalled", "EXECUTE 10\nabc", "request not complete within 0.3 s"},
    };
    auto server = MakeServer("Refusing", ::getuid(), 300);
    QString error;
    ASSERT_TRUE(server->Listen(&error)) << qPrintable(error);
    for (const Case& c : cases) {
        refused.clear();
        EXPECT_EQ(Talk(server->SocketPath(), c.request), "NACK " + QByteArray(c.reason) + '\n') << c.name;
        EXPECT_EQ(refused, QStringList{c.reason}) << c.name;
    }
    EXPECT_TRUE(executed.isEmpty());
    // Still serving after all that.
    EXPECT_EQ(Talk(server->SocketPath(), Execute("x")), "ACK\n");
}

TEST_F(DdeServerTest, WhatTheHandlerRefusesIsAnsweredWithItsReasonOnOneLine)
{
    auto server = MakeServer("HandlerRefuses");
    QString error;
    ASSERT_TRUE(server->Listen(&error)) << qPrintable(error);
    handlerRefuses = "1 macro(s) that open no file, the first: [Open(\"/a\r\nNACK b\x1b[2J\")]";
    const QString line = R"(1 macro(s) that open no file, the first: [Open("/a\x0D\x0ANACK b\x1B[2J")])";
    EXPECT_EQ(Talk(server->SocketPath(), Execute("[Open(\"/x.mp3\")]")), "NACK " + line.toUtf8() + '\n');
    EXPECT_EQ(executed, QStringList{"[Open(\"/x.mp3\")]"}) << "executed, with a part refused";
    EXPECT_EQ(refused, QStringList{line});
}

TEST_F(DdeServerTest, APeerOfAnotherUserIsClosedWithoutAWordRead)
{
    auto server = MakeServer("Stranger", ::getuid() + 1);
    QString error;
    ASSERT_TRUE(server->Listen(&error)) << qPrintable(error);
    EXPECT_EQ(Talk(server->SocketPath(), Execute("[Open(\"/a.mp3\")]")), "");
    EXPECT_TRUE(executed.isEmpty());
    EXPECT_EQ(refused, QStringList{QString("a connection of user %1").arg(::getuid())});
}

TEST_F(DdeServerTest, ConnectionsBeyondTheLimitAreClosedAtOnce)
{
    auto server = MakeServer("Crowded");
    QString error;
    ASSERT_TRUE(server->Listen(&error)) << qPrintable(error);
    const QString path = server->SocketPath();
    const auto [extraClosed, othersOpen] = ServeWhile([&] {
        std::vector<std::unique_ptr<QLocalSocket>> sockets;
        for (int i = 0; i <= DdeMaxConnections; ++i) {
            sockets.push_back(std::make_unique<QLocalSocket>());
            sockets.back()->connectToServer(path);
            sockets.back()->waitForConnected(2000);
        }
        const bool closed = sockets.back()->waitForDisconnected(5000);
        return std::pair{closed, sockets.front()->state() == QLocalSocket::ConnectedState};
    });
    EXPECT_TRUE(extraClosed);
    EXPECT_TRUE(othersOpen);
    EXPECT_EQ(refused, QStringList{"more than 16 connections at once"});
}

TEST_F(DdeServerTest, AnotherUserCannotEvenConnect)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "switching users needs root";
    auto server = MakeServer("Private");
    QString error;
    ASSERT_TRUE(server->Listen(&error)) << qPrintable(error);
    const QByteArray path = QFile::encodeName(server->SocketPath());
    const pid_t child = ::fork();
    if (child == 0) {
        // Only async-signal-safe calls here: the parent has threads.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        const bool connected =
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        ::_exit(connected ? 1 : (errno == EACCES ? 0 : 3));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: connected, 2: could not switch, 3: another error";
}

TEST_F(DdeServerTest, ASocketLeftBehindIsTakenOverAndALiveOneIsLeftAlone)
{
    auto first = MakeServer("Shared");
    const QByteArray path = QFile::encodeName(first->SocketPath());
    ASSERT_EQ(MakePrivateFolder(DdeSocketFolder()), "");
    {
        // A socket file nobody listens on, as a crash leaves it.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }
    QString error;
    ASSERT_TRUE(first->Listen(&error)) << qPrintable(error);
    struct stat before {};
    ASSERT_EQ(::stat(path.constData(), &before), 0);

    auto second = MakeServer("Shared");
    EXPECT_FALSE(second->Listen(&error));
    EXPECT_TRUE(error.contains("another server answers")) << qPrintable(error);
    second.reset();
    struct stat after {};
    ASSERT_EQ(::stat(path.constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(Talk(first->SocketPath(), Execute("still here")), "ACK\n");
    EXPECT_EQ(executed, QStringList{"still here"});
}

TEST_F(DdeServerTest, AServerRemovesOnlyTheSocketItMade)
{
    auto kept = MakeServer("Same");
    QString error;
    ASSERT_TRUE(kept->Listen(&error)) << qPrintable(error);
    // Another runtime folder while a second server starts, then the first one's again.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir other;
    ASSERT_EQ(::chmod(QFile::encodeName(other.path()).constData(), 0700), 0);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(other.path()));
    auto gone = MakeServer("Same");
    const bool listened = gone->Listen(&error);
    qputenv("XDG_RUNTIME_DIR", runtime);
    ASSERT_TRUE(listened) << qPrintable(error);
    EXPECT_TRUE(gone->SocketPath().startsWith(other.path()));
    const QString goneSocket = gone->SocketPath();
    gone.reset();
    EXPECT_FALSE(QFileInfo::exists(goneSocket));
    EXPECT_EQ(Talk(kept->SocketPath(), Execute("kept")), "ACK\n");
}

TEST_F(DdeServerTest, AFolderOthersMayEnterIsNotServed)
{
    const QString folder = DdeSocketFolder();
    ASSERT_EQ(MakePrivateFolder(folder), "");
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0750), 0);
    auto server = MakeServer("Open");
    QString error;
    EXPECT_FALSE(server->Listen(&error));
    EXPECT_TRUE(error.contains("open to other users")) << qPrintable(error);
    EXPECT_EQ(DdeExecute("Open", "Macros", "x", 1000).result, DdeResult::Unsafe);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0700), 0);
}

// The desktop starts the client with its session's environment; the station may have been started
// from a terminal, a script or another session. Both must find the same socket.
TEST(DdeSocketFolder, IsTheSameForTheStationAndTheClientWhateverTheirEnvironments)
{
    QTemporaryDir runtime;
    QTemporaryDir shared;
    ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0700), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(shared.path()).constData(), 0755), 0);
    struct Environment {
        const char* runtimeDir; // XDG_RUNTIME_DIR; null: unset
        const char* tmpDir;     // TMPDIR; null: unset
    };
    struct Case {
        const char* what;
        Environment station;
        Environment client;
    };
    const QByteArray own = QFile::encodeName(runtime.path());
    const QByteArray open = QFile::encodeName(shared.path());
    const Case cases[] = {
        {"another temporary folder", {nullptr, "/var/tmp"}, {nullptr, nullptr}},
        {"a runtime folder others may enter", {open.constData(), nullptr}, {nullptr, nullptr}},
        {"a runtime folder named relatively", {"run", nullptr}, {nullptr, "/var/tmp"}},
        {"the same runtime folder, other temporary folders",
         {own.constData(), "/var/tmp"},
         {own.constData(), nullptr}},
    };
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedTmp = qgetenv("TMPDIR");
    const auto folderIn = [](const Environment& environment) {
        for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", environment.runtimeDir},
                                          std::pair{"TMPDIR", environment.tmpDir}}) {
            if (value)
                qputenv(name, value);
            else
                qunsetenv(name);
        }
        return DdeSocketFolder();
    };
    for (const Case& c : cases)
        EXPECT_EQ(folderIn(c.station), folderIn(c.client)) << c.what;
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    if (savedTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", savedTmp);
    EXPECT_EQ(DdeSocketFolder(), QString::fromUtf8(savedRuntime) + "/sonvela")
        << "the tests' own runtime folder";
}

TEST(DdeNames, TheServiceIsTheExecutableNameUpToItsFirstDot)
{
    EXPECT_EQ(DdeServiceName("/opt/station/Sonvelazodu"), "Sonvelazodu");
    EXPECT_EQ(DdeServiceName("/opt/a.b/Varnello.bin.old"), "Varnello");
}
