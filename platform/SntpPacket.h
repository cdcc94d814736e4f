#pragma once
// The 48-byte time-server request and reply (RFC 4330), as pure functions: timestamps to and from
// Unix nanoseconds, the request, the reply's fields, its checks and the clock offset. All in UTC.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace platform::sntp {

constexpr int PacketSize = 48;
// Seconds from 1900-01-01 to 1970-01-01.
constexpr int64_t UnixEpochInNtpSeconds = 2208988800;
// A late reply may only be as late as this ahead of our own clock's millisecond resolution.
constexpr int64_t DelaySlackNs = 5'000'000;

struct Timestamp {
    uint32_t Seconds = 0;
    uint32_t Fraction = 0; // units of 2^-32 s
    bool IsZero() const { return Seconds == 0 && Fraction == 0; }
    bool operator==(const Timestamp&) const = default;
};

// Unix nanoseconds to a timestamp (the fraction truncated); times from February 2036 wrap into era 1.
Timestamp ToNtp(int64_t unixNs);
// A seconds field with bit 31 clear is era 1 (from 2036-02-07 06:28:16 UTC on); the fraction is
// truncated to whole nanoseconds.
int64_t FromNtp(Timestamp timestamp);

// 48 zero bytes but version 3, mode 3 (client) and the transmit timestamp.
QByteArray BuildRequest(Timestamp transmit);

struct Reply {
    int Leap = 0;
    int Version = 0;
    int Mode = 0;
    int Stratum = 0;
    QByteArray ReferenceId; // four bytes; a kiss-of-death code when the stratum is 0
    Timestamp Originate;
    Timestamp Receive;
    Timestamp Transmit;
};

// The first 48 bytes read; none when there are fewer.
std::optional<Reply> ParseReply(const QByteArray& bytes);

// t = ((T2 - T1) + (T3 - T4)) / 2, without overflow.
int64_t ClockOffsetNs(int64_t t1, int64_t t2, int64_t t3, int64_t t4);
// (T4 - T1) - (T3 - T2)
int64_t RoundTripNs(int64_t t1, int64_t t2, int64_t t3, int64_t t4);

// What our request pinned, to check a reply against.
struct Exchange {
    Timestamp Sent;         // the transmit timestamp of our request, bit for bit
    int64_t T4Ns = 0;       // Unix nanoseconds at receipt
    int TimeoutMs = 0;      // the longest round trip accepted
    int64_t EarliestNs = 0; // the clock is never set before this (the program's build date)
};

struct Verdict {
    bool Ok = false;
    int64_t OffsetNs = 0;
    QString Reason;
};

// The reply's checks and sanity bound; the offset when every one passes, else the reason.
Verdict CheckReply(const QByteArray& bytes, const Exchange& exchange);

} // namespace platform::sntp
