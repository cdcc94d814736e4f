#include "FakeTimeServer.h"

#include "platform/SntpPacket.h"

#include <QtEndian>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

FakeSystemClock::FakeSystemClock() : previous_(platform::InstallSystemClock(this)) {}

FakeSystemClock::~FakeSystemClock()
{
    platform::InstallSystemClock(previous_);
}

bool FakeSystemClock::Shift(int64_t offsetNs, QString&)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs_.load()));
    const std::lock_guard lock(lock_);
    offsets_.push_back(offsetNs);
    return true;
}

std::vector<int64_t> FakeSystemClock::Offsets() const
{
    const std::lock_guard lock(lock_);
    return offsets_;
}

FakeTimeServer::FakeTimeServer(Answer answer) : answer_(std::move(answer))
{
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0 || ::pipe(stop_) != 0)
        return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] {
        for (;;) {
            pollfd waits[2] = {{fd_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
            if (::poll(waits, 2, -1) < 0 || waits[1].revents != 0)
                return;
            QByteArray request(512, '\0');
            sockaddr_in from{};
            socklen_t fromLength = sizeof from;
            const ssize_t got = ::recvfrom(fd_, request.data(), request.size(), 0,
                                           reinterpret_cast<sockaddr*>(&from), &fromLength);
            if (got < 0)
                continue;
            request.truncate(got);
            if (const std::optional<QByteArray> reply = answer_(request))
                ::sendto(fd_, reply->constData(), reply->size(), 0, reinterpret_cast<sockaddr*>(&from),
                         fromLength);
        }
    });
}

FakeTimeServer::~FakeTimeServer()
{
    if (thread_.joinable()) {
        const char stop = 0;
        [[maybe_unused]] const ssize_t written = ::write(stop_[1], &stop, 1);
        thread_.join();
    }
    for (const int fd : {fd_, stop_[0], stop_[1]})
        if (fd >= 0)
            ::close(fd);
}

QByteArray ServerReply(const QByteArray& request, int64_t receiveNs, int64_t transmitNs)
{
    QByteArray reply(platform::sntp::PacketSize, '\0');
    reply[0] = 0x1C; // leap 0, version 3, mode 4
    reply[1] = 2;
    const auto put = [&reply](int at, platform::sntp::Timestamp timestamp) {
        qToBigEndian(timestamp.Seconds, reply.data() + at);
        qToBigEndian(timestamp.Fraction, reply.data() + at + 4);
    };
    reply.replace(24, 8, request.mid(40, 8)); // our transmit time, as the server echoes it
    put(32, platform::sntp::ToNtp(receiveNs));
    put(40, platform::sntp::ToNtp(transmitNs));
    return reply;
}
