#include "platform/SntpPacket.h"
#include "FakeTimeServer.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace platform::sntp;

namespace {

constexpr int64_t Second = 1'000'000'000;
constexpr int64_t Ms = 1'000'000;
// 2030-01-01 00:00:00 UTC
constexpr int64_t Base = int64_t{1893456000} * Second;
constexpr int64_t BuildDay = int64_t{1767225600} * Second; // 2026-01-01

TEST(SntpTimestamp, ConvertsBothWays)
{
    struct Case {
        const char* name;
        int64_t unixNs;
        Timestamp ntp;
    };
    const Case cases[] = {
        {"unix epoch", 0, {2208988800u, 0}},
        {"half a second", 500 * Ms, {2208988800u, 0x80000000u}},
        {"era 1 starts", int64_t{2085978496} * Second, {0, 0}}, // 2036-02-07 06:28:16 UTC
        {"era 1, a day on", int64_t{2085978496 + 86400} * Second, {86400, 0}},
        {"last second of era 0", int64_t{2085978495} * Second, {0xFFFFFFFFu, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToNtp(c.unixNs), c.ntp) << c.name;
        EXPECT_EQ(FromNtp(c.ntp), c.unixNs) << c.name;
    }
    // The fraction truncates both ways.
    EXPECT_EQ(FromNtp({2208988800u, 0x80000001u}), 500 * Ms);
    EXPECT_EQ(ToNtp(1).Fraction, 4u);
}

TEST(SntpOffset, IsHalfTheSumOfBothLegs)
{
    struct Case {
        int64_t t1, t2, t3, t4, offset, delay;
    };
    const Case cases[] = {
        {0, 3600 * Second, 3600 * Second, 0, 3600 * Second, 0},
        {0, 3600 * Second + 10 * Ms, 3600 * Second + 10 * Ms, 20 * Ms, 3600 * Second, 20 * Ms},
        {0, -50 * Second + 30 * Ms, -50 * Second + 530 * Ms, 540 * Ms, -49990 * Ms, 40 * Ms},
        {Base, Base + 100 * Ms, Base + 100 * Ms, Base + 100 * Ms, 50 * Ms,
         100 * Ms}, // asymmetric: half shows
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClockOffsetNs(c.t1, c.t2, c.t3, c.t4), c.offset);
        EXPECT_EQ(RoundTripNs(c.t1, c.t2, c.t3, c.t4), c.delay);
    }
    // No overflow where the differences are large.
    EXPECT_EQ(ClockOffsetNs(-INT64_MAX / 2, INT64_MAX / 2, INT64_MAX / 2, -INT64_MAX / 2), INT64_MAX / 2 * 2);
}

TEST(SntpRequest, IsVersion3ClientWithOurTransmitTime)
{
    const QByteArray request = BuildRequest({0x12345678u, 0x9ABCDEF0u});
    ASSERT_EQ(request.size(), 48);
    EXPECT_EQ(request[0], 0x1B);
    EXPECT_EQ(request.left(40), QByteArray(1, 0x1B) + QByteArray(39, '\0'));
    EXPECT_EQ(request.mid(40).toHex(), "123456789abcdef0");
}

TEST(SntpReply, PassesOnlyWhenEveryCheckHolds)
{
    const Timestamp sent = ToNtp(Base);
    const QByteArray good = ServerReply(BuildRequest(sent), Base + 3600 * Second, Base + 3600 * Second);
    const auto with = [&good](int at, QByteArray bytes) {
        return QByteArray(good).replace(at, bytes.size(), bytes);
    };
    const auto stamp = [](int64_t ns) {
        QByteArray bytes(8, '\0');
        qToBigEndian(ToNtp(ns).Seconds, bytes.data());
        qToBigEndian(ToNtp(ns).Fraction, bytes.data() + 4);
        return bytes;
    };
    QByteArray originateOff = good;
    originateOff[31] = static_cast<char>(originateOff[31] ^ 1);

    struct Case {
        const char* name;
        QByteArray reply;
        int64_t t4;
        int64_t earliest;
        const char* reason; // empty: passes
    };
    const Case cases[] = {
        {"good", good, Base, BuildDay, ""},
        {"47 bytes", good.left(47), Base, BuildDay, "shorter than 48"},
        {"68 bytes with an extension", good + QByteArray(20, 'x'), Base, BuildDay, ""},
        {"leap 3", with(0, QByteArray(1, char(0xDC))), Base, BuildDay, "leap indicator 3"},
        {"stratum 0", with(1, QByteArray(1, 0)).replace(12, 4, "RATE"), Base, BuildDay, "\"RATE\""},
        {"stratum 1", with(1, QByteArray(1, 1)), Base, BuildDay, ""},
        {"stratum 15", with(1, QByteArray(1, 15)), Base, BuildDay, ""},
        {"stratum 16", with(1, QByteArray(1, 16)), Base, BuildDay, "stratum 16"},
        {"mode 3", with(0, QByteArray(1, 0x1B)), Base, BuildDay, "mode 3"},
        {"transmit zero", with(40, QByteArray(8, '\0')), Base, BuildDay, "transmit"},
        {"originate off by one bit", originateOff, Base, BuildDay, "does not answer"},
        {"sent before received", with(40, stamp(Base + 3599 * Second)), Base, BuildDay, "before its request"},
        {"received after we had the reply", good, Base - Second, BuildDay, "round trip"},
        {"round trip above the time-out", good, Base + 3 * Second, BuildDay, "round trip"},
        {"a time before the build date", good, Base, Base + 7200 * Second, "outside the years"},
        {"more than 50 years on", good, Base, Base - int64_t{51} * 366 * 86400 * Second, "outside the years"},
    };
    for (const Case& c : cases) {
        const Verdict verdict = CheckReply(c.reply, {sent, c.t4, 2000, c.earliest});
        if (*c.reason == '\0') {
            EXPECT_TRUE(verdict.Ok) << c.name << ": " << verdict.Reason.toStdString();
            EXPECT_EQ(verdict.OffsetNs, 3600 * Second) << c.name;
        } else {
            EXPECT_FALSE(verdict.Ok) << c.name;
            EXPECT_TRUE(verdict.Reason.contains(c.reason)) << c.name << ": " << verdict.Reason.toStdString();
        }
    }
}

} // namespace
