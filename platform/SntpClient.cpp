#include "platform/SntpClient.h"

#include "platform/Clock.h"
#include "platform/SntpPacket.h"
#include "platform/SystemClock.h"

#include <QDate>
#include <QLocale>
#include <QTimer>

#include <netdb.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <random>
#include <thread>

namespace platform {

// What the worker and the client share. A request is decided once: by the worker's verdict, by the
// time-out or by a cancel, whichever comes first; once the worker starts setting the clock, only its
// own result counts, so a result never says "failed" after the clock was moved.
struct SntpClient::Request {
    enum class Stage { Running, Setting, Decided };
    std::mutex Lock;
    Stage Progress = Stage::Running; // under Lock
    SntpClient* Owner = nullptr;     // under Lock; null once the client no longer wants the result
    uint64_t Id = 0;
};

namespace {

constexpr int MaxTimeoutMs = 60'000;
constexpr int ReplyBufferSize = 512;

int64_t NowNs()
{
    return platform::Now().toMSecsSinceEpoch() * 1'000'000;
}

// The day this program was built: no true time lies before it.
int64_t BuildDateNs()
{
    static const int64_t earliest = [] {
        const QDate date = QDate::fromString(QStringLiteral(SZ_BUILD_DATE), Qt::ISODate);
        return date.startOfDay(Qt::UTC).toMSecsSinceEpoch() * 1'000'000;
    }();
    return earliest;
}

QString SystemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

class Socket {
public:
    explicit Socket(int fd) : fd_(fd) {}
    ~Socket()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int Fd() const { return fd_; }

private:
    int fd_;
};

// The clock as the worker reads it; none once the request is decided, when whoever installed the
// clock may already have taken it away.
using WorkerClock = std::function<std::optional<int64_t>()>;

// One exchange on a connected socket: the kernel drops datagrams from anyone but the server, and a
// closed port answers at once.
sntp::Verdict Exchange(const ResolvedAddress& server, std::chrono::steady_clock::time_point deadline,
                       int timeoutMs, const WorkerClock& now)
{
    const auto fail = [](const QString& reason) { return sntp::Verdict{false, 0, reason}; };
    const Socket socket(::socket(server.Address.ss_family, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (socket.Fd() < 0)
        return fail(SystemError(errno));
    if (::connect(socket.Fd(), reinterpret_cast<const sockaddr*>(&server.Address), server.Length) != 0)
        return fail(SystemError(errno));

    const std::optional<int64_t> sentNs = now();
    if (!sentNs)
        return fail(QStringLiteral("cancelled"));
    sntp::Timestamp sent = sntp::ToNtp(*sentNs);
    // Random low bits, so a forger cannot guess the originate time a reply must carry.
    std::random_device random;
    sent.Fraction = (sent.Fraction & 0xFFFF0000u) | (random() & 0xFFFFu);
    const QByteArray request = sntp::BuildRequest(sent);
    if (::send(socket.Fd(), request.constData(), request.size(), 0) != request.size())
        return fail(SystemError(errno));

    const auto remaining =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd wait{socket.Fd(), POLLIN, 0};
    int ready = 0;
    do
        ready = ::poll(&wait, 1, static_cast<int>(std::max<int64_t>(0, remaining.count())));
    while (ready < 0 && errno == EINTR);
    if (ready < 0)
        return fail(SystemError(errno));
    if (ready == 0)
        return fail(QStringLiteral("no reply within %1 ms").arg(timeoutMs));
    QByteArray reply(ReplyBufferSize, '\0');
    const ssize_t got = ::recv(socket.Fd(), reply.data(), reply.size(), 0);
    const std::optional<int64_t> t4 = now();
    if (got < 0)
        return fail(SystemError(errno));
    if (!t4)
        return fail(QStringLiteral("cancelled"));
    reply.truncate(got);
    return sntp::CheckReply(reply, {sent, *t4, timeoutMs, BuildDateNs()});
}

QString SettingsFault(const QString& host, int port, int timeoutMs)
{
    if (host.trimmed().isEmpty())
        return QStringLiteral("no time server is set");
    if (port < 1 || port > 65535)
        return QStringLiteral("the time server's port %1 lies outside 1..65535").arg(port);
    if (timeoutMs < 1 || timeoutMs > MaxTimeoutMs)
        return QStringLiteral("the time-out of %1 ms lies outside 1..%2").arg(timeoutMs).arg(MaxTimeoutMs);
    return QString();
}

} // namespace

std::optional<ResolvedAddress> ResolveHost(const QString& host, int port, QString& reason)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    const int error =
        ::getaddrinfo(host.toUtf8().constData(), QByteArray::number(port).constData(), &hints, &found);
    if (error != 0 || found == nullptr) {
        reason = QStringLiteral("the time server \"%1\" cannot be found: %2")
                     .arg(host, QString::fromLocal8Bit(gai_strerror(error)));
        return std::nullopt;
    }
    ResolvedAddress address;
    std::memcpy(&address.Address, found->ai_addr, found->ai_addrlen);
    address.Length = found->ai_addrlen;
    ::freeaddrinfo(found);
    return address;
}

SntpClient::SntpClient(QObject* parent) : QObject(parent), resolver_(ResolveHost) {}

SntpClient::~SntpClient()
{
    Cancel();
}

void SntpClient::Cancel()
{
    if (!pending_)
        return;
    {
        const std::lock_guard lock(pending_->Lock);
        pending_->Owner = nullptr;
        if (pending_->Progress == Request::Stage::Running)
            pending_->Progress = Request::Stage::Decided;
    }
    pending_.reset();
    done_ = nullptr;
}

void SntpClient::Finish(uint64_t id, const SntpResult& result)
{
    if (!pending_ || pending_->Id != id)
        return; // a request cancelled already
    auto done = std::move(done_);
    Cancel(); // under the request's lock: whatever the worker did is over before the result counts
    if (done)
        done(result);
}

void SntpClient::Expire(uint64_t id, const SntpResult& result)
{
    if (!pending_ || pending_->Id != id)
        return;
    {
        const std::lock_guard lock(pending_->Lock);
        if (pending_->Progress != Request::Stage::Running)
            return; // the worker has decided: its result is on the way
        pending_->Progress = Request::Stage::Decided;
    }
    Finish(id, result);
}

bool SntpClient::SyncTime(std::function<void(const SntpResult&)> done)
{
    if (pending_)
        return false;
    pending_ = std::make_shared<Request>();
    pending_->Owner = this;
    pending_->Id = ++lastId_;
    done_ = std::move(done);
    const uint64_t token = lastId_;

    const QString fault = SettingsFault(Host, Port, TimeoutMs);
    if (!fault.isEmpty()) {
        QMetaObject::invokeMethod(
            this,
            [this, token, fault] {
                Expire(token, {false, 0, fault});
            },
            Qt::QueuedConnection);
        return true;
    }
    // The time-out on this thread covers resolution too, which no socket option bounds.
    const int timeoutMs = TimeoutMs;
    QTimer::singleShot(timeoutMs, this, [this, token, timeoutMs] {
        Expire(token, {false, 0, QStringLiteral("no reply within %1 ms").arg(timeoutMs)});
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::thread([request = pending_, resolver = resolver_, host = Host, port = Port, timeoutMs, deadline] {
        SntpResult result;
        sntp::Verdict verdict;
        // Read under the lock, so every read comes before the request is decided, as the client sees it.
        const WorkerClock now = [&request]() -> std::optional<int64_t> {
            const std::lock_guard lock(request->Lock);
            if (request->Progress != Request::Stage::Running)
                return std::nullopt;
            return NowNs();
        };
        try {
            if (std::optional<ResolvedAddress> server = resolver(host, port, result.Reason))
                verdict = Exchange(*server, deadline, timeoutMs, now);
            else
                verdict.Reason = result.Reason;
        } catch (const std::exception& error) {
            verdict = {false, 0, QString::fromLocal8Bit(error.what())};
        } catch (...) {
            verdict = {false, 0, QStringLiteral("an unknown error")};
        }
        result = {false, verdict.OffsetNs, verdict.Reason};
        {
            const std::lock_guard lock(request->Lock);
            if (request->Progress != Request::Stage::Running)
                return; // timed out or cancelled: nothing is set
            request->Progress = verdict.Ok ? Request::Stage::Setting : Request::Stage::Decided;
            if (verdict.Ok)
                result.FromNs = NowNs();
        }
        // Outside the lock: the time service may take its time, and the GUI thread must not wait for it.
        if (verdict.Ok)
            result.Ok = CurrentSystemClock().Shift(verdict.OffsetNs, result.Reason);
        const std::lock_guard lock(request->Lock);
        request->Progress = Request::Stage::Decided;
        if (SntpClient* owner = request->Owner) {
            const uint64_t id = request->Id;
            QMetaObject::invokeMethod(
                owner, [owner, id, result] { owner->Finish(id, result); }, Qt::QueuedConnection);
        }
    }).detach();
    return true;
}

} // namespace platform
