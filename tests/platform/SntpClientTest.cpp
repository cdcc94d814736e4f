#include "platform/SntpClient.h"
#include "FakeTimeServer.h"
#include "platform/Clock.h"
#include "platform/SntpPacket.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

using platform::SntpClient;
using platform::SntpResult;

namespace {

constexpr int64_t Second = 1'000'000'000;
constexpr int64_t Ms = 1'000'000;
const QDateTime Pinned(QDate(2030, 1, 1), QTime(12, 0), Qt::UTC);

int64_t PinnedNs()
{
    return Pinned.toMSecsSinceEpoch() * Ms;
}

// Runs one exchange to the end on the event loop.
std::optional<SntpResult> Sync(SntpClient& client)
{
    std::optional<SntpResult> result;
    if (!client.SyncTime([&result](const SntpResult& r) { result = r; }))
        return std::nullopt;
    [[maybe_unused]] const bool answered = QTest::qWaitFor([&result] { return result.has_value(); }, 5000);
    return result;
}

// A port on loopback where nothing listens.
int ClosedPort()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

class SntpClientTest : public ::testing::Test {
protected:
    platform::ManualClock clock{Pinned};
    FakeSystemClock setter;
    SntpClient client;

    void Serve(FakeTimeServer& server, int timeoutMs = 2000)
    {
        client.Host = QStringLiteral("127.0.0.1");
        client.Port = server.Port();
        client.TimeoutMs = timeoutMs;
    }
};

TEST_F(SntpClientTest, SetsTheClockOnlyFromAGoodReplyToOurRequest)
{
    using Answer = FakeTimeServer::Answer;
    const int64_t ahead = PinnedNs() + 3600 * Second;
    const auto good = [ahead](const QByteArray& request) { return ServerReply(request, ahead, ahead); };
    const auto changed = [good](int at, QByteArray bytes) -> Answer {
        return [good, at, bytes](const QByteArray& request) {
            return good(request).replace(at, bytes.size(), bytes);
        };
    };
    struct Case {
        const char* name;
        Answer answer;
        const char* reason; // empty: the clock is set
    };
    const Case cases[] = {
        {"good", good, ""},
        {"held 500 ms",
         [this, ahead](const QByteArray& request) {
             clock.Advance(500); // the server takes its time; our clock goes on meanwhile
             return ServerReply(request, ahead, ahead + 500 * Ms);
         },
         ""},
        {"mode 3", changed(0, QByteArray(1, 0x1B)), "mode 3"},
        {"originate not ours", changed(24, QByteArray(8, '\x01')), "does not answer"},
        {"stratum 0",
         [good](const QByteArray& request) {
             return good(request).replace(1, 1, QByteArray(1, '\0')).replace(12, 4, "RATE");
         },
         "RATE"},
        {"garbage", [](const QByteArray&) { return QByteArray("0123456789"); }, "10 bytes"},
    };
    for (const Case& c : cases) {
        FakeSystemClock caseSetter;
        FakeTimeServer server(c.answer);
        Serve(server);
        const std::optional<SntpResult> result = Sync(client);
        ASSERT_TRUE(result) << c.name;
        if (*c.reason == '\0') {
            EXPECT_TRUE(result->Ok) << c.name << ": " << result->Reason.toStdString();
            ASSERT_EQ(caseSetter.Offsets().size(), 1u) << c.name;
            EXPECT_NEAR(caseSetter.Offsets()[0], 3600 * Second, 50 * Ms) << c.name;
        } else {
            EXPECT_FALSE(result->Ok) << c.name;
            EXPECT_TRUE(caseSetter.Offsets().empty()) << c.name;
            EXPECT_TRUE(result->Reason.contains(c.reason)) << c.name << ": " << result->Reason.toStdString();
        }
    }
}

TEST_F(SntpClientTest, FailsWithinTheTimeOutWhenNoAnswerComes)
{
    FakeTimeServer silent([](const QByteArray&) { return std::nullopt; });
    Serve(silent, 300);
    QElapsedTimer elapsed;
    elapsed.start();
    std::optional<SntpResult> result = Sync(client);
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->Ok);
    EXPECT_TRUE(result->Reason.contains("300 ms"));
    EXPECT_GE(elapsed.elapsed(), 300);
    EXPECT_LT(elapsed.elapsed(), 800);

    // A closed port answers at once.
    client.Port = ClosedPort();
    client.TimeoutMs = 2000;
    elapsed.restart();
    result = Sync(client);
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->Ok);
    EXPECT_LT(elapsed.elapsed(), 1000);
    EXPECT_TRUE(setter.Offsets().empty());
}

TEST_F(SntpClientTest, RefusesBadSettingsAndFailedLookupsWithoutSending)
{
    std::atomic<int> requests = 0;
    FakeTimeServer counting([&requests](const QByteArray& request) {
        ++requests;
        return ServerReply(request, 0, 0);
    });
    struct Case {
        const char* host;
        int port;
        int timeoutMs;
        const char* reason;
    };
    const Case cases[] = {
        {"", counting.Port(), 2000, "no time server"},
        {"127.0.0.1", 0, 2000, "port 0"},
        {"127.0.0.1", 65536, 2000, "port 65536"},
        {"127.0.0.1", counting.Port(), 0, "time-out of 0 ms"},
        {"127.0.0.1", counting.Port(), 60001, "time-out of 60001 ms"},
    };
    for (const Case& c : cases) {
        client.Host = c.host;
        client.Port = c.port;
        client.TimeoutMs = c.timeoutMs;
        const std::optional<SntpResult> result = Sync(client);
        ASSERT_TRUE(result) << c.reason;
        EXPECT_FALSE(result->Ok);
        EXPECT_TRUE(result->Reason.contains(c.reason)) << result->Reason.toStdString();
    }

    client.Host = "time.invalid";
    client.Port = counting.Port();
    client.TimeoutMs = 2000;
    client.SetResolver([](const QString&, int, QString& reason) -> std::optional<platform::ResolvedAddress> {
        reason = QStringLiteral("no such host");
        throw std::runtime_error("resolver broke");
    });
    std::optional<SntpResult> result = Sync(client);
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->Ok);
    EXPECT_EQ(result->Reason, "resolver broke");

    client.SetResolver([](const QString&, int, QString& reason) -> std::optional<platform::ResolvedAddress> {
        reason = QStringLiteral("no such host");
        return std::nullopt;
    });
    result = Sync(client);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->Reason, "no such host");
    EXPECT_EQ(requests.load(), 0);
}

TEST_F(SntpClientTest, DecidesEachRequestOnceWhateverTheTimeOut)
{
    const int64_t ahead = PinnedNs() + 3600 * Second;
    struct Case {
        const char* what;
        int replyAfterMs;
        int settingTakesMs;
        bool ok;
    };
    const Case cases[] = {
        {"answered and set at once", 0, 0, true},
        {"setting outlasts the time-out", 0, 600, true},
        {"answered after the time-out", 600, 0, false},
    };
    for (const Case& c : cases) {
        FakeSystemClock caseSetter;
        caseSetter.SetDelayMs(c.settingTakesMs);
        FakeTimeServer server([&c, ahead](const QByteArray& request) {
            std::this_thread::sleep_for(std::chrono::milliseconds(c.replyAfterMs));
            return ServerReply(request, ahead, ahead);
        });
        Serve(server, 300);
        std::vector<SntpResult> results;
        ASSERT_TRUE(client.SyncTime([&results](const SntpResult& r) { results.push_back(r); })) << c.what;
        QTest::qWait(1200);
        ASSERT_EQ(results.size(), 1u) << c.what;
        EXPECT_EQ(results[0].Ok, c.ok) << c.what << ": " << results[0].Reason.toStdString();
        EXPECT_EQ(caseSetter.Offsets().size(), c.ok ? 1u : 0u) << c.what;
        if (c.ok) {
            EXPECT_EQ(results[0].FromNs, PinnedNs()) << c.what << ": the clock as it read before the step";
        }
    }
}

TEST_F(SntpClientTest, RunsOneRequestAtATimeAndDropsACancelledOne)
{
    FakeTimeServer silent([](const QByteArray&) { return std::nullopt; });
    Serve(silent, 200);
    int delivered = 0;
    ASSERT_TRUE(client.SyncTime([&delivered](const SntpResult&) { ++delivered; }));
    EXPECT_TRUE(client.Busy());
    EXPECT_FALSE(client.SyncTime([&delivered](const SntpResult&) { ++delivered; }));
    client.Cancel();
    EXPECT_FALSE(client.Busy());
    QTest::qWait(400);
    EXPECT_EQ(delivered, 0);

    // A client that goes while its answer is on the way delivers nothing and sets nothing.
    const int64_t ahead = PinnedNs() + 3600 * Second;
    FakeTimeServer good([ahead](const QByteArray& request) { return ServerReply(request, ahead, ahead); });
    auto leaving = std::make_unique<SntpClient>();
    leaving->Host = "127.0.0.1";
    leaving->Port = good.Port();
    ASSERT_TRUE(leaving->SyncTime([&delivered](const SntpResult&) { ++delivered; }));
    leaving.reset();
    QTest::qWait(200);
    EXPECT_EQ(delivered, 0);
}

} // namespace
