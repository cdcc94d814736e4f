#include "platform/SntpPacket.h"

#include <QtEndian>

namespace platform::sntp {

namespace {

constexpr int64_t NsPerSecond = 1'000'000'000;
constexpr int64_t EraSeconds = int64_t{1} << 32;
constexpr int64_t FiftyYearsNs = int64_t{50} * 36525 * 864 * NsPerSecond; // 50 Julian years

Timestamp ReadTimestamp(const char* at)
{
    return {qFromBigEndian<uint32_t>(at), qFromBigEndian<uint32_t>(at + 4)};
}

void WriteTimestamp(char* at, Timestamp timestamp)
{
    qToBigEndian(timestamp.Seconds, at);
    qToBigEndian(timestamp.Fraction, at + 4);
}

} // namespace

Timestamp ToNtp(int64_t unixNs)
{
    int64_t seconds = unixNs / NsPerSecond;
    int64_t rest = unixNs % NsPerSecond;
    if (rest < 0) {
        rest += NsPerSecond;
        --seconds;
    }
    const auto fraction = static_cast<uint32_t>((static_cast<uint64_t>(rest) << 32) / NsPerSecond);
    return {static_cast<uint32_t>(seconds + UnixEpochInNtpSeconds), fraction};
}

int64_t FromNtp(Timestamp timestamp)
{
    int64_t seconds = timestamp.Seconds;
    if ((timestamp.Seconds & 0x80000000u) == 0)
        seconds += EraSeconds;
    const auto fractionNs = static_cast<int64_t>((uint64_t{timestamp.Fraction} * NsPerSecond) >> 32);
    return (seconds - UnixEpochInNtpSeconds) * NsPerSecond + fractionNs;
}

QByteArray BuildRequest(Timestamp transmit)
{
    QByteArray packet(PacketSize, '\0');
    packet[0] = 0x1B; // leap 0, version 3, mode 3
    WriteTimestamp(packet.data() + 40, transmit);
    return packet;
}

std::optional<Reply> ParseReply(const QByteArray& bytes)
{
    if (bytes.size() < PacketSize)
        return std::nullopt;
    const char* p = bytes.constData();
    const auto first = static_cast<uint8_t>(p[0]);
    Reply reply;
    reply.Leap = first >> 6;
    reply.Version = (first >> 3) & 7;
    reply.Mode = first & 7;
    reply.Stratum = static_cast<uint8_t>(p[1]);
    reply.ReferenceId = QByteArray(p + 12, 4);
    reply.Originate = ReadTimestamp(p + 24);
    reply.Receive = ReadTimestamp(p + 32);
    reply.Transmit = ReadTimestamp(p + 40);
    return reply;
}

int64_t ClockOffsetNs(int64_t t1, int64_t t2, int64_t t3, int64_t t4)
{
    const __int128 sum = static_cast<__int128>(t2) - t1 + (static_cast<__int128>(t3) - t4);
    return static_cast<int64_t>(sum / 2);
}

int64_t RoundTripNs(int64_t t1, int64_t t2, int64_t t3, int64_t t4)
{
    return static_cast<int64_t>((static_cast<__int128>(t4) - t1) - (static_cast<__int128>(t3) - t2));
}

Verdict CheckReply(const QByteArray& bytes, const Exchange& exchange)
{
    const auto fail = [](const QString& reason) { return Verdict{false, 0, reason}; };
    const std::optional<Reply> reply = ParseReply(bytes);
    if (!reply)
        return fail(QStringLiteral("a reply of %1 bytes, shorter than %2").arg(bytes.size()).arg(PacketSize));
    if (reply->Mode != 4)
        return fail(QStringLiteral("a reply in mode %1, not from a server").arg(reply->Mode));
    if (reply->Leap == 3)
        return fail(QStringLiteral("the server's clock is not synchronised (leap indicator 3)"));
    if (reply->Stratum == 0) {
        QString code;
        for (const char c : reply->ReferenceId)
            code += (c >= 0x20 && c < 0x7F) ? QChar(c) : QChar('?');
        return fail(QStringLiteral("the server refused the request (kiss code \"%1\")").arg(code));
    }
    if (reply->Stratum > 15)
        return fail(QStringLiteral("a reply of stratum %1").arg(reply->Stratum));
    if (reply->Originate != exchange.Sent)
        return fail(QStringLiteral("a reply that does not answer our request"));
    if (reply->Transmit.IsZero())
        return fail(QStringLiteral("a reply without a transmit time"));

    const int64_t t1 = FromNtp(exchange.Sent);
    const int64_t t2 = FromNtp(reply->Receive);
    const int64_t t3 = FromNtp(reply->Transmit);
    const int64_t t4 = exchange.T4Ns;
    if (t3 < t2)
        return fail(QStringLiteral("a reply sent before its request was received"));
    const int64_t delay = RoundTripNs(t1, t2, t3, t4);
    if (delay < -DelaySlackNs || delay > int64_t{exchange.TimeoutMs} * 1'000'000)
        return fail(QStringLiteral("a round trip of %1 ms").arg(delay / 1'000'000));
    const int64_t offset = ClockOffsetNs(t1, t2, t3, t4);
    const __int128 target = static_cast<__int128>(t4) + offset;
    if (target < exchange.EarliestNs || target > static_cast<__int128>(exchange.EarliestNs) + FiftyYearsNs)
        return fail(QStringLiteral("the server's time lies outside the years this program can run in"));
    return {true, offset, QString()};
}

} // namespace platform::sntp
